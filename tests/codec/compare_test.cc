// Comparing a folder's files with an archive's entries, and reading a packed
// archive back.
#include "codec/compare.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "codec/reader.h"
#include "codec/text.h"
#include "codec/workflow.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::Bytes;
using testing_support::FaultyFileSystem;
using testing_support::ListDir;
using testing_support::MakeArchive;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteFile;
using Names = std::vector<std::u16string>;

// Larger than the comparison's buffer, so that a file is read in several pieces.
constexpr std::size_t kLarge = 600 * 1024 + 7;

Bytes Pattern(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

Bytes Flipped(Bytes bytes, std::size_t at) {
  bytes[at] ^= 0x40;
  return bytes;
}

// Counts the bytes read from each file other than the archive.
class CountingFileSystem : public FaultyFileSystem {
 public:
  std::map<std::string, std::uint64_t> bytes_read;

  pak::Result<std::unique_ptr<pak::InputFile>> OpenForRead(const pak::Path& path) override {
    auto real = FaultyFileSystem::OpenForRead(path);
    if (!real.ok()) return real.status();
    return std::unique_ptr<pak::InputFile>(
        new Counted(std::move(real).value(), &bytes_read[path.filename().string()]));
  }

 private:
  class Counted final : public pak::InputFile {
   public:
    Counted(std::unique_ptr<pak::InputFile> real, std::uint64_t* count)
        : real_(std::move(real)), count_(count) {}
    std::uint64_t size() const override { return real_->size(); }
    pak::Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
      *count_ += out.size();
      return real_->ReadAt(offset, out);
    }

   private:
    std::unique_ptr<pak::InputFile> real_;
    std::uint64_t* count_;
  };
};

struct FolderCase {
  const char* what;
  std::vector<std::pair<std::string, Bytes>> files;  // what the folder holds
  Names added, deleted, modified;
};

TEST(CompareWithArchive, FindsAddedDeletedAndModifiedFiles) {
  const Bytes large = Pattern(kLarge, 3);
  const Bytes archive_bytes =
      MakeArchive({{u"a.wav", {1, 2, 3}}, {u"b.bin", {4}}, {u"empty", {}}, {u"big.dat", large}});
  const std::vector<std::pair<std::string, Bytes>> same = {
      {"a.ogg", {1, 2, 3}}, {"b.bin", {4}}, {"empty", {}}, {"big.dat", large}};
  auto with = [&](const std::string& name, std::optional<Bytes> bytes) {
    auto files = same;
    std::erase_if(files, [&](const auto& f) { return f.first == name; });
    if (bytes) files.emplace_back(name, *bytes);
    return files;
  };
  const FolderCase cases[] = {
      {"the extracted folder", same, {}, {}, {}},
      {"a byte changed", with("a.ogg", Bytes{1, 9, 3}), {}, {}, {u"a.ogg"}},
      {"a file grown", with("b.bin", Bytes{4, 4}), {}, {}, {u"b.bin"}},
      {"an empty entry filled", with("empty", Bytes{0}), {}, {}, {u"empty"}},
      {"a file emptied", with("b.bin", Bytes{}), {}, {}, {u"b.bin"}},
      {"the first byte of a large file", with("big.dat", Flipped(large, 0)), {}, {}, {u"big.dat"}},
      {"the last byte of a large file",
       with("big.dat", Flipped(large, kLarge - 1)),
       {},
       {},
       {u"big.dat"}},
      {"a byte past the first piece",
       with("big.dat", Flipped(large, 256 * 1024)),
       {},
       {},
       {u"big.dat"}},
      {"a file deleted", with("b.bin", std::nullopt), {}, {u"b.bin"}, {}},
      {"a file added", with("new.txt", Bytes{7}), {u"new.txt"}, {}, {}},
      {"the stored name is not the name on disk",
       with("a.wav", Bytes{1, 2, 3}),
       {u"a.wav"},
       {},
       {}},
      {"another letter case is the same file",
       {{"A.OGG", {1, 2, 3}}, {"b.bin", {4}}, {"Empty", {}}, {"BIG.dat", large}},
       {},
       {},
       {}},
      {"everything at once",
       {{"a.ogg", {3, 2, 1}}, {"empty", {}}, {"big.dat", large}, {"z", {}}},
       {u"z"},
       {u"b.bin"},
       {u"a.ogg"}},
  };
  for (const bool from_file : {false, true}) {
    for (const auto& c : cases) {
      TempDir dir;
      WriteFile(dir / "in.pak", archive_bytes);
      std::filesystem::create_directory(dir / "x");
      Names names;
      for (const auto& [name, bytes] : c.files) {
        WriteFile(dir / "x" / name, bytes);
        names.push_back(pak::FromUtf8(name));
      }
      std::sort(names.begin(), names.end(), pak::LessIgnoreCase);
      auto archive = from_file ? pak::OpenPakFile(pak::DefaultFileSystem(), dir / "in.pak")
                               : pak::ParsePak(archive_bytes);
      ASSERT_TRUE(archive.ok());
      auto diff = pak::CompareWithArchive(pak::DefaultFileSystem(), *archive, dir / "x", names);
      ASSERT_TRUE(diff.ok()) << c.what << ": " << diff.status().message();
      const std::string where = std::string(c.what) + (from_file ? " (file)" : " (memory)");
      EXPECT_EQ(diff->added, c.added) << where;
      EXPECT_EQ(diff->deleted, c.deleted) << where;
      EXPECT_EQ(diff->modified, c.modified) << where;
      EXPECT_EQ(diff->empty(), c.added.empty() && c.deleted.empty() && c.modified.empty()) << where;
    }
  }
}

TEST(CompareWithArchive, NamesThatDifferInCaseFollowTheFileSystemsRules) {
  using pak::NameRules;
  struct Case {
    const char* what;
    NameRules rules;
    std::vector<std::pair<std::string, Bytes>> files;
    Names added, deleted, modified;
  };
  // x and X are one file where case is ignored, holding the later entry's bytes.
  const Case cases[] = {
      {"one file, the later bytes", NameRules::kWindows, {{"x", {2}}}, {}, {u"y"}, {}},
      {"one file, the earlier bytes", NameRules::kWindows, {{"x", {1}}}, {}, {u"y"}, {u"x"}},
      {"one file per name", NameRules::kPosix, {{"X", {2}}, {"x", {1}}}, {}, {u"y"}, {}},
      {"each compared with its own entry",
       NameRules::kPosix,
       {{"X", {2}}, {"x", {9}}},
       {},
       {u"y"},
       {u"x"}},
      {"one of the two", NameRules::kPosix, {{"x", {1}}}, {}, {u"y", u"X"}, {}},
      {"the exact name before another case",
       NameRules::kPosix,
       {{"Y", {6}}, {"y", {6}}},
       {u"Y"},
       {u"x", u"X"},
       {}},
  };
  auto archive = pak::ParsePak(MakeArchive({{u"x", {1}}, {u"y", {5}}, {u"X", {2}}, {u"y", {6}}}));
  ASSERT_TRUE(archive.ok());
  for (const auto& c : cases) {
    if (c.files.size() > 1 && pak::HostNameRules() == NameRules::kWindows) continue;
    TempDir dir;
    Names names;
    for (const auto& [name, bytes] : c.files) {
      WriteFile(dir / name, bytes);
      names.push_back(pak::FromUtf8(name));
    }
    auto diff =
        pak::CompareWithArchive(pak::DefaultFileSystem(), *archive, dir.path(), names, c.rules);
    ASSERT_TRUE(diff.ok()) << c.what;
    EXPECT_EQ(diff->added, c.added) << c.what;
    EXPECT_EQ(diff->deleted, c.deleted) << c.what;
    EXPECT_EQ(diff->modified, c.modified) << c.what;
  }
}

TEST(CompareWithArchive, ReadsSizesFirstAndEachFileAtMostOnce) {
  TempDir dir;
  const Bytes large = Pattern(kLarge, 9);
  const Bytes archive_bytes =
      MakeArchive({{u"same.bin", large}, {u"other_size.bin", large}, {u"early.bin", large}});
  WriteFile(dir / "in.pak", archive_bytes);
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "x" / "same.bin", large);
  WriteFile(dir / "x" / "other_size.bin", Pattern(kLarge + 1, 9));
  WriteFile(dir / "x" / "early.bin", Flipped(large, 10));
  CountingFileSystem fs;
  auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), dir / "in.pak");
  ASSERT_TRUE(archive.ok());
  auto diff = pak::CompareWithArchive(fs, *archive, dir / "x",
                                      Names{u"early.bin", u"other_size.bin", u"same.bin"});
  ASSERT_TRUE(diff.ok());
  EXPECT_EQ(diff->modified, (Names{u"early.bin", u"other_size.bin"}));
  EXPECT_EQ(fs.bytes_read["same.bin"], kLarge);
  EXPECT_EQ(fs.bytes_read["other_size.bin"], 0u);
  // Stops at the first differing piece.
  EXPECT_LT(fs.bytes_read["early.bin"], kLarge);
}

TEST(CompareWithArchive, AFileThatCannotBeReadIsAnError) {
  TempDir dir;
  auto archive = pak::ParsePak(MakeArchive({{u"a", {1}}}));
  ASSERT_TRUE(archive.ok());
  // Listed, but gone by the time it is compared.
  auto diff = pak::CompareWithArchive(pak::DefaultFileSystem(), *archive, dir.path(), Names{u"a"});
  ASSERT_FALSE(diff.ok());
  EXPECT_EQ(diff.status().kind(), pak::Status::Kind::kIoError);
}

// Writes every archive with the last byte of each copied file flipped, as a
// failing disk or a file changed while it was read would.
class CorruptingFileSystem : public FaultyFileSystem {
 public:
  pak::Result<std::unique_ptr<pak::OutputFile>> CreateTemporary(const pak::Path& folder,
                                                                std::u16string_view hint,
                                                                pak::Path* created) override {
    auto real = FaultyFileSystem::CreateTemporary(folder, hint, created);
    if (!real.ok()) return real.status();
    return std::unique_ptr<pak::OutputFile>(new Corrupting(std::move(real).value()));
  }

 private:
  class Corrupting final : public pak::OutputFile {
   public:
    explicit Corrupting(std::unique_ptr<pak::OutputFile> real) : real_(std::move(real)) {}
    pak::Status Append(std::span<const std::uint8_t> bytes) override {
      return real_->Append(bytes);
    }
    pak::Status Sync() override { return real_->Sync(); }
    pak::Status AppendFrom(pak::InputFile& in, std::uint64_t offset, std::uint64_t size) override {
      Bytes bytes(size);
      PAK_RETURN_IF_ERROR(in.ReadAt(offset, bytes));
      if (!bytes.empty()) bytes.back() ^= 1;
      return real_->Append(bytes);
    }
    pak::Status WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
      return real_->WriteAt(offset, bytes);
    }
    std::uint64_t size() const override { return real_->size(); }
    pak::Status Close() override { return real_->Close(); }

   private:
    std::unique_ptr<pak::OutputFile> real_;
  };
};

TEST(PackFolderVerified, KeepsTheOldArchiveWhenTheWrittenOneDiffers) {
  TempDir dir;
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "x" / "a.ogg", Bytes{1, 2});
  WriteFile(dir / "x" / "b.bin", Bytes{3});
  WriteFile(dir / "out.pak", std::string("old"));
  const Names names = {u"a.ogg", u"b.bin"};

  CorruptingFileSystem corrupting;
  pak::Status status =
      pak::PackFolder(corrupting, dir / "x", names, dir / "out.pak", {}, /*verify=*/true);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find("\"a.ogg\""), std::string::npos) << status.message();
  EXPECT_EQ(ReadText(dir / "out.pak"), "old");
  EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"out.pak", "x"}));

  // Without the check the damage goes unnoticed: this is what it is for.
  ASSERT_TRUE(pak::PackFolder(corrupting, dir / "x", names, dir / "out.pak").ok());
  EXPECT_NE(ReadText(dir / "out.pak"), "old");

  ASSERT_TRUE(pak::PackFolder(pak::DefaultFileSystem(), dir / "x", names, dir / "out.pak", {},
                              /*verify=*/true)
                  .ok());
  EXPECT_TRUE(
      pak::VerifyPackedArchive(pak::DefaultFileSystem(), dir / "out.pak", dir / "x", names).ok());
}

TEST(VerifyPackedArchive, NamesTheFileThatDoesNotMatch) {
  TempDir dir;
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "x" / "a.ogg", Bytes{1, 2});
  WriteFile(dir / "x" / "b.bin", Bytes{3});
  const Names names = {u"a.ogg", u"b.bin"};
  ASSERT_TRUE(pak::PackFolder(pak::DefaultFileSystem(), dir / "x", names, dir / "out.pak").ok());
  struct Case {
    const char* what;
    std::function<void()> change;
    Names names;
    const char* named;  // what the message must name
  };
  const Case cases[] = {
      {"a changed byte", [&] { WriteFile(dir / "x" / "b.bin", Bytes{4}); }, names, "\"b.bin\""},
      {"another order", [] {}, Names{u"b.bin", u"a.ogg"}, "\"b.bin\""},
      {"one file more", [] {}, Names{u"a.ogg", u"b.bin", u"c"}, "3"},
      {"a file renamed", [] {}, Names{u"a.bin", u"b.bin"}, "\"a.bin\""},
  };
  for (const auto& c : cases) {
    WriteFile(dir / "x" / "b.bin", Bytes{3});
    c.change();
    const pak::Status status =
        pak::VerifyPackedArchive(pak::DefaultFileSystem(), dir / "out.pak", dir / "x", c.names);
    ASSERT_FALSE(status.ok()) << c.what;
    EXPECT_NE(status.message().find(c.named), std::string::npos)
        << c.what << ": " << status.message();
  }
}

}  // namespace
