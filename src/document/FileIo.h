#pragma once

#include "base/FileResult.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

// Turns a UTF-8 text (as held in the document and shown to the user) into a
// path, and back.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

// The length of a regular file. Never opens, creates or reads it, so a huge
// file costs nothing.
FileResult<std::uint64_t> FileLength(const std::filesystem::path& path);

// Reads at most maxBytes from the start of a regular file; a shorter file gives
// fewer bytes. Never creates a file.
FileResult<std::vector<std::uint8_t>> ReadFilePrefix(const std::filesystem::path& path,
                                                     std::size_t maxBytes);

// Reads a file of exactly count bytes; a file that has become shorter or
// longer since its length was taken is an error.
FileResult<std::vector<std::uint8_t>> ReadFileExactly(const std::filesystem::path& path,
                                                      std::size_t count);

// What a file is, whichever name leads to it: its device and file number.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t number = 0;
    friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// The file a name leads to, symbolic links followed, also those the kernel
// follows to what a process has open (/dev/stdin, /dev/fd/N,
// /proc/self/fd/N); nothing for a name that leads nowhere.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

enum class StandardStream { Input, Output };
// The file standard input is read from or standard output written to, when
// it is a regular file (< file, > file); nothing for a pipe, a terminal or a
// device.
std::optional<FileIdentity> IdentityOfStandardStream(StandardStream stream);

// True when both paths name one existing file: same device and inode,
// symbolic links followed. Two missing files are not the same file.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// What a write to path would meet, checked before anything is written: a
// loop of symbolic links (Other, "too many levels of symbolic links"); an
// existing target (after its links) that is not a regular file: a folder
// (IsFolder), a device node, a pipe or a socket (NotRegularFile), also behind
// /dev/stdout and its kin; an open file that has no name left (Other); a
// target the user may not write, or that has no write permission for
// anybody, which even root does not replace (WriteProtected); a folder the
// user may not change (PermissionDenied); a missing folder (NotFound,
// "folder not found").
FileStatus CheckWriteTarget(const std::filesystem::path& path);

// Writes bytes to a new file beside the target, flushes it to disk and renames
// it over the target, after CheckWriteTarget. A symbolic link is followed: the
// file at the end of its chain is replaced in its own folder and the links
// stay; a dangling link gets its target made. The new file keeps the
// permissions of the one it replaces. The temporary file's name fits the
// folder's longest name: the target's may use all of it. On any failure the
// temporary file is removed (or, where the folder forbids that, named in the
// error's leftBehind) and an existing target keeps its old bytes; a signal
// handled by RemoveTemporaryFilesOnSignals removes it too.
FileStatus WriteFileAtomically(const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes);

// Installs handlers for every signal whose default action ends the process
// (SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGUSR1, SIGALRM, the real-time ones, the
// faults ...; on Windows: the console's Ctrl-C, Ctrl-Break and close events)
// that remove every temporary file this process is writing,
// WriteFileAtomically's and BatchWriter's, and end it with 128 + the signal's
// number, a fault as its default action would. A signal ignored or handled at
// the start stays so. Signals are meant for the thread that writes: a process
// with other threads calls RemoveTemporaryFilesOnSignalsInThreads instead.
void RemoveTemporaryFilesOnSignals();

// The same for a program with threads (the editor: Qt's, its workers), called
// first in main, before any thread starts. The signals but the faults (which
// keep their default action) are blocked in this thread and so in every
// thread started from it, and one thread of its own waits for them; when one
// comes, it waits until no CleanupSignalsHeld is left, removes every
// temporary file and ends the process as the signal's default action would.
void RemoveTemporaryFilesOnSignalsInThreads();

// Runs start with those signals not held back in the calling thread, so that
// a program it starts (the desktop's web browser) begins with none blocked.
void StartWithSignalsUnblocked(const std::function<void()>& start);

// A file written beside the file it is to replace and not yet renamed over
// it: the halves of WriteFileAtomically, for BatchWriter.
struct TemporaryFile {
    std::filesystem::path path;
    // The file it replaces: the name written to, its links followed.
    std::filesystem::path target;
};

// Checks the target (CheckWriteTarget) and writes the bytes to a new file
// beside it with its permissions, flushed to disk only when asked (on Windows
// always); on failure nothing is left.
FileResult<TemporaryFile> WriteFileBeside(const std::filesystem::path& target,
                                          std::span<const std::uint8_t> bytes, bool flush);
// Renames the file over its target, unless the target has since become
// something other than a regular file; the temporary file is removed when the
// rename does not happen.
FileStatus ReplaceFile(const TemporaryFile& file);
// False when the file is still there: the folder did not let it go.
bool RemoveTemporaryFile(const TemporaryFile& file);
// Removes the file of a write that failed for the reason given, which then
// names the file when it could not be removed.
FileError AbandonTemporaryFile(const TemporaryFile& file, FileError error);

// What a failed system call's error number means for a file.
FileError ErrorOfSystemCall(int code);
// The reasons of a missing folder, of a file that changed while it was read,
// and of one longer than a reader takes.
Reason FolderNotFound();
Reason ChangedWhileRead();
Reason TooLargeToRead(std::uint64_t length, std::uint64_t most);

// Flushes everything written to the file systems that hold the folders to
// disk, each file system once.
FileStatus FlushFileSystems(const std::vector<std::filesystem::path>& folders);

// True when anything (file, folder, link) already has this name.
bool PathExists(const std::filesystem::path& path);

// A write that exceeds the process's file-size limit must fail with an error
// the program can report, not kill the process half-way through.
void IgnoreFileSizeSignal();

} // namespace kalvero
