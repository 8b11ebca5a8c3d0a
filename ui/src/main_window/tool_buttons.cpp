#include "ui/main_window/tool_buttons.h"

#include "ui/artwork/artwork.h"

#include <QToolBar>
#include <QToolButton>

namespace scanbench {

namespace {

QAction* AddButton(QToolBar& bar, const char* name, ToolIcon icon, const QString& hint,
                   bool enabled = true) {
    QAction* button = bar.addAction(ToolButtonIcon(icon), hint);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setEnabled(enabled);
    if (QWidget* widget = bar.widgetForAction(button)) {
        widget->setFixedWidth(24);
    }
    return button;
}

constexpr bool Off = false;

} // namespace

ToolButtons BuildToolButtons(QToolBar& bar) {
    ToolButtons b;
    b.NewProgram = AddButton(bar, "ToolButton1", ToolIcon::NewFile, QStringLiteral("New File"));
    b.OpenProgram = AddButton(bar, "ToolButton2", ToolIcon::OpenFile, QStringLiteral("Open File"));
    b.SaveProgram =
        AddButton(bar, "ToolButton3", ToolIcon::SaveFile, QStringLiteral("Save File"), Off);
    bar.addSeparator();
    b.Search = AddButton(bar, "ToolButton5", ToolIcon::Search, QStringLiteral("Search"));
    b.ClearAllBreakpoints = AddButton(bar, "ToolButton11", ToolIcon::ClearBreakpoints,
                                      QStringLiteral("Clear all Breakpoints"));
    b.GotoLine =
        AddButton(bar, "ToolButton27", ToolIcon::GotoLine, QStringLiteral("Goto line number..."));
    bar.addSeparator();
    b.EventByEvent = AddButton(bar, "ToolButton12", ToolIcon::EventByEvent,
                               QStringLiteral("Run: Event-by-Event"), Off);
    b.StepByStep = AddButton(bar, "ToolButton17", ToolIcon::StepByStep,
                             QStringLiteral("Run: Step-by-Step"), Off);
    b.Execute =
        AddButton(bar, "ToolButton6", ToolIcon::Execute, QStringLiteral("Run: Execute Code"), Off);
    b.Pause = AddButton(bar, "ToolButton20", ToolIcon::Pause, QStringLiteral("Run: Pause"), Off);
    b.Reset = AddButton(bar, "ToolButton14", ToolIcon::Reset, QStringLiteral("Reset"), Off);
    b.SpeedRun = AddButton(bar, "ToolButton18", ToolIcon::SpeedRun,
                           QStringLiteral("Speed Run. WARNING: use with care."), Off);
    bar.addSeparator();
    b.StateDiagram =
        AddButton(bar, "ToolButton22", ToolIcon::StateDiagram, QStringLiteral("State diagram"));
    b.Waveforms = AddButton(bar, "ToolButton28", ToolIcon::Waveforms, QStringLiteral("Waveforms"));
    b.BitstreamShifter = AddButton(bar, "ToolButton21", ToolIcon::BitstreamShifter,
                                   QStringLiteral("Bitstream shifter"));
    bar.addSeparator();
    b.Setup = AddButton(bar, "ToolButton7", ToolIcon::Setup, QStringLiteral("Run: Setup"));
    b.About = AddButton(bar, "ToolButton9", ToolIcon::About, QStringLiteral("Scanbench: About"));
    b.Help = AddButton(bar, "ToolButton10", ToolIcon::Help, QStringLiteral("Help"));
    b.UseParallelPort =
        AddButton(bar, "ToolButton16", ToolIcon::ParallelPort, QStringLiteral("Use parallel port"));
    b.UseParallelPort->setVisible(false);
    return b;
}

} // namespace scanbench
