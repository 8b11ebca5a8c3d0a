#pragma once

#include "board/net_faults.h"
#include "port/open_port.h"
#include "port/pin_settings.h"
#include "port/port_access.h"
#include "port/port_choice.h"
#include "port/port_signals.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace scanbench {

// The port the program drives, which the user may change while it runs.
// The engine keeps the one SignalPort it was given; Reopen swaps the backend
// and the pin mapping behind it.
class PortConnection {
public:
    using Opener = std::function<std::unique_ptr<PortAccess>(PortKind, const PinSettings&,
                                                             const BoardChoice&)>;

    // Opens the port as OpenPort does (or through `open`) and asks it for
    // direct access; `remote` is the server of PortKind::Remote.
    PortConnection(PortKind kind, const PinSettings& pins, const BoardChoice& board,
                   Opener open = {}, const RemoteAddress& remote = {});
    PortConnection(const PortConnection&) = delete;
    PortConnection& operator=(const PortConnection&) = delete;

    // What the engine drives, for the connection's whole life.
    [[nodiscard]] SignalPort& Signals() { return Lines; }
    [[nodiscard]] PortAccess& Access() { return *Port; }
    [[nodiscard]] const PinSettings& Pins() const { return Lines.Pins(); }
    [[nodiscard]] PortKind Kind() const { return Device; }
    [[nodiscard]] const BoardChoice& Board() const { return Wiring; }
    // Whether the port could be reached when it was last opened.
    [[nodiscard]] bool Available() const { return Reachable; }
    // Why it cannot be reached (now, or no longer); empty while all is well.
    [[nodiscard]] std::string Problem() const { return Port->Problem(); }

    // Moves to another device, board, pins or remote server: the old backend
    // is released before the new one is opened (a ppdev device has one
    // holder at a time). False, with nothing touched, when all are those in
    // use, unless the board is a board file, which is read again.
    bool Reopen(PortKind kind, const PinSettings& pins, const BoardChoice& board,
                const RemoteAddress& remote = {});
    [[nodiscard]] const RemoteAddress& Remote() const { return Server; }

    // Faults for the simulated board's nets, kept for every board opened
    // later: each takes them as far as it can (a board without those nets
    // stays as it is). Gives why the board in use refuses them, if it does;
    // nothing on a port without a board of chips.
    [[nodiscard]] std::optional<std::string> SetFaults(const FaultChoice& faults);
    [[nodiscard]] const FaultChoice& Faults() const { return Broken; }

    // The present level (0 or 1) of each connector pin 1..17, indexed by pin
    // number, read from the data, status and control registers in this order.
    [[nodiscard]] std::array<std::uint8_t, 18> ReadPinLevels();

private:
    void Open(const PinSettings& pins);

    RemoteAddress Server;
    Opener OpenBackend;
    PortKind Device;
    BoardChoice Wiring;
    std::unique_ptr<PortAccess> Port;
    PortSignals Lines;
    bool Reachable = false;
    FaultChoice Broken;
};

} // namespace scanbench
