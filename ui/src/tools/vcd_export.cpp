#include "ui/tools/vcd_export.h"

#include "engine/events/vcd_writer.h"
#include "engine/run/engine.h"
#include "ui/tools/export_file.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QMessageBox>
#include <QTime>

namespace scanbench {

QString WriteVcdFile(const QString& path, const Engine& engine) {
    const QLocale locale = QLocale::system();
    const std::string date =
        (locale.toString(QDate::currentDate(), QLocale::ShortFormat) + QLatin1Char(' ') +
         locale.toString(QTime::currentTime(), QLocale::LongFormat))
            .toStdString();
    const EventStore& store = engine.State().Events;
    return WriteExportFile(path, [&](std::ostream& out) { WriteVcd(out, store, date); });
}

void ExportVcd(QWidget* parent, const Engine& engine) {
    const QString path =
        AskExportFileName(parent, {QStringLiteral("Export the played events as a VCD file"),
                                   QStringLiteral("*.vcd"), QStringLiteral("vcd")});
    if (path.isEmpty()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = WriteVcdFile(path, engine);
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        QMessageBox::critical(parent, QCoreApplication::applicationName(), error);
    }
}

} // namespace scanbench
