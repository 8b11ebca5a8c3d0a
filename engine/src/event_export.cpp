#include "engine/event_export.h"

#include "engine/event_store.h"

#include <array>
#include <charconv>

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
    std::array<char, 256> line{};
    for (std::uint32_t i = 0; i < count; ++i) {
        const TEvento e = store.GetEvent(i);
        char* at = line.data();
        for (const std::int64_t value :
             {std::int64_t{i}, std::int64_t{e.Line}, std::int64_t{e.Tap}, std::int64_t{e.TCK == 1},
              std::int64_t{e.TMS == 1}, std::int64_t{e.RX == 1}, std::int64_t{e.TX == 1}}) {
            at = Put(Put(at, value), ", ");
        }
        at = Put(at, e.ValidRX == 1 ? "1, " : "0, ");
        at = Put(Put(at, std::int64_t{e.SOA == 1}), ", ");
        at = Put(Put(at, std::int64_t{e.SIA == 1}), ", ");
        at = Put(Put(at, std::int64_t{e.SOB == 1}), ", ");
        at = Put(at, std::int64_t{e.SIB == 1});
        if (i + 1 < count) {
            *at++ = ',';
        }
        at = Put(at, Eol);
        out.write(line.data(), at - line.data());
    }
}

} // namespace scanbench
