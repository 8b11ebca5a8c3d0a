#include "ui/editor_program_text.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace scanbench {

EditorProgramText::EditorProgramText(const QPlainTextEdit& editor,
                                     std::function<void(std::int32_t)> showLine)
    : Editor(editor), Show(std::move(showLine)) {}

std::int32_t EditorProgramText::LineCount() const {
    const QTextDocument& document = *Editor.document();
    const std::int32_t blocks = document.blockCount();
    // A block's length counts its end-of-block character: 1 means empty.
    return document.lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

std::string EditorProgramText::Line(std::int32_t index) const {
    if (index < 0 || index >= LineCount()) {
        return {};
    }
    return Editor.document()->findBlockByNumber(index).text().toStdString();
}

void EditorProgramText::ShowLine(std::int32_t index) {
    if (Show) {
        Show(index);
    }
}

} // namespace scanbench
