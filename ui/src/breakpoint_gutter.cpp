#include "ui/breakpoint_gutter.h"

#include "ui/main_layout.h"
#include "ui/picture_view.h"

#include <QCheckBox>
#include <QPainter>

namespace scanbench {

BreakpointGutter::BreakpointGutter(QWidget& client)
    : QObject(&client), Picture(new PictureView(&client)) {
    Picture->setObjectName(QStringLiteral("ImgSeta"));
    Picture->setGeometry(Layout::ImgSeta);
    for (int k = 1; k <= Gutter::BoxCount; ++k) {
        auto* box = new QCheckBox(&client);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(k));
        box->setGeometry(Gutter::BoxLeft, Gutter::BoxTops[static_cast<std::size_t>(k - 1)],
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
    ClearMarkers();
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
    QPixmap blank(Layout::ImgSeta.size());
    blank.fill(Picture->palette().color(QPalette::Window));
    Picture->SetPicture(blank);
    Row.reset();
}

void BreakpointGutter::ShowArrow(std::int32_t row, const QPixmap& arrow) {
    QPixmap picture(Layout::ImgSeta.size());
    picture.fill(Picture->palette().color(QPalette::Window));
    if (const std::optional<int> top = ArrowTop(row)) {
        QPainter painter(&picture);
        painter.drawPixmap(0, *top, arrow);
    }
    Picture->SetPicture(picture);
    Row = row;
}

} // namespace scanbench
