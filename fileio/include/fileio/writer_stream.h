#pragma once

#include "fileio/atomic_file_writer.h"

#include <array>
#include <ostream>
#include <streambuf>

namespace scanbench {

// A stream buffer that hands its contents to an AtomicFileWriter in pieces
// of 64 KiB, so a file of any size is written without ever being held in
// memory as a whole. A failed write makes the stream bad; the writer says why.
class WriterStreamBuffer : public std::streambuf {
public:
    explicit WriterStreamBuffer(AtomicFileWriter& writer);

protected:
    int_type overflow(int_type c) override;
    // A piece at least as large as the buffer goes to the writer as it is,
    // after what the buffer holds: large blocks are not copied twice.
    std::streamsize xsputn(const char_type* text, std::streamsize count) override;
    int sync() override;

private:
    bool Drain();

    AtomicFileWriter& Writer;
    std::array<char, 64 * 1024> Buffer{};
};

// An output stream over an AtomicFileWriter. Flush it before the writer's
// Commit; bytes still in the buffer are not written otherwise.
class WriterStream : private WriterStreamBuffer, public std::ostream {
public:
    explicit WriterStream(AtomicFileWriter& writer)
        : WriterStreamBuffer(writer), std::ostream(static_cast<WriterStreamBuffer*>(this)) {}
};

} // namespace scanbench
