#include "document/BatchWriter.h"

#include "document/TemporaryFiles.h"

#include <algorithm>
#include <utility>

namespace kalvero {
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> FoldersOf(const auto& files) {
    std::vector<fs::path> folders;
    for (const auto& file : files) {
        folders.push_back(file.file.path.parent_path());
    }
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    return folders;
}

} // namespace

BatchWriter::BatchWriter(Report delivered) : BatchWriter(std::move(delivered), DefaultSteps) {}

BatchWriter::BatchWriter(Report delivered, StepLimits limits)
    : delivered_(std::move(delivered)), limits_(limits) {}

BatchWriter::~BatchWriter() {
    if (flush_.valid()) {
        flush_.wait();
    }
    for (const std::vector<Pending>* step : {&flushing_, &open_}) {
        for (const Pending& file : *step) {
            RemoveTemporaryFile(file.file);
        }
    }
}

FileStatus BatchWriter::add(const fs::path& target, std::span<const std::uint8_t> bytes) {
    deliverFlushed(false);
    // While the step before is still being flushed the open step grows, so
    // that a slow disk makes steps larger instead of the writer wait.
    if (!flush_.valid() && !open_.empty() &&
        (open_.size() >= limits_.files ||
         std::chrono::steady_clock::now() - openedAt_ >= limits_.age)) {
        closeStep();
    }
    FileResult<TemporaryFile> written = WriteFileBeside(target, bytes, false);
    if (!written) {
        return written.error();
    }
    if (open_.empty()) {
        openedAt_ = std::chrono::steady_clock::now();
    }
    open_.push_back({target, std::move(written).value()});
    return Succeeded;
}

void BatchWriter::finish() {
    deliverFlushed(true);
    if (!open_.empty()) {
        closeStep();
        deliverFlushed(true);
    }
}

void BatchWriter::closeStep() {
    flushing_ = std::move(open_);
    open_.clear();
    // The thread starts with the cleanup signals blocked and keeps them so:
    // they must reach the thread that changes the list of temporary files.
    // Where no thread can be made, the flush runs when it is waited for.
    // WebAssembly without threads defers it from the start: there the C++
    // library aborts where it would throw the failure to make a thread.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    constexpr std::launch policy = std::launch::deferred;
#else
    constexpr std::launch policy = std::launch::async | std::launch::deferred;
#endif
    const CleanupSignalsHeld held;
    flush_ =
        std::async(policy, [folders = FoldersOf(flushing_)] { return FlushFileSystems(folders); });
}

void BatchWriter::deliverFlushed(bool wait) {
    // A flush without a thread of its own (deferred) runs here and now.
    if (!flush_.valid() ||
        (!wait && flush_.wait_for(std::chrono::seconds(0)) == std::future_status::timeout)) {
        return;
    }
    const FileStatus flushed = flush_.get();
    // Every file is renamed or removed before anybody hears of it, so that a
    // report that throws leaves no temporary file behind. One hold of the
    // cleanup signals for the whole step spares two calls a file.
    std::vector<std::pair<fs::path, FileStatus>> outcomes;
    outcomes.reserve(flushing_.size());
    {
        const CleanupSignalsHeld held;
        for (Pending& file : flushing_) {
            if (flushed) {
                outcomes.emplace_back(std::move(file.target), ReplaceFile(file.file));
            } else {
                outcomes.emplace_back(std::move(file.target),
                                      AbandonTemporaryFile(file.file, flushed.error()));
            }
        }
    }
    flushing_.clear();
    for (const auto& [target, outcome] : outcomes) {
        delivered_(target, outcome);
    }
}

} // namespace kalvero
