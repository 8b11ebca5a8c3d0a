#include "cli/replacing_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace scanbench {

class ReplacingFile::Buffer final : public BlockOutputBuffer {
public:
    explicit Buffer(int descriptor) : Descriptor(descriptor) {}
    int Errno = 0;

protected:
    bool WriteBlock(const char* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t n = ::write(Descriptor, data, size);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                Errno = n < 0 ? errno : ENOSPC;
                return false;
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int Descriptor;
};

namespace {

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string Message(const std::string& what, const std::string& path, int error) {
    return what + " " + path + ": " + std::strerror(error);
}

} // namespace

ReplacingFile::ReplacingFile(std::string path) : Path(std::move(path)) {
    struct stat target {};
    if (::stat(Path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
        Problem = "cannot write " + Path + ": not a regular file";
        return;
    }
    const std::size_t slash = Path.rfind('/');
    const std::string name = slash == std::string::npos ? Path : Path.substr(slash + 1);
    std::string pattern = Folder(Path) + "." + name + ".XXXXXX";
    std::vector<char> chars(pattern.begin(), pattern.end());
    chars.push_back('\0');
    Descriptor = ::mkstemp(chars.data());
    if (Descriptor < 0) {
        Problem = Message("cannot write", Path, errno);
        return;
    }
    Temporary.assign(chars.data());
    // mkstemp makes the file private; the finished file gets the usual mode.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(Descriptor, 0666 & ~mask);
    Blocks = std::make_unique<Buffer>(Descriptor);
    Out = std::make_unique<std::ostream>(Blocks.get());
}

ReplacingFile::~ReplacingFile() {
    Discard();
}

void ReplacingFile::Discard() {
    if (Descriptor >= 0) {
        ::close(Descriptor);
        Descriptor = -1;
        std::remove(Temporary.c_str());
    }
}

bool ReplacingFile::Commit() {
    if (!IsOpen()) {
        return false;
    }
    Out->flush();
    if (!*Out) {
        Problem = Message("error while writing", Path, Blocks->Errno != 0 ? Blocks->Errno : EIO);
        Discard();
        return false;
    }
    const int closed = ::close(Descriptor);
    const int closeError = errno;
    Descriptor = -1;
    if (closed != 0 || std::rename(Temporary.c_str(), Path.c_str()) != 0) {
        Problem = Message(closed != 0 ? "error while writing" : "cannot write", Path,
                          closed != 0 ? closeError : errno);
        std::remove(Temporary.c_str());
        return false;
    }
    return true;
}

} // namespace scanbench
