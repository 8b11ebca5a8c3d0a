// Saves a picture of a window, as a person would see it, for checking the
// layout by eye:
//   scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]
//                         [--window NAME] [--language N] [--zoom PERCENT]
//                         [--line-numbers] [--breakpoints] [--stop-at LINE]
//                         [--notice] [--screen]
// loads the program, runs STEPS Step-by-Step commands and grabs the window;
// --no-driver shows the main window as it starts when the port could not be
// opened; --language chooses interface language N (0..3) first; --window
// opens another window and grabs that one instead. NAME is one of the Shots
// below; "prompt" grabs the whole screen while the replace prompt stands at
// its hit. --zoom scales every window as the View menu's zoom does (100,
// 150 or 200), shrunk as the program does when it does not fit the screen;
// --line-numbers shows the editor's line numbers; --breakpoints ticks every
// box, to check each sits beside its line; --stop-at sets a breakpoint on
// LINE and executes up to it; --notice opens the driver notice's pop-up;
// --screen grabs the whole screen instead of the window, to see where the
// windows sit on it.

#include "board_window.h"
#include "ui/appearance/screen_room.h"
#include "ui/dialogs/about_commands.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/bitstream_shifter_dialog.h"
#include "ui/dialogs/goto_line_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/parallel_port_tool.h"
#include "ui/dialogs/search_dialog.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/editor_area.h"
#include "ui/editor/editor_search.h"
#include "ui/editor/goto_line_command.h"
#include "ui/editor/search_commands.h"
#include "ui/main_window/driver_notice.h"
#include "ui/main_window/splash_control.h"
#include "ui/main_window/splash_screen.h"
#include "ui/tools/line_numbers_item.h"
#include "ui/tools/messages_tool.h"
#include "ui/tools/setup_command.h"
#include "ui/views/bitstream_viewer.h"
#include "ui/views/event_list_window.h"
#include "ui/views/labels_window.h"
#include "ui/views/messages_window.h"
#include "ui/views/pin_panel.h"
#include "ui/views/port_signals_window.h"
#include "ui/views/simulated_board_window.h"
#include "ui/views/state_diagram_window.h"
#include "ui/views/waveform_window.h"
#include "window_logic/views/zoom_scale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <string_view>

namespace {

using scanbench::MainWindow;

// A window the tool can grab. Open shows it and gives it back; a window that
// runs its own loop (a modal dialog) cannot give itself back, so Open gives
// nothing and the window is found by its object name, ModalName.
struct Shot {
    std::function<QWidget*(MainWindow&)> Open;
    const char* ModalName = nullptr;
};

QWidget* Shown(QWidget& widget) {
    widget.show();
    return &widget;
}

// Opens a search dialog with `find` (and `with`) typed in.
QWidget* OpenSearch(MainWindow& window, bool replace, const QString& find, const QString& with) {
    scanbench::EditorSearch& search = window.Searches().TextSearch();
    search.StartSearch(replace);
    scanbench::SearchDialog* dialog = search.Dialog();
    dialog->findChild<QLineEdit*>(QStringLiteral("FindText"))->setText(find);
    if (auto* replaceText = dialog->findChild<QLineEdit*>(QStringLiteral("ReplaceText"))) {
        replaceText->setText(with);
    }
    return dialog;
}

template <typename Window>
QWidget& AsWidget(Window& window) {
    return window;
}

const std::map<QString, Shot>& Shots() {
    using scanbench::MenuItems;
    static const std::map<QString, Shot> shots{
        {QStringLiteral("main"), {[](MainWindow& w) { return &static_cast<QWidget&>(w); }}},
        {QStringLiteral("states"), {[](MainWindow& w) {
             w.Items().StateDiagram->trigger();
             return &AsWidget(w.StateDiagrams());
         }}},
        {QStringLiteral("waves"), {[](MainWindow& w) {
             w.Items().Waveforms->trigger();
             return &AsWidget(w.Waveforms());
         }}},
        {QStringLiteral("waves-sync"), {[](MainWindow& w) {
             w.Items().Waveforms->trigger();
             w.Waveforms().SetShowSync(true);
             return &AsWidget(w.Waveforms());
         }}},
        {QStringLiteral("event-list"), {[](MainWindow& w) {
             w.Items().EventList->trigger();
             return &AsWidget(w.EventList());
         }}},
        {QStringLiteral("bitstream-viewer"),
         {[](MainWindow& w) {
              w.Items().BitstreamViewer->trigger();
              return static_cast<QWidget*>(nullptr);
          },
          "Form5"}},
        {QStringLiteral("board"), {[](MainWindow& w) {
             w.Items().SimulatedBoard->trigger();
             return &AsWidget(w.SimulatedBoard());
         }}},
        {QStringLiteral("board-loopback"), {[](MainWindow& w) {
             scanbench::Settings loopback; // into the tool's scratch store
             loopback.Board = scanbench::BoardKind::Loopback;
             (void)w.Setup().ApplySettings(loopback);
             w.Items().SimulatedBoard->trigger();
             return &AsWidget(w.SimulatedBoard());
         }}},
        {QStringLiteral("board-file"), {[](MainWindow& w) {
             // The microcontroller board, from its board file under data/.
             scanbench::Settings file;
             file.Board = scanbench::BoardChoice(scanbench::BoardKind::File,
                                                 SCANBENCH_DATA_DIR "/boards/m3-board.json");
             (void)w.Setup().ApplySettings(file);
             w.Items().SimulatedBoard->trigger();
             return &AsWidget(w.SimulatedBoard());
         }}},
        {QStringLiteral("board-interconnect"), {[](MainWindow& w) {
             scanbench::Settings interconnect;
             interconnect.Board = scanbench::BoardKind::Interconnect;
             (void)w.Setup().ApplySettings(interconnect);
             w.Items().SimulatedBoard->trigger();
             return &AsWidget(w.SimulatedBoard());
         }}},
        {QStringLiteral("board-faults"), {[](MainWindow& w) {
             // The interconnect board with faults, revealed.
             scanbench::Settings faulty;
             faulty.Board = scanbench::BoardKind::Interconnect;
             faulty.Faults = {{{scanbench::NetFaultKind::Open, "N1", {}},
                               {scanbench::NetFaultKind::Short, "N4", "N5"}},
                              std::nullopt,
                              true};
             (void)w.Setup().ApplySettings(faulty);
             w.Items().SimulatedBoard->trigger();
             return &AsWidget(w.SimulatedBoard());
         }}},
        {QStringLiteral("board-latch"),
         {[](MainWindow& w) {
              // The latch offer for the first output pin the board lets one set
              // (run a program into EXTEST first, e.g. lesson 04 for some steps).
              w.Items().SimulatedBoard->trigger();
              scanbench::PinPanel& pins = w.SimulatedBoard().Pins();
              for (const scanbench::PinRow& row : pins.Rows()) {
                  if (row.Settable) {
                      emit pins.RowClicked(row);
                      break;
                  }
              }
              return static_cast<QWidget*>(nullptr);
          },
          "LatchDialog"}},
        {QStringLiteral("port-signals"), {[](MainWindow& w) { return Shown(w.PortSignals()); }}},
        {QStringLiteral("parallel-port"), {[](MainWindow& w) {
             scanbench::ParallelPortTool& tool = w.ParallelPort();
             tool.TmsBox(0).setChecked(true);
             tool.TxBox(1).setChecked(true);
             return Shown(tool);
         }}},
        {QStringLiteral("shifter"), {[](MainWindow& w) {
             scanbench::BitstreamShifterDialog& shifter = w.Shifter();
             shifter.show();
             shifter.ResetTap();
             shifter.DestinationButton(scanbench::ShifterDestination::ShiftDr).setChecked(true);
             shifter.MoveToDestination();
             shifter.TxField(0).setText(QStringLiteral("1011000111010010"));
             shifter.ShiftBits();
             return &AsWidget(shifter);
         }}},
        {QStringLiteral("shifter-typo"), {[](MainWindow& w) {
             scanbench::BitstreamShifterDialog& shifter = w.Shifter();
             shifter.show();
             shifter.ResetTap();
             shifter.TxField(0).setText(QStringLiteral("1011 00x1"));
             shifter.ShiftBits();
             return &AsWidget(shifter);
         }}},
        {QStringLiteral("help"), {[](MainWindow& w) {
             auto* help = new scanbench::HelpWindow(&w);
             help->ShowManual(QFileInfo(QStringLiteral("docs/scanbench.html")).absoluteFilePath());
             return static_cast<QWidget*>(help);
         }}},
        {QStringLiteral("setup"), {[](MainWindow& w) { return Shown(w.Setup().Dialog()); }}},
        {QStringLiteral("find"),
         {[](MainWindow& w) { return OpenSearch(w, false, QStringLiteral("NSHF"), {}); }}},
        {QStringLiteral("replace"), {[](MainWindow& w) {
             return OpenSearch(w, true, QStringLiteral("TMS0"), QStringLiteral("TMS1"));
         }}},
        {QStringLiteral("goto"), {[](MainWindow& w) { return Shown(w.Goto().Dialog()); }}},
        {QStringLiteral("about"), {[](MainWindow& w) {
             w.AboutItems().AboutBox().SetLanguage(w.LanguageIndex());
             return Shown(w.AboutItems().AboutBox());
         }}},
        {QStringLiteral("labels"), {[](MainWindow& w) { return Shown(w.AboutItems().Labels()); }}},
        {QStringLiteral("messages"), {[](MainWindow& w) {
             w.Messages().Show();
             return &AsWidget(w.Messages().View());
         }}},
        {QStringLiteral("splash"), {[](MainWindow&) {
             static scanbench::SplashScreen splash;
             return Shown(splash);
         }}},
    };
    return shots;
}

QString Names() {
    QStringList names;
    for (const auto& [name, shot] : Shots()) {
        names << name;
    }
    names << QStringLiteral("prompt");
    return names.join(QLatin1Char('|'));
}

// Grabs the window once the events queued so far are handled: `shown`, or
// else the visible top-level window called `modalName`; then ends the program.
void GrabSoon(QWidget* shown, const char* modalName, const QString& out, int& result) {
    QTimer::singleShot(400, [shown, modalName, out, &result] {
        QWidget* target = shown;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (target == nullptr && modalName != nullptr && window->isVisible() &&
                window->objectName() == QLatin1String(modalName)) {
                target = window;
            }
        }
        if (target != nullptr) {
            result = target->grab().save(out) ? 0 : 1;
            if (target->isModal()) {
                target->close();
            }
        }
        QApplication::quit();
    });
}

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
    window.Searches().TextSearch().ReplaceNext();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    // The zoom as the program applies it, shrunk when it does not fit.
    int chosen = 100;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--zoom") {
            chosen = std::atoi(argv[i + 1]);
        }
    }
    const std::string userFactor = qgetenv("QT_SCALE_FACTOR").toStdString();
    scanbench::ZoomChoice zoom;
    const std::unique_ptr<QApplication> application = scanbench::MakeApplicationThatFits(
        argc, argv, chosen, scanbench::ZoomLevels,
        [&userFactor](int shown) {
            qputenv("QT_SCALE_FACTOR",
                    QByteArray::fromStdString(scanbench::ZoomScaleFactor(shown, userFactor)));
        },
        zoom);
    std::cerr << "zoom " << zoom.Chosen << " % shown at " << zoom.Shown << " %\n";
    QApplication& app = *application;
    const QStringList args = app.arguments();
    const qsizetype windowArg = args.indexOf(QStringLiteral("--window"));
    const QString name = windowArg > 0 ? args.value(windowArg + 1) : QStringLiteral("main");
    const bool prompt = name == QLatin1String("prompt");
    if (args.size() < 3 || (!prompt && !Shots().contains(name))) {
        std::cerr << "usage: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]"
                     " [--language N] [--zoom PERCENT] [--line-numbers] [--breakpoints]"
                     " [--stop-at LINE] [--notice] [--screen] [--window "
                  << Names().toStdString() << "]\n";
        return 2;
    }
    const int steps = args.size() > 3 ? args[3].toInt() : 0;
    const bool noDriver = args.contains(QStringLiteral("--no-driver"));
    scanbench::bench::BoardWindow bench(args[1], true, !noDriver, zoom.Shown,
                                        {{}, SCANBENCH_DATA_DIR "/boards"});
    MainWindow& window = *bench.Window;
    window.show();
    if (zoom.Fitted()) {
        bench.Eng.Display().ShowStatus(scanbench::ZoomFitNotice(zoom),
                                       scanbench::StatusColour::Red);
    }
    const qsizetype stopAt = args.indexOf(QStringLiteral("--stop-at"));
    const bool screen = args.contains(QStringLiteral("--screen"));
    const bool notice = args.contains(QStringLiteral("--notice"));
    if (const qsizetype at = args.indexOf(QStringLiteral("--language")); at > 0) {
        window.ChooseLanguage(static_cast<std::uint8_t>(args.value(at + 1).toUInt()));
    }
    if (args.contains(QStringLiteral("--line-numbers"))) {
        window.LineNumbers().Item().setChecked(true);
    }
    const bool allBoxes = args.contains(QStringLiteral("--breakpoints"));
    int result = 1;
    QTimer::singleShot(600, &window, [&] {
        for (int box = 1; allBoxes && box <= scanbench::Gutter::BoxCount; ++box) {
            window.Gutter().Box(box)->setChecked(true);
        }
        for (int i = 0; i < steps; ++i) {
            window.Runs().StepByStep();
        }
        if (stopAt > 0) {
            bench.Eng.State().Breakpoints.Set(args.value(stopAt + 1).toInt() - 1, true);
            window.Area().SyncBoxes();
            window.Runs().Execute();
            while (window.ExecuteTimer().isActive()) {
                window.Runs().ExecuteTick();
            }
        }
        window.Runs().HousekeepingTick();
        if (notice) {
            window.Items().Notice->ShowDetails();
        }
        if (screen) {
            QTimer::singleShot(400, [&] {
                result = window.screen()->grabWindow(0).save(args[2]) ? 0 : 1;
                QApplication::quit();
            });
            return;
        }
        if (prompt) {
            result = ShootPrompt(window, args[2]) ? 0 : 1;
            QApplication::quit();
            return;
        }
        const Shot& shot = Shots().at(name);
        if (shot.ModalName != nullptr) {
            GrabSoon(nullptr, shot.ModalName, args[2], result); // before the dialog's own loop
            shot.Open(window);
        } else {
            GrabSoon(shot.Open(window), nullptr, args[2], result);
        }
    });
    QApplication::exec();
    return result;
}
