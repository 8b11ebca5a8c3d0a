#include "ui/views/waveform_window.h"

#include "engine/run/engine_state.h"
#include "ui/artwork/waveform_pictures.h"
#include "ui/views/image_view.h"
#include "window_logic/views/waveform_geometry.h"
#include "window_logic/views/waveform_traces.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <limits>

namespace scanbench {

namespace {

constexpr int ClientWidth = Waveform::PictureLeft + Waveform::PictureWidth + 8;
constexpr int BottomMargin = 13;
constexpr std::array<int, 2> TapPictureTops{7, 195};
constexpr int SyncPictureTop = 383;
constexpr int CaptionLeft = 5;
constexpr int CaptionWidth = Waveform::PictureLeft - CaptionLeft - 1;

const QColor FormGrey(128, 128, 128);
const QColor CaptionYellow(255, 255, 0);
const QColor CaptionAqua(0, 255, 255);
const QColor CaptionLime(0, 255, 0);
const QColor CaptionPurple(128, 0, 128);
const QColor CaptionBlue(0, 0, 255);

QLabel* Caption(QWidget& parent, const QString& text, const QColor& colour, int pixelSize,
                int centreY) {
    auto* label = new QLabel(text, &parent);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    const int height = pixelSize + 4;
    label->setGeometry(CaptionLeft, centreY - height / 2, CaptionWidth, height);
    return label;
}

int ScrollInt(std::uint32_t value) {
    return static_cast<int>(std::min<std::uint32_t>(value, std::numeric_limits<int>::max()));
}

} // namespace

WaveformWindow::WaveformWindow(const EngineState& state, ViewFeed& views, QWidget* parent)
    : ViewWindow(views, parent, Qt::WindowCloseButtonHint, "StayonTop1"), State(state) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Waveforms"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, FormGrey);
    setPalette(palette);
    setAutoFillBackground(true);

    const QSize tapSize(Waveform::PictureWidth, Waveform::TapPictureHeight);
    TapPictures[0] = new ImageView(this, "Image1", tapSize);
    TapPictures[1] = new ImageView(this, "Image3", tapSize);
    for (std::size_t tap = 0; tap < 2; ++tap) {
        TapPictures[tap]->move(Waveform::PictureLeft, TapPictureTops[tap]);
    }
    SyncPicture_ =
        new ImageView(this, "Image4", QSize(Waveform::PictureWidth, Waveform::SyncPictureHeight));
    SyncPicture_->move(Waveform::PictureLeft, SyncPictureTop);
    MarkerStrip =
        new ImageView(this, "Image2", QSize(Waveform::PictureWidth, Waveform::MarkerStripHeight));
    MarkerStrip->setCursor(Qt::SizeHorCursor);
    MarkerStrip->setToolTip(QStringLiteral("Drag to move the marker line"));
    connect(MarkerStrip, &ImageView::Pressed, this, &WaveformWindow::PressMarker);
    connect(MarkerStrip, &ImageView::Dragged, this, &WaveformWindow::DragMarker);
    connect(MarkerStrip, &ImageView::Released, this, &WaveformWindow::ReleaseMarker);
    Marker = std::make_unique<TraceMarker>(
        std::array<ImageView*, 3>{TapPictures[0], TapPictures[1], SyncPicture_});

    Scroll = new QScrollBar(Qt::Horizontal, this);
    Scroll->setObjectName(QStringLiteral("ScrollBar1"));
    Scroll->resize(Waveform::PictureWidth, 16);
    Scroll->setRange(0, 0);
    Scroll->setSingleStep(1);
    Scroll->setPageStep(Waveform::ScrollPageStep);
    connect(Scroll, &QScrollBar::valueChanged, this, [this](int position) {
        if (!ScrollByProgram) {
            ScrollTo(position);
        }
    });

    SyncBox = new QCheckBox(QStringLiteral("Show Sync Channels"), this);
    SyncBox->setObjectName(QStringLiteral("CheckBox1"));
    SyncBox->adjustSize();
    connect(SyncBox, &QCheckBox::toggled, this, &WaveformWindow::SetShowSync);

    RefreshButton = new QPushButton(QStringLiteral("Refresh Waveforms"), this);
    RefreshButton->setObjectName(QStringLiteral("Button1"));
    RefreshButton->resize(146, 24);
    connect(RefreshButton, &QPushButton::clicked, this, &WaveformWindow::Refresh);

    BuildCaptions();
    ExportVcd = new QAction(QStringLiteral("Export VCD..."), this);
    ExportVcd->setObjectName(QStringLiteral("ExportVcd1"));
    ExportVcd->setEnabled(false);
    connect(ExportVcd, &QAction::triggered, this, [this] {
        if (VcdHook) {
            VcdHook();
        }
    });
    insertAction(Items().CloseWindow, ExportVcd);

    ApplyLayout();
    StartPictures();
}

WaveformWindow::~WaveformWindow() = default;

void WaveformWindow::BuildCaptions() {
    for (std::size_t tap = 0; tap < 2; ++tap) {
        const int top = TapPictureTops[tap];
        Caption(*this, QStringLiteral("TAP"), CaptionYellow, 13, top + 16);
        Caption(*this, QString::number(tap), CaptionYellow, 13, top + 32);
        Caption(*this, QStringLiteral("TCK"), CaptionAqua, 11, top + Waveform::TckBase + 9);
        Caption(*this, QStringLiteral("TMS"), CaptionAqua, 11, top + Waveform::TmsBase + 9);
        Caption(*this, QStringLiteral("RX"), CaptionLime, 11, top + Waveform::RxBase + 9);
        Caption(*this, QStringLiteral("TX"), CaptionAqua, 11, top + Waveform::TxBase + 9);
    }
    const std::array<std::pair<const char*, QColor>, 4> sync{{{"SOA", CaptionPurple},
                                                              {"SIA", CaptionPurple},
                                                              {"SOB", CaptionBlue},
                                                              {"SIB", CaptionBlue}}};
    for (std::size_t row = 0; row < sync.size(); ++row) {
        SyncCaptions[row] = Caption(*this, QString::fromLatin1(sync[row].first), sync[row].second,
                                    10, SyncPictureTop + Waveform::SyncBases[row] + 6);
    }
}

void WaveformWindow::ApplyLayout() {
    const WaveformLayout layout = LayoutFor(SyncShown);
    MarkerStrip->move(Waveform::PictureLeft, layout.MarkerStripTop);
    Scroll->move(Waveform::PictureLeft - 1, layout.ScrollBarTop);
    SyncBox->move(32, layout.CheckBoxTop);
    RefreshButton->move(200, layout.ButtonTop);
    SyncPicture_->setVisible(SyncShown);
    for (QLabel* caption : SyncCaptions) {
        caption->setVisible(SyncShown);
    }
    setFixedSize(ClientWidth, layout.Bottom + BottomMargin);
}

void WaveformWindow::StartPictures() {
    const qreal ratio = devicePixelRatioF();
    for (ImageView* picture : {TapPictures[0], TapPictures[1], SyncPicture_}) {
        picture->Reset(ratio, WaveBackground());
    }
    MarkerStrip->Reset(ratio, MarkerStripColour);
    Marker->Drop();
    Drawn.reset();
}

const QImage& WaveformWindow::TapPicture(std::uint8_t tap) const {
    return TapPictures[tap & 1]->Image();
}

const QImage& WaveformWindow::SyncPicture() const {
    return SyncPicture_->Image();
}

void WaveformWindow::SetScroll(int position, int maximum) {
    ScrollByProgram = true;
    Scroll->setRange(0, maximum);
    Scroll->setValue(position);
    ScrollByProgram = false;
}

void WaveformWindow::Refresh() {
    Scroll->setFocus();
    if (!State.Playback.WavesValid) {
        ClearTraces();
        return;
    }
    const std::uint32_t count = State.Events.EventCount();
    const auto position = static_cast<std::uint32_t>(Scroll->value());
    const std::uint32_t kept = PositionAfterRefresh(position, count);
    if (kept != position) {
        First = 0;
    }
    SetScroll(ScrollInt(kept), ScrollInt(ScrollMaximum(count)));
    if (count > 0) {
        DrawAll();
    }
}

void WaveformWindow::ScrollTo(int position) {
    if (!State.Playback.WavesValid) {
        ClearTraces();
        return;
    }
    First = static_cast<std::uint32_t>(std::max(position, 0));
    if (State.Events.EventCount() > 0) {
        DrawAll();
    }
}

void WaveformWindow::DrawAll() {
    Marker->Remove();
    WaveformTraces traces = BuildWaveformTraces(State.Events, First, State.Switches.ShowZ);
    if (Drawn == traces) {
        return; // a run went on beyond the columns shown: nothing to paint again
    }
    for (std::size_t tap = 0; tap < 2; ++tap) {
        PaintTapTraces(TapPictures[tap]->Image(), traces.Taps[tap]);
        TapPictures[tap]->Changed();
    }
    PaintSyncTraces(SyncPicture_->Image(), traces.Sync);
    SyncPicture_->Changed();
    Drawn = std::move(traces);
}

// Nothing has been played since the last reset: empty traces from the start.
void WaveformWindow::ClearTraces() {
    Marker->Remove();
    SetScroll(0, 0);
    First = 0;
    for (ImageView* picture : {TapPictures[0], TapPictures[1], SyncPicture_}) {
        picture->Image().fill(WaveBackground());
        picture->Changed();
    }
    Drawn.reset();
}

void WaveformWindow::SetShowSync(bool show) {
    SyncShown = show;
    if (SyncBox->isChecked() != show) {
        SyncBox->setChecked(show);
    }
    ApplyLayout();
}

void WaveformWindow::PressMarker(int x) {
    MarkerDown = true;
    if (MarkerFits(x)) {
        Marker->MoveTo(x);
    }
}

void WaveformWindow::DragMarker(int x) {
    if (MarkerDown && MarkerFits(x)) {
        Marker->MoveTo(x);
    }
}

void WaveformWindow::ReleaseMarker() {
    MarkerDown = false;
}

void WaveformWindow::SetVcdExport(std::function<void()> exportVcd) {
    VcdHook = std::move(exportVcd);
    ExportVcd->setEnabled(static_cast<bool>(VcdHook));
}

void WaveformWindow::RefreshView(ViewChanges changes) {
    if (changes.Has(ViewChange::StoreCleared)) {
        // The run starts again at event 0 with nothing played: the window
        // shows the empty store.
        ClearTraces();
    }
    if (changes.Has(ViewChange::Waveforms)) {
        Refresh();
    }
}

// Opened: from the first event, with the traces drawn at once.
void WaveformWindow::Opened() {
    SetScroll(0, Scroll->maximum());
    First = 0;
    StartPictures();
    ApplyLayout();
    SyncBox->setChecked(SyncShown);
    Refresh();
}

void WaveformWindow::DensityChanged() {
    StartPictures();
    if (State.Playback.WavesValid && State.Events.EventCount() > 0) {
        DrawAll();
    }
}

} // namespace scanbench
