#pragma once

#include "core/program_text.h"

#include <functional>

class QPlainTextEdit;

namespace scanbench {

// The engine's view of the program editor. The line count follows the
// editor's own rule: the empty line after a final line end is not a line, so
// "RST;\n" has 1 line and an empty editor none. ShowLine is handed to the
// window, which shows the line at its next refresh.
class EditorProgramText final : public ProgramText {
public:
    EditorProgramText(const QPlainTextEdit& editor, std::function<void(std::int32_t)> showLine);

    [[nodiscard]] std::int32_t LineCount() const override;
    [[nodiscard]] std::string Line(std::int32_t index) const override;
    void ShowLine(std::int32_t index) override;

private:
    const QPlainTextEdit& Editor;
    std::function<void(std::int32_t)> Show;
};

} // namespace scanbench
