#pragma once

#include "document/FileResult.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace kalvero {

// Writes many files with the guarantee of WriteFileAtomically, each replaced
// whole or not at all, but with one flush of each file system for the whole
// batch instead of one per file: every file is first written beside its
// target, then all are flushed, and only then is each renamed over its target.
class BatchWriter {
public:
    BatchWriter() = default;
    // A batch that was never committed leaves nothing behind.
    ~BatchWriter();
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    // Writes the bytes beside the target; the target is not touched yet. A
    // failure concerns this file only and leaves nothing of it.
    FileStatus add(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

    // Flushes the added files to disk, then renames each over its target, and
    // gives the outcome of each, in the order they were added. When the flush
    // fails, no target is replaced and every file of the batch is removed.
    std::vector<FileStatus> commit();

private:
    struct Pending {
        std::filesystem::path target;
        std::filesystem::path temporary;
    };

    void discard();

    std::vector<Pending> pending_;
};

} // namespace kalvero
