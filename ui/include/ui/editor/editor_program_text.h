#pragma once

#include "engine/program/program_text.h"

#include <QMetaObject>

#include <functional>
#include <optional>
#include <vector>

class QPlainTextEdit;

namespace scanbench {

// The engine's view of the program editor. The line count follows the
// editor's own rule: the empty line after a final line end is not a line, so
// "RST;\n" has 1 line and an empty editor none. ShowLine is handed to the
// window, which shows the line at its next refresh.
//
// A run reads lines millions of times from a text that cannot change while
// it runs, so the count and the lines are kept until the text changes; the
// lines are copied only when first read after a change.
class EditorProgramText final : public ProgramText {
public:
    EditorProgramText(const QPlainTextEdit& editor, std::function<void(std::int32_t)> showLine);
    ~EditorProgramText() override;
    EditorProgramText(const EditorProgramText&) = delete;
    EditorProgramText& operator=(const EditorProgramText&) = delete;

    [[nodiscard]] std::int32_t LineCount() const override;
    [[nodiscard]] std::string Line(std::int32_t index) const override;
    void ShowLine(std::int32_t index) override;

private:
    const QPlainTextEdit& Editor;
    std::function<void(std::int32_t)> Show;
    QMetaObject::Connection Watch;
    mutable std::optional<std::int32_t> Count;
    mutable std::optional<std::vector<std::string>> Lines;
};

} // namespace scanbench
