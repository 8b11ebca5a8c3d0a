#include "ui/main_window/splash_screen.h"

#include "ui/artwork/about_artwork.h"

#include <QTimer>

namespace scanbench {

SplashScreen::SplashScreen()
    : QSplashScreen(SplashPicture(QSize(480, 280), QStringLiteral(SCANBENCH_VERSION)),
                    Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashScreen"));
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this] {
        emit TimeUp();
        close();
    });
    timer->start(ShowMilliseconds);
}

} // namespace scanbench
