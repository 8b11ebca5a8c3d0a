#include "window_logic/views/net_view.h"

namespace scanbench {

namespace {

[[nodiscard]] bool Same(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

[[nodiscard]] std::string FaultOn(const std::string& net, const std::vector<NetFault>& faults,
                                  const std::vector<BoardNet>& nets) {
    const auto named = [&](const std::string& written) {
        for (const BoardNet& candidate : nets) {
            if (Same(candidate.Name, written)) {
                return candidate.Name;
            }
        }
        return written;
    };
    for (const NetFault& fault : faults) {
        const bool first = Same(fault.Net, net);
        if (!first && !(fault.Kind == NetFaultKind::Short && Same(fault.Other, net))) {
            continue;
        }
        switch (fault.Kind) {
        case NetFaultKind::StuckAt0:
            return "stuck at 0";
        case NetFaultKind::StuckAt1:
            return "stuck at 1";
        case NetFaultKind::Open:
            return "open";
        case NetFaultKind::Short:
            return "short to " + named(first ? fault.Other : fault.Net);
        }
    }
    return {};
}

} // namespace

std::vector<NetView> DescribeNets(const ChipBoard& board, bool revealed) {
    std::vector<NetView> views;
    for (const BoardNet& net : board.NamedNets()) {
        NetView view;
        view.Name = net.Name;
        for (const PinRef& pin : net.Pins) {
            view.Pins += (view.Pins.empty() ? "" : " - ") + board.Description(pin.Chip).Name + "." +
                         board.Description(pin.Chip).Pins[pin.Pin].Name;
        }
        if (!net.Pins.empty()) {
            const PinRef end = net.Pins.back();
            const PinLevel level = board.Part(end.Chip).Level(end.Pin);
            view.Level = level == PinLevel::High ? '1' : level == PinLevel::Low ? '0' : 'Z';
        }
        if (revealed) {
            view.Fault = FaultOn(net.Name, board.Faults(), board.NamedNets());
        }
        views.push_back(std::move(view));
    }
    return views;
}

std::string FaultSummary(const ChipBoard& board, bool revealed) {
    const std::size_t count = board.Faults().size();
    if (count == 0) {
        return "No faults on the board.";
    }
    if (revealed) {
        return "Faults: " + NetFaultListText(board.Faults());
    }
    return std::to_string(count) + (count == 1 ? " fault" : " faults") + " on the board, hidden.";
}

} // namespace scanbench
