// LD, NSHF, NSHFCP and STATE: the instructions whose operands carry values.
#include "engine/controller_registers.h"
#include "engine/deferred_events.h"
#include "engine/event_store.h"
#include "engine/line_interpreter.h"
#include "engine/number_helpers.h"
#include "engine/packed_event.h"
#include "engine/result_codes.h"
#include "engine/tap_models.h"
#include "engine/tap_state.h"
#include "engine/text_helpers.h"
#include "engine/tms_paths.h"

#include <cstring>

namespace scanbench {

namespace {

[[nodiscard]] bool EndsWithHexSuffix(std::string_view operand) {
    return !operand.empty() && (operand.back() == 'h' || operand.back() == 'H');
}

// ReplaceFirstWithBlank on the text from `from` on, in place.
void BlankFirst(std::string& text, std::size_t from, char what) {
    if (const auto pos = text.find(what, from); pos != std::string::npos) {
        text[pos] = ' ';
    }
}

// The levels a shift sequence sets in each of its events.
constexpr std::uint16_t Driven = PackedEvent::TX | PackedEvent::TMS | PackedEvent::TCK;

// The events of a shift of Count bits. Two events per bit, TCK low then
// high. Bits go out leftmost first; bits the operand lacks are sent as 0, and
// the last bit leaves the shift state with TMS = 1. Two closing events with
// TCK low follow, the first with TMS = 1, the second with TMS = 0, both with
// the last TX.
struct ShiftSequence {
    std::string Bits;
    PackedEvent Described; // the first event
    PackedEvent Plain;     // every other one
    std::uint64_t Count;

    [[nodiscard]] std::uint16_t Tx(std::uint64_t bit) const {
        return static_cast<std::uint16_t>(
            bit < Bits.size() && BitLevel(Bits[bit]) == 1 ? PackedEvent::TX : 0);
    }
    // The k-th event (from 0).
    [[nodiscard]] PackedEvent Event(std::uint64_t k) const {
        PackedEvent e = k == 0 ? Described : Plain;
        const std::uint64_t bit = k / 2;
        std::uint16_t levels = 0;
        if (bit < Count) {
            levels = static_cast<std::uint16_t>(Tx(bit) | ((k & 1) != 0 ? PackedEvent::TCK : 0) |
                                                (bit + 1 == Count ? PackedEvent::TMS : 0));
        } else {
            levels =
                static_cast<std::uint16_t>(Tx(Count - 1) | (k == 2 * Count ? PackedEvent::TMS : 0));
        }
        e.Levels = static_cast<std::uint16_t>((Plain.Levels & ~Driven) | levels);
        return e;
    }
};

[[nodiscard]] bool HasUnknownBits(std::string_view bits) {
    return bits.find('x') != std::string_view::npos;
}

} // namespace

namespace {

// The bits of an operand's digits (its suffix left out), four per digit,
// each digit's most significant bit first or, for `reversed`, the digits
// from the last and each one's least significant bit first; "xxxx" for a
// character that is not a digit. Operands run to millions of digits.
std::string OperandBits(std::string_view operand, bool reversed) {
    std::string bits;
    if (operand.empty()) {
        return bits;
    }
    const std::string_view digits = operand.substr(0, operand.size() - 1);
    bits.resize(digits.size() * 4);
    char* out = bits.data();
    for (std::size_t i = 0; i < digits.size(); ++i, out += 4) {
        const std::string_view four = reversed ? HexDigitBitsReversed(digits[digits.size() - 1 - i])
                                               : HexDigitBits(digits[i]);
        std::memcpy(out, four.data(), 4);
    }
    return bits;
}

} // namespace

std::string ShiftBits(std::string_view dataOperand) {
    return OperandBits(dataOperand, false);
}

std::string ReversedBits(std::string_view operand) {
    return OperandBits(operand, true);
}

std::int32_t LineInterpreter::Load(std::string_view operand) {
    if (operand.find(',') == std::string_view::npos) {
        return Result::NotRecognised;
    }
    const std::string replaced = ReplaceFirstWithBlank(operand, ',');
    const WordSplit split = SplitFirstWord(replaced);
    if (ToUpperAscii(split.word) != "CNT") {
        return Result::UnknownCounter;
    }
    const std::optional<std::int32_t> value = ParseCounterValue(CleanOperand(split.rest));
    if (!value) {
        return Result::BadCounterValue;
    }
    Regs.Counter[Regs.SelectedTap] = *value;
    Regs.CounterLoaded[Regs.SelectedTap] = true;
    return Result::Done;
}

std::int32_t LineInterpreter::Shift(std::string_view operand) {
    if (!Regs.CounterLoaded[Regs.SelectedTap]) {
        return Result::ShiftBeforeLoad;
    }
    const std::string data = CleanOperand(operand);
    if (!EndsWithHexSuffix(data)) {
        return Result::NotHex;
    }
    const std::string bits = ShiftBits(data);
    if (HasUnknownBits(bits)) {
        return Result::BadHexDigit;
    }
    if (!Fits(ShiftSequenceLength())) {
        return Result::OutOfMemory;
    }
    AppendShiftSequence(bits, "NSHF");
    return Result::Done;
}

std::int32_t LineInterpreter::ShiftCompare(std::string_view operand) {
    if (!Regs.CounterLoaded[Regs.SelectedTap]) {
        return Result::ShiftBeforeLoad;
    }
    const std::string_view trimmed = TrimBlanks(operand);
    if (trimmed.find(',') == std::string_view::npos) {
        return Result::MissingParameters;
    }
    // The operands run to megabytes: the blanks go in in place.
    std::string separated(trimmed);
    BlankFirst(separated, 0, ';');
    BlankFirst(separated, 0, ',');
    if (separated.find(',') == std::string::npos) {
        return Result::MissingParameters;
    }
    const WordSplit first = SplitFirstWord(separated);
    const std::size_t restStart =
        first.rest.empty() ? separated.size()
                           : static_cast<std::size_t>(first.rest.data() - separated.data());
    BlankFirst(separated, restStart, ',');
    const std::string_view rest = std::string_view(separated).substr(restStart);
    if (rest.find(',') != std::string_view::npos) {
        return Result::TooManyParameters;
    }
    const WordSplit second = SplitFirstWord(rest);
    const std::string_view data = TrimBlanks(first.word);
    const std::string_view expected = TrimBlanks(second.word);
    const std::string_view mask = TrimBlanks(second.rest);
    if (!EndsWithHexSuffix(data) || !EndsWithHexSuffix(expected) || !EndsWithHexSuffix(mask)) {
        return Result::NotHex;
    }
    const std::string bits = ShiftBits(data);
    std::string expectedBits = ReversedBits(expected);
    std::string maskBits = ReversedBits(mask);
    if (HasUnknownBits(bits) || HasUnknownBits(expectedBits) || HasUnknownBits(maskBits)) {
        return Result::BadHexDigit;
    }
    if (!Fits(ShiftSequenceLength())) {
        return Result::OutOfMemory;
    }
    // Missing high bits of the expected value and the mask count as 0.
    const std::int32_t n = Regs.Counter[Regs.SelectedTap];
    if (n > 0 && expectedBits.size() < static_cast<std::size_t>(n)) {
        expectedBits.resize(static_cast<std::size_t>(n), '0');
    }
    if (n > 0 && maskBits.size() < static_cast<std::size_t>(n)) {
        maskBits.resize(static_cast<std::size_t>(n), '0');
    }
    Regs.ExpectedBits = std::move(expectedBits);
    Regs.MaskBits = std::move(maskBits);
    AppendShiftSequence(bits, "NSHFCP");
    return Result::Done;
}

std::uint64_t LineInterpreter::ShiftSequenceLength() const {
    const std::int32_t n = Regs.Counter[Regs.SelectedTap];
    return n >= 1 ? 2 * static_cast<std::uint64_t>(n) + 2 : 2;
}

void LineInterpreter::AppendShiftSequence(std::string_view shiftBits,
                                          std::string_view description) {
    const std::int32_t n = Regs.Counter[Regs.SelectedTap];
    const TEvento base = BaseEvent();
    if (n <= 0) {
        Store.Add(base);
        Store.Add(base);
        return;
    }
    // Millions of events: written packed, the description entered once, and
    // recorded batch by batch as playback reaches them.
    TEvento first = base;
    first.Description = description;
    ShiftSequence sequence{std::string(shiftBits), Store.Pack(first), Store.Pack(base),
                           static_cast<std::uint64_t>(n)};
    const std::uint64_t total = 2 * sequence.Count + 2;
    Deferred.Record(Store, total,
                    [sequence = std::move(sequence)](EventStore& store, std::uint64_t from,
                                                     std::uint64_t count) {
                        store.AddMade(count, [&sequence, from](std::uint64_t k) {
                            return sequence.Event(from + k);
                        });
                    });
}

std::int32_t LineInterpreter::State(std::string_view operand) {
    const std::uint8_t tap = Regs.SelectedTap;
    if (!Regs.ResetDone[tap]) {
        return Result::StateBeforeReset;
    }
    const std::string_view name =
        TrimRightBlanks(operand.empty() ? operand : operand.substr(0, operand.size() - 1));
    const std::uint8_t target = StateByName(name);
    if (target >= 128) {
        return Result::UnknownState;
    }
    const TmsPath& path = TmsPaths()[Taps.State(tap)][target];
    const std::size_t steps = PathLength(path);
    if (!Fits(2 * steps + 1)) {
        return Result::OutOfMemory;
    }
    // The first event carries the description; with an empty path (the TAP
    // is already there) that is the only, final event.
    TEvento e = BaseEvent();
    e.Description = "STATE -> ";
    e.Description += name;
    for (std::size_t k = 0; k < steps; ++k) {
        e.TMS = path[k];
        e.TCK = 0;
        Store.Add(e);
        e.Description.clear();
        e.TCK = 1;
        Store.Add(e);
    }
    e.TCK = 0;
    e.TMS = steps > 0 ? path[steps - 1] : 0;
    Store.Add(e);
    return Result::Done;
}

} // namespace scanbench
