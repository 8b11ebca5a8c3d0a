#include "ui/main_window/driver_notice.h"

#include "ui/main_window/menu_items.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QWidgetAction>

namespace scanbench {

namespace {

const QColor ErrorRed(200, 0, 0);

// What the user can do about it, below the notice in the pop-up.
const char* const DriverAdvice =
    "The port device cannot be opened, so no signal reaches a board. Run > Setup chooses "
    "another device; the simulated board needs none.";

} // namespace

DriverNotice::DriverNotice(QMenuBar& bar)
    : QToolButton(&bar), Popup(new QMenu(this)), Text(new QLabel(Popup)) {
    setObjectName(QStringLiteral("N9"));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    Popup->setObjectName(QStringLiteral("DriverNoticeDetails"));
    Text->setObjectName(QStringLiteral("DriverNoticeText"));
    Text->setWordWrap(true);
    Text->setMargin(8);
    Text->setTextFormat(Qt::RichText);
    // Wide enough for a few lines, narrow enough for the window at any zoom.
    Text->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 52);
    auto* holder = new QWidgetAction(Popup);
    holder->setDefaultWidget(Text);
    Popup->addAction(holder);
    connect(this, &QToolButton::clicked, this, &DriverNotice::ShowDetails);
    bar.setCornerWidget(this, Qt::TopRightCorner);
    ShowPortState(true);
}

QString DriverNotice::NoticeText() const {
    return QString::fromLatin1(Error ? DriverErrorNotice : StandardNotice);
}

void DriverNotice::ShowPortState(bool available, const std::string& reason) {
    Error = !available;
    QFont bold = font();
    bold.setBold(Error);
    setFont(bold);
    QPalette shades = palette();
    shades.setColor(QPalette::ButtonText,
                    Error ? ErrorRed : parentWidget()->palette().color(QPalette::WindowText));
    setPalette(shades);
    // The notice's first sentence fits the bar, with a sign that there is
    // more; the pop-up holds it all.
    const QString notice = NoticeText().simplified();
    const qsizetype sentence = notice.indexOf(QLatin1Char('.'));
    setText(Error ? notice.left(sentence + 1) + QStringLiteral(" \u25BE") : notice);
    setToolTip(Error ? notice : QString());
    setCursor(Error ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setEnabled(Error);
    const QString why =
        reason.empty()
            ? QString()
            : QStringLiteral("<p>%1</p>").arg(QString::fromStdString(reason).toHtmlEscaped());
    Text->setText(QStringLiteral("<p><b style=\"color:%1\">%2</b></p>%3<p>%4</p>")
                      .arg(ErrorRed.name(), notice.toHtmlEscaped(), why,
                           QString::fromLatin1(DriverAdvice).toHtmlEscaped()));
    adjustSize();
    if (auto* bar = qobject_cast<QMenuBar*>(parentWidget())) {
        bar->adjustSize();
        bar->updateGeometry();
    }
}

void DriverNotice::ShowDetails() {
    if (!Error) {
        return;
    }
    Popup->adjustSize();
    const QSize size = Popup->sizeHint();
    Popup->popup(mapToGlobal(QPoint(width() - size.width(), height())));
}

} // namespace scanbench
