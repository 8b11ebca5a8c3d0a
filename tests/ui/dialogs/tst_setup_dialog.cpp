#include "board/chip_board.h"
#include "engine/interpreter/result_codes.h"
#include "port/open_port.h"
#include "port/port_connection.h"
#include "port/ppdev_port.h"
#include "settings/qt_paths.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/main_window/status_line.h"
#include "ui/tools/port_tools.h"
#include "ui/views/port_signals_window.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

// Field numbers in the order OK reads them.
enum Field : std::size_t { Tms0 = 0, Rx0 = 3, Tms1 = 4, Tx1 = 6, Rx1 = 7, Sib = 11 };

void Type(SetupDialog& d, Field field, const char* text) {
    d.PinField(field).setCurrentText(QString::fromLatin1(text));
}

void ClickOk(SetupDialog& d) {
    d.accept();
}

} // namespace

// The Setup dialog through the main window's Setup command.
class SetupDialogTest : public QObject {
    Q_OBJECT
private slots:
    void pinUsedTwiceIsRefusedAndNothingChanges();
    void pinTextThatNamesNoPinIsRefusedNamingTheField();
    void okAppliesSavesReopensThePortAndRelabelsTheHiddenSignalsWindow();
    void cancelAfterLoadDefaultsKeepsTheSettings();
    void anotherPortAddressSelectsNoButtonAndIsKept();
    void aPortThatCannotBeOpenedSaysWhyInTheStatusLine();
    void failedSaveKeepsTheDialogOpen();
    void remoteServerFieldsAreCheckedAndSaved();
    void boardFromFileRefusesWhatItCannotUseAndStoresWhatItCan();
};

void SetupDialogTest::pinUsedTwiceIsRefusedAndNothingChanges() {
    WindowFixture f;
    SetupDialog& d = f.Window().Ports().Setup();
    const Settings before = f.Values();
    WhenModal(d, [&] {
        Type(d, Tms0, "6");
        Type(d, Tx1, "6");
        ClickOk(d);
        QVERIFY(d.isVisible());
        Type(d, Tms0, "3");
        Type(d, Rx0, "12"); // an input on the other input's pin
        ClickOk(d);
        QVERIFY(d.isVisible());
    });
    f.Window().Buttons().Setup->trigger();
    QCOMPARE(f.User().Errors, QStringList({QStringLiteral("Error:\rMultiple use of same pin"),
                                           QStringLiteral("Error:\rMultiple use of same pin")}));
    QVERIFY(f.Values().Pins == before.Pins);
    QVERIFY(!std::filesystem::exists(f.Store().Path()));
}

void SetupDialogTest::pinTextThatNamesNoPinIsRefusedNamingTheField() {
    WindowFixture f;
    SetupDialog& d = f.Window().Ports().Setup();
    WhenModal(d, [&] {
        Type(d, Sib, "18");
        ClickOk(d);
        QVERIFY(d.isVisible());
    });
    f.Window().Items().Setup->trigger();
    QCOMPARE(f.User().Errors.size(), 1);
    QVERIFY(f.User().Errors.front().contains(QStringLiteral("SIB: \"18\"")));
    QCOMPARE(f.Values().Pins.SibPin, std::uint8_t{15});
}

void SetupDialogTest::okAppliesSavesReopensThePortAndRelabelsTheHiddenSignalsWindow() {
    WindowFixture f;
    SetupDialog& d = f.Window().Ports().Setup();
    WhenModal(d, [&] {
        QVERIFY(d.PortButton(0).isChecked());
        QVERIFY(d.BoardChoice().isEnabled());
        Type(d, Tms0, "5");
        Type(d, Tms1, "10"); // an input pin for an output: the user's choice
        d.PortButton(1).setChecked(true);
        d.BoardChoice().setCurrentIndex(1); // open
        d.SpeedRunBox().setChecked(true);
        d.ShowValueButton().setChecked(true);
        d.ActiveModeBox().setChecked(false);
        ClickOk(d);
        QVERIFY(!d.isVisible());
    });
    f.Window().Items().Setup->trigger();
    QVERIFY(f.User().Errors.isEmpty());

    const Settings& s = f.Values();
    QCOMPARE(s.Pins.TmsPin[0], std::uint8_t{5});
    QCOMPARE(s.Pins.TmsPin[1], std::uint8_t{10});
    QCOMPARE(s.Pins.PortBase, 632);
    QCOMPARE(s.Board, BoardKind::Open);
    QVERIFY(f.Window().Model().SpeedRunAllowed());
    QVERIFY(!f.Eng().Switches().ActiveMode);
    QVERIFY(!f.Eng().Switches().ShowZ);

    QCOMPARE(f.Port().Board(), BoardKind::Open);
    QCOMPARE(f.Port().Pins().PortBase, 632);
    QCOMPARE(f.Window().Status().StatusText(), QString::fromLatin1(Status::DriverStarted));

    const PortSignalsWindow& w = f.Window().Ports().SignalsWindow();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.PinName(5), QStringLiteral("TAP0 - TMS"));
    QCOMPARE(w.PinName(3), QString());
    QCOMPARE(w.PinName(10), QStringLiteral("TAP1 - TMS"));

    Settings reloaded;
    QVERIFY(f.Store().LoadSettings(reloaded));
    QVERIFY(reloaded.Pins == s.Pins);
    QCOMPARE(reloaded.Board, BoardKind::Open);
    QCOMPARE(reloaded.Port, PortKind::Board);
    QVERIFY(reloaded.SpeedRun);
}

void SetupDialogTest::cancelAfterLoadDefaultsKeepsTheSettings() {
    WindowFixture f;
    f.Values().Pins.TmsPin[0] = 5;
    f.Values().SpeedRun = true;
    f.Values().ShowZ = false;
    const Settings before = f.Values();
    // A Speed Run goes on while Setup is open: the state diagrams, which it
    // keeps from following every step, follow them again from then on.
    f.Type(QStringLiteral("L1: TMS0;\nJMP L1;"));
    f.Window().Runs().SpeedRun();
    QVERIFY(!f.Window().Model().RefreshWindows());
    SetupDialog& d = f.Window().Ports().Setup();
    WhenModal(d, [&] {
        QVERIFY(f.Window().Model().RefreshWindows());
        QVERIFY(f.Window().Runs().Running());
        QCOMPARE(d.PinField(Tms0).currentText(), QStringLiteral("5"));
        d.LoadDefaults();
        QCOMPARE(d.PinField(Tms0).currentText(), QStringLiteral("3"));
        QVERIFY(!d.SpeedRunBox().isChecked());
        QVERIFY(d.ShowZButton().isChecked());
        d.reject();
    });
    f.Window().Items().Setup->trigger();
    f.Window().Runs().Pause();
    QVERIFY(f.Values().Pins == before.Pins);
    QVERIFY(f.Values().SpeedRun);
    QVERIFY(!f.Values().ShowZ);
    QVERIFY(f.Window().Model().RefreshWindows());
    QVERIFY(!std::filesystem::exists(f.Store().Path()));

    WhenModal(d, [&] { QCOMPARE(d.PinField(Tms0).currentText(), QStringLiteral("5")); });
    f.Window().Items().Setup->trigger();
}

void SetupDialogTest::anotherPortAddressSelectsNoButtonAndIsKept() {
    WindowFixture f;
    f.Values().Pins.PortBase = 0x300;
    SetupDialog& d = f.Window().Ports().Setup();
    WhenModal(d, [&] {
        for (std::size_t lpt = 0; lpt < 3; ++lpt) {
            QVERIFY(!d.PortButton(lpt).isChecked());
        }
        ClickOk(d);
    });
    f.Window().Items().Setup->trigger();
    QCOMPARE(f.Values().Pins.PortBase, 0x300);
    QCOMPARE(f.Port().Pins().PortBase, 0x300);
}

namespace {

// A ppdev device the user may not open.
class DeniedPpdev final : public PpdevSystem {
public:
    [[nodiscard]] int Open(const std::string& /*path*/) override { return -EACCES; }
    [[nodiscard]] int Ioctl(int /*fd*/, unsigned long /*request*/,
                            std::uint8_t* /*byte*/) override {
        return -EBADF;
    }
    void Close(int /*fd*/) override {}
};

} // namespace

void SetupDialogTest::aPortThatCannotBeOpenedSaysWhyInTheStatusLine() {
    WindowFixture f(
        false, {}, [](PortKind kind, const PinSettings& pins, const BoardChoice& board) {
            return kind == PortKind::Ppdev
                       ? std::make_unique<PpdevPort>(pins.PortBase, std::make_unique<DeniedPpdev>())
                       : OpenPort(kind, pins, board);
        });
    SetupDialog& d = f.Window().Ports().Setup();
    WhenModal(d, [&] {
        d.DeviceChoice().setCurrentIndex(1); // Parallel port (ppdev)
        ClickOk(d);
    });
    f.Window().Items().Setup->trigger();
    QCOMPARE(f.Port().Kind(), PortKind::Ppdev);
    QCOMPARE(f.Window().Status().StatusText(),
             QStringLiteral("Couldnt start driver. Something wrong !  cannot open /dev/parport0: "
                            "Permission denied (the user needs read and write access to it: on "
                            "Debian, membership of the group lp)"));
    QCOMPARE(f.Window().Status().StatusColor(), QColor(255, 0, 0));
}

void SetupDialogTest::failedSaveKeepsTheDialogOpen() {
    WindowFixture f;
    std::filesystem::create_directories(f.Store().Path()); // the store cannot be written
    SetupDialog& d = f.Window().Ports().Setup();
    WhenModal(d, [&] {
        Type(d, Tms0, "9");
        ClickOk(d);
        QVERIFY(d.isVisible());
    });
    f.Window().Items().Setup->trigger();
    QCOMPARE(f.User().Errors.size(), 1);
    QVERIFY(f.User().Errors.front().contains(QStringLiteral("could not be saved")));
    QCOMPARE(f.Values().Pins.TmsPin[0], std::uint8_t{9}); // in use all the same
}

void SetupDialogTest::remoteServerFieldsAreCheckedAndSaved() {
    WindowFixture f;
    SetupDialog& d = f.Window().Ports().Setup();
    WhenModal(d, [&] {
        QCOMPARE(d.RemoteHostField().text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(d.RemotePortField().text(), QStringLiteral("3335"));
        QVERIFY(!d.RemotePortField().isEnabled()); // only for the remote device
        d.DeviceChoice().setCurrentIndex(3);
        QVERIFY(d.RemotePortField().isEnabled() && !d.BoardChoice().isEnabled());
        d.DeviceChoice().setCurrentIndex(0); // the remote address is kept all the same
        d.RemoteHostField().setText(QStringLiteral("lab-pc"));
        d.RemotePortField().setText(QStringLiteral("70000"));
        ClickOk(d);
        QVERIFY(d.isVisible());
        d.RemotePortField().setText(QStringLiteral("4444"));
        ClickOk(d);
        QVERIFY(!d.isVisible());
    });
    f.Window().Items().Setup->trigger();
    QCOMPARE(f.User().Errors.size(), 1);
    QVERIFY(f.User().Errors.front().contains(QStringLiteral("Remote port: \"70000\"")));
    Settings reloaded;
    QVERIFY(f.Store().LoadSettings(reloaded));
    QCOMPARE(reloaded.Remote, (RemoteAddress{"lab-pc", 4444}));
    QCOMPARE(f.Values().Remote, reloaded.Remote);
}

void SetupDialogTest::boardFromFileRefusesWhatItCannotUseAndStoresWhatItCan() {
    WindowFixture f; // the loopback board
    SetupDialog& d = f.Window().Ports().Setup();
    const QString good = QStringLiteral(SCANBENCH_DATA_DIR "/boards/m3-board.json");
    const QString bad = f.WriteFile(QStringLiteral("bad.json"), "{\"taps\": {}, \"chips\": {}}");
    WhenModal(d, [&] {
        const QString loopback = d.BoardChoice().currentText();
        f.User().BoardPath = bad;
        d.BoardFromFileButton().click();
        QCOMPARE(f.User().Errors.size(), 1);
        QVERIFY(f.User().Errors.front().endsWith(
            QStringLiteral("bad.json: taps: a board needs a chain with at least one chip")));
        QCOMPARE(d.BoardChoice().currentText(), loopback);
        f.User().BoardPath = good;
        d.BoardFromFileButton().click();
        QCOMPARE(d.BoardChoice().currentText(), QStringLiteral("Board file: m3-board.json"));
        ClickOk(d);
    });
    f.Window().Items().Setup->trigger();
    const BoardChoice chosen(BoardKind::File, FromQtPath(good).string());
    QVERIFY(f.Values().Board == chosen);
    QVERIFY(f.Port().Board() == chosen);
    QCOMPARE(f.Port().Access().Chips()->Chip(0).Name, std::string("MCU"));
    Settings reloaded;
    QVERIFY(f.Store().LoadSettings(reloaded));
    QVERIFY(reloaded.Board == chosen);
}

QTEST_MAIN(SetupDialogTest)
#include "tst_setup_dialog.moc"
