// Saves a picture of the main window, as a person would see it, for checking
// the layout by eye: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]
// [--open TOOL] [--language N] loads the program, runs STEPS Step-by-Step
// commands and grabs the window; --no-driver shows it as it starts when the
// port could not be opened; --open grabs one of the editor's tools instead
// (find, replace, prompt, goto, about, labels, splash); "prompt" grabs the
// whole screen while the replace prompt stands at its hit; --language
// chooses interface language N (0..3) first.

#include "board_window.h"
#include "ui/about_dialog.h"
#include "ui/editor_tools.h"
#include "ui/goto_line_dialog.h"
#include "ui/labels_window.h"
#include "ui/memo_search.h"
#include "ui/search_dialog.h"
#include "ui/splash_screen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <iostream>

namespace {

using scanbench::MainWindow;

// Opens a search dialog with `find` (and `with`) typed in.
QWidget* OpenSearch(MainWindow& window, bool replace, const QString& find, const QString& with) {
    scanbench::TMemoSearch& search = window.EditingTools().MemoSearch();
    search.StartSearch(replace);
    scanbench::SearchDialog* dialog = search.Dialog();
    dialog->findChild<QLineEdit*>(QStringLiteral("FindText"))->setText(find);
    if (auto* replaceText = dialog->findChild<QLineEdit*>(QStringLiteral("ReplaceText"))) {
        replaceText->setText(with);
    }
    return dialog;
}

QWidget* Shown(QWidget& widget) {
    widget.show();
    return &widget;
}

struct ToolShot {
    const char* Name;
    std::function<QWidget*(MainWindow&)> Open;
};

const ToolShot ToolShots[] = {
    {"find", [](MainWindow& w) { return OpenSearch(w, false, QStringLiteral("NSHF"), {}); }},
    {"replace",
     [](MainWindow& w) {
         return OpenSearch(w, true, QStringLiteral("TMS0"), QStringLiteral("TMS1"));
     }},
    {"goto", [](MainWindow& w) { return Shown(w.EditingTools().GotoDialog()); }},
    {"about",
     [](MainWindow& w) {
         w.EditingTools().AboutBox().SetLanguage(w.LangIdx());
         return Shown(w.EditingTools().AboutBox());
     }},
    {"labels", [](MainWindow& w) { return Shown(w.EditingTools().Labels()); }},
    {"splash",
     [](MainWindow&) {
         static scanbench::SplashScreen splash;
         return Shown(splash);
     }},
};

// Starts a prompted replace of "NSHFCP" and grabs the screen while the
// prompt is up.
bool ShootPrompt(MainWindow& window, const QString& out) {
    OpenSearch(window, true, QStringLiteral("NSHFCP"), QStringLiteral("NSHF"));
    bool saved = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* prompt = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (prompt == nullptr || prompt->property("shot").toBool()) {
            return;
        }
        prompt->setProperty("shot", true);
        QTimer::singleShot(300, prompt, [&, prompt] {
            saved = window.screen()->grabWindow(0).save(out);
            prompt->escapeButton()->click();
        });
    });
    poll.start(10);
    window.EditingTools().MemoSearch().ReplaceNext();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::cerr << "usage: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]"
                     " [--open find|replace|prompt|goto|about|labels|splash] [--language N]\n";
        return 2;
    }
    const int steps = args.size() > 3 ? args[3].toInt() : 0;
    const bool noDriver = args.contains(QStringLiteral("--no-driver"));
    const qsizetype openAt = args.indexOf(QStringLiteral("--open"));
    const QString tool = openAt > 0 ? args.value(openAt + 1) : QString();
    scanbench::bench::BoardWindow bench(args[1], true, !noDriver);
    scanbench::MainWindow& window = *bench.Window;
    window.show();
    if (const qsizetype at = args.indexOf(QStringLiteral("--language")); at > 0) {
        window.ChooseLanguage(static_cast<std::uint8_t>(args.value(at + 1).toUInt()));
    }
    int result = 1;
    QTimer::singleShot(600, &window, [&] {
        for (int i = 0; i < steps; ++i) {
            window.Runs().StepByStep();
        }
        window.Runs().HousekeepingTick();
        QApplication::processEvents();
        QWidget* shot = &window;
        if (tool == QLatin1String("prompt")) {
            result = ShootPrompt(window, args[2]) ? 0 : 1;
            QApplication::quit();
            return;
        }
        for (const ToolShot& entry : ToolShots) {
            if (tool == QLatin1String(entry.Name)) {
                shot = entry.Open(window);
            }
        }
        if (!tool.isEmpty() && shot == &window) {
            std::cerr << "unknown tool " << tool.toStdString() << "\n";
            QApplication::quit();
            return;
        }
        // Let the tool lay itself out and paint before it is grabbed.
        QEventLoop settle;
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
        result = shot->grab().save(args[2]) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
