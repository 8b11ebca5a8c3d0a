#include "fileio/folder_lock.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace scanbench {

FolderLock::FolderLock(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return;
    }
    for (int wait = 0; wait <= MaxWaits; ++wait) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            Fd = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            break; // no locks on this file system
        }
        const timespec pause{0, WaitMs * 1000L * 1000L};
        ::nanosleep(&pause, nullptr);
    }
    ::close(fd);
}

FolderLock::~FolderLock() {
    if (Fd >= 0) {
        ::close(Fd); // releases the lock
    }
}

} // namespace scanbench
