#pragma once

#include "engine/events/event.h"
#include "engine/events/event_budget.h"
#include "engine/interpreter/bit_string.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scanbench {

struct ControllerRegisters;
class EventStore;
class TapModels;

// Translates one program statement: decodes it, changes the controller
// registers it names and appends its exact signal events to the store. It
// never waits and never touches the port; it reports every problem through
// its result code (see result_codes.h), and a failing statement appends no
// event and changes no register. (Memory running out part-way, which ends
// the run, may leave registers changed; the events are still dropped.)
class LineInterpreter {
public:
    LineInterpreter(ControllerRegisters& registers, EventStore& store, const TapModels& taps,
                    const EventBudget& budget)
        : Regs(registers), Store(store), Taps(taps), Budget(budget) {}

    [[nodiscard]] std::int32_t InterpretLine(std::string_view text);

private:
    std::int32_t Translate(std::string_view text);
    std::int32_t Operandless(std::string_view word);
    std::int32_t WithOperand(std::string_view word, std::string_view operand);
    std::int32_t Jump(std::int32_t code, std::string_view operand);
    std::int32_t Load(std::string_view operand);
    std::int32_t Shift(std::string_view operand);
    std::int32_t ShiftCompare(std::string_view operand);
    std::int32_t State(std::string_view operand);

    // The statements without operand, one function each.
    std::int32_t Reset();
    std::int32_t TmsClock(std::uint8_t tms, std::string_view description);
    std::int32_t SelectFlag(int bit);
    std::int32_t WaitForSync(bool onA, bool high, std::string_view description);
    std::int32_t CounterOperation(std::string_view word);
    std::int32_t SetSyncOutput(bool onA, bool high, std::string_view description);
    std::int32_t ClockCycles();
    std::int32_t Halt();
    // One event holding the selected TAP's last levels (waits, sync outputs).
    std::int32_t HoldEvent(std::string_view description);

    // The event every statement starts from: TAP, line and sync outputs.
    [[nodiscard]] TapEvent BaseEvent() const;
    [[nodiscard]] bool Fits(std::uint64_t events) const;
    void AppendShiftSequence(BitString bits, std::string_view description);
    [[nodiscard]] std::uint64_t ShiftSequenceLength() const;

    ControllerRegisters& Regs;
    EventStore& Store;
    const TapModels& Taps;
    const EventBudget& Budget;
};

// Operand clean-up shared by the jumps, LD and NSHF: trim, replace the first
// ";" by a blank, trim the end again.
[[nodiscard]] std::string CleanOperand(std::string_view operand);

// The bits of an expected or mask operand (its suffix left out), least
// significant bit first; empty for a character that is not a hexadecimal
// digit.
[[nodiscard]] std::optional<BitString> ReversedBits(std::string_view operand);

} // namespace scanbench
