// Changing entries of an archive file in place, on real temporary folders.
#include "codec/edit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "codec/workflow.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
namespace fs = std::filesystem;

// Files to add, made in a folder of their own, by name as written on disk.
using Files = std::vector<std::pair<std::string, Bytes>>;

std::vector<fs::path> MakeFiles(const fs::path& folder, const Files& files) {
  std::vector<fs::path> paths;
  for (const auto& [name, bytes] : files) {
    fs::create_directories((folder / name).parent_path());
    WriteFile(folder / name, bytes);
    paths.push_back(folder / name);
  }
  return paths;
}

TEST(EditArchive, WritesTheArchivePackWouldHaveWritten) {
  struct Case {
    const char* what;
    std::vector<RawEntry> before;
    Files add;
    std::vector<std::u16string> remove;
    std::vector<RawEntry> after;  // laid out as pack lays out an archive
    pak::EditCounts counts;
  };
  const std::vector<Case> cases = {
      {"a new entry in an archive in name order takes its place by name",
       {{u"a.bin", {1}}, {u"c.bin", {3, 3}}},
       {{"b.bin", {2}}},
       {},
       {{u"a.bin", {1}}, {u"b.bin", {2}}, {u"c.bin", {3, 3}}},
       {1, 0, 0}},
      {"name order ignores case, as pack's does",
       {{u"A.bin", {1}}, {u"b.bin", {2}}},
       {{"a2.bin", {9}}},
       {},
       {{u"A.bin", {1}}, {u"a2.bin", {9}}, {u"b.bin", {2}}},
       {1, 0, 0}},
      {"a new entry in an archive in no order goes last",
       {{u"c.bin", {3}}, {u"a.bin", {1}}},
       {{"b.bin", {2}}},
       {},
       {{u"c.bin", {3}}, {u"a.bin", {1}}, {u"b.bin", {2}}},
       {1, 0, 0}},
      {"a file replaces the entry it would be extracted to, at its place, under its own name",
       {{u"z.bin", {1}}, {u"b.wav", {2, 2}}, {u"c.bin", {3}}},
       {{"B.ogg", {7, 7, 7}}},
       {},
       {{u"z.bin", {1}}, {u"B.wav", {7, 7, 7}}, {u"c.bin", {3}}},
       {0, 1, 0}},
      {"an .ogg file is stored as .wav",
       {{u"a.bin", {1}}, {u"z.bin", {2}}},
       {{"m.ogg", {5}}},
       {},
       {{u"a.bin", {1}}, {u"m.wav", {5}}, {u"z.bin", {2}}},
       {1, 0, 0}},
      {"a replacement drops a later entry that lands on the same file",
       {{u"x.wav", {1}}, {u"y.bin", {2}}, {u"X.WAV", {3}}},
       {{"x.ogg", {4}}},
       {},
       {{u"x.wav", {4}}, {u"y.bin", {2}}},
       {0, 1, 1}},
      {"entries are removed by the name on disk or the stored one, case ignored",
       {{u"a.bin", {1}}, {u"b.wav", {2}}, {u"c.bin", {3}}},
       {},
       {u"b.ogg", u"A.BIN"},
       {{u"c.bin", {3}}},
       {0, 0, 2}},
      {"a name given twice is removed once",
       {{u"a.bin", {1}}, {u"b.bin", {2}}},
       {},
       {u"b.bin", u"b.bin"},
       {{u"a.bin", {1}}},
       {0, 0, 1}},
      {"removed and added again: a new entry",
       {{u"a.bin", {1}}, {u"b.bin", {2}}},
       {{"b.bin", {8}}},
       {u"b.bin"},
       {{u"a.bin", {1}}, {u"b.bin", {8}}},
       {1, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir / "x.pak", MakeArchive(c.before));
    pak::ArchiveEdit edit{MakeFiles(dir / "in", c.add), c.remove, {}};
    auto counts = pak::EditArchive(Fs(), dir / "x.pak", edit);
    ASSERT_TRUE(counts.ok()) << counts.status().message();
    EXPECT_EQ(*counts, c.counts);
    EXPECT_EQ(ReadFile(dir / "x.pak"), MakeArchive(c.after));
    for (const auto& name : ListDir(dir.path())) EXPECT_NE(name[0], '.') << name;
  }
}

// A file given a name of its own to stay under: it replaces the entry of that name whatever the
// file is called, and the name is checked as a file's own would be.
TEST(EditArchive, AFileTakesTheNameItIsGiven) {
  struct Case {
    const char* what;
    std::string file;
    std::u16string as;
    std::vector<RawEntry> after;  // empty: refused, the archive as it was
  };
  const std::vector<Case> cases = {
      {"another name replaces the entry, which keeps its name and place",
       "new sound.ogg",
       u"b.ogg",
       {{u"a.bin", {1}}, {u"b.wav", {9, 9}}, {u"c.bin", {3}}}},
      {"no name: the file's own, a new entry",
       "d.bin",
       u"",
       {{u"a.bin", {1}}, {u"b.wav", {2}}, {u"c.bin", {3}}, {u"d.bin", {9, 9}}}},
      {"a name pack refuses is refused", "ok.bin", u"MYFILE~1.TXT", {}},
  };
  const std::vector<RawEntry> before = {{u"a.bin", {1}}, {u"b.wav", {2}}, {u"c.bin", {3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir / "x.pak", MakeArchive(before));
    pak::ArchiveEdit edit{MakeFiles(dir / "in", {{c.file, {9, 9}}}), {}, {c.as}};
    auto counts = pak::EditArchive(Fs(), dir / "x.pak", edit);
    EXPECT_EQ(counts.ok(), !c.after.empty());
    EXPECT_EQ(ReadFile(dir / "x.pak"), MakeArchive(c.after.empty() ? before : c.after));
  }
}

TEST(EditArchive, RefusesAndWritesNothing) {
  struct Case {
    const char* what;
    Files add;  // "@" stands for a folder of that name, "=" for the archive itself
    std::vector<std::u16string> remove;
    std::string message;  // a part of the refusal
  };
  const std::vector<Case> cases = {
      {"names the archive does not hold, every one",
       {},
       {u"a.bin", u"nope.ogg", u"gone"},
       "no entry named \"nope.ogg\", \"gone\""},
      {"every entry removed", {}, {u"a.bin", u"b.wav"}, "would hold no entry"},
      {"a folder to add", {{"@sub", {}}}, {}, "is not a file"},
      {"the archive added to itself", {{"=", {}}}, {}, "the archive being changed"},
      {"two files stored under one name", {{"1/c.ogg", {1}}, {"2/C.wav", {2}}}, {}, "one name"},
      {"a name pack refuses", {{"MYFILE~1.TXT", {1}}}, {}, "\"MYFILE~1.TXT\""},
      {"the file pack always leaves out", {{"Family.Bin", {1}}}, {}, "never packed"},
  };
  const Bytes before = MakeArchive({{u"a.bin", {1}}, {u"b.wav", {2}}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir / "x.pak", before);
    pak::ArchiveEdit edit{{}, c.remove, {}};
    for (const auto& [name, bytes] : c.add) {
      if (name == "=") {
        edit.add.push_back(dir / "x.pak");
      } else if (name[0] == '@') {
        fs::create_directories(dir / "in" / name.substr(1));
        edit.add.push_back(dir / "in" / name.substr(1));
      } else {
        edit.add.push_back(MakeFiles(dir / "in", {{name, bytes}})[0]);
      }
    }
    auto counts = pak::EditArchive(Fs(), dir / "x.pak", edit);
    ASSERT_FALSE(counts.ok());
    EXPECT_EQ(counts.status().kind(), pak::Status::Kind::kRefused);
    EXPECT_NE(counts.status().message().find(c.message), std::string::npos)
        << counts.status().message();
    EXPECT_NE(counts.status().message().find("Nothing was written"), std::string::npos)
        << counts.status().message();
    EXPECT_EQ(ReadFile(dir / "x.pak"), before);
    for (const auto& name : ListDir(dir.path())) EXPECT_NE(name[0], '.') << name;
  }
}

// A failure or a stop part way leaves the old archive whole and no temporary beside it; a
// success goes through the same temporary, flush and move as pack.
TEST(EditArchive, TheOldArchiveStaysWholeUntilTheNewOneIsOnTheDisk) {
  struct Case {
    const char* what;
    int fail_write_at;
    std::size_t stop_after;  // entries; 0: no stop
    std::vector<std::string> journal;
  };
  const std::vector<Case> cases = {
      {"done",
       0,
       0,
       {"create ~x.pak", "write ~x.pak", "sync ~x.pak", "close ~x.pak", "rename ~x.pak x.pak",
        "sync folder"}},
      {"a write fails", 2, 0, {"create ~x.pak", "write ~x.pak", "close ~x.pak", "remove ~x.pak"}},
      {"stopped", 0, 1, {"create ~x.pak", "write ~x.pak", "close ~x.pak", "remove ~x.pak"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const Bytes before = MakeArchive({{u"a.bin", Bytes(70000, 1)}, {u"c.bin", {3}}});
    WriteFile(dir / "x.pak", before);
    WriteFile(dir / "b.bin", Bytes(90000, 2));
    FaultyFileSystem faulty;
    faulty.fail_write_at = c.fail_write_at;
    StopAfter stop(c.stop_after == 0 ? 99 : c.stop_after);
    auto counts = pak::EditArchive(faulty, dir / "x.pak", {{dir / "b.bin"}, {}, {}}, stop.progress,
                                   &stop.flag);
    EXPECT_EQ(faulty.journal, c.journal);
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"b.bin", "x.pak"}));
    if (c.fail_write_at == 0 && c.stop_after == 0) {
      ASSERT_TRUE(counts.ok()) << counts.status().message();
      EXPECT_EQ(
          ReadFile(dir / "x.pak"),
          MakeArchive({{u"a.bin", Bytes(70000, 1)}, {u"b.bin", Bytes(90000, 2)}, {u"c.bin", {3}}}));
    } else {
      EXPECT_FALSE(counts.ok());
      EXPECT_EQ(ReadFile(dir / "x.pak"), before);
    }
  }
}

// An archive that pack wrote, changed, extracted and packed again is the same archive, byte for
// byte, as the edited one.
TEST(EditArchive, ExtractingAndPackingTheResultGivesItsBytesBack) {
  TempDir dir;
  fs::create_directory(dir / "in");
  WriteFile(dir / "in" / "alpha.ogg", Bytes(5000, 1));
  WriteFile(dir / "in" / "Delta.txt", std::string("delta"));
  WriteFile(dir / "in" / "gamma.bin", Bytes(200000, 3));
  const std::vector<std::u16string> names = {u"alpha.ogg", u"Delta.txt", u"gamma.bin"};
  ASSERT_TRUE(pak::PackFolder(Fs(), dir / "in", names, dir / "x.pak").ok());
  const auto added = MakeFiles(dir / "new", {{"beta.ogg", Bytes(300, 7)}, {"GAMMA.bin", {4}}});
  auto counts = pak::EditArchive(Fs(), dir / "x.pak", {added, {u"delta.TXT"}, {}});
  ASSERT_TRUE(counts.ok()) << counts.status().message();
  EXPECT_EQ(*counts, (pak::EditCounts{1, 1, 1}));

  fs::create_directory(dir / "out");
  auto archive = pak::OpenPakFile(Fs(), dir / "x.pak");
  ASSERT_TRUE(archive.ok());
  ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir / "out", Cp()).ok());
  auto scan = pak::ScanFolder(Fs(), dir / "out", Cp());
  ASSERT_TRUE(scan.ok());
  ASSERT_TRUE(pak::PackFolder(Fs(), dir / "out", scan->files, dir / "again.pak").ok());
  EXPECT_EQ(ReadFile(dir / "again.pak"), ReadFile(dir / "x.pak"));
  EXPECT_EQ(ReadFile(dir / "out" / "GAMMA.bin"), (Bytes{4}));
}

}  // namespace
