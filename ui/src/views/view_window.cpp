#include "ui/views/view_window.h"

#include "ui/appearance/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace scanbench {

ViewWindow::ViewWindow(ViewFeed& views, QWidget* parent, Qt::WindowFlags buttons,
                       const char* stayOnTopName)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | buttons),
      Views(views) {
    // The program ends with the main window, whatever else is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    Popup.CloseWindow = new QAction(QStringLiteral("Close Window"), this);
    Popup.CloseWindow->setObjectName(QStringLiteral("CloseWindow1"));
    connect(Popup.CloseWindow, &QAction::triggered, this, &QWidget::close);
    Popup.StayOnTop = new QAction(QStringLiteral("Stay on Top"), this);
    Popup.StayOnTop->setObjectName(QString::fromLatin1(stayOnTopName));
    Popup.StayOnTop->setCheckable(true);
    connect(Popup.StayOnTop, &QAction::toggled, this, [this](bool onTop) { StayOnTop(onTop); });
    addAction(Popup.CloseWindow);
    addAction(Popup.StayOnTop);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ViewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous() || Reflagging) {
        return; // back from the task bar: nothing was missed
    }
    if (!Centred) {
        Centred = true;
        CentreOnScreen(*this);
    }
    if (!WatchingScreen && windowHandle() != nullptr) {
        WatchingScreen = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] {
            if (isVisible()) {
                DensityChanged();
            }
        });
    }
    Following = Views.Subscribe(*this);
    Opened();
}

void ViewWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous() && !Reflagging) {
        Following.Reset();
    }
}

void ViewWindow::StayOnTop(bool onTop) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    // Changing the flags hides the window; put it back where it was.
    Reflagging = true;
    const bool shown = isVisible();
    const QPoint where = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) {
        move(where);
        show();
    }
    Reflagging = false;
}

} // namespace scanbench
