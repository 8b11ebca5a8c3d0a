#pragma once

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <linux/capability.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace scanbench::testing {

// Limits the size of files this process may write, for one scope. SIGXFSZ is
// ignored so that the limit shows as EFBIG instead of ending the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = Saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &Saved); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit Saved{};
};

// Limits the address space of this process, for one scope, to what it uses
// now plus `room` bytes, so that the next large allocation fails. Workable()
// is false where the process has reserved far more than it uses (under the
// sanitizers): a limit would then stop everything.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t room) {
        getrlimit(RLIMIT_AS, &Saved);
        const rlim_t used = MappedBytes();
        if (used == 0 || used > (rlim_t{16} << 30)) {
            return;
        }
        rlimit limited = Saved;
        limited.rlim_cur = used + room;
        Limited = setrlimit(RLIMIT_AS, &limited) == 0;
    }
    ~AddressSpaceLimit() {
        if (Limited) {
            setrlimit(RLIMIT_AS, &Saved);
        }
    }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

    [[nodiscard]] bool Workable() const { return Limited; }

private:
    // The process's size: the first number of /proc/self/statm, in pages.
    static rlim_t MappedBytes() {
        char text[64] = {};
        const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return 0;
        }
        const ssize_t n = ::read(fd, text, sizeof text - 1);
        ::close(fd);
        return n > 0
                   ? std::strtoull(text, nullptr, 10) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE))
                   : 0;
    }

    rlimit Saved{};
    bool Limited = false;
};

// A folder that can be made full: a tmpfs mounted there when the test may
// mount one (as root), otherwise an ordinary folder plus a file-size limit
// for the whole process. Write the files the test needs first, then Fill:
// from then on a write that needs more room fails part-way (ENOSPC on the
// tmpfs, EFBIG beyond `fileSizeLimit` bytes otherwise).
class FullFileSystem {
public:
    explicit FullFileSystem(std::filesystem::path folder) : Folder(std::move(folder)) {
        std::filesystem::create_directories(Folder);
        Mounted = ::mount("tmpfs", Folder.c_str(), "tmpfs", 0, "size=1m,mode=0755") == 0;
    }
    ~FullFileSystem() {
        if (Mounted) {
            ::umount2(Folder.c_str(), MNT_DETACH);
        }
        if (Limited) {
            setrlimit(RLIMIT_FSIZE, &Saved);
        }
    }
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    void Fill(rlim_t fileSizeLimit) {
        if (Mounted) {
            // Shrunk to what its files take: not one more page fits.
            struct statvfs usage {};
            ::statvfs(Folder.c_str(), &usage);
            const unsigned long used = (usage.f_blocks - usage.f_bfree) * usage.f_frsize;
            const std::string options = "size=" + std::to_string(used > 0 ? used : 4096);
            if (::mount("tmpfs", Folder.c_str(), "tmpfs", MS_REMOUNT, options.c_str()) == 0) {
                return;
            }
        }
        getrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = Saved;
        limited.rlim_cur = fileSizeLimit;
        Limited = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }

private:
    std::filesystem::path Folder;
    bool Mounted = false;
    bool Limited = false;
    rlimit Saved{};
};

// For one scope the calling thread obeys file permissions even as root, by
// dropping the capabilities that override them from its effective set; for
// any other user it changes nothing. Lets a test see a read-only folder as
// an ordinary user does.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() {
        if (::geteuid() != 0) {
            return;
        }
        Header.version = _LINUX_CAPABILITY_VERSION_3;
        Header.pid = 0;
        if (::syscall(SYS_capget, &Header, Saved) != 0) {
            return;
        }
        __user_cap_data_struct dropped[2] = {Saved[0], Saved[1]};
        dropped[0].effective &=
            ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH) | (1U << CAP_FOWNER));
        Dropped = ::syscall(SYS_capset, &Header, dropped) == 0;
    }
    ~AsOrdinaryUser() {
        if (Dropped) {
            ::syscall(SYS_capset, &Header, Saved);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    __user_cap_header_struct Header{};
    __user_cap_data_struct Saved[2]{};
    bool Dropped = false;
};

// A folder made read-only for one scope (and its mode put back after).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder) : Folder(std::move(folder)) {
        ::chmod(Folder.c_str(), 0555);
    }
    ~ReadOnlyFolder() { ::chmod(Folder.c_str(), 0755); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::filesystem::path Folder;
};

} // namespace scanbench::testing
