#include "fileio/write_file.h"

#include "system_calls.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scanbench {

namespace {

// Writes over an existing regular file, most recoverable steps first.
std::string WriteInPlace(const std::filesystem::path& target, std::string_view bytes,
                         const WriteRules& rules) {
    const int fd =
        ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return detail::ErrorText(errno);
    }
    const auto fail = [fd](int error, std::string message = {}) {
        ::close(fd);
        if (message.empty()) {
            return detail::ErrorText(error);
        }
        return message;
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return fail(errno);
    }
    if (std::string refusal = detail::Refusal(info, rules.Protected); !refusal.empty()) {
        return fail(EINVAL, std::move(refusal));
    }
    const auto oldSize = static_cast<std::size_t>(info.st_size);
    const std::size_t common = std::min(oldSize, bytes.size());
    if (bytes.size() > oldSize) {
        if (const int error =
                detail::WriteAllAt(fd, bytes.substr(oldSize), static_cast<off_t>(oldSize));
            error != 0) {
            [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(oldSize));
            return fail(error);
        }
    }
    if (const int error = detail::WriteAllAt(fd, bytes.substr(0, common), 0); error != 0) {
        return fail(error);
    }
    if (bytes.size() < oldSize && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
        return fail(errno);
    }
    if (const int error = detail::Fsync(fd); error != 0) {
        return fail(error);
    }
    if (const int error = detail::CloseChecked(fd); error != 0) {
        return detail::ErrorText(error);
    }
    return {};
}

} // namespace

std::string WriteFileContents(const std::filesystem::path& target, std::string_view bytes,
                              const WriteRules& rules) {
    AtomicFileWriter writer(target, rules);
    if (!writer.IsOpen()) {
        struct stat info {};
        if (rules.InPlaceWhenFolderReadOnly && writer.FolderRefused() &&
            ::stat(writer.Target().c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            return WriteInPlace(writer.Target(), bytes, rules);
        }
        return writer.Error();
    }
    if (!writer.Write(bytes) || !writer.Commit()) {
        return writer.Error();
    }
    return {};
}

} // namespace scanbench
