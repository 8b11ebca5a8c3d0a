#include "fileio/atomic_file_writer.h"

#include "fileio/temp_file_cleanup.h"
#include "system_calls.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace scanbench {

namespace {

// A file-size limit ends the process with SIGXFSZ by default; ignored, it
// makes the write fail with EFBIG, which the writer reports like a full disk.
// A handler someone installed on purpose is left alone.
void IgnoreFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) == 0 &&
            current.sa_handler == SIG_DFL) {
            ::signal(SIGXFSZ, SIG_IGN);
        }
    });
}

// Makes a finished rename survive a power cut; a folder that cannot be
// flushed (some file systems refuse) changes nothing for the caller.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Names longer than this are cut for the temporary file, which adds a dot,
// a random part and a suffix and must stay within NAME_MAX.
constexpr std::size_t MaxBaseLength = 200;

} // namespace

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target, WriteRules rules)
    : Destination(target), Rules(std::move(rules)) {
    Start();
}

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

void AtomicFileWriter::Start() {
    IgnoreFileSizeSignal();
    int error = 0;
    std::filesystem::path followed = detail::FollowLinks(Destination, error);
    if (followed.empty()) {
        Fail(error);
        return;
    }
    std::error_code absoluteError;
    Destination = std::filesystem::absolute(followed, absoluteError);
    if (absoluteError) {
        Fail(absoluteError.value());
        return;
    }
    if (TargetAllowed()) {
        CreateTemporary();
    }
}

bool AtomicFileWriter::TargetAllowed() {
    struct stat info {};
    if (::stat(Destination.c_str(), &info) != 0) {
        return errno == ENOENT || Fail(errno);
    }
    if (std::string refusal = detail::Refusal(info, Rules.Protected); !refusal.empty()) {
        return Fail(EINVAL, std::move(refusal));
    }
    return true;
}

std::filesystem::path AtomicFileWriter::TemporaryName() const {
    std::string base = Destination.filename().string();
    if (base.size() > MaxBaseLength) {
        base.resize(MaxBaseLength);
    }
    return Destination.parent_path() / ("." + base + "." + detail::RandomName(12) + ".tmp");
}

bool AtomicFileWriter::CreateTemporary() {
    // An unnamed file has nothing to leave behind, whatever ends the process.
    if (const int fd = detail::OpenUnnamed(Destination.parent_path()); fd >= 0) {
        Fd = fd;
        return true;
    }
    constexpr int Attempts = 100;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const std::filesystem::path candidate = TemporaryName();
        // Created and registered with the cleanup signals held back, so an
        // interruption in between cannot leave the file behind.
        const CleanupSignalsBlocked blocked;
        const int fd =
            ::open(candidate.c_str(),
                   O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
        if (fd >= 0) {
            Fd = fd;
            Temporary = candidate;
            CleanupSlot = TempFileCleanup::Register(candidate.c_str());
            return true;
        }
        if (errno != EEXIST && errno != EINTR) {
            const int error = errno;
            FolderRefusal = error == EACCES || error == EPERM;
            return Fail(error);
        }
    }
    return Fail(EEXIST);
}

bool AtomicFileWriter::NameUnnamed() {
    constexpr int Attempts = 100;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const std::filesystem::path candidate = TemporaryName();
        const CleanupSignalsBlocked blocked;
        const int error = detail::LinkUnnamed(Fd, candidate);
        if (error == 0) {
            Temporary = candidate;
            CleanupSlot = TempFileCleanup::Register(candidate.c_str());
            return true;
        }
        if (error != EEXIST && error != EINTR) {
            return Fail(error);
        }
    }
    return Fail(EEXIST);
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (Fd < 0) {
        return false;
    }
    if (const int error = detail::WriteAll(Fd, bytes); error != 0) {
        return Fail(error);
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (Committed) {
        return true;
    }
    if (Fd < 0) {
        return false;
    }
    if (const int error = detail::Fsync(Fd); error != 0) {
        return Fail(error);
    }
    struct stat old {};
    mode_t mode = 0666 & ~detail::CurrentUmask();
    if (::stat(Destination.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        mode = old.st_mode & 07777;
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            // Only an owner with the right to do so keeps the old owner; for
            // everyone else the file becomes theirs, as any save would.
            [[maybe_unused]] const int kept = ::fchown(Fd, old.st_uid, old.st_gid);
        }
    }
    if (::fchmod(Fd, mode) != 0) {
        return Fail(errno);
    }
    // An unnamed file gets a temporary name only now, for the rename that
    // replaces the target in one step.
    if (Temporary.empty() && !NameUnnamed()) {
        return false;
    }
    const int fd = std::exchange(Fd, -1);
    if (const int error = detail::CloseChecked(fd); error != 0) {
        return Fail(error);
    }
    if (!TargetAllowed()) {
        return false;
    }
    if (::rename(Temporary.c_str(), Destination.c_str()) != 0) {
        return Fail(errno);
    }
    Committed = true;
    Temporary.clear();
    TempFileCleanup::Unregister(std::exchange(CleanupSlot, -1));
    SyncFolder(Destination.parent_path());
    return true;
}

void AtomicFileWriter::Discard() {
    if (Fd >= 0) {
        ::close(std::exchange(Fd, -1));
    }
    if (!Temporary.empty()) {
        ::unlink(Temporary.c_str());
        Temporary.clear();
    }
    TempFileCleanup::Unregister(std::exchange(CleanupSlot, -1));
}

bool AtomicFileWriter::Fail(int error, std::string message) {
    if (Errno == 0) {
        Errno = error != 0 ? error : EIO;
        Message = message.empty() ? detail::ErrorText(Errno) : std::move(message);
    }
    Discard();
    return false;
}

} // namespace scanbench
