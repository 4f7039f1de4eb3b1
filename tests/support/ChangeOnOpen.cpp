// Preloaded (LD_PRELOAD) into a program under test, this library changes a
// file at the moment the program opens it for reading with fopen: after its
// length was taken, before its bytes are read. A file whose name contains
// "grows-on-open" gets one byte more, one with "shrinks-on-open" loses half
// its bytes, each at its first opening only.

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void ChangeAtFirstOpening(const char* path, const char* mode) {
    if (path == nullptr || mode == nullptr || mode[0] != 'r') {
        return;
    }
    const char* slash = std::strrchr(path, '/');
    const char* name = slash != nullptr ? slash + 1 : path;
    const bool grow = std::strstr(name, "grows-on-open") != nullptr;
    const bool shrink = std::strstr(name, "shrinks-on-open") != nullptr;
    if (!grow && !shrink) {
        return;
    }
    static std::mutex mutex;
    static std::set<std::string> changed;
    const std::lock_guard<std::mutex> lock(mutex);
    struct stat status {};
    if (!changed.insert(path).second || ::stat(path, &status) != 0) {
        return;
    }
    static_cast<void>(::truncate(path, grow ? status.st_size + 1 : status.st_size / 2));
}

using OpenFunction = FILE* (*)(const char*, const char*);

FILE* Open(const char* symbol, const char* path, const char* mode) {
    ChangeAtFirstOpening(path, mode);
    const auto real = reinterpret_cast<OpenFunction>(::dlsym(RTLD_NEXT, symbol));
    return real(path, mode);
}

} // namespace

extern "C" {

// Tests look this up to tell whether the library is loaded.
int KalveroChangeOnOpenLoaded() {
    return 1;
}

FILE* fopen(const char* path, const char* mode) {
    return Open("fopen", path, mode);
}

FILE* fopen64(const char* path, const char* mode) {
    return Open("fopen64", path, mode);
}
}
