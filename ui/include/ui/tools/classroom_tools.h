#pragma once

// Qt: menus and the Messages window.
#include "ui/main_window/workbench.h"
#include "window_logic/main_window/example_programs.h"
#include "window_logic/main_window/execute_pace.h"
#include "window_logic/views/message_log.h"
#include "window_logic/views/zoom_scale.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <string_view>

class QAction;
class QMenu;

namespace scanbench {

class CommandTracker;
class Engine;
class MainWindow;
class MessagesWindow;
class UserInteraction;

// What the status line and the message log say when a restart for a new
// zoom ended a run.
inline constexpr std::string_view RunStoppedByZoomText =
    "The zoom restart stopped the run; it starts again at line 1";

// Starts the program anew with `arguments`; false when it could not start.
using ProgramLauncher = std::function<bool(const QStringList& arguments)>;

// What the window needs for teaching in a room.
struct ClassroomOptions {
    ExampleFolders Examples;
    // Starts the program again for a new zoom; none: the zoom takes effect
    // at the next start.
    ProgramLauncher Relaunch;
    // The zoom the windows show at: the chosen one, or a smaller one when
    // that did not fit the screen.
    int ShownZoom = 100;
    // The room on the window's screen at zoom 100 %; none: measured there.
    std::function<ScreenRoom()> Room;
};

// The window's teaching aids: View > Zoom (a restart that hands the program
// text, file name, modified flag, breakpoints and Execute's pace over; only
// the zooms that fit the screen are offered) and Line numbers,
// Run > Execute pace, Windows > Messages with the message log, and
// File > Examples. The Open dialog starts in the folder of the last program
// opened.
class ClassroomTools : public QObject {
    Q_OBJECT
public:
    ClassroomTools(MainWindow& window, Engine& engine, CommandTracker& commands,
                   UserInteraction& user, Workbench bench, ClassroomOptions options);
    ~ClassroomTools() override = default;
    ClassroomTools(const ClassroomTools&) = delete;
    ClassroomTools& operator=(const ClassroomTools&) = delete;

    [[nodiscard]] MessageLog& Log() { return Messages; }
    [[nodiscard]] MessagesWindow& MessageView() const { return *View; }
    [[nodiscard]] QMenu& ExamplesMenu() const { return *Examples; }
    [[nodiscard]] QMenu& ViewMenu() const { return *ViewItems; }
    [[nodiscard]] QMenu& PaceMenu() const { return *PaceItems; }
    [[nodiscard]] QAction& LineNumbersItem() const { return *LineNumbers; }
    [[nodiscard]] QAction* ZoomItem(int zoom) const;
    [[nodiscard]] ExecutePace Pace() const { return CurrentPace; }
    // Whether the windows fit the screen at `zoom`.
    [[nodiscard]] bool ZoomFitsScreen(int zoom) const;
    // Offers the zooms that fit the screen the window is on now.
    void UpdateZoomItems();

    void ChooseZoom(int zoom);
    void ChoosePace(ExecutePace pace);
    void ShowLineNumbers(bool shown);
    void ShowMessages();
    // Whether `file` is one of the shipped examples or lessons.
    [[nodiscard]] bool IsShippedExample(const QString& file) const;
    // Opens an example as Open opens a file, asking about unsaved text.
    void OpenExample(const QString& path);
    // Fills File > Examples from the folder that holds them.
    void ListExamples();

    // Takes over the session a restart handed over in `path`, and removes
    // the file; false (with the reason shown) when it holds none.
    bool TakeHandover(const QString& path);

private:
    void BuildMenus();
    // Saves the view values changed since `before`.
    void SaveViewValues(const Settings& before);
    // Writes the session to a new handover file and starts the program on
    // it; the window then closes without asking.
    bool Relaunch();

    MainWindow& Window;
    Engine& Eng;
    CommandTracker& Commands;
    UserInteraction& User;
    Workbench Bench;
    ClassroomOptions Options;
    MessageLog Messages;
    MessagesWindow* View = nullptr;
    QMenu* ViewItems = nullptr;
    QMenu* PaceItems = nullptr;
    QMenu* Examples = nullptr;
    QAction* LineNumbers = nullptr;
    QAction* MessagesItem = nullptr;
    std::map<int, QAction*> ZoomItems;
    std::array<QAction*, AllPaces.size()> PaceChoiceItems{};
    ExecutePace CurrentPace = ExecutePace::FullSpeed;
};

} // namespace scanbench
