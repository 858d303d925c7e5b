// Status and Result: how the codec reports failure.
//
// Every fallible codec call returns a Status (or a Result<T>, a value or a
// Status). A Status has a kind and a human-readable message in UTF-8; I/O
// failures also carry the operating system's error number, which the programs
// show to the user. Success costs nothing. The codec throws no exceptions of
// its own.
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace pak {

class [[nodiscard]] Status {
 public:
  enum class Kind {
    kOk,
    kInvalidArchive,  // the bytes are not a well-formed archive
    kRefused,         // an input the tools refuse (a name, a limit, a path)
    kIoError,         // the file system failed
    kCancelled,       // the user said no
  };

  Status() = default;
  static Status Ok() { return Status(); }
  static Status InvalidArchive(std::string message) {
    return Status(Kind::kInvalidArchive, std::move(message), 0);
  }
  static Status Refused(std::string message) {
    return Status(Kind::kRefused, std::move(message), 0);
  }
  static Status IoError(std::string message, int error_number) {
    return Status(Kind::kIoError, std::move(message), error_number);
  }
  static Status Cancelled(std::string message) {
    return Status(Kind::kCancelled, std::move(message), 0);
  }

  bool ok() const { return kind_ == Kind::kOk; }
  Kind kind() const { return kind_; }
  const std::string& message() const { return message_; }
  // The operating system's error number for kIoError (errno or GetLastError).
  int error_number() const { return error_number_; }

 private:
  Status(Kind kind, std::string message, int error_number)
      : kind_(kind), message_(std::move(message)), error_number_(error_number) {}

  Kind kind_ = Kind::kOk;
  std::string message_;
  int error_number_ = 0;
};

// A value or the Status that explains why there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}         // NOLINT: implicit on purpose
  Result(Status status) : status_(std::move(status)) {  // NOLINT
    assert(!status_.ok());
  }

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  T& value() & { return *value_; }
  const T& value() const& { return *value_; }
  T&& value() && { return std::move(*value_); }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  T& operator*() & { return *value_; }
  const T& operator*() const& { return *value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace pak

// Returns early from the calling function when `expr` yields a failed Status.
#define PAK_RETURN_IF_ERROR(expr)              \
  do {                                         \
    ::pak::Status pak_status_ = (expr);        \
    if (!pak_status_.ok()) return pak_status_; \
  } while (0)
