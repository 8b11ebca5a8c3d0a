#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/program_editor.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QTest>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

enum class Situation { Start, New, OpenOneLine, OpenTwoLines, ChangeOneLine, ChangeTwoLines };

// Enabled states of the controls the table covers.
struct Enabling {
    bool Boxes;
    bool SaveItems;
    bool SaveButton;
    bool RunCommands; // the four run buttons with their menu items
    bool RunAgree;    // all of those enabled, or all disabled
    bool SpeedRunButton;
    bool SpeedRunItem;
    bool Reset;
};

Enabling Observe(MainWindow& window) {
    const MenuItems& m = window.Items();
    const ToolButtons& b = window.Buttons();
    bool boxes = true;
    for (int k = 1; k <= Gutter::BoxCount; ++k) {
        boxes = boxes && window.Gutter().Box(k)->isEnabled();
    }
    const bool run = BothEnabled(b.EventByEvent, m.EventByEvent) &&
                     BothEnabled(b.StepByStep, m.StepByStep) && BothEnabled(b.Execute, m.Execute) &&
                     BothEnabled(b.Pause, m.Pause);
    const bool anyRun = b.EventByEvent->isEnabled() || m.EventByEvent->isEnabled() ||
                        b.StepByStep->isEnabled() || m.StepByStep->isEnabled() ||
                        b.Execute->isEnabled() || m.Execute->isEnabled() || b.Pause->isEnabled() ||
                        m.Pause->isEnabled();
    return {boxes,
            m.SaveProgram->isEnabled() && m.SaveProgramAs->isEnabled(),
            b.SaveProgram->isEnabled(),
            run,
            run == anyRun,
            b.SpeedRun->isEnabled(),
            m.SpeedRun->isEnabled(),
            b.Reset->isEnabled() && m.Reset->isEnabled()};
}

} // namespace

Q_DECLARE_METATYPE(Situation)

// The enabled states after start, New, Open and editing, with the Speed Run
// setting on and off.
class CommandStatesTest : public QObject {
    Q_OBJECT
private slots:
    void followTheTable_data();
    void followTheTable();
    void oneLineKeepsRunCommandsAsTheyWere();
};

void CommandStatesTest::followTheTable_data() {
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<bool>("speedRun");
    QTest::addColumn<QList<bool>>(
        "expected"); // boxes, save items, save button, run, SR button, SR item, reset
    for (const bool speedRun : {false, true}) {
        const QByteArray setting = speedRun ? " (Speed Run on)" : " (Speed Run off)";
        const bool sr = speedRun;
        QTest::newRow("after start" + setting)
            << Situation::Start << sr
            << QList<bool>{false, false, false, false, false, false, false};
        QTest::newRow("after New" + setting)
            << Situation::New << sr << QList<bool>{false, false, false, false, false, false, false};
        QTest::newRow("after Open, 1 line" + setting)
            << Situation::OpenOneLine << sr << QList<bool>{true, true, false, true, sr, sr, false};
        QTest::newRow("after Open, 2 lines" + setting)
            << Situation::OpenTwoLines << sr << QList<bool>{true, true, true, true, sr, sr, false};
        QTest::newRow("after a change, 1 line" + setting)
            << Situation::ChangeOneLine << sr
            << QList<bool>{true, true, false, false, false, false, false};
        QTest::newRow("after a change, 2 lines" + setting)
            << Situation::ChangeTwoLines << sr
            << QList<bool>{true, true, true, true, sr, sr, false};
    }
}

void CommandStatesTest::followTheTable() {
    QFETCH(Situation, situation);
    QFETCH(bool, speedRun);
    QFETCH(QList<bool>, expected);
    WindowFixture f(speedRun);
    f.Window().show();
    switch (situation) {
    case Situation::Start:
        break;
    case Situation::New:
        f.Type(QStringLiteral("RST;\nHALT;"));
        f.Window().Files().NewProgram();
        break;
    case Situation::OpenOneLine:
        f.OpenProgram("RST;\r\n");
        break;
    case Situation::OpenTwoLines:
        f.OpenProgram("RST;\r\nHALT;\r\n");
        break;
    case Situation::ChangeOneLine:
        f.Type(QStringLiteral("RST;"));
        break;
    case Situation::ChangeTwoLines:
        f.Type(QStringLiteral("RST;\nHALT;"));
        break;
    }
    f.Window().Runs().HousekeepingTick(); // the housekeeping tick must agree
    const Enabling e = Observe(f.Window());
    QVERIFY2(e.RunAgree, "run buttons and items disagree");
    const QList<bool> seen{e.Boxes,          e.SaveItems,    e.SaveButton, e.RunCommands,
                           e.SpeedRunButton, e.SpeedRunItem, e.Reset};
    QCOMPARE(seen, expected);
}

void CommandStatesTest::oneLineKeepsRunCommandsAsTheyWere() {
    WindowFixture f;
    f.OpenProgram("RST;\r\nHALT;\r\n");
    f.Window().Editor().selectAll();
    f.Type(QStringLiteral("RST;"));
    const Enabling e = Observe(f.Window());
    QVERIFY(e.RunCommands && e.RunAgree);
    QVERIFY(e.SaveButton);
}

QTEST_MAIN(CommandStatesTest)
#include "tst_command_states.moc"
