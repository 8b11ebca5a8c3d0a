#include "ui/dialogs/help_window.h"
#include "ui/editor/editor_program_text.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/driver_notice.h"
#include "ui/main_window/status_line.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

using namespace scanbench;
using namespace scanbench::testing;

// The editor as the engine and the user see it.
class ProgramEditorTest : public QObject {
    Q_OBJECT
private slots:
    void lineCountFollowsTheMemoRule_data();
    void lineCountFollowsTheMemoRule();
    void caretAtTheStartShowsLineOneColumnOne();
    void scrollBarFollowsTextAndKeys();
    void clipboardAndUndoWorkOnTheEditor();
    void helpOpensTheManualOrSaysItIsMissing();
    void driverFailureShowsTheNotice();
};

void ProgramEditorTest::lineCountFollowsTheMemoRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("empty") << "" << 0 << "";
    QTest::newRow("one line") << "RST;" << 1 << "RST;";
    QTest::newRow("line end") << "RST;\n" << 1 << "RST;";
    QTest::newRow("blank line after") << "RST;\n\n" << 2 << "";
    QTest::newRow("not ASCII") << QString::fromUtf8("NOP; // \xC3\xA9t\xC3\xA9") << 1
                               << QString::fromUtf8("NOP; // \xC3\xA9t\xC3\xA9");
}

void ProgramEditorTest::lineCountFollowsTheMemoRule() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, lastLine);
    ProgramEditor editor(nullptr);
    editor.setPlainText(text);
    std::int32_t shown = -2;
    EditorProgramText lines(editor, [&](std::int32_t line) { shown = line; });
    QCOMPARE(lines.LineCount(), count);
    QCOMPARE(QString::fromStdString(lines.Line(count - 1)), lastLine);
    QCOMPARE(lines.Line(count), std::string());
    QCOMPARE(lines.Line(-1), std::string());
    lines.ShowLine(5);
    QCOMPARE(shown, 5);
    editor.setPlainText(QStringLiteral("X;\nY;")); // the engine sees every edit
    QCOMPARE(lines.LineCount(), 2);
    QCOMPARE(lines.Line(1), std::string("Y;"));
}

void ProgramEditorTest::caretAtTheStartShowsLineOneColumnOne() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram("RST;\r\nHALT;\r\n");
    QCOMPARE(f.Window().Status().CaretPositionText(), QStringLiteral("Line: 1   Col: 1"));
    f.Window().Editor().moveCursor(QTextCursor::Down);
    f.Window().Editor().moveCursor(QTextCursor::Right);
    f.Window().Editor().moveCursor(QTextCursor::Right);
    emit f.Window().Editor().MousePressed();
    QCOMPARE(f.Window().Status().CaretPositionText(), QStringLiteral("Line: 2   Col: 3"));
}

void ProgramEditorTest::scrollBarFollowsTextAndKeys() {
    WindowFixture f;
    f.Window().show();
    QScrollBar& bar = f.Window().EditorScrollBar();
    QCOMPARE(bar.pageStep(), 23);
    f.Type(QStringLiteral("A\nB\nC\nD"));
    QCOMPARE(bar.maximum(), 3); // line count - 1
    f.Window().Editor().setFocus();
    QTest::keyClick(&f.Window().Editor(), Qt::Key_Up);
    QCOMPARE(bar.value(), 2); // the key-up puts the scroll bar on the caret line
    QCOMPARE(f.Window().Status().CaretPositionText(), QStringLiteral("Line: 3   Col: 2"));
    f.Window().Editor().selectAll();
    f.Type(QString());
    QCOMPARE(bar.maximum(), 3); // an empty text leaves the maximum alone
}

void ProgramEditorTest::clipboardAndUndoWorkOnTheEditor() {
    WindowFixture f;
    f.Type(QStringLiteral("RST;"));
    f.Window().Editor().selectAll();
    f.Window().Copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("RST;"));
    f.Window().Cut();
    QCOMPARE(f.Window().Editor().toPlainText(), QString());
    f.Window().Paste();
    f.Window().Paste();
    QCOMPARE(f.Window().Editor().toPlainText(), QStringLiteral("RST;RST;"));
    f.Window().Undo();
    QCOMPARE(f.Window().Editor().toPlainText(), QStringLiteral("RST;"));
}

void ProgramEditorTest::helpOpensTheManualOrSaysItIsMissing() {
    QTemporaryDir install;
    QTemporaryDir source;
    QFile manual(source.filePath(QStringLiteral("scanbench.html")));
    QVERIFY(manual.open(QIODevice::WriteOnly));
    manual.close();
    MainWindowOptions options;
    options.InstallDir = install.path().toStdString(); // set, but no manual there
    options.SourceDocDir = source.path().toStdString();
    WindowFixture f(false, options);
    f.Window().Items().HelpTopics->trigger();
    QCOMPARE(f.User().Documents, QStringList{manual.fileName()});
    QCOMPARE(f.Window().ManualWindow(), nullptr);
    // Without a browser the manual opens in the program's own help window.
    QVERIFY(manual.open(QIODevice::WriteOnly));
    manual.write("<html><body><h1>Getting started</h1></body></html>");
    manual.close();
    f.User().BrowserOpens = false;
    f.Window().Items().HelpTopics->trigger();
    const HelpWindow* help = f.Window().ManualWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->Browser().source(), QUrl::fromLocalFile(manual.fileName()));
    QVERIFY(help->Browser().toPlainText().contains(QStringLiteral("Getting started")));
    QVERIFY(f.User().Errors.isEmpty());
    manual.remove();
    f.Window().Buttons().Help->trigger();
    QCOMPARE(f.User().Errors.size(), 1);
}

void ProgramEditorTest::driverFailureShowsTheNotice() {
    MainWindowOptions options;
    options.PortAvailable = false;
    WindowFixture f(false, options);
    MainWindow& w = f.Window();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    DriverNotice& notice = *w.Items().Notice;
    QVERIFY(notice.ShowsError());
    QCOMPARE(notice.NoticeText(),
             QStringLiteral("              ERROR STARTING DRIVER.        The program will not "
                            "function correctly.              "));
    QCOMPARE(w.Status().StatusText(), QStringLiteral("Couldnt start driver. Something wrong !"));
    QCOMPARE(w.Status().StatusColor(), QColor(255, 0, 0));

    // On the bar itself, right of Help, with nothing in the bar's overflow.
    const QMenuBar& bar = *w.menuBar();
    QVERIFY(notice.isVisible() && notice.isEnabled());
    QVERIFY(notice.text().startsWith(QStringLiteral("ERROR STARTING DRIVER.")));
    QVERIFY(bar.rect().contains(notice.geometry()));
    QVERIFY(bar.actionGeometry(w.Items().HelpMenu->menuAction()).right() < notice.x());
    const auto* overflow = bar.findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button"));
    QVERIFY(overflow == nullptr || !overflow->isVisible());
    // Its pop-up gives the whole notice, readable and inside the window.
    notice.click();
    QMenu& details = notice.Details();
    QVERIFY(details.isVisible());
    const auto* text = details.findChild<QLabel*>(QStringLiteral("DriverNoticeText"));
    QVERIFY(text && text->isEnabled());
    QVERIFY(text->text().contains(QStringLiteral("The program will not function correctly.")));
    QVERIFY2(w.frameGeometry().contains(details.geometry()),
             qPrintable(QStringLiteral("%1 %2 %3 %4")
                            .arg(details.x())
                            .arg(details.y())
                            .arg(details.width())
                            .arg(details.height())));
    details.close();

    // A port that opens again takes the notice back to its short text.
    notice.ShowPortState(true);
    QVERIFY(!notice.ShowsError());
    QCOMPARE(notice.text(), QStringLiteral("IEEE 1149.1 trainer"));
}

QTEST_MAIN(ProgramEditorTest)
#include "tst_program_editor.moc"
