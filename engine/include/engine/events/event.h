#pragma once

#include <cstdint>
#include <string>

namespace scanbench {

// One signal event of one test access port. Levels are bytes holding 0 or 1;
// readers count only the value 1 as high. A default-constructed event is the
// "zero event".
struct TapEvent {
    std::uint8_t TMS = 0;
    std::uint8_t TCK = 0;
    std::uint8_t RX = 0; // sampled by playback
    std::uint8_t TX = 0;
    std::uint8_t SOA = 0;
    std::uint8_t SOB = 0;
    std::uint8_t SIA = 0;     // sampled by playback
    std::uint8_t SIB = 0;     // sampled by playback
    std::uint8_t ValidRX = 0; // decided by playback
    std::int32_t Line = 0;    // 1-based last program line of the statement
    std::string Description;  // set on the first event of a statement only
    std::uint8_t Tap = 0;

    friend bool operator==(const TapEvent&, const TapEvent&) = default;
};

} // namespace scanbench
