#include "document/TemporaryFiles.h"

#include "document/FileIo.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <unistd.h>
#endif

namespace kalvero {
namespace {

using NameChar = std::filesystem::path::value_type;

// The registered names, each a copy of its own. Plain pointers and counts
// without destructors: a handler may run while the program's static objects
// are being destroyed.
NameChar** names = nullptr;
std::size_t nameCount = 0;
std::size_t nameCapacity = 0;

#ifdef _WIN32

SRWLOCK registryLock = SRWLOCK_INIT;

// The console events end the process with the numbers their signals would
// give on Unix: Ctrl-C 130, Ctrl-Break 149 (SIGBREAK), a closed console 129.
BOOL WINAPI RemoveTemporaryFilesAndExit(DWORD event) {
    int signal = 0;
    switch (event) {
    case CTRL_C_EVENT:
        signal = 2;
        break;
    case CTRL_BREAK_EVENT:
        signal = 21;
        break;
    case CTRL_CLOSE_EVENT:
        signal = 1;
        break;
    default:
        return FALSE;
    }
    // The handler runs on a thread of its own: the lock keeps the writer out.
    AcquireSRWLockExclusive(&registryLock);
    for (std::size_t i = 0; i < nameCount; ++i) {
        DeleteFileW(names[i]);
    }
    ExitProcess(static_cast<UINT>(128 + signal));
}

#else

// Every signal whose default action ends the process, but SIGKILL and SIGSTOP,
// which cannot be caught, and SIGXFSZ, which is ignored and taken as a full
// disk. The faults among them end it as their default action would, with a
// core dump; the rest with 128 + the signal's number.
constexpr int AskedToEnd[] = {SIGHUP,  SIGINT,    SIGQUIT, SIGTRAP, SIGUSR1,
                              SIGUSR2, SIGPIPE,   SIGALRM, SIGTERM, SIGSTKFLT,
                              SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR};
constexpr int Faults[] = {SIGILL, SIGABRT, SIGBUS, SIGFPE, SIGSEGV, SIGSYS};

template <typename Visit> void ForEachCleanupSignal(Visit visit) {
    for (const int signal : AskedToEnd) {
        visit(signal);
    }
    for (const int signal : Faults) {
        visit(signal);
    }
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
        visit(signal);
    }
}

sigset_t CleanupSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    ForEachCleanupSignal([&set](int signal) { sigaddset(&set, signal); });
    return set;
}

bool IsFault(int signal) {
    return std::find(std::begin(Faults), std::end(Faults), signal) != std::end(Faults);
}

// Taken by the outermost hold of each thread, and by the thread that waits
// for the signals in a program with threads; never by the handlers. A plain
// initializer, no destructor: that thread may take it while the program's
// static objects are being destroyed.
pthread_mutex_t registryLock = PTHREAD_MUTEX_INITIALIZER;

// Only async-signal-safe calls: unlink, signal, sigprocmask, raise and _exit.
void RemoveTemporaryFilesAndEnd(int signal, bool asDefault) {
    for (std::size_t i = 0; i < nameCount; ++i) {
        ::unlink(names[i]);
    }
    if (asDefault) {
        std::signal(signal, SIG_DFL);
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, signal);
        ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
        std::raise(signal);
    }
    ::_exit(128 + signal);
}

extern "C" void RemoveTemporaryFilesAndExit(int signal) {
    RemoveTemporaryFilesAndEnd(signal, IsFault(signal));
}

bool ActionIsDefault(int signal) {
    struct sigaction previous {};
    return ::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_DFL;
}

#ifndef __EMSCRIPTEN__
// The signals the waiting thread takes: those of AskedToEnd and the real-time
// ones whose action at the start was the default.
sigset_t waitedFor;

// Waits until one of the signals comes, then, once no hold is left anywhere,
// ends the process as that signal's default action does (the shell sees
// 128 + its number).
extern "C" void* WaitForCleanupSignal(void*) {
    int signal = 0;
    while (::sigwait(&waitedFor, &signal) != 0) {
    }
    pthread_mutex_lock(&registryLock);
    RemoveTemporaryFilesAndEnd(signal, true);
    return nullptr;
}
#endif

#endif

std::size_t NameLength(const NameChar* name) {
    return std::char_traits<NameChar>::length(name);
}

} // namespace

// Holds nest: only the outermost one of a thread blocks and unblocks.
thread_local int heldDepth = 0;

#ifdef _WIN32

CleanupSignalsHeld::CleanupSignalsHeld() {
    if (heldDepth++ == 0) {
        AcquireSRWLockExclusive(&registryLock);
    }
}

CleanupSignalsHeld::~CleanupSignalsHeld() {
    if (--heldDepth == 0) {
        ReleaseSRWLockExclusive(&registryLock);
    }
}

void RemoveTemporaryFilesOnSignals() {
    SetConsoleCtrlHandler(RemoveTemporaryFilesAndExit, TRUE);
}

// The console's handler runs on a thread of its own and takes the lock.
void RemoveTemporaryFilesOnSignalsInThreads() {
    RemoveTemporaryFilesOnSignals();
}

#else

CleanupSignalsHeld::CleanupSignalsHeld() {
    if (heldDepth++ == 0) {
        const sigset_t set = CleanupSignalSet();
        pthread_sigmask(SIG_BLOCK, &set, &previous_);
        pthread_mutex_lock(&registryLock);
    }
}

CleanupSignalsHeld::~CleanupSignalsHeld() {
    if (--heldDepth == 0) {
        pthread_mutex_unlock(&registryLock);
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
}

// A signal ignored by whoever started us (nohup, a background job) stays
// ignored, and one with a handler (a sanitizer's) keeps it.
void RemoveTemporaryFilesOnSignals() {
    struct sigaction action {};
    action.sa_handler = RemoveTemporaryFilesAndExit;
    action.sa_mask = CleanupSignalSet();
    ForEachCleanupSignal([&action](int signal) {
        if (ActionIsDefault(signal)) {
            ::sigaction(signal, &action, nullptr);
        }
    });
}

#ifndef __EMSCRIPTEN__
void RemoveTemporaryFilesOnSignalsInThreads() {
    sigemptyset(&waitedFor);
    const auto add = [](int signal) {
        if (ActionIsDefault(signal)) {
            sigaddset(&waitedFor, signal);
        }
    };
    std::for_each(std::begin(AskedToEnd), std::end(AskedToEnd), add);
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
        add(signal);
    }
    // Blocked here, so in every thread started later too: the signals wait
    // pending for the one thread that takes them.
    pthread_sigmask(SIG_BLOCK, &waitedFor, nullptr);
    pthread_t waiter;
    if (pthread_create(&waiter, nullptr, WaitForCleanupSignal, nullptr) == 0) {
        pthread_detach(waiter);
    } else {
        // Without a thread to take them they would never end the process.
        pthread_sigmask(SIG_UNBLOCK, &waitedFor, nullptr);
    }
}
#endif

#endif

void StartWithSignalsUnblocked(const std::function<void()>& start) {
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
    sigset_t previous;
    pthread_sigmask(SIG_UNBLOCK, &waitedFor, &previous);
    start();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
#else
    start();
#endif
}

void RegisterTemporaryFile(const CleanupSignalsHeld&, const std::filesystem::path& file) {
    if (nameCount == nameCapacity) {
        const std::size_t capacity = nameCapacity == 0 ? 16 : 2 * nameCapacity;
        auto** grown = new NameChar*[capacity];
        std::copy(names, names + nameCount, grown);
        delete[] names;
        names = grown;
        nameCapacity = capacity;
    }
    const std::size_t length = NameLength(file.c_str());
    auto* copy = new NameChar[length + 1];
    std::char_traits<NameChar>::copy(copy, file.c_str(), length + 1);
    names[nameCount++] = copy;
}

void ForgetTemporaryFile(const std::filesystem::path& file) {
    const CleanupSignalsHeld held;
    const std::size_t length = NameLength(file.c_str());
    // Files leave mostly in the order they came: the search is short.
    for (std::size_t i = 0; i < nameCount; ++i) {
        if (NameLength(names[i]) == length &&
            std::char_traits<NameChar>::compare(names[i], file.c_str(), length) == 0) {
            delete[] names[i];
            std::copy(names + i + 1, names + nameCount, names + i);
            --nameCount;
            return;
        }
    }
}

} // namespace kalvero
