// LD, NSHF, NSHFCP and STATE: the instructions whose operands carry values.
#include "engine/events/event_store.h"
#include "engine/events/packed_event.h"
#include "engine/interpreter/controller_registers.h"
#include "engine/interpreter/line_interpreter.h"
#include "engine/interpreter/result_codes.h"
#include "engine/interpreter/shift_sequence.h"
#include "engine/program/number_helpers.h"
#include "engine/program/text_helpers.h"
#include "engine/tap/tap_models.h"
#include "engine/tap/tap_state.h"
#include "engine/tap/tms_paths.h"

#include <algorithm>

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

} // namespace

std::optional<BitString> ReversedBits(std::string_view operand) {
    BitString bits;
    if (operand.empty()) {
        return bits;
    }
    // The digits from the last: a digit's value is its four bits, least
    // significant first; sixteen digits to a word. Operands run to millions
    // of digits.
    const std::string_view digits = operand.substr(0, operand.size() - 1);
    bits.Reserve(std::uint64_t{digits.size()} * 4);
    for (std::size_t end = digits.size(); end > 0;) {
        const std::size_t n = std::min<std::size_t>(end, 16);
        std::uint64_t value = 0;
        std::uint8_t bad = 0;
        for (std::size_t d = 0; d < n; ++d) {
            const std::uint8_t digit = HexDigitValue(digits[end - 1 - d]);
            bad |= digit & 0xF0U; // NotAHexDigit has high bits
            value |= std::uint64_t{digit & 0x0FU} << (4 * d);
        }
        if (bad != 0) {
            return std::nullopt;
        }
        bits.Append(value, static_cast<unsigned>(4 * n));
        end -= n;
    }
    return bits;
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
    std::optional<BitString> bits = ShiftBits(data);
    if (!bits) {
        return Result::BadHexDigit;
    }
    if (!Fits(ShiftSequenceLength())) {
        return Result::OutOfMemory;
    }
    AppendShiftSequence(std::move(*bits), "NSHF");
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
    std::optional<BitString> bits = ShiftBits(data);
    std::optional<BitString> expectedBits = ReversedBits(expected);
    std::optional<BitString> maskBits = ReversedBits(mask);
    if (!bits || !expectedBits || !maskBits) {
        return Result::BadHexDigit;
    }
    if (!Fits(ShiftSequenceLength())) {
        return Result::OutOfMemory;
    }
    // Missing high bits of the expected value and the mask count as 0.
    const std::int32_t n = Regs.Counter[Regs.SelectedTap];
    if (n > 0) {
        expectedBits->GrowTo(static_cast<std::uint64_t>(n));
        maskBits->GrowTo(static_cast<std::uint64_t>(n));
    }
    Regs.ExpectedBits = std::move(*expectedBits);
    Regs.MaskBits = std::move(*maskBits);
    AppendShiftSequence(std::move(*bits), "NSHFCP");
    return Result::Done;
}

std::uint64_t LineInterpreter::ShiftSequenceLength() const {
    const std::int32_t n = Regs.Counter[Regs.SelectedTap];
    return n >= 1 ? 2 * static_cast<std::uint64_t>(n) + 2 : 2;
}

void LineInterpreter::AppendShiftSequence(BitString bits, std::string_view description) {
    const std::int32_t n = Regs.Counter[Regs.SelectedTap];
    const TapEvent base = BaseEvent();
    if (n <= 0) {
        Store.Add(base);
        Store.Add(base);
        return;
    }
    // Millions of events: made as they are played.
    TapEvent first = base;
    first.Description = description;
    auto sequence = std::make_unique<ShiftSequence>(std::move(bits), static_cast<std::uint64_t>(n));
    const std::uint64_t count = sequence->Size();
    Store.AddSequence(first, count, std::move(sequence));
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
    TapEvent e = BaseEvent();
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
