#include "system_calls.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <sys/random.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace scanbench::detail {

std::string ErrorText(int error) {
    return std::system_category().message(error);
}

namespace {

template <typename WriteOnce>
int WriteLoop(std::string_view bytes, WriteOnce writeOnce) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = writeOnce(bytes.data() + done, bytes.size() - done, done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return ENOSPC;
        }
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

} // namespace

int WriteAll(int fd, std::string_view bytes) {
    return WriteLoop(bytes, [fd](const char* data, std::size_t size, std::size_t) {
        return ::write(fd, data, size);
    });
}

int WriteAllAt(int fd, std::string_view bytes, off_t offset) {
    return WriteLoop(bytes, [fd, offset](const char* data, std::size_t size, std::size_t done) {
        return ::pwrite(fd, data, size, offset + static_cast<off_t>(done));
    });
}

std::filesystem::path FollowLinks(const std::filesystem::path& path, int& error) {
    constexpr int MaxLinks = 40; // what the kernel allows for one lookup
    std::filesystem::path current = path;
    for (int link = 0; link <= MaxLinks; ++link) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno == ENOENT) {
                return current; // a new file, or a link to one
            }
            error = errno;
            return {};
        }
        if (!S_ISLNK(info.st_mode)) {
            return current;
        }
        std::array<char, 4096> buffer{};
        const ssize_t length = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (length < 0 || static_cast<std::size_t>(length) >= buffer.size()) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return {};
        }
        const std::filesystem::path target(std::string(buffer.data(), std::size_t(length)));
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    error = ELOOP;
    return {};
}

FileIdentity IdentityFrom(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::string Refusal(const struct stat& info,
                    const std::vector<std::filesystem::path>& protectedFiles) {
    if (!S_ISREG(info.st_mode)) {
        return "Not a regular file";
    }
    for (const std::filesystem::path& kept : protectedFiles) {
        if (IdentityOf(kept) == IdentityFrom(info)) {
            return "Is the same file as " + kept.string();
        }
    }
    return {};
}

mode_t CurrentUmask() {
    // Linux shows the mask in /proc; asking umask() itself would change it
    // for a moment under other threads' feet.
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "Umask:") {
            unsigned mask = 0;
            if (status >> std::oct >> mask) {
                return static_cast<mode_t>(mask & 0777U);
            }
            break;
        }
        status.ignore(4096, '\n');
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

std::string RandomName(std::size_t length) {
    static constexpr char Alphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr std::size_t Letters = sizeof Alphabet - 1;
    std::string random(length, '\0');
    std::size_t filled = 0;
    while (filled < length) {
        const ssize_t got = ::getrandom(random.data() + filled, length - filled, GRND_NONBLOCK);
        if (got <= 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    if (filled < length) {
        // The kernel's pool is not ready this early after boot: mix the clock,
        // the process and a counter instead; the exclusive create still keeps
        // an existing file safe.
        static std::atomic<std::uint64_t> counter{0};
        std::uint64_t state = static_cast<std::uint64_t>(
                                  std::chrono::steady_clock::now().time_since_epoch().count()) ^
                              (static_cast<std::uint64_t>(::getpid()) << 32) ^
                              (counter++ * 0x9E3779B97F4A7C15ULL);
        for (std::size_t i = filled; i < length; ++i) {
            state ^= state >> 33;
            state *= 0xFF51AFD7ED558CCDULL;
            state ^= state >> 29;
            random[i] = static_cast<char>(state);
        }
    }
    for (char& c : random) {
        c = Alphabet[static_cast<unsigned char>(c) % Letters];
    }
    return random;
}

SystemCallHooks& Hooks() {
    static SystemCallHooks hooks;
    return hooks;
}

int Fsync(int fd) {
    const int result = Hooks().Fsync != nullptr ? Hooks().Fsync(fd) : ::fsync(fd);
    return result == 0 ? 0 : (errno != 0 ? errno : EIO);
}

namespace {

// The name under which the kernel shows one of the process's descriptors.
std::string DescriptorPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

} // namespace

int OpenUnnamed(const std::filesystem::path& folder) {
    const char* name = folder.empty() ? "." : folder.c_str();
    const int fd = Hooks().OpenUnnamed != nullptr
                       ? Hooks().OpenUnnamed(name, 0600)
                       : ::open(name, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        return -1;
    }
    // Naming it later goes through /proc (a link from the descriptor itself
    // needs a privilege); without /proc the file could never be kept.
    if (::access(DescriptorPath(fd).c_str(), F_OK) != 0) {
        ::close(fd);
        errno = ENOENT;
        return -1;
    }
    return fd;
}

int LinkUnnamed(int fd, const std::filesystem::path& name) {
    if (::linkat(AT_FDCWD, DescriptorPath(fd).c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) !=
        0) {
        return errno;
    }
    return 0;
}

int CloseChecked(int fd) {
    // Linux frees the descriptor even when close is interrupted, so it is not
    // retried; EINTR then says nothing about the data.
    if (::close(fd) != 0 && errno != EINTR) {
        return errno;
    }
    return 0;
}

} // namespace scanbench::detail
