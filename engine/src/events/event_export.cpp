#include "engine/events/event_export.h"

#include "engine/events/event_store.h"

#include <array>
#include <charconv>
#include <vector>

namespace scanbench {

namespace {

constexpr std::string_view Eol = "\r\n";

// Appends the decimal text of a number to the buffer.
char* Put(char* at, std::int64_t value) {
    return std::to_chars(at, at + 24, value).ptr;
}

char* Put(char* at, std::string_view text) {
    for (const char c : text) {
        *at++ = c;
    }
    return at;
}

} // namespace

void WriteEventExport(std::ostream& out, const EventStore& store, std::string_view date,
                      std::string_view time) {
    out << "//" << Eol                                                          //
        << "// Scanbench - a boundary-scan (IEEE 1149.1) teaching bench" << Eol //
        << "//" << Eol                                                          //
        << "// Scanbench 0.1, 2026, by the Scanbench developers" << Eol         //
        << "// Contact: the issue tracker of the Scanbench sources" << Eol      //
        << "//" << Eol                                                          //
        << "// This file was produced by Scanbench on " << date << " at " << time << Eol << "//"
        << Eol << "//" << Eol
        << "// Event nr. / Line Number / Tap / TCK / TMS / RX / TX / VALID RX  / SOA / SIA / SOB "
           "/ SIB"
        << Eol << Eol;

    const std::uint32_t count = store.EventCount();
    std::vector<PackedEvent> block(4096);
    std::array<char, 256> line{};
    for (std::uint32_t first = 0; first < count;) {
        const std::size_t read = store.ReadEvents(first, block);
        for (std::size_t k = 0; k < read; ++k) {
            const std::uint32_t i = first + static_cast<std::uint32_t>(k);
            const PackedEvent& e = block[k];
            const auto level = [&e](PackedEvent::Bit bit) { return std::int64_t{e.Level(bit)}; };
            char* at = line.data();
            for (const std::int64_t value :
                 {std::int64_t{i}, std::int64_t{e.Line}, std::int64_t{e.Tap},
                  level(PackedEvent::TCK), level(PackedEvent::TMS), level(PackedEvent::RX),
                  level(PackedEvent::TX), level(PackedEvent::ValidRX), level(PackedEvent::SOA),
                  level(PackedEvent::SIA), level(PackedEvent::SOB)}) {
                at = Put(Put(at, value), ", ");
            }
            at = Put(at, level(PackedEvent::SIB));
            if (i + 1 < count) {
                *at++ = ',';
            }
            at = Put(at, Eol);
            out.write(line.data(), at - line.data());
        }
        if (read == 0) {
            break;
        }
        first += static_cast<std::uint32_t>(read);
    }
}

} // namespace scanbench
