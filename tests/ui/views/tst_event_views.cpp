#include "cli/headless_run.h"
#include "engine/interpreter/result_codes.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/status_line.h"
#include "ui/tools/vcd_export.h"
#include "ui/views/bit_line_field.h"
#include "ui/views/bitstream_viewer.h"
#include "ui/views/event_list_window.h"
#include "window_fixture.h"

#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <sstream>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

// Both TAPs shift and compare; no sync lines, so the fake loopback port of
// the window and the runner's simulated board give the same samples.
const QByteArray TwoTaps =
    "RST;\r\nSTATE DRSHIFT;\r\nLD CNT,8d;\r\nNSHFCP A5h,A5h,FFh;\r\n"
    "SELTAP1;\r\nRST;\r\nSTATE IRSHIFT;\r\nLD CNT,4d;\r\nNSHF Ah;\r\nHALT;\r\n";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An export or a dump without the line that names the moment it was written.
QByteArray WithoutDateLines(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (lines[i].startsWith("// This file was produced by") ||
            (i > 0 && lines[i - 1] == "$date")) {
            lines.removeAt(i);
        }
    }
    return lines.join('\n');
}

// What the headless runner writes for the same program.
void RunHeadlessTo(const QByteArray& program, const QString& events, const QString& vcd) {
    RunnerOptions options;
    options.Board = BoardKind::Loopback;
    options.Port = PortKind::Board;
    options.EventsFile = events.toStdString();
    options.VcdFile = vcd.toStdString();
    std::ostringstream out;
    std::ostringstream err;
    QCOMPARE(RunHeadless(options, Settings{}, program.toStdString(), out, err), 0);
}

} // namespace

// The event list, its export, the received bitstream viewer and the VCD
// export through the window.
class EventViewsTest : public QObject {
    Q_OBJECT
private slots:
    void exportsEqualTheRunnersForTheSameProgram();
    void eventListScrollsAndFollowsAReset();
    void viewerMarksBitsInBothLinesAndResetsOnClose();
};

void EventViewsTest::exportsEqualTheRunnersForTheSameProgram() {
    WindowFixture f;
    f.OpenProgram(TwoTaps);
    f.Execute();
    QCOMPARE(f.Window().Status().StatusText(), QString::fromLatin1(Status::Halt));

    f.Window().Items().EventList->trigger();
    EventListWindow& list = f.Window().EventList();
    QVERIFY(list.isVisible());
    const QString saved = f.WriteFile(QStringLiteral("events.txt"), "old");
    list.SetFileQuestion([&saved](QWidget*, const ExportDialog& dialog) {
        return dialog.Filter == QLatin1String("*.txt") ? saved : QString();
    });
    QTest::mouseClick(&list.SaveButton(), Qt::LeftButton);
    const QString vcd = f.WriteFile(QStringLiteral("window.vcd"), "");
    QCOMPARE(WriteVcdFile(vcd, f.Eng()), QString());

    const QString runnerEvents = f.WriteFile(QStringLiteral("runner.txt"), "");
    const QString runnerVcd = f.WriteFile(QStringLiteral("runner.vcd"), "");
    RunHeadlessTo(TwoTaps, runnerEvents, runnerVcd);
    QVERIFY(ReadAll(saved).size() > 1000);
    QCOMPARE(WithoutDateLines(ReadAll(saved)), WithoutDateLines(ReadAll(runnerEvents)));
    QCOMPARE(WithoutDateLines(ReadAll(vcd)), WithoutDateLines(ReadAll(runnerVcd)));
    QVERIFY(f.User().Errors.isEmpty());

    // A folder cannot be written over: the user is told, nothing else happens.
    const QString folder = QFileInfo(saved).absolutePath();
    list.SetFileQuestion([&folder](QWidget*, const ExportDialog&) { return folder; });
    list.SaveToFile();
    QCOMPARE(f.User().Errors.size(), 1);
}

void EventViewsTest::eventListScrollsAndFollowsAReset() {
    WindowFixture f;
    f.OpenProgram(TwoTaps);
    f.Execute();
    const std::uint32_t count = f.Eng().Events().EventCount();
    f.Window().Items().EventList->trigger();
    EventListWindow& list = f.Window().EventList();
    QCOMPARE(list.ScrollBar().maximum(), static_cast<int>(count) - 14);
    QCOMPARE(list.Rows().size(), 14);
    QVERIFY(list.Rows().front().startsWith(QStringLiteral("       0 ")));

    // A click beside the thumb moves 100 rows (at most to the end).
    list.ScrollBar().triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(list.FirstRow(), std::min<std::uint32_t>(100, count - 14));
    QVERIFY(list.Rows().front().startsWith(QString::number(list.FirstRow()).rightJustified(8)));

    // Rows do not follow the run, but a reset empties them at once.
    list.StayOnTopItem().trigger();
    QVERIFY(list.isVisible());
    QVERIFY(list.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    f.Window().Runs().Reset();
    QCOMPARE(list.Rows(), QStringList{QStringLiteral("No events")});
    QVERIFY(!list.SaveButton().isEnabled());
    QVERIFY(list.FirstRow() > 0);
    list.Refresh();
    QCOMPARE(list.FirstRow(), 0U);
    QCOMPARE(list.ScrollBar().maximum(), 0);
}

void EventViewsTest::viewerMarksBitsInBothLinesAndResetsOnClose() {
    WindowFixture f;
    f.OpenProgram(TwoTaps);
    f.Execute();
    bool checked = false;
    QTimer::singleShot(0, &f.Window(), [&f, &checked] {
        BitstreamViewer& viewer = f.Window().ReceivedBits();
        QVERIFY(viewer.isVisible() && viewer.isModal());
        BitLineField& tap0 = viewer.Line(0);
        BitLineField& tap1 = viewer.Line(1);
        // TAP 0 shifts 8 bits, then TAP 1 4: the lines are aligned in time.
        const std::string& line0 = tap0.Line().Text();
        QCOMPARE(line0.size(), tap1.Line().Text().size());
        QVERIFY(line0.ends_with("----"));
        QCOMPARE(viewer.PositionText(), QStringLiteral("TAP 1, POS: 0/%1").arg(line0.size() - 1));

        QTest::keyClick(&tap0, Qt::Key_End);
        QCOMPARE(viewer.PositionText(), QStringLiteral("TAP 0, POS: %1/%1").arg(line0.size() - 1));
        QTest::keyClick(&tap0, Qt::Key_Home);
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(&tap0, Qt::Key_Right);
            QTest::keyClick(&tap1, Qt::Key_Right);
        }
        viewer.Button(0).click(); // red
        QCOMPARE(tap0.Line().ColourAt(5), BitColour::Red);
        QCOMPARE(tap1.Line().ColourAt(5), BitColour::Red); // a "-" there
        QTest::keyClick(&tap1, Qt::Key_Right);
        viewer.Button(2).click(); // lime
        QCOMPARE(tap0.Line().ColourAt(5), BitColour::Lime);
        QCOMPARE(tap1.Line().ColourAt(5), BitColour::Red);
        QCOMPARE(tap1.Line().ColourAt(6), BitColour::Lime);
        viewer.Button(5).click(); // Reset Colors
        QCOMPARE(tap1.Line().ColourAt(6), BitColour::White);
        QCOMPARE(tap1.Line().Cursor(), 6U);

        // Backspace removes a bit only in the TAP 1 line.
        const std::size_t length = line0.size();
        QTest::keyClick(&tap0, Qt::Key_Backspace);
        QTest::keyClick(&tap1, Qt::Key_Backspace);
        QCOMPARE(tap0.Line().Text().size(), length);
        QCOMPARE(tap1.Line().Text().size(), length - 1);
        checked = true;
        viewer.reject();
    });
    f.Window().Items().BitstreamViewer->trigger();
    QVERIFY(checked);
    // Closing the viewer reset the simulation and gave the editor the focus.
    QCOMPARE(f.Eng().Events().EventCount(), 0U);
    QCOMPARE(f.Window().Status().StatusText(), QStringLiteral("Reset"));
    QVERIFY(BothEnabled(f.Window().Buttons().Execute, f.Window().Items().Execute));
    QVERIFY(!f.Window().Editor().isReadOnly());
}

QTEST_MAIN(EventViewsTest)
#include "tst_event_views.moc"
