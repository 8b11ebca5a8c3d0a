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
    // every event: one byte with a bit set for each input that is high. A
    // port whose inputs share one register may read it once.
    enum InputBits : std::uint8_t { RxHigh = 1, SiaHigh = 2, SibHigh = 4 };
    [[nodiscard]] virtual std::uint8_t ReadInputs(std::uint8_t tap) {
        return static_cast<std::uint8_t>((ReadRx(tap) == 1 ? RxHigh : 0) |
                                         (ReadSia() == 1 ? SiaHigh : 0) |
                                         (ReadSib() == 1 ? SibHigh : 0));
    }
};

} // namespace scanbench
