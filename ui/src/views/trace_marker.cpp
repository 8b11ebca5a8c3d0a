#include "ui/views/trace_marker.h"

#include "ui/artwork/waveform_pictures.h"
#include "ui/views/image_view.h"

#include <QPainter>

namespace scanbench {

void TraceMarker::MoveTo(int x) {
    Remove();
    for (std::size_t i = 0; i < Pictures.size(); ++i) {
        QImage& image = Pictures[i]->Image();
        Saved[i] = SaveColumn(image, x);
        QPainter painter(&image);
        const qreal height = image.height() / image.devicePixelRatio();
        painter.fillRect(QRectF(x, 0, 1, height), MarkerLineColour());
        painter.end();
        Pictures[i]->Changed();
    }
    X = x;
}

void TraceMarker::Remove() {
    if (X < 0) {
        return;
    }
    for (std::size_t i = 0; i < Pictures.size(); ++i) {
        RestoreColumn(Pictures[i]->Image(), X, Saved[i]);
        Pictures[i]->Changed();
    }
    X = -1;
}

} // namespace scanbench
