// baler for scripts, as a process: choosing entries, JSON, comparing a folder
// with an archive, verifying, and the exit codes of each.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/baler_process.h"
#include "tests/support/test_support.h"

namespace {

using baler_process::Baler;
using baler_process::Outcome;
using baler_process::Q;
using testing_support::Bytes;
using testing_support::ListDir;
using testing_support::MakeArchive;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;
using Files = std::vector<std::string>;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// An archive and a folder extracted from it.
struct Extracted {
  TempDir dir;
  std::filesystem::path pak = dir / "in.pak";
  std::filesystem::path x = dir / "x";

  Extracted() {
    WriteFile(
        pak,
        MakeArchive(
            {{u"a.wav", {1, 2, 3}}, {u"b.bin", {4}}, {u"menu_1.ogg", {5}}, {u"menu_2.ogg", {6}}}));
    std::filesystem::create_directory(x);
    const Outcome o = Baler(dir, "extract " + Q(pak) + " " + Q(x));
    EXPECT_EQ(o.code, 0) << o.err;
  }
  Outcome Run(const std::string& args) { return Baler(dir, args); }
};

TEST(BalerExtract, OnlyTheNamedOrMatchingEntriesAndNoList) {
  struct Case {
    const char* args;
    Files written;
  };
  const Case cases[] = {
      {"a.ogg", {"a.ogg"}},
      {"A.OGG b.bin", {"a.ogg", "b.bin"}},  // written under the entry's own name
      {"--include 'menu_*'", {"menu_1.ogg", "menu_2.ogg"}},
      {"--include '*.ogg' --exclude 'menu_[2-9]*'", {"a.ogg", "menu_1.ogg"}},
      {"--exclude '*.ogg'", {"b.bin"}},
      {"b.bin --include 'menu_2*'", {"b.bin", "menu_2.ogg"}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteFile(
        dir / "in.pak",
        MakeArchive(
            {{u"a.wav", {1, 2, 3}}, {u"b.bin", {4}}, {u"menu_1.ogg", {5}}, {u"menu_2.ogg", {6}}}));
    std::filesystem::create_directory(dir / "x");
    const Outcome o =
        Baler(dir, "extract " + Q(dir / "in.pak") + " " + Q(dir / "x") + " " + c.args);
    EXPECT_EQ(o.code, 0) << c.args << ": " << o.err;
    EXPECT_EQ(ListDir(dir / "x"), c.written) << c.args;
  }
  TempDir dir;
  WriteFile(dir / "in.pak", MakeArchive({{u"a.wav", {1, 2, 3}}}));
  std::filesystem::create_directory(dir / "x");
  ASSERT_EQ(Baler(dir, "extract " + Q(dir / "in.pak") + " " + Q(dir / "x") + " a.ogg").code, 0);
  EXPECT_EQ(ReadFile(dir / "x" / "a.ogg"), (Bytes{1, 2, 3}));
}

TEST(BalerExtract, ANameNotInTheArchiveWritesNothing) {
  Extracted e;
  std::filesystem::remove_all(e.x);
  std::filesystem::create_directory(e.x);
  Outcome o = e.Run("extract " + Q(e.pak) + " " + Q(e.x) + " a.ogg missing.ogg b.bin a.wav");
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(Has(o.err, "\"missing.ogg\"")) << o.err;
  EXPECT_TRUE(Has(o.err, "\"a.wav\"")) << "the stored name is not the name on disk: " << o.err;
  EXPECT_TRUE(ListDir(e.x).empty());
  // A name after a pattern is a name, not a second pattern.
  o = e.Run("extract " + Q(e.pak) + " " + Q(e.x) + " --include 'menu_*' missing.ogg");
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(Has(o.err, "\"missing.ogg\"")) << o.err;
  EXPECT_TRUE(ListDir(e.x).empty());
  // For list, which takes several archives, it is a second archive.
  o = e.Run("list " + Q(e.pak) + " --include 'menu_*' 'b*'");
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(Has(o.err, "baler: b*: ")) << o.err;

  // A pattern that matches nothing is not an error, but says so unless quiet.
  o = e.Run("extract " + Q(e.pak) + " " + Q(e.x) + " --include 'zz*'");
  EXPECT_EQ(o.code, 0);
  EXPECT_TRUE(Has(o.err, "nothing was extracted")) << o.err;
  EXPECT_TRUE(ListDir(e.x).empty());
  o = e.Run("extract --quiet " + Q(e.pak) + " " + Q(e.x) + " --include 'zz*'");
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.err, "");
}

TEST(BalerList, JsonInArchiveOrderAndFiltered) {
  TempDir dir;
  WriteFile(dir / "in.pak", MakeArchive({{u"b.WAV", {1, 2}}, {u"a.bin", {3}}}));
  Outcome o = Baler(dir, "list --json " + Q(dir / "in.pak"));
  ASSERT_EQ(o.code, 0) << o.err;
  const auto json = nlohmann::json::parse(o.out);
  const auto expected = nlohmann::json::parse(R"([
      {"name": "b.ogg", "stored_name": "b.WAV", "offset": 58, "size": 2},
      {"name": "a.bin", "stored_name": "a.bin", "offset": 60, "size": 1}])");
  EXPECT_EQ(json, expected) << o.out;

  o = Baler(dir, "list --json --include '*.OGG' " + Q(dir / "in.pak"));
  EXPECT_EQ(nlohmann::json::parse(o.out).size(), 1u) << o.out;
  o = Baler(dir, "list --exclude '*.ogg' " + Q(dir / "in.pak"));
  EXPECT_EQ(o.out, "a.bin\n");
  o = Baler(dir, "list --json --include 'none' " + Q(dir / "in.pak"));
  EXPECT_EQ(nlohmann::json::parse(o.out), nlohmann::json::array());
}

TEST(BalerDiff, ExitCodesAndLinesForEachKindOfChange) {
  struct Case {
    const char* what;
    std::function<void(const std::filesystem::path&)> change;
    const char* args;  // after "diff DIR"
    int code;
    std::string out;
  };
  const auto write = [](const char* name, Bytes bytes) {
    return [=](const std::filesystem::path& x) { WriteFile(x / name, bytes); };
  };
  const auto remove = [](const char* name) {
    return [=](const std::filesystem::path& x) { std::filesystem::remove(x / name); };
  };
  const auto none = [](const std::filesystem::path&) {};
  const Case cases[] = {
      {"unchanged, names", none, "", 0, ""},
      {"unchanged, bytes", none, "--against", 0, ""},
      {"edited: the names alone do not see it", write("a.ogg", {1, 2, 4}), "", 0, ""},
      {"edited", write("a.ogg", {1, 2, 4}), "--against", 4, "modified a.ogg\n"},
      {"grown", write("b.bin", {4, 4}), "--against", 4, "modified b.bin\n"},
      {"added", write("new.ogg", {9}), "", 4, "added    new.ogg\n"},
      {"added, bytes", write("new.ogg", {9}), "--against", 4, "added    new.ogg\n"},
      {"deleted", remove("b.bin"), "--against", 4, "deleted  b.bin\n"},
      {"the list itself is not an entry", remove("FilesList.txt"), "--against", 0, ""},
      {"Family.Bin is never packed", write("Family.Bin", {1}), "--against", 0, ""},
  };
  for (const auto& c : cases) {
    Extracted e;
    c.change(e.x);
    std::string args = "diff " + Q(e.x);
    if (std::string(c.args) == "--against") args += " --against " + Q(e.pak);
    const Outcome o = e.Run(args);
    EXPECT_EQ(o.code, c.code) << c.what << ": " << o.err;
    EXPECT_EQ(o.out, c.out) << c.what;
  }
}

TEST(BalerDiff, JsonAndErrors) {
  Extracted e;
  WriteFile(e.x / "a.ogg", Bytes{0, 0, 0});
  WriteFile(e.x / "new.bin", Bytes{1});
  std::filesystem::remove(e.x / "b.bin");
  Outcome o = e.Run("diff --json " + Q(e.x) + " --against " + Q(e.pak));
  EXPECT_EQ(o.code, 4);
  EXPECT_EQ(nlohmann::json::parse(o.out),
            nlohmann::json::parse(
                R"({"added": ["new.bin"], "deleted": ["b.bin"], "modified": ["a.ogg"]})"))
      << o.out;
  o = e.Run("diff --json " + Q(e.x));
  EXPECT_EQ(o.code, 4);
  EXPECT_EQ(nlohmann::json::parse(o.out),
            nlohmann::json::parse(R"({"added": ["new.bin"], "deleted": ["b.bin"]})"))
      << o.out;

  // Errors stay 1, usage errors 2.
  o = e.Run("diff " + Q(e.x) + " --against " + Q(e.dir / "absent.pak"));
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(Has(o.err, "absent.pak")) << o.err;
  EXPECT_EQ(e.Run("diff " + Q(e.dir / "absent") + " --against " + Q(e.pak)).code, 1);
  EXPECT_EQ(e.Run("diff " + Q(e.x) + " --against").code, 2);
  EXPECT_EQ(e.Run("verify " + Q(e.pak)).code, 2);
}

TEST(BalerVerify, ExactlyTheEntriesOrExitFour) {
  Extracted e;
  Outcome o = e.Run("verify " + Q(e.pak) + " " + Q(e.x));
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(Has(o.out, "OK")) << o.out;
  o = e.Run("verify --quiet " + Q(e.pak) + " " + Q(e.x));
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.out + o.err, "");

  // A hidden file is not one that pack would take.
  WriteFile(e.x / ".hidden", Bytes{1});
  EXPECT_EQ(e.Run("verify " + Q(e.pak) + " " + Q(e.x)).code, 0);

  WriteFile(e.x / "extra.txt", Bytes{1});
  WriteFile(e.x / "menu_2.ogg", Bytes{7});
  o = e.Run("verify " + Q(e.pak) + " " + Q(e.x));
  EXPECT_EQ(o.code, 4);
  EXPECT_EQ(o.out, "added    extra.txt\nmodified menu_2.ogg\n");
  // --quiet never hides the result.
  EXPECT_EQ(e.Run("verify -q " + Q(e.pak) + " " + Q(e.x)).out, o.out);
}

TEST(BalerPack, VerifyReadsTheArchiveBackAndQuietSaysNothing) {
  Extracted e;
  WriteFile(e.x / "new.bin", Bytes{8});
  const auto out = e.dir / "out.pak";
  Outcome o = e.Run("pack --verify --yes --quiet " + Q(e.x) + " " + Q(out));
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.out + o.err, "");
  o = e.Run("verify " + Q(out) + " " + Q(e.x));
  EXPECT_EQ(o.code, 0) << o.out;
  // Without --quiet the note about the added file is shown.
  o = e.Run("pack --verify --yes " + Q(e.x) + " " + Q(out));
  EXPECT_EQ(o.code, 0);
  EXPECT_TRUE(Has(o.err, "added    new.bin")) << o.err;
}

TEST(BalerHelp, EveryCommandGivesAnExample) {
  TempDir dir;
  for (const char* command :
       {"list", "extract", "pack", "add", "remove", "diff", "verify", "check"}) {
    const Outcome o = Baler(dir, std::string(command) + " --help");
    EXPECT_EQ(o.code, 0) << command;
    EXPECT_TRUE(Has(o.out, "Example")) << command << ":\n" << o.out;
    EXPECT_TRUE(Has(o.out, std::string("baler ") + command + " ")) << command << ":\n" << o.out;
  }
  const Outcome o = Baler(dir, "--help");
  EXPECT_TRUE(Has(o.out, "4 a difference")) << o.out;
}

// Each command is a unit of its own: every one is reachable, named when an unknown one is asked
// for (in the order help lists them), and takes --quiet.
TEST(BalerHelp, EveryCommandIsListedAndTakesQuiet) {
  TempDir dir;
  const Outcome unknown = Baler(dir, "frob");
  EXPECT_EQ(unknown.code, 2);
  EXPECT_TRUE(
      Has(unknown.err, "the commands are list, extract, pack, add, remove, diff, verify, check "))
      << unknown.err;
  const Outcome help = Baler(dir, "--help");
  std::size_t at = 0;
  for (const char* command :
       {"list", "extract", "pack", "add", "remove", "diff", "verify", "check"}) {
    at = help.out.find(std::string("  ") + command + " ", at);
    EXPECT_NE(at, std::string::npos) << command << " missing or out of order:\n" << help.out;
    const Outcome o = Baler(dir, std::string(command) + " --help");
    EXPECT_TRUE(Has(o.out, "-q,--quiet")) << command << ":\n" << o.out;
  }
}

}  // namespace
