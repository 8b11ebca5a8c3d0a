#pragma once

#include <cstdint>

namespace scanbench {

// The controller's lines at the connector: eight outputs written together and
// four inputs read one at a time. Levels are bytes; only 1 means high.
class SignalPort {
public:
    virtual ~SignalPort() = default;

    virtual void WritePortSignals(std::uint8_t tck0, std::uint8_t tms0, std::uint8_t tx0,
                                  std::uint8_t tck1, std::uint8_t tms1, std::uint8_t tx1,
                                  std::uint8_t soa, std::uint8_t sob) = 0;
    [[nodiscard]] virtual std::uint8_t ReadRx(std::uint8_t tap) = 0;
    [[nodiscard]] virtual std::uint8_t ReadSia() = 0;
    [[nodiscard]] virtual std::uint8_t ReadSib() = 0;

    // RX of a TAP, SIA and SIB sampled together, as playback takes them after
    // every event. A port whose inputs share one register may read it once.
    struct Inputs {
        std::uint8_t Rx = 0;
        std::uint8_t Sia = 0;
        std::uint8_t Sib = 0;
    };
    [[nodiscard]] virtual Inputs ReadInputs(std::uint8_t tap) {
        Inputs in;
        in.Rx = ReadRx(tap);
        in.Sia = ReadSia();
        in.Sib = ReadSib();
        return in;
    }
};

} // namespace scanbench
