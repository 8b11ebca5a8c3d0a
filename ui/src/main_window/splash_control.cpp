#include "ui/main_window/splash_control.h"

#include "ui/main_window/splash_screen.h"

#include <QEvent>

namespace scanbench {

SplashControl::SplashControl(QWidget& window, bool shown) : Window(window) {
    if (shown) {
        SplashWindow = std::make_unique<SplashScreen>();
        Showing = true;
        connect(SplashWindow.get(), &SplashScreen::TimeUp, this, [this] { Showing = false; });
        Window.installEventFilter(this);
    }
}

SplashControl::~SplashControl() = default;

bool SplashControl::eventFilter(QObject* watched, QEvent* event) {
    // Shown when the window first shows too: without a window manager the
    // window is never activated.
    const QEvent::Type type = event->type();
    if (watched == &Window && (type == QEvent::WindowActivate || type == QEvent::Show) && Showing &&
        SplashWindow != nullptr) {
        SplashWindow->show();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace scanbench
