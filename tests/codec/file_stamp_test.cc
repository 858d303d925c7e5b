// File stamps: whatever makes the file at a path another one than before, or changes it, must
// change its stamp; looking again at an untouched file must not.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "codec/file_system.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(FileStamp, ChangesWithTheFileAndOnlyThen) {
  struct Case {
    const char* what;
    std::function<void(const fs::path& file, const fs::path& folder)> change;
    bool same;  // the stamp is expected unchanged
  };
  const Case cases[] = {
      {"untouched", [](const fs::path&, const fs::path&) {}, true},
      {"read", [](const fs::path& file, const fs::path&) { (void)fs::file_size(file); }, true},
      {"other bytes, later time",
       [](const fs::path& file, const fs::path&) {
         const auto time = fs::last_write_time(file);
         WriteFile(file, std::string("54321"));
         fs::last_write_time(file, time + std::chrono::seconds(1));
       },
       false},
      {"other bytes, same length and time",
       [](const fs::path& file, const fs::path&) {
         const auto time = fs::last_write_time(file);
         // Some systems keep file times in ticks of a few milliseconds: let one pass.
         const auto start = std::chrono::steady_clock::now();
         while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(20)) {
         }
         WriteFile(file, std::string("54321"));
         fs::last_write_time(file, time);
       },
       false},
      {"longer, same time",
       [](const fs::path& file, const fs::path&) {
         const auto time = fs::last_write_time(file);
         WriteFile(file, std::string("123456"));
         fs::last_write_time(file, time);
       },
       false},
      {"another file, same length and time",
       [](const fs::path& file, const fs::path& folder) {
         const auto time = fs::last_write_time(file);
         WriteFile(folder / "other", std::string("12345"));
         fs::last_write_time(folder / "other", time);
         fs::rename(folder / "other", file);
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir folder;
    const fs::path file = folder / "a.pak";
    WriteFile(file, std::string("12345"));
    const std::optional<pak::FileStamp> before = pak::StampOf(file);
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->size, 5u);
    c.change(file, folder.path());
    const std::optional<pak::FileStamp> after = pak::DefaultFileSystem().Stamp(file);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(*before == *after, c.same);
  }
}

TEST(FileStamp, NoneForAMissingFileOrAFolder) {
  TempDir folder;
  EXPECT_FALSE(pak::StampOf(folder / "missing").has_value());
  EXPECT_FALSE(pak::StampOf(folder.path()).has_value());
}

}  // namespace
