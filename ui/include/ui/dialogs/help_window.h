#pragma once

// Qt: a text browser in a window of its own.
#include <QWidget>

class QTextBrowser;

namespace scanbench {

// The user manual in a window of the program's own, for a desktop where
// no browser opens it: the manual's own links work inside, links to the
// web go to the desktop.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);

    // Shows the manual `path` from its start.
    void ShowManual(const QString& path);
    [[nodiscard]] const QTextBrowser& Browser() const { return *Pages; }

private:
    QTextBrowser* Pages;
};

} // namespace scanbench
