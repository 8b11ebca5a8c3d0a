#pragma once

#include "engine/interpreter/bit_string.h"

#include <array>
#include <cstdint>
#include <string>

namespace scanbench {

// What playback remembers between events.
struct PlaybackState {
    std::array<bool, 2> FirstEdge{true,
                                  true};    // next event of the TAP is the first since reset/Open
    std::array<std::uint8_t, 2> FirstTck{}; // TCK of that first event: rising-edge reference
    bool RxValidLatch = false; // ValidRX decided at the last event that was not a rising edge
    bool ShiftSeen = false;    // the port was seen in a shift state during this statement
    bool Capturing = false;    // an NSHFCP is collecting RX bits
    BitString ReceivedBits;    // bits collected so far, in arrival order
    std::uint8_t LastSoa = 0;  // levels of the sync outputs passed to the port
    std::uint8_t LastSob = 0;
    bool WavesValid = false; // set by every playback, read by the waveform view

    [[nodiscard]] std::int32_t CapturedCount() const {
        return static_cast<std::int32_t>(ReceivedBits.Size());
    }
    // The collected bits with the most recent first, "0" put in front until
    // the length is a multiple of 4: the form that is compared with the
    // expected value.
    [[nodiscard]] std::string CapturedBits() const;
    // Whether CapturedBits() equals `expected` at every position where
    // `mask` holds 1 (positions beyond either are not compared).
    [[nodiscard]] bool CapturedBitsMatch(const BitString& expected, const BitString& mask) const;
    void StartCapture() {
        Capturing = true;
        ReceivedBits.Clear();
    }
};

} // namespace scanbench
