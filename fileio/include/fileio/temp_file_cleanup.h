#pragma once

#include <csignal>

namespace scanbench {

// Temporary files that must not outlive an interrupted process. While a file
// is registered, every signal that ends a process by default from outside
// (EndingSignals) removes it before the signal takes its usual course. A
// signal the process ignores stays ignored, and one it already handles is
// left to its handler, which decides whether the process goes on: files are
// never removed under a process that goes on. SIGKILL cannot be caught: only a file that never
// had a name survives it (see AtomicFileWriter). The faults of the program
// itself (SIGSEGV and its kind) are left to the debugger and the sanitizers.
// The registry is a fixed table of slots, so the signal handler needs no
// memory and no locks.
namespace TempFileCleanup {

// The terminal closed, Ctrl-C and Ctrl-\, abort(), a closed pipe, timers,
// the user signals, the CPU limit, profiling, power failure. SIGXFSZ is not
// among them: the writer ignores it and reports the write that failed.
inline constexpr int EndingSignals[] = {SIGHUP,  SIGINT,    SIGQUIT, SIGABRT, SIGUSR1,
                                        SIGUSR2, SIGPIPE,   SIGALRM, SIGTERM, SIGSTKFLT,
                                        SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR};

// EndingSignals as a set.
[[nodiscard]] sigset_t Signals();

// How many files can be registered at the same time.
inline constexpr int Slots = 32;

// Registers a path (at most PATH_MAX bytes); returns its slot, or -1 when
// every slot is taken or the path is too long: the file is then left behind
// by a signal, though still removed by its writer otherwise. Installs the
// handlers on first use.
[[nodiscard]] int Register(const char* path);

// Frees a slot that Register handed out; -1 is ignored.
void Unregister(int slot);

// How many files are registered now; for tests.
[[nodiscard]] int RegisteredCount();

} // namespace TempFileCleanup

// Blocks EndingSignals in the calling thread for its lifetime, so that a
// temporary file is created and registered as one step.
class CleanupSignalsBlocked {
public:
    CleanupSignalsBlocked();
    ~CleanupSignalsBlocked();
    CleanupSignalsBlocked(const CleanupSignalsBlocked&) = delete;
    CleanupSignalsBlocked& operator=(const CleanupSignalsBlocked&) = delete;

private:
    sigset_t Saved{};
};

} // namespace scanbench
