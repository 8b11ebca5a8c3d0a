#include "window_logic/views/received_bits.h"

#include "engine/events/event_store.h"

#include <algorithm>

namespace scanbench {

RxStrings BuildRxStrings(const EventStore& store, bool showZ) {
    RxStrings lines;
    std::array<std::uint8_t, 2> previousTck{0, 0};
    std::vector<PackedEvent> block(4096);
    const std::uint32_t count = store.EventCount();
    for (std::uint32_t first = 0; first < count;) {
        const std::size_t read = store.ReadEvents(first, block);
        if (read == 0) {
            break;
        }
        for (std::size_t k = 0; k < read; ++k) {
            const PackedEvent& e = block[k];
            if (e.Tap > 1) {
                continue;
            }
            const std::uint8_t tck = e.Level(PackedEvent::TCK);
            if (previousTck[e.Tap] == 1 && tck == 0) {
                char bit = e.Level(PackedEvent::RX) == 1 ? '1' : '0';
                if (showZ && e.Level(PackedEvent::ValidRX) == 0) {
                    bit = 'z';
                }
                lines.Tap0 += e.Tap == 0 ? bit : '-';
                lines.Tap1 += e.Tap == 1 ? bit : '-';
            }
            previousTck[e.Tap] = tck;
        }
        first += static_cast<std::uint32_t>(read);
    }
    return lines;
}

Rgb ToRgb(BitColour colour) {
    switch (colour) {
    case BitColour::Red:
        return {255, 0, 0};
    case BitColour::Yellow:
        return {255, 255, 0};
    case BitColour::Lime:
        return {0, 255, 0};
    case BitColour::Aqua:
        return {0, 255, 255};
    case BitColour::White:
        break;
    }
    return {255, 255, 255};
}

void BitLine::SetText(std::string text) {
    Chars = std::move(text);
    Colours.assign(Chars.size(), BitColour::White);
    Position = 0;
}

void BitLine::MoveLeft() {
    if (Position > 0) {
        --Position;
    }
}

void BitLine::Type(char c) {
    if (HasCurrentBit()) {
        Chars[Position] = c;
    } else {
        Chars.push_back(c);
        Colours.push_back(BitColour::White);
    }
    ++Position;
}

void BitLine::DeleteCurrent() {
    if (HasCurrentBit()) {
        Chars.erase(Position, 1);
        Colours.erase(Colours.begin() + static_cast<std::ptrdiff_t>(Position));
    }
}

void BitLine::DeleteBackward() {
    if (!HasCurrentBit() && !Chars.empty()) {
        MoveLeft();
    }
    DeleteCurrent();
}

void BitLine::ColourCurrent(BitColour colour) {
    if (HasCurrentBit()) {
        Colours[Position] = colour;
    }
}

void BitLine::ResetColours() {
    std::fill(Colours.begin(), Colours.end(), BitColour::White);
}

std::string BitLine::PositionText(int tap) const {
    const std::size_t last = Chars.empty() ? 0 : Chars.size() - 1;
    return "TAP " + std::to_string(tap) + ", POS: " + std::to_string(Position) + "/" +
           std::to_string(last);
}

} // namespace scanbench
