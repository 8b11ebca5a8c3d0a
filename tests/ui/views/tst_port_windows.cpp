#include "port/port_connection.h"
#include "port/port_registers.h"
#include "ui/dialogs/parallel_port_tool.h"
#include "ui/views/port_signals_window.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace scanbench;
using namespace scanbench::testing;

// The Parallel Port Signals window and the Parallel Port tool.
class PortWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void defaultPinNamesAtTheirRows();
    void controlRegisterLevelsShownPerPin();
    void levelsFollowTheEngineWhileShown();
    void pulseDrivesTckLowHighLowWithTheOtherBoxes();
    void writeShowsRxThroughTheLoopbackAndInTheSignalsWindow();
    void toolPausesARunningProgramAndResetsAfterwards();
};

void PortWindowsTest::defaultPinNamesAtTheirRows() {
    WindowFixture f;
    const PortSignalsWindow& w = f.Window().PortSignals();
    const std::vector<std::pair<int, QString>> named{
        {2, "TAP0 - TX"},  {3, "TAP0 - TMS"}, {4, "TAP0 - TCK"}, {6, "TAP1 - TX"},
        {7, "TAP1 - TMS"}, {8, "TAP1 - TCK"}, {16, "SOA"},       {17, "SOB"},
        {11, "TAP0 - RX"}, {12, "TAP1 - RX"}, {13, "SIA"},       {15, "SIB"}};
    for (const auto& [pin, name] : named) {
        QCOMPARE(w.PinName(static_cast<std::uint8_t>(pin)), name);
    }
    for (const std::uint8_t pin : {1, 5, 9, 14, 10}) {
        QCOMPARE(w.PinName(pin), QString());
    }
    // The labels keep their layout names: outputs' levels are Input*, inputs' Output*.
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("Name14")) != nullptr);
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("Input17")) != nullptr);
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("Output15")) != nullptr);
}

void PortWindowsTest::controlRegisterLevelsShownPerPin() {
    WindowFixture f;
    PortSignalsWindow& w = f.Window().PortSignals();
    PortAccess& port = f.Port().Access();
    const std::uint16_t control = RegisterAddress(888, PortRegister::Control);
    port.PortWriteByte(control, 0x0B);
    w.RefreshPinLevels();
    for (const std::uint8_t pin : {1, 14, 16, 17}) {
        QCOMPARE(w.PinLevelText(pin), QStringLiteral("0"));
    }
    port.PortWriteByte(control, 0x04);
    w.RefreshPinLevels();
    for (const std::uint8_t pin : {1, 14, 16, 17}) {
        QCOMPARE(w.PinLevelText(pin), QStringLiteral("1"));
    }
}

void PortWindowsTest::levelsFollowTheEngineWhileShown() {
    WindowFixture f;
    PortSignalsWindow& w = f.Window().PortSignals();
    f.OpenProgram("RST;\r\nHALT;\r\n");
    f.Window().Items().PortSignals->trigger();
    QVERIFY(w.isVisible());
    QCOMPARE(w.PinLevelText(3), QStringLiteral("0"));
    f.Window().Runs().EventByEvent(); // TCK low, TMS high
    QCOMPARE(w.PinLevelText(3), QStringLiteral("1"));
    QCOMPARE(w.PinLevelText(4), QStringLiteral("0"));

    w.hide();
    f.Window().Runs().EventByEvent();                 // TCK high
    QCOMPARE(w.PinLevelText(4), QStringLiteral("0")); // a hidden window reads nothing
    w.show();
    QCOMPARE(w.PinLevelText(4), QStringLiteral("1")); // it reads the port when shown
}

void PortWindowsTest::pulseDrivesTckLowHighLowWithTheOtherBoxes() {
    WindowFixture f;
    FakeSignalPort port;
    ParallelPortTool tool(port, f.Eng().Views(), f.Window().Commands(), nullptr);
    tool.TmsBox(0).setChecked(true);
    tool.TckBox(1).setChecked(true); // the pulse ignores the pulsed TAP's box
    QTest::mouseClick(&tool.PulseButton(1), Qt::LeftButton);
    using W = std::array<std::uint8_t, 8>;
    QCOMPARE(port.Writes, (std::vector<W>{W{0, 1, 0, 0, 0, 0, 0, 0}, W{0, 1, 0, 1, 0, 0, 0, 0},
                                          W{0, 1, 0, 0, 0, 0, 0, 0}}));
    QCOMPARE(port.RxReads, 6); // both RX boxes refreshed after every write

    port.Writes.clear();
    tool.TmsBox(0).setChecked(false);
    tool.TckBox(1).setChecked(false);
    tool.PulseTck(1);
    QCOMPARE(port.Writes, (std::vector<W>{W{}, W{0, 0, 0, 1, 0, 0, 0, 0}, W{}}));
}

void PortWindowsTest::writeShowsRxThroughTheLoopbackAndInTheSignalsWindow() {
    WindowFixture f;
    ParallelPortTool& tool = f.Window().ParallelPort();
    PortSignalsWindow& signalsWindow = f.Window().PortSignals();
    signalsWindow.show();
    tool.TxBox(0).setChecked(true);
    tool.Write();
    QVERIFY(tool.RxBox(0).isChecked());
    QVERIFY(!tool.RxBox(1).isChecked());
    QVERIFY(!tool.RxBox(0).isEnabled());
    QCOMPARE(signalsWindow.PinLevelText(2), QStringLiteral("1"));
    QCOMPARE(signalsWindow.PinLevelText(11), QStringLiteral("1"));
    tool.TxBox(0).setChecked(false);
    tool.Write();
    QVERIFY(!tool.RxBox(0).isChecked());
    QCOMPARE(signalsWindow.PinLevelText(2), QStringLiteral("0"));
}

void PortWindowsTest::toolPausesARunningProgramAndResetsAfterwards() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram("RST;\r\nTMS0;\r\nTMS0;\r\nHALT;\r\n");
    f.Window().Runs().StepByStep();
    f.Window().Runs().Execute();
    QVERIFY(f.Window().ExecuteTimer().isActive());
    bool pausedWhileOpen = false;
    WhenModal(f.Window().ParallelPort(),
              [&] { pausedWhileOpen = !f.Window().ExecuteTimer().isActive(); });
    f.Window().Items().ParallelPort->trigger();
    QVERIFY(pausedWhileOpen);
    QCOMPARE(f.CurrentLine(), 0);
    QCOMPARE(f.Eng().Events().EventCount(), 0U);
    QVERIFY(BothEnabled(f.Window().Buttons().Execute, f.Window().Items().Execute));
    QVERIFY(BothEnabled(f.Window().Buttons().Reset, f.Window().Items().Reset));
}

QTEST_MAIN(PortWindowsTest)
#include "tst_port_windows.moc"
