// The command line of both programs, and what a drop on their window chooses.
#include "shell/start_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "baler_version.h"
#include "codec/text.h"
#include "shell/program_logic.h"
#include "tests/support/test_support.h"

namespace {

using shell::Program;
using Action = shell::StartArguments::Action;
using Words = std::vector<std::u16string>;

#ifdef _WIN32
constexpr char16_t kHere[] = u"C:\\home\\u";
constexpr char16_t kSep = u'\\';
#else
constexpr char16_t kHere[] = u"/home/u";
constexpr char16_t kSep = u'/';
#endif

// `path` with '/' as the system writes it, so one table serves both systems.
std::u16string Native(std::u16string path) {
  for (char16_t& c : path) {
    if (c == u'/') c = kSep;
  }
  return path;
}
std::u16string Here(std::u16string_view rest) {
  return std::u16string(kHere) + Native(u"/" + std::u16string(rest));
}

TEST(StartArguments, PathsAreMadeWholeAndOptionsEndWithTwoDashes) {
  struct Case {
    const char* what;
    Words words;
    Words paths;  // expected, for kStart
  };
  const Case cases[] = {
      {"no arguments", {}, {}},
      {"relative archive", {u"a.pak"}, {Here(u"a.pak")}},
      {"dot steps go", {u"./x/../a.pak", u"out/"}, {Here(u"a.pak"), Here(u"out")}},
      {"absolute stays", {std::u16string(kHere) + Native(u"/b/c.pak")}, {Here(u"b/c.pak")}},
      {"after --, a dash is a name", {u"--", u"-x.pak"}, {Here(u"-x.pak")}},
      {"a lone dash is a name", {u"-"}, {Here(u"-")}},
      {"several archives, then a folder",
       {u"a.pak", u"B.PAK", u"out"},
       {Here(u"a.pak"), Here(u"B.PAK"), Here(u"out")}},
      {"non-ASCII names pass whole",
       {u"\u00e9t\u00e9.pak", u"\u4e2d"},
       {Here(u"\u00e9t\u00e9.pak"), Here(u"\u4e2d")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const shell::StartArguments start =
        shell::ParseStartArguments(Program::kUnbaler, c.words, kHere);
    EXPECT_EQ(start.action, Action::kStart);
    EXPECT_EQ(start.paths, c.paths);
    EXPECT_EQ(start.message, u"");
  }
}

TEST(StartArguments, HelpAndMisuseStartNoWindowAndSayWhy) {
  struct Case {
    Program program;
    Words words;
    Action action;
    std::u16string first_line;
  };
  const Case cases[] = {
      {Program::kUnbaler, {u"--help"}, Action::kHelp, u"Usage: unbaler [ARCHIVE [FOLDER]]"},
      {Program::kRebaler, {u"a", u"-h"}, Action::kHelp, u"Usage: rebaler [FOLDER [ARCHIVE]]"},
      {Program::kUnbaler, {u"-v"}, Action::kMisuse, u"Unknown option: -v"},
      {Program::kRebaler, {u"a", u"--force"}, Action::kMisuse, u"Unknown option: --force"},
      {Program::kUnbaler, {u"a", u"b", u"c"}, Action::kMisuse, u"Too many paths were given."},
      // More than two only as several archives: each but the last named ".pak".
      {Program::kUnbaler, {u"a.pak", u"b", u"c"}, Action::kMisuse, u"Too many paths were given."},
      {Program::kRebaler,
       {u"a.pak", u"b.pak", u"c"},
       Action::kMisuse,
       u"Too many paths were given."},
      {Program::kUnbaler, {u"a", u""}, Action::kMisuse, u"An empty path was given."},
      // After "--" an option is a name like any other; three names are still too many.
      {Program::kUnbaler,
       {u"--", u"--help", u"b", u"c"},
       Action::kMisuse,
       u"Too many paths were given."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(pak::ToUtf8(c.first_line));
    const shell::StartArguments start = shell::ParseStartArguments(c.program, c.words, kHere);
    EXPECT_EQ(start.action, c.action);
    EXPECT_TRUE(start.paths.empty());
    EXPECT_EQ(start.message.substr(0, start.message.find(u'\n')), c.first_line);
    // Misuse names the fault, then shows how it is used.
    EXPECT_TRUE(start.message.ends_with(shell::UsageText(c.program)));
  }
}

// --version answers with the program's name and the build's version wherever it comes among the
// options; after "--" it is a name like any other.
TEST(StartArguments, VersionNamesTheProgramAndItsVersion) {
  const std::string_view version = baler::kVersion;
  const std::u16string wide(version.begin(), version.end());
  struct Case {
    Program program;
    Words words;
    Action action;
    std::u16string message;
  };
  const Case cases[] = {
      {Program::kUnbaler, {u"--version"}, Action::kVersion, u"unbaler " + wide + u"\n"},
      {Program::kRebaler, {u"a", u"--version"}, Action::kVersion, u"rebaler " + wide + u"\n"},
      {Program::kUnbaler, {u"--", u"--version"}, Action::kStart, u""},
      {Program::kUnbaler,
       {u"-V"},
       Action::kMisuse,
       u"Unknown option: -V\n" + shell::UsageText(Program::kUnbaler)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(pak::ToUtf8(c.message));
    const shell::StartArguments start = shell::ParseStartArguments(c.program, c.words, kHere);
    EXPECT_EQ(start.action, c.action);
    EXPECT_EQ(start.message, c.message);
    EXPECT_TRUE(start.paths.empty() || c.action == Action::kStart);
  }
}

// Help is an answer: on the standard output, and a success. Misuse is a failure, on the error
// output. Either way the message arrives whole, in UTF-8.
TEST(StartArguments, UsageIsPrintedWhereTheActionBelongs) {
  struct Case {
    Action action;
    std::u16string message;
    int exit_code;
    std::string out, err;
  };
  const Case cases[] = {
      {Action::kHelp, u"Usage: unbaler\n", 0, "Usage: unbaler\n", ""},
      {Action::kVersion, u"rebaler 1.1.0-3-gabc1234\n", 0, "rebaler 1.1.0-3-gabc1234\n", ""},
      {Action::kMisuse, u"Unknown option: -\u00e9\nUsage: rebaler\n", shell::kMisuseExitCode, "",
       "Unknown option: -\xc3\xa9\nUsage: rebaler\n"},
  };
  for (const Case& c : cases) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int exit_code = shell::PrintUsage({c.action, {}, c.message});
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(exit_code, c.exit_code);
    EXPECT_EQ(out, c.out);
    EXPECT_EQ(err, c.err);
  }
}

// What each program makes of a drop, on real files and folders.
TEST(DropRules, OneFolderAndOneFileOfTheRightKindOrNothing) {
  testing_support::TempDir dir;
  const auto at = [&](const char* name) { return (dir.path() / name).u16string(); };
  std::filesystem::create_directory(dir.path() / "folder");
  std::filesystem::create_directory(dir.path() / "folder2");
  std::filesystem::create_directory(dir.path() / "dir.pak");
  for (const char* file : {"a.pak", "B.PAK", "notes.txt", "pak", "x.pak.bak"}) {
    testing_support::WriteFile(dir.path() / file, std::string("x"));
  }
  // kSeveral: Unbaler's several archives, with the folder when one was dropped too.
  enum Kind { kRefused, kArchive, kFolder, kBoth, kSeveral };
  struct Case {
    Words dropped;
    Kind unbaler;
    Kind rebaler;
  };
  const Case cases[] = {
      {{at("a.pak")}, kArchive, kArchive},
      {{at("B.PAK")}, kArchive, kArchive},      // any case
      {{at("notes.txt")}, kArchive, kRefused},  // Unbaler reads it and says what it is
      {{at("pak")}, kArchive, kRefused},
      {{at("x.pak.bak")}, kArchive, kRefused},
      {{at("folder")}, kFolder, kFolder},
      {{at("dir.pak")}, kFolder, kFolder},  // a folder is a folder, whatever its name
      {{at("folder"), at("a.pak")}, kBoth, kBoth},
      {{at("a.pak"), at("folder")}, kBoth, kBoth},
      {{at("folder"), at("notes.txt")}, kBoth, kRefused},  // nothing half-done
      {{at("a.pak"), at("B.PAK")}, kSeveral, kRefused},
      {{at("a.pak"), at("notes.txt")}, kRefused, kRefused},  // several must all be archives
      {{at("notes.txt"), at("a.pak")}, kRefused, kRefused},
      {{at("folder"), at("folder2")}, kRefused, kRefused},
      {{at("folder"), at("a.pak"), at("B.PAK")}, kSeveral, kRefused},
      {{at("folder"), at("a.pak"), at("B.PAK"), at("folder2")}, kRefused, kRefused},
      {{at("gone.pak")}, kRefused, kRefused},
      {{at("folder"), at("gone")}, kRefused, kRefused},
      {{u""}, kRefused, kRefused},
      {{}, kRefused, kRefused},
  };
  for (const Case& c : cases) {
    for (const Program program : {Program::kUnbaler, Program::kRebaler}) {
      const Kind want = program == Program::kUnbaler ? c.unbaler : c.rebaler;
      SCOPED_TRACE((program == Program::kUnbaler ? "Unbaler: " : "Rebaler: ") +
                   (c.dropped.empty() ? std::string() : pak::ToUtf8(c.dropped[0])) + " +" +
                   std::to_string(c.dropped.size()));
      const shell::DropChoice choice =
          shell::ChooseFromDrop(program, c.dropped, pak::DefaultFileSystem());
      EXPECT_EQ(choice.accepted(), want != kRefused);
      const bool archive = want == kArchive || want == kBoth;
      const bool folder = want == kFolder || want == kBoth ||
                          (want == kSeveral && std::filesystem::is_directory(c.dropped[0]));
      ASSERT_EQ(choice.archive.has_value(), archive);
      ASSERT_EQ(choice.folder.has_value(), folder);
      if (want == kSeveral) {
        Words archives = c.dropped;
        if (folder) archives.erase(archives.begin());
        EXPECT_EQ(choice.archives, archives);
        continue;
      }
      EXPECT_TRUE(choice.archives.empty());
      if (want == kRefused) continue;
      // Each path goes where its kind says, as it was given.
      for (const std::u16string& path : c.dropped) {
        const bool is_folder = std::filesystem::is_directory(path);
        EXPECT_EQ(is_folder ? *choice.folder : *choice.archive, path);
      }
    }
  }
}

}  // namespace
