#include "document/Backup.h"

#include "document/FileIo.h"
#include "document/FileNames.h"

#include <cstdint>
#include <vector>

namespace kalvero {

FileResult<std::optional<std::string>> MakeBackup(const std::string& path) {
    for (int number = 0; number < BackupSlots; ++number) {
        const std::string candidate = BackupName(path, number);
        if (PathExists(PathFromUtf8(candidate))) {
            continue;
        }
        const std::filesystem::path source = PathFromUtf8(path);
        const FileResult<std::uint64_t> length = FileLength(source);
        if (!length) {
            return length.error();
        }
        const FileResult<std::vector<std::uint8_t>> bytes =
            ReadFileExactly(source, static_cast<std::size_t>(length.value()));
        if (!bytes) {
            return bytes.error();
        }
        const FileStatus written = WriteFileAtomically(PathFromUtf8(candidate), bytes.value());
        if (!written) {
            return written.error();
        }
        return std::optional<std::string>(candidate);
    }
    return std::optional<std::string>();
}

} // namespace kalvero
