#include "document/BatchWriter.h"

#include "document/FileIo.h"

#include <set>
#include <system_error>

namespace kalvero {
namespace fs = std::filesystem;

BatchWriter::~BatchWriter() {
    discard();
}

FileStatus BatchWriter::add(const fs::path& target, std::span<const std::uint8_t> bytes) {
    FileResult<fs::path> temporary = WriteFileBeside(target, bytes, false);
    if (!temporary) {
        return temporary.error();
    }
    pending_.push_back({target, std::move(temporary).value()});
    return Succeeded;
}

std::vector<FileStatus> BatchWriter::commit() {
    std::set<fs::path> folders;
    for (const Pending& file : pending_) {
        folders.insert(file.temporary.parent_path());
    }
    for (const fs::path& folder : folders) {
        const FileStatus flushed = FlushFileSystem(folder);
        if (!flushed) {
            const std::vector<FileStatus> failed(pending_.size(), flushed);
            discard();
            return failed;
        }
    }
    std::vector<FileStatus> outcomes;
    outcomes.reserve(pending_.size());
    for (const Pending& file : pending_) {
        outcomes.push_back(ReplaceFile(file.temporary, file.target));
    }
    pending_.clear();
    return outcomes;
}

void BatchWriter::discard() {
    for (const Pending& file : pending_) {
        std::error_code ec;
        fs::remove(file.temporary, ec);
    }
    pending_.clear();
}

} // namespace kalvero
