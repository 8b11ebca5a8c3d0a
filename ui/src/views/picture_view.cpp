#include "ui/views/picture_view.h"

#include <QPainter>

namespace scanbench {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::SetPicture(const QPixmap& picture) {
    Shown = picture;
    update();
}

void PictureView::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawPixmap(0, 0, Shown);
}

} // namespace scanbench
