#include "ui/dialogs/help_window.h"

#include "ui/appearance/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace scanbench {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), Pages(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Scanbench manual"));
    Pages->setObjectName(QStringLiteral("ManualPages"));
    Pages->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Pages);
    // About 90 characters by 40 lines, never larger than the screen's free area.
    const QFontMetrics metrics(Pages->font());
    QSize size(metrics.horizontalAdvance(QLatin1Char('x')) * 90, metrics.lineSpacing() * 40);
    if (const QScreen* screen =
            parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        size = size.boundedTo(room);
    }
    resize(size);
    CentreWhenFirstShown(*this);
}

void HelpWindow::ShowManual(const QString& path) {
    Pages->setSource(QUrl::fromLocalFile(path));
    Pages->moveCursor(QTextCursor::Start);
    show();
    raise();
    activateWindow();
}

} // namespace scanbench
