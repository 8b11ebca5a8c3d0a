#pragma once

// Qt: it watches the main window's activation.
#include <QObject>

#include <memory>

namespace scanbench {

class SplashScreen;

// The splash shown while the program starts: its time starts when this is
// made, and it shows whenever the window is shown or becomes active within
// that time.
class SplashControl : public QObject {
    Q_OBJECT
public:
    // Without `shown`, no splash at all.
    SplashControl(QWidget& window, bool shown);
    ~SplashControl() override;
    SplashControl(const SplashControl&) = delete;
    SplashControl& operator=(const SplashControl&) = delete;

    [[nodiscard]] SplashScreen* Splash() const { return SplashWindow.get(); }
    // Whether its time is still running.
    [[nodiscard]] bool On() const { return Showing; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& Window;
    std::unique_ptr<SplashScreen> SplashWindow;
    bool Showing = false;
};

} // namespace scanbench
