#pragma once

#include "base/Reason.h"

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace kalvero {

// What went wrong with a file, for messages that must be told in either
// language.
enum class FileProblem {
    NotFound,
    PermissionDenied,
    IsFolder,
    NotRegularFile, // a device, a pipe or a socket
    WriteProtected,
    DiskFull,
    TooLarge,
    Changed,
    NotAccepted,
    Other,
};

// Why a file operation failed, with the reason in plain words in both
// languages ("file not found", "permission denied", ...).
struct FileError {
    FileProblem problem;
    Reason reason;
    // A temporary file the failed write could not remove (in an append-only
    // folder, say), by its UTF-8 name; empty when none was left.
    std::string leftBehind{};
};

// Stops the program: a caller took the value of a failed result, or the
// error of a good one. That is a fault of ours, never of the input.
[[noreturn]] void FailResultAccess(const char* what);

// The value of an operation that reads, checks or writes, or the reason it
// failed.
template <typename T> class FileResult {
public:
    FileResult(T value) : value_(std::move(value)) {}
    FileResult(FileError error) : error_(std::move(error)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& {
        if (!value_) {
            FailResultAccess("the value of a failed result");
        }
        return *value_;
    }
    T&& value() && {
        if (!value_) {
            FailResultAccess("the value of a failed result");
        }
        return std::move(*value_);
    }
    const FileError& error() const {
        if (!error_) {
            FailResultAccess("the error of a good result");
        }
        return *error_;
    }

private:
    std::optional<T> value_;
    std::optional<FileError> error_;
};

using FileStatus = FileResult<std::monostate>;
inline constexpr std::monostate Succeeded{};

} // namespace kalvero
