#include "ui/appearance/window_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace scanbench {

namespace {

// The families the shipped fonts registered under; empty when a font could
// not be registered, and the system's font of the window's name is used.
struct ShippedFamilies {
    QString Mono;
    QString Sans;
};

QString RegisteredFamily(const QString& resource) {
    const int id = QFontDatabase::addApplicationFont(resource);
    const QStringList families =
        id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList{};
    return families.value(0);
}

const ShippedFamilies& Shipped() {
    static const ShippedFamilies families = [] {
        ShippedFamilies shipped;
        shipped.Mono = RegisteredFamily(QStringLiteral(":/fonts/LiberationMono-Regular.ttf"));
        shipped.Sans = RegisteredFamily(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
        (void)RegisteredFamily(QStringLiteral(":/fonts/LiberationSans-Bold.ttf"));
        if (!shipped.Mono.isEmpty()) {
            QFont::insertSubstitution(QStringLiteral("Courier New"), shipped.Mono);
        }
        if (!shipped.Sans.isEmpty()) {
            QFont::insertSubstitution(QStringLiteral("Arial"), shipped.Sans);
        }
        return shipped;
    }();
    return families;
}

// The shipped family first, so that it wins over whatever the system offers
// for the name.
QFont FontOf(const QString& shipped, const QString& name, QFont::StyleHint hint) {
    QFont font(name);
    font.setFamilies(shipped.isEmpty() ? QStringList{name} : QStringList{shipped, name});
    font.setStyleHint(hint);
    return font;
}

} // namespace

void RegisterWindowFonts() {
    (void)Shipped();
}

QFont EditorFontOfSize(int pixelSize) {
    QFont font = FontOf(Shipped().Mono, QStringLiteral("Courier New"), QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    return font;
}

QFont ReadoutFontOfSize(int pixelSize) {
    QFont font = FontOf(Shipped().Sans, QStringLiteral("Arial"), QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

QFont LabelFontOfSize(int pixelSize) {
    QFont font = FontOf(Shipped().Sans, QStringLiteral("Arial"), QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace scanbench
