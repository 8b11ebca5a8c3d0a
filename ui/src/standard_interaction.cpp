#include "ui/standard_interaction.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace scanbench {

namespace {

const QString ProgramFilter = QStringLiteral("*.bst");

// The file dialog of Open and Save: "*.bst" as the only filter, starting
// with the file name "*.bst", default extension "bst", asking before it
// overwrites a file (the toolkit's default); the toolkit's dialog offers no
// read-only option.
QString ChooseFile(QWidget* parent, QFileDialog::AcceptMode mode, const QString& folder = {}) {
    QFileDialog dialog(parent);
    if (!folder.isEmpty()) {
        dialog.setDirectory(folder);
    }
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(ProgramFilter);
    dialog.setDefaultSuffix(QStringLiteral("bst"));
    dialog.selectFile(ProgramFilter);
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

QString StandardInteraction::ChooseFileToSave(QWidget* parent) {
    return ChooseFile(parent, QFileDialog::AcceptSave);
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
