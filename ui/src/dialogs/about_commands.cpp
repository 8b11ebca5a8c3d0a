#include "ui/dialogs/about_commands.h"

#include "ui/dialogs/about_dialog.h"
#include "ui/views/labels_window.h"
#include "window_logic/main_window/main_window_model.h"

#include <QAction>

namespace scanbench {

AboutCommands::AboutCommands(MainWindowModel& model, QAction& labelsItem, const LabelTable& labels,
                             std::function<std::uint8_t()> language, QWidget& parent)
    : Model(model), LabelsItem(labelsItem), Language(std::move(language)),
      AboutWindow(new AboutDialog(&parent, model.AboutClicks())),
      LabelsBox(new LabelsWindow(&parent, labels)) {}

void AboutCommands::About() {
    std::int32_t& clicks = Model.AboutClicks();
    if (clicks >= AboutUnlockClicks) {
        LabelsItem.setVisible(true);
    } else {
        clicks = 0;
    }
    AboutWindow->SetLanguage(Language());
    AboutWindow->exec();
}

void AboutCommands::ShowLabels() {
    Model.ClearAboutClicks();
    LabelsBox->exec();
}

} // namespace scanbench
