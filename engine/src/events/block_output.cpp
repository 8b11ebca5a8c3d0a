#include "engine/events/block_output.h"

namespace scanbench {

BlockOutputBuffer::BlockOutputBuffer(std::size_t size) : Space(size > 0 ? size : 1) {
    setp(Space.data(), Space.data() + Space.size());
}

bool BlockOutputBuffer::Drain() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    setp(Space.data(), Space.data() + Space.size());
    if (!Failed && pending > 0 && !WriteBlock(Space.data(), pending)) {
        Failed = true;
    }
    return !Failed;
}

BlockOutputBuffer::int_type BlockOutputBuffer::overflow(int_type c) {
    if (!Drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize BlockOutputBuffer::xsputn(const char* data, std::streamsize count) {
    if (Failed) {
        return 0;
    }
    const auto n = static_cast<std::size_t>(count);
    if (n <= static_cast<std::size_t>(epptr() - pptr())) {
        traits_type::copy(pptr(), data, n);
        pbump(static_cast<int>(n));
        return count;
    }
    // A block larger than the room left goes out directly after what is held.
    if (!Drain()) {
        return 0;
    }
    if (n < Space.size()) {
        traits_type::copy(pptr(), data, n);
        pbump(static_cast<int>(n));
        return count;
    }
    if (!WriteBlock(data, n)) {
        Failed = true;
        return 0;
    }
    return count;
}

int BlockOutputBuffer::sync() {
    return Drain() ? 0 : -1;
}

} // namespace scanbench
