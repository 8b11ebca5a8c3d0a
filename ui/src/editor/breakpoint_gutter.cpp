#include "ui/editor/breakpoint_gutter.h"

#include "ui/editor/program_editor.h"
#include "ui/main_window/main_layout.h"
#include "ui/views/picture_view.h"

#include <QCheckBox>
#include <QPainter>

namespace scanbench {

namespace {

// How far the ring round a hit breakpoint's box reaches beyond the box.
constexpr int HitMargin = 3;

// A red ring that marks the box of the breakpoint a run stopped at; clicks
// go through it to the box.
class HitRing : public QWidget {
public:
    explicit HitRing(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("BreakpointHit"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setToolTip(QStringLiteral("The run stopped at this breakpoint"));
        resize(Gutter::BoxSize + 2 * HitMargin, Gutter::BoxSize + 2 * HitMargin);
        hide();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        (void)event;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(220, 0, 0), 2.0));
        painter.setBrush(QColor(255, 0, 0, 70));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
};

} // namespace

BreakpointGutter::BreakpointGutter(QWidget& client, const ProgramEditor& editor)
    : QObject(&client), Editor(editor), Client(client), Picture(new PictureView(&client)),
      HitMark(new HitRing(&client)) {
    Picture->setObjectName(QStringLiteral("ImgSeta"));
    Picture->setGeometry(Layout::GutterMarkers);
    for (int k = 1; k <= Gutter::BoxCount; ++k) {
        auto* box = new QCheckBox(&client);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(k));
        box->setGeometry(Gutter::BoxLeft, Layout::GutterMarkers.top() + Gutter::RowHeight * (k - 1),
                         Gutter::BoxSize, Gutter::BoxSize);
        box->setFocusPolicy(Qt::NoFocus);
        box->setEnabled(false);
        connect(box, &QCheckBox::toggled, this, [this] {
            if (Sync) {
                emit BoxesChanged();
            }
        });
        Boxes[static_cast<std::size_t>(k - 1)] = box;
    }
    HitMark->lower(); // under the boxes, over the window's face
    connect(&editor, &ProgramEditor::RowsMoved, this, &BreakpointGutter::FollowRows);
    ClearMarkers();
    FollowRows();
}

void BreakpointGutter::ShowStates(const GutterBoxStates& states) {
    Sync = false;
    for (std::size_t i = 0; i < Boxes.size(); ++i) {
        Boxes[i]->setChecked(states[i]);
    }
    Sync = true;
}

GutterBoxStates BreakpointGutter::States() const {
    GutterBoxStates states{};
    for (std::size_t i = 0; i < Boxes.size(); ++i) {
        states[i] = Boxes[i]->isChecked();
    }
    return states;
}

void BreakpointGutter::SetBoxesEnabled(bool enabled) {
    for (QCheckBox* box : Boxes) {
        box->setEnabled(enabled);
    }
}

QCheckBox* BreakpointGutter::Box(int number) const {
    return Boxes.at(static_cast<std::size_t>(number - 1));
}

void BreakpointGutter::ClearMarkers() {
    ArrowLine.reset();
    DrawPicture(std::nullopt);
}

void BreakpointGutter::ShowArrow(std::int32_t row, const QPixmap& arrow) {
    Arrow = arrow;
    ArrowLine = Editor.FirstVisibleLine() + row;
    const std::vector<RowSpan> rows = Editor.VisibleRows(Client, Gutter::BoxCount);
    DrawPicture(ArrowTop(rows, WholeRows(rows)));
}

std::optional<std::int32_t> BreakpointGutter::ArrowRow() const {
    if (!ArrowLine || !DrawnArrowTop) {
        return std::nullopt;
    }
    return *ArrowLine - Editor.FirstVisibleLine();
}

void BreakpointGutter::MarkHit(std::optional<std::int32_t> line) {
    HitLine = line;
    FollowRows();
}

std::optional<int> BreakpointGutter::HitBox() const {
    if (!HitLine || HitMark->isHidden()) {
        return std::nullopt;
    }
    return *HitLine - Editor.FirstVisibleLine() + 1;
}

int BreakpointGutter::WholeRows(const std::vector<RowSpan>& rows) const {
    const QWidget& view = *Editor.viewport();
    return WholeRowsAbove(rows, view.mapTo(&Client, QPoint(0, view.height())).y());
}

std::optional<int> BreakpointGutter::ArrowTop(const std::vector<RowSpan>& rows,
                                              int wholeRows) const {
    if (!ArrowLine) {
        return std::nullopt;
    }
    const std::int32_t row = *ArrowLine - Editor.FirstVisibleLine();
    if (row < 0 || row >= wholeRows) {
        return std::nullopt;
    }
    return ArrowTopForRow(rows[static_cast<std::size_t>(row)], Arrow.height(),
                          Layout::GutterMarkers.top(), Layout::GutterMarkers.height());
}

void BreakpointGutter::FollowRows() {
    const std::vector<RowSpan> rows = Editor.VisibleRows(Client, Gutter::BoxCount);
    const int wholeRows = WholeRows(rows);
    for (std::size_t k = 0; k < Boxes.size(); ++k) {
        QCheckBox* box = Boxes[k];
        const int top = BoxTopForRow(rows[k], Gutter::BoxSize);
        if (box->y() != top) {
            box->move(Gutter::BoxLeft, top);
        }
        const bool onScreen = static_cast<int>(k) < wholeRows;
        if (box->isVisibleTo(&Client) != onScreen) {
            box->setVisible(onScreen);
        }
    }
    if (const std::optional<int> top = ArrowTop(rows, wholeRows); top != DrawnArrowTop) {
        DrawPicture(top);
    }
    const std::int32_t hitRow = HitLine ? *HitLine - Editor.FirstVisibleLine() : -1;
    if (hitRow >= 0 && hitRow < wholeRows) {
        const QCheckBox& box = *Boxes[static_cast<std::size_t>(hitRow)];
        HitMark->move(box.x() - HitMargin, box.y() - HitMargin);
        HitMark->show();
    } else {
        HitMark->hide();
    }
}

void BreakpointGutter::DrawPicture(std::optional<int> arrowTop) {
    QPixmap picture(Layout::GutterMarkers.size());
    picture.fill(Picture->palette().color(QPalette::Window));
    if (arrowTop) {
        QPainter painter(&picture);
        painter.drawPixmap(0, *arrowTop, Arrow);
    }
    Picture->SetPicture(picture);
    DrawnArrowTop = arrowTop;
}

} // namespace scanbench
