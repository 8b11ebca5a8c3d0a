#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

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

    // The eight outputs as one byte, a bit set for each high level, in
    // WritePortSignals order: bit 0 TCK of TAP 0, 1 its TMS, 2 its TX, 3..5
    // the same of TAP 1, 6 SOA, 7 SOB.
    enum OutputBits : std::uint8_t {
        Tck0High = 1U << 0,
        Tms0High = 1U << 1,
        Tx0High = 1U << 2,
        Tck1High = 1U << 3,
        Tms1High = 1U << 4,
        Tx1High = 1U << 5,
        SoaHigh = 1U << 6,
        SobHigh = 1U << 7,
    };
    // WritePortSignals with the levels as OutputBits, then ReadInputs(tap):
    // what playback does at every event, in one call.
    [[nodiscard]] virtual std::uint8_t WriteThenReadInputs(std::uint8_t outputs, std::uint8_t tap) {
        const auto level = [outputs](OutputBits bit) {
            return static_cast<std::uint8_t>((outputs & bit) != 0 ? 1 : 0);
        };
        WritePortSignals(level(Tck0High), level(Tms0High), level(Tx0High), level(Tck1High),
                         level(Tms1High), level(Tx1High), level(SoaHigh), level(SobHigh));
        return ReadInputs(tap);
    }
    // WriteThenReadInputs for a run of events: write k is the outputs as
    // OutputBits in its low byte and the TAP whose inputs are read in its
    // high byte; inputs[k] gets what was read after it. `inputs` is as long
    // as `writes`.
    virtual void WriteThenReadInputsEach(std::span<const std::uint16_t> writes,
                                         std::span<std::uint8_t> inputs) {
        for (std::size_t k = 0; k < writes.size(); ++k) {
            inputs[k] = WriteThenReadInputs(static_cast<std::uint8_t>(writes[k] & 0xFF),
                                            static_cast<std::uint8_t>(writes[k] >> 8));
        }
    }
    // Whether an input read again before the next write reads as it did
    // (a simulated board's inputs change only when it is driven): playback
    // may then take RX from the sample it has instead of reading it again.
    [[nodiscard]] virtual bool InputsSettleOnWrites() const { return false; }
};

} // namespace scanbench
