// The main window's commands that open the event list and the received
// bitstream viewer.
#include "engine/run/engine.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/run_controller.h"
#include "ui/views/bitstream_viewer.h"
#include "ui/views/event_list_window.h"

namespace scanbench {

void MainWindow::BuildEventViews() {
    EventListView = new EventListWindow(Eng, User, this);
    BitsViewer = new BitstreamViewer(Eng, this);
}

void MainWindow::ShowEventList() {
    const CommandScope scope(Tracker);
    EventListView->show();
    EventListView->raise();
    EventListView->activateWindow();
}

void MainWindow::OpenBitstreamViewer() {
    CommandStates remembered;
    {
        const CommandScope scope(Tracker);
        remembered = Logic.Commands();
    }
    BitsViewer->exec();

    // Closing the viewer resets the simulation, puts the run commands'
    // enabled states back and resets once more, as the Reset button would.
    const CommandScope scope(Tracker);
    RunCommands->Reset();
    Logic.RestoreRunCommands(remembered);
    RunCommands->Reset();
    QTextCursor caret = TextEditor->textCursor();
    caret.clearSelection();
    TextEditor->setTextCursor(caret);
    TextEditor->setFocus();
}

} // namespace scanbench
