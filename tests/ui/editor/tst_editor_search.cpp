#include "modal_driver.h"
#include "ui/dialogs/search_dialog.h"
#include "ui/editor/editor_search.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/search_commands.h"
#include "ui/main_window/status_line.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

EditorSearch& Search(WindowFixture& f) {
    return f.Window().Searches().TextSearch();
}

// Presses `key` in the editor and lets the queued dialog request run.
void PressInEditor(WindowFixture& f, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&f.Window().Editor(), static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
}

QLineEdit& Field(SearchDialog& dialog, const char* name) {
    return *dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

// Clicks a key in `dialog` as the active window, so that its buttons' Alt keys work.
void PressInDialog(QWidget& dialog, int key, Qt::KeyboardModifiers modifiers = Qt::AltModifier) {
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, static_cast<Qt::Key>(key), modifiers);
}

QString Selected(WindowFixture& f) {
    const QTextCursor cursor = f.Window().Editor().textCursor();
    return QStringLiteral("%1+%2").arg(cursor.selectionStart()).arg(cursor.selectedText().size());
}

// A window showing `text` with the caret at `caret`.
void ShowText(WindowFixture& f, const QString& text, int caret) {
    f.Window().show();
    f.Type(text);
    QTextCursor cursor = f.Window().Editor().textCursor();
    cursor.setPosition(caret);
    f.Window().Editor().setTextCursor(cursor);
    f.Window().Editor().setFocus();
}

// A window showing `text`, with the replace dialog opened by its key and
// `find` typed in.
SearchDialog& OpenReplace(WindowFixture& f, const QString& text, const QString& find) {
    ShowText(f, text, 0);
    PressInEditor(f, Qt::Key_R, Qt::ControlModifier);
    SearchDialog& dialog = *Search(f).Dialog();
    QTest::keyClicks(&Field(dialog, "FindText"), find);
    return dialog;
}

} // namespace

// The editor's find and replace, driven by keys as the user drives them.
class EditorSearchTest : public QObject {
    Q_OBJECT
private slots:
    void findStartsAtTheTopThenContinuesWithF3();
    void yesToAllReplacesTheRestAndReportsTheCountOnce();
    void answeringNoReplacesNothingAndReadOnlyTextStays();
};

void EditorSearchTest::findStartsAtTheTopThenContinuesWithF3() {
    WindowFixture f;
    ShowText(f, QStringLiteral("RST;\nNOP; // rst\nRST;\n"), 7);
    PressInEditor(f, Qt::Key_F, Qt::ControlModifier);
    SearchDialog* dialog = Search(f).Dialog();
    QVERIFY(dialog != nullptr && dialog->isVisible());
    QCOMPARE(dialog->DialogMode(), SearchDialog::Mode::Find);
    QCOMPARE(f.Window().Editor().toPlainText().size(), 22); // Ctrl+F typed nothing

    QTest::keyClicks(&Field(*dialog, "FindText"), QStringLiteral("rst"));
    QTest::keyClick(&Field(*dialog, "FindText"), Qt::Key_Return); // Find Next
    QCOMPARE(Selected(f), QStringLiteral("0+3")); // from the top, not from the caret
    PressInEditor(f, Qt::Key_F3);
    QCOMPARE(Selected(f), QStringLiteral("13+3"));
    QCOMPARE(f.Window().Status().CaretPositionText(), QStringLiteral("Line: 2   Col: 12"));
    PressInEditor(f, Qt::Key_F3);
    QCOMPARE(Selected(f), QStringLiteral("17+3"));

    ModalDriver boxes;
    boxes.Press(Qt::Key_Return);
    PressInEditor(f, Qt::Key_F3);
    QTRY_VERIFY(boxes.Done());
    QCOMPARE(boxes.Seen, QStringList{"Search Results: No more instances of \"rst\" found."});
    QCOMPARE(Selected(f), QStringLiteral("17+3")); // unchanged

    // The options outlive the dialog; a new dialog starts with the selection.
    PressInDialog(*dialog, Qt::Key_C); // Match case
    QTRY_VERIFY(dialog->Options().MatchCase);
    PressInDialog(*dialog, Qt::Key_Escape, Qt::NoModifier);
    QVERIFY(!dialog->isVisible());
    QVERIFY(Search(f).Properties().Options.MatchCase);
    PressInEditor(f, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(Search(f).Dialog() != dialog);
    QCOMPARE(Field(*Search(f).Dialog(), "FindText").text(), QStringLiteral("RST"));
    QVERIFY(Search(f).Dialog()->findChild<QCheckBox*>(QStringLiteral("MatchCase"))->isChecked());
    QVERIFY(Search(f).SearchString().isEmpty());
}

void EditorSearchTest::yesToAllReplacesTheRestAndReportsTheCountOnce() {
    WindowFixture f;
    const QString text = QStringLiteral("ab ab\nab;");
    SearchDialog* dialog = &OpenReplace(f, text, QStringLiteral("ab"));
    QCOMPARE(dialog->DialogMode(), SearchDialog::Mode::Replace);
    QTest::keyClicks(&Field(*dialog, "ReplaceText"), QStringLiteral("xyz"));

    ModalDriver boxes;
    boxes.Press(Qt::Key_A).Press(Qt::Key_Return); // Yes to All, then the count
    PressInDialog(*dialog, Qt::Key_R);            // Replace
    QTRY_VERIFY(boxes.Done());
    QCOMPARE(f.Window().Editor().toPlainText(), QStringLiteral("xyz xyz\nxyz;"));
    QCOMPARE(boxes.Seen, (QStringList{"Confirm: Replace current text?",
                                      "Replace Results: Replaced 3 instances of \"ab\"."}));
    // The prompt sat below the first hit's line.
    const QPoint hit = f.Window().Editor().viewport()->mapToGlobal(QPoint(0, 0));
    QVERIFY(boxes.Places.first().top() > hit.y());
    // "Yes to All" counted for that run only, and the run is one undo step.
    QVERIFY(Search(f).Properties().PromptReplace);
    f.Window().Editor().undo();
    QCOMPARE(f.Window().Editor().toPlainText(), text);
}

void EditorSearchTest::answeringNoReplacesNothingAndReadOnlyTextStays() {
    WindowFixture f;
    const QString text = QStringLiteral("ab ab");
    SearchDialog* dialog = &OpenReplace(f, text, QStringLiteral("ab"));

    ModalDriver boxes;
    boxes.Press(Qt::Key_N).Press(Qt::Key_Escape).Press(Qt::Key_Return);
    PressInDialog(*dialog, Qt::Key_A); // Replace All
    QTRY_VERIFY(boxes.Done());
    QCOMPARE(f.Window().Editor().toPlainText(), text);
    QCOMPARE(boxes.Seen.last(),
             QStringLiteral("Replace Results: No more instances of \"ab\" found."));

    f.Window().Editor().setReadOnly(true); // a program runs
    ModalDriver none;
    none.Press(Qt::Key_Escape); // would close a box that must not come
    PressInDialog(*dialog, Qt::Key_A);
    QCoreApplication::processEvents(); // whatever the press queued has run
    QVERIFY2(!none.Done(), qPrintable(none.Seen.join(QLatin1Char('\n'))));
    QCOMPARE(f.Window().Editor().toPlainText(), text);
}

QTEST_MAIN(EditorSearchTest)
#include "tst_editor_search.moc"
