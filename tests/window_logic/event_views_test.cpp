#include "engine/events/event_store.h"
#include "window_logic/views/event_list_rows.h"
#include "window_logic/views/received_bits.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TapEvent Event(std::uint8_t tap, std::uint8_t tck, std::uint8_t rx = 0, std::uint8_t valid = 1) {
    TapEvent e;
    e.Tap = tap;
    e.TCK = tck;
    e.RX = rx;
    e.ValidRX = valid;
    return e;
}

TEST(EventListRows, FourteenRowsFromTheFirstRowAndLineNumbersOnlyOnStatementStarts) {
    EventStore store;
    EXPECT_EQ(EventListRows(store, 0), std::vector<std::string>{"No events"});
    EXPECT_EQ(EventListScrollMaximum(0), 0);

    TapEvent tms1;
    tms1.Line = 7;
    tms1.TMS = 1;
    tms1.SOA = 1;
    tms1.ValidRX = 1;
    tms1.Description = "TMS1";
    store.Add(tms1);
    for (int i = 0; i < 18; ++i) {
        store.Add(Event(1, static_cast<std::uint8_t>(i % 2), 1, 0));
    }
    TapEvent halt;
    halt.Line = 9;
    halt.Description = "HALT";
    store.Add(halt);

    const auto top = EventListRows(store, 0);
    ASSERT_EQ(top.size(), 14U);
    EXPECT_EQ(top[0], "       0         7   [0]   0   1   0   0   1   0   0   0     V RX    TMS1");
    EXPECT_EQ(top[1], "       1             [1]   0   0   1   0   0   0   0   0     I RX    ");
    EXPECT_EQ(top[13].substr(0, 8), "      13");
    EXPECT_EQ(EventListScrollMaximum(20), 6);
    EXPECT_EQ(EventListScrollMaximum(3), 0);

    const auto bottom = EventListRows(store, 6);
    ASSERT_EQ(bottom.size(), 14U);
    EXPECT_EQ(bottom.back(),
              "      19             [0]   0   0   0   0   0   0   0   0     I RX    HALT");
    EXPECT_TRUE(EventListRows(store, 25).empty()) << "past the end after the store shrank";
    // The columns line up with the header.
    EXPECT_EQ(EventList::Header.find("TCK") + 1, top[0].find("[0]") + 6);
    EXPECT_EQ(EventList::Header.find("Description"), top[0].find("TMS1"));
}

TEST(BuildRxStrings, OneCharacterPerFallingEdgeAlignedAcrossBothTaps) {
    EventStore store;
    EXPECT_EQ(BuildRxStrings(store, true).Tap0, "");
    // A store that starts low adds nothing until its TAP has been high.
    store.Add(Event(0, 0, 1));
    store.Add(Event(1, 0, 1));
    for (int i = 0; i < 3; ++i) {
        store.Add(Event(0, 1));
        store.Add(Event(0, 0, i == 1 ? 1 : 0, i == 2 ? 0 : 1));
    }
    for (int i = 0; i < 2; ++i) {
        store.Add(Event(1, 1));
        store.Add(Event(1, 0, 1, 0));
    }
    store.Add(Event(0, 0, 1)); // low after low: no edge

    const RxStrings plain = BuildRxStrings(store, false);
    EXPECT_EQ(plain.Tap0, "010--");
    EXPECT_EQ(plain.Tap1, "---11");
    const RxStrings withZ = BuildRxStrings(store, true);
    EXPECT_EQ(withZ.Tap0, "01z--");
    EXPECT_EQ(withZ.Tap1, "---zz");
}

TEST(BitLine, CursorTypingDeletingAndColours) {
    BitLine line;
    line.SetText("0101-");
    EXPECT_EQ(line.PositionText(0), "TAP 0, POS: 0/4");
    line.MoveLeft();
    EXPECT_EQ(line.Cursor(), 0U) << "stops at the first bit";
    line.MoveEnd();
    EXPECT_EQ(line.PositionText(1), "TAP 1, POS: 4/4");
    line.MoveRight();
    line.MoveRight();
    EXPECT_EQ(line.Cursor(), 5U) << "just after the last bit, no further";
    EXPECT_FALSE(line.HasCurrentBit());
    line.ColourCurrent(BitColour::Red); // nothing to colour there

    line.MoveTo(1);
    line.ColourCurrent(BitColour::Aqua);
    line.Type('z');
    EXPECT_EQ(line.Text(), "0z01-");
    EXPECT_EQ(line.ColourAt(1), BitColour::Aqua);
    EXPECT_EQ(line.Cursor(), 2U);
    line.DeleteCurrent();
    EXPECT_EQ(line.Text(), "0z1-");
    line.MoveTo(9);
    line.DeleteBackward();
    EXPECT_EQ(line.Text(), "0z1");
    line.ResetColours();
    EXPECT_EQ(line.ColourAt(1), BitColour::White);

    BitLine empty;
    empty.SetText("");
    empty.MoveEnd();
    EXPECT_EQ(empty.PositionText(0), "TAP 0, POS: 0/0");
}

} // namespace
} // namespace scanbench
