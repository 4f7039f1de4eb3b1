#include "conversion/InputFile.h"

#include "conversion/BmpFormat.h"
#include "document/FileIo.h"

#include <algorithm>
#include <string>

namespace kalvero {

FileResult<InputFile> ReadInputFile(const std::filesystem::path& path) {
    const FileResult<std::uint64_t> length = FileLength(path);
    if (!length) {
        return length.error();
    }
    const bool small = length.value() <= ColourBmpTallLength;
    // A small file is read with one byte more, which tells one that has grown.
    FileResult<std::vector<std::uint8_t>> head =
        ReadFilePrefix(path, small ? static_cast<std::size_t>(length.value()) + 1 : FileHeadLength);
    if (!head) {
        return head.error();
    }
    InputFile input{ClassifyFile(length.value(), head.value()), {}};
    if (input.kind.type == FileType::NotAccepted) {
        return FileError{FileProblem::NotAccepted, input.kind.reason};
    }
    if (small) {
        if (head.value().size() != length.value()) {
            return FileError{FileProblem::Changed, ChangedWhileRead()};
        }
        input.bytes = std::move(head).value();
        return input;
    }
    if (length.value() > MaxInputLength) {
        return FileError{FileProblem::TooLarge, TooLargeToRead(length.value(), MaxInputLength)};
    }
    FileResult<std::vector<std::uint8_t>> bytes =
        ReadFileExactly(path, static_cast<std::size_t>(length.value()));
    if (!bytes) {
        return bytes.error();
    }
    input.bytes = std::move(bytes).value();
    return input;
}

} // namespace kalvero
