#include "engine/engine.h"
#include "ui/main_window.h"
#include "ui/program_editor.h"
#include "ui/window_colours.h"

#include <QTimer>

namespace scanbench {

void MainWindow::StepBtnClick() {
    const CommandScope scope(*this);
    Eng.Run().EventByEvent();
}

void MainWindow::ToolButton17Click() {
    const CommandScope scope(*this);
    Eng.Run().StepByStep();
}

void MainWindow::Run_Test() {
    const CommandScope scope(*this);
    Eng.Run().StartExecute();
}

void MainWindow::Pause1Click() {
    const CommandScope scope(*this);
    Eng.Run().Pause();
}

void MainWindow::ToolButton18Click() {
    const CommandScope scope(*this);
    Eng.Run().SpeedRun();
}

void MainWindow::ResetSimulation() {
    const CommandScope scope(*this);
    Eng.ResetSimulation();
}

void MainWindow::ShowExec1Click() {
    // The refresh at the end of the command moves the editor and then
    // loads the boxes for the lines it shows.
    const CommandScope scope(*this);
    Eng.ShowExecPoint();
}

void MainWindow::ClearallBreakpoints1Click() {
    const CommandScope scope(*this);
    Eng.State().Breakpoints.ClearAll();
    SyncBoxes();
}

void MainWindow::Timer1Timer() {
    const CommandScope scope(*this);
    Eng.Run().ExecuteTick();
}

void MainWindow::tim_circTimer() {
    const CommandScope scope(*this);
    Eng.Run().ActivityTick();
}

void MainWindow::Timer2Timer() {
    const CommandScope scope(*this, false);
    Eng.Run().HousekeepingTick();
    setWindowTitle(QString::fromStdString(FileSession.Title(Memo1->document()->isModified())));
    const QColor colour = ToQColor(Memo1->isReadOnly() ? ReadOnlyTextColour : EditableTextColour);
    if (Memo1->TextColour() != colour) {
        Memo1->SetTextColour(colour);
    }
}

void MainWindow::SetExecuteTimer(bool running) {
    if (running) {
        Timer1->start();
    } else {
        Timer1->stop();
    }
}

void MainWindow::SetActivityTimer(bool running) {
    if (running) {
        TimCirc->start();
    } else {
        TimCirc->stop();
    }
}

} // namespace scanbench
