#pragma once

#include <QPixmap>

#include <cstdint>
#include <functional>

class QWidget;

namespace scanbench {

class CommandTracker;
class EditorArea;
class GotoLineDialog;
class MainWindowModel;
class ProgramText;
class UserInteraction;

// What Goto line works with: the editor and its lines, the window's model,
// the questions it asks (on `DialogParent`, in the interface language
// `Language` gives).
struct GotoLineParts {
    EditorArea& Area;
    const ProgramText& Lines;
    MainWindowModel& Model;
    CommandTracker& Commands;
    UserInteraction& User;
    QWidget& DialogParent;
    std::function<std::uint8_t()> Language;
};

// Goto line: asks for a line number and moves the caret there; while a
// program runs (the editor locked), the goto arrow marks the line in the
// gutter.
class GotoLineCommand {
public:
    explicit GotoLineCommand(GotoLineParts parts);

    void Run();

    [[nodiscard]] GotoLineDialog& Dialog() const { return *Box; }
    // The line last chosen while editing was locked (1-based).
    [[nodiscard]] std::int32_t Line() const { return Target; }

private:
    void DrawMark();

    GotoLineParts Parts;
    GotoLineDialog* Box;
    std::int32_t Target = 0;
    QPixmap Arrow;
};

} // namespace scanbench
