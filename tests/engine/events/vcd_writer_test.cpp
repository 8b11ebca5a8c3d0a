#include "engine/events/event_export.h"
#include "engine/events/vcd_writer.h"
#include "engine/tap/tap_state.h"
#include "test_support.h"
#include "vcd_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace scanbench {
namespace {

using testing::EngineFixture;
using testing::ReadVcd;

std::string DumpOfStore(const EventStore& store) {
    std::ostringstream out;
    WriteVcd(out, store, "today");
    return out.str();
}

// Both TAPs, an NSHFCP, and a wait during which every step samples the
// inputs again into the last event played: the SIA level the dump shows for
// that event is the one it finally holds.
TEST(VcdWriter, RecordedWhilePlayingEqualsTheDumpOfTheStoreAndTheExport) {
    EngineFixture f("RST;\nSTATE DRSHIFT;\nLD CNT,8d;\nNSHFCP A5h,A5h,FFh;\nSELTAP1;\nRST;\n"
                    "TMS0;\nWSA1;\nSELTAP0;\nTMS1;\nHALT;\n");
    f.Port.Loopback = true;
    f.Open();
    std::ostringstream recorded;
    VcdRecorder recorder(recorded, "today");
    auto observing = f.Eng.ObservePlayback(recorder);
    for (int i = 0; i < 200 && !f.Eng.Registers().WaitingSync; ++i) {
        f.Eng.ExecuteStep();
    }
    ASSERT_TRUE(f.Eng.Registers().WaitingSync);
    for (int i = 0; i < 3; ++i) {
        f.Eng.ExecuteStep();
    }
    f.Port.Sia = 1;
    f.RunToEnd();
    observing.Reset();
    recorder.Finish();

    const EventStore& store = f.Eng.Events();
    EXPECT_EQ(recorded.str(), DumpOfStore(store));
    const auto dump = ReadVcd(recorded.str());
    ASSERT_EQ(dump.Error, "");
    std::ostringstream exported;
    WriteEventExport(exported, store, "today", "now");
    EXPECT_EQ(testing::CompareWithExport(dump, exported.str()), "");

    // The state vectors follow the models: Test-Logic-Reset after TAP 0's
    // RST, and where each model stands at the end.
    EXPECT_EQ(dump.Steps.at(11).at("tap0.state"), "0000");
    for (const std::uint8_t tap : {0, 1}) {
        const std::uint8_t s = f.Eng.Taps().State(tap);
        std::string bits;
        for (int b = 3; b >= 0; --b) {
            bits += static_cast<char>('0' + ((s >> b) & 1));
        }
        EXPECT_EQ(dump.Steps.back().at("tap" + std::to_string(tap) + ".state"), bits);
    }
    EXPECT_EQ(dump.Steps.front().at("tap1.TCK"), "x") << "TAP 1 has no event yet";
}

TEST(VcdWriter, EventsWithoutStatesShowUnknownStatesAndAnEmptyStoreIsWellFormed) {
    EventStore store;
    EXPECT_EQ(ReadVcd(DumpOfStore(store)).Error, "");
    EXPECT_TRUE(ReadVcd(DumpOfStore(store)).Steps.empty());

    TapEvent e;
    e.TCK = 1;
    store.Add(e);
    store.Add(e); // unchanged: the second step writes nothing
    TapEvent played;
    ASSERT_TRUE(store.NextEvent(played));
    ASSERT_TRUE(store.NextEvent(played));
    const auto dump = ReadVcd(DumpOfStore(store));
    ASSERT_EQ(dump.Error, "");
    ASSERT_EQ(dump.Steps.size(), 2U);
    EXPECT_EQ(dump.Steps[1].at("tap0.state"), "xxxx");
    EXPECT_EQ(dump.Steps[1].at("tap0.TCK"), "1");
}

// The translate filter shipped for GTKWave names every state value as the
// programs do.
TEST(VcdWriter, GtkwaveFilterNamesEveryState) {
    std::ifstream file(SCANBENCH_TAP_STATE_FILTER);
    ASSERT_TRUE(file) << SCANBENCH_TAP_STATE_FILTER;
    std::string line;
    std::size_t state = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string value;
        std::string name;
        fields >> value >> name;
        ASSERT_LT(state, TapStateCount);
        EXPECT_EQ(std::stoul(value, nullptr, 16), state) << line;
        EXPECT_EQ(name, TapStateNames[state]) << line;
        ++state;
    }
    EXPECT_EQ(state, TapStateCount);
}

} // namespace
} // namespace scanbench
