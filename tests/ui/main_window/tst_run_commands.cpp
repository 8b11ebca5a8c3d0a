#include "engine/interpreter/result_codes.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/readout_panel.h"
#include "ui/main_window/status_line.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

// A counter load, a shift of 2 x 60000 + 2 events that Step-by-Step plays
// in more than one slice, two more statements and HALT.
const QByteArray LongShift = "LD CNT,60000d;\r\nNSHF 0h;\r\nTMS0;\r\nTMS0;\r\nHALT;\r\n";

bool RunCommandsEnabled(const MainWindow& w, bool state) {
    const MenuItems& m = w.Items();
    const ToolButtons& b = w.Buttons();
    for (const QAction* a : {b.EventByEvent, m.EventByEvent, b.StepByStep, m.StepByStep, b.Execute,
                             m.Execute, b.Pause, m.Pause}) {
        if (a->isEnabled() != state) {
            return false;
        }
    }
    return true;
}

} // namespace

// The run commands through the window: breakpoints, HALT, Reset between the
// slices of a long statement, Speed Run and closing while a run goes on.
class RunCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void executeStopsBeforeABreakpointAndStepPassesIt();
    void executionPointShowsCaretArrowAndStatus();
    void haltDisablesRunCommandsAndResetEnablesThem_data();
    void haltDisablesRunCommandsAndResetEnablesThem();
    void readoutsFollowTheSelectedTap();
    void resetBetweenTheSlicesOfALongStepEndsIt();
    void executeWaitsForAStepThatGoesOnInSlices();
    void speedRunStopsOnPauseAndRepaintsWhileRunning();
    void closingDuringSpeedRunAsksWithTheRunHeld();
};

void RunCommandsTest::executeStopsBeforeABreakpointAndStepPassesIt() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram("RST;\r\nTMS0;\r\nTMS1;\r\nHALT;\r\n");
    f.Window().Gutter().Box(3)->click(); // line 2 (0-based): "TMS1;"
    f.Execute();
    QCOMPARE(f.CurrentLine(), 2);
    QVERIFY(!f.Window().ExecuteTimer().isActive());
    QCOMPARE(f.Window().Status().StatusText(), QStringLiteral("Line processed"));
    f.Execute();
    QCOMPARE(f.CurrentLine(), 2); // the breakpoint holds
    f.Window().Runs().StepByStep();
    QCOMPARE(f.CurrentLine(), 3); // Step-by-Step moves past it
    f.Execute();
    QCOMPARE(f.Window().Status().StatusText(), QStringLiteral("HALT"));
}

void RunCommandsTest::executionPointShowsCaretArrowAndStatus() {
    WindowFixture f;
    f.Window().show();
    QByteArray program;
    for (int i = 0; i < 60; ++i) {
        program += "TMS0;\r\n";
    }
    f.OpenProgram(program + "HALT;\r\n");
    for (int i = 0; i < 40; ++i) {
        f.Window().Runs().StepByStep();
    }
    MainWindow& w = f.Window();
    QCOMPARE(w.Editor().CaretLine(), 39);
    QCOMPARE(w.Editor().FirstVisibleLine(), 39 - 22);
    QCOMPARE(w.Gutter().ArrowRow(), std::optional<std::int32_t>(22));
    QCOMPARE(w.EditorScrollBar().value(), 40);
    QCOMPARE(w.Status().CaretPositionText(), QStringLiteral("Line: 40   Col: 1"));
    QCOMPARE(w.Status().StatusColor(), QColor(0, 128, 0));
    QVERIFY(w.Editor().isReadOnly());
    QVERIFY(!w.EditorPanel().isEnabled());
    QVERIFY(w.Items().ShowExecPoint->isEnabled());
    // The user scrolls away; "Show execution point" brings the line back.
    w.Editor().SetFirstVisibleLine(0);
    w.Runs().ShowExecPoint();
    QCOMPARE(w.Editor().FirstVisibleLine(), 39 - 22);
    QCOMPARE(w.Gutter().ArrowRow(), std::optional<std::int32_t>(22));
    w.Runs().HousekeepingTick();
    QCOMPARE(w.Editor().TextColour(), QColor(128, 0, 0)); // maroon while read-only
    w.Runs().Reset();
    QCOMPARE(w.Gutter().ArrowRow(), std::nullopt);
    w.Runs().HousekeepingTick();
    QCOMPARE(w.Editor().TextColour(), QColor(0, 128, 0));
}

void RunCommandsTest::haltDisablesRunCommandsAndResetEnablesThem_data() {
    QTest::addColumn<bool>("speedRun");
    QTest::newRow("Speed Run setting off") << false;
    QTest::newRow("Speed Run setting on") << true;
}

void RunCommandsTest::haltDisablesRunCommandsAndResetEnablesThem() {
    QFETCH(bool, speedRun);
    WindowFixture f(speedRun);
    f.Window().show();
    f.OpenProgram("RST;\r\nHALT;\r\n");
    f.Execute();
    QCOMPARE(f.Window().Status().StatusText(), QStringLiteral("HALT"));
    QVERIFY(RunCommandsEnabled(f.Window(), false));
    QVERIFY(!f.Window().Buttons().SpeedRun->isEnabled());
    QVERIFY(!f.Window().Items().SpeedRun->isEnabled());
    QVERIFY(f.Window().Buttons().Reset->isEnabled()); // Reset
    f.Window().Runs().Reset();
    QVERIFY(RunCommandsEnabled(f.Window(), true));
    QCOMPARE(f.Window().Buttons().SpeedRun->isEnabled(), speedRun);
    QCOMPARE(f.Window().Items().SpeedRun->isEnabled(), speedRun);
    QVERIFY(!f.Window().Editor().isReadOnly());
}

void RunCommandsTest::readoutsFollowTheSelectedTap() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram("SELTAP1;\r\nLD CNT,10d;\r\nSERFLG2;\r\nHALT;\r\n");
    for (int i = 0; i < 3; ++i) {
        f.Window().Runs().StepByStep();
    }
    const ReadoutPanel& readouts = f.Window().Readouts();
    QCOMPARE(readouts.CounterText(1), QStringLiteral("0000000ah"));
    QCOMPARE(readouts.CounterText(0), QStringLiteral("00000000h"));
    QCOMPARE(readouts.FlagLabel(1).palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(readouts.FlagLabel(0).palette().color(QPalette::WindowText), QColor(128, 128, 128));
    QVERIFY(readouts.FlagGroup(1).font().bold());
    QVERIFY(!readouts.FlagGroup(0).font().bold());
    f.Window().Runs().Reset();
    QCOMPARE(readouts.CounterText(1), QStringLiteral("00000000h"));
    QCOMPARE(readouts.FlagLabel(0).palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

void RunCommandsTest::resetBetweenTheSlicesOfALongStepEndsIt() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram(LongShift);
    f.Window().Runs().StepByStep(); // LD CNT
    f.Window().Runs().StepByStep(); // the shift's first slice
    QVERIFY(f.Window().Runs().SliceTimer().isActive());
    QVERIFY(f.Window().ActivityTimer().isActive());
    f.Window().Runs().Reset();
    QCOMPARE(f.Window().Status().StatusText(), QStringLiteral("Reset"));
    QCOMPARE(f.Window().Status().StatusColor(), QColor(0, 128, 0));
    QCOMPARE(f.CurrentLine(), 0);
    QCOMPARE(f.Eng().Events().EventCount(), 0U); // the store was cleared mid-shift
    QVERIFY(!f.Window().Editor().isReadOnly());
    QVERIFY(!f.Window().ActivityTimer().isActive());
    QVERIFY(!f.Window().Runs().SliceTimer().isActive());
}

void RunCommandsTest::executeWaitsForAStepThatGoesOnInSlices() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram(LongShift);
    f.Window().Runs().StepByStep(); // LD CNT
    f.Window().Runs().Execute();
    f.Window().Runs().StepByStep();                 // the shift, more than a slice
    QVERIFY(!f.Window().ExecuteTimer().isActive()); // Execute waits for the statement
    f.Window().Runs().ExecuteTick();                // and a tick that came anyway
    f.Window().Runs().Pause();                      // stops Execute; the statement still finishes
    QTRY_VERIFY(!f.Window().Runs().Running());
    QCOMPARE(f.CurrentLine(), 2); // nothing ran the next statements
    QVERIFY(f.Eng().State().AllPlayed());
    QVERIFY(!f.Window().ExecuteTimer().isActive());
}

namespace {

// Calls `act` with the count of the event loop's passes, from the next one
// on: during a run, one pass per yield.
class EveryPass {
public:
    explicit EveryPass(std::function<void(int)> act) {
        Timer.setInterval(0);
        QObject::connect(&Timer, &QTimer::timeout, [this, act = std::move(act)] { act(++Passes); });
        Timer.start();
    }
    [[nodiscard]] int Count() const { return Passes; }

private:
    QTimer Timer;
    int Passes = 0;
};

} // namespace

void RunCommandsTest::speedRunStopsOnPauseAndRepaintsWhileRunning() {
    WindowFixture f(true);
    f.Window().show();
    f.OpenProgram("L1: TMS0;\r\nJMP L1;\r\n");
    const auto deliveries = f.Eng().Views().DeliveryCount();
    const EveryPass passes([&f](int pass) {
        if (pass == 3) {
            f.Window().Runs().Pause();
        }
    });
    f.Window().Runs().SpeedRun(); // goes on for ever until paused
    QVERIFY(f.Window().Runs().Running());
    QVERIFY(!f.Window().Model().RefreshWindows());
    QTRY_VERIFY(!f.Window().Runs().Running());
    QVERIFY(passes.Count() >= 3); // the interface kept working during the run
    QVERIFY(f.Eng().Views().DeliveryCount() > deliveries + 1); // and the views followed it
    QVERIFY(f.Eng().Events().PlayedCount() > 1000);
    QVERIFY(f.Window().Buttons().Execute->isEnabled()); // paused, not ended
    QVERIFY(f.Window().Model().RefreshWindows());       // put back after the run
}

void RunCommandsTest::closingDuringSpeedRunAsksWithTheRunHeld() {
    WindowFixture f(true);
    f.Window().show();
    f.OpenProgram("L1: TMS0;\r\nJMP L1;\r\n");
    f.Type(QStringLiteral("// edited\n")); // unsaved text
    f.Window().Runs().Reset();
    f.User().Answers = {false, true}; // No first, then Yes
    bool heldWhileAsking = true;
    f.User().WhileAsking = [&f, &heldWhileAsking] {
        const std::uint32_t played = f.Eng().Events().PlayedCount();
        QCoreApplication::processEvents();
        heldWhileAsking = heldWhileAsking && f.Eng().Events().PlayedCount() == played;
    };
    f.Window().Runs().SpeedRun();
    f.Window().close();
    QVERIFY(f.Window().isVisible());
    QVERIFY(f.Window().Runs().Running()); // the answer was No: the run goes on
    f.Window().close();
    QCOMPARE(f.User().Questions.size(), 2);
    QVERIFY(heldWhileAsking);
    QVERIFY(!f.Window().isVisible());
    QVERIFY(!f.Window().Runs().Running());
}

QTEST_MAIN(RunCommandsTest)
#include "tst_run_commands.moc"
