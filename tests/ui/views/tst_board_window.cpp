#include "port/port_connection.h"
#include "ui/dialogs/latch_dialog.h"
#include "ui/main_window/status_line.h"
#include "ui/tools/setup_command.h"
#include "ui/views/board_faults_panel.h"
#include "ui/views/image_view.h"
#include "ui/views/pin_panel.h"
#include "ui/views/simulated_board_window.h"
#include "window_fixture.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

void UseBoard(WindowFixture& f, const BoardChoice& board) {
    Settings settings = f.Values();
    settings.Board = board;
    QVERIFY(f.Window().Setup().ApplySettings(settings));
}

QByteArray Lesson(const char* name) {
    QFile file(QStringLiteral(SCANBENCH_LESSONS_DIR "/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SimulatedBoardWindow& OpenBoardWindow(WindowFixture& f) {
    f.Window().Items().SimulatedBoard->trigger();
    return f.Window().SimulatedBoard();
}

void ClickAt(SimulatedBoardWindow& w, BoardRect target) {
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("Image1")), Qt::LeftButton, {},
                      QPoint(target.X + target.Width / 2, target.Y + target.Height / 2));
}

// How bright the middle of an LED is drawn.
int LedRed(const SimulatedBoardWindow& w, std::size_t chip, std::size_t column) {
    const BoardRect led = w.Layout().Chips[chip].Leds[column];
    const QImage& picture = w.Picture().Image();
    const qreal ratio = picture.devicePixelRatio();
    return picture
        .pixelColor(qRound((led.X + led.Width / 2.0) * ratio),
                    qRound((led.Y + led.Height / 2.0) * ratio))
        .red();
}

// Clicks the shown row `shown` of the pin list.
void ClickPinRow(SimulatedBoardWindow& w, int shown) {
    QTableView& table = w.Pins().Table();
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {},
                      table.visualRect(table.model()->index(shown, 1)).center());
}

} // namespace

// The simulated board window through the main window: it follows the chips
// as a program runs, its switches reach the program, and it says plainly
// when the port is not the demo board.
class BoardWindowTest : public QObject {
    Q_OBJECT
private slots:
    void onAnotherBoardItSaysSoAndFollowsSetup();
    void ledsAndStatesFollowALessonRun();
    void switchClicksReachSampleAndEndAWaitOnSia();
    void pinListFollowsABoardFileAndFlipsItsSwitches();
    void anOutputPinInExtestOffersItsLatchForTheNextScan();
    void faultsPanelPutsFaultsOnTheNetsAndKeepsThemInTheSettings();
    void aProgramRunsOnTheBoardItNamesAndNewGoesBackToSetups();
    void aBoardFileNamedByTheProgramKeepsItsSwitchesForTheRun();
};

// A lesson written for the interconnect board runs on it, Setup's choice
// kept; a program without a Board line goes back to Setup's board, and one
// typed in counts when a run starts from the first line.
void BoardWindowTest::aProgramRunsOnTheBoardItNamesAndNewGoesBackToSetups() {
    WindowFixture f;
    UseBoard(f, BoardKind::Demo);
    SimulatedBoardWindow& w = OpenBoardWindow(f);
    QVERIFY(w.NetDrawing().Nets().empty());
    f.OpenProgram(Lesson("08-walking-ones.bst"));
    QCOMPARE(f.Port().Board(), BoardChoice(BoardKind::Interconnect));
    QCOMPARE(f.Values().Board, BoardChoice(BoardKind::Demo));
    QCOMPARE(f.Window().Status().StatusText(),
             QStringLiteral("The program's board: the interconnect board"));
    QCOMPARE(w.NetDrawing().Nets().size(), std::size_t{8});
    f.Execute();
    QCOMPARE(f.Eng().Registers().Flags[0], std::uint8_t{0}); // ALLGOOD on a healthy board
    UseBoard(f, BoardKind::Loopback);                        // Setup's choice is for other programs
    QCOMPARE(f.Port().Board(), BoardChoice(BoardKind::Interconnect));
    QVERIFY(f.Window().Status().StatusText().startsWith(
        QStringLiteral("The program's board stays: the interconnect board")));

    f.Window().Files().NewProgram();
    QCOMPARE(f.Port().Board(), BoardChoice(BoardKind::Loopback));
    QCOMPARE(f.Window().Status().StatusText(),
             QStringLiteral("Setup's board: the program names none"));

    f.Type(QStringLiteral("// Board: interconnect\nRST;\n"));
    f.Window().Runs().StepByStep();
    QCOMPARE(f.Port().Board(), BoardChoice(BoardKind::Interconnect));
}

// Lesson 7's board file, found next to the lesson, keeps the switch the
// student set when the run starts.
void BoardWindowTest::aBoardFileNamedByTheProgramKeepsItsSwitchesForTheRun() {
    WindowFixture f;
    QFile board(QStringLiteral(SCANBENCH_DATA_DIR "/boards/your-own-chip.json"));
    QVERIFY(board.open(QIODevice::ReadOnly));
    const QString copy =
        f.WriteFile(QStringLiteral("your-own-chip.json"),
                    board.readAll().replace("../bsdl/", SCANBENCH_DATA_DIR "/bsdl/"));
    f.OpenProgram(Lesson("07-your-own-chip.bst"), QStringLiteral("07.bst"));
    QCOMPARE(f.Port().Board(), BoardChoice(BoardKind::File, copy.toStdString()));
    ChipBoard& chips = *f.Port().Access().Chips();
    chips.SetSwitch(*chips.FindSwitch("KEY0"), 1);
    f.Execute();
    QCOMPARE(f.Eng().Registers().Flags[0], std::uint8_t{0}); // KEY0 read as set
}

void BoardWindowTest::onAnotherBoardItSaysSoAndFollowsSetup() {
    WindowFixture f; // the loopback board
    QVERIFY(f.Window().Buttons().SimulatedBoard->isEnabled());
    QCOMPARE(f.Window().Buttons().SimulatedBoard->toolTip(), QStringLiteral("Simulated board"));
    QCOMPARE(f.Window().Items().SimulatedBoard->text(), QStringLiteral("Simulated board"));
    SimulatedBoardWindow& w = OpenBoardWindow(f);
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Simulated board"));
    QCOMPARE(w.Notice(),
             QStringLiteral("The simulated demo board is not in use: choose it in Setup."));
    QVERIFY(!w.Shown());

    UseBoard(f, BoardKind::Demo);
    QVERIFY(w.Notice().isEmpty());
    QVERIFY(w.Shown());
    QCOMPARE(w.Shown()->Chips.size(), std::size_t{3});
    QCOMPARE(w.Shown()->Chips[1].Name, std::string("U2"));

    // The demo board goes away with its chips; the window lets go of them.
    UseBoard(f, BoardKind::Open);
    QVERIFY(!w.Shown());
    QVERIFY(!w.Notice().isEmpty());
}

void BoardWindowTest::ledsAndStatesFollowALessonRun() {
    WindowFixture f;
    UseBoard(f, BoardKind::Demo);
    SimulatedBoardWindow& w = OpenBoardWindow(f);
    f.OpenProgram(Lesson("04-extest-running-light.bst"));

    // Step by step until the first light of the running light is on.
    int steps = 0;
    while (w.Shown()->Chips[2].Leds == 0 && steps < 200) {
        f.Window().Runs().StepByStep();
        ++steps;
    }
    const ChipView& lit = w.Shown()->Chips[2];
    QCOMPARE(lit.Leds, std::uint8_t{0x01});
    QCOMPARE(lit.Instruction, std::string("EXTEST 0000"));
    QCOMPARE(lit.Register, std::string("BOUNDARY, 17 bits"));
    QVERIFY(LedRed(w, 2, 7) > 200); // D0, the rightmost
    QVERIFY(LedRed(w, 2, 0) < 130);

    f.Execute();
    QVERIFY(!f.Window().ExecuteTimer().isActive());
    const ChipView& end = w.Shown()->Chips[2];
    QCOMPARE(end.Leds, std::uint8_t{0x80});
    QCOMPARE(end.State, std::string("RTI"));
    QCOMPARE(w.Shown()->Chips[0].State, std::string("TLR")); // TAP 0 never clocked
    QVERIFY(LedRed(w, 2, 0) > 200);                          // D7, the leftmost
    QVERIFY(LedRed(w, 2, 7) < 130);
}

void BoardWindowTest::switchClicksReachSampleAndEndAWaitOnSia() {
    WindowFixture f;
    UseBoard(f, BoardKind::Demo);
    SimulatedBoardWindow& w = OpenBoardWindow(f);
    f.OpenProgram(Lesson("05-wait-for-sia.bst"));
    const ChipLayout& u1 = w.Layout().Chips[0];
    for (const int bit : {1, 3, 4, 6}) { // 5Ah
        ClickAt(w, u1.Switches[static_cast<std::size_t>(BitOfColumn(bit))]);
    }
    ClickAt(w, u1.Switches[0]); // S7 on and off again
    ClickAt(w, u1.SwitchNames[0]);
    QCOMPARE(f.Port().Access().Chips()->Chip(0).Switches, std::uint8_t{0x5A});
    QCOMPARE(w.Shown()->Chips[0].Switches, std::uint8_t{0x5A});

    f.Execute(300);
    QVERIFY(f.Window().ExecuteTimer().isActive());
    QCOMPARE(f.Window().Status().StatusText(), QStringLiteral("Waiting SIA to go high..."));
    ClickAt(w, w.Layout().Sync.Switches[0]);
    QVERIFY(w.Shown()->Sia);
    f.Execute();
    QVERIFY(!f.Window().ExecuteTimer().isActive());
    QCOMPARE(f.Eng().Registers().Flags[0], std::uint8_t{0}); // the switches read back as set
}

void BoardWindowTest::pinListFollowsABoardFileAndFlipsItsSwitches() {
    WindowFixture f;
    UseBoard(f, BoardChoice(BoardKind::File, SCANBENCH_DATA_DIR "/boards/m3-board.json"));
    SimulatedBoardWindow& w = OpenBoardWindow(f);
    QCOMPARE(w.Shown()->Chips.size(), std::size_t{2});
    QVERIFY(!w.Shown()->Chips[0].HasSwitches);
    QCOMPARE(w.Pins().Rows().size(), std::size_t{48}); // BOOT0, NRST and 46 I/O pins
    w.Pins().Filter().setText(QStringLiteral("pc13"));
    QCOMPARE(w.Pins().ShownCount(), 1);
    QCOMPARE(w.Pins().ShownRow(0).Attached, std::string("switch BUTTON"));
    QCOMPARE(w.Pins().ShownRow(0).Level, std::string("0"));
    ClickPinRow(w, 0);
    QCOMPARE(w.Pins().ShownRow(0).Level, std::string("1"));
    QCOMPARE(f.Port().Access().Chips()->SwitchValue(0), std::uint64_t{1});
    w.Pins().Filter().setText(QStringLiteral("LED"));
    QCOMPARE(w.Pins().ShownCount(), 1); // what hangs on a pin counts too

    UseBoard(f, BoardChoice(BoardKind::File, "/nowhere/board.json"));
    QVERIFY(!w.Shown());
    QVERIFY(w.Notice().contains(QStringLiteral("/nowhere/board.json")));
    QVERIFY(w.Pins().Rows().empty());
}

void BoardWindowTest::anOutputPinInExtestOffersItsLatchForTheNextScan() {
    WindowFixture f;
    UseBoard(f, BoardKind::Demo);
    SimulatedBoardWindow& w = OpenBoardWindow(f);
    f.OpenProgram(Lesson("04-extest-running-light.bst"));
    while (w.Shown()->Chips[2].Leds == 0) {
        f.Window().Runs().StepByStep();
    }
    w.Pins().Filter().setText(QStringLiteral("U3.D(1)"));
    QVERIFY(w.Pins().ShownRow(0).Settable);
    QString operand;
    QString where;
    QTimer::singleShot(0, [&] {
        auto* offer = qobject_cast<LatchDialog*>(QApplication::activeModalWidget());
        QVERIFY(offer != nullptr);
        offer->HighButton().setChecked(true);
        operand = offer->Operand();
        where = offer->findChild<QLabel*>(QStringLiteral("ScanBit"))->text();
        offer->accept();
    });
    ClickPinRow(w, 0);
    QVERIFY(where.startsWith(QStringLiteral("Bit 9 of the 17-bit DR scan of TAP 1")));
    QCOMPARE(operand, QStringLiteral("00C08h")); // D0 kept lit, D1 planned, outputs enabled
    QCOMPARE(w.Planned().size(), std::size_t{1});
}

// The Faults panel: a choice that cannot be is refused and changes nothing;
// one that can goes on the board, hidden until revealed, and is stored.
void BoardWindowTest::faultsPanelPutsFaultsOnTheNetsAndKeepsThemInTheSettings() {
    WindowFixture f;
    UseBoard(f, BoardKind::Interconnect);
    SimulatedBoardWindow& w = OpenBoardWindow(f);
    FaultsPanel& panel = w.Faults();
    QVERIFY(panel.isVisible());
    QCOMPARE(w.NetDrawing().Nets().size(), std::size_t{8});

    panel.ChoiceField().setText(QStringLiteral("N9=open"));
    QTest::mouseClick(&panel.SetButton(), Qt::LeftButton);
    QVERIFY(panel.Summary().text().contains(QStringLiteral("no net N9")));
    QVERIFY(f.Port().Access().Chips()->Faults().empty());

    panel.ChoiceField().setText(QStringLiteral("N2=stuck1"));
    QTest::mouseClick(&panel.SetButton(), Qt::LeftButton);
    QCOMPARE(f.Port().Access().Chips()->Faults().size(), std::size_t{1});
    QCOMPARE(panel.Summary().text(), QStringLiteral("1 fault on the board, hidden."));
    QCOMPARE(w.NetDrawing().Nets()[2].Level, '1');
    QVERIFY(w.NetDrawing().Nets()[2].Fault.empty());

    QTest::mouseClick(&panel.RevealButton(), Qt::LeftButton);
    QCOMPARE(w.NetDrawing().Nets()[2].Fault, std::string("stuck at 1"));
    Settings stored;
    std::vector<std::string> notices;
    QVERIFY(f.Store().LoadSettings(stored, notices));
    QCOMPARE(FaultChoiceText(stored.Faults), std::string("N2=stuck1"));
    QVERIFY(stored.Faults.Revealed);

    // Setup brings another board: the nets and the panel go, the choice stays.
    UseBoard(f, BoardKind::Demo);
    w.ShowBoard();
    QVERIFY(!panel.isVisible());
    QCOMPARE(FaultChoiceText(f.Port().Faults()), std::string("N2=stuck1"));
}

QTEST_MAIN(BoardWindowTest)
#include "tst_board_window.moc"
