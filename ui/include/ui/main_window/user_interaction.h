#pragma once

#include <QString>

class QWidget;

namespace scanbench {

// What the main window asks of the user and of the desktop: its questions,
// the file dialogs, error boxes and opening the manual. The program uses the
// platform's dialogs; tests answer for the user.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // Asks `question` with the buttons Yes and No; true for Yes.
    [[nodiscard]] virtual bool AskYesNo(QWidget* parent, const QString& question) = 0;
    // The program or SVF file chosen to open, or the program file to save to
    // (the dialog starting in `folder` when it is given, and offering the
    // file `suggested` when it is given); empty when cancelled.
    [[nodiscard]] virtual QString ChooseFileToOpen(QWidget* parent, const QString& folder) = 0;
    [[nodiscard]] virtual QString ChooseFileToSave(QWidget* parent, const QString& folder,
                                                   const QString& suggested) = 0;
    // A board file (*.json) to open, the dialog starting in `folder` when it
    // is given; empty when cancelled.
    [[nodiscard]] virtual QString ChooseBoardFile(QWidget* parent, const QString& folder) = 0;
    virtual void ShowError(QWidget* parent, const QString& message) = 0;
    // Opens a local document in the desktop's viewer; false when that failed.
    [[nodiscard]] virtual bool OpenDocument(const QString& path) = 0;
};

} // namespace scanbench
