#include "board/chip_board.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <variant>

namespace scanbench {

namespace {

[[nodiscard]] bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

[[nodiscard]] std::uint8_t SyncBit(SyncSwitch which) {
    return which == SyncSwitch::A ? BoardLine::Sia : BoardLine::Sib;
}

// Settling stops after this many rounds even if chips keep answering each
// other (a ring of chips whose logic inverts has no steady state).
constexpr int MaxSettleRounds = 16;

} // namespace

ChipBoard::ChipBoard(std::vector<BoardChip> chips)
    : ChipBoard(BoardDefinition{std::move(chips), {}, {}, {}}) {}

ChipBoard::ChipBoard(BoardDefinition board) {
    std::vector<std::uint32_t> order(board.Chips.size());
    std::iota(order.begin(), order.end(), 0U);
    std::ranges::stable_sort(order, [&](std::uint32_t a, std::uint32_t b) {
        return board.Chips[a].Tap < board.Chips[b].Tap;
    });
    std::vector<std::uint32_t> placeOf(board.Chips.size());
    Chips.reserve(board.Chips.size());
    std::array<std::size_t, 2> ends{};
    for (const std::uint32_t from : order) {
        BoardChip& placed = board.Chips[from];
        if (placed.Tap > 1) {
            throw std::invalid_argument(placed.Chip.Name + ": a chip hangs on TAP 0 or TAP 1");
        }
        placeOf[from] = static_cast<std::uint32_t>(Chips.size());
        Chips.emplace_back(std::move(placed.Chip));
        ChipTap.push_back(placed.Tap);
        ends[placed.Tap] = Chips.size();
    }
    ends[1] = std::max(ends[1], ends[0]);
    // The chips never move again: the chains point at them.
    Chains[0] = {Chips.data(), Chips.data() + ends[0]};
    Chains[1] = {Chips.data() + ends[0], Chips.data() + ends[1]};

    PinBase.reserve(Chips.size() + 1);
    std::size_t pins = 0;
    for (const TapChip& chip : Chips) {
        PinBase.push_back(pins);
        pins += chip.PinCount();
    }
    const auto renumber = [&](std::vector<PinRef>& refs) {
        for (PinRef& ref : refs) {
            if (ref.Chip >= placeOf.size() || ref.Pin >= Chips[placeOf[ref.Chip]].PinCount()) {
                throw std::invalid_argument("a pin reference names no pin on the board");
            }
            ref.Chip = placeOf[ref.Chip];
        }
    };
    for (BoardSwitch& bank : board.Switches) {
        renumber(bank.Pins);
    }
    for (BoardLed& row : board.Leds) {
        renumber(row.Pins);
    }
    for (BoardNet& net : board.Nets) {
        renumber(net.Pins);
    }
    Wire(std::move(board.Switches), std::move(board.Leds), board.Nets);
}

void ChipBoard::Wire(std::vector<BoardSwitch> switches, std::vector<BoardLed> leds,
                     const std::vector<BoardNet>& nets) {
    const std::size_t pins = PinBase.empty() ? 0 : PinBase.back() + Chips.back().PinCount();
    constexpr std::uint32_t NoNet = ~std::uint32_t{0};
    NetOf.assign(pins, NoNet);
    NetList = nets;
    for (const BoardNet& wired : nets) {
        Net net;
        net.Pull = wired.Pull;
        for (const PinRef& pin : wired.Pins) {
            if (NetOf[GlobalPin(pin)] != NoNet) {
                throw std::invalid_argument("net " + wired.Name + " takes a pin of another net");
            }
            NetOf[GlobalPin(pin)] = static_cast<std::uint32_t>(Nets.size());
            net.Pins.push_back(pin);
        }
        Nets.push_back(std::move(net));
    }
    for (std::uint32_t chip = 0; chip < Chips.size(); ++chip) {
        for (std::uint32_t pin = 0; pin < Chips[chip].PinCount(); ++pin) {
            if (NetOf[PinBase[chip] + pin] == NoNet) {
                NetOf[PinBase[chip] + pin] = static_cast<std::uint32_t>(Nets.size());
                Nets.push_back({{{chip, pin}}, {}, NetPull::None, PinLevel::Floating, {}});
            }
        }
    }
    PinSwitch.assign(pins, std::nullopt);
    for (std::size_t s = 0; s < switches.size(); ++s) {
        if (switches[s].Pins.size() > 64) {
            throw std::invalid_argument("switch " + switches[s].Name + " has more than 64 pins");
        }
        for (std::uint32_t bit = 0; bit < switches[s].Pins.size(); ++bit) {
            const std::size_t pin = GlobalPin(switches[s].Pins[bit]);
            PinSwitch[pin] = SwitchBit{s, bit};
            Nets[NetOf[pin]].Switches.push_back({s, bit});
        }
    }
    for (const BoardLed& row : leds) {
        if (row.Pins.size() > 64) {
            throw std::invalid_argument("LED " + row.Name + " has more than 64 pins");
        }
    }
    SwitchList = std::move(switches);
    SwitchValues.assign(SwitchList.size(), 0);
    LedList = std::move(leds);
    for (const TapChip& chip : Chips) {
        const auto index = [](std::optional<std::size_t> found) {
            return found ? static_cast<std::int32_t>(*found) : -1;
        };
        SwitchesOfChip.push_back(index(FindSwitch(chip.Described().Name)));
        LedsOfChip.push_back(index(FindLed(chip.Described().Name)));
    }
    Settle();
}

PinLevel ChipBoard::Resolve(const Net& net) const {
    int strong = -1; // the wired AND of the strong drivers, -1 while there is none
    int weak = -1;
    bool keeper = false;
    for (const SwitchBit& on : net.Switches) {
        const int level = static_cast<int>((SwitchValues[on.Switch] >> on.Bit) & 1U);
        strong = strong < 0 ? level : (strong & level);
    }
    for (const PinRef& pin : net.Pins) {
        switch (Chips[pin.Chip].Drive(pin.Pin)) {
        case PinDrive::Low:
            strong = 0;
            break;
        case PinDrive::High:
            strong = strong < 0 ? 1 : strong;
            break;
        case PinDrive::WeakLow:
            weak = 0;
            break;
        case PinDrive::WeakHigh:
            weak = weak < 0 ? 1 : weak;
            break;
        case PinDrive::Keep:
            keeper = true;
            break;
        case PinDrive::None:
            break;
        }
    }
    if (strong >= 0) {
        return static_cast<PinLevel>(strong);
    }
    if (weak >= 0) {
        return static_cast<PinLevel>(weak);
    }
    if (net.Pull != NetPull::None) {
        return net.Pull == NetPull::Up ? PinLevel::High : PinLevel::Low;
    }
    return keeper ? net.Level : PinLevel::Floating;
}

PinLevel ChipBoard::Faulty(const Net& net) const {
    switch (*net.Fault) {
    case NetFaultKind::StuckAt0:
        return PinLevel::Low;
    case NetFaultKind::StuckAt1:
        return PinLevel::High;
    case NetFaultKind::Open:
    case NetFaultKind::Short:
        break;
    }
    // The receivers' side of an open: only the pull reaches it.
    if (net.Pull == NetPull::None) {
        return PinLevel::Floating;
    }
    return net.Pull == NetPull::Up ? PinLevel::High : PinLevel::Low;
}

void ChipBoard::SetPinLevels(const Net& net) {
    const bool open = net.Fault == NetFaultKind::Open;
    for (const PinRef& pin : net.Pins) {
        PinLevel level = net.Level;
        if (open) {
            // A driver still sees its own level on its side of the break.
            const PinDrive drive = Chips[pin.Chip].Drive(pin.Pin);
            level = drive == PinDrive::Low    ? PinLevel::Low
                    : drive == PinDrive::High ? PinLevel::High
                                              : level;
        }
        Chips[pin.Chip].SetLevel(pin.Pin, level);
    }
}

void ChipBoard::Settle() {
    for (int round = 0; round < MaxSettleRounds; ++round) {
        if (!HasFaults) {
            for (Net& net : Nets) {
                net.Level = Resolve(net);
                for (const PinRef& pin : net.Pins) {
                    Chips[pin.Chip].SetLevel(pin.Pin, net.Level);
                }
            }
        } else {
            for (Net& net : Nets) {
                net.Level = net.Fault ? Faulty(net) : Resolve(net);
            }
            // A bridge is a wired AND: a low on either side wins.
            for (const auto& [a, b] : Shorts) {
                const PinLevel x = Nets[a].Level;
                const PinLevel y = Nets[b].Level;
                const PinLevel both = (x == PinLevel::Low || y == PinLevel::Low) ? PinLevel::Low
                                      : (x == PinLevel::High || y == PinLevel::High)
                                          ? PinLevel::High
                                          : PinLevel::Floating;
                Nets[a].Level = both;
                Nets[b].Level = both;
            }
            for (const Net& net : Nets) {
                SetPinLevels(net);
            }
        }
        bool changed = false;
        for (TapChip& chip : Chips) {
            changed = chip.FollowInputs() || changed;
            (void)chip.TakeDrivesChanged();
        }
        if (!changed) {
            return;
        }
    }
}

void ChipBoard::ResetTap(std::uint8_t tap) {
    if (tap > 1) {
        return;
    }
    bool drivesChanged = false;
    for (TapChip* chip = Chains[tap].First; chip != Chains[tap].End; ++chip) {
        chip->Reset();
        drivesChanged = chip->TakeDrivesChanged() || drivesChanged;
    }
    Out = static_cast<std::uint8_t>(Out | (BoardLine::Tdo0 << tap));
    if (drivesChanged) {
        Settle();
    }
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
    ChipSnapshot snapshot = Chips.at(index).Snapshot(ChipTap.at(index));
    if (const std::int32_t bank = SwitchesOfChip[index]; bank >= 0) {
        snapshot.Switches =
            static_cast<std::uint8_t>(SwitchValues[static_cast<std::size_t>(bank)] & 0xFF);
    }
    if (const std::int32_t row = LedsOfChip[index]; row >= 0) {
        snapshot.Leds = static_cast<std::uint8_t>(LedValue(static_cast<std::size_t>(row)) & 0xFF);
    }
    return snapshot;
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

namespace {

template <typename Named>
std::optional<std::size_t> FindNamed(const std::vector<Named>& list, std::string_view name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (SameIgnoringCase(list[i].Name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> ChipBoard::FindSwitch(std::string_view name) const {
    return FindNamed(SwitchList, name);
}

std::optional<std::size_t> ChipBoard::FindLed(std::string_view name) const {
    return FindNamed(LedList, name);
}

void ChipBoard::SetSwitch(std::size_t index, std::uint64_t value) {
    const std::size_t width = SwitchList.at(index).Pins.size();
    const std::uint64_t mask = width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
    if (SwitchValues[index] != (value & mask)) {
        SwitchValues[index] = value & mask;
        Settle();
    }
}

std::uint64_t ChipBoard::LedValue(std::size_t index) const {
    const BoardLed& row = LedList.at(index);
    std::uint64_t lit = 0;
    for (std::size_t i = 0; i < row.Pins.size(); ++i) {
        if (Chips[row.Pins[i].Chip].Level(row.Pins[i].Pin) == PinLevel::High) {
            lit |= std::uint64_t{1} << i;
        }
    }
    return lit;
}

std::optional<ChipBoard::SwitchBit> ChipBoard::SwitchOn(PinRef pin) const {
    if (pin.Chip >= Chips.size() || pin.Pin >= Chips[pin.Chip].PinCount()) {
        return std::nullopt;
    }
    return PinSwitch[GlobalPin(pin)];
}

void ChipBoard::SetSwitches(std::size_t chip, std::uint8_t levels) {
    if (const std::int32_t bank = SwitchesOfChip.at(chip); bank >= 0) {
        SetSwitch(static_cast<std::size_t>(bank), levels);
    }
}

void ChipBoard::SetSyncSwitch(SyncSwitch which, bool high) {
    const std::uint8_t bit = SyncBit(which);
    Out = static_cast<std::uint8_t>(high ? (Out | bit) : (Out & ~bit));
}

bool ChipBoard::SyncSwitchHigh(SyncSwitch which) const {
    return (Out & SyncBit(which)) != 0;
}

} // namespace scanbench

namespace scanbench {

std::vector<std::string> ChipBoard::NetNames() const {
    std::vector<std::string> names;
    names.reserve(NetList.size());
    for (const BoardNet& net : NetList) {
        names.push_back(net.Name);
    }
    return names;
}

std::optional<std::string> ChipBoard::SetFaults(const std::vector<NetFault>& faults) {
    if (!faults.empty() && NetList.empty()) {
        return "this board has no nets to put a fault on";
    }
    std::vector<std::optional<NetFaultKind>> kinds(NetList.size());
    std::vector<bool> taken(NetList.size(), false);
    std::vector<std::pair<std::size_t, std::size_t>> shorts;
    std::string names;
    for (const BoardNet& net : NetList) {
        names += (names.empty() ? "" : ", ") + net.Name;
    }
    const auto find = [&](const std::string& name) -> std::variant<std::size_t, std::string> {
        const std::optional<std::size_t> index = FindNamed(NetList, name);
        if (!index) {
            return "no net " + name + " on this board (its nets: " + names + ")";
        }
        if (taken[*index]) {
            return "net " + NetList[*index].Name + " carries two faults";
        }
        taken[*index] = true;
        return *index;
    };
    for (const NetFault& fault : faults) {
        const auto net = find(fault.Net);
        if (const auto* problem = std::get_if<std::string>(&net)) {
            return *problem;
        }
        if (fault.Kind != NetFaultKind::Short) {
            kinds[std::get<std::size_t>(net)] = fault.Kind;
            continue;
        }
        const auto other = find(fault.Other);
        if (const auto* problem = std::get_if<std::string>(&other)) {
            return *problem;
        }
        shorts.emplace_back(std::get<std::size_t>(net), std::get<std::size_t>(other));
    }
    for (std::size_t i = 0; i < NetList.size(); ++i) {
        Nets[i].Fault = kinds[i];
    }
    Shorts = std::move(shorts);
    FaultList = faults;
    HasFaults = !faults.empty();
    Settle();
    return std::nullopt;
}

std::optional<std::string> ApplyFaultChoice(const FaultChoice& choice, ChipBoard& board) {
    if (choice.Seed && board.NamedNets().empty()) {
        return "this board has no nets to put a fault on";
    }
    return board.SetFaults(choice.On(board.NetNames()));
}

} // namespace scanbench
