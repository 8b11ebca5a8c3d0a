#include "window_logic/bitstream_shifter.h"

#include "engine/engine.h"

#include <array>

namespace scanbench {

std::string BitsToHex(std::string_view bits) {
    constexpr std::string_view Digits = "0123456789abcdef";
    std::string hex;
    hex.reserve(bits.size() / 4 + 1);
    for (std::size_t first = 0; first < bits.size(); first += 4) {
        unsigned value = 0;
        bool digit = true;
        for (std::size_t i = first; i < first + 4; ++i) {
            const char c = i < bits.size() ? bits[i] : '0';
            digit = digit && (c == '0' || c == '1');
            value = value * 2 + (c == '1' ? 1U : 0U);
        }
        if (digit) {
            hex += Digits[value];
        }
    }
    return hex;
}

void BitstreamShifter::ResetBothTaps() {
    for (const std::string_view line : {"seltap0;", "serflg0;", "ld cnt,0d;", "rst;", "seltap1;",
                                        "serflg0;", "ld cnt,0d;", "rst;", "seltap0;"}) {
        Interpret(line);
    }
    PlayAll();
}

void BitstreamShifter::SelectTap(std::uint8_t tap) {
    SelectLine(tap);
    PlayAll();
}

void BitstreamShifter::Reset(std::uint8_t tap) {
    Eng.Events().Clear();
    Eng.Views().Notify(ViewChange::StoreCleared);
    SelectLine(tap);
    Interpret("rst;");
    PlayAll();
}

void BitstreamShifter::Tms(std::uint8_t tap, std::uint8_t level) {
    SelectLine(tap);
    Interpret(level == 1 ? "tms1;" : "tms0;");
    PlayAll();
}

void BitstreamShifter::MoveTo(std::uint8_t tap, ShifterDestination destination) {
    constexpr std::array<std::string_view, 4> Lines = {"rst;", "state idle;", "state drshift;",
                                                       "state irshift;"};
    SelectLine(tap);
    Interpret(Lines[static_cast<std::size_t>(destination)]);
    PlayAll();
}

std::string BitstreamShifter::Shift(std::uint8_t tap, std::string_view tx) {
    SelectLine(tap);
    Interpret("ld cnt," + std::to_string(tx.size()) + "d;");
    PlayAll();
    std::string received;
    Interpret("nshf " + BitsToHex(tx) + "h;");
    PlayAll(&received);
    return received;
}

void BitstreamShifter::Interpret(std::string_view line) {
    (void)Eng.InterpretLine(line);
}

void BitstreamShifter::SelectLine(std::uint8_t tap) {
    Interpret(tap == 1 ? "seltap1;" : "seltap0;");
}

void BitstreamShifter::PlayAll(std::string* received) {
    const PlayOptions byHand = PlayOptions::ByHand(received);
    while (!Eng.State().AllPlayed()) {
        Eng.PlayEvent(byHand);
    }
}

} // namespace scanbench
