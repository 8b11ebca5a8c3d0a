#pragma once

#include <csignal>

namespace scanbench {

// Temporary files that must not outlive an interrupted process. While a file
// is registered, SIGINT and SIGTERM remove it before the signal takes its
// usual course (a handler that was installed before runs afterwards; a signal
// the process ignores stays ignored). The registry is a fixed table of
// slots, so the signal handler needs no memory and no locks.
namespace TempFileCleanup {

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

// Blocks SIGINT and SIGTERM in the calling thread for its lifetime, so that a
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
