#pragma once

#include <QSplashScreen>

namespace scanbench {

// The borderless picture shown while the program starts, centred on the
// desktop. Its time starts when it is created: 1500 ms later it says so and
// closes.
class SplashScreen : public QSplashScreen {
    Q_OBJECT
public:
    static constexpr int ShowMilliseconds = 1500;

    SplashScreen();

signals:
    void TimeUp();
};

} // namespace scanbench
