// Fuzzes the file-writing layer: the input is split into pieces of sizes it
// chooses and streamed through AtomicFileWriter, then read back with a limit
// the input chooses too. What is read must be exactly what was written, the
// limit must be kept, and no temporary file may stay behind.
#include "fileio/atomic_file_writer.h"
#include "fileio/read_regular_file.h"
#include "fileio/writer_stream.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_file_writer: %s\n", what);
        std::abort();
    }
}

// A folder of this process, in memory where there is such a folder: every
// commit flushes to the disk. Made for each input and removed after it.
std::filesystem::path Folder() {
    static const std::filesystem::path folder =
        (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                   : std::filesystem::temp_directory_path()) /
        ("scanbench-fuzz-" + std::to_string(getpid()));
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scanbench;
    if (size < 2) {
        return 0;
    }
    const std::size_t limit = std::size_t{data[0]} * 16;
    const bool streamed = (data[1] & 1) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    std::filesystem::create_directories(Folder());
    const std::filesystem::path target = Folder() / "target.txt";
    std::string written;
    {
        AtomicFileWriter writer(target);
        WriterStream stream(writer);
        while (!rest.empty()) {
            // A piece: its length byte, then that many bytes.
            const std::size_t length = std::min<std::size_t>(
                static_cast<unsigned char>(rest[0]) * 37U % 4099U, rest.size() - 1);
            const std::string_view piece = rest.substr(1, length);
            if (streamed) {
                stream << piece;
            } else {
                Check(writer.Write(piece), "write failed");
            }
            written += piece;
            rest.remove_prefix(1 + length);
        }
        stream.flush();
        Check(stream.good(), "stream failed");
        if (!writer.Commit()) {
            std::fprintf(stderr, "fuzz_file_writer: commit failed: %s\n", writer.Error().c_str());
            std::abort();
        }
    }
    const RegularFileRead read = ReadRegularFile(target, limit);
    if (written.size() > limit) {
        Check(read.Status == FileReadStatus::TooLarge && read.Bytes.empty(), "limit not kept");
    } else {
        Check(read.Status == FileReadStatus::Ok && read.Bytes == written, "read differs");
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Folder())) {
        ++files;
    }
    Check(files == 1, "files left behind");
    std::filesystem::remove_all(Folder());
    return 0;
}
