#include "window_logic/dialogs/bitstream_shifter.h"

#include "engine/run/engine.h"

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

namespace {

// The length of the UTF-8 character that starts with `lead` (1 for a byte
// that starts none).
std::size_t CharacterLength(unsigned char lead) {
    if ((lead & 0xE0U) == 0xC0U) {
        return 2;
    }
    if ((lead & 0xF0U) == 0xE0U) {
        return 3;
    }
    if ((lead & 0xF8U) == 0xF0U) {
        return 4;
    }
    return 1;
}

} // namespace

TxBits ReadTxBits(std::string_view utf8) {
    TxBits read;
    std::size_t position = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const char c = utf8[i];
        ++position;
        if (c == '0' || c == '1') {
            read.Bits += c;
        } else if (c != ' ') {
            const std::size_t length = CharacterLength(static_cast<unsigned char>(c));
            read.Refused = std::string(utf8.substr(i, length));
            read.Position = position;
            read.Bits.clear();
            return read;
        }
        ++i;
    }
    return read;
}

std::string TxRefusal(int row, const TxBits& read) {
    return "TX row " + std::to_string(row) + ": \"" + read.Refused + "\" (character " +
           std::to_string(read.Position) +
           ") is not a bit. Type only 0 and 1; spaces may separate groups.";
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

std::string BitstreamShifter::Shift(std::uint8_t tap, std::string_view bits) {
    SelectLine(tap);
    Interpret("ld cnt," + std::to_string(bits.size()) + "d;");
    PlayAll();
    std::string received;
    Interpret("nshf " + BitsToHex(bits) + "h;");
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
