#pragma once

#include "base/FileResult.h"
#include "document/FileIo.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <span>
#include <vector>

namespace kalvero {

// Writes many files with the guarantee of WriteFileAtomically, each replaced
// whole or not at all, but with one flush of each file system for a step of
// files instead of one per file. Each file is first written beside its target.
// A step closes once it holds a few hundred files or is half a second old and
// the step before it is delivered; its flush then runs on a thread of its own
// while the next step is written, and once the flush is done its files are
// renamed over their targets. A batch cut short keeps the steps it delivered.
class BatchWriter {
public:
    using Report =
        std::function<void(const std::filesystem::path& target, const FileStatus& outcome)>;
    // A step is closed when it holds this many files, or when its first file
    // was written this long ago; while the step before it is still being
    // flushed, it takes more.
    struct StepLimits {
        std::size_t files;
        std::chrono::steady_clock::duration age;
    };
    static constexpr StepLimits DefaultSteps{256, std::chrono::milliseconds(500)};

    explicit BatchWriter(Report delivered);
    BatchWriter(Report delivered, StepLimits limits);
    // Temporary files never delivered are removed.
    ~BatchWriter();
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    // Checks the target (CheckWriteTarget) and writes the bytes beside the
    // file its links lead to; the target is not touched yet. A failure
    // concerns this file only, leaves nothing of it and is told only here.
    // May first deliver a step of earlier files.
    FileStatus add(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

    // Delivers everything still pending. Every file that add took is reported
    // through `delivered` exactly once, in the order added, with the name it
    // was added under: written, or why not (a failed flush fails its whole
    // step and replaces none of its targets).
    void finish();

private:
    struct Pending {
        std::filesystem::path target;
        TemporaryFile file;
    };

    // Starts the flush of the open step; the step before it is delivered.
    void closeStep();
    // Renames the files of the flushed step and reports them; waits for its
    // flush when asked, else only delivers a step whose flush is done.
    void deliverFlushed(bool wait);

    Report delivered_;
    StepLimits limits_;
    std::vector<Pending> open_;
    std::chrono::steady_clock::time_point openedAt_;
    std::vector<Pending> flushing_;
    std::future<FileStatus> flush_;
};

} // namespace kalvero
