// Extraction, folder scan, comparison and packing on real temporary folders.
#include "codec/workflow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

#include "codec/files_list.h"
#include "codec/reader.h"
#include "codec/text.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using Names = std::vector<std::u16string>;

TEST(Extract, WritesEveryEntryAndTheListInTableOrder) {
  TempDir dir;
  const auto archive = Parse(MakeArchive({{u"a.wav", {1, 2}}, {u"b.bin", {3}}, {u"e", {}}}));
  ASSERT_TRUE(pak::ExtractAll(Fs(), archive, dir.path(), Cp()).ok());
  EXPECT_EQ(ListDir(dir.path()),
            (std::vector<std::string>{"FilesList.txt", "a.ogg", "b.bin", "e"}));
  EXPECT_EQ(ReadFile(dir / "a.ogg"), (Bytes{1, 2}));
  EXPECT_EQ(ReadFile(dir / "b.bin"), (Bytes{3}));
  EXPECT_TRUE(ReadFile(dir / "e").empty());
  EXPECT_EQ(ReadText(dir / "FilesList.txt"), "a.ogg\r\nb.bin\r\ne\r\n");
  // Again into the same folder: the same content, not a second copy of the list.
  ASSERT_TRUE(pak::ExtractAll(Fs(), archive, dir.path(), Cp()).ok());
  EXPECT_EQ(ReadText(dir / "FilesList.txt"), "a.ogg\r\nb.bin\r\ne\r\n");
}

TEST(Extract, ReplacesExistingAndReadOnlyFilesWholly) {
  TempDir dir;
  WriteFile(dir / "a.ogg", std::string(100, 'x'));
  WriteFile(dir / "b.bin", std::string("old"));
  testing_support::MakeReadOnly(dir / "b.bin");
  WriteFile(dir / "FilesList.txt", std::string("stale\r\nlist\r\nlonger than the new one\r\n"));
  testing_support::MakeReadOnly(dir / "FilesList.txt");
  const auto archive = Parse(MakeArchive({{u"a.ogg", {7}}, {u"b.bin", {8}}}));
  ASSERT_TRUE(pak::ExtractAll(Fs(), archive, dir.path(), Cp()).ok());
  EXPECT_EQ(ReadFile(dir / "a.ogg"), (Bytes{7}));
  EXPECT_EQ(ReadFile(dir / "b.bin"), (Bytes{8}));
  EXPECT_EQ(ReadText(dir / "FilesList.txt"), "a.ogg\r\nb.bin\r\n");
}

TEST(Extract, DuplicateNamesKeepTheLaterDataAndAreListedTwice) {
  TempDir dir;
  const auto archive = Parse(MakeArchive({{u"x.wav", {1}}, {u"x.WAV", {2}}}));
  // The on-disk result is the one every extraction left; the failure names the lost entry.
  const pak::Status status = pak::ExtractAll(Fs(), archive, dir.path(), Cp());
  EXPECT_EQ(status.kind(), pak::Status::Kind::kRefused);
  EXPECT_NE(status.message().find("entry 1 (\"x.ogg\") by entry 2"), std::string::npos)
      << status.message();
  EXPECT_EQ(ReadFile(dir / "x.ogg"), (Bytes{2}));
  EXPECT_EQ(ReadText(dir / "FilesList.txt"), "x.ogg\r\nx.ogg\r\n");
}

TEST(Extract, AnUnsafeNameRefusesTheWholeExtraction) {
  for (std::u16string bad : {u"../evil", u"..", u"sub/x", u"filesList.TXT", u"a\\b"}) {
    TempDir dir;
    const auto archive = Parse(MakeArchive({{u"fine.ogg", {1}}, {bad, {2}}}));
    pak::Status status = pak::ExtractAll(Fs(), archive, dir / "", Cp());
    EXPECT_EQ(status.kind(), pak::Status::Kind::kRefused) << pak::ToUtf8(bad);
    EXPECT_NE(status.message().find("entry 2"), std::string::npos);
    EXPECT_TRUE(ListDir(dir.path()).empty()) << pak::ToUtf8(bad);
  }
}

TEST(Extract, AWindowsDeviceNameIsRefusedBeforeAnythingIsWritten) {
  for (std::u16string device : {u"CONIN$", u"conout$.ogg", u"COM\u00B9.wav", u"LPT\u00B3"}) {
    TempDir dir;
    const auto archive = Parse(MakeArchive({{u"fine.ogg", {1}}, {device, {2}}}));
    pak::Status status = pak::ExtractAll(Fs(), archive, dir.path(), Cp(), pak::NameRules::kWindows);
    EXPECT_NE(status.message().find("entry 2"), std::string::npos) << status.message();
    EXPECT_TRUE(ListDir(dir.path()).empty()) << pak::ToUtf8(device);
  }
}

TEST(Extract, AFailureStopsAtThatEntryAndLeavesNoPartialFile) {
  TempDir dir;
  WriteFile(dir / "c.bin", std::string("keep me"));
  const auto archive =
      Parse(MakeArchive({{u"a.bin", {1}}, {u"b.bin", {2}}, {u"c.bin", {3}}, {u"d.bin", {4}}}));
  FaultyFileSystem faulty;
  // Writes: a, b, c <- fails. The list names only the files written.
  faulty.fail_write_at = 3;
  pak::Status status = pak::ExtractAll(faulty, archive, dir.path(), Cp());
  ASSERT_EQ(status.kind(), pak::Status::Kind::kIoError);
  EXPECT_EQ(status.error_number(), 28);
  EXPECT_EQ(ReadText(dir / "FilesList.txt"), "a.bin\r\nb.bin\r\n");
  EXPECT_EQ(ReadText(dir / "c.bin"), "keep me");
  EXPECT_EQ(ListDir(dir.path()),
            (std::vector<std::string>{"FilesList.txt", "a.bin", "b.bin", "c.bin"}));
}

TEST(Extract, AFailedNewFileIsRemovedAndAnOldOneKeptWhole) {
  TempDir dir;
  WriteFile(dir / "old.bin", std::string("keep me"));
  const auto archive = Parse(MakeArchive({{u"new.bin", Bytes(10, 1)}, {u"old.bin", {2}}}));
  for (int fail_at : {1, 2}) {  // the new file's bytes, then the old file's replacement
    FaultyFileSystem faulty;
    faulty.fail_write_at = fail_at;
    EXPECT_FALSE(pak::ExtractAll(faulty, archive, dir.path(), Cp()).ok());
    EXPECT_EQ(ReadText(dir / "old.bin"), "keep me");
    if (fail_at == 1) {
      EXPECT_FALSE(std::filesystem::exists(dir / "new.bin"));
      EXPECT_FALSE(std::filesystem::exists(dir / "FilesList.txt"));
    }
    std::vector<std::string> hidden;
    for (auto& n : ListDir(dir.path())) {
      if (n[0] == '.') hidden.push_back(n);
    }
    EXPECT_TRUE(hidden.empty()) << hidden.size() << " temporary files left";
  }
}

TEST(Extract, StreamsFromAnOpenedArchiveTheSameBytes) {
  TempDir dir;
  Bytes big(3 << 20);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 31);
  WriteFile(dir / "in.pak", MakeArchive({{u"big.wav", big}, {u"small", {5}}}));
  std::filesystem::create_directory(dir / "out");
  auto archive = pak::OpenPakFile(Fs(), dir / "in.pak");
  ASSERT_TRUE(archive.ok());
  ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir / "out", Cp()).ok());
  EXPECT_EQ(ReadFile(dir / "out" / "big.ogg"), big);
  EXPECT_EQ(ReadFile(dir / "out" / "small"), (Bytes{5}));
}

pak::FolderScan Scan(const TempDir& dir) {
  auto scan = pak::ScanFolder(Fs(), dir.path(), Cp());
  EXPECT_TRUE(scan.ok()) << scan.status().message();
  return std::move(scan).value();
}

TEST(ScanAndCompare, AListLargerThanAnyListIsRefusedBeforeItIsRead) {
  const std::uint64_t limit = pak::MaxFilesListSize(Cp());
  EXPECT_EQ(limit, 65535u * (255 + 2));
  struct Case {
    std::uint64_t size;
    bool read;
  };
  for (const Case& c : {Case{limit, true}, Case{limit + 1, false}, Case{64u << 20, false}}) {
    TempDir dir;
    WriteFile(dir / "a.ogg", std::string("x"));
    WriteFile(dir / "fileslist.TXT", std::string("a.ogg\r\n"));
    std::filesystem::resize_file(dir / "fileslist.TXT", c.size);  // sparse: zeros
    auto scan = pak::ScanFolder(Fs(), dir.path(), Cp());
    EXPECT_EQ(scan.ok(), c.read) << c.size;
    if (c.read) continue;
    EXPECT_EQ(scan.status().kind(), pak::Status::Kind::kRefused);
    EXPECT_NE(scan.status().message().find("fileslist.TXT holds " + std::to_string(c.size)),
              std::string::npos)
        << scan.status().message();
  }
}

TEST(ScanAndCompare, AddedAndDeletedIgnoringCase) {
  TempDir dir;
  for (auto n : {"new.ogg", "B.OGG", "a.ogg"}) WriteFile(dir / n, std::string("x"));
  WriteFile(dir / "FilesList.txt", std::string("a.ogg\r\nb.ogg\r\ngone.ogg\r\n"));
  const auto scan = Scan(dir);
  EXPECT_EQ(scan.files, (Names{u"a.ogg", u"B.OGG", u"new.ogg"}));
  EXPECT_TRUE(scan.files_list_found);
  const auto diff = pak::CompareNames(scan);
  EXPECT_EQ(diff.added, (Names{u"new.ogg"}));
  EXPECT_EQ(diff.deleted, (Names{u"gone.ogg"}));
  EXPECT_TRUE(diff.needs_confirmation);

  ASSERT_TRUE(pak::PackFolder(Fs(), dir.path(), scan.files, dir / "out.pak").ok());
  const auto archive = Parse(ReadFile(dir / "out.pak"));
  ASSERT_EQ(archive.size(), 3u);
  EXPECT_EQ(archive[0].name, u"a.ogg");
  EXPECT_EQ(archive[1].name, u"B.ogg");  // stored as B.wav
  EXPECT_EQ(archive[2].name, u"new.ogg");
}

TEST(ScanAndCompare, WhenNoConfirmationIsNeeded) {
  {  // No FilesList.txt: everything is new, nothing to ask.
    TempDir dir;
    WriteFile(dir / "x.ogg", std::string("1"));
    const auto diff = pak::CompareNames(Scan(dir));
    EXPECT_EQ(diff.added, (Names{u"x.ogg"}));
    EXPECT_FALSE(diff.needs_confirmation);
  }
  {  // An exact match ignoring case and the trailing empty piece.
    TempDir dir;
    WriteFile(dir / "X.OGG", std::string("1"));
    WriteFile(dir / "y.bin", std::string("2"));
    WriteFile(dir / "filesLIST.txt", std::string("x.ogg\r\nY.BIN\r\n"));
    const auto diff = pak::CompareNames(Scan(dir));
    EXPECT_TRUE(diff.added.empty());
    EXPECT_TRUE(diff.deleted.empty());
    EXPECT_FALSE(diff.needs_confirmation);
  }
}

TEST(ScanAndCompare, SpecialFilesAndEmptyList) {
  TempDir dir;
  WriteFile(dir / "a.ogg", std::string("1"));
  WriteFile(dir / "FAMILY.bin", std::string("f"));
  WriteFile(dir / ".hidden", std::string("h"));
  std::filesystem::create_directory(dir / "sub");
  WriteFile(dir / "FilesList.txt", std::string());
  auto scan = Scan(dir);
  EXPECT_EQ(scan.files, (Names{u"a.ogg"}));
  EXPECT_TRUE(scan.files_list_found);
  EXPECT_TRUE(scan.recorded_names.empty());
  auto diff = pak::CompareNames(scan);
  EXPECT_EQ(diff.added, (Names{u"a.ogg"}));
  EXPECT_TRUE(diff.needs_confirmation);

  // Family.Bin recorded in the list but never packed: reported as deleted.
  WriteFile(dir / "FilesList.txt", std::string("a.ogg\r\nFamily.Bin\r\n"));
  diff = pak::CompareNames(Scan(dir));
  EXPECT_TRUE(diff.added.empty());
  EXPECT_EQ(diff.deleted, (Names{u"Family.Bin"}));
}

TEST(ScanAndCompare, ScanOrderIsIndependentOfTheFileSystem) {
  TempDir dir;
  for (auto n : {"b", "C", "a", "B"}) WriteFile(dir / n, std::string("x"));
  EXPECT_EQ(Scan(dir).files, (Names{u"a", u"B", u"b", u"C"}));
}

// A file system that sets a stop flag when the scan reaches one of its steps.
class StoppingFileSystem : public FaultyFileSystem {
 public:
  enum class At { kNever, kListing, kLookingUpRecordedFiles };
  StoppingFileSystem(At at, pak::StopFlag& stop) : at_(at), stop_(stop) {}
  pak::Result<pak::FolderListing> ListFolder(const pak::Path& folder) override {
    if (at_ == At::kListing) stop_ = true;
    return FaultyFileSystem::ListFolder(folder);
  }
  bool IsFile(const pak::Path& path) override {
    if (at_ == At::kLookingUpRecordedFiles) stop_ = true;
    return FaultyFileSystem::IsFile(path);
  }

 private:
  At at_;
  pak::StopFlag& stop_;
};

TEST(ScanAndCompare, AStopEndsTheScanWithoutAList) {
  using At = StoppingFileSystem::At;
  TempDir dir;
  WriteFile(dir / "a.ogg", std::string("1"));
  WriteFile(dir / ".hidden.ogg", std::string("h"));  // recorded, so looked up by name
  WriteFile(dir / "FilesList.txt", std::string("a.ogg\r\n.hidden.ogg\r\n"));
  const struct {
    const char* what;
    bool set_before;
    At at;
    bool stopped;
  } kCases[] = {
      {"never", false, At::kNever, false},
      {"before the scan", true, At::kNever, true},
      {"while listing", false, At::kListing, true},
      {"while looking up recorded files", false, At::kLookingUpRecordedFiles, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    pak::StopFlag stop(c.set_before);
    StoppingFileSystem fs(c.at, stop);
    auto scan = pak::ScanFolder(fs, dir.path(), Cp(), &stop);
    if (c.stopped) {
      EXPECT_EQ(scan.status().kind(), pak::Status::Kind::kCancelled);
    } else {
      ASSERT_TRUE(scan.ok()) << scan.status().message();
      EXPECT_EQ(scan->files, (Names{u".hidden.ogg", u"a.ogg"}));
    }
  }
}

class PackReplace : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir_ / "a.ogg", Bytes{1, 2, 3});
    WriteFile(dir_ / "b.ogg", Bytes(100000, 9));
    WriteFile(target_, std::string("the old archive"));
  }
  void ExpectOldArchiveWholeAndNoLeftovers() {
    EXPECT_EQ(ReadText(target_), "the old archive");
    EXPECT_EQ(ListDir(dir_.path()), (std::vector<std::string>{"a.ogg", "b.ogg", "old.pak"}));
  }
  TempDir dir_;
  std::filesystem::path target_ = dir_ / "old.pak";
  Names names_ = {u"a.ogg", u"b.ogg"};
};

TEST_F(PackReplace, AFailedWriteAtAnyPointLeavesTheOldArchive) {
  // Header+directory, a's bytes, b's bytes, the final directory patch.
  for (int fail_at = 1; fail_at <= 4; ++fail_at) {
    FaultyFileSystem faulty;
    faulty.fail_write_at = fail_at;
    EXPECT_FALSE(pak::PackFolder(faulty, dir_.path(), names_, target_).ok()) << fail_at;
    ExpectOldArchiveWholeAndNoLeftovers();
  }
}

TEST_F(PackReplace, AFailedRenameOrAVanishedFileLeavesTheOldArchive) {
  FaultyFileSystem faulty;
  faulty.fail_replace = true;
  EXPECT_FALSE(pak::PackFolder(faulty, dir_.path(), names_, target_).ok());
  ExpectOldArchiveWholeAndNoLeftovers();

  Names with_missing = {u"a.ogg", u"vanished.ogg", u"b.ogg"};
  pak::Status status = pak::PackFolder(Fs(), dir_.path(), with_missing, target_);
  EXPECT_NE(status.message().find("vanished.ogg"), std::string::npos);
  ExpectOldArchiveWholeAndNoLeftovers();
}

TEST_F(PackReplace, ReplacesAReadOnlyTargetAndMatchesTheInMemoryBuild) {
  testing_support::MakeReadOnly(target_);
  ASSERT_TRUE(pak::PackFolder(Fs(), dir_.path(), names_, target_).ok());
  auto built = pak::BuildPak(Fs(), dir_.path(), names_);
  ASSERT_TRUE(built.ok());
  EXPECT_EQ(ReadFile(target_), *built);
}

TEST_F(PackReplace, AStopBeforeAnyFileOrBetweenFilesLeavesTheOldArchive) {
  for (std::size_t stop_after : {0u, 1u}) {
    StopAfter stop(stop_after);
    const pak::Status status =
        pak::PackFolder(Fs(), dir_.path(), names_, target_, stop.progress, false, &stop.flag);
    EXPECT_EQ(status.kind(), pak::Status::Kind::kCancelled) << stop_after;
    ExpectOldArchiveWholeAndNoLeftovers();
  }
}

TEST(Extract, AStopBetweenEntriesLeavesWholeEntriesAndAListOfThem) {
  struct Case {
    std::size_t stop_after;
    std::vector<std::string> files;
    std::string list;
  };
  const Case cases[] = {
      {0, {}, ""},
      {1, {"FilesList.txt", "a.ogg"}, "a.ogg\r\n"},
      {2, {"FilesList.txt", "a.ogg", "b.bin"}, "a.ogg\r\nb.bin\r\n"},
  };
  const auto archive =
      Parse(MakeArchive({{u"a.ogg", {1, 2}}, {u"b.bin", Bytes(5000, 3)}, {u"c", {4}}}));
  for (const Case& c : cases) {
    TempDir dir;
    StopAfter stop(c.stop_after);
    const pak::Status status = pak::ExtractAll(Fs(), archive, dir.path(), Cp(),
                                               pak::HostNameRules(), stop.progress, &stop.flag);
    EXPECT_EQ(status.kind(), pak::Status::Kind::kCancelled) << c.stop_after;
    EXPECT_EQ(ListDir(dir.path()), c.files) << c.stop_after;
    if (c.stop_after > 0) {
      EXPECT_EQ(ReadFile(dir / "a.ogg"), (Bytes{1, 2}));
      EXPECT_EQ(ReadText(dir / "FilesList.txt"), c.list);
    }
    if (c.stop_after > 1) {
      EXPECT_EQ(ReadFile(dir / "b.bin"), Bytes(5000, 3));
    }
  }
}

// A stop asked for by the progress report once `bytes` bytes are copied.
struct StopInside {
  pak::StopFlag flag{false};
  std::uint64_t bytes;
  pak::Progress progress = [this](const pak::ProgressCount& count) {
    if (count.bytes >= bytes) flag = true;
  };
};

Bytes Pattern(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 4099);
  return bytes;
}

TEST(Extract, AStopInsideALargeEntryDropsItAndKeepsEveryOtherFileWhole) {
  struct Case {
    const char* what;
    bool big_first;  // the large entry comes first, or after a.wav
    bool from_file;  // streamed from an opened archive, or parsed from memory
    bool old_big;    // an earlier big.bin is in the folder
    bool old_a;      // and an earlier a.ogg, which the new one waits to replace when the stop comes
    std::vector<std::string> files;
  };
  const Case cases[] = {
      {"first entry", true, true, false, false, {}},
      {"second entry, from a file", false, true, false, false, {"FilesList.txt", "a.ogg"}},
      {"second entry, in memory", false, false, false, false, {"FilesList.txt", "a.ogg"}},
      {"second entry over an old file",
       false,
       true,
       true,
       false,
       {"FilesList.txt", "a.ogg", "big.bin"}},
      // The waiting a.ogg is dropped rather than flushed: the old one stays, and so does the list.
      {"over an earlier extraction", false, true, true, true, {"a.ogg", "big.bin"}},
  };
  const Bytes big = Pattern(3 * pak::kCopyChunk + 5);
  for (const Case& c : cases) {
    TempDir dir;
    const Bytes bytes = c.big_first
                            ? MakeArchive({{u"big.bin", big}, {u"a.wav", {1, 2}}})
                            : MakeArchive({{u"a.wav", {1, 2}}, {u"big.bin", big}, {u"c", {4}}});
    WriteFile(dir / "in.pak", bytes);
    const auto folder = dir / "out";
    std::filesystem::create_directory(folder);
    if (c.old_big) WriteFile(folder / "big.bin", std::string("old"));
    if (c.old_a) WriteFile(folder / "a.ogg", std::string("old a"));
    auto opened = pak::OpenPakFile(Fs(), dir / "in.pak");
    ASSERT_TRUE(opened.ok());
    const pak::PakArchive archive = c.from_file ? std::move(opened).value() : Parse(bytes);
    // Once the large entry's first chunk is copied.
    StopInside stop{.bytes = c.big_first ? 1u : 3u};
    const pak::Status status = pak::ExtractAll(Fs(), archive, folder, Cp(), pak::HostNameRules(),
                                               stop.progress, &stop.flag);
    EXPECT_EQ(status.kind(), pak::Status::Kind::kCancelled) << c.what;
    EXPECT_EQ(ListDir(folder), c.files) << c.what;
    if (c.old_a) {
      EXPECT_EQ(ReadText(folder / "a.ogg"), "old a") << c.what;
    } else if (!c.big_first) {
      EXPECT_EQ(ReadFile(folder / "a.ogg"), (Bytes{1, 2})) << c.what;
      EXPECT_EQ(ReadText(folder / "FilesList.txt"), "a.ogg\r\n") << c.what;
    }
    if (c.old_big) {
      EXPECT_TRUE(ReadText(folder / "big.bin") == "old") << c.what;
    }
  }
}

TEST_F(PackReplace, AStopInsideALargeFileLeavesTheOldArchive) {
  WriteFile(dir_ / "b.ogg", Pattern(3 * pak::kCopyChunk));
  StopInside stop{.bytes = 4};
  const pak::Status status =
      pak::PackFolder(Fs(), dir_.path(), names_, target_, stop.progress, false, &stop.flag);
  EXPECT_EQ(status.kind(), pak::Status::Kind::kCancelled);
  ExpectOldArchiveWholeAndNoLeftovers();
}

// Every report of an extraction and of a pack: the counts never go back, the totals stay, a
// large entry is reported inside, and the last report is the whole.
TEST(Progress, BytesAndEntriesRiseToTheirTotals) {
  TempDir dir;
  const Bytes big = Pattern(2 * pak::kCopyChunk + 3);
  std::filesystem::create_directory(dir / "in");
  WriteFile(dir / "in" / "a.ogg", Bytes{1, 2, 3});
  WriteFile(dir / "in" / "big.bin", big);
  WriteFile(dir / "in" / "e", Bytes{});
  const Names names = {u"a.ogg", u"big.bin", u"e"};
  const std::uint64_t total = 3 + big.size();
  std::vector<pak::ProgressCount> reports;
  const pak::Progress progress = [&](const pak::ProgressCount& count) { reports.push_back(count); };
  using Work = std::function<pak::Status()>;
  const struct {
    const char* what;
    Work work;
  } cases[] = {
      {"pack", [&] { return pak::PackFolder(Fs(), dir / "in", names, dir / "x.pak", progress); }},
      {"extract from a file",
       [&] {
         auto archive = pak::OpenPakFile(Fs(), dir / "x.pak");
         if (!archive.ok()) return archive.status();
         return pak::ExtractAll(Fs(), *archive, dir / "out", Cp(), pak::HostNameRules(), progress);
       }},
      {"extract the selection",
       [&] {
         auto archive = pak::OpenPakFile(Fs(), dir / "x.pak");
         if (!archive.ok()) return archive.status();
         const std::vector<std::size_t> all = {0, 1, 2};
         return pak::ExtractSelected(Fs(), *archive, dir / "out", all, pak::HostNameRules(),
                                     progress);
       }},
  };
  std::filesystem::create_directory(dir / "out");
  for (const auto& c : cases) {
    reports.clear();
    ASSERT_TRUE(c.work().ok()) << c.what;
    ASSERT_FALSE(reports.empty()) << c.what;
    EXPECT_EQ(reports.back(), (pak::ProgressCount{3, 3, total, total})) << c.what;
    bool inside = false;
    for (std::size_t k = 0; k < reports.size(); ++k) {
      EXPECT_EQ(reports[k].entries_total, 3u) << c.what;
      EXPECT_EQ(reports[k].bytes_total, total) << c.what;
      EXPECT_LE(reports[k].bytes, total) << c.what;
      if (k > 0) {
        EXPECT_GE(reports[k].bytes, reports[k - 1].bytes) << c.what << " " << k;
        EXPECT_GE(reports[k].entries, reports[k - 1].entries) << c.what << " " << k;
      }
      inside = inside || (reports[k].entries == 1 && reports[k].bytes > 3);
    }
    EXPECT_TRUE(inside) << c.what << ": no report inside the large entry";
  }
}

// What reaches the disk, in which order. A file that takes another's place is written, flushed,
// closed, moved over the old name, and then the folder is flushed; a file made where nothing
// stood is neither flushed nor moved.
class DurableReplace : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(in_);
    std::filesystem::create_directory(out_);
    WriteFile(in_ / "a.ogg", Bytes{1, 2, 3});
    WriteFile(in_ / "b.ogg", Bytes(100000, 9));
  }
  pak::Status Pack(FaultyFileSystem& fs) {
    return pak::PackFolder(fs, in_, Names{u"a.ogg", u"b.ogg"}, dir_ / "old.pak");
  }
  pak::Status Extract(FaultyFileSystem& fs) { return pak::ExtractAll(fs, archive_, out_, Cp()); }
  std::vector<std::string> Hidden() {
    std::vector<std::string> hidden;
    for (const auto& folder : {dir_.path(), out_}) {
      for (auto& name : ListDir(folder)) {
        if (name[0] == '.') hidden.push_back(name);
      }
    }
    return hidden;
  }
  TempDir dir_;
  std::filesystem::path in_ = dir_ / "in";
  std::filesystem::path out_ = dir_ / "out";
  pak::PakArchive archive_ = Parse(MakeArchive({{u"a.bin", {1}}, {u"b.bin", {2}}}));
};

TEST_F(DurableReplace, TheOrderOfWritesFlushesAndMoves) {
  using Journal = std::vector<std::string>;
  const Journal pack = {"create ~old.pak", "write ~old.pak",          "sync ~old.pak",
                        "close ~old.pak",  "rename ~old.pak old.pak", "sync folder"};
  struct Case {
    const char* what;
    bool pack;
    std::vector<std::string> existing;  // files made beforehand in the folder written to
    Journal journal;
    bool unnamed = false;  // whether the system's unnamed files are used
  };
  const std::vector<Case> cases = {
      {"pack onto an old archive", true, {"old.pak"}, pack},
      // Packing always goes through a temporary: a new name gets the same care.
      {"pack onto a new name", true, {}, pack},
      {"extract into an empty folder",
       false,
       {},
       {"create ~FilesList.txt", "create ~a.bin", "write ~a.bin", "close ~a.bin",
        "rename ~a.bin a.bin", "create ~b.bin", "write ~b.bin", "close ~b.bin",
        "rename ~b.bin b.bin", "write ~FilesList.txt", "close ~FilesList.txt",
        "rename ~FilesList.txt FilesList.txt"}},
      {"extract over an old list and an old file",
       false,
       {"FilesList.txt", "b.bin"},
       {"create ~FilesList.txt", "create ~a.bin", "write ~a.bin", "close ~a.bin",
        "rename ~a.bin a.bin", "create ~b.bin", "write ~b.bin", "sync ~b.bin", "close ~b.bin",
        "rename ~b.bin b.bin", "write ~FilesList.txt", "sync ~FilesList.txt",
        "close ~FilesList.txt", "rename ~FilesList.txt FilesList.txt", "sync folder"}},
      // A new file takes a free name in the same step that proves it free; only one that
      // replaces another waits for its flush.
      {"extract unnamed files into an empty folder",
       false,
       {},
       {"create unnamed FilesList.txt", "create unnamed a.bin", "write a.bin", "publish new a.bin",
        "create unnamed b.bin", "write b.bin", "publish new b.bin", "write FilesList.txt",
        "publish FilesList.txt"},
       true},
      {"extract unnamed files over an old list and an old file",
       false,
       {"FilesList.txt", "b.bin"},
       {"create unnamed FilesList.txt", "create unnamed a.bin", "write a.bin", "publish new a.bin",
        "create unnamed b.bin", "write b.bin", "sync b.bin", "publish b.bin", "write FilesList.txt",
        "sync FilesList.txt", "publish FilesList.txt", "sync folder"},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto folder = c.pack ? dir_.path() : out_;
    for (const auto& name : {"old.pak", "FilesList.txt", "a.bin", "b.bin"}) {
      std::filesystem::remove(folder / name);
    }
    for (const auto& name : c.existing) WriteFile(folder / name, std::string("old"));
    FaultyFileSystem fs;
    fs.unnamed_files = c.unnamed;
    ASSERT_TRUE((c.pack ? Pack(fs) : Extract(fs)).ok());
    EXPECT_EQ(fs.journal, c.journal);
    EXPECT_TRUE(Hidden().empty());
  }
  EXPECT_EQ(ReadText(out_ / "FilesList.txt"), "a.bin\r\nb.bin\r\n");
  EXPECT_EQ(ReadFile(out_ / "b.bin"), (Bytes{2}));
}

TEST_F(DurableReplace, AFailedFlushLeavesTheOldFileWholeAndNoTemporary) {
  struct Case {
    const char* what;
    bool pack;
    int fail_sync_at;
    const char* not_done;  // a step that must not have happened
    const char* list;      // FilesList.txt afterwards
    const char* b;         // b.bin afterwards
  };
  const std::vector<Case> cases = {
      {"the new archive's flush", true, 1, "rename ~old.pak old.pak", "the old list", "the old b"},
      // The entry is not written; the list names what was.
      {"a replacing entry's flush", false, 1, "rename ~b.bin b.bin", "a.bin\r\n", "the old b"},
      {"the list's flush", false, 2, "rename ~FilesList.txt FilesList.txt", "the old list", "\x02"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(out_ / "a.bin");
    WriteFile(dir_ / "old.pak", std::string("the old archive"));
    WriteFile(out_ / "FilesList.txt", std::string("the old list"));
    WriteFile(out_ / "b.bin", std::string("the old b"));
    FaultyFileSystem fs;
    fs.fail_sync_at = c.fail_sync_at;
    const pak::Status status = c.pack ? Pack(fs) : Extract(fs);
    EXPECT_EQ(status.kind(), pak::Status::Kind::kIoError);
    EXPECT_EQ(status.message(), "injected flush failure");
    EXPECT_EQ(std::count(fs.journal.begin(), fs.journal.end(), c.not_done), 0);
    EXPECT_EQ(ReadText(dir_ / "old.pak"), "the old archive");
    EXPECT_EQ(ReadText(out_ / "b.bin"), c.b);
    EXPECT_EQ(ReadText(out_ / "FilesList.txt"), c.list);
    EXPECT_TRUE(Hidden().empty()) << Hidden().front();
  }
}

// Files that replace others are flushed together, with one call for the whole file system, and
// take their names after it; where that call fails, each is flushed on its own. No file takes a
// name before its bytes are flushed, and the list follows the archive's order.
TEST_F(DurableReplace, ReplacingFilesAreFlushedTogether) {
  struct Case {
    const char* what;
    bool fail_sync_all;
    std::vector<std::string> journal;
  };
  const std::vector<Case> cases = {
      {"one flush for the batch",
       false,
       {"create ~FilesList.txt", "create ~a.bin", "write ~a.bin", "create ~b.bin", "write ~b.bin",
        "sync all", "close ~a.bin", "rename ~a.bin a.bin", "close ~b.bin", "rename ~b.bin b.bin",
        "write ~FilesList.txt", "sync ~FilesList.txt", "close ~FilesList.txt",
        "rename ~FilesList.txt FilesList.txt", "sync folder"}},
      {"each on its own when that fails",
       true,
       {"create ~FilesList.txt", "create ~a.bin", "write ~a.bin", "create ~b.bin", "write ~b.bin",
        "sync all", "sync ~a.bin", "close ~a.bin", "rename ~a.bin a.bin", "sync ~b.bin",
        "close ~b.bin", "rename ~b.bin b.bin", "write ~FilesList.txt", "sync ~FilesList.txt",
        "close ~FilesList.txt", "rename ~FilesList.txt FilesList.txt", "sync folder"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& name : {"FilesList.txt", "a.bin", "b.bin"}) {
      WriteFile(out_ / name, std::string("old"));
    }
    FaultyFileSystem fs;
    fs.sync_file_system = true;
    fs.fail_file_system_sync = c.fail_sync_all;
    ASSERT_TRUE(Extract(fs).ok());
    EXPECT_EQ(fs.journal, c.journal);
    EXPECT_EQ(ReadText(out_ / "FilesList.txt"), "a.bin\r\nb.bin\r\n");
    EXPECT_EQ(ReadFile(out_ / "b.bin"), (Bytes{2}));
    EXPECT_TRUE(Hidden().empty());
  }
}

// A batch is bounded (each waiting file holds an open file), and an archive of many entries over
// an old extraction ends whole, its list in the archive's order even where new files took their
// names before older ones that waited.
TEST_F(DurableReplace, ManyReplacedFilesGoInBatches) {
  // Every other file replaces one; fewer wait together where the process may open few files.
  const struct {
    std::optional<std::size_t> spare;
    int files;
    long syncs;
  } kCases[] = {{std::nullopt, 600, 2},  // 256 + 44
                {100, 600, 3},
                {7, 60, 5},
                {1, 60, 30},
                {0, 60, 30}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.spare ? std::to_string(*c.spare) : "unbounded");
    std::filesystem::remove_all(out_);
    std::filesystem::create_directory(out_);
    std::vector<testing_support::RawEntry> entries;
    std::string list;
    for (int i = 0; i < c.files; ++i) {
      const std::string name = "f" + std::to_string(i);
      entries.push_back({std::u16string(name.begin(), name.end()), {static_cast<std::uint8_t>(i)}});
      list += name + "\r\n";
      if (i % 2 == 0) WriteFile(out_ / name, std::string("old"));
    }
    const pak::PakArchive archive = Parse(MakeArchive(entries));
    FaultyFileSystem fs;
    fs.sync_file_system = true;
    fs.spare_file_handles = c.spare;
    ASSERT_TRUE(pak::ExtractAll(fs, archive, out_, Cp()).ok());
    EXPECT_EQ(std::count(fs.journal.begin(), fs.journal.end(), "sync all"), c.syncs);
    EXPECT_EQ(ReadText(out_ / "FilesList.txt"), list);
    const int last = c.files - 2;
    EXPECT_EQ(ReadFile(out_ / ("f" + std::to_string(last))),
              (Bytes{static_cast<std::uint8_t>(last % 256)}));
    EXPECT_TRUE(Hidden().empty());
  }
}

TEST_F(DurableReplace, AFailedFolderFlushIsReportedAfterTheMove) {
  WriteFile(dir_ / "old.pak", std::string("the old archive"));
  WriteFile(out_ / "b.bin", std::string("the old b"));
  for (bool pack : {true, false}) {
    FaultyFileSystem fs;
    fs.fail_folder_sync = true;
    const pak::Status status = pack ? Pack(fs) : Extract(fs);
    // The new file is whole in its place, but not known to last: that is no success.
    EXPECT_EQ(status.message(), "injected folder flush failure") << pack;
    EXPECT_TRUE(Hidden().empty());
  }
  auto built = pak::BuildPak(Fs(), in_, Names{u"a.ogg", u"b.ogg"});
  ASSERT_TRUE(built.ok());
  EXPECT_EQ(ReadFile(dir_ / "old.pak"), *built);
  EXPECT_EQ(ReadFile(out_ / "b.bin"), (Bytes{2}));
}

TEST(FileSync, WritesWhatWasGatheredBeforeFlushing) {
  TempDir dir;
  WriteFile(dir / "small", Bytes{4, 5, 6});
  auto in = Fs().OpenForRead(dir / "small");
  ASSERT_TRUE(in.ok());
  pak::Path written;
  auto out = Fs().CreateTemporary(dir.path(), u"out", &written);
  ASSERT_TRUE(out.ok());
  ASSERT_TRUE((*out)->Append(Bytes{1, 2, 3}).ok());
  ASSERT_TRUE((*out)->AppendFrom(**in, 0, 3).ok());  // small: may wait in memory
  ASSERT_TRUE((*out)->Sync().ok());
  EXPECT_EQ(ReadFile(written), (Bytes{1, 2, 3, 4, 5, 6}));  // before Close
  ASSERT_TRUE((*out)->Close().ok());
  // A flush of a closed file is reported, not taken for done.
  const pak::Status closed = (*out)->Sync();
  EXPECT_EQ(closed.kind(), pak::Status::Kind::kIoError);
  EXPECT_NE(closed.message().find("Cannot flush"), std::string::npos) << closed.message();
  EXPECT_TRUE(Fs().SyncFolder(dir.path()).ok());
#ifndef _WIN32
  const pak::Status missing = Fs().SyncFolder(dir / "absent");
  EXPECT_EQ(missing.kind(), pak::Status::Kind::kIoError);
  EXPECT_NE(missing.message().find("Cannot flush"), std::string::npos) << missing.message();
#endif
}

TEST(RoundTrip, PackingSmallAndLargeFilesMatchesTheInMemoryBuild) {
  // Small files are gathered into one write, large ones copied by the kernel:
  // both paths, interleaved, must lay out the same bytes.
  TempDir dir;
  Names names;
  for (int i = 0; i < 300; ++i) {
    const size_t size =
        (i % 50 == 7) ? 200000 + static_cast<size_t>(i) : static_cast<size_t>(i % 13);
    Bytes bytes(size);
    for (size_t j = 0; j < size; ++j) bytes[j] = static_cast<std::uint8_t>(i * 7 + j);
    const std::string name = "f" + std::to_string(1000 + i) + ".ogg";
    WriteFile(dir / name, bytes);
    names.push_back(pak::FromUtf8(name));
  }
  ASSERT_TRUE(pak::PackFolder(Fs(), dir.path(), names, dir / "out.pak").ok());
  auto built = pak::BuildPak(Fs(), dir.path(), names);
  ASSERT_TRUE(built.ok());
  EXPECT_EQ(ReadFile(dir / "out.pak"), *built);
}

TEST(RoundTrip, ExtractThenPackGivesTheSameArchiveForSortedLowerCaseWav) {
  TempDir dir;
  const Bytes original =
      MakeArchive({{u"alpha.wav", {1, 2}}, {u"Beta.bin", {}}, {u"gamma.wav", Bytes(5000, 7)}});
  WriteFile(dir / "in.pak", original);
  std::filesystem::create_directory(dir / "x");
  auto archive = pak::LoadPakFile(Fs(), dir / "in.pak");
  ASSERT_TRUE(archive.ok());
  ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir / "x", Cp()).ok());
  auto scan = pak::ScanFolder(Fs(), dir / "x", Cp());
  ASSERT_TRUE(scan.ok());
  EXPECT_FALSE(pak::CompareNames(*scan).needs_confirmation);
  ASSERT_TRUE(pak::PackFolder(Fs(), dir / "x", scan->files, dir / "out.pak").ok());
  EXPECT_EQ(ReadFile(dir / "out.pak"), original);
}

}  // namespace

namespace {

// The archive as a target, with no link involved, so that every system runs it.
TEST(Identity, TheArchiveItselfIsNeverATarget) {
  const Bytes bytes = MakeArchive({{u"a.bin", {1}}, {u"in.pak", {2}}});
  {  // Extracting into the archive's own folder, an entry named like the archive.
    TempDir dir;
    WriteFile(dir / "in.pak", bytes);
    auto archive = pak::LoadPakFile(Fs(), dir / "in.pak");
    ASSERT_TRUE(archive.ok());
    pak::Status status = pak::ExtractAll(Fs(), *archive, dir.path(), Cp());
    EXPECT_EQ(status.kind(), pak::Status::Kind::kRefused);
    EXPECT_NE(status.message().find("entry 2 (\"in.pak\")"), std::string::npos) << status.message();
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"in.pak"}));
    EXPECT_EQ(ReadFile(dir / "in.pak"), bytes);
  }
  {  // The archive is the folder's FilesList.txt.
    TempDir dir;
    WriteFile(dir / "FilesList.txt", MakeArchive({{u"a.bin", {1}}}));
    auto archive = pak::OpenPakFile(Fs(), dir / "FilesList.txt");
    ASSERT_TRUE(archive.ok());
    EXPECT_EQ(pak::ExtractAll(Fs(), *archive, dir.path(), Cp()).kind(),
              pak::Status::Kind::kRefused);
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"FilesList.txt"}));
  }
  {  // Packing onto one of the files being packed.
    TempDir dir;
    WriteFile(dir / "a.ogg", std::string("a"));
    WriteFile(dir / "b.ogg", std::string("b"));
    pak::Status status =
        pak::PackFolder(Fs(), dir.path(), Names{u"a.ogg", u"b.ogg"}, dir / "b.ogg");
    EXPECT_EQ(status.kind(), pak::Status::Kind::kRefused);
    EXPECT_EQ(ReadText(dir / "b.ogg"), "b");
  }
}

}  // namespace
