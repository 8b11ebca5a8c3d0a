#include "ui/dialogs/about_dialog.h"

#include "ui/artwork/about_artwork.h"
#include "ui/main_window/language_text.h"
#include "ui/views/picture_view.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace scanbench {

namespace {

constexpr QSize DialogSize{380, 250};
constexpr QSize ChipSize{65, 91};
constexpr const char* ReleaseDate = "December 2026";

void SetTextColour(QLabel& label, const QColor& colour) {
    QPalette shades = label.palette();
    shades.setColor(QPalette::WindowText, colour);
    label.setPalette(shades);
}

QLabel* AddLabel(QBoxLayout& row, const char* name, const QString& text, const QColor& colour,
                 int pixelSize = 0, bool bold = false) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    SetTextColour(*label, colour);
    QFont font = label->font();
    if (pixelSize > 0) {
        font.setPixelSize(pixelSize);
    }
    font.setBold(bold);
    label->setFont(font);
    row.addWidget(label);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent, std::int32_t& aboutClicks)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Clicks(aboutClicks) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About Scanbench"));
    setFixedSize(DialogSize);

    auto* banner = new PictureView(this);
    banner->setObjectName(QStringLiteral("Banner"));
    banner->setFixedSize(DialogSize.width(), 40);
    banner->SetPicture(AboutBannerPicture(banner->size()));

    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("Panel1"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* column = new QVBoxLayout(frame);
    column->setSpacing(2);
    const QColor olive(128, 128, 0);
    ProgramNameLabel = AddLabel(*column, "Label1", {}, QColor(255, 0, 0), 19, true);
    HeadingLabel = AddLabel(*column, "Label2", {}, olive);
    HeadingLabel->setWordWrap(true); // some languages say it at length
    auto* authors = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* author = new PictureView(frame);
        author->setObjectName(QStringLiteral("Author%1").arg(i + 1));
        author->setFixedSize(32, 32);
        author->SetPicture(AuthorPicture(i));
        authors->addWidget(author);
    }
    authors->addStretch();
    column->addLayout(authors);
    auto* release = new QHBoxLayout;
    AddLabel(*release, "Version",
             QStringLiteral("version %1").arg(QStringLiteral(SCANBENCH_VERSION)),
             QColor(255, 0, 255), 0, true);
    QLabel* dateLabel =
        AddLabel(*release, "ReleaseDate", QString::fromLatin1(ReleaseDate), QColor(0, 0, 128));
    QFont small = dateLabel->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    dateLabel->setFont(small);
    release->addStretch();
    column->addLayout(release);
    column->addStretch();
    AddLabel(*column, "Label5", QStringLiteral("For information, please contact:"), olive);
    ContactLabel = AddLabel(*column, "Label6", QString::fromLatin1(ContactAddress), Qt::black);
    ContactLabel->setCursor(Qt::PointingHandCursor);
    ContactLabel->installEventFilter(this);

    ChipView = new PictureView(this);
    ChipView->setObjectName(QStringLiteral("Image3"));
    ChipView->setFixedSize(ChipSize);
    ChipView->SetPicture(ScanChipPicture(ChipSize));
    ChipView->installEventFilter(this);

    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(banner, 0, 0, 1, 2);
    auto* body = new QGridLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->setHorizontalSpacing(12);
    body->setVerticalSpacing(8);
    body->addWidget(frame, 0, 0, 2, 1);
    body->addWidget(ChipView, 0, 1, Qt::AlignTop | Qt::AlignHCenter);
    body->addWidget(close, 1, 1, Qt::AlignBottom);
    body->setColumnStretch(0, 1);
    grid->addLayout(body, 1, 0, 1, 2);
}

QWidget& AboutDialog::ChipPicture() const {
    return *ChipView;
}

void AboutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ProgramNameLabel->setText(LanguageText(Language, LangPos::ProgramName));
    HeadingLabel->setText(LanguageText(Language, LangPos::AboutHeading));
    Clicks = 0;
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ChipView && event->type() == QEvent::MouseButtonDblClick) {
        ++Clicks;
        return true;
    }
    if (watched == ContactLabel) {
        switch (event->type()) {
        case QEvent::Enter:
            SetTextColour(*ContactLabel, QColor(255, 0, 0));
            break;
        case QEvent::Leave:
            SetTextColour(*ContactLabel, Qt::black);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                QDesktopServices::openUrl(
                    QUrl(QStringLiteral("mailto:%1?subject=Scanbench").arg(ContactAddress)));
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace scanbench
