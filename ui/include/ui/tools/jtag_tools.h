#pragma once

// Qt: the window's links to other JTAG tools.
#include "bitbang/board_bitbang_target.h"
#include "bitbang/remote_bitbang_session.h"
#include "board/chip_board.h"
#include "engine/feed/listener_list.h"
#include "engine/feed/view_feed.h"
#include "engine/run/playback_observer.h"
#include "svf/svf_export.h"

#include <QObject>

#include <memory>
#include <optional>

class QAction;
class QTcpServer;
class QTcpSocket;
class QTimer;
class QWidget;

namespace scanbench {

class Engine;
class PortAccess;

// File > "Export SVF..." and Utilities > "Serve board over remote_bitbang".
//
// The export writes TAP 0's part of the run as SVF; it keeps what each
// NSHFCP compared from the start (the event store does not hold it).
//
// The server is a fresh demo board of its own, not the one behind the
// window's port: the window drives that board's TAP 0 on every played event,
// and a client clocking the same lines in between would give both wrong
// edges. It listens on 127.0.0.1 at RemoteBitbangPort (or the next free port
// when that is taken), serves one client at a time on the GUI thread
// without blocking it, and shows its port in the status line. A client
// silent for IdleLimitMs is dropped, so that it cannot keep the others out;
// what the served client sent (its quitting too) is taken before a newcomer
// is turned away.
class JtagTools : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 PreferredPort = 3335;
    static constexpr int IdleLimitMs = 10000;

    JtagTools(Engine& engine, QWidget& window, QAction& serveToggle);

    void ExportSvf();
    // Starts or stops the server; the toggle follows what happened.
    void ServeBoard(bool on);

    [[nodiscard]] bool Serving() const;
    [[nodiscard]] quint16 ServedPort() const;
    // The board the server serves, for tests.
    [[nodiscard]] ChipBoard& ServedBoard() { return Board; }
    // The timer that drops a silent client, for tests.
    [[nodiscard]] QTimer& ClientIdleTimer() { return *IdleTimer; }

private:
    void AcceptClient();
    void ReadClient();
    void DropClient(const QString& why, bool problem = false);
    void Report(const QString& text, bool error);

    Engine& Eng;
    QWidget& Window;
    QAction& Toggle;
    ShiftCompareLog Compares;
    ListenerList<PlaybackObserver>::Subscription ObservingRuns;
    ViewFeed::Subscription FollowResets;
    ChipBoard Board;
    BoardBitbangTarget Target{Board};
    std::optional<RemoteBitbangSession> Session;
    QTcpServer* Server = nullptr;
    QTcpSocket* Client = nullptr;
    QTimer* IdleTimer = nullptr;
};

} // namespace scanbench
