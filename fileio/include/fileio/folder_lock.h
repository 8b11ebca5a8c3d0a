#pragma once

#include <filesystem>

namespace scanbench {

// An advisory lock (flock) on a folder, held for the object's lifetime, so
// that processes that read, change and write back a file in that folder take
// turns. The folder itself is locked rather than the file, which an atomic
// write replaces by another; no lock file is left lying about. A holder that
// never lets go is waited for at most MaxWaits times WaitMs; the lock is
// then not held, and the caller goes on as it would without locking (as it
// does where the folder cannot be opened or the file system has no locks).
class FolderLock {
public:
    static constexpr int WaitMs = 10;
    static constexpr int MaxWaits = 500;

    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    [[nodiscard]] bool Held() const { return Fd >= 0; }

private:
    int Fd = -1;
};

} // namespace scanbench
