#include "modal_driver.h"
#include "ui/dialogs/about_commands.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/search_dialog.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/editor_search.h"
#include "ui/editor/goto_line_command.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/search_commands.h"
#include "ui/main_window/splash_control.h"
#include "ui/main_window/splash_screen.h"
#include "ui/views/labels_window.h"
#include "window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

QString Caption(WindowFixture& f, const char* name) {
    const QString objectName = QString::fromLatin1(name);
    if (const auto* menu = f.Window().menuBar()->findChild<QMenu*>(objectName)) {
        return menu->title();
    }
    return f.Window().menuBar()->findChild<QAction*>(objectName)->text();
}

// Types `entry` into the goto dialog's field and leaves it with `key`:
// Return or Escape in the field, or Alt and a button's letter.
ModalDriver::Action AnswerGoto(const QString& entry, int key, Qt::KeyboardModifiers mods = {}) {
    return [entry, key, mods](QWidget& dialog) {
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        field->selectAll();
        QTest::keyClicks(field, entry);
        QTest::keyClick(mods == Qt::NoModifier ? static_cast<QWidget*>(field) : &dialog,
                        static_cast<Qt::Key>(key), mods);
    };
}

void Goto(WindowFixture& f, ModalDriver::Action answer) {
    ModalDriver driver;
    driver.Then(std::move(answer));
    f.Window().Items().GotoLine->trigger();
    QVERIFY(driver.Done());
}

const QByteArray Program = "START: RST;\r\nNOP;\r\nloop : NOP;\r\nJMP START;\r\nHALT;\r\n";

} // namespace

// Interface languages, goto line, About and the Labels window.
class EditorCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void languagesSetCaptionsAndQuestions();
    void gotoLine_data();
    void gotoLine();
    void gotoWhileRunningMarksTheLine();
    void editorGetsTheFocusBackAfterCommandsAndDialogs();
    void aboutUnlocksTheLabelsWindow();
    void splashShowsAtStartForItsTime();
};

void EditorCommandsTest::languagesSetCaptionsAndQuestions() {
    WindowFixture f;
    f.Window().show();
    QCOMPARE(Caption(f, "File1"), QStringLiteral("File")); // no "&File" from the first display
    QSignalSpy changes(&f.Window(), &MainWindow::LanguageChanged);

    f.Window().Items().German->trigger();
    QCOMPARE(changes.takeLast().first().toInt(), 3);
    QVERIFY(f.Window().Items().German->isChecked() && !f.Window().Items().English->isChecked());
    for (const auto& [name, text] : {std::pair{"File1", "Datei"},
                                     {"Edit2", "Bearbeiten"},
                                     {"Windows1", "Fenster"},
                                     {"Help1", "Hilfe"},
                                     {"Past1", "Past"},
                                     {"StateDiagram01", "Zustanddiagramm"}}) {
        QCOMPARE(Caption(f, name), QString::fromUtf8(text));
    }
    f.Type(QStringLiteral("RST;"));
    f.User().Answers = {false};
    f.Window().Files().NewProgram();
    QCOMPARE(f.User().Questions,
             QStringList{QString::fromUtf8("Ficheiro ainda não gravado!\rDeseja prosseguir?")});

    f.Window().Items().French->trigger();
    Goto(f, AnswerGoto(QStringLiteral("abc"), Qt::Key_Return));
    Goto(f, AnswerGoto(QStringLiteral("2"), Qt::Key_Return));
    QCOMPARE(f.User().Errors,
             (QStringList{"Error! Number not recognized!", "Error! Line number not found :("}));

    f.Window().Items().English->trigger();
    QCOMPARE(Caption(f, "File1"), QStringLiteral("File"));
    QCOMPARE(Caption(f, "SaveAs1"), QStringLiteral("Save As..."));
    QCOMPARE(changes.size(), 2);
}

void EditorCommandsTest::gotoLine_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<QString>("error");
    QTest::newRow("last line") << "5" << int(Qt::Key_Return) << 4 << "";
    QTest::newRow("Goto button") << "3" << int(Qt::Key_G) << 2 << "";
    QTest::newRow("Cancel button still goes") << "4" << int(Qt::Key_C) << 3 << "";
    QTest::newRow("Escape stays") << "3" << int(Qt::Key_Escape) << 1 << "";
    QTest::newRow("0 stays") << "0" << int(Qt::Key_Return) << 1 << "";
    QTest::newRow("letters") << "abc" << int(Qt::Key_Return) << 1
                             << "Error! Number not recognized!";
    QTest::newRow("past the end") << "6" << int(Qt::Key_Return) << 1
                                  << "Error! Line number not found :(";
}

void EditorCommandsTest::gotoLine() {
    QFETCH(QString, entry);
    QFETCH(int, key);
    QFETCH(int, caretLine);
    QFETCH(QString, error);
    WindowFixture f;
    f.Window().show();
    f.OpenProgram(Program);
    f.Window().Editor().PutCaretAtLineStart(1);
    const bool button = key == Qt::Key_G || key == Qt::Key_C;
    Goto(f, [&](QWidget& dialog) {
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        AnswerGoto(entry, key, button ? Qt::AltModifier : Qt::NoModifier)(dialog);
    });
    QCOMPARE(f.Window().Editor().CaretLine(), caretLine);
    QCOMPARE(f.User().Errors, error.isEmpty() ? QStringList() : QStringList{error});
    QVERIFY(!f.Window().Gutter().ArrowRow()); // no arrow while editing
}

void EditorCommandsTest::gotoWhileRunningMarksTheLine() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram(Program);
    f.Window().Runs().StepByStep(); // the editor is locked until a reset
    QVERIFY(f.Window().Editor().isReadOnly());
    Goto(f, AnswerGoto(QStringLiteral("4"), Qt::Key_Return));
    QCOMPARE(f.Window().Goto().Line(), 4);
    QCOMPARE(f.Window().Editor().CaretLine(), 3);
    QCOMPARE(f.Window().Gutter().ArrowRow(), 3 - f.Window().Editor().FirstVisibleLine());
}

void EditorCommandsTest::editorGetsTheFocusBackAfterCommandsAndDialogs() {
    WindowFixture f;
    MainWindow& w = f.Window();
    w.show();
    f.OpenProgram(Program);
    const QWidget* editor = &w.Editor();
    QCOMPARE(w.focusWidget(), editor);
    // A run locks the editor and takes its focus; Reset and New give it back.
    for (const auto& command : std::initializer_list<std::function<void()>>{
             [&] { w.Runs().Reset(); }, [&] { w.Files().NewProgram(); }}) {
        w.Runs().StepByStep();
        QVERIFY(w.focusWidget() != editor);
        command();
        QCOMPARE(w.focusWidget(), editor);
    }
    f.OpenProgram(Program);
    const auto away = [&] {
        w.EditorScrollBar().setFocus();
        QVERIFY(w.focusWidget() != editor);
    };
    away();
    Goto(f, AnswerGoto(QString(), Qt::Key_Escape));
    QCOMPARE(w.focusWidget(), editor);
    for (const bool replace : {false, true}) {
        away();
        EditorSearch& search = w.Searches().TextSearch();
        search.StartSearch(replace);
        search.Dialog()->close();
        QCOMPARE(w.focusWidget(), editor);
    }
}

void EditorCommandsTest::aboutUnlocksTheLabelsWindow() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram(Program);
    f.Window().Items().German->trigger();
    AboutDialog& about = f.Window().AboutItems().AboutBox();
    const auto openAbout = [&](int doubleClicks) {
        ModalDriver driver;
        driver.Then([&, doubleClicks](QWidget&) {
            for (int i = 0; i < doubleClicks; ++i) {
                QTest::mouseDClick(&about.ChipPicture(), Qt::LeftButton);
            }
            QTest::keyClick(&about, Qt::Key_Escape);
        });
        f.Window().Items().About->trigger();
        QVERIFY(driver.Done());
    };
    openAbout(AboutUnlockClicks - 1);
    QCOMPARE(about.ProgramName().text(), QStringLiteral("Scanbench"));
    QCOMPARE(about.Heading().text(), QStringLiteral("Dieses Programm wurde dadurch geschrieben:"));
    openAbout(AboutUnlockClicks);
    QVERIFY(!f.Window().Items().Labels->isVisible());
    openAbout(0);
    QVERIFY(f.Window().Items().Labels->isVisible());

    // The Labels window lists what the latest code check collected.
    QListWidget& list = f.Window().AboutItems().Labels().List();
    const auto openLabels = [&] {
        ModalDriver driver;
        driver.Press(Qt::Key_Escape);
        f.Window().Items().Labels->trigger();
        QVERIFY(driver.Done());
    };
    openLabels();
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.item(0)->text(), QStringLiteral("No labels defined!"));
    QVERIFY(f.Eng().CheckCode());
    openLabels();
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.item(0)->text(), QStringLiteral("START"));
    QCOMPARE(list.item(1)->text(), QStringLiteral("LOOP ")); // the blank belongs to the name
}

void EditorCommandsTest::splashShowsAtStartForItsTime() {
    MainWindowOptions options;
    options.ShowSplash = true;
    WindowFixture f(false, options);
    const SplashControl& tools = f.Window().Splash();
    QVERIFY(tools.On() && !tools.Splash()->isVisible());
    f.Window().show();
    QVERIFY(tools.Splash()->isVisible());
    // Its time is a single shot of a second and a half; here it runs out.
    auto* time = tools.Splash()->findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(time != nullptr && time->isActive() && time->isSingleShot());
    QCOMPARE(time->interval(), 1500);
    QVERIFY(QMetaObject::invokeMethod(time, "timeout"));
    QVERIFY(!tools.On() && !tools.Splash()->isVisible());
    f.Window().activateWindow(); // later activations show nothing
    QVERIFY(QTest::qWaitForWindowActive(&f.Window()));
    QVERIFY(!tools.Splash()->isVisible());
}

QTEST_MAIN(EditorCommandsTest)
#include "tst_editor_commands.moc"
