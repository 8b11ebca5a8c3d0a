#include "fileio/move_aside.h"

#include "system_calls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scanbench {

int RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        return errno;
    }
    // The file system cannot rename without replacing: a hard link takes the
    // new name only when it is free, then the old name goes.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP) {
        return errno;
    }
    // No hard links either (FAT, some network file systems): look first.
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        return EEXIST;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::optional<std::filesystem::path> MoveAside(const std::filesystem::path& file,
                                               std::string_view suffix, std::string& error) {
    constexpr int MaxNames = 1000;
    for (int number = 1; number <= MaxNames; ++number) {
        std::filesystem::path aside = file;
        aside += std::string(suffix);
        if (number > 1) {
            // Appended in two pieces: "-" + std::to_string(...) trips a false
            // -Wrestrict of g++ 12 at -O3.
            aside += "-";
            aside += std::to_string(number);
        }
        const int result = RenameWithoutReplacing(file, aside);
        if (result == 0) {
            return aside;
        }
        if (result != EEXIST) {
            error = detail::ErrorText(result);
            return std::nullopt;
        }
    }
    error = detail::ErrorText(EEXIST);
    return std::nullopt;
}

} // namespace scanbench
