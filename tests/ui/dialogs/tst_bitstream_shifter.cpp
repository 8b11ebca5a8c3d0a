#include "engine/tap/tap_state.h"
#include "ui/dialogs/bitstream_shifter_dialog.h"
#include "ui/main_window/status_line.h"
#include "ui/tools/port_tools.h"
#include "window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

constexpr auto ExitDr = static_cast<std::uint8_t>(TapState::Exit1Dr);

// TX and TMS at the rising TCK edges of the stored events from `first` on.
std::vector<std::pair<int, int>> TxAndTmsAtRisingEdges(const EventStore& store,
                                                       std::uint32_t first) {
    std::vector<std::pair<int, int>> edges;
    int lastTck = 1;
    for (const auto& [tck, tms, tx] : Levels(store, first)) {
        if (tck == 1 && lastTck == 0) {
            edges.emplace_back(tx, tms);
        }
        lastTck = tck;
    }
    return edges;
}

} // namespace

// The Bitstream shifter over the simulated loopback board.
class BitstreamShifterTest : public QObject {
    Q_OBJECT
private slots:
    void openingResetsBothTapsAndOnlyResetIsUsable();
    void shiftSendsTheTextAndTheLoopbackReturnsIt();
    void resetOfTap1EmptiesTheStoreFirst();
    void closingResetsAndRestoresTheRunCommands();
};

void BitstreamShifterTest::openingResetsBothTapsAndOnlyResetIsUsable() {
    WindowFixture f;
    BitstreamShifterDialog& d = f.Window().Ports().Shifter();
    d.TxField(2).setText(QStringLiteral("111"));
    d.RxField(3).setText(QStringLiteral("000"));
    bool checked = false;
    WhenModal(d, [&] {
        for (std::uint8_t tap = 0; tap < 2; ++tap) {
            QCOMPARE(f.Eng().Taps().State(tap), std::uint8_t{0});
            QCOMPARE(f.Eng().Registers().Counter[tap], 0);
            QCOMPARE(f.Eng().Registers().FlagMask[tap], std::uint8_t{1});
        }
        QCOMPARE(f.Eng().Registers().SelectedTap, std::uint8_t{0});
        QVERIFY(d.TapButton(0).isChecked());
        QVERIFY(d.TxField(2).text().isEmpty());
        QVERIFY(d.RxField(3).text().isEmpty());
        QVERIFY(d.ResetButton().isEnabled());
        QVERIFY(d.TapButton(1).isEnabled());
        for (QPushButton* b :
             {&d.Tms0Button(), &d.Tms1Button(), &d.ShiftButton(), &d.StateButton()}) {
            QVERIFY(!b->isEnabled());
        }
        QVERIFY(!d.DestinationButton(ShifterDestination::Idle).isEnabled());
        QTest::mouseClick(&d.ResetButton(), Qt::LeftButton);
        QVERIFY(d.ShiftButton().isEnabled());
        QVERIFY(d.DestinationButton(ShifterDestination::ShiftIr).isEnabled());
        checked = true;
    });
    f.Window().Buttons().BitstreamShifter->trigger();
    QVERIFY(checked);
}

void BitstreamShifterTest::shiftSendsTheTextAndTheLoopbackReturnsIt() {
    WindowFixture f;
    RecordingViews views(f.Eng().Views());
    BitstreamShifterDialog& d = f.Window().Ports().Shifter();
    bool checked = false;
    WhenModal(d, [&] {
        d.ResetTap();
        d.DestinationButton(ShifterDestination::ShiftDr).setChecked(true);
        d.MoveToDestination();
        QVERIFY(views.Received.Has(ViewChange::TapStates));

        d.TxRowButton(1).setChecked(true);
        d.TxField(1).setText(QStringLiteral("10110"));
        d.RxRowButton(2).setChecked(true);
        const std::uint32_t first = f.Eng().Events().EventCount();
        QTest::mouseClick(&d.ShiftButton(), Qt::LeftButton);
        QCOMPARE(d.RxField(2).text(), QStringLiteral("10110"));
        QVERIFY(d.RxField(0).text().isEmpty());
        QCOMPARE(f.Eng().Registers().Counter[0], 5);
        QCOMPARE(f.Eng().Taps().State(0), ExitDr); // the last bit goes out with TMS 1
        const std::vector<std::pair<int, int>> sent{{1, 0}, {0, 0}, {1, 0}, {1, 0}, {0, 1}};
        QCOMPARE(TxAndTmsAtRisingEdges(f.Eng().Events(), first), sent);

        d.MoveToDestination();
        d.TxRowButton(0).setChecked(true);
        d.TxField(0).setText(QStringLiteral("1111000011"));
        d.RxRowButton(0).setChecked(true);
        d.ShiftBits();
        QCOMPARE(d.RxField(0).text(), QStringLiteral("1111000011"));
        QCOMPARE(d.RxField(2).text(), QStringLiteral("10110"));

        // Spaces separate groups; a typo sends nothing and names its row.
        d.MoveToDestination();
        d.TxField(0).setText(QStringLiteral("1011 0001"));
        d.ShiftBits();
        QCOMPARE(d.RxField(0).text(), QStringLiteral("10110001"));
        QCOMPARE(f.Eng().Registers().Counter[0], 8);
        QVERIFY(d.NoticeLabel().isHidden());
        const std::uint32_t events = f.Eng().Events().EventCount();
        d.TxField(0).setText(QStringLiteral("10x1"));
        d.ShiftBits();
        QCOMPARE(f.Eng().Events().EventCount(), events);
        QCOMPARE(d.RxField(0).text(), QStringLiteral("10110001"));
        QVERIFY(!d.NoticeLabel().isHidden());
        QVERIFY(d.NoticeLabel().text().startsWith(QStringLiteral("TX row 1: \"x\"")));
        QCOMPARE(d.TxField(0).selectedText(), QStringLiteral("x"));

        d.TxField(0).clear();
        d.ShiftBits();
        QVERIFY(d.RxField(0).text().isEmpty());
        QVERIFY(d.NoticeLabel().isHidden());
        checked = true;
    });
    f.Window().Items().BitstreamShifter->trigger();
    QVERIFY(checked);
}

void BitstreamShifterTest::resetOfTap1EmptiesTheStoreFirst() {
    WindowFixture f;
    BitstreamShifterDialog& d = f.Window().Ports().Shifter();
    bool checked = false;
    WhenModal(d, [&] {
        QTest::mouseClick(&d.TapButton(1), Qt::LeftButton);
        QCOMPARE(f.Eng().Registers().SelectedTap, std::uint8_t{1});
        QVERIFY(f.Eng().Events().EventCount() > 0);
        d.ResetTap();
        const EventStore& store = f.Eng().Events();
        QCOMPARE(store.EventCount(), store.PlayedCount());
        QVERIFY(store.EventCount() > 0);
        for (std::uint32_t i = 0; i < store.EventCount(); ++i) {
            QCOMPARE(store.GetEvent(i).Tap, std::uint8_t{1}); // only "seltap1;" and "rst;"
        }
        QCOMPARE(f.Eng().Taps().State(1), std::uint8_t{0});
        checked = true;
    });
    f.Window().Items().BitstreamShifter->trigger();
    QVERIFY(checked);
}

void BitstreamShifterTest::closingResetsAndRestoresTheRunCommands() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram("RST;\r\nTMS0;\r\nHALT;\r\n");
    f.Window().Runs().StepByStep();
    WhenModal(f.Window().Ports().Shifter(), [&] {
        BitstreamShifterDialog& d = f.Window().Ports().Shifter();
        QTest::mouseClick(&d.TapButton(1), Qt::LeftButton);
        d.ResetTap();
        d.ClockTms(0);
        QCOMPARE(f.Eng().Taps().State(1), std::uint8_t{1});
    });
    f.Window().Items().BitstreamShifter->trigger();
    QCOMPARE(f.Eng().Registers().SelectedTap, std::uint8_t{0});
    QCOMPARE(f.Eng().Registers().Counter[1], 0);
    QCOMPARE(f.CurrentLine(), 0);
    QCOMPARE(f.Window().Status().StatusText(), QStringLiteral("Reset"));
    QVERIFY(BothEnabled(f.Window().Buttons().StepByStep, f.Window().Items().StepByStep));
    QVERIFY(BothEnabled(f.Window().Buttons().Reset, f.Window().Items().Reset));
}

QTEST_MAIN(BitstreamShifterTest)
#include "tst_bitstream_shifter.moc"
