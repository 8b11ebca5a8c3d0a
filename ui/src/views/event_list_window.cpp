#include "ui/views/event_list_window.h"

#include "engine/events/event_export.h"
#include "engine/run/engine.h"
#include "ui/appearance/courier_font.h"
#include "ui/appearance/window_placement.h"
#include "ui/main_window/user_interaction.h"
#include "window_logic/views/event_list_rows.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTime>

#include <algorithm>
#include <utility>

namespace scanbench {

namespace {

constexpr QSize Client(699, 270);
constexpr QRect HeaderArea(1, 1, 698, 23);
constexpr QRect RowsArea(1, 25, 679, 212);
constexpr QRect ScrollBarArea(682, 25, 15, 212);
constexpr QRect RefreshArea(3, 240, 340, 28);
constexpr QRect SaveArea(356, 240, 340, 28);
// The rows' text starts this far into its panel, and so does the header's,
// so that the columns line up.
constexpr int TextLeft = 4;
constexpr int RowPitch = 15;
constexpr int LargeStepRows = 100;
const QColor RowText(0, 0, 255);

// "Courier New", or the system's monospace font, at the largest size up to
// 13 pixels whose header fits the window and whose rows fit their pitch.
QFont RowFont() {
    const QString header = QString::fromLatin1(EventList::Header);
    int size = 13;
    for (; size > 10; --size) {
        const QFontMetrics metrics(CourierFont(size));
        if (metrics.height() <= RowPitch + 1 &&
            metrics.horizontalAdvance(header) <= HeaderArea.width() - 2 * TextLeft) {
            break;
        }
    }
    return CourierFont(size);
}

} // namespace

// The 14 rows, drawn at a fixed pitch in blue on the text-box colour. They
// take no input: the scroll bar moves them.
class EventRows final : public QFrame {
public:
    explicit EventRows(QWidget* parent) : QFrame(parent) {
        setObjectName(QStringLiteral("Memo1"));
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
        setFocusPolicy(Qt::NoFocus);
        Rows << QStringLiteral("No Events");
    }

    void SetRows(QStringList rows) {
        Rows = std::move(rows);
        update();
    }
    [[nodiscard]] const QStringList& Shown() const { return Rows; }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter p(this);
        p.setFont(font());
        p.setPen(RowText);
        p.setClipRect(contentsRect());
        const QFontMetrics metrics(font());
        const int baseline = (RowPitch - metrics.height()) / 2 + metrics.ascent();
        for (int row = 0; row < Rows.size(); ++row) {
            p.drawText(QPoint(TextLeft, lineWidth() + row * RowPitch + baseline), Rows[row]);
        }
    }

private:
    QStringList Rows;
};

EventListWindow::EventListWindow(Engine& engine, UserInteraction& user, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Eng(engine), User(user), Feed(engine.Views().Subscribe(*this)) {
    setObjectName(QStringLiteral("EventList"));
    setWindowTitle(QStringLiteral("Event List"));
    setFixedSize(Client);
    Build();
}

EventListWindow::~EventListWindow() = default;

void EventListWindow::Build() {
    const QFont rowFont = RowFont();

    auto* headerPanel = new QFrame(this);
    headerPanel->setObjectName(QStringLiteral("Panel2"));
    headerPanel->setGeometry(HeaderArea);
    headerPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    HeaderLabel = new QLabel(QString::fromLatin1(EventList::Header), headerPanel);
    HeaderLabel->setObjectName(QStringLiteral("Label2"));
    HeaderLabel->setFont(rowFont);
    HeaderLabel->setGeometry(TextLeft, 0, HeaderArea.width() - TextLeft, HeaderArea.height());

    RowView = new EventRows(this);
    RowView->setGeometry(RowsArea);
    RowView->setFont(rowFont);

    RowScroll = new QScrollBar(Qt::Vertical, this);
    RowScroll->setObjectName(QStringLiteral("ScrollBar1"));
    RowScroll->setGeometry(ScrollBarArea);
    RowScroll->setRange(0, 0);
    RowScroll->setSingleStep(1);
    // The thumb shows the 14 rows in view; a click beside it moves 100 rows.
    RowScroll->setPageStep(static_cast<int>(EventList::VisibleRows));
    connect(RowScroll, &QScrollBar::actionTriggered, this, &EventListWindow::LargeStep);
    connect(RowScroll, &QScrollBar::valueChanged, this, &EventListWindow::Scrolled);

    RefreshPushButton = new QPushButton(QStringLiteral("Refresh"), this);
    RefreshPushButton->setObjectName(QStringLiteral("Button1"));
    RefreshPushButton->setGeometry(RefreshArea);
    connect(RefreshPushButton, &QPushButton::clicked, this, &EventListWindow::Refresh);
    SavePushButton = new QPushButton(QStringLiteral("Save Information to file"), this);
    SavePushButton->setObjectName(QStringLiteral("Button2"));
    SavePushButton->setGeometry(SaveArea);
    connect(SavePushButton, &QPushButton::clicked, this, &EventListWindow::SaveToFile);

    CloseWindow = new QAction(QStringLiteral("Close Window"), this);
    CloseWindow->setObjectName(QStringLiteral("CloseWindow1"));
    connect(CloseWindow, &QAction::triggered, this, &QWidget::close);
    StayOnTop = new QAction(QStringLiteral("Stay on Top"), this);
    StayOnTop->setObjectName(QStringLiteral("StayonTop1"));
    StayOnTop->setCheckable(true);
    connect(StayOnTop, &QAction::toggled, this, &EventListWindow::SetStayOnTop);
}

void EventListWindow::Refresh() {
    const std::uint32_t count = std::as_const(Eng).State().Events.EventCount();
    // Lowering the maximum below the position moves the position down and
    // shows the rows from there.
    RowScroll->setMaximum(EventListScrollMaximum(count));
    RefreshList();
}

void EventListWindow::RefreshList() {
    const EventStore& store = std::as_const(Eng).State().Events;
    QStringList rows;
    for (const std::string& row : EventListRows(store, First)) {
        rows << QString::fromStdString(row);
    }
    RowView->SetRows(std::move(rows));
    SavePushButton->setEnabled(store.EventCount() > 0);
}

void EventListWindow::Scrolled(int position) {
    First = static_cast<std::uint32_t>(std::max(position, 0));
    RefreshList();
}

void EventListWindow::LargeStep(int action) {
    const int position = RowScroll->value();
    if (action == QAbstractSlider::SliderPageStepAdd) {
        RowScroll->setSliderPosition(position > RowScroll->maximum() - LargeStepRows
                                         ? RowScroll->maximum()
                                         : position + LargeStepRows);
    } else if (action == QAbstractSlider::SliderPageStepSub) {
        RowScroll->setSliderPosition(std::max(position - LargeStepRows, 0));
    }
}

void EventListWindow::SaveToFile() {
    const QString path = AskFileName(this, {QStringLiteral("Save events to text file"),
                                            QStringLiteral("*.txt"), QStringLiteral("txt")});
    if (path.isEmpty()) {
        return;
    }
    const QLocale locale = QLocale::system();
    const std::string date =
        locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    const std::string time =
        locale.toString(QTime::currentTime(), QLocale::LongFormat).toStdString();
    const EventStore& store = std::as_const(Eng).State().Events;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error =
        WriteExportFile(path, [&](std::ostream& out) { WriteEventExport(out, store, date, time); });
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        User.ShowError(this, error);
    }
}

void EventListWindow::RefreshView(ViewChanges changes) {
    // A reset empties the store; otherwise the rows wait for the user.
    if (changes.Has(ViewChange::StoreCleared) && isVisible()) {
        RefreshList();
    }
}

QStringList EventListWindow::Rows() const {
    return RowView->Shown();
}

void EventListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (ChangingFlags) {
        return; // shown again only because Stay on Top changed
    }
    if (!Centred) {
        Centred = true;
        CentreOnScreen(*this);
    }
    Refresh();
}

void EventListWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(CloseWindow);
    menu.addAction(StayOnTop);
    menu.exec(event->globalPos());
}

void EventListWindow::wheelEvent(QWheelEvent* event) {
    QApplication::sendEvent(RowScroll, event);
}

void EventListWindow::SetStayOnTop(bool on) {
    const bool shown = isVisible();
    ChangingFlags = true;
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown) {
        show();
    }
    ChangingFlags = false;
}

} // namespace scanbench
