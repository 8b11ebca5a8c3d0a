// The main window's simulated board window: the item in the Windows menu,
// after the waveforms, and the tool button beside theirs.
#include "engine/run/engine.h"
#include "ui/artwork/artwork.h"
#include "ui/main_window/main_window.h"
#include "ui/tools/port_tools.h"
#include "ui/views/simulated_board_window.h"

#include <QMenu>
#include <QToolBar>

namespace scanbench {

void MainWindow::BuildBoardView(PortConnection& port) {
    BoardView = new SimulatedBoardWindow(port, Eng.Views(), this);
    // Faults chosen in its panel are kept in the settings.
    connect(BoardView, &SimulatedBoardWindow::FaultsChosen, this,
            [this](const FaultChoice& faults) { (void)Ports().ApplyFaults(faults); });

    const QString caption = QStringLiteral("Simulated board");
    Menu.SimulatedBoard = new QAction(caption, Menu.WindowsMenu);
    Menu.SimulatedBoard->setObjectName(QStringLiteral("SimulatedBoard1"));
    Menu.WindowsMenu->insertAction(Menu.Labels, Menu.SimulatedBoard);

    auto* bar = findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    Tools.SimulatedBoard = new QAction(ToolButtonIcon(ToolIcon::SimulatedBoard), caption, bar);
    Tools.SimulatedBoard->setObjectName(QStringLiteral("ToolButton29"));
    Tools.SimulatedBoard->setToolTip(caption);
    bar->insertAction(Tools.BitstreamShifter, Tools.SimulatedBoard);
    if (QWidget* button = bar->widgetForAction(Tools.SimulatedBoard)) {
        button->setFixedWidth(24);
    }

    for (QAction* action : {Menu.SimulatedBoard, Tools.SimulatedBoard}) {
        connect(action, &QAction::triggered, this, [this] { ShowView(*BoardView); });
    }
}

} // namespace scanbench
