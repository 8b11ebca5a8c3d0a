#include "ui/program_editor.h"

#include "window_logic/font_choice.h"

#include <QFontMetricsF>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace scanbench {

namespace {

QFont FontOfSize(int pixelSize) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    return font;
}

// Row height of a plain-text layout in `font`, measured as the editor lays
// its blocks out.
double MeasuredRowHeight(const QFont& font) {
    QTextDocument probe;
    auto* layout = new QPlainTextDocumentLayout(&probe);
    probe.setDocumentLayout(layout);
    probe.setDefaultFont(font);
    probe.setDocumentMargin(0);
    probe.setPlainText(QStringLiteral("Xg\nXg"));
    return layout->blockBoundingRect(probe.firstBlock()).height();
}

// "Courier New" 13 pixels, or the monospace font the system offers for it,
// at the size nearest 13 pixels whose rows are 16 pixels high.
QFont EditorFontChoice() {
    const int size = ChooseEditorPixelSize(
        [](int pixelSize) { return MeasuredRowHeight(FontOfSize(pixelSize)); });
    return FontOfSize(size);
}

} // namespace

ProgramEditor::ProgramEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Memo1"));
    setFont(EditorFontChoice());
    document()->setDocumentMargin(0);
    setViewportMargins(2, 0, 0, 0);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    setTabStopDistance(8 * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

std::int32_t ProgramEditor::FirstVisibleLine() const {
    return verticalScrollBar()->value();
}

std::int32_t ProgramEditor::MaxFirstVisibleLine() const {
    return verticalScrollBar()->maximum();
}

void ProgramEditor::SetFirstVisibleLine(std::int32_t line) {
    verticalScrollBar()->setValue(line);
}

std::int32_t ProgramEditor::CaretLine() const {
    return textCursor().blockNumber();
}

std::int32_t ProgramEditor::CaretColumn() const {
    return textCursor().positionInBlock();
}

std::int32_t ProgramEditor::LastLine() const {
    return document()->blockCount() - 1;
}

void ProgramEditor::PutCaretAtLineStart(std::int32_t line) {
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid()) {
        return;
    }
    QTextCursor caret(block);
    setTextCursor(caret);
}

double ProgramEditor::RowHeight() const {
    return blockBoundingRect(document()->firstBlock()).height();
}

int ProgramEditor::FirstRowTop(const QWidget* widget) const {
    const QPointF offset = contentOffset();
    return viewport()->mapTo(widget, QPoint(0, static_cast<int>(offset.y()))).y();
}

void ProgramEditor::SetTextColour(const QColor& colour) {
    QPalette shades = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        shades.setColor(group, QPalette::Text, colour);
        shades.setColor(group, QPalette::Base, QColor(Qt::white));
    }
    setPalette(shades);
}

QColor ProgramEditor::TextColour() const {
    return palette().color(QPalette::Active, QPalette::Text);
}

void ProgramEditor::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    emit KeyReleased();
}

void ProgramEditor::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    emit MousePressed();
}

} // namespace scanbench
