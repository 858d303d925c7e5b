// Extraction, folder scan, comparison and packing on real temporary folders.
#include "codec/workflow.h"

#include <gtest/gtest.h>

#include "codec/reader.h"
#include "codec/text.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::Bytes;
using testing_support::FaultyFileSystem;
using testing_support::ListDir;
using testing_support::MakeArchive;
using testing_support::ReadFile;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteFile;
using Names = std::vector<std::u16string>;

pak::FileSystem& Fs() { return pak::DefaultFileSystem(); }
const pak::CodePage& Cp() { return pak::Windows1252(); }

pak::PakArchive Parse(const Bytes& bytes) {
  auto archive = pak::ParsePak(bytes);
  EXPECT_TRUE(archive.ok()) << archive.status().message();
  return std::move(archive).value();
}

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
  ASSERT_TRUE(pak::ExtractAll(Fs(), archive, dir.path(), Cp()).ok());
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
  EXPECT_EQ(archive[0].Name, u"a.ogg");
  EXPECT_EQ(archive[1].Name, u"B.ogg");  // stored as B.wav
  EXPECT_EQ(archive[2].Name, u"new.ogg");
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
