#include "ui/editor/program_editor.h"

#include "ui/appearance/window_fonts.h"
#include "window_logic/main_window/font_choice.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <functional>

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
// Room either side of the line numbers.
constexpr int NumberPadding = 3;

// The running statement's background: a soft yellow that leaves the green
// and maroon text readable.
const QColor RunningLineColour(255, 241, 168);
const QColor NumberColour(110, 110, 110);
const QColor NumberBackground(238, 238, 238);

// The column beside the text that the editor paints its line numbers into.
class NumberColumnWidget : public QWidget {
public:
    NumberColumnWidget(QWidget* parent, std::function<void(QWidget&)> paint)
        : QWidget(parent), Paint(std::move(paint)) {
        setObjectName(QStringLiteral("LineNumbers"));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        (void)event;
        Paint(*this);
    }

private:
    std::function<void(QWidget&)> Paint;
};

} // namespace

ProgramEditor::ProgramEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Memo1"));
    setFont(EditorFontChoice());
    document()->setDocumentMargin(0);
    setViewportMargins(TextInset, 0, 0, 0);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The window's own scroll bar moves through the lines; long lines get a
    // scroll bar of the editor's while the text holds one.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTabChangesFocus(false);
    setTabStopDistance(8 * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    NumberColumn =
        new NumberColumnWidget(this, [this](QWidget& column) { PaintLineNumbers(column); });
    NumberColumn->hide();
    connect(this, &QPlainTextEdit::updateRequest, this, [this] {
        if (NumbersShown) {
            NumberColumn->update();
        }
        emit RowsMoved();
    });
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] {
        if (NumbersShown) {
            FitWholeRows();
        }
    });
    // The scroll bar for long lines comes and goes with them, once the
    // editor has laid itself out again; the rows above it stay whole.
    connect(
        horizontalScrollBar(), &QScrollBar::rangeChanged, this,
        [this] {
            if (FittedAboveScrollBar != horizontalScrollBar()->isVisibleTo(this)) {
                FitWholeRows();
                emit RowsMoved();
            }
        },
        Qt::QueuedConnection);
    FitWholeRows();
}

void ProgramEditor::SetRunningLine(std::optional<std::int32_t> line) {
    if (line == Running) {
        return;
    }
    Running = line;
    QList<QTextEdit::ExtraSelection> marks;
    if (line) {
        const QTextBlock block = document()->findBlockByNumber(*line);
        if (block.isValid()) {
            QTextEdit::ExtraSelection mark;
            mark.format.setBackground(RunningLineColour);
            mark.format.setProperty(QTextFormat::FullWidthSelection, true);
            mark.cursor = QTextCursor(block);
            marks.append(mark);
        }
    }
    setExtraSelections(marks);
}

void ProgramEditor::SetLineNumbersShown(bool shown) {
    if (shown == NumbersShown) {
        return;
    }
    NumbersShown = shown;
    NumberColumn->setVisible(shown);
    FitWholeRows();
    emit RowsMoved();
}

int ProgramEditor::NumberColumnWidth() const {
    if (!NumbersShown) {
        return 0;
    }
    return LineNumberWidth(document()->blockCount(),
                           QFontMetrics(font()).horizontalAdvance(QLatin1Char('9')), NumberPadding);
}

void ProgramEditor::PaintLineNumbers(QWidget& column) {
    QPainter painter(&column);
    painter.fillRect(column.rect(), NumberBackground);
    painter.setFont(font());
    painter.setPen(NumberColour);
    const std::int32_t first = FirstVisibleLine();
    const std::int32_t lines = document()->blockCount();
    const QPointF offset = contentOffset();
    int row = 0;
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next(), ++row) {
        const QRectF box = blockBoundingGeometry(block).translated(offset);
        if (box.top() >= column.height()) {
            break;
        }
        if (const auto number = RowLineNumber(first, row, lines)) {
            const QRect text(0, qRound(box.top()), column.width() - NumberPadding,
                             qRound(box.height()));
            painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, QString::number(*number));
        }
    }
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
    const QScrollBar& across = *horizontalScrollBar();
    FittedAboveScrollBar = across.isVisibleTo(this);
    const int height = contentsRect().height() - (FittedAboveScrollBar ? across.height() : 0);
    const int margin = WholeRowsMargin(height, qRound(RowHeight()), Gutter::BoxCount);
    const int numbers = NumberColumnWidth();
    setViewportMargins(TextInset + numbers, 0, 0, margin);
    const QRect inside = contentsRect();
    if (NumberColumn == nullptr) {
        return; // the font is set before the column is made
    }
    NumberColumn->setGeometry(inside.left(), inside.top(), numbers, height - margin);
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
