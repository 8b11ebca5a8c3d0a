#include "ui/artwork.h"
#include "ui/main_actions.h"

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
    b.ToolButton1 = AddButton(bar, "ToolButton1", ToolIcon::NewFile, QStringLiteral("New File"));
    b.ToolButton2 = AddButton(bar, "ToolButton2", ToolIcon::OpenFile, QStringLiteral("Open File"));
    b.ToolButton3 =
        AddButton(bar, "ToolButton3", ToolIcon::SaveFile, QStringLiteral("Save File"), Off);
    bar.addSeparator();
    b.ToolButton5 = AddButton(bar, "ToolButton5", ToolIcon::Search, QStringLiteral("Search"));
    b.ToolButton11 = AddButton(bar, "ToolButton11", ToolIcon::ClearBreakpoints,
                               QStringLiteral("Clear all Breakpoints"));
    b.ToolButton27 =
        AddButton(bar, "ToolButton27", ToolIcon::GotoLine, QStringLiteral("Goto line number..."));
    bar.addSeparator();
    b.ToolButton12 = AddButton(bar, "ToolButton12", ToolIcon::EventByEvent,
                               QStringLiteral("Run: Event-by-Event"), Off);
    b.ToolButton17 = AddButton(bar, "ToolButton17", ToolIcon::StepByStep,
                               QStringLiteral("Run: Step-by-Step"), Off);
    b.ToolButton6 =
        AddButton(bar, "ToolButton6", ToolIcon::Execute, QStringLiteral("Run: Execute Code"), Off);
    b.ToolButton20 =
        AddButton(bar, "ToolButton20", ToolIcon::Pause, QStringLiteral("Run: Pause"), Off);
    b.ToolButton14 = AddButton(bar, "ToolButton14", ToolIcon::Reset, QStringLiteral("Reset"), Off);
    b.ToolButton18 = AddButton(bar, "ToolButton18", ToolIcon::SpeedRun,
                               QStringLiteral("Speed Run. WARNING: use with care."), Off);
    bar.addSeparator();
    b.ToolButton22 =
        AddButton(bar, "ToolButton22", ToolIcon::StateDiagram, QStringLiteral("State diagram"));
    b.ToolButton28 =
        AddButton(bar, "ToolButton28", ToolIcon::Waveforms, QStringLiteral("Waveforms"));
    b.ToolButton21 = AddButton(bar, "ToolButton21", ToolIcon::BitstreamShifter,
                               QStringLiteral("Bitstream shifter"));
    bar.addSeparator();
    b.ToolButton7 = AddButton(bar, "ToolButton7", ToolIcon::Setup, QStringLiteral("Run: Setup"));
    b.ToolButton9 =
        AddButton(bar, "ToolButton9", ToolIcon::About, QStringLiteral("Scanbench: About"));
    b.ToolButton10 = AddButton(bar, "ToolButton10", ToolIcon::Help, QStringLiteral("Help"));
    b.ToolButton16 =
        AddButton(bar, "ToolButton16", ToolIcon::ParallelPort, QStringLiteral("Use parallel port"));
    b.ToolButton16->setVisible(false);
    return b;
}

} // namespace scanbench
