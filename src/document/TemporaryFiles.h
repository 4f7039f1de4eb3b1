#pragma once

#include <filesystem>

#ifndef _WIN32
#include <csignal>
#endif

namespace kalvero {

// The temporary files this process is writing, which the handlers that
// RemoveTemporaryFilesOnSignals (FileIo.h) installs remove before the process
// ends.
//
// While a CleanupSignalsHeld lives, the cleanup signals (on Windows: the
// console's control events) wait: the list changes only under it, so a
// handler never sees it half changed, and a file made under it is registered
// before any handler can run. Holds may nest.
class CleanupSignalsHeld {
public:
    CleanupSignalsHeld();
    ~CleanupSignalsHeld();
    CleanupSignalsHeld(const CleanupSignalsHeld&) = delete;
    CleanupSignalsHeld& operator=(const CleanupSignalsHeld&) = delete;

private:
#ifndef _WIN32
    sigset_t previous_;
#endif
};

void RegisterTemporaryFile(const CleanupSignalsHeld& held, const std::filesystem::path& file);
// Called once the file is gone: renamed over its target, or removed.
void ForgetTemporaryFile(const std::filesystem::path& file);

} // namespace kalvero
