#include "ui/main_window/language_text.h"
#include "ui/views/state_diagram_window.h"
#include "window_fixture.h"
#include "window_logic/views/state_diagram_layout.h"

#include <QLabel>
#include <QTest>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

// The colour in the middle of a state's box, left of its name.
QColor BoxColour(const QImage& picture, std::uint8_t state) {
    const DiagramRect box = StateBox(state);
    const qreal ratio = picture.devicePixelRatio();
    return picture.pixelColor(qRound((box.X + 3) * ratio),
                              qRound((box.Y + box.Height / 2) * ratio));
}

int HighlightedBoxes(const QImage& picture) {
    int count = 0;
    for (std::uint8_t s = 0; s < TapStateCount; ++s) {
        count += BoxColour(picture, s) == DiagramColours::Highlight ? 1 : 0;
    }
    return count;
}

void Step(Engine& eng, std::uint8_t tap, std::initializer_list<int> tms) {
    for (const int level : tms) {
        eng.Taps().Step(tap, static_cast<std::uint8_t>(level));
    }
}

} // namespace

// The state diagram window through the main window: highlights follow the
// TAP models, restore the diagram exactly, and wait for a repaint while the
// windows are not refreshed.
class StateDiagramTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFollowTheInterfaceLanguage();
    void highlightFollowsTheModelAndRestoresTheDiagramExactly();
    void steppingOnePortLeavesTheOtherPictureAlone();
    void withoutRefreshThePictureJumpsAtTheNextRepaint();
    void speedRunEndsWithTheFinalStatesDrawn();
};

void StateDiagramTest::highlightFollowsTheModelAndRestoresTheDiagramExactly() {
    WindowFixture f;
    Engine& eng = f.Eng();
    StateDiagramWindow& w = f.Window().StateDiagrams();
    QVERIFY(!w.isVisible());
    f.Window().Buttons().StateDiagram->trigger();
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("State Diagrams"));
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
             QStringLiteral("State Diagram for Port 1"));

    // Five TMS = 1 steps reach Test-Logic-Reset from anywhere.
    Step(eng, 0, {1, 1, 1, 1, 1});
    QCOMPARE(w.ShownState(0), std::uint8_t{0});
    QCOMPARE(BoxColour(w.Diagram(0), 0), DiagramColours::Highlight);
    QCOMPARE(HighlightedBoxes(w.Diagram(0)), 1);
    const QImage atReset = w.Diagram(0).copy();

    // Round the DR column and back: every tile drawn over is restored.
    Step(eng, 0, {0, 1, 0, 0});
    QCOMPARE(w.ShownState(0), std::uint8_t{6});
    QCOMPARE(BoxColour(w.Diagram(0), 6), DiagramColours::Highlight);
    QCOMPARE(BoxColour(w.Diagram(0), 0), DiagramColours::Box);
    QCOMPARE(HighlightedBoxes(w.Diagram(0)), 1);
    Step(eng, 0, {1, 0, 1, 1, 1, 1, 1, 1});
    QCOMPARE(w.ShownState(0), std::uint8_t{0});
    QVERIFY(w.Diagram(0) == atReset);
}

void StateDiagramTest::steppingOnePortLeavesTheOtherPictureAlone() {
    WindowFixture f;
    f.Window().Items().StateDiagram->trigger();
    StateDiagramWindow& w = f.Window().StateDiagrams();
    const QImage port0 = w.Diagram(0).copy();
    Step(f.Eng(), 1, {1, 1, 1, 1, 1, 0, 1});
    QCOMPARE(w.ShownState(1), std::uint8_t{2});
    QCOMPARE(BoxColour(w.Diagram(1), 2), DiagramColours::Highlight);
    QVERIFY(w.Diagram(0) == port0);
}

void StateDiagramTest::withoutRefreshThePictureJumpsAtTheNextRepaint() {
    WindowFixture f;
    f.Window().Items().StateDiagram->trigger();
    StateDiagramWindow& w = f.Window().StateDiagrams();
    Step(f.Eng(), 0, {1, 1, 1, 1, 1});
    const QImage shown = w.Diagram(0).copy();

    w.SetFollowsSteps(false); // as during a Speed Run
    Step(f.Eng(), 0, {0, 1, 0, 0});
    QVERIFY(w.Diagram(0) == shown);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.repaint();
    QCOMPARE(w.ShownState(0), std::uint8_t{6});
    QCOMPARE(HighlightedBoxes(w.Diagram(0)), 1);

    // Hidden, it draws nothing; shown again, it catches up.
    w.close();
    w.SetFollowsSteps(true);
    Step(f.Eng(), 0, {1});
    QCOMPARE(w.ShownState(0), std::uint8_t{6});
    f.Window().Items().StateDiagram->trigger();
    QCOMPARE(w.ShownState(0), std::uint8_t{8});
}

void StateDiagramTest::speedRunEndsWithTheFinalStatesDrawn() {
    WindowFixture f(true);
    f.OpenProgram("RST;\r\nSTATE IDLE;\r\nHALT;\r\n");
    f.Window().Items().StateDiagram->trigger();
    StateDiagramWindow& w = f.Window().StateDiagrams();
    // Reset leaves both TAPs wherever the scramble took them; the run ends
    // in Run-Test/Idle without a single redraw on the way.
    f.Window().Runs().Reset();
    f.Window().Runs().SpeedRun();
    QVERIFY(f.Eng().State().Run.ProgramEnded);
    QCOMPARE(f.Eng().Taps().State(0), std::uint8_t{1});
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        QCOMPARE(w.ShownState(tap), f.Eng().Taps().State(tap));
        QCOMPARE(HighlightedBoxes(w.Diagram(tap)), 1);
    }
    QCOMPARE(BoxColour(w.Diagram(0), 1), DiagramColours::Highlight);
}

void StateDiagramTest::captionsFollowTheInterfaceLanguage() {
    WindowFixture f;
    StateDiagramWindow& w = f.Window().StateDiagrams();
    const QString english = w.windowTitle();
    f.Window().ChooseLanguage(3);
    QCOMPARE(w.windowTitle(), LanguageText(3, LangPos::StateDiagramsTitle));
    QVERIFY(w.windowTitle() != english);
    QVERIFY(w.findChild<QLabel*>()->text().startsWith(LanguageText(3, LangPos::StatePortLabel)));
    f.Window().ChooseLanguage(0);
    QCOMPARE(w.windowTitle(), english);
}

QTEST_MAIN(StateDiagramTest)
#include "tst_state_diagram.moc"
