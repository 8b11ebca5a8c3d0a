#include "ui/main_window/standard_interaction.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace scanbench {

namespace {

const QString ProgramFilter = QStringLiteral("*.bst");

// The file dialog of Open and Save: "*.bst" as the filter (Open also offers
// SVF files, which it translates), starting with the file name "*.bst" or
// the suggested one, default extension "bst", asking before it overwrites a
// file (the toolkit's default); the toolkit's dialog offers no read-only
// option.
QString ChooseFile(QWidget* parent, QFileDialog::AcceptMode mode, const QString& folder = {},
                   const QString& suggested = {}) {
    QFileDialog dialog(parent);
    if (!folder.isEmpty()) {
        dialog.setDirectory(folder);
    }
    dialog.setAcceptMode(mode);
    const bool open = mode == QFileDialog::AcceptOpen;
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (open) {
        dialog.setNameFilters({QStringLiteral("Programs and SVF files (*.bst *.svf)"),
                               QStringLiteral("Programs (*.bst)"),
                               QStringLiteral("SVF files (*.svf)")});
    } else {
        dialog.setNameFilter(ProgramFilter);
    }
    dialog.setDefaultSuffix(QStringLiteral("bst"));
    dialog.selectFile(suggested.isEmpty() ? ProgramFilter : suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

// Message boxes show "\r" as a line break.
QString BoxText(const QString& text) {
    QString shown = text;
    return shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

bool StandardInteraction::AskYesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, QCoreApplication::applicationName(), BoxText(question),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

QString StandardInteraction::ChooseFileToOpen(QWidget* parent, const QString& folder) {
    return ChooseFile(parent, QFileDialog::AcceptOpen, folder);
}

QString StandardInteraction::ChooseFileToSave(QWidget* parent, const QString& folder,
                                              const QString& suggested) {
    return ChooseFile(parent, QFileDialog::AcceptSave, folder, suggested);
}

QString StandardInteraction::ChooseBoardFile(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Board from file"), folder,
                                        QStringLiteral("Board files (*.json);;All files (*)"));
}

void StandardInteraction::ShowError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QCoreApplication::applicationName(), BoxText(message));
}

bool StandardInteraction::OpenDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace scanbench
