#include "fileio/private_file.h"

#include "system_calls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scanbench {

PrivateFileWrite WritePrivateFile(const std::filesystem::path& folder, std::string_view prefix,
                                  std::string_view bytes) {
    constexpr int Attempts = 100;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const std::filesystem::path path = folder / (std::string(prefix) + detail::RandomName(12));
        const int fd = ::open(
            path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
        if (fd < 0) {
            if (errno == EEXIST || errno == EINTR) {
                continue;
            }
            return {{}, detail::ErrorText(errno)};
        }
        int error = detail::WriteAll(fd, bytes);
        if (error == 0) {
            error = detail::Fsync(fd);
        }
        if (const int closed = detail::CloseChecked(fd); error == 0) {
            error = closed;
        }
        if (error != 0) {
            ::unlink(path.c_str());
            return {{}, detail::ErrorText(error)};
        }
        return {path, {}};
    }
    return {{}, detail::ErrorText(EEXIST)};
}

RegularFileRead TakePrivateFile(const std::filesystem::path& path, std::size_t maxBytes) {
    RegularFileRead read;
    // O_NOFOLLOW: a symbolic link at the name is refused (ELOOP), not followed.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        read.Status = errno == ENOENT  ? FileReadStatus::Missing
                      : errno == ELOOP ? FileReadStatus::NotPrivate
                                       : FileReadStatus::Failed;
        read.Error = detail::ErrorText(errno);
        return read;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        read.Error = detail::ErrorText(errno);
        ::close(fd);
        return read;
    }
    read.Identity = detail::IdentityFrom(info);
    if (!S_ISREG(info.st_mode)) {
        read.Status = FileReadStatus::NotRegular;
    } else if (info.st_uid != ::geteuid() || (info.st_mode & 07777) != 0600 || info.st_nlink != 1) {
        read.Status = FileReadStatus::NotPrivate;
    } else {
        read = detail::ReadOpenFile(fd, maxBytes);
        read.Identity = detail::IdentityFrom(info);
    }
    ::close(fd);
    if (read.Status == FileReadStatus::Ok || read.Status == FileReadStatus::TooLarge) {
        // Only the file that was read goes, not one put at its name since.
        struct stat now {};
        if (::lstat(path.c_str(), &now) == 0 && detail::IdentityFrom(now) == read.Identity) {
            ::unlink(path.c_str());
        }
    }
    return read;
}

} // namespace scanbench
