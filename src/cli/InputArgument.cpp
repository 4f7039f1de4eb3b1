#include "cli/InputArgument.h"

#include "cli/ArgumentPath.h"
#include "document/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kalvero::cli {
namespace {

FileError TooLarge(std::uint64_t length) {
    return {FileProblem::TooLarge, TooLargeToRead(length, MaxInputLength)};
}

// A stream read to its end, up to MaxInputLength.
FileResult<std::vector<std::uint8_t>> ReadStream(std::FILE* stream) {
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    while (bytes.size() <= MaxInputLength) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stream);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            break;
        }
    }
    if (std::ferror(stream)) {
        return ErrorOfSystemCall(errno);
    }
    if (bytes.size() > MaxInputLength) {
        return FileError{FileProblem::TooLarge,
                         Reason::of<"too large: more than {} bytes", "zu groß: mehr als {} Bytes">(
                             MaxInputLength)};
    }
    return bytes;
}

// A named pipe: a FIFO, or what process substitution names (/dev/fd/63).
bool IsPipe(const std::string& argument) {
    std::error_code error;
    return std::filesystem::status(PathFromArgument(argument), error).type() ==
           std::filesystem::file_type::fifo;
}

// Windows has no FIFOs, so only POSIX names come here.
FileResult<std::vector<std::uint8_t>> ReadPipe(const std::string& argument) {
    std::FILE* pipe = std::fopen(PathFromArgument(argument).string().c_str(), "rb");
    if (pipe == nullptr) {
        return ErrorOfSystemCall(errno);
    }
    FileResult<std::vector<std::uint8_t>> bytes = ReadStream(pipe);
    std::fclose(pipe);
    return bytes;
}

} // namespace

InputArgument::InputArgument(std::string argument)
    : argument_(std::move(argument)), stream_(isStandardInput() || IsPipe(argument_)) {}

std::string InputArgument::name() const {
    return isStandardInput() ? "standard input" : argument_;
}

const FileResult<std::vector<std::uint8_t>>& InputArgument::standardInput() {
    if (!standardInput_) {
        standardInput_ = isStandardInput() ? ReadStream(stdin) : ReadPipe(argument_);
    }
    return *standardInput_;
}

FileResult<std::uint64_t> InputArgument::length() {
    if (!stream_) {
        return FileLength(PathFromArgument(argument_));
    }
    if (!standardInput()) {
        return standardInput().error();
    }
    return static_cast<std::uint64_t>(standardInput().value().size());
}

FileResult<FileKind> InputArgument::kind() {
    if (!stream_) {
        return ProbeFile(PathFromArgument(argument_));
    }
    if (!standardInput()) {
        return standardInput().error();
    }
    const std::vector<std::uint8_t>& bytes = standardInput().value();
    return ClassifyFile(bytes.size(),
                        std::span(bytes).first(std::min(bytes.size(), FileHeadLength)));
}

FileResult<std::vector<std::uint8_t>> InputArgument::head(std::size_t count) {
    if (!stream_) {
        return ReadFilePrefix(PathFromArgument(argument_), count);
    }
    if (!standardInput()) {
        return standardInput().error();
    }
    const std::vector<std::uint8_t>& bytes = standardInput().value();
    return std::vector<std::uint8_t>(
        bytes.begin(), bytes.begin() + static_cast<long>(std::min(count, bytes.size())));
}

FileResult<std::vector<std::uint8_t>> InputArgument::bytes() {
    if (stream_) {
        return standardInput();
    }
    const std::filesystem::path path = PathFromArgument(argument_);
    const FileResult<std::uint64_t> size = FileLength(path);
    if (!size) {
        return size.error();
    }
    if (size.value() > MaxInputLength) {
        return TooLarge(size.value());
    }
    return ReadFileExactly(path, static_cast<std::size_t>(size.value()));
}

FileResult<InputFile> InputArgument::accepted() {
    if (!stream_) {
        return ReadInputFile(PathFromArgument(argument_));
    }
    const FileResult<FileKind> found = kind();
    if (!found) {
        return found.error();
    }
    if (found.value().type == FileType::NotAccepted) {
        return FileError{FileProblem::NotAccepted, found.value().reason};
    }
    return InputFile{found.value(), standardInput().value()};
}

} // namespace kalvero::cli
