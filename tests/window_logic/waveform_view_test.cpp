#include "engine/events/event_store.h"
#include "window_logic/views/waveform_geometry.h"
#include "window_logic/views/waveform_traces.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(WaveformGeometry, ScrollRangeLeavesThirtyFourColumnsAtTheEnd) {
    EXPECT_EQ(ScrollMaximum(0), 0U);
    EXPECT_EQ(ScrollMaximum(10), 0U);
    EXPECT_EQ(ScrollMaximum(34), 0U);
    EXPECT_EQ(ScrollMaximum(35), 1U);
    EXPECT_EQ(ScrollMaximum(100), 66U);
    EXPECT_EQ(EventsDrawn(0, 10), 10);
    EXPECT_EQ(EventsDrawn(66, 100), 34) << "columns 34..36 stay empty";
    EXPECT_EQ(EventsDrawn(0, 100), 37) << "the 37th column lies beyond the picture";
    EXPECT_EQ(EventsDrawn(5, 5), 0);
    EXPECT_EQ(PositionAfterRefresh(50, 60), 0U) << "the store shrank below the position";
    EXPECT_EQ(PositionAfterRefresh(26, 60), 26U);
    EXPECT_EQ(ColumnOf(70, 66), 4);
    EXPECT_EQ(ColumnOf(65, 66), std::nullopt);
    EXPECT_EQ(ColumnOf(66 + 37, 66), std::nullopt);
}

TEST(WaveformGeometry, ControlsFollowTheSyncPicture) {
    const WaveformLayout with = LayoutFor(true);
    EXPECT_EQ(with.MarkerStripTop, 446);
    EXPECT_EQ(with.ScrollBarTop, 457);
    EXPECT_EQ(with.CheckBoxTop, 482);
    EXPECT_EQ(with.ButtonTop, 481);
    const WaveformLayout without = LayoutFor(false);
    EXPECT_EQ(without.MarkerStripTop, 381);
    EXPECT_EQ(without.ScrollBarTop, 392);
    EXPECT_EQ(without.CheckBoxTop, 417);
    EXPECT_EQ(without.ButtonTop, 416);
}

TEST(WaveformGeometry, LineNumbersReadUpwardFromTheColumn) {
    // The text's top-left pixel lands at the bottom of the box, two pixels
    // left of the column; its last pixel at the top right.
    EXPECT_EQ(LineNumberPixel(3, 0, 0), (PicturePoint{43, 49}));
    EXPECT_EQ(LineNumberPixel(3, 49, 14), (PicturePoint{57, 0}));
    EXPECT_FALSE(MarkerFits(-1));
    EXPECT_TRUE(MarkerFits(539));
    EXPECT_FALSE(MarkerFits(540));
}

TapEvent Event(std::uint8_t tap, std::uint8_t tck, std::uint8_t tms = 0, std::uint8_t tx = 0) {
    TapEvent e;
    e.Tap = tap;
    e.TCK = tck;
    e.TMS = tms;
    e.TX = tx;
    return e;
}

TapEvent Labelled(TapEvent e, std::string description, std::int32_t line) {
    e.Description = std::move(description);
    e.Line = line;
    return e;
}

TapEvent WithRx(TapEvent e, std::uint8_t rx, std::uint8_t valid) {
    e.RX = rx;
    e.ValidRX = valid;
    return e;
}

std::int16_t Y(const TapTraces& t, TapRow row, int column) {
    return t.Rows[row].Steps[static_cast<std::size_t>(column)].Y;
}
TracePen Pen(const TapTraces& t, TapRow row, int column) {
    return t.Rows[row].Steps[static_cast<std::size_t>(column)].Pen;
}

TEST(WaveformTraces, RowsFollowTheirTapAndStayFlatThroughTheOther) {
    EventStore store;
    store.Add(Event(1, 1, 1, 1));                      // 0: TAP 1 first
    store.Add(Labelled(Event(0, 0, 1, 1), "TMS1", 7)); // 1
    store.Add(Event(0, 1, 1, 1));                      // 2
    store.Add(Event(1, 0, 0, 0));                      // 3
    store.Add(Labelled(Event(1, 1), "RST", 9));        // 4: a statement of TAP 1
    store.Add(Labelled(Event(0, 0), "HALT", 12));      // 5

    const TapTraces tap0 = BuildTapTraces(store, 0, 0, false);
    ASSERT_EQ(tap0.Columns, 6);
    EXPECT_EQ(tap0.Rows[TckRow].StartY, 78);
    EXPECT_EQ(Y(tap0, TckRow, 0), 78) << "level 0 before the first event of TAP 0";
    EXPECT_EQ(Y(tap0, TmsRow, 0), 108);
    EXPECT_EQ(Y(tap0, TxRow, 0), 168);
    EXPECT_EQ(Y(tap0, TckRow, 1), 78);
    EXPECT_EQ(Y(tap0, TmsRow, 1), 90);
    EXPECT_EQ(Y(tap0, TxRow, 1), 150);
    EXPECT_EQ(Y(tap0, TckRow, 2), 60);
    EXPECT_EQ(Y(tap0, TckRow, 3), 60) << "TAP 1 leaves TAP 0 at its last level";
    EXPECT_EQ(Y(tap0, TckRow, 4), 60);
    EXPECT_EQ(Y(tap0, TckRow, 5), 78);

    EXPECT_TRUE(tap0.Dots[1] && tap0.Numbered[1]);
    EXPECT_EQ(tap0.LineNumbers[1], 7);
    EXPECT_FALSE(tap0.Dots[2] || tap0.Numbered[2]);
    EXPECT_FALSE(tap0.Dots[4]) << "a statement of the other TAP";
    EXPECT_TRUE(tap0.Dots[5]);
    EXPECT_FALSE(tap0.Numbered[5]) << "HALT carries no line number";

    const TapTraces tap1 = BuildTapTraces(store, 0, 1, false);
    EXPECT_EQ(Y(tap1, TckRow, 0), 60);
    EXPECT_EQ(Y(tap1, TckRow, 2), 60);
    EXPECT_EQ(Y(tap1, TckRow, 3), 78);
    EXPECT_TRUE(tap1.Dots[4] && tap1.Numbered[4]);
}

TEST(WaveformTraces, PlayedEventsInTheirOwnColourUnplayedAhead) {
    EventStore store;
    for (int i = 0; i < 4; ++i) {
        store.Add(Event(0, static_cast<std::uint8_t>(i % 2)));
    }
    TapEvent played;
    ASSERT_TRUE(store.NextEvent(played));
    ASSERT_TRUE(store.NextEvent(played));
    const TapTraces t = BuildTapTraces(store, 0, 0, false);
    EXPECT_EQ(Pen(t, TckRow, 1), TracePen::Tck);
    EXPECT_EQ(Pen(t, TmsRow, 1), TracePen::Tms);
    EXPECT_EQ(Pen(t, TckRow, 2), TracePen::TckAhead) << "the next event to play is not played";
    EXPECT_EQ(Pen(t, TmsRow, 3), TracePen::TmsAhead);
    EXPECT_EQ(Pen(t, TxRow, 3), TracePen::Tx);
}

TEST(WaveformTraces, ReceivedBitsWithoutDeviceDataFloatOnlyWithShowZ) {
    EventStore store;
    store.Add(WithRx(Event(0, 0), 1, 1)); // valid high
    store.Add(WithRx(Event(0, 0), 1, 0)); // invalid high
    store.Add(WithRx(Event(1, 0), 0, 1)); // the other TAP
    for (const bool showZ : {false, true}) {
        const TapTraces t = BuildTapTraces(store, 0, 0, showZ);
        EXPECT_EQ(Y(t, RxRow, 0), 120);
        EXPECT_EQ(Pen(t, RxRow, 0), TracePen::Rx);
        EXPECT_EQ(Y(t, RxRow, 1), showZ ? 129 : 120);
        EXPECT_EQ(Pen(t, RxRow, 1), showZ ? TracePen::RxFloating : TracePen::RxIdle);
        EXPECT_EQ(Y(t, RxRow, 2), showZ ? 129 : 120) << "the remembered level of TAP 0";
        EXPECT_EQ(Pen(t, RxRow, 2), showZ ? TracePen::RxFloating : TracePen::RxIdle);
    }
}

TEST(WaveformTraces, WindowStartsAtTheScrollPositionAndSyncRowsTakeEveryEvent) {
    EventStore store;
    for (int i = 0; i < 100; ++i) {
        TapEvent e = Event(static_cast<std::uint8_t>(i % 2), 0);
        e.SOA = i == 70 ? 1 : 0;
        e.SIB = 1;
        e.Line = i;
        e.Description = "X";
        store.Add(e);
    }
    const TapTraces t = BuildTapTraces(store, 66, 0, false);
    EXPECT_EQ(t.Columns, 34);
    EXPECT_EQ(t.LineNumbers[0], 66);
    const SyncTraces s = BuildSyncTraces(store, 66);
    EXPECT_EQ(s.Columns, 34);
    EXPECT_EQ(s.Rows[0].StartY, 13);
    EXPECT_EQ(s.Rows[0].Steps[4].Y, 2) << "SOA of event 70, a TAP 0 event";
    EXPECT_EQ(s.Rows[0].Steps[5].Y, 13);
    EXPECT_EQ(s.Rows[3].Steps[5].Y, 47) << "SIB of a TAP 1 event";
    EXPECT_EQ(s.Rows[1].Steps[0].Y, 28);
    EXPECT_EQ(BuildTapTraces(store, 100, 0, false).Columns, 0);
}

} // namespace
} // namespace scanbench
