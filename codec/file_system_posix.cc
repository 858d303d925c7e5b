// The real file system on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

#include "codec/file_system.h"
#include "codec/file_system_platform.h"
#include "codec/text.h"

#if defined(__linux__)
#include <sys/sendfile.h>
#endif

namespace pak {
namespace {

Status Errno(const char* what, const Path& path, int err) {
  return Status::IoError(
      std::string("Cannot ") + what + " " + DisplayPath(path) + ": " + std::strerror(err), err);
}

// Flushes a file's data, and what is needed to read them back (its length), to the disk.
Status SyncDescriptor(int fd, const Path& path) {
  for (;;) {
#if defined(F_FULLFSYNC)
    // fsync alone leaves the data in the drive's own cache here.
    if (::fcntl(fd, F_FULLFSYNC) == 0) return Status::Ok();
    if (errno == EINTR) continue;
    if (errno != ENOTSUP && errno != EINVAL) return Errno("flush", path, errno);
    const int rc = ::fsync(fd);
#elif defined(_POSIX_SYNCHRONIZED_IO) && _POSIX_SYNCHRONIZED_IO > 0
    const int rc = ::fdatasync(fd);
#else
    const int rc = ::fsync(fd);
#endif
    if (rc == 0) return Status::Ok();
    if (errno != EINTR) return Errno("flush", path, errno);
  }
}

// ---- Temporary files removed on interruption ----
//
// A named temporary file is entered here from just before it is created until it is moved into
// place or deleted. SIGINT, SIGTERM and SIGHUP delete what is entered and then end the process as
// the signal would have. The handlers are installed only where the signal still has its default
// action, so a program that handles a signal itself keeps its own handling.
//
// The entries are a list of nodes that only grows: a node is allocated when every node is in use,
// pushed at the head in one atomic step, and never freed, only reused once its file is gone. So
// there is no limit to how many temporaries are removed, and the handler, which may run at any
// moment on any thread, only follows pointers, reads atomics and calls unlink: all of it
// async-signal-safe.

struct TempNode {
  std::atomic<int> state{0};  // 0 free, 1 being filled or emptied, 2 holds a path to delete
  char path[PATH_MAX];
  TempNode* next = nullptr;  // set before the node is reachable, never changed after
};
static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<TempNode*>::is_always_lock_free);
std::atomic<TempNode*> g_temp_nodes{nullptr};
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveTemporariesAndDie(int signal_number) {
  for (TempNode* node = g_temp_nodes.load(); node != nullptr; node = node->next) {
    if (node->state.load() == 2) (void)::unlink(node->path);
  }
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  (void)::sigaction(signal_number, &action, nullptr);
  (void)::raise(signal_number);
}

void InstallCleanupHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int signal_number : kCleanupSignals) {
      struct sigaction old {};
      if (::sigaction(signal_number, nullptr, &old) != 0) continue;
      if ((old.sa_flags & SA_SIGINFO) != 0 || old.sa_handler != SIG_DFL) continue;
      struct sigaction action {};
      action.sa_handler = RemoveTemporariesAndDie;
      sigemptyset(&action.sa_mask);
      for (int other : kCleanupSignals) sigaddset(&action.sa_mask, other);
      (void)::sigaction(signal_number, &action, nullptr);
    }
  });
}

// A free node, claimed for the caller (its state 1): a reused one, or a new one at the head.
TempNode* ClaimNode() {
  for (TempNode* node = g_temp_nodes.load(); node != nullptr; node = node->next) {
    int expected = 0;
    if (node->state.compare_exchange_strong(expected, 1)) return node;
  }
  auto* node = new TempNode;
  node->state.store(1);
  node->path[0] = '\0';
  TempNode* head = g_temp_nodes.load();
  do {
    node->next = head;
  } while (!g_temp_nodes.compare_exchange_weak(head, node));
  return node;
}

// Enters `path`; returns its node, or null when the path is too long to hold (the file is then
// simply not removed on interruption).
TempNode* EnterTemporary(const Path& path) {
  InstallCleanupHandlers();
  const std::string& text = path.native();
  if (text.size() >= PATH_MAX) return nullptr;
  TempNode* node = ClaimNode();
  std::memcpy(node->path, text.c_str(), text.size() + 1);
  return node;
}

// The file at the node's path now exists and is to be deleted on interruption.
void ArmTemporary(TempNode* node) {
  if (node != nullptr) node->state.store(2);
}

void LeaveTemporary(TempNode* node) {
  if (node != nullptr) node->state.store(0);
}

// Leaves the node that holds `path`, if any.
void LeaveTemporary(const Path& path) {
  for (TempNode* node = g_temp_nodes.load(); node != nullptr; node = node->next) {
    int expected = 2;
    if (node->state.load() == 2 && path.native() == node->path &&
        node->state.compare_exchange_strong(expected, 1)) {
      node->state.store(0);
      return;
    }
  }
}

const char* KindOfFile(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not an ordinary file";
}

// How many descriptors the process holds open: the entries of /dev/fd (where the system lists
// them there), less the one that reads it; otherwise every number below `limit` that is open.
std::size_t OpenDescriptors(std::size_t limit) {
  if (DIR* dir = ::opendir("/dev/fd")) {
    std::size_t count = 0;
    while (const dirent* entry = ::readdir(dir)) {
      if (entry->d_name[0] != '.') ++count;
    }
    ::closedir(dir);
    // FreeBSD without its descriptor file system lists only the first three there.
    if (count > 3) return count - 1;
  }
  std::size_t count = 0;
  for (std::size_t fd = 0; fd < limit; ++fd) {
    if (::fcntl(static_cast<int>(fd), F_GETFD) != -1) ++count;
  }
  return count;
}

LeftOutReason SpecialReason(mode_t mode) {
  if (S_ISFIFO(mode)) return LeftOutReason::kPipe;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return LeftOutReason::kDevice;
  if (S_ISSOCK(mode)) return LeftOutReason::kSocket;
  return LeftOutReason::kSpecial;
}

LeftOutReason LinkReason(mode_t mode) {
  if (S_ISDIR(mode)) return LeftOutReason::kLinkToFolder;
  if (S_ISFIFO(mode)) return LeftOutReason::kLinkToPipe;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return LeftOutReason::kLinkToDevice;
  if (S_ISSOCK(mode)) return LeftOutReason::kLinkToSocket;
  return LeftOutReason::kLinkToSpecial;
}

// The path with every link and every "." and ".." resolved; none when it cannot be.
std::optional<std::string> Resolved(const Path& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return std::nullopt;
  std::string text(resolved);
  std::free(resolved);
  return text;
}

// Whether the resolved `path` lies inside the resolved folder `root`, in it or deeper. A path
// that could not be resolved lies nowhere.
bool Within(const std::optional<std::string>& path, const std::string& root) {
  if (!path || root.empty()) return false;
  if (root == "/") return true;
  return path->size() > root.size() && path->starts_with(root) && (*path)[root.size()] == '/';
}

class PosixInputFile final : public InputFile {
 public:
  PosixInputFile(int fd, std::uint64_t size, FileId id, Path path)
      : fd_(fd), size_(size), id_(id), path_(std::move(path)) {}
  ~PosixInputFile() override { ::close(fd_); }

  std::uint64_t size() const override { return size_; }
  std::optional<FileId> id() const override { return id_; }
  int fd() const { return fd_; }
  const Path& path() const { return path_; }

  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    size_t done = 0;
    while (done < out.size()) {
      const ssize_t n =
          ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return Errno("read", path_, errno);
      }
      if (n == 0) return ShortRead();
      done += static_cast<size_t>(n);
    }
    return Status::Ok();
  }

  void Prefetch() override {
#if defined(POSIX_FADV_WILLNEED)
    // Only the beginning: a large file is read ahead well enough once its reading starts, and
    // asking for all of it would fill the page cache before the first byte is copied.
    constexpr off_t kPrefetchBytes = 1 << 20;
    (void)::posix_fadvise(fd_, 0, kPrefetchBytes, POSIX_FADV_WILLNEED);
#endif
  }

  Status ShortRead() const {
    return Status::IoError("Cannot read " + DisplayPath(path_) + ": the file became shorter", EIO);
  }

 private:
  int fd_;
  std::uint64_t size_;
  FileId id_;
  Path path_;
};

class PosixOutputFile final : public OutputFile {
 public:
  PosixOutputFile(int fd, Path path) : fd_(fd), path_(std::move(path)) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  Status Append(std::span<const std::uint8_t> bytes) override {
    PAK_RETURN_IF_ERROR(Flush());
    PAK_RETURN_IF_ERROR(Write(size_, bytes));
    size_ += bytes.size();
    return Status::Ok();
  }

  Status AppendFrom(InputFile& in, std::uint64_t offset, std::uint64_t size) override {
    // Small copies are read into memory and written together: for a few bytes
    // a read and a write cost less than a kernel copy, and when many follow
    // one another (the files of a folder packed by the thousand) the writes
    // shrink to one per megabyte.
    if (size < kGatherBelow) {
      if (pending_.size() + size > kGatherBuffer) PAK_RETURN_IF_ERROR(Flush());
      if (pending_.capacity() < kGatherBuffer) pending_.reserve(kGatherBuffer);
      const std::size_t at = pending_.size();
      pending_.resize(at + static_cast<std::size_t>(size));
      Status read = in.ReadAt(
          offset, std::span<std::uint8_t>(pending_.data() + at, static_cast<std::size_t>(size)));
      if (!read.ok()) {
        pending_.resize(at);
        return read;
      }
      size_ += size;
      return Status::Ok();
    }
    PAK_RETURN_IF_ERROR(Flush());
#if defined(__linux__)
    if (auto* posix_in = dynamic_cast<PosixInputFile*>(&in)) {
      // Let the kernel move the bytes; fall back to a buffer where it cannot.
      std::uint64_t done = 0;
      while (done < size && kernel_copy_) {
        loff_t in_off = static_cast<loff_t>(offset + done);
        loff_t out_off = static_cast<loff_t>(size_);
        const ssize_t n = ::copy_file_range(posix_in->fd(), &in_off, fd_, &out_off,
                                            static_cast<size_t>(size - done), 0);
        if (n < 0) {
          if (errno == EINTR) continue;
          if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
              errno == EBADF || errno == EPERM) {
            kernel_copy_ = false;
            break;
          }
          return Errno("write", path_, errno);
        }
        if (n == 0) return posix_in->ShortRead();
        done += static_cast<std::uint64_t>(n);
        size_ += static_cast<std::uint64_t>(n);
      }
      offset += done;
      size -= done;
    }
#endif
    return OutputFile::AppendFrom(in, offset, size);
  }

  Status WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
    PAK_RETURN_IF_ERROR(Flush());
    return Write(offset, bytes);
  }

  std::uint64_t size() const override { return size_; }
  int fd() const { return fd_; }
  const Path& path() const { return path_; }
  Status WritePending() { return Flush(); }

  Status Sync() override {
    PAK_RETURN_IF_ERROR(Flush());
    return SyncDescriptor(fd_, path_);
  }

  Status Close() override {
    const Status flushed = Flush();
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0 && flushed.ok()) return Errno("write", path_, errno);
    return flushed;
  }

 private:
  static constexpr std::uint64_t kGatherBelow = 64 * 1024;
  static constexpr std::size_t kGatherBuffer = 1 << 20;

  Status Write(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                 static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return Errno("write", path_, errno);
      }
      done += static_cast<size_t>(n);
    }
    return Status::Ok();
  }

  // Writes the gathered bytes, which end at size_.
  Status Flush() {
    if (pending_.empty()) return Status::Ok();
    const std::uint64_t at = size_ - pending_.size();
    Status written = Write(at, pending_);
    pending_.clear();
    return written;
  }

  int fd_;
  Path path_;
  std::uint64_t size_ = 0;  // bytes appended, the gathered ones included
  std::vector<std::uint8_t> pending_;
  bool kernel_copy_ = true;
};

// Whether a file descriptor can be given a name through /proc (which needs /proc mounted).
bool LinkByProcPath() {
  static const bool available = ::access("/proc/self/fd", X_OK) == 0;
  return available;
}

// Gives the unnamed file `fd` the name `target`; 0 or -1 with errno, as linkat. Naming the
// descriptor itself is cheaper than resolving its /proc path, but only some processes may
// (CAP_DAC_READ_SEARCH); the first refusal makes every later call take the /proc way.
int LinkUnnamed(int fd, const std::string& proc_path, const Path& target) {
#if defined(AT_EMPTY_PATH)
  static std::atomic<bool> by_descriptor{true};
  if (by_descriptor.load(std::memory_order_relaxed)) {
    if (::linkat(fd, "", AT_FDCWD, target.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT && errno != EPERM && errno != EINVAL) return -1;
    by_descriptor.store(false, std::memory_order_relaxed);
  }
#else
  (void)fd;
#endif
  return ::linkat(AT_FDCWD, proc_path.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW);
}

class PosixFileSystem final : public FileSystem {
 public:
  Result<std::unique_ptr<InputFile>> OpenForRead(const Path& path) override {
    // Without blocking: opening a FIFO for reading would otherwise wait for a writer for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return Errno("open", path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
      const int err = errno;
      ::close(fd);
      return Errno("read", path, err);
    }
    if (!S_ISREG(st.st_mode)) {
      ::close(fd);
      const int err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
      return Status::IoError("Cannot read " + DisplayPath(path) + ": it is " +
                                 KindOfFile(st.st_mode) + ", not an ordinary file",
                             err);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return std::unique_ptr<InputFile>(
        new PosixInputFile(fd, static_cast<std::uint64_t>(st.st_size), platform::IdOf(st), path));
  }

  Result<std::unique_ptr<OutputFile>> CreateUnnamed(const Path& target) override {
#if defined(O_TMPFILE)
    if (!LinkByProcPath()) return std::unique_ptr<OutputFile>();
    Path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) return std::unique_ptr<OutputFile>(new PosixOutputFile(fd, target));
    const int err = errno;
    // The kernel or the file system has no unnamed files: the caller takes the named way.
    if (err == EOPNOTSUPP || err == EISDIR || err == EINVAL || err == ENOSYS) {
      return std::unique_ptr<OutputFile>();
    }
    return Errno("create a file in", folder, err);
#else
    (void)target;
    return std::unique_ptr<OutputFile>();
#endif
  }

  Status Publish(std::unique_ptr<OutputFile> file, const Path& target) override {
    auto* out = dynamic_cast<PosixOutputFile*>(file.get());
    if (out == nullptr) return FileSystem::Publish(std::move(file), target);
    PAK_RETURN_IF_ERROR(out->WritePending());
    const int fd = out->fd();
    const std::string from = "/proc/self/fd/" + std::to_string(fd);
    // Where nothing has the name yet, the file takes it in one step. Otherwise it is linked
    // under a hidden name beside the target and moved over it, which replaces a file or a link
    // without writing through it.
    if (LinkUnnamed(fd, from, target) != 0) {
      if (errno != EEXIST) return Errno("create", target, errno);
      Path folder = target.parent_path();
      if (folder.empty()) folder = ".";
      Path temp;
      TempNode* node = nullptr;
      for (int attempt = 0;; ++attempt) {
        temp = folder / platform::HiddenTemporaryName(target.filename());
        node = EnterTemporary(temp);
        if (LinkUnnamed(fd, from, temp) == 0) {
          break;
        }
        const int err = errno;
        LeaveTemporary(node);
        if (err != EEXIST || attempt == 100) return Errno("create a file in", folder, err);
      }
      ArmTemporary(node);
      if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        (void)::unlink(temp.c_str());
        LeaveTemporary(node);
        return Errno("replace", target, err);
      }
      LeaveTemporary(node);
    }
    return out->Close();
  }

  Result<NewName> PublishNew(std::unique_ptr<OutputFile>& file, const Path& target) override {
    auto* out = dynamic_cast<PosixOutputFile*>(file.get());
    if (out == nullptr || !out->WritePending().ok()) return NewName::kUnknown;
    const int fd = out->fd();
    // A link fails where anything has the name, a dangling link included.
    if (LinkUnnamed(fd, "/proc/self/fd/" + std::to_string(fd), target) != 0) {
      return errno == EEXIST ? NewName::kTaken : NewName::kUnknown;
    }
    const Status closed = out->Close();
    file.reset();
    if (!closed.ok()) return closed;
    return NewName::kGiven;
  }

  Result<std::unique_ptr<OutputFile>> CreateTemporary(const Path& folder, std::u16string_view hint,
                                                      Path* created) override {
    const Path hint_name = PathFromUtf16(hint);
    for (int attempt = 0; attempt < 100; ++attempt) {
      Path path = folder / platform::HiddenTemporaryName(hint_name);
      TempNode* const node = EnterTemporary(path);
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        ArmTemporary(node);
        *created = path;
        return std::unique_ptr<OutputFile>(new PosixOutputFile(fd, path));
      }
      const int err = errno;
      LeaveTemporary(node);
      if (err != EEXIST) return Errno("create a file in", folder, err);
    }
    return Errno("create a file in", folder, EEXIST);
  }

  Status Replace(const Path& from, const Path& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) return Errno("replace", to, errno);
    LeaveTemporary(from);
    return Status::Ok();
  }

  Status SyncFolder(const Path& folder) override {
    const Path where = folder.empty() ? Path(".") : folder;
    const int fd = ::open(where.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Errno("flush", where, errno);
    int err = 0;
    while (::fsync(fd) != 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    ::close(fd);
    // A file system that cannot flush a folder says so with EINVAL: its moves are as durable as
    // it can make them, and the file moved is on the disk already.
    if (err != 0 && err != EINVAL && err != ENOTSUP && err != EOPNOTSUPP) {
      return Errno("flush", where, err);
    }
    return Status::Ok();
  }

  // Linux flushes a whole file system with one call; since 5.8 it also reports a failed write.
  Status SyncFileSystem(const Path& folder) override {
#if defined(__linux__)
    const Path where = folder.empty() ? Path(".") : folder;
    const int fd = ::open(where.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Errno("flush", where, errno);
    const int rc = ::syncfs(fd);
    const int err = errno;
    ::close(fd);
    if (rc != 0) return Errno("flush the file system of", where, err);
    return Status::Ok();
#else
    return FileSystem::SyncFileSystem(folder);
#endif
  }

  Status Remove(const Path& path) override {
    if (::unlink(path.c_str()) != 0) return Errno("delete", path, errno);
    LeaveTemporary(path);
    return Status::Ok();
  }

  bool IsDirectory(const Path& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  bool IsFile(const Path& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  std::optional<FileId> Identify(const Path& path) override {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return platform::IdOf(st);
  }

  Result<std::vector<std::u16string>> NamesOfFile(const Path& folder, const FileId& id) override {
    std::vector<std::u16string> found;
    PAK_RETURN_IF_ERROR(ForEachName(folder, [&](int dir_fd, const dirent& entry) {
      const char* name = entry.d_name;
      if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return Status::Ok();
      if (entry.d_type == DT_DIR) return Status::Ok();
      struct stat st {};
      if (::fstatat(dir_fd, name, &st, 0) == 0 && platform::IdOf(st) == id) {
        found.push_back(FromUtf8(name));
      }
      return Status::Ok();
    }));
    return found;
  }

  Result<FolderListing> ListFolder(const Path& folder) override {
    FolderListing listing;
    std::optional<std::string> root;  // the folder's own resolved path, found at the first link
    PAK_RETURN_IF_ERROR(ForEachName(folder, [&](int dir_fd, const dirent& entry) {
      const char* name = entry.d_name;
      if (name[0] == '.') return Status::Ok();  // hidden, and "." and ".."
      // The listing tells the kind of most entries; only links, and file systems that do not
      // say, are looked at.
      unsigned char type = entry.d_type;
      struct stat st {};
      if (type == DT_UNKNOWN) {
        if (::fstatat(dir_fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
          listing.left_out.push_back({FromUtf8(name), LeftOutReason::kUnexamined});
          return Status::Ok();
        }
        type = S_ISLNK(st.st_mode) ? DT_LNK : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
      }
      bool outside = false;
      std::optional<LeftOutReason> reason;
      if (type == DT_LNK) {
        if (::fstatat(dir_fd, name, &st, 0) != 0) {
          reason = errno == ELOOP                        ? LeftOutReason::kLinkLoop
                   : errno == ENOENT || errno == ENOTDIR ? LeftOutReason::kDanglingLink
                                                         : LeftOutReason::kUnexamined;
        } else if (S_ISREG(st.st_mode)) {
          if (!root) root = Resolved(folder).value_or(std::string());
          outside = !Within(Resolved(folder / name), *root);
        } else {
          reason = LinkReason(st.st_mode);
        }
      } else if (type != DT_REG) {
        // What the listing said, or what fstatat found when it said nothing.
        const mode_t mode = entry.d_type == DT_UNKNOWN ? st.st_mode : DTTOIF(entry.d_type);
        if (S_ISDIR(mode)) return Status::Ok();  // sub-folders are not packed
        reason = SpecialReason(mode);
      }
      bool valid = true;
      std::u16string wide = FromUtf8(name, &valid);
      if (reason) {
        listing.left_out.push_back({std::move(wide), *reason});
        return Status::Ok();
      }
      if (!valid) {
        return Status::Refused("The file name " + DisplayPath(folder / name) +
                               " is not valid UTF-8; rename the file first");
      }
      (outside ? listing.outside_links : listing.files).push_back(std::move(wide));
      return Status::Ok();
    }));
    return listing;
  }

  bool LeadsOutside(const Path& folder, std::u16string_view name) override {
    const Path path = JoinPath(folder, name);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return false;
    const std::optional<std::string> root = Resolved(folder);
    return root && !Within(Resolved(path), *root);
  }

  std::size_t SpareFileHandles() override {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
      return SIZE_MAX;
    }
    // Room for what is opened beside the files that wait: the archive, the list, a folder to
    // flush, and what libraries or a window open meanwhile.
    constexpr std::size_t kReserve = 16;
    constexpr std::size_t kProbedAtMost = 1 << 16;
    const auto soft = static_cast<std::size_t>(limit.rlim_cur);
    const std::size_t held = OpenDescriptors(std::min(soft, kProbedAtMost));
    return soft > held + kReserve ? soft - held - kReserve : 0;
  }

 private:
  // Calls `visit` with the folder's descriptor and each entry of `folder`, "." and ".." included,
  // until it returns a failure, which is returned.
  template <typename Visit>
  static Status ForEachName(const Path& folder, Visit visit) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return Errno("list the files of", folder, errno);
    const int dir_fd = ::dirfd(dir);
    Status status;
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(dir);
      if (entry == nullptr) {
        if (errno != 0) status = Errno("list the files of", folder, errno);
        break;
      }
      status = visit(dir_fd, *entry);
      if (!status.ok()) break;
    }
    ::closedir(dir);
    return status;
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

namespace platform {

unsigned long ProcessId() { return static_cast<unsigned long>(::getpid()); }

Status MakePrivateFolder(const Path& folder, bool* taken) {
  // mkdir neither follows nor replaces what is there: a name taken by anyone fails here.
  if (::mkdir(folder.c_str(), 0700) == 0) return Status::Ok();
  *taken = errno == EEXIST;
  return Errno("create folder", folder, errno);
}

}  // namespace platform

}  // namespace pak
