#pragma once

#include "ui/main_window/user_interaction.h"

namespace scanbench {

// The platform's message boxes and file dialogs, captioned with the
// application's title, and the desktop's document viewer.
class StandardInteraction final : public UserInteraction {
public:
    [[nodiscard]] bool AskYesNo(QWidget* parent, const QString& question) override;
    [[nodiscard]] QString ChooseFileToOpen(QWidget* parent, const QString& folder) override;
    [[nodiscard]] QString ChooseFileToSave(QWidget* parent, const QString& folder,
                                           const QString& suggested) override;
    [[nodiscard]] QString ChooseBoardFile(QWidget* parent, const QString& folder) override;
    void ShowError(QWidget* parent, const QString& message) override;
    [[nodiscard]] bool OpenDocument(const QString& path) override;
};

} // namespace scanbench
