#include "ui/editor/program_editor.h"
#include "window_fixture.h"

#include <QTest>
#include <QTimer>

using namespace scanbench;
using namespace scanbench::testing;

// The title follows the file name and the modified mark on every Timer2 tick.
class WindowTitleTest : public QObject {
    Q_OBJECT
private slots:
    void followsNameAndMark_data();
    void followsNameAndMark();
    void startFileShowsItsNameAtTheNextTitleTick();
};

void WindowTitleTest::followsNameAndMark_data() {
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("title");
    QTest::newRow("untitled") << false << false << "Scanbench - untitled -";
    QTest::newRow("untitled, typed") << false << true << "Scanbench - untitled - *";
    QTest::newRow("saved as") << true << false << "Scanbench - prog.bst -";
    QTest::newRow("saved as, typed") << true << true << "Scanbench - prog.bst - *";
}

void WindowTitleTest::followsNameAndMark() {
    QFETCH(bool, named);
    QFETCH(bool, typed);
    QFETCH(QString, title);
    WindowFixture f;
    if (named) {
        f.Type(QStringLiteral("RST;"));
        f.User().SavePath = f.WriteFile(QStringLiteral("prog.bst"), "old");
        f.Window().Files().SaveProgramAs();
    }
    if (typed) {
        f.Type(QStringLiteral("\nHALT;"));
    }
    f.Window().Runs().HousekeepingTick();
    QCOMPARE(f.Window().windowTitle(), title);
}

void WindowTitleTest::startFileShowsItsNameAtTheNextTitleTick() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start.bst"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("RST;\r\nHALT;\r\n");
    file.close();
    MainWindowOptions options;
    options.StartFile = path;
    WindowFixture f(false, options);
    f.Window().show();
    QCoreApplication::processEvents(); // the load queued by the first show
    QCOMPARE(f.Window().Editor().toPlainText(), QStringLiteral("RST;\nHALT;\n"));
    QCOMPARE(f.Window().Session().ProgFile(), QFileInfo(path).absoluteFilePath().toStdString());
    // The title timer ticks every half second; its next tick names the file.
    const auto* titleTimer = f.Window().findChild<QTimer*>(QStringLiteral("Timer2"));
    QVERIFY(titleTimer != nullptr && titleTimer->isActive());
    QCOMPARE(titleTimer->interval(), 500);
    f.Window().Runs().HousekeepingTick();
    QCOMPARE(f.Window().windowTitle(), QStringLiteral("Scanbench - start.bst -"));
}

QTEST_MAIN(WindowTitleTest)
#include "tst_window_title.moc"
