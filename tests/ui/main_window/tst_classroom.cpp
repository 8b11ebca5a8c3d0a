#include "settings/store_document.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/status_line.h"
#include "ui/tools/examples_menu.h"
#include "ui/tools/execute_pace_menu.h"
#include "ui/tools/line_numbers_item.h"
#include "ui/tools/messages_tool.h"
#include "ui/tools/session_restart.h"
#include "ui/tools/zoom_control.h"
#include "ui/views/messages_window.h"
#include "window_fixture.h"
#include "window_logic/main_window/session_handover.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <unistd.h>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

const QByteArray FourLines = "RST;\r\nTMS0;\r\nTMS1;\r\nHALT;\r\n";

QStringList Captions(const QMenu& menu) {
    QStringList captions;
    for (const QAction* item : menu.actions()) {
        if (!item->isSeparator()) {
            captions << item->text();
        }
    }
    return captions;
}

QStringList LogTexts(MessagesTool& tools) {
    QStringList texts;
    for (std::size_t i = 0; i < tools.Log().Size(); ++i) {
        texts << QString::fromStdString(tools.Log().At(i).Text);
    }
    return texts;
}

} // namespace

// The teaching aids through the window: the running line, the message log,
// the examples, the Execute pace and the zoom's restart handover.
class ClassroomTest : public QObject {
    Q_OBJECT
private slots:
    void runningLineFollowsStepByStepAndGoesOnReset();
    void breakpointStopAndHaltAreLoggedWithTheirLine();
    void everyStepIsLoggedAndOnlyRunsCoalesce();
    void examplesMenuListsTheFilesAndOpensAsOpenDoes();
    void eventPacePlaysOneEventPerTick();
    void zoomRestartHandsTheSessionOver();
    void plantedHandoverFilesAreRefused();
};

void ClassroomTest::runningLineFollowsStepByStepAndGoesOnReset() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram(FourLines);
    ProgramEditor& editor = f.Window().Editor();
    QCOMPARE(editor.RunningLine(), std::nullopt);
    f.Window().Runs().StepByStep();
    QCOMPARE(editor.RunningLine(), 0);
    f.Window().Runs().StepByStep();
    QCOMPARE(editor.RunningLine(), 1);
    const auto marks = editor.extraSelections();
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks.front().cursor.blockNumber(), 1);
    QVERIFY(marks.front().format.property(QTextFormat::FullWidthSelection).toBool());
    f.Window().Runs().Reset();
    QCOMPARE(editor.RunningLine(), std::nullopt);
    QVERIFY(editor.extraSelections().isEmpty());

    // Line numbers push the text right; the boxes stay where they were.
    const QRect box = f.Window().Gutter().Box(1)->geometry();
    const int textLeft = editor.viewport()->x();
    f.Window().LineNumbers().Item().trigger();
    QVERIFY(editor.LineNumbersShown());
    QVERIFY(editor.viewport()->x() > textLeft);
    QCOMPARE(f.Window().Gutter().Box(1)->geometry(), box);
    QVERIFY(f.Values().LineNumbers);
}

void ClassroomTest::breakpointStopAndHaltAreLoggedWithTheirLine() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram(FourLines);
    MessagesTool& tools = f.Window().Messages();
    tools.Log().Clear();
    f.Window().Gutter().Box(3)->click(); // line 3: "TMS1;"
    f.Execute();
    QCOMPARE(f.Window().Status().StatusText(), QStringLiteral("Line processed"));
    QCOMPARE(LogTexts(tools).last(), QStringLiteral("Stopped at breakpoint, line 3"));
    QCOMPARE(tools.Log().At(tools.Log().Size() - 1).Line, 3);
    f.Window().Runs().StepByStep();
    f.Execute();
    QCOMPARE(f.Window().Status().StatusText(), QStringLiteral("HALT")); // unchanged
    QCOMPARE(LogTexts(tools).last(), QStringLiteral("HALT at line 4"));

    MessagesWindow& view = tools.View();
    view.show();
    QCOMPARE(view.Rows().topLevelItemCount(), static_cast<int>(tools.Log().Size()));
    const QTreeWidgetItem* last = view.Rows().topLevelItem(view.Rows().topLevelItemCount() - 1);
    QCOMPARE(last->text(0), QStringLiteral("4"));
    QCOMPARE(last->foreground(2).color(), f.Window().Status().StatusColor());
    f.Window().Runs().Reset();
    // Rows follow while the window is open.
    QCOMPARE(view.Rows().topLevelItemCount(), static_cast<int>(tools.Log().Size()));
    view.ClearLog();
    QCOMPARE(view.Rows().topLevelItemCount(), 0);
}

void ClassroomTest::everyStepIsLoggedAndOnlyRunsCoalesce() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram("TMS0;\r\nTMS0;\r\nTMS0;\r\nTMS0;\r\nTMS0;\r\nTMS0;\r\nHALT;\r\n");
    MessageLog& log = f.Window().Messages().Log();
    log.Clear();
    for (int i = 0; i < 3; ++i) {
        f.Window().Runs().StepByStep();
    }
    QCOMPARE(log.Size(), std::size_t{3});
    for (std::size_t i = 0; i < log.Size(); ++i) {
        QCOMPARE(log.At(i).Text, std::string("Line processed"));
        QCOMPARE(log.At(i).Line, static_cast<std::int32_t>(i + 1));
        QVERIFY(i == 0 || log.At(i).Event > log.At(i - 1).Event);
    }
    // Execute reports its first message and then only what changes.
    f.Execute();
    QCOMPARE(log.Size(), std::size_t{5});
    QCOMPARE(log.At(3).Line, 4);
    QCOMPARE(log.At(4).Text, std::string("HALT at line 7"));
}

void ClassroomTest::examplesMenuListsTheFilesAndOpensAsOpenDoes() {
    QTemporaryDir examples;
    QVERIFY(QDir(examples.path()).mkdir(QStringLiteral("lessons")));
    for (const char* name : {"02-b.bst", "01-a.bst", "notes.txt", "lessons/01-l.bst"}) {
        QFile file(examples.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("TMS0;\r\n");
    }
    MainWindowOptions options;
    options.Classroom.Examples = {"/nonexistent/scanbench/examples", examples.path().toStdString()};
    WindowFixture f(false, std::move(options));
    f.Window().show();
    QMenu& menu = f.Window().Examples().Menu();
    emit menu.aboutToShow();
    QCOMPARE(Captions(menu), (QStringList{"01-a", "02-b", "&Lessons"}));
    const QMenu* lessons = menu.findChild<QMenu*>(QStringLiteral("Lessons1"));
    QVERIFY(lessons);
    QCOMPARE(Captions(*lessons), QStringList{"01-l"});

    f.Type(QStringLiteral("unsaved"));
    f.User().Answers = {false};
    menu.actions().front()->trigger();
    QCOMPARE(f.User().Questions.size(), 1);
    QVERIFY(f.Window().Editor().toPlainText().contains(QStringLiteral("unsaved")));
    menu.actions().front()->trigger(); // Yes this time
    QCOMPARE(f.Window().Editor().toPlainText(), QStringLiteral("TMS0;\n"));
    QCOMPARE(QString::fromStdString(f.Window().Session().ProgFile()),
             examples.filePath(QStringLiteral("01-a.bst")));

    // The next Open starts in that folder; the user's program folder stays.
    f.User().OpenPath.clear();
    f.Window().Files().OpenProgram();
    QCOMPARE(f.User().OpenFolder, examples.path());
    QVERIFY(f.Values().ProgramFolder.empty());

    // Save keeps the example as shipped: it asks for a new name, starting
    // in the user's program folder, which the new file then names.
    f.Type(QStringLiteral("NOP;\n"));
    f.Window().Files().SaveProgram();
    QCOMPARE(f.User().SaveFolder, QDir::homePath());
    QFile shipped(examples.filePath(QStringLiteral("01-a.bst")));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QCOMPARE(shipped.readAll(), QByteArray("TMS0;\r\n"));
    const QString copy = f.WriteFile(QStringLiteral("copy.bst"), {});
    f.User().SavePath = copy;
    f.Window().Files().SaveProgram();
    QCOMPARE(QString::fromStdString(f.Window().Session().ProgFile()), copy);
    const QString mine = QFileInfo(copy).absolutePath();
    Settings reread;
    QVERIFY(f.Store().LoadSettings(reread));
    QCOMPARE(QString::fromStdString(reread.ProgramFolder), mine);
    // A lesson opened next is saved under a new name there too.
    lessons->actions().front()->trigger();
    f.Window().Files().SaveProgramAs();
    QCOMPARE(f.User().SaveFolder, mine);
}

void ClassroomTest::eventPacePlaysOneEventPerTick() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram(FourLines);
    f.Window().PaceMenu().Choose(ExecutePace::Events20);
    QCOMPARE(f.Window().ExecuteTimer().interval(), 50);
    f.Window().Runs().Execute();
    for (std::uint32_t tick = 1; tick <= 3; ++tick) {
        f.Window().Runs().ExecuteTick();
        QCOMPARE(f.Eng().Events().PlayedCount(), tick);
    }
    f.Window().Runs().Pause();
    QVERIFY(!f.Window().ExecuteTimer().isActive());
    f.Window().PaceMenu().Choose(ExecutePace::FullSpeed);
    QCOMPARE(f.Window().ExecuteTimer().interval(), 1);
}

void ClassroomTest::zoomRestartHandsTheSessionOver() {
    QStringList launched;
    ScreenRoom screen{{1366, 768}, 1.0};
    MainWindowOptions options;
    options.Classroom.Relaunch = [&launched](const QStringList& arguments) {
        launched = arguments;
        return true;
    };
    options.Classroom.Room = [&screen] { return screen; };
    WindowFixture f(false, std::move(options));
    f.Window().show();

    // Only the zooms that fit the screen are offered.
    ZoomControl& tools = f.Window().Zoom();
    tools.UpdateItems();
    QVERIFY(tools.Item(100)->isEnabled());
    QVERIFY(!tools.Item(150)->isEnabled() && !tools.Item(200)->isEnabled());
    tools.Choose(150);
    QVERIFY(launched.isEmpty());
    QCOMPARE(f.Values().Zoom, 100);
    QVERIFY(tools.Item(100)->isChecked());
    QCOMPARE(f.Window().Status().StatusText(),
             QStringLiteral("Zoom 150 % does not fit this screen"));
    screen = {{1920, 1050}, 1.0};
    tools.UpdateItems();
    QVERIFY(tools.Item(150)->isEnabled());

    f.OpenProgram(FourLines, QStringLiteral("lesson.bst"));
    f.Type(QStringLiteral("TMS0;\n"));
    f.Window().Gutter().Box(2)->click();
    const QString text = f.Window().Editor().toPlainText();
    f.Window().PaceMenu().Choose(ExecutePace::Statements10);
    f.Window().Runs().Execute();
    f.Window().Zoom().Choose(150);
    QCOMPARE(launched.size(), 2);
    QCOMPARE(launched[0], QStringLiteral("--handover"));
    QVERIFY(QFile::exists(launched[1]));
    QCOMPARE(f.User().Questions.size(), 0);
    QTRY_VERIFY(!f.Window().isVisible()); // closed without asking
    Settings reread;
    QVERIFY(f.Store().LoadSettings(reread));
    QCOMPARE(reread.Zoom, 150);

    WindowFixture next;
    next.Window().show();
    QVERIFY(next.Window().Restart().TakeHandover(launched[1]));
    QVERIFY(!QFile::exists(launched[1]));
    QCOMPARE(next.Window().Editor().toPlainText(), text);
    QVERIFY(next.Window().Editor().document()->isModified());
    QCOMPARE(next.Window().Session().ProgFile(), f.Window().Session().ProgFile());
    QVERIFY(next.Eng().State().Breakpoints.IsSet(1));
    QVERIFY(!next.Eng().State().Breakpoints.IsSet(0));
    QVERIFY(next.Window().Gutter().Box(2)->isChecked());
    // The pace goes on; the run the restart ended is reported.
    QCOMPARE(next.Window().PaceMenu().Pace(), ExecutePace::Statements10);
    QCOMPARE(next.Window().ExecuteTimer().interval(),
             TimingFor(ExecutePace::Statements10).IntervalMs);
    QCOMPARE(next.Window().Status().StatusText(), QString::fromUtf8(RunStoppedByZoomText.data()));
    const MessageLog& log = next.Window().Messages().Log();
    QCOMPARE(log.At(log.Size() - 1).Text, std::string(RunStoppedByZoomText));

    // Anything but a handover file is refused and left alone.
    const QString other = next.WriteFile(QStringLiteral("scanbench-handover-x"), "RST;\n");
    QVERIFY(!next.Window().Restart().TakeHandover(other));
    QVERIFY(QFile::exists(other));
    QCOMPARE(next.User().Errors.size(), 1);
}

// Anyone may put files into the shared temporary folder: a handover file
// that this user did not make for itself alone would show another file's
// name with any text, and Save would then overwrite that file.
void ClassroomTest::plantedHandoverFilesAreRefused() {
    WindowFixture f;
    f.Window().show();
    f.OpenProgram(FourLines, QStringLiteral("lesson.bst"));
    const QString victim = f.WriteFile(QStringLiteral("victim.bst"), "RST;\r\n");
    const std::string bytes = EncodeHandover({"NOP;\n", victim.toStdString(), true, {}});
    const QString planted = QDir(QDir::tempPath())
                                .filePath(QStringLiteral("scanbench-handover-planted%1")
                                              .arg(QCoreApplication::applicationPid()));
    const auto plant = [&](QFileDevice::Permissions permissions) {
        QFile::remove(planted);
        QFile file(planted);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        file.close();
        QVERIFY(file.setPermissions(permissions));
    };
    int refusals = 0;
    const auto expectRefused = [&](const QString& path) {
        QVERIFY(!f.Window().Restart().TakeHandover(path));
        QCOMPARE(f.User().Errors.size(), ++refusals);
        QVERIFY(
            f.User().Errors.last().contains(QStringLiteral("not a file Scanbench handed over")));
        QCOMPARE(f.Window().Editor().toPlainText(), QString::fromLatin1(FourLines).remove('\r'));
        QVERIFY(f.Window().Session().ProgFile().ends_with("lesson.bst"));
    };
    plant(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    expectRefused(planted);
    QVERIFY(QFile::exists(planted)); // left alone

    plant(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString link = planted + QStringLiteral("-link");
    QVERIFY(QFile::link(planted, link));
    expectRefused(link);
    QFile::remove(link);
    if (::geteuid() == 0) { // someone else's file, with the right mode
        QCOMPARE(::chown(planted.toLocal8Bit().constData(), 65534, 65534), 0);
        expectRefused(planted);
    }
    QFile::remove(planted);
}

QTEST_MAIN(ClassroomTest)
#include "tst_classroom.moc"
