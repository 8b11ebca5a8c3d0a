#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// Bits in the order they arrived, 64 to a word: an NSHFCP collects millions.
class ReceivedBitString {
public:
    void Clear() {
        Words.clear();
        Count = 0;
    }
    // Appends the low `count` bits of `bits` (at most 64), bit 0 first.
    void Append(std::uint64_t bits, unsigned count) {
        if (count == 0) {
            return;
        }
        bits &= count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
        const unsigned used = Count & 63;
        if (used == 0) {
            Words.push_back(bits);
        } else {
            Words.back() |= bits << used;
            if (used + count > 64) {
                Words.push_back(bits >> (64 - used));
            }
        }
        Count += count;
    }
    [[nodiscard]] std::uint64_t Size() const { return Count; }
    [[nodiscard]] std::uint8_t operator[](std::uint64_t index) const {
        return static_cast<std::uint8_t>((Words[index >> 6] >> (index & 63)) & 1U);
    }
    friend bool operator==(const ReceivedBitString&, const ReceivedBitString&) = default;

private:
    std::vector<std::uint64_t> Words;
    std::uint64_t Count = 0;
};

// What playback remembers between events.
struct PlaybackState {
    std::array<bool, 2> FirstEdge{true,
                                  true};    // next event of the TAP is the first since reset/Open
    std::array<std::uint8_t, 2> FirstTck{}; // TCK of that first event: rising-edge reference
    bool RxValidLatch = false;      // ValidRX decided at the last event that was not a rising edge
    bool ShiftSeen = false;         // the port was seen in a shift state during this statement
    bool Capturing = false;         // an NSHFCP is collecting RX bits
    ReceivedBitString ReceivedBits; // bits collected so far
    std::uint8_t LastSoa = 0;       // levels of the sync outputs passed to the port
    std::uint8_t LastSob = 0;
    bool WavesValid = false; // set by every playback, read by the waveform view

    [[nodiscard]] std::int32_t CapturedCount() const {
        return static_cast<std::int32_t>(ReceivedBits.Size());
    }
    // The collected bits with the most recent first, "0" put in front until
    // the length is a multiple of 4: the form that is compared with the
    // expected value.
    [[nodiscard]] std::string CapturedBits() const;
    // MaskedEqual(CapturedBits(), expected, mask), without making the text.
    [[nodiscard]] bool CapturedBitsMatch(std::string_view expected, std::string_view mask) const;
    void StartCapture() {
        Capturing = true;
        ReceivedBits.Clear();
    }
};

} // namespace scanbench
