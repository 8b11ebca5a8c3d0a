#include "fileio/writer_stream.h"

#include <string_view>

namespace scanbench {

WriterStreamBuffer::WriterStreamBuffer(AtomicFileWriter& writer) : Writer(writer) {
    setp(Buffer.data(), Buffer.data() + Buffer.size());
}

bool WriterStreamBuffer::Drain() {
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(Buffer.data(), Buffer.data() + Buffer.size());
    return pending.empty() || Writer.Write(pending);
}

WriterStreamBuffer::int_type WriterStreamBuffer::overflow(int_type c) {
    if (!Drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize WriterStreamBuffer::xsputn(const char_type* text, std::streamsize count) {
    if (count < static_cast<std::streamsize>(Buffer.size())) {
        return std::streambuf::xsputn(text, count);
    }
    if (!Drain() || !Writer.Write(std::string_view(text, static_cast<std::size_t>(count)))) {
        return 0;
    }
    return count;
}

int WriterStreamBuffer::sync() {
    return Drain() ? 0 : -1;
}

} // namespace scanbench
