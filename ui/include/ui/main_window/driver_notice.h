#pragma once

// Qt: a tool button at the right end of the menu bar.
#include <QToolButton>

#include <string>

class QLabel;
class QMenu;
class QMenuBar;

namespace scanbench {

// The notice at the right end of the menu bar. While the port can be
// reached it shows a short fixed text. When the driver did not start it
// shows the driver notice's first sentence in red, always on the bar (never
// in its overflow), and a click opens the whole notice, with what to do, in
// a pop-up that stays inside the window.
class DriverNotice : public QToolButton {
    Q_OBJECT
public:
    // Becomes the corner widget of `bar`.
    explicit DriverNotice(QMenuBar& bar);

    // `reason` says why the port cannot be reached, when the system told.
    void ShowPortState(bool available, const std::string& reason = {});
    [[nodiscard]] bool ShowsError() const { return Error; }
    // The fixed notice the button stands for.
    [[nodiscard]] QString NoticeText() const;
    // The pop-up with the whole notice; `ShowDetails` opens it below the
    // button, its right edge on the button's.
    [[nodiscard]] QMenu& Details() const { return *Popup; }
    void ShowDetails();

private:
    bool Error = false;
    QMenu* Popup;
    QLabel* Text;
};

} // namespace scanbench
