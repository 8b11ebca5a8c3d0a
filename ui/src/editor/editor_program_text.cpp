#include "ui/editor/editor_program_text.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace scanbench {

EditorProgramText::EditorProgramText(const QPlainTextEdit& editor,
                                     std::function<void(std::int32_t)> showLine)
    : Editor(editor), Show(std::move(showLine)) {
    Watch = QObject::connect(editor.document(), &QTextDocument::contentsChanged, [this] {
        Count.reset();
        Lines.reset();
    });
}

EditorProgramText::~EditorProgramText() {
    QObject::disconnect(Watch);
}

std::int32_t EditorProgramText::LineCount() const {
    if (!Count) {
        const QTextDocument& document = *Editor.document();
        const std::int32_t blocks = document.blockCount();
        // A block's length counts its end-of-block character: 1 means empty.
        Count = document.lastBlock().length() <= 1 ? blocks - 1 : blocks;
    }
    return *Count;
}

std::string EditorProgramText::Line(std::int32_t index) const {
    const std::int32_t count = LineCount();
    if (index < 0 || index >= count) {
        return {};
    }
    if (!Lines) {
        Lines.emplace();
        Lines->reserve(static_cast<std::size_t>(count));
        for (QTextBlock block = Editor.document()->begin();
             block.isValid() && static_cast<std::int32_t>(Lines->size()) < count;
             block = block.next()) {
            Lines->push_back(block.text().toStdString());
        }
    }
    return (*Lines)[static_cast<std::size_t>(index)];
}

void EditorProgramText::ShowLine(std::int32_t index) {
    if (Show) {
        Show(index);
    }
}

} // namespace scanbench
