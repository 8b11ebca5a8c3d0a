#pragma once

#include <cstdint>
#include <functional>

class QAction;
class QWidget;

namespace scanbench {

class AboutDialog;
class LabelTable;
class LabelsWindow;
class MainWindowModel;

// About and Labels: the About dialog counts the double-clicks on its
// picture; enough of them reveal the Labels item, whose window lists the
// program's labels.
class AboutCommands {
public:
    // The dialogs show in the interface language `language` gives.
    AboutCommands(MainWindowModel& model, QAction& labelsItem, const LabelTable& labels,
                  std::function<std::uint8_t()> language, QWidget& parent);

    // Shows the About dialog, first revealing the Labels item when enough
    // double-clicks were counted since it was last shown.
    void About();
    void ShowLabels();

    [[nodiscard]] AboutDialog& AboutBox() const { return *AboutWindow; }
    [[nodiscard]] LabelsWindow& Labels() const { return *LabelsBox; }

private:
    MainWindowModel& Model;
    QAction& LabelsItem;
    std::function<std::uint8_t()> Language;
    AboutDialog* AboutWindow;
    LabelsWindow* LabelsBox;
};

} // namespace scanbench
