#pragma once

#include "engine/block_output.h"

#include <memory>
#include <ostream>
#include <string>

namespace scanbench {

// A file written under a temporary name in its destination's folder and
// renamed over the destination only when complete, so that a failed or
// interrupted write never leaves a truncated file behind. Refuses
// destinations that exist and are not regular files.
class ReplacingFile {
public:
    // Creates the temporary file; when that fails, IsOpen() is false and
    // Error() says why.
    explicit ReplacingFile(std::string path);
    // Removes the temporary file unless it was committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    [[nodiscard]] bool IsOpen() const { return Descriptor >= 0; }
    // Writes go through a large buffer; a failed write fails the stream.
    [[nodiscard]] std::ostream& Stream() { return *Out; }
    // Writes out what is buffered and renames the file into place; false,
    // with Error() set, when anything went wrong.
    bool Commit();
    [[nodiscard]] const std::string& Error() const { return Problem; }

private:
    class Buffer;
    void Discard();

    std::string Path;
    std::string Temporary;
    int Descriptor = -1;
    std::string Problem;
    std::unique_ptr<Buffer> Blocks;
    std::unique_ptr<std::ostream> Out;
};

} // namespace scanbench
