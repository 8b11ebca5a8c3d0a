#include "board/chip_board.h"

#include <algorithm>
#include <stdexcept>

namespace scanbench {

namespace {

[[nodiscard]] bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

[[nodiscard]] std::uint8_t SyncBit(SyncSwitch which) {
    return which == SyncSwitch::A ? BoardLine::Sia : BoardLine::Sib;
}

} // namespace

ChipBoard::ChipBoard(std::vector<BoardChip> chips) {
    std::stable_sort(chips.begin(), chips.end(),
                     [](const BoardChip& a, const BoardChip& b) { return a.Tap < b.Tap; });
    Chips.reserve(chips.size());
    std::array<std::size_t, 2> ends{};
    for (BoardChip& placed : chips) {
        if (placed.Tap > 1) {
            throw std::invalid_argument(placed.Chip.Name + ": a chip hangs on TAP 0 or TAP 1");
        }
        Chips.emplace_back(std::move(placed.Chip));
        ChipTap.push_back(placed.Tap);
        ends[placed.Tap] = Chips.size();
    }
    ends[1] = std::max(ends[1], ends[0]);
    // The chips never move again: the chains point at them.
    Chains[0] = {Chips.data(), Chips.data() + ends[0]};
    Chains[1] = {Chips.data() + ends[0], Chips.data() + ends[1]};
}

void ChipBoard::ResetTap(std::uint8_t tap) {
    if (tap > 1) {
        return;
    }
    for (TapChip* chip = Chains[tap].First; chip != Chains[tap].End; ++chip) {
        chip->Reset();
    }
    Out = static_cast<std::uint8_t>(Out | (BoardLine::Tdo0 << tap));
}

std::optional<std::size_t> ChipBoard::FindChip(std::string_view name) const {
    for (std::size_t i = 0; i < Chips.size(); ++i) {
        if (SameIgnoringCase(Chips[i].Described().Name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

ChipSnapshot ChipBoard::Chip(std::size_t index) const {
    return Chips.at(index).Snapshot(ChipTap.at(index));
}

BoardSnapshot ChipBoard::Snapshot() const {
    BoardSnapshot snapshot;
    snapshot.Chips.reserve(Chips.size());
    for (std::size_t i = 0; i < Chips.size(); ++i) {
        snapshot.Chips.push_back(Chip(i));
    }
    snapshot.Sia = SyncSwitchHigh(SyncSwitch::A);
    snapshot.Sib = SyncSwitchHigh(SyncSwitch::B);
    return snapshot;
}

void ChipBoard::SetSwitches(std::size_t chip, std::uint8_t levels) {
    Chips.at(chip).SetSwitches(levels);
}

void ChipBoard::SetSyncSwitch(SyncSwitch which, bool high) {
    const std::uint8_t bit = SyncBit(which);
    Out = static_cast<std::uint8_t>(high ? (Out | bit) : (Out & ~bit));
}

bool ChipBoard::SyncSwitchHigh(SyncSwitch which) const {
    return (Out & SyncBit(which)) != 0;
}

} // namespace scanbench
