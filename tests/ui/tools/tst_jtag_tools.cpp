// Utilities > "Serve board over remote_bitbang": the window serves a demo
// board's TAP 0 on the loopback interface without blocking, one client at a
// time, and stops when switched off.

#include "ui/main_window/status_line.h"
#include "ui/tools/jtag_tools.h"
#include "window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

using namespace scanbench;
using namespace scanbench::testing;

class TestJtagTools : public QObject {
    Q_OBJECT
private slots:
    void servesOneClientAtATimeAndStopsWhenSwitchedOff();
    void servesTheNextClientAfterAQuitOrASilence();
};

namespace {

// Switches the server on and gives its port.
quint16 StartServing(WindowFixture& f) {
    f.Window().findChild<QAction*>(QStringLiteral("ServeBoard1"))->trigger();
    return static_cast<quint16>(QRegularExpression(QStringLiteral("127\\.0\\.0\\.1:(\\d+)"))
                                    .match(f.Window().Status().StatusText())
                                    .captured(1)
                                    .toUInt());
}

} // namespace

void TestJtagTools::servesOneClientAtATimeAndStopsWhenSwitchedOff() {
    WindowFixture f;
    auto* toggle = f.Window().findChild<QAction*>(QStringLiteral("ServeBoard1"));
    QVERIFY(toggle != nullptr);
    QVERIFY(toggle->isCheckable());
    toggle->trigger();
    QVERIFY(toggle->isChecked());
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("127\\.0\\.0\\.1:(\\d+)"))
            .match(f.Window().Status().StatusText());
    QVERIFY2(match.hasMatch(), qPrintable(f.Window().Status().StatusText()));
    const auto port = static_cast<quint16>(match.captured(1).toUInt());
    // The port number shows whole in the status line at the window's size.
    const auto* status = f.Window().Status().findChild<QLabel*>(QStringLiteral("Status"));
    QVERIFY(status != nullptr);
    QVERIFY(status->fontMetrics().horizontalAdvance(status->text().left(match.capturedEnd(0))) <=
            status->contentsRect().width());

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(client.waitForConnected(2000));
    // Reset, then Run-Test/Idle .. Shift-IR, reading TDO before each rising
    // edge: released (1) until the first falling edge in Shift-IR, then the
    // captured 0101 of U2, least significant bit first.
    client.write("2R6 2R6 2R6 2R6 2R6 0R4 2R6 2R6 0R4 0R4 0R4 0R4 0R4 garbage 0R4");
    QByteArray replies;
    QTRY_VERIFY((replies += client.readAll()).size() >= 14);
    QCOMPARE(replies, QByteArray("11111111111010"));

    QTcpSocket second;
    second.connectToHost(QHostAddress::LocalHost, port);
    QTRY_COMPARE(second.state(), QAbstractSocket::UnconnectedState);
    client.write("R");
    QByteArray more; // the first client is still served
    QTRY_VERIFY(!(more += client.readAll()).isEmpty());
    QCOMPARE(more, QByteArray("0"));

    toggle->trigger();
    QVERIFY(!toggle->isChecked());
    QTRY_COMPARE(client.state(), QAbstractSocket::UnconnectedState);
    QTcpSocket late;
    late.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(!late.waitForConnected(1000));
}

void TestJtagTools::servesTheNextClientAfterAQuitOrASilence() {
    WindowFixture f;
    const quint16 port = StartServing(f);
    QVERIFY(port != 0);
    for (int round = 0; round < 50; ++round) {
        QTcpSocket first; // quits and goes; the next one connects at once
        first.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(first.waitForConnected(60000));
        first.write("0Q");
        QVERIFY(first.waitForBytesWritten(60000));
        first.disconnectFromHost();
        QTcpSocket next;
        next.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(next.waitForConnected(60000));
        next.write("R");
        QByteArray reply;
        QTRY_VERIFY(!(reply += next.readAll()).isEmpty() ||
                    next.state() == QAbstractSocket::UnconnectedState);
        QVERIFY2(reply == "1", qPrintable(QStringLiteral("round %1").arg(round)));
        next.write("Q");
        QTRY_COMPARE(next.state(), QAbstractSocket::UnconnectedState);
    }

    auto* tools = f.Window().findChild<JtagTools*>();
    QVERIFY(tools != nullptr);
    QTcpSocket silent;
    silent.connectToHost(QHostAddress::LocalHost, port);
    QTRY_VERIFY(f.Window().Status().StatusText().contains(QStringLiteral("client connected")));
    QTimer& idle = tools->ClientIdleTimer();
    QVERIFY(idle.isActive());
    QCOMPARE(idle.interval(), 10000);
    QVERIFY(QMetaObject::invokeMethod(&idle, "timeout")); // ten silent seconds
    QTRY_COMPARE(silent.state(), QAbstractSocket::UnconnectedState);
    QVERIFY(f.Window().Status().StatusText().contains(QStringLiteral("silent for 10 s")));
    QTcpSocket next;
    next.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(next.waitForConnected(60000));
    next.write("R");
    QByteArray reply;
    QTRY_VERIFY(!(reply += next.readAll()).isEmpty());
    QCOMPARE(reply, QByteArray("1"));
}

QTEST_MAIN(TestJtagTools)
#include "tst_jtag_tools.moc"
