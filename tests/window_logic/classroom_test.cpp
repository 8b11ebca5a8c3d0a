#include "window_logic/main_window/example_programs.h"
#include "window_logic/main_window/execute_pace.h"
#include "window_logic/main_window/session_handover.h"
#include "window_logic/views/message_log.h"
#include "window_logic/views/zoom_scale.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace scanbench {
namespace {

TEST(ExecutePace, EachPaceTicksAtItsRate) {
    EXPECT_EQ(TimingFor(ExecutePace::FullSpeed), (PaceTiming{1, false})) << "today's Execute";
    EXPECT_EQ(TimingFor(ExecutePace::Statements50), (PaceTiming{20, false}));
    EXPECT_EQ(TimingFor(ExecutePace::Statements10), (PaceTiming{100, false}));
    EXPECT_EQ(TimingFor(ExecutePace::Statements2), (PaceTiming{500, false}));
    EXPECT_EQ(TimingFor(ExecutePace::Statements1), (PaceTiming{1000, false}));
    EXPECT_EQ(TimingFor(ExecutePace::Events20), (PaceTiming{50, true}));
    std::set<std::string_view> captions;
    for (int i = 0; i < static_cast<int>(AllPaces.size()); ++i) {
        ASSERT_TRUE(PaceAt(i));
        EXPECT_EQ(PaceIndex(*PaceAt(i)), i);
        captions.insert(PaceCaption(*PaceAt(i)));
    }
    EXPECT_EQ(captions.size(), AllPaces.size());
    EXPECT_EQ(PaceAt(-1), std::nullopt);
    EXPECT_EQ(PaceAt(6), std::nullopt);
}

TEST(MessageLog, KeepsTheMostRecentEntriesWithTheirSequence) {
    MessageLog log(3);
    for (int i = 0; i < 5; ++i) {
        log.Add("m" + std::to_string(i), StatusColour::Green, i + 1, 10U * i);
    }
    ASSERT_EQ(log.Size(), 3U);
    EXPECT_EQ(log.At(0).Text, "m2");
    EXPECT_EQ(log.At(0).Sequence, 2U);
    EXPECT_EQ(log.At(2).Line, 5);
    EXPECT_EQ(log.At(2).Event, 40U);
    EXPECT_EQ(log.NextSequence(), 5U);
    EXPECT_EQ(log.IndexFrom(0), 0U) << "dropped entries: start at the oldest kept";
    EXPECT_EQ(log.IndexFrom(3), 1U);
    EXPECT_EQ(log.IndexFrom(5), 3U) << "nothing new";
    log.Clear();
    EXPECT_EQ(log.Size(), 0U);
    log.Add("after", StatusColour::Red, 0, 0);
    EXPECT_EQ(log.At(0).Sequence, 5U) << "numbers go on after Clear";
    EXPECT_EQ(log.IndexFrom(5), 0U);
    EXPECT_EQ(MessageLog().Capacity(), 10'000U);
}

TEST(MessageLog, HaltAndErrorsNameTheirLine) {
    EXPECT_EQ(LogText("HALT", StatusColour::Green, 12), "HALT at line 12");
    EXPECT_EQ(LogText("Invalid Label", StatusColour::Red, 3), "Invalid Label at line 3");
    EXPECT_EQ(LogText("Error: not hex", StatusColour::Red, 7), "Error: not hex at line 7");
    EXPECT_EQ(LogText("Line processed", StatusColour::Green, 7), "Line processed");
    EXPECT_EQ(LogText("Waiting SIA to go low...", StatusColour::Purple, 7),
              "Waiting SIA to go low...");
    EXPECT_EQ(LogText("Couldnt start driver. Something wrong !", StatusColour::Red, 0),
              "Couldnt start driver. Something wrong !")
        << "before any line ran";
    EXPECT_EQ(BreakpointStopText(8), "Stopped at breakpoint, line 8");
    EXPECT_EQ(EntryLine({0, 8, 120, "HALT at line 8", StatusColour::Green}),
              "line 8\tevent 120\tHALT at line 8");
    EXPECT_EQ(EntryLine({0, 0, 0, "Reset", StatusColour::Green}), "line -\tevent 0\tReset");
}

TEST(SessionHandover, ComesBackExactly) {
    SessionHandover unsaved;
    unsaved.Text = std::string("RST;\r\nHALT;\n\0tail", 17);
    unsaved.Modified = true;
    unsaved.Breakpoints = {0, 5, (1 << 20) - 1};
    EXPECT_EQ(DecodeHandover(EncodeHandover(unsaved)), unsaved);

    SessionHandover named{"", "/tmp/odd\nname 12.bst", false, {}, 5, true};
    EXPECT_EQ(DecodeHandover(EncodeHandover(named)), named) << "empty text, newline in the name";
}

TEST(SessionHandover, RefusesAnythingElse) {
    SessionHandover sample{"RST;\n", "/a.bst", true, {1, 2}, 3, false};
    const std::string good = EncodeHandover(sample);
    EXPECT_FALSE(DecodeHandover(""));
    EXPECT_FALSE(DecodeHandover(good.substr(0, good.size() - 1))) << "cut short";
    EXPECT_FALSE(DecodeHandover(good + "x")) << "bytes left over";
    EXPECT_FALSE(DecodeHandover("RST;\nHALT;\n")) << "a program, not a handover";
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    EXPECT_FALSE(DecodeHandover(replaced("breakpoints 4\n1 2 ", "breakpoints 4\n2 1 ")));
    EXPECT_FALSE(DecodeHandover(replaced("breakpoints 4\n1 2 ", "breakpoints 4\n1 1 ")));
    EXPECT_FALSE(DecodeHandover(replaced("breakpoints 4\n1 2 ", "breakpoints 8\n1048576 ")));
    EXPECT_FALSE(DecodeHandover(replaced("modified 1\n1", "modified 1\n2")));
    EXPECT_FALSE(DecodeHandover(replaced("file 6", "file 06"))) << "one spelling only";
    EXPECT_FALSE(DecodeHandover(replaced("text 5", "text 99999999999999999999")));
    EXPECT_FALSE(DecodeHandover(replaced("pace 1\n3", "pace 1\n6"))) << "no such pace";
    EXPECT_FALSE(DecodeHandover(replaced("stopped 1\n0", "stopped 1\nx")));

    EXPECT_TRUE(IsHandoverFileName("scanbench-handover-Ab12cd"));
    EXPECT_FALSE(IsHandoverFileName("scanbench-handover-"));
    EXPECT_FALSE(IsHandoverFileName("kzt.json"));
}

TEST(ExamplePrograms, ListsProgramsThenLessonsSorted) {
    const auto entries = ExampleEntries("/ex", {"02-b.bst", "01-a.BST", "notes.txt", ".bst"},
                                        {"02-y.bst", "01-x.bst"});
    const std::vector<ExampleEntry> expected{
        {"01-a", "/ex/01-a.BST", false},
        {"02-b", "/ex/02-b.bst", false},
        {"01-x", "/ex/lessons/01-x.bst", true},
        {"02-y", "/ex/lessons/02-y.bst", true},
    };
    EXPECT_EQ(entries, expected);

    const ExampleFolders folders{"/usr/share/scanbench/examples", "/src/examples"};
    EXPECT_EQ(ChooseExamplesFolder(folders, [](const auto&) { return true; }), folders.Installed);
    EXPECT_EQ(ChooseExamplesFolder(folders, [&](const auto& p) { return p == folders.Source; }),
              folders.Source)
        << "run from a build folder";
    EXPECT_EQ(ChooseExamplesFolder(folders, [](const auto&) { return false; }), std::nullopt);
}

TEST(ExamplePrograms, ShippedFilesLieWithinTheExamplesFolder) {
    const std::filesystem::path folder = "/usr/share/scanbench/examples";
    EXPECT_TRUE(LiesWithin(folder / "lessons" / "01-read-idcodes.bst", folder));
    EXPECT_TRUE(LiesWithin(folder / "a.bst", "/usr/share/scanbench/examples/"));
    EXPECT_FALSE(LiesWithin("/usr/share/scanbench/examples2/a.bst", folder)) << "a name's start";
    EXPECT_FALSE(LiesWithin(folder, folder));
    EXPECT_FALSE(LiesWithin("/home/ana/a.bst", folder));
    EXPECT_FALSE(LiesWithin(folder / "a.bst", {}));
}

TEST(ZoomScale, ScalesOnTopOfTheUsersFactor) {
    EXPECT_EQ(ZoomScaleFactor(100, ""), "1");
    EXPECT_EQ(ZoomScaleFactor(150, ""), "1.5");
    EXPECT_EQ(ZoomScaleFactor(200, "1.25"), "2.5");
    EXPECT_EQ(ZoomScaleFactor(150, "0"), "1.5") << "a useless factor counts as 1";
    EXPECT_EQ(ZoomScaleFactor(150, "abc"), "1.5");
    EXPECT_EQ(ZoomScaleFactor(200, "nan"), "2");
}

TEST(ZoomFit, OnlyZoomsThatFitTheScreenAreShown) {
    constexpr std::array<int, 3> levels{100, 150, 200};
    const auto shown = [&](int chosen, PixelSize area, double ratio = 1.0) {
        return FitZoom(chosen, LargestWindow, {area, ratio}, levels).Shown;
    };
    EXPECT_EQ(shown(150, {1024, 768}), 100) << "a 1024 x 768 projector";
    EXPECT_EQ(shown(200, {1366, 768}), 100);
    EXPECT_EQ(shown(200, {1920, 1050}), 150);
    EXPECT_EQ(shown(200, {2560, 1400}), 200);
    EXPECT_EQ(shown(150, {1920, 1050}), 150);
    EXPECT_FALSE(FitZoom(150, LargestWindow, {{1920, 1050}, 1.0}, levels).Fitted());
    // QT_SCALE_FACTOR=2 on a 1920 x 1080 screen leaves 960 x 540 at zoom
    // 100 %, the frame counting half as much.
    EXPECT_EQ(shown(200, {960, 540}, 2.0), 100);
    // Not even 100 % fits: shrunk in steps of 5 %, down to the smallest.
    EXPECT_EQ(shown(100, {683, 384}, 2.0), 70);
    EXPECT_EQ(shown(150, {100, 100}), SmallestZoom);

    // Measured at 150 %, the room is half as big again at 100 %.
    const ScreenRoom room = RoomAtFullSize({1000, 600}, 1.5, 150);
    EXPECT_EQ(room.Available, (PixelSize{1500, 900}));
    EXPECT_DOUBLE_EQ(room.PixelRatio, 1.0);
    EXPECT_TRUE(ZoomFits(150, LargestWindow, room));
    EXPECT_FALSE(ZoomFits(200, LargestWindow, room));
    EXPECT_EQ(ZoomFitNotice({200, 150}), "Zoom 200 % does not fit this screen: shown at 150 %");
}

} // namespace
} // namespace scanbench
