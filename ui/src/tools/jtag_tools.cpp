#include "ui/tools/jtag_tools.h"

#include "board/demo_board.h"
#include "engine/run/engine.h"
#include "ui/tools/export_file.h"

#include <QAction>
#include <QApplication>
#include <QHostAddress>
#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWidget>

#include <span>
#include <string>

namespace scanbench {

JtagTools::JtagTools(Engine& engine, QWidget& window, QAction& serveToggle)
    : QObject(&window), Eng(engine), Window(window), Toggle(serveToggle), Compares(engine.State()),
      ObservingRuns(engine.ObservePlayback(Compares)),
      FollowResets(engine.Views().Subscribe(Compares)), Board(DemoBoard()),
      IdleTimer(new QTimer(this)) {
    IdleTimer->setSingleShot(true);
    IdleTimer->setInterval(IdleLimitMs);
    connect(IdleTimer, &QTimer::timeout, this, [this] {
        DropClient(QStringLiteral("client silent for %1 s; disconnected so that others may connect")
                       .arg(IdleLimitMs / 1000),
                   true);
    });
    Toggle.setCheckable(true);
    connect(&Toggle, &QAction::toggled, this, &JtagTools::ServeBoard);
}

void JtagTools::ExportSvf() {
    const QString path =
        AskExportFileName(&Window, {QStringLiteral("Export TAP 0 of the run as SVF"),
                                    QStringLiteral("*.svf"), QStringLiteral("svf")});
    if (path.isEmpty()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SvfExportResult result;
    const QString error = WriteExportFile(path, [&](std::ostream& out) {
        result = WriteSvf(out, Eng.State(), Compares, 0,
                          "TAP 0 of a Scanbench run, exported to " + path.toStdString());
    });
    QApplication::restoreOverrideCursor();
    if (result.Refusal) {
        QMessageBox::critical(&Window, QCoreApplication::applicationName(),
                              QString::fromStdString(*result.Refusal));
        return;
    }
    if (!error.isEmpty()) {
        QMessageBox::critical(&Window, QCoreApplication::applicationName(), error);
        return;
    }
    if (!result.Problems.empty()) {
        QMessageBox::warning(
            &Window, QCoreApplication::applicationName(),
            QStringLiteral("The SVF file was written, but SVF cannot say everything this run did "
                           "(each place is also marked in the file):\n\n%1")
                .arg(QString::fromStdString(DescribeProblems(result.Problems))));
    }
}

bool JtagTools::Serving() const {
    return Server != nullptr && Server->isListening();
}

quint16 JtagTools::ServedPort() const {
    return Serving() ? Server->serverPort() : 0;
}

void JtagTools::ServeBoard(bool on) {
    if (on == Serving()) {
        return;
    }
    if (!on) {
        DropClient(QString());
        delete Server;
        Server = nullptr;
        Report(QStringLiteral("remote_bitbang server stopped"), false);
        return;
    }
    Server = new QTcpServer(this);
    Server->setMaxPendingConnections(1);
    if (!Server->listen(QHostAddress::LocalHost, PreferredPort) &&
        !Server->listen(QHostAddress::LocalHost, 0)) {
        const QString why = Server->errorString();
        delete Server;
        Server = nullptr;
        const QSignalBlocker quiet(Toggle);
        Toggle.setChecked(false);
        Report(QStringLiteral("Cannot serve the board over remote_bitbang: %1").arg(why), true);
        return;
    }
    connect(Server, &QTcpServer::newConnection, this, &JtagTools::AcceptClient);
    const QSignalBlocker quiet(Toggle);
    Toggle.setChecked(true);
    // The port number comes first: a long message is cut at the status
    // line's end.
    Report(QStringLiteral("Serving 127.0.0.1:%1 over remote_bitbang: a demo board's TAP 0")
               .arg(Server->serverPort()),
           false);
}

void JtagTools::AcceptClient() {
    while (QTcpSocket* incoming = Server->nextPendingConnection()) {
        if (Client != nullptr) {
            // The served client's last bytes, or its going away, may not have
            // been seen yet: they come first.
            (void)Client->waitForReadyRead(0);
        }
        if (Client != nullptr) {
            // One client at a time.
            incoming->abort();
            incoming->deleteLater();
            continue;
        }
        Client = incoming;
        Session.emplace(Target);
        IdleTimer->start();
        connect(Client, &QTcpSocket::readyRead, this, &JtagTools::ReadClient);
        connect(Client, &QTcpSocket::disconnected, this,
                [this] { DropClient(QStringLiteral("client disconnected")); });
        Report(QStringLiteral("127.0.0.1:%1: remote_bitbang client connected")
                   .arg(Server->serverPort()),
               false);
    }
}

void JtagTools::ReadClient() {
    if (Client == nullptr || !Session) {
        return;
    }
    IdleTimer->start();
    const QByteArray bytes = Client->readAll();
    std::string replies;
    Session->Feed(std::span<const char>(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                  replies);
    if (!replies.empty()) {
        Client->write(replies.data(), static_cast<qint64>(replies.size()));
    }
    if (Session->Quit()) {
        Client->flush();
        DropClient(QStringLiteral("client quit"));
    }
}

void JtagTools::DropClient(const QString& why, bool problem) {
    if (Client == nullptr) {
        return;
    }
    IdleTimer->stop();
    QTcpSocket* gone = Client;
    Client = nullptr;
    Session.reset();
    gone->disconnect(this);
    gone->disconnectFromHost(); // replies already written still go out
    gone->deleteLater();
    if (!why.isEmpty() && Serving()) {
        Report(QStringLiteral("127.0.0.1:%1: remote_bitbang %2; still serving")
                   .arg(Server->serverPort())
                   .arg(why),
               problem);
    }
}

void JtagTools::Report(const QString& text, bool error) {
    Eng.Display().ShowStatus(text.toStdString(), error ? StatusColour::Red : StatusColour::Green);
}

} // namespace scanbench
