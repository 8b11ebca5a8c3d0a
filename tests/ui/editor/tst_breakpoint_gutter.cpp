#include "ui/appearance/window_fonts.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/editor_area.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/status_line.h"
#include "ui/views/picture_view.h"
#include "window_fixture.h"
#include "window_logic/main_window/font_choice.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

// A program of `lines` lines "NOP; // line n".
QByteArray NumberedProgram(int lines) {
    QByteArray text;
    for (int n = 1; n <= lines; ++n) {
        text += "NOP; // line " + QByteArray::number(n) + "\r\n";
    }
    return text;
}

} // namespace

// The 23 boxes stand for the editor's visible lines and edit BreakFlags.
class BreakpointGutterTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { f.reset(); }
    void boxesLineUpWithTheEditorRows();
    void boxesAndArrowFollowAnyRowHeight();
    void windowFontsShipWithTheProgram();
    void boxesStandForTheLinesOnScreen();
    void clickStoresAllBoxesSyncDoesNot();
    void boxesFollowTheEditorHoweverItScrolls();
    void clearAllAndOpenClearBreakpointsFarBelow();
    void linesBeyondTheFlaggedRangeKeepNoBreakpoint();
    void breakpointStopOffScreenComesIntoViewWithItsBoxMarked();
    void openDuringARunShowsTheNewTextFromItsFirstLine();
    void longLinesGetAScrollBarAndTheRowsStayWhole();

private:
    double RowCentre(int line);
    double ArrowCentre();
    void CheckBoxesBesideTheRows();
    MainWindow& W() { return f->Window(); }
    bool Flag(int line) { return f->Eng().State().Breakpoints.IsSet(line); }
    std::unique_ptr<WindowFixture> f;
};

void BreakpointGutterTest::init() {
    f = std::make_unique<WindowFixture>();
    W().show();
    f->OpenProgram(NumberedProgram(200));
}

// Centre of the editor row that shows `line`, in client coordinates,
// measured from the editor's own layout.
double BreakpointGutterTest::RowCentre(int line) {
    const ProgramEditor& editor = W().Editor();
    const QRectF row = editor.BlockGeometry(line);
    return editor.viewport()->mapTo(W().centralWidget(), QPoint(0, 0)).y() + row.center().y();
}

// Centre of the arrow drawn in the marker picture, in client coordinates;
// negative when the picture is blank.
double BreakpointGutterTest::ArrowCentre() {
    const QImage picture = W().Gutter().Markers().Picture().toImage();
    const QRgb blank = picture.pixel(picture.width() - 1, picture.height() - 1);
    int first = -1;
    int last = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != blank) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? -1.0 : W().Gutter().Markers().y() + (first + last + 1) / 2.0;
}

// Every box sits beside its row; boxes without a whole row on screen are hidden.
void BreakpointGutterTest::CheckBoxesBesideTheRows() {
    const int first = W().Editor().FirstVisibleLine();
    const int whole = W().Editor().WholeRows();
    QVERIFY(whole > 0 && whole <= Gutter::BoxCount);
    for (int k = 1; k <= Gutter::BoxCount; ++k) {
        QCheckBox* box = W().Gutter().Box(k);
        QCOMPARE(box->isVisible(), k <= whole);
        if (k <= whole) {
            QVERIFY2(std::abs(box->geometry().center().y() + 0.5 - RowCentre(first + k - 1)) <= 1,
                     qPrintable(QStringLiteral("box %1").arg(k)));
        }
    }
}

void BreakpointGutterTest::boxesLineUpWithTheEditorRows() {
    // The shipped font gives 16-pixel rows from y = 89, 23 of them whole.
    QCOMPARE(W().Editor().RowHeight(), double(EditorFont::RowHeight));
    QCOMPARE(W().Editor().FirstRowTop(W().centralWidget()), 89);
    QCOMPARE(W().Editor().WholeRows(), Gutter::BoxCount);
    QCOMPARE(W().Editor().viewport()->height(), Gutter::BoxCount * Gutter::RowHeight);
    QCOMPARE(W().Gutter().Box(1)->geometry(), QRect(24, 89, 17, 17));
    QCOMPARE(W().Gutter().Box(23)->geometry(), QRect(24, 89 + 22 * 16, 17, 17));
    CheckBoxesBesideTheRows();
}

void BreakpointGutterTest::boxesAndArrowFollowAnyRowHeight() {
    for (const int pixelSize : {13, 20, 9}) {
        W().Editor().setFont(EditorFontOfSize(pixelSize));
        const double rowHeight = W().Editor().RowHeight();
        QCOMPARE(W().Editor().viewport()->height() % qRound(rowHeight), 0); // whole rows only
        W().Editor().SetFirstVisibleLine(7);
        CheckBoxesBesideTheRows();
        // The arrow beside the executing statement, however the editor scrolls.
        W().Runs().Reset();
        for (int step = 0; step < 12; ++step) {
            W().Runs().StepByStep();
        }
        const int executing = f->CurrentLine() - 1;
        QCOMPARE(W().Editor().CaretLine(), executing);
        QVERIFY2(std::abs(ArrowCentre() - RowCentre(executing)) <= 1,
                 qPrintable(QStringLiteral("%1 px").arg(pixelSize)));
        W().Editor().SetFirstVisibleLine(executing - 3);
        CheckBoxesBesideTheRows();
        QCOMPARE(W().Gutter().ArrowRow(), std::optional<std::int32_t>(3));
        QVERIFY(std::abs(ArrowCentre() - RowCentre(executing)) <= 1);
        W().Editor().SetFirstVisibleLine(executing + 1);
        QCOMPARE(W().Gutter().ArrowRow(), std::nullopt);
        QCOMPARE(ArrowCentre(), -1.0);
    }
}

void BreakpointGutterTest::windowFontsShipWithTheProgram() {
    QCOMPARE(QFontInfo(W().Editor().font()).family(), QStringLiteral("Liberation Mono"));
    const QFontInfo readout(W().findChild<QLabel*>(QStringLiteral("Flag0"))->font());
    QCOMPARE(readout.family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(readout.pixelSize(), 16);
    QVERIFY(readout.bold());
    // Other windows asking for the names get the same fonts where the
    // machine has none of its own under those names.
    if (!QFontDatabase::hasFamily(QStringLiteral("Courier New"))) {
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Courier New"))).family(),
                 QStringLiteral("Liberation Mono"));
    }
    if (!QFontDatabase::hasFamily(QStringLiteral("Arial"))) {
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"))).family(),
                 QStringLiteral("Liberation Sans"));
    }
}

void BreakpointGutterTest::boxesStandForTheLinesOnScreen() {
    W().EditorScrollBar().setValue(39 + 22); // caret to line 62, the editor follows
    W().Editor().SetFirstVisibleLine(39);    // line 40 (1-based) on top
    QCOMPARE(W().Editor().FirstVisibleLine(), 39);
    W().Gutter().Box(1)->click();
    W().Gutter().Box(23)->click();
    QVERIFY(Flag(39));  // line 40
    QVERIFY(Flag(61));  // line 62
    QVERIFY(!Flag(38)); // nothing else
    QVERIFY(!Flag(62));
    W().Editor().SetFirstVisibleLine(0);
    QVERIFY(!W().Gutter().Box(1)->isChecked());
    W().Editor().SetFirstVisibleLine(61);
    QVERIFY(W().Gutter().Box(1)->isChecked()); // line 62 on top
}

void BreakpointGutterTest::clickStoresAllBoxesSyncDoesNot() {
    f->Eng().State().Breakpoints.Set(5, true);
    W().Area().SyncBoxes();
    QVERIFY(W().Gutter().Box(6)->isChecked());
    QVERIFY(W().Gutter().BoxSync());
    // A programmatic change while BoxSync is false is not written back.
    GutterBoxStates states{};
    states[0] = true;
    W().Gutter().ShowStates(states);
    QVERIFY(!Flag(0));
    QVERIFY(Flag(5));
    // A click writes all 23 boxes: the shown states, box 3 as clicked.
    W().Gutter().Box(3)->click();
    QVERIFY(Flag(0));
    QVERIFY(Flag(2));
    QVERIFY(!Flag(5));
}

void BreakpointGutterTest::boxesFollowTheEditorHoweverItScrolls() {
    f->Eng().State().Breakpoints.Set(100, true);
    // The window's own scroll bar: the caret goes to its line, which scrolls into view.
    W().EditorScrollBar().triggerAction(QAbstractSlider::SliderPageStepAdd);
    W().EditorScrollBar().setValue(100);
    QCOMPARE(W().Editor().CaretLine(), 100);
    const int row = 100 - W().Editor().FirstVisibleLine();
    QVERIFY(row >= 0 && row < Gutter::BoxCount);
    QVERIFY(W().Gutter().Box(row + 1)->isChecked());
    // Keys move the editor by themselves; the key-up moves the scroll bar.
    W().Editor().setFocus();
    QTest::keyClick(&W().Editor(), Qt::Key_PageUp);
    QTest::keyClick(&W().Editor(), Qt::Key_PageUp);
    QCOMPARE(W().EditorScrollBar().value(), W().Editor().CaretLine());
    const int first = W().Editor().FirstVisibleLine();
    QVERIFY(first < 100 - Gutter::BoxCount);
    for (int k = 1; k <= Gutter::BoxCount; ++k) {
        QCOMPARE(W().Gutter().Box(k)->isChecked(), Flag(BoxLine(first, k)));
    }
    QCOMPARE(W().Status().CaretPositionText(),
             QStringLiteral("Line: %1   Col: 1").arg(W().Editor().CaretLine() + 1));
}

void BreakpointGutterTest::clearAllAndOpenClearBreakpointsFarBelow() {
    f->Eng().State().Breakpoints.Set(1, true);
    f->Eng().State().Breakpoints.Set(150, true);
    f->Eng().State().Breakpoints.Set(BreakpointFlags::FlagCount - 1, true);
    W().Area().SyncBoxes();
    W().Runs().ClearAllBreakpoints();
    QVERIFY(!Flag(1) && !Flag(150) && !Flag(BreakpointFlags::FlagCount - 1));
    QVERIFY(!W().Gutter().Box(2)->isChecked());

    f->Eng().State().Breakpoints.Set(150, true);
    f->Eng().State().Breakpoints.Set(BreakpointFlags::FlagCount - 1, true);
    f->OpenProgram(NumberedProgram(3), QStringLiteral("other.bst"));
    QVERIFY(!Flag(150));
    QVERIFY(!Flag(BreakpointFlags::FlagCount - 1));
}

void BreakpointGutterTest::linesBeyondTheFlaggedRangeKeepNoBreakpoint() {
    // The last flagged line on top: boxes 2..23 have no flag behind them.
    f->Eng().State().Breakpoints.ClearAll();
    W().Editor().setPlainText(QString(BreakpointFlags::FlagCount + 30, QLatin1Char('\n')));
    W().Editor().SetFirstVisibleLine(BreakpointFlags::FlagCount - 1);
    QCOMPARE(W().Editor().FirstVisibleLine(), BreakpointFlags::FlagCount - 1);
    W().Gutter().Box(2)->click();
    QVERIFY(!W().Gutter().Box(2)->isChecked());
    W().Gutter().Box(1)->click();
    QVERIFY(W().Gutter().Box(1)->isChecked());
    QVERIFY(Flag(BreakpointFlags::FlagCount - 1));
}

void BreakpointGutterTest::breakpointStopOffScreenComesIntoViewWithItsBoxMarked() {
    f->Eng().State().Breakpoints.Set(39, true); // line 40, below the screen
    W().Area().SyncBoxes();
    QCOMPARE(W().Editor().FirstVisibleLine(), 0);
    f->Execute();
    QCOMPARE(f->CurrentLine(), 39);
    const int first = W().Editor().FirstVisibleLine();
    QVERIFY(first <= 39 && 39 < first + W().Editor().WholeRows());
    // The arrow beside line 39, just run; the box of line 40 marked as hit.
    QCOMPARE(W().Gutter().ArrowRow(), 38 - first);
    QCOMPARE(W().Gutter().HitBox(), 39 - first + 1);
    QVERIFY(W().Gutter().Box(39 - first + 1)->isChecked());
    const QWidget* ring = W().centralWidget()->findChild<QWidget*>(QStringLiteral("BreakpointHit"));
    QVERIFY(ring && ring->geometry().contains(W().Gutter().Box(39 - first + 1)->geometry()));
    // Marked until the next run command: a step moves past the breakpoint.
    W().Runs().StepByStep();
    QCOMPARE(W().Gutter().HitBox(), std::nullopt);
    f->Eng().State().Breakpoints.Set(41, true);
    f->Execute();
    QCOMPARE(W().Gutter().HitBox(), 41 - W().Editor().FirstVisibleLine() + 1);
    W().Runs().Reset();
    QCOMPARE(W().Gutter().HitBox(), std::nullopt);
}

void BreakpointGutterTest::openDuringARunShowsTheNewTextFromItsFirstLine() {
    W().Runs().Execute();
    for (int tick = 0; tick < 60; ++tick) {
        W().Runs().ExecuteTick();
    }
    QVERIFY(W().Editor().FirstVisibleLine() > 30);
    f->OpenProgram(NumberedProgram(200), QStringLiteral("other.bst"));
    QCOMPARE(W().Editor().FirstVisibleLine(), 0);
    QCOMPARE(W().Editor().CaretLine(), 0);
    QCOMPARE(W().EditorScrollBar().value(), 0);
    QVERIFY(!W().ExecuteTimer().isActive());
}

void BreakpointGutterTest::longLinesGetAScrollBarAndTheRowsStayWhole() {
    QByteArray text = NumberedProgram(40);
    text.insert(0, "NOP; //" + QByteArray(300, '-') + " end\r\n");
    f->OpenProgram(text, QStringLiteral("long.bst"));
    const QScrollBar& across = *W().Editor().horizontalScrollBar();
    QTRY_VERIFY(across.isVisible());
    QVERIFY(across.maximum() > 0);
    QCOMPARE(W().Editor().WholeRows(), Gutter::BoxCount - 1);
    CheckBoxesBesideTheRows();
    // Its end is reachable: the caret there scrolls it into view.
    W().Editor().moveCursor(QTextCursor::EndOfLine);
    QVERIFY(across.value() > 0);

    f->OpenProgram(NumberedProgram(40), QStringLiteral("short.bst"));
    QTRY_VERIFY(!across.isVisible());
    QCOMPARE(W().Editor().WholeRows(), Gutter::BoxCount);
    CheckBoxesBesideTheRows();
}

QTEST_MAIN(BreakpointGutterTest)
#include "tst_breakpoint_gutter.moc"
