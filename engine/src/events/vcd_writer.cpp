#include "engine/events/vcd_writer.h"

#include "engine/events/event_store.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace scanbench {

namespace {

constexpr std::size_t BufferSize = std::size_t{1} << 20;
// Room one step needs at most: a time stamp and every signal changing.
constexpr std::size_t StepRoom = 256;
static_assert(StepRoom >= 32 + 14 * 3 + 2 * 16 + 2 * 8,
              "a time line and change lines copied whole");

constexpr std::uint8_t Unknown = 0xFF;

// The one-bit signals, numbered by their bit in VcdWriter::Values: five per
// TAP, then the sync lines.
constexpr unsigned WiresPerTap = 5;
constexpr unsigned SyncFirst = 2 * WiresPerTap;
constexpr unsigned ScalarCount = SyncFirst + 4;
constexpr std::uint32_t TapMask = (1U << WiresPerTap) - 1;
constexpr std::uint32_t SyncMask = 0xFU << SyncFirst;

// Identifier codes: A.. for the one-bit signals, then the two state vectors.
constexpr char ScalarId(unsigned signal) {
    return static_cast<char>('A' + signal);
}
constexpr char StateId(unsigned tap) {
    return static_cast<char>('A' + ScalarCount + tap);
}

constexpr std::array<std::string_view, WiresPerTap> WireNames = {"TCK", "TMS", "TX_TDI", "RX_TDO",
                                                                 "RX_valid"};
constexpr std::array<std::string_view, 4> SyncNames = {"SOA", "SIA", "SOB", "SIB"};

// An event's TCK, TMS, TX, RX and RX valid levels in wire order.
std::uint32_t TapWires(const PackedEvent& e) {
    const std::uint32_t l = e.Levels;
    static_assert(PackedEvent::TMS == 1U << 0 && PackedEvent::TCK == 1U << 1 &&
                  PackedEvent::RX == 1U << 2 && PackedEvent::TX == 1U << 3 &&
                  PackedEvent::ValidRX == 1U << 6);
    return ((l >> 1) & 1U) | ((l & 1U) << 1) | (((l >> 3) & 1U) << 2) | (((l >> 2) & 1U) << 3) |
           (((l >> 6) & 1U) << 4);
}

// An event's SOA, SIA, SOB and SIB levels in sync-line order.
std::uint32_t SyncLines(const PackedEvent& e) {
    const std::uint32_t l = e.Levels;
    static_assert(PackedEvent::SIA == 1U << 4 && PackedEvent::SIB == 1U << 5 &&
                  PackedEvent::SOA == 1U << 8 && PackedEvent::SOB == 1U << 9);
    return ((l >> 8) & 1U) | (((l >> 4) & 1U) << 1) | (((l >> 9) & 1U) << 2) |
           (((l >> 5) & 1U) << 3);
}

// The value change lines of a group of one-bit signals that are all known,
// for each combination of which of them changed (low bits of the index)
// and their levels (high bits): a step copies its lines out whole instead
// of deciding signal by signal.
struct ChangeLines {
    std::array<char, 15> Text{};
    std::uint8_t Length = 0;
};
static_assert(sizeof(ChangeLines) == 16);

template <unsigned Count>
using ChangeTable = std::array<ChangeLines, std::size_t{1} << (2 * Count)>;

template <unsigned Count>
constexpr ChangeTable<Count> MakeChangeTable(unsigned firstSignal) {
    ChangeTable<Count> table{};
    for (std::size_t index = 0; index < table.size(); ++index) {
        ChangeLines& lines = table[index];
        for (unsigned bit = 0; bit < Count; ++bit) {
            if (((index >> bit) & 1U) != 0) {
                lines.Text[lines.Length++] =
                    static_cast<char>('0' + ((index >> (Count + bit)) & 1U));
                lines.Text[lines.Length++] = ScalarId(firstSignal + bit);
                lines.Text[lines.Length++] = '\n';
            }
        }
    }
    return table;
}

constexpr std::array<ChangeTable<WiresPerTap>, 2> TapChanges = {
    MakeChangeTable<WiresPerTap>(0), MakeChangeTable<WiresPerTap>(WiresPerTap)};
constexpr ChangeTable<4> SyncChanges = MakeChangeTable<4>(SyncFirst);

// Copies the lines out (the whole entry: the buffer has the room) and
// returns their length.
std::size_t CopyLines(char* at, const ChangeLines& lines) {
    std::memcpy(at, &lines, sizeof lines);
    return lines.Length;
}

std::string Header(std::string_view date) {
    std::string h;
    h.append("$date\n   ").append(date).append("\n$end\n");
    h.append("$version\n   Scanbench\n$end\n");
    h.append("$comment\n   One time step per played event, in the order they were played.\n"
             "   state: 0 Test-Logic-Reset, 1 Run-Test/Idle, 2 Select-DR-Scan, 3 Select-IR-Scan,\n"
             "   4 Capture-DR, 5 Capture-IR, 6 Shift-DR, 7 Shift-IR, 8 Exit1-DR, 9 Exit1-IR,\n"
             "   10 Pause-DR, 11 Pause-IR, 12 Exit2-DR, 13 Exit2-IR, 14 Update-DR, 15 Update-IR\n"
             "$end\n");
    h.append("$timescale 1 ns $end\n$scope module scanbench $end\n");
    for (unsigned tap = 0; tap < 2; ++tap) {
        h.append("$scope module tap").append(1, static_cast<char>('0' + tap)).append(" $end\n");
        for (unsigned w = 0; w < WiresPerTap; ++w) {
            h.append("$var wire 1 ")
                .append(1, ScalarId(tap * WiresPerTap + w))
                .append(" ")
                .append(WireNames[w])
                .append(" $end\n");
        }
        h.append("$var reg 4 ").append(1, StateId(tap)).append(" state [3:0] $end\n");
        h.append("$upscope $end\n");
    }
    h.append("$scope module sync $end\n");
    for (unsigned s = 0; s < SyncNames.size(); ++s) {
        h.append("$var wire 1 ")
            .append(1, ScalarId(SyncFirst + s))
            .append(" ")
            .append(SyncNames[s])
            .append(" $end\n");
    }
    h.append("$upscope $end\n$upscope $end\n$enddefinitions $end\n");
    return h;
}

} // namespace

VcdWriter::VcdWriter(std::ostream& out, std::string_view date)
    : Out(out), Buffer(std::make_unique<char[]>(BufferSize)), States{Unknown, Unknown} {
    Put(Header(date));
}

VcdWriter::~VcdWriter() = default;

void VcdWriter::Add(const PackedEvent& e) {
    std::uint32_t values = Values;
    std::uint32_t known = Known;
    if (e.Tap <= 1) {
        const unsigned shift = e.Tap * WiresPerTap;
        values = (values & ~(TapMask << shift)) | (TapWires(e) << shift);
        known |= TapMask << shift;
    }
    values = (values & ~SyncMask) | (SyncLines(e) << SyncFirst);
    known |= SyncMask;
    const std::array<std::uint8_t, 2> states =
        e.HasTapStates() ? std::array<std::uint8_t, 2>{e.TapState(0), e.TapState(1)}
                         : std::array<std::uint8_t, 2>{Unknown, Unknown};

    const std::uint32_t changed = (values ^ Values) | (known ^ Known);
    const std::uint32_t knownBefore = Known;
    const bool state0Changed = states[0] != States[0];
    const bool state1Changed = states[1] != States[1];
    Values = values;
    Known = known;
    States = states;
    if (Time == 0) {
        DumpAll();
    } else if (changed != 0 || state0Changed || state1Changed) {
        FlushIfFull();
        PutTime();
        if (known == knownBefore && e.Tap <= 1) {
            // Nothing became known: only this TAP's wires and the sync
            // lines can have changed, in signal order.
            const unsigned shift = e.Tap * WiresPerTap;
            char* at = Buffer.get() + Used;
            at += CopyLines(at, TapChanges[e.Tap][((changed >> shift) & TapMask) |
                                                  (((values >> shift) & TapMask) << WiresPerTap)]);
            at += CopyLines(at, SyncChanges[((changed >> SyncFirst) & 0xFU) |
                                            (((values >> SyncFirst) & 0xFU) << 4)]);
            Used = static_cast<std::size_t>(at - Buffer.get());
        } else {
            for (std::uint32_t rest = changed; rest != 0; rest &= rest - 1) {
                PutScalar(static_cast<unsigned>(std::countr_zero(rest)));
            }
        }
        if (state0Changed) {
            PutState(0);
        }
        if (state1Changed) {
            PutState(1);
        }
    }
    NextTime();
}

namespace {

// An event's wires (TapWires) and sync lines (SyncLines, from bit
// WiresPerTap on), by its levels.
const std::array<std::uint16_t, 1024> WiresByLevels = [] {
    std::array<std::uint16_t, 1024> table{};
    for (unsigned levels = 0; levels < table.size(); ++levels) {
        PackedEvent e{};
        e.Levels = static_cast<std::uint16_t>(levels);
        table[levels] = static_cast<std::uint16_t>(TapWires(e) | SyncLines(e) << WiresPerTap);
    }
    return table;
}();

} // namespace

bool VcdWriter::TakesQuickStep(const PackedEvent& e) const {
    const std::uint32_t wires = TapMask << (e.Tap * WiresPerTap) | SyncMask;
    return Time != 0 && e.Tap <= 1 && e.HasTapStates() && TimeDigits + 2 <= QuickLineLength &&
           (Known & wires) == wires;
}

void VcdWriter::Add(std::span<const PackedEvent> events) {
    for (std::size_t i = 0; i < events.size();) {
        if (TakesQuickStep(events[i])) {
            i += AddQuickly(events.subspan(i));
        } else {
            Add(events[i++]);
        }
    }
}

std::size_t VcdWriter::AddQuickly(std::span<const PackedEvent> events) {
    // Written from locals and tables. The time line lives in two words: its
    // last digit changes on almost every step, and copying the line out of
    // memory right after a byte of it was written would stall the processor.
    char* const buffer = Buffer.get();
    std::size_t used = Used;
    std::uint32_t values = Values;
    std::array<std::uint8_t, 2> states = States;
    static_assert(QuickLineLength == 16);
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    std::memcpy(&low, TimeLine.data(), 8);
    std::memcpy(&high, TimeLine.data() + 8, 8);
    const std::size_t lineLength = TimeDigits + 2;
    // Adding these steps the last digit.
    const unsigned place = 8 * (TimeDigits % 8);
    const std::uint64_t lowStep = TimeDigits < 8 ? std::uint64_t{1} << place : 0;
    const std::uint64_t highStep = TimeDigits < 8 ? 0 : std::uint64_t{1} << place;
    std::size_t i = 0;
    bool carry = false;
    while (i < events.size() && !carry && (i == 0 || TakesQuickStep(events[i]))) {
        const PackedEvent& e = events[i++];
        const unsigned shift = e.Tap * WiresPerTap;
        const std::uint32_t wires = WiresByLevels[e.Levels & 1023U];
        const std::uint32_t next = (values & ~(TapMask << shift | SyncMask)) |
                                   (wires & TapMask) << shift | (wires >> WiresPerTap) << SyncFirst;
        const std::uint32_t changed = next ^ values;
        values = next;
        const std::array<std::uint8_t, 2> now{e.TapState(0), e.TapState(1)};
        const bool state0Changed = now[0] != states[0];
        const bool state1Changed = now[1] != states[1];
        states = now;
        if (changed != 0 || state0Changed || state1Changed) {
            if (used + StepRoom > BufferSize) {
                Used = used;
                Flush();
                used = 0;
            }
            std::memcpy(buffer + used, &low, 8);
            std::memcpy(buffer + used + 8, &high, 8);
            char* at = buffer + used + lineLength;
            at += CopyLines(at, TapChanges[e.Tap][((changed >> shift) & TapMask) |
                                                  (((values >> shift) & TapMask) << WiresPerTap)]);
            at += CopyLines(at, SyncChanges[((changed >> SyncFirst) & 0xFU) |
                                            (((values >> SyncFirst) & 0xFU) << 4)]);
            used = static_cast<std::size_t>(at - buffer);
            if (state0Changed || state1Changed) {
                Used = used;
                States = states;
                if (state0Changed) {
                    PutState(0);
                }
                if (state1Changed) {
                    PutState(1);
                }
                used = Used;
            }
        }
        // The next time: the last digit goes up, unless it is a 9.
        carry = (((TimeDigits < 8 ? low : high) >> place) & 0xFFU) == '9';
        if (!carry) {
            low += lowStep;
            high += highStep;
            ++Time;
        }
    }
    std::memcpy(TimeLine.data(), &low, 8);
    std::memcpy(TimeLine.data() + 8, &high, 8);
    if (carry) {
        NextTime(); // the carry, and maybe one digit more
    }
    Used = used;
    Values = values;
    States = states;
    return i;
}

void VcdWriter::Finish() {
    if (Time == 0) {
        DumpAll();
    } else {
        FlushIfFull();
        PutTime();
    }
    Flush();
    Out.flush();
}

void VcdWriter::DumpAll() {
    FlushIfFull();
    PutTime();
    Put("$dumpvars\n");
    for (unsigned s = 0; s < ScalarCount; ++s) {
        PutScalar(s);
    }
    PutState(0);
    PutState(1);
    Put("$end\n");
}

void VcdWriter::FlushIfFull() {
    if (Used + StepRoom > BufferSize) {
        Flush();
    }
}

void VcdWriter::Flush() {
    if (Used > 0) {
        Out.write(Buffer.get(), static_cast<std::streamsize>(Used));
        Used = 0;
    }
}

void VcdWriter::Put(std::string_view text) {
    while (!text.empty()) {
        if (Used == BufferSize) {
            Flush();
        }
        const std::size_t n = std::min(text.size(), BufferSize - Used);
        text.copy(Buffer.get() + Used, n);
        Used += n;
        text.remove_prefix(n);
    }
}

void VcdWriter::PutTime() {
    // The whole array, a fixed size the compiler copies in two moves; the
    // step's room covers what lies past the line.
    std::memcpy(Buffer.get() + Used, TimeLine.data(), TimeLine.size());
    Used += TimeDigits + 2;
}

void VcdWriter::NextTime() {
    ++Time;
    for (std::size_t i = TimeDigits; i > 0; --i) {
        if (TimeLine[i] != '9') {
            ++TimeLine[i];
            return;
        }
        TimeLine[i] = '0';
    }
    // All nines: one digit more, a 1 in front of the zeros.
    TimeLine[1] = '1';
    ++TimeDigits;
    TimeLine[TimeDigits] = '0';
    TimeLine[TimeDigits + 1] = '\n';
}

void VcdWriter::PutScalar(unsigned signal) {
    char* at = Buffer.get() + Used;
    at[0] = (Known >> signal & 1U) == 0 ? 'x' : static_cast<char>('0' + (Values >> signal & 1U));
    at[1] = ScalarId(signal);
    at[2] = '\n';
    Used += 3;
}

void VcdWriter::PutState(unsigned tap) {
    char* at = Buffer.get() + Used;
    const std::uint8_t s = States[tap];
    at[0] = 'b';
    for (unsigned bit = 0; bit < 4; ++bit) {
        at[1 + bit] = s == Unknown ? 'x' : static_cast<char>('0' + ((s >> (3 - bit)) & 1U));
    }
    at[5] = ' ';
    at[6] = StateId(tap);
    at[7] = '\n';
    Used += 8;
}

void WriteVcd(std::ostream& out, const EventStore& store, std::string_view date) {
    VcdWriter writer(out, date);
    const std::uint32_t played = store.PlayedCount();
    std::vector<PackedEvent> block(4096);
    for (std::uint32_t first = 0; first < played;) {
        const std::size_t wanted = std::min<std::size_t>(block.size(), played - first);
        const std::size_t read = store.ReadEvents(first, std::span(block.data(), wanted));
        if (read == 0) {
            break;
        }
        for (std::size_t k = 0; k < read; ++k) {
            writer.Add(block[k]);
        }
        first += static_cast<std::uint32_t>(read);
    }
    writer.Finish();
}

void VcdRecorder::EventPlayed(const PackedEvent& event) {
    if (Held) {
        Writer.Add(Last);
    }
    Last = event;
    Held = true;
}

void VcdRecorder::EventsPlayed(std::span<const PackedEvent> events) {
    if (events.empty()) {
        return;
    }
    if (Held) {
        Writer.Add(Last);
    }
    Writer.Add(events.first(events.size() - 1));
    Last = events.back();
    Held = true;
}

void VcdRecorder::EventResampled(const PackedEvent& event) {
    // Only an event this recorder has seen played is still open.
    if (Held) {
        Last = event;
    }
}

void VcdRecorder::Finish() {
    if (Held) {
        Writer.Add(Last);
        Held = false;
    }
    Writer.Finish();
}

} // namespace scanbench
