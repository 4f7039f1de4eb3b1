#include "cli/InputArgument.h"

#include "cli/ArgumentPath.h"
#include "document/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kalvero::cli {
namespace {

FileError TooLarge(std::uint64_t length) {
    return {FileProblem::TooLarge, "too large: " + std::to_string(length) + " bytes (at most " +
                                       std::to_string(MaxInputLength) + " are read)"};
}

FileResult<std::vector<std::uint8_t>> ReadStandardInput() {
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    while (bytes.size() <= MaxInputLength) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            break;
        }
    }
    if (std::ferror(stdin)) {
        return FileError{FileProblem::Other, std::strerror(errno)};
    }
    if (bytes.size() > MaxInputLength) {
        return FileError{FileProblem::TooLarge,
                         "too large: more than " + std::to_string(MaxInputLength) + " bytes"};
    }
    return bytes;
}

} // namespace

InputArgument::InputArgument(std::string argument) : argument_(std::move(argument)) {}

std::string InputArgument::name() const {
    return isStandardInput() ? "standard input" : argument_;
}

const FileResult<std::vector<std::uint8_t>>& InputArgument::standardInput() {
    if (!standardInput_) {
        standardInput_ = ReadStandardInput();
    }
    return *standardInput_;
}

FileResult<std::uint64_t> InputArgument::length() {
    if (!isStandardInput()) {
        return FileLength(PathFromArgument(argument_));
    }
    if (!standardInput()) {
        return standardInput().error();
    }
    return static_cast<std::uint64_t>(standardInput().value().size());
}

FileResult<FileKind> InputArgument::kind() {
    if (!isStandardInput()) {
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
    if (!isStandardInput()) {
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
    if (isStandardInput()) {
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
    if (!isStandardInput()) {
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
