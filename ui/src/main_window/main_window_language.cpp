#include "ui/main_window/command_scope.h"
#include "ui/main_window/language_text.h"
#include "ui/main_window/main_window.h"

#include <QMenu>
#include <QMenuBar>

namespace scanbench {

void MainWindow::ApplyLanguage(bool notifyViews) {
    for (const LanguageCaption& caption : LanguageCaptions) {
        const QString name = QString::fromLatin1(caption.Control.data(),
                                                 static_cast<qsizetype>(caption.Control.size()));
        const QString text = LanguageText(Language, caption.Position);
        if (auto* menu = menuBar()->findChild<QMenu*>(name)) {
            menu->setTitle(text);
        } else if (auto* item = menuBar()->findChild<QAction*>(name)) {
            item->setText(text);
        }
    }
    if (notifyViews) {
        emit LanguageChanged(Language);
    }
}

void MainWindow::ChooseLanguage(std::uint8_t language) {
    const CommandScope scope(Tracker);
    Language = language < LanguageCount ? language : 0;
    const std::array<QAction*, LanguageCount> items{Menu.English, Menu.Portuguese, Menu.French,
                                                    Menu.German};
    for (std::size_t n = 0; n < items.size(); ++n) {
        items[n]->setChecked(n == Language);
    }
    ApplyLanguage(true);
}

} // namespace scanbench
