#include "engine/events/event_export.h"
#include "engine/events/event_store.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace scanbench {
namespace {

std::string Export(const EventStore& store) {
    std::ostringstream out;
    WriteEventExport(out, store, "07.12.2026", "20:15:00");
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(EventExport, HeaderThenOneLinePerEventTheLastWithoutComma) {
    EventStore store;
    TapEvent e;
    for (std::int32_t i = 0; i < 13; ++i) {
        store.Add(e);
    }
    e.Line = 7;
    e.TCK = 1;
    e.RX = 1;
    e.ValidRX = 1;
    e.SOA = 1;
    e.Description = "TMS1";
    store.Add(e);
    store.Add(TapEvent{});
    ASSERT_TRUE(store.PutEvent(12, e));

    const auto lines = Lines(Export(store));
    ASSERT_EQ(lines.size(), 11U + 15U);
    EXPECT_EQ(lines[0], "//");
    EXPECT_EQ(lines[6], "// This file was produced by Scanbench on 07.12.2026 at 20:15:00");
    EXPECT_EQ(lines[9],
              "// Event nr. / Line Number / Tap / TCK / TMS / RX / TX / VALID RX  / SOA / SIA / "
              "SOB / SIB");
    EXPECT_EQ(lines[10], "");
    for (int i : {1, 3, 4}) {
        EXPECT_TRUE(lines[static_cast<std::size_t>(i)].starts_with("// ")) << i;
    }
    EXPECT_EQ(lines[11], "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,");
    EXPECT_EQ(lines[11 + 12], "12, 7, 0, 1, 0, 1, 0, 1, 1, 0, 0, 0,");
    EXPECT_EQ(lines.back(), "14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0");
}

TEST(EventExport, OneEventEndsWithoutCommaAndAnEmptyStoreHasTheHeaderOnly) {
    EventStore store;
    EXPECT_EQ(Lines(Export(store)).size(), 11U);
    TapEvent e;
    e.Tap = 1;
    e.SIB = 1;
    store.Add(e);
    const auto lines = Lines(Export(store));
    ASSERT_EQ(lines.size(), 12U);
    EXPECT_EQ(lines.back(), "0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1");
}

// The numbers of an event line: nr, line, tap, TCK, TMS, RX, TX, VALID RX,
// SOA, SIA, SOB, SIB.
std::vector<int> Columns(const std::string& line) {
    std::vector<int> columns;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) {
        columns.push_back(std::stoi(field));
    }
    return columns;
}

TEST(EventExport, LoneEventsAfterAShiftAreNotValidRx) {
    // After the shift the TAP sits in Exit1-DR. STATE to that state and NTCK
    // with a negative counter each give one event; as the first event of its
    // statement it ends the shift's valid-RX marking.
    testing::EngineFixture f("RST;\nSTATE DRSHIFT;\nLD CNT,4d;\nNSHF Fh;\nSTATE DREXIT1;\n"
                             "STATE DREXIT1;\nLD CNT,FFFFFFFFh;\nNTCK;\n");
    f.Open();
    f.RunToEnd();
    constexpr std::size_t Line = 1;
    constexpr std::size_t ValidRx = 7;
    std::vector<int> validOfLine(9, -1); // the last event of each line
    const auto lines = Lines(Export(f.Eng.Events()));
    for (std::size_t i = 11; i < lines.size(); ++i) {
        const std::vector<int> columns = Columns(lines[i]);
        ASSERT_EQ(columns.size(), 12U) << lines[i];
        validOfLine.at(static_cast<std::size_t>(columns[Line])) = columns[ValidRx];
    }
    EXPECT_EQ(validOfLine[4], 1) << "the shift keeps its last bit valid";
    EXPECT_EQ(validOfLine[5], 0) << "STATE DREXIT1 in Exit1-DR";
    EXPECT_EQ(validOfLine[6], 0) << "once more";
    EXPECT_EQ(validOfLine[8], 0) << "NTCK with a negative counter";
}

} // namespace
} // namespace scanbench
