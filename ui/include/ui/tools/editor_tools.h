#pragma once

// Qt: it watches the main window's activation for the splash.
#include <QObject>
#include <QPixmap>

#include <cstdint>
#include <memory>

namespace scanbench {

class AboutDialog;
class CommandTracker;
class Engine;
class GotoLineDialog;
class LabelsWindow;
class MainWindow;
class SplashScreen;
class EditorSearch;
class UserInteraction;

// The main window's editor tools: find and replace in the program editor,
// goto line with its gutter arrow, the About dialog that unlocks the Labels
// item, the Labels window, and the splash shown while the program starts.
class EditorTools : public QObject {
    Q_OBJECT
public:
    // With `splash`, the splash's time starts now and it shows whenever the
    // window is shown or becomes active within that time.
    EditorTools(MainWindow& window, Engine& engine, CommandTracker& commands, UserInteraction& user,
                bool splash);
    ~EditorTools() override;
    EditorTools(const EditorTools&) = delete;
    EditorTools& operator=(const EditorTools&) = delete;

    // Search and Replace: the editor opens its dialog once pending messages have run.
    void Search();
    void Replace();
    // Asks for a line number and moves the caret there; while a program
    // runs, the goto arrow marks the line.
    void GotoLineCommand();
    void DrawGotoMark();
    // Shows the About dialog, first revealing the Labels item when enough
    // double-clicks were counted since it was last shown.
    void About();
    void ShowLabels();

    [[nodiscard]] EditorSearch& TextSearch() const { return *Searcher; }
    [[nodiscard]] GotoLineDialog& GotoDialog() const { return *GotoBox; }
    [[nodiscard]] AboutDialog& AboutBox() const { return *AboutWindow; }
    [[nodiscard]] LabelsWindow& Labels() const { return *LabelsBox; }
    [[nodiscard]] SplashScreen* Splash() const { return SplashWindow; }
    [[nodiscard]] bool SplashOn() const { return SplashShowing; }
    // The line last chosen while editing was locked (1-based).
    [[nodiscard]] std::int32_t GotoLine() const { return GotoTarget; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& Window;
    Engine& Eng;
    CommandTracker& Commands;
    UserInteraction& User;
    std::unique_ptr<EditorSearch> Searcher;
    GotoLineDialog* GotoBox;
    AboutDialog* AboutWindow;
    LabelsWindow* LabelsBox;
    SplashScreen* SplashWindow = nullptr;
    bool SplashShowing = false;
    std::int32_t GotoTarget = 0;
    QPixmap GotoArrow;
};

} // namespace scanbench
