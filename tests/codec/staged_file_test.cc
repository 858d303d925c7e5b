// The staged file's legal order: what each call does in each state, that a call out of order is
// refused or does nothing, and that a file dropped before it is named leaves nothing behind.
#include "codec/staged_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace {

using pak::StagedFile;
using testing_support::Bytes;
using testing_support::FaultyFileSystem;
using testing_support::ListDir;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;
using State = StagedFile::State;

enum class Call { kFinish, kFinishFlushedByCaller, kCommitNow, kCommitLater, kCommitIfNoFlush };

// What a call answered: "ok", "refused", "failed" (an I/O error), or for kCommitIfNoFlush
// "named" or "waits".
std::string Do(StagedFile& file, Call call) {
  pak::Status status;
  switch (call) {
    case Call::kFinish:
      status = file.Finish();
      break;
    case Call::kFinishFlushedByCaller:
      status = file.Finish(StagedFile::FileFlush::kDone);
      break;
    case Call::kCommitNow:
      status = file.Commit(StagedFile::FolderFlush::kNow);
      break;
    case Call::kCommitLater:
      status = file.Commit(StagedFile::FolderFlush::kLater);
      break;
    case Call::kCommitIfNoFlush: {
      auto named = file.CommitIfNoFlush();
      if (named.ok()) return *named ? "named" : "waits";
      status = named.status();
      break;
    }
  }
  if (status.ok()) return "ok";
  return status.kind() == pak::Status::Kind::kRefused ? "refused" : "failed";
}

bool Has(const std::vector<std::string>& journal, const std::string& line) {
  return std::find(journal.begin(), journal.end(), line) != journal.end();
}

TEST(StagedFile, KeepsItsOrder) {
  using F = StagedFile::Flush;
  struct Case {
    const char* what;
    F flush;
    bool old_file;  // a file has the target's name before
    int fail_sync_at;
    std::vector<Call> calls;
    std::vector<std::string> answers;
    State state;
    bool new_in_place;  // the target holds the new bytes at the end, else the old ones or none
    bool file_flushed;
    bool folder_flushed;
  };
  const std::vector<Case> cases = {
      {"commit at once",
       F::kAlways,
       true,
       0,
       {Call::kCommitNow},
       {"ok"},
       State::kNamed,
       true,
       true,
       true},
      {"finish, then commit",
       F::kAlways,
       false,
       0,
       {Call::kFinish, Call::kCommitNow},
       {"ok", "ok"},
       State::kNamed,
       true,
       true,
       true},
      {"the folder's flush left for later",
       F::kAlways,
       true,
       0,
       {Call::kCommitLater},
       {"ok"},
       State::kNamed,
       true,
       true,
       false},
      {"a new file replaces nothing and is not flushed",
       F::kWhenReplacing,
       false,
       0,
       {Call::kCommitNow},
       {"ok"},
       State::kNamed,
       true,
       false,
       false},
      {"a file that replaces one is flushed",
       F::kWhenReplacing,
       true,
       0,
       {Call::kCommitLater},
       {"ok"},
       State::kNamed,
       true,
       true,
       false},
      {"flushed by the caller",
       F::kWhenReplacing,
       true,
       0,
       {Call::kFinishFlushedByCaller, Call::kCommitLater},
       {"ok", "ok"},
       State::kNamed,
       true,
       false,
       false},
      {"named at once when new",
       F::kWhenReplacing,
       false,
       0,
       {Call::kCommitIfNoFlush},
       {"named"},
       State::kNamed,
       true,
       false,
       false},
      {"waits when it replaces one",
       F::kWhenReplacing,
       true,
       0,
       {Call::kCommitIfNoFlush, Call::kCommitLater},
       {"waits", "ok"},
       State::kNamed,
       true,
       true,
       false},
      {"always flushed waits",
       F::kAlways,
       false,
       0,
       {Call::kCommitIfNoFlush},
       {"waits"},
       State::kWriting,
       false,
       false,
       false},
      {"finishing twice does nothing more",
       F::kAlways,
       false,
       0,
       {Call::kFinish, Call::kFinish},
       {"ok", "ok"},
       State::kFinished,
       false,
       true,
       false},
      {"a finished file does not commit on the side",
       F::kWhenReplacing,
       false,
       0,
       {Call::kFinish, Call::kCommitIfNoFlush},
       {"ok", "waits"},
       State::kFinished,
       false,
       false,
       false},
      {"committed twice",
       F::kAlways,
       true,
       0,
       {Call::kCommitNow, Call::kCommitNow},
       {"ok", "refused"},
       State::kNamed,
       true,
       true,
       true},
      {"finished after its name",
       F::kAlways,
       false,
       0,
       {Call::kCommitNow, Call::kFinish},
       {"ok", "ok"},
       State::kNamed,
       true,
       true,
       true},
      {"dropped while written", F::kAlways, true, 0, {}, {}, State::kWriting, false, false, false},
      {"dropped when finished",
       F::kAlways,
       true,
       0,
       {Call::kFinish},
       {"ok"},
       State::kFinished,
       false,
       true,
       false},
      {"a failed flush ends it",
       F::kAlways,
       true,
       1,
       {Call::kCommitNow, Call::kFinish, Call::kCommitNow},
       {"failed", "refused", "refused"},
       State::kFailed,
       false,
       true,
       false},
  };
  for (const Case& c : cases) {
    for (bool unnamed : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (unnamed ? ", unnamed" : ", hidden temporary"));
      TempDir dir;
      const Bytes old_bytes{1}, new_bytes{2, 2};
      if (c.old_file) WriteFile(dir / "a.bin", old_bytes);
      FaultyFileSystem fs;
      fs.unnamed_files = unnamed;
      fs.fail_sync_at = c.fail_sync_at;
      {
        auto file = StagedFile::Open(fs, dir / "a.bin", c.flush);
        ASSERT_TRUE(file.ok()) << file.status().message();
        ASSERT_TRUE((*file)->file().Append(new_bytes).ok());
        std::vector<std::string> answers;
        for (Call call : c.calls) answers.push_back(Do(**file, call));
        EXPECT_EQ(answers, c.answers);
        EXPECT_EQ((*file)->state(), c.state);
      }
      const bool file_flushed = std::any_of(fs.journal.begin(), fs.journal.end(), [](auto& line) {
        return line.starts_with("sync ") && line != "sync folder";
      });
      EXPECT_EQ(file_flushed, c.file_flushed);
      EXPECT_EQ(Has(fs.journal, "sync folder"), c.folder_flushed);
      // Nothing but the target is left, whatever happened.
      const bool present = c.new_in_place || c.old_file;
      EXPECT_EQ(ListDir(dir.path()),
                present ? std::vector<std::string>{"a.bin"} : std::vector<std::string>{});
      if (present) {
        EXPECT_EQ(ReadFile(dir / "a.bin"), c.new_in_place ? new_bytes : old_bytes);
      }
    }
  }
}

// A readable file can be read back by its path once finished, before it takes its name.
TEST(StagedFile, ReadableFileIsReadBeforeItIsNamed) {
  TempDir dir;
  FaultyFileSystem fs;
  fs.unnamed_files = true;
  auto file = StagedFile::Open(fs, dir / "a.pak", StagedFile::Flush::kAlways,
                               StagedFile::Access::kReadable);
  ASSERT_TRUE(file.ok());
  ASSERT_FALSE((*file)->written().empty());
  ASSERT_TRUE((*file)->file().Append(Bytes{7, 8}).ok());
  ASSERT_TRUE((*file)->Finish().ok());
  EXPECT_EQ(ReadFile((*file)->written()), (Bytes{7, 8}));
  EXPECT_FALSE(std::filesystem::exists(dir / "a.pak"));
  ASSERT_TRUE((*file)->Commit(StagedFile::FolderFlush::kNow).ok());
  EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"a.pak"});
  EXPECT_EQ(ReadFile(dir / "a.pak"), (Bytes{7, 8}));
}

}  // namespace
