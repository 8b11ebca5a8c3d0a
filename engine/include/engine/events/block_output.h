#pragma once

#include <cstddef>
#include <streambuf>
#include <vector>

namespace scanbench {

// An output stream buffer that hands its bytes on in large blocks, so that
// a stream writing a file line by line makes few system calls. A subclass
// writes the blocks. The first block that cannot be written puts the stream
// into its failed state; nothing is written after it. The stream must be
// flushed before the buffer is destroyed.
class BlockOutputBuffer : public std::streambuf {
public:
    explicit BlockOutputBuffer(std::size_t size = std::size_t{1} << 20);

protected:
    // Writes all `size` bytes; false when that failed.
    virtual bool WriteBlock(const char* data, std::size_t size) = 0;

    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize count) override;
    int sync() override;

private:
    bool Drain();

    std::vector<char> Space;
    bool Failed = false;
};

} // namespace scanbench
