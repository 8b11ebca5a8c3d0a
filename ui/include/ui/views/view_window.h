#pragma once

// Qt: a view window is a top-level QWidget.
#include "engine/feed/view_feed.h"

#include <QAction>
#include <QWidget>

namespace scanbench {

// The popup menu items every view window has.
struct ViewWindowItems {
    QAction* CloseWindow = nullptr;
    QAction* StayOnTop = nullptr; // checked: the window stays above all others
};

// A window that shows part of the engine's state: created once, shown and
// hidden by the user, centred on the screen the first time it shows, with a
// popup menu of "Close Window" and "Stay on Top". It follows the engine's
// view feed only while it is shown, so a closed window draws nothing, even
// in the middle of a run; each time it shows it catches up.
class ViewWindow : public QWidget, public ViewListener {
    Q_OBJECT
public:
    [[nodiscard]] const ViewWindowItems& Items() const { return Popup; }

protected:
    // `stayOnTopName` is the object name of the "Stay on Top" item.
    ViewWindow(ViewFeed& views, QWidget* parent, Qt::WindowFlags buttons,
               const char* stayOnTopName);
    // The window has been shown and follows the feed again.
    virtual void Opened() = 0;
    // The window moved to a screen of another pixel density: its pictures
    // are drawn afresh at the new one.
    virtual void DensityChanged() = 0;

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Keeps the window above all others or makes it a normal window again.
    void StayOnTop(bool onTop);

    ViewFeed& Views;
    ViewFeed::Subscription Following;
    ViewWindowItems Popup;
    bool Centred = false;
    bool WatchingScreen = false;
    bool Reflagging = false; // the window hides and shows to take new flags
};

} // namespace scanbench
