#include "fileio/temp_file_cleanup.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#include <pthread.h>
#include <unistd.h>

namespace scanbench {

namespace {

// A slot is Free, being filled by Register (Claimed), or holds a path the
// handler may remove (Active).
enum SlotState : int { Free = 0, Claimed = 1, Active = 2 };

struct Slot {
    std::atomic<int> State{Free};
    char Path[PATH_MAX] = {};
};
static_assert(std::atomic<int>::is_always_lock_free);

std::array<Slot, TempFileCleanup::Slots> Table;

void RemoveRegisteredFiles() {
    for (Slot& slot : Table) {
        if (slot.State.load(std::memory_order_acquire) == Active) {
            ::unlink(slot.Path);
        }
    }
}

// Only installed for signals whose default action ends the process: the
// files go, then the signal takes that action. It is blocked inside its
// handler, so it arrives on return.
void OnSignal(int signal) {
    const int savedErrno = errno;
    RemoveRegisteredFiles();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    errno = savedErrno;
}

void Install(int signal) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
        current.sa_handler != SIG_DFL) {
        // Ignored, it ends nothing. Handled, the handler decides whether the
        // process goes on; a file removed under a process that goes on would
        // make its writer fail.
        return;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    action.sa_mask = TempFileCleanup::Signals();
    (void)::sigaction(signal, &action, nullptr);
}

void InstallHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : TempFileCleanup::EndingSignals) {
            Install(signal);
        }
    });
}

} // namespace

int TempFileCleanup::Register(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length >= PATH_MAX) {
        return -1;
    }
    InstallHandlers();
    for (std::size_t i = 0; i < Table.size(); ++i) {
        int expected = Free;
        if (Table[i].State.compare_exchange_strong(expected, Claimed, std::memory_order_acquire)) {
            std::memcpy(Table[i].Path, path, length + 1);
            Table[i].State.store(Active, std::memory_order_release);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TempFileCleanup::Unregister(int slot) {
    if (slot >= 0 && slot < Slots) {
        Table[static_cast<std::size_t>(slot)].State.store(Free, std::memory_order_release);
    }
}

int TempFileCleanup::RegisteredCount() {
    int count = 0;
    for (const Slot& slot : Table) {
        count += slot.State.load(std::memory_order_acquire) == Active ? 1 : 0;
    }
    return count;
}

sigset_t TempFileCleanup::Signals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : EndingSignals) {
        sigaddset(&set, signal);
    }
    return set;
}

CleanupSignalsBlocked::CleanupSignalsBlocked() {
    const sigset_t block = TempFileCleanup::Signals();
    pthread_sigmask(SIG_BLOCK, &block, &Saved);
}

CleanupSignalsBlocked::~CleanupSignalsBlocked() {
    pthread_sigmask(SIG_SETMASK, &Saved, nullptr);
}

} // namespace scanbench
