#include "ui/main_window/status_line.h"

#include "ui/appearance/window_colours.h"
#include "ui/main_window/main_layout.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

namespace scanbench {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

StatusLine::StatusLine(QWidget* parent)
    : QFrame(parent), Position(MakeLabel(this, "Label2", QString())),
      Status(MakeLabel(this, "Status", QString())) {
    setObjectName(QStringLiteral("Panel2"));
    setGeometry(Layout::StatusPanel);
    setFrameStyle(QFrame::Panel | QFrame::Raised);

    QLabel* linePos = MakeLabel(this, "Label1", QStringLiteral("Line Pos:"));
    linePos->move(Layout::LinePosCaption);
    // The caption must end before the position text starts.
    const int room = Layout::LinePos.left() - Layout::LinePosCaption.x() - 2;
    QFont small = linePos->font();
    small.setPixelSize(QFontInfo(small).pixelSize());
    while (QFontMetrics(small).horizontalAdvance(linePos->text()) > room && small.pixelSize() > 8) {
        small.setPixelSize(small.pixelSize() - 1);
    }
    linePos->setFont(small);
    Position->setGeometry(Layout::LinePos);

    QLabel* caption = MakeLabel(this, "Label3", QStringLiteral("Status:"));
    QFont bold = caption->font();
    bold.setBold(true);
    bold.setPixelSize(13);
    caption->setFont(bold);
    caption->move(Layout::StatusCaption);

    QFont statusFont = Status->font();
    statusFont.setBold(true);
    Status->setFont(statusFont);
    Status->setGeometry(Layout::Status);
    ShowStatus(QString(), StatusColour::Red);
}

void StatusLine::ShowStatus(const QString& text, StatusColour colour) {
    Status->setText(text);
    Status->setToolTip(text); // a long message is cut at the window's edge
    QPalette shades = Status->palette();
    shades.setColor(QPalette::WindowText, ToQColor(colour));
    Status->setPalette(shades);
}

void StatusLine::ShowCaretPosition(const QString& text) {
    Position->setText(text);
}

QString StatusLine::StatusText() const {
    return Status->text();
}

QColor StatusLine::StatusColor() const {
    return Status->palette().color(QPalette::WindowText);
}

QString StatusLine::CaretPositionText() const {
    return Position->text();
}

} // namespace scanbench
