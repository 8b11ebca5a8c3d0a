#include "settings/display_colours.h"
#include "ui/appearance/window_colours.h"
#include "ui/views/state_diagram_window.h"
#include "ui/views/waveform_window.h"
#include "window_fixture.h"
#include "window_logic/views/waveform_geometry.h"

#include <QScrollBar>
#include <QTest>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

// A reset, then a 40-bit shift of TAP 0: over a hundred events.
const QByteArray Shift = "RST;\r\nLD CNT,40d;\r\nSTATE DRSHIFT;\r\nNSHF 0h;\r\nHALT;\r\n";

QColor At(const QImage& picture, int x, int y) {
    const qreal ratio = picture.devicePixelRatio();
    return picture.pixelColor(qRound(x * ratio), qRound(y * ratio));
}

bool SameColumn(const QImage& a, const QImage& b, int x) {
    for (int y = 0; y < a.height(); ++y) {
        if (a.pixel(x, y) != b.pixel(x, y)) {
            return false;
        }
    }
    return true;
}

void EventSteps(WindowFixture& f, int steps) {
    for (int i = 0; i < steps; ++i) {
        f.Window().Runs().EventByEvent();
    }
}

} // namespace

// The waveform window through the main window: traces where the events put
// them, the marker moved without redrawing, resets and closing.
class WaveformsTest : public QObject {
    Q_OBJECT
private slots:
    void eventStepsDrawEachTapInItsOwnPicture();
    void markerMovesByPuttingBackTheColumnsItCovered();
    void resetStartsAgainAtTheFirstEvent();
    void closedViewsDrawNothingEvenDuringARun();
    void exportItemWaitsForItsHook();
};

void WaveformsTest::eventStepsDrawEachTapInItsOwnPicture() {
    WindowFixture f;
    f.OpenProgram(Shift);
    f.Window().Buttons().Waveforms->trigger();
    WaveformWindow& w = f.Window().Waveforms();
    QVERIFY(w.isVisible());
    EventSteps(f, 6);
    f.Eng().State().Playback.RxValidLatch = true;
    w.Refresh();
    QVERIFY2(f.Eng().State().Playback.RxValidLatch, "drawing leaves the playback alone");

    const EventStore& store = f.Eng().Events();
    QVERIFY(store.EventCount() > 6);
    std::uint32_t high = 1;
    while (store.ReadEvent(high).Level(PackedEvent::TCK) != 1) {
        ++high;
    }
    const int x = ColumnLeft(static_cast<int>(high)) + 7;
    const QColor tck = ToQColor(high < store.PlayedCount() ? TckColor : TckColorAhead);
    QCOMPARE(At(w.TapPicture(0), x, Waveform::TckBase), tck);
    QCOMPARE(At(w.TapPicture(0), x, Waveform::TckBase + Waveform::TapSwing),
             ToQColor(WaveBackColor));
    // TAP 1 has no events: its traces lie flat at level 0.
    QCOMPARE(At(w.TapPicture(1), x, Waveform::TckBase), ToQColor(WaveBackColor));
    QCOMPARE(At(w.TapPicture(1), x, Waveform::TckBase + Waveform::TapSwing), tck);
    // Events past the last one stay empty.
    const int beyond = ColumnLeft(static_cast<int>(store.EventCount())) + 7;
    if (beyond < Waveform::PictureWidth) {
        QCOMPARE(At(w.TapPicture(0), beyond, Waveform::TckBase + Waveform::TapSwing),
                 ToQColor(WaveBackColor));
    }

    // A statement's dot is drawn with hard edges: lime or background only,
    // a good part of it lime.
    EventSteps(f, 12);
    w.Refresh();
    std::uint32_t statement = 1;
    while (statement < store.EventCount() && store.ReadEvent(statement).Description == 0) {
        ++statement;
    }
    QVERIFY(statement < store.EventCount());
    const QImage& picture = w.TapPicture(0);
    const qreal ratio = picture.devicePixelRatio();
    const QRect box(qRound(ColumnLeft(static_cast<int>(statement)) * ratio),
                    qRound(Waveform::DotTop * ratio), qRound(Waveform::DotSize * ratio),
                    qRound(Waveform::DotSize * ratio));
    int lime = 0;
    for (int py = box.top(); py <= box.bottom(); ++py) {
        for (int px = box.left(); px <= box.right(); ++px) {
            const QColor colour = picture.pixelColor(px, py);
            QVERIFY2(colour == QColor(0, 255, 0) || colour == ToQColor(WaveBackColor),
                     qPrintable(colour.name()));
            lime += colour == QColor(0, 255, 0) ? 1 : 0;
        }
    }
    QVERIFY2(lime * 4 >= box.width() * box.height(), qPrintable(QString::number(lime)));
}

void WaveformsTest::markerMovesByPuttingBackTheColumnsItCovered() {
    WindowFixture f;
    f.OpenProgram(Shift);
    f.Window().Items().Waveforms->trigger();
    WaveformWindow& w = f.Window().Waveforms();
    w.SetShowSync(true);
    EventSteps(f, 30);
    const std::array<QImage, 3> drawn{w.TapPicture(0).copy(), w.TapPicture(1).copy(),
                                      w.SyncPicture().copy()};
    auto* strip = w.findChild<QWidget*>(QStringLiteral("Image2"));
    QVERIFY(strip != nullptr);

    QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(100, 5));
    QCOMPARE(w.MarkerX(), 100);
    QCOMPARE(At(w.TapPicture(1), 100, 3), ToQColor(MarkerColor));
    w.DragMarker(221);
    w.DragMarker(600); // outside the strip: the line stays where it was
    w.ReleaseMarker();
    QCOMPARE(w.MarkerX(), 221);
    const std::array<const QImage*, 3> now{&w.TapPicture(0), &w.TapPicture(1), &w.SyncPicture()};
    for (std::size_t i = 0; i < now.size(); ++i) {
        QVERIFY(SameColumn(*now[i], drawn[i], 100));
        QCOMPARE(At(*now[i], 221, 40), ToQColor(MarkerColor));
    }
    // A redraw takes the line away; a later press puts nothing old back.
    w.Refresh();
    QCOMPARE(w.MarkerX(), -1);
    QVERIFY(w.TapPicture(0) == drawn[0]);
}

void WaveformsTest::resetStartsAgainAtTheFirstEvent() {
    WindowFixture f;
    f.OpenProgram(Shift);
    f.Window().Items().Waveforms->trigger();
    WaveformWindow& w = f.Window().Waveforms();
    EventSteps(f, 60);
    QVERIFY(w.ScrollBar().maximum() > 20);
    w.ScrollBar().setValue(20);
    QCOMPARE(w.FirstEvent(), 20U);
    // Kept on top, the window stays open where it was.
    w.Items().StayOnTop->trigger();
    QVERIFY(w.isVisible() && w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(w.FirstEvent(), 20U);
    f.Window().Runs().Reset();
    QCOMPARE(w.FirstEvent(), 0U);
    // Nothing played since the reset: the window shows the empty store at
    // once, and so does a refresh.
    for (int refresh = 0; refresh < 2; ++refresh) {
        QCOMPARE(w.ScrollBar().value(), 0);
        QCOMPARE(w.ScrollBar().maximum(), 0);
        QCOMPARE(At(w.TapPicture(0), 20, Waveform::TckBase + Waveform::TapSwing),
                 ToQColor(WaveBackColor));
        w.Refresh();
    }
}

void WaveformsTest::closedViewsDrawNothingEvenDuringARun() {
    WindowFixture f;
    f.OpenProgram(Shift);
    f.Window().Items().Waveforms->trigger();
    f.Window().Items().StateDiagram->trigger();
    WaveformWindow& w = f.Window().Waveforms();
    StateDiagramWindow& states = f.Window().StateDiagrams();
    EventSteps(f, 3);
    const QImage traces = w.TapPicture(0).copy();
    const std::uint8_t shown = states.ShownState(0);
    // Closed while Execute runs: the next ticks draw into neither window.
    f.Window().Runs().Execute();
    w.close();
    states.close();
    for (int i = 0; i < 3; ++i) {
        f.Window().Runs().ExecuteTick();
    }
    f.Window().Runs().Pause();
    EventSteps(f, 3);
    QVERIFY(f.Eng().Taps().State(0) != shown);
    QCOMPARE(states.ShownState(0), shown);
    QVERIFY(w.TapPicture(0) == traces);
    f.Window().Items().Waveforms->trigger();
    QVERIFY(w.TapPicture(0) != traces);
}

void WaveformsTest::exportItemWaitsForItsHook() {
    WindowFixture f;
    QVERIFY(f.Window().Waveforms().ExportVcdItem().isEnabled()); // the main window's export
    WaveformWindow w(f.Eng().State(), f.Eng().Views(), nullptr);
    QVERIFY(!w.ExportVcdItem().isEnabled());
    int exports = 0;
    w.SetVcdExport([&exports] { ++exports; });
    QVERIFY(w.ExportVcdItem().isEnabled());
    w.ExportVcdItem().trigger();
    QCOMPARE(exports, 1);
}

QTEST_MAIN(WaveformsTest)
#include "tst_waveforms.moc"
