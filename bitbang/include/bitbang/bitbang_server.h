#pragma once

#include "bitbang/remote_bitbang_session.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace scanbench {

// Where the server tells what happens: clients coming and going (Event), and
// clients it had to drop (Problem).
struct BitbangServerLog {
    std::function<void(const std::string&)> Event;
    std::function<void(const std::string&)> Problem;
};

// A remote_bitbang server on the loopback interface (127.0.0.1 only), for
// the headless runner: it serves one client at a time and turns away any
// other that connects meanwhile. A client that quits, drops the connection,
// stops reading its replies or stays silent for IdleLimit is closed and the
// next one is served. What the served client sent, its quitting included, is
// always taken before a newcomer is looked at, so a client that connects as
// soon as the last one quit is served.
class BitbangServer {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::seconds IdleLimit{10};

    // `clock` measures the silence of a client (a test passes its own).
    explicit BitbangServer(Clock clock = std::chrono::steady_clock::now) : Now(std::move(clock)) {}
    BitbangServer(const BitbangServer&) = delete;
    BitbangServer& operator=(const BitbangServer&) = delete;
    ~BitbangServer();

    // Listens on 127.0.0.1:port (0: a free port); false with Error() set
    // when that cannot be done.
    [[nodiscard]] bool Listen(std::uint16_t port);
    [[nodiscard]] std::uint16_t Port() const { return BoundPort; }
    [[nodiscard]] const std::string& Error() const { return Problem; }

    // Serves clients until `stop` is set (looked at, and the clock read, at
    // least every 200 ms).
    void Serve(BitbangTarget& target, const std::atomic<bool>& stop, const BitbangServerLog& log);

private:
    void ServeClient(int client, BitbangTarget& target, const std::atomic<bool>& stop,
                     const BitbangServerLog& log);
    // Takes what the client sent; false when its session is over.
    bool TakeFromClient(int client, RemoteBitbangSession& session, const BitbangServerLog& log);
    void TurnAwayNewcomer(const BitbangServerLog& log);

    Clock Now;
    int Listener = -1;
    std::uint16_t BoundPort = 0;
    std::string Problem;
};

} // namespace scanbench
