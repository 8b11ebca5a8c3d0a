#pragma once

#include "port/parallel_connector.h"
#include "port/pin_settings.h"
#include "port/port_choice.h"

#include <array>

namespace scanbench {

// What the simulated board does to the connector's input pins, given the
// levels the controller drives on its output pins.
//
// Open: nothing is connected and every input pin is pulled high.
// Loopback: the RX pin of each TAP carries the level of that TAP's TX pin,
// SIA carries SOA and SIB carries SOB; the cable is wired as the pin settings
// say. Odd settings are resolved the same way every time:
//  - a link whose target is not an input pin (RX on pin 14, say) is dropped:
//    the controller's own driver owns that line and the status register
//    cannot see it;
//  - a link whose source is not an output pin (TX on pin 10, say) carries a
//    high level, since nothing drives its source and the pull-up wins; the
//    board does not chain one link's target into another link's source;
//  - several links ending on one input pin form a wired AND: the pin is high
//    only while every source is high;
//  - input pins no link ends on read high.
class BoardWiring {
public:
    BoardWiring(const PinSettings& pins, BoardKind board);

    // Levels of the five input pins (other bits 0) for the driven levels.
    [[nodiscard]] PinLevels InputLevels(PinLevels driven) const;

private:
    void Link(std::uint8_t source, std::uint8_t target);

    // For each entry of InputPins, the output pins whose levels are ANDed onto it.
    std::array<PinLevels, InputPins.size()> Sources{};
};

} // namespace scanbench
