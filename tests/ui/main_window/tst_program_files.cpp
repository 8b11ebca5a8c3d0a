#include "engine/program/program_file.h"
#include "fault_injection.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/program_file_io.h"
#include "window_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace scanbench;
using namespace scanbench::testing;

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

// Open, Save, Save As, New and the unsaved-text question.
class ProgramFilesTest : public QObject {
    Q_OBJECT
private slots:
    void lineEndsAndInvalidBytes_data();
    void lineEndsAndInvalidBytes();
    void absurdFilesAreRefusedWithAMessage_data();
    void absurdFilesAreRefusedWithAMessage();
    void answeringNoLeavesEverythingAsItWas_data();
    void answeringNoLeavesEverythingAsItWas();
    void saveWritesCrLfAndClearsTheMark();
    void failedSaveKeepsTheOldFileAndTheMark();
    void saveInAReadOnlyFolderWritesTheFileInPlace();
    void openFailureLeavesTheProgram();
    void svfOpensAsItsTranslationAndSavesBesideIt();
    void refusedSvfLeavesTheProgram();
    void fifoAndShortMemoryLeaveTheProgram();
    void newStartsANewProgram_data();
    void newStartsANewProgram();
};

void ProgramFilesTest::lineEndsAndInvalidBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("CR LF") << QByteArray("RST;\r\nHALT;\r\n") << "RST;\nHALT;\n";
    QTest::newRow("CR") << QByteArray("RST;\rHALT;") << "RST;\nHALT;";
    QTest::newRow("LF") << QByteArray("RST;\nHALT;\n") << "RST;\nHALT;\n";
    QTest::newRow("invalid UTF-8") << QByteArray("RST; // \xFF\xC3(\r\n")
                                   << QString::fromUtf8("RST; // \xEF\xBF\xBD\xEF\xBF\xBD(\n");
    QTest::newRow("a million characters")
        << QByteArray(1000000, 'A') << QString(1000000, QLatin1Char('A'));
}

void ProgramFilesTest::lineEndsAndInvalidBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    WindowFixture f;
    f.OpenProgram(bytes);
    QVERIFY(f.User().Errors.isEmpty());
    QCOMPARE(f.Window().Editor().toPlainText(), text);
    QVERIFY(!f.Window().Editor().document()->isModified());
    QCOMPARE(f.Window().windowTitle(), QStringLiteral("Scanbench - untitled -")); // until Timer2
    f.Window().Runs().HousekeepingTick();
    QCOMPARE(f.Window().windowTitle(), QStringLiteral("Scanbench - prog.bst -"));
}

void ProgramFilesTest::absurdFilesAreRefusedWithAMessage_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("binary") << QByteArray("\x7F"
                                          "ELF\x02\x01\x01\0\0\0",
                                          10);
    QTest::newRow("ten million lines") << QByteArray(10000000, '\n');
    QTest::newRow("a line too long")
        << QByteArray(static_cast<qsizetype>(ProgramFileLimits::MaxLineBytes) + 1, 'A');
    QTest::newRow("too large") << QByteArray(
        static_cast<qsizetype>(ProgramFileLimits::MaxBytes) + 1, ';');
}

void ProgramFilesTest::absurdFilesAreRefusedWithAMessage() {
    QFETCH(QByteArray, bytes);
    WindowFixture f;
    f.OpenProgram("RST;\r\nHALT;\r\n", QStringLiteral("good.bst"));
    f.OpenProgram(bytes, QStringLiteral("bad.bst"));
    QCOMPARE(f.User().Errors.size(), 1);
    QVERIFY(f.User().Errors.first().contains(QStringLiteral("bad.bst")));
    QCOMPARE(f.Window().Editor().toPlainText(), QStringLiteral("RST;\nHALT;\n"));
    QVERIFY(f.Window().Session().ProgFile().ends_with("good.bst"));
}

void ProgramFilesTest::answeringNoLeavesEverythingAsItWas_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("New") << "New";
    QTest::newRow("Open") << "Open";
    QTest::newRow("Close") << "Close";
}

void ProgramFilesTest::answeringNoLeavesEverythingAsItWas() {
    QFETCH(QString, command);
    WindowFixture f;
    f.Window().show();
    f.OpenProgram("RST;\r\nHALT;\r\n");
    f.Type(QStringLiteral("NOP;\n"));
    f.Eng().State().Breakpoints.Set(1, true);
    f.User().Answers = {false};
    f.User().OpenPath = f.WriteFile(QStringLiteral("other.bst"), "TMS0;\r\n");
    // A run at its pace waits for the answer and goes on afterwards.
    f.Window().Runs().Execute();
    bool ticking = true;
    f.User().WhileAsking = [&] { ticking = f.Window().ExecuteTimer().isActive(); };
    f.Window().EditorScrollBar().setFocus();
    if (command == QLatin1String("New")) {
        f.Window().Files().NewProgram();
    } else if (command == QLatin1String("Open")) {
        f.Window().Files().OpenProgram();
    } else {
        f.Window().close();
    }
    QCOMPARE(f.User().Questions,
             QStringList{QStringLiteral("File not yet saved!\rDo you want to proceed?")});
    QVERIFY(f.Window().isVisible());
    QCOMPARE(f.Window().Editor().toPlainText(), QStringLiteral("NOP;\nRST;\nHALT;\n"));
    QVERIFY(f.Window().Editor().document()->isModified());
    QVERIFY(f.Window().Session().ProgFile().ends_with("prog.bst"));
    QVERIFY(f.Eng().State().Breakpoints.IsSet(1));
    QVERIFY(!ticking);
    QVERIFY(f.Window().ExecuteTimer().isActive());
    QCOMPARE(f.Window().focusWidget(), &f.Window().Editor()); // typing goes on there
}

void ProgramFilesTest::saveWritesCrLfAndClearsTheMark() {
    WindowFixture f;
    f.Type(QStringLiteral("RST;\n\tHALT;\n"));
    f.User().SavePath = f.WriteFile(QStringLiteral("new.bst"), "");
    QVERIFY(f.Window().Files().SaveProg()); // untitled: asks for a file
    QCOMPARE(Contents(f.User().SavePath), QByteArray("RST;\r\n\tHALT;\r\n"));
    QVERIFY(!f.Window().Editor().document()->isModified());
    QVERIFY(f.Window().Session().ProgNamed());
    f.Type(QStringLiteral("NOP;"));
    f.User().SavePath.clear(); // a named program saves without asking
    f.Window().Files().SaveProgram();
    QCOMPARE(Contents(f.Window().Session().ProgFile().c_str()),
             QByteArray("RST;\r\n\tHALT;\r\nNOP;\r\n"));
}

void ProgramFilesTest::failedSaveKeepsTheOldFileAndTheMark() {
    WindowFixture f;
    const QByteArray old = "RST;\r\nHALT;\r\n";
    f.OpenProgram(old);
    f.Type(QString(4096, QLatin1Char('X')));
    {
        const FileSizeLimit limit(1024); // the write fails part-way
        f.Window().Files().SaveProgram();
    }
    QCOMPARE(f.User().Errors.size(), 1);
    QCOMPARE(Contents(QString::fromStdString(f.Window().Session().ProgFile())), old);
    QVERIFY(f.Window().Editor().document()->isModified());
    f.Window().Runs().HousekeepingTick();
    QVERIFY(f.Window().windowTitle().endsWith(QStringLiteral(" - *")));

    f.User().SavePath = f.WriteFile(QStringLiteral("no-such-folder/x.bst"), "");
    f.Window().Files().SaveProgramAs();
    QCOMPARE(f.User().Errors.size(), 2);
    QVERIFY(f.Window().Session().ProgFile().ends_with("prog.bst")); // the name did not change
}

void ProgramFilesTest::saveInAReadOnlyFolderWritesTheFileInPlace() {
    WindowFixture f;
    f.OpenProgram("RST;\r\nHALT;\r\n");
    const QString path = QString::fromStdString(f.Window().Session().ProgFile());
    const ReadOnlyFolder readOnly(QFileInfo(path).absolutePath().toStdString());
    const AsOrdinaryUser user;
    f.Type(QStringLiteral("NOP;\n"));
    f.Window().Files().SaveProgram();
    QCOMPARE(f.User().Errors, QStringList{});
    QCOMPARE(Contents(path), QByteArray("NOP;\r\nRST;\r\nHALT;\r\n"));
    QVERIFY(!f.Window().Editor().document()->isModified());

    ::chmod(path.toLocal8Bit().constData(), 0444); // now the file refuses too
    f.Type(QStringLiteral("TMS1;\n"));
    f.Window().Files().SaveProgram();
    QCOMPARE(f.User().Errors.size(), 1);
    QVERIFY(f.User().Errors.first().contains(QStringLiteral("Permission denied")));
    QCOMPARE(Contents(path), QByteArray("NOP;\r\nRST;\r\nHALT;\r\n"));
    QVERIFY(f.Window().Editor().document()->isModified());
    ::chmod(path.toLocal8Bit().constData(), 0644);
}

void ProgramFilesTest::openFailureLeavesTheProgram() {
    WindowFixture f;
    f.OpenProgram("RST;\r\nHALT;\r\n");
    f.User().OpenPath = QStringLiteral("/nonexistent/missing.bst");
    f.Window().Files().OpenProgram();
    QCOMPARE(f.User().Errors.size(), 1);
    QVERIFY(f.User().Errors.first().contains(QStringLiteral("missing.bst")));
    QCOMPARE(f.Window().Editor().toPlainText(), QStringLiteral("RST;\nHALT;\n"));
    f.User().OpenPath.clear(); // cancelled
    f.Window().Files().OpenProgram();
    QCOMPARE(f.User().Errors.size(), 1);
}

// An SVF file shows and runs as its translation under the SVF file's name;
// Save writes a program file beside it and leaves the SVF file alone.
void ProgramFilesTest::svfOpensAsItsTranslationAndSavesBesideIt() {
    WindowFixture f; // on the loopback board, TDO follows TDI
    const QByteArray svf = "STATE RESET;\r\nSDR 8 TDI (A5) TDO (A5);\r\n";
    f.OpenProgram(svf, QStringLiteral("check.svf"));
    QVERIFY(f.User().Errors.isEmpty());
    QVERIFY(f.Window().Editor().toPlainText().startsWith(
        QStringLiteral("// check.svf, translated from SVF by Scanbench")));
    QVERIFY(!f.Window().Editor().document()->isModified());
    f.Window().Runs().HousekeepingTick();
    QCOMPARE(f.Window().windowTitle(), QStringLiteral("Scanbench - check.svf -"));
    f.Execute();
    QCOMPARE(f.Eng().Registers().Flags[0], 0);
    QVERIFY(
        f.Window().ProgramLines().Line(f.CurrentLine() - 1).starts_with("ALL_TDO_CHECKS_PASSED"));

    const QString svfPath = f.User().OpenPath;
    f.User().SavePath = f.WriteFile(QStringLiteral("check.bst"), "");
    QVERIFY(f.Window().Files().SaveProg());
    QCOMPARE(f.User().SaveSuggestion, QFileInfo(svfPath).absolutePath() + "/check.bst");
    QCOMPARE(Contents(svfPath), svf);
    QVERIFY(Contents(f.User().SavePath).startsWith("// check.svf, translated"));
    f.Window().Runs().HousekeepingTick();
    QCOMPARE(f.Window().windowTitle(), QStringLiteral("Scanbench - check.bst -"));
}

void ProgramFilesTest::refusedSvfLeavesTheProgram() {
    WindowFixture f;
    f.OpenProgram("RST;\r\nHALT;\r\n", QStringLiteral("good.bst"));
    f.OpenProgram("STATE RESET;\r\nPIO (HL);\r\n", QStringLiteral("bad.svf"));
    QCOMPARE(f.User().Errors.size(), 1);
    QVERIFY(f.User().Errors.first().contains(QStringLiteral("bad.svf")));
    QVERIFY(f.User().Errors.first().contains(QStringLiteral("SVF line 2: PIO")));
}

// A FIFO is refused at once instead of blocking the open until someone
// writes to it; a file the memory cannot hold is refused with a message.
// Either way the editor keeps its program.
void ProgramFilesTest::fifoAndShortMemoryLeaveTheProgram() {
    WindowFixture f;
    f.OpenProgram("RST;\r\nHALT;\r\n", QStringLiteral("good.bst"));
    const QString fifo = QFileInfo(f.WriteFile(QStringLiteral("x.bst"), ""))
                             .dir()
                             .filePath(QStringLiteral("fifo.bst"));
    QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    f.User().OpenPath = fifo;
    f.Window().Files().OpenProgram();
    QCOMPARE(f.User().Errors.size(), 1);
    QVERIFY2(f.User().Errors.first().contains(QStringLiteral("not a regular file")),
             qPrintable(f.User().Errors.first()));

    QByteArray large;
    const QByteArray line = QByteArray(98, 'N') + "\r\n";
    for (int i = 0; i < 300000; ++i) { // 30 MB: within what the editor takes
        large += line;
    }
    f.User().OpenPath = f.WriteFile(QStringLiteral("large.bst"), large);
    large.clear();
    {
        const AddressSpaceLimit limit(16 << 20);
        if (!limit.Workable()) {
            QSKIP("no address-space limit here (a sanitizer build)");
        }
        f.Window().Files().OpenProgram();
    }
    QCOMPARE(f.User().Errors.size(), 2);
    QVERIFY2(f.User().Errors.last().contains(QStringLiteral("Error: not enough memory")),
             qPrintable(f.User().Errors.last()));
    QCOMPARE(f.Window().Editor().toPlainText(), QStringLiteral("RST;\nHALT;\n"));
    QVERIFY(f.Window().Session().ProgFile().ends_with("good.bst"));
}

QTEST_MAIN(ProgramFilesTest)
// Whatever the old program was doing (two steps taken, halted, executing),
// New leaves nothing of it: the typed program runs from its first line.
void ProgramFilesTest::newStartsANewProgram_data() {
    QTest::addColumn<QString>("before");
    QTest::newRow("after two steps") << "steps";
    QTest::newRow("after HALT") << "halt";
    QTest::newRow("during Execute") << "execute";
}

void ProgramFilesTest::newStartsANewProgram() {
    QFETCH(QString, before);
    WindowFixture f;
    f.OpenProgram(before == QLatin1String("halt") ? "NOP;\nHALT;\n"
                                                  : "NOP;\nNOP;\nNOP;\nWSA1;\nHALT;\n");
    MainWindow& w = f.Window();
    if (before == QLatin1String("steps")) {
        w.Runs().StepByStep();
        w.Runs().StepByStep();
    } else if (before == QLatin1String("halt")) {
        f.Execute();
        QVERIFY(f.Eng().State().Run.ProgramEnded);
    } else {
        w.Runs().Execute();
        w.Runs().ExecuteTick(); // now waiting on SIA for ever
        w.Runs().ExecuteTick();
        QVERIFY(w.ExecuteTimer().isActive());
    }
    w.Files().NewProgram();
    QVERIFY(!w.ExecuteTimer().isActive());
    QVERIFY(!w.Editor().isReadOnly());
    f.Type(QStringLiteral("LD CNT,5h;\nHALT;"));
    w.Runs().StepByStep();
    QCOMPARE(f.CurrentLine(), 1);
    QCOMPARE(f.Eng().Registers().Counter[0], 5);
}

#include "tst_program_files.moc"
