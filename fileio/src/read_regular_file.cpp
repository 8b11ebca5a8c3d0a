#include "fileio/read_regular_file.h"

#include "system_calls.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scanbench {

namespace {

RegularFileRead Failure(FileReadStatus status, int error = 0) {
    RegularFileRead read;
    read.Status = status;
    if (error != 0) {
        read.Error = detail::ErrorText(error);
    }
    return read;
}

} // namespace

RegularFileRead detail::ReadOpenFile(int fd, std::size_t maxBytes) {
    RegularFileRead read;
    read.Status = FileReadStatus::Ok;
    std::size_t capacity = std::min<std::size_t>(maxBytes, 1 << 16) + 1;
    read.Bytes.resize(capacity);
    std::size_t filled = 0;
    while (true) {
        if (filled == capacity) {
            if (capacity > maxBytes) {
                read.Status = FileReadStatus::TooLarge;
                read.Bytes.clear();
                return read;
            }
            capacity = std::min(capacity * 2, maxBytes + 1);
            read.Bytes.resize(capacity);
        }
        const ssize_t got = ::read(fd, read.Bytes.data() + filled, capacity - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Failure(FileReadStatus::Failed, errno);
        }
        if (got == 0) {
            read.Bytes.resize(filled);
            return read;
        }
        filled += static_cast<std::size_t>(got);
    }
}

RegularFileRead ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? Failure(FileReadStatus::Missing)
                               : Failure(FileReadStatus::Failed, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        RegularFileRead read = Failure(FileReadStatus::NotRegular);
        read.Identity = detail::IdentityFrom(info);
        return read;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? Failure(FileReadStatus::Missing)
                               : Failure(FileReadStatus::Failed, errno);
    }
    // Looked at again through the descriptor: the name may have been given
    // to something else in between.
    RegularFileRead read;
    if (::fstat(fd, &info) != 0) {
        read = Failure(FileReadStatus::Failed, errno);
    } else if (!S_ISREG(info.st_mode)) {
        read.Status = FileReadStatus::NotRegular;
    } else if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        read.Status = FileReadStatus::TooLarge; // known without reading a byte
    } else {
        read = detail::ReadOpenFile(fd, maxBytes);
    }
    if (read.Status != FileReadStatus::Failed) {
        read.Identity = detail::IdentityFrom(info);
    }
    ::close(fd);
    return read;
}

} // namespace scanbench
