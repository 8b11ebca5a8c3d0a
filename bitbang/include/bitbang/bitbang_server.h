#pragma once

#include "bitbang/remote_bitbang_session.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace scanbench {

// A remote_bitbang server on the loopback interface (127.0.0.1 only), for
// the headless runner: it serves one client at a time and turns away any
// other that connects meanwhile; a client that quits, drops the connection
// or stops reading its replies is closed and the next one is awaited.
class BitbangServer {
public:
    BitbangServer() = default;
    BitbangServer(const BitbangServer&) = delete;
    BitbangServer& operator=(const BitbangServer&) = delete;
    ~BitbangServer();

    // Listens on 127.0.0.1:port (0: a free port); false with Error() set
    // when that cannot be done.
    [[nodiscard]] bool Listen(std::uint16_t port);
    [[nodiscard]] std::uint16_t Port() const { return BoundPort; }
    [[nodiscard]] const std::string& Error() const { return Problem; }

    // Serves clients until `stop` is set (looked at least every 200 ms).
    // `log` hears of clients coming and going.
    void Serve(BitbangTarget& target, const std::atomic<bool>& stop,
               const std::function<void(const std::string&)>& log);

private:
    void ServeClient(int client, BitbangTarget& target, const std::atomic<bool>& stop,
                     const std::function<void(const std::string&)>& log);

    int Listener = -1;
    std::uint16_t BoundPort = 0;
    std::string Problem;
};

} // namespace scanbench
