#include "ui/program_editor.h"

#include "ui/window_fonts.h"
#include "window_logic/font_choice.h"

#include <QFontMetricsF>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace scanbench {

namespace {

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

// "Courier New" 13 pixels, or the size nearest 13 pixels whose rows are
// 16 pixels high.
QFont EditorFontChoice() {
    const int size = ChooseEditorPixelSize(
        [](int pixelSize) { return MeasuredRowHeight(EditorFontOfSize(pixelSize)); });
    return EditorFontOfSize(size);
}

// Room between the frame and the text on the left.
constexpr int TextInset = 2;

} // namespace

ProgramEditor::ProgramEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Memo1"));
    setFont(EditorFontChoice());
    document()->setDocumentMargin(0);
    setViewportMargins(TextInset, 0, 0, 0);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    setTabStopDistance(8 * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    connect(this, &QPlainTextEdit::updateRequest, this, [this] { emit RowsMoved(); });
    FitWholeRows();
}

ProgramEditor::~ProgramEditor() {
    // Whatever the base class does while it is destroyed, the gutter must not
    // ask this editor for its rows any more.
    disconnect(this, &ProgramEditor::RowsMoved, nullptr, nullptr);
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

std::vector<RowSpan> ProgramEditor::VisibleRows(const QWidget& widget, int count) const {
    const QPoint origin = viewport()->mapTo(&widget, QPoint(0, 0));
    const int bottom = viewport()->height();
    std::vector<RowSpan> laidOut;
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock();
         block.isValid() && laidOut.size() < static_cast<std::size_t>(count);
         block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(offset);
        if (box.top() >= bottom) {
            break;
        }
        const int top = qRound(box.top());
        laidOut.push_back({origin.y() + top, qRound(box.bottom()) - top});
    }
    return ContinueRows(std::move(laidOut), count, origin.y() + qRound(offset.y()),
                        qRound(RowHeight()));
}

int ProgramEditor::WholeRows() const {
    return WholeRowsAbove(VisibleRows(*viewport(), Gutter::BoxCount), viewport()->height());
}

QRectF ProgramEditor::BlockGeometry(std::int32_t line) const {
    return blockBoundingGeometry(document()->findBlockByNumber(line)).translated(contentOffset());
}

void ProgramEditor::FitWholeRows() {
    const int margin =
        WholeRowsMargin(contentsRect().height(), qRound(RowHeight()), Gutter::BoxCount);
    setViewportMargins(TextInset, 0, 0, margin);
}

void ProgramEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    FitWholeRows();
    emit RowsMoved();
}

void ProgramEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitWholeRows();
        emit RowsMoved();
    }
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
