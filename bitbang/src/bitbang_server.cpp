#include "bitbang/bitbang_server.h"

#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace scanbench {

namespace {

constexpr int PollMs = 200;
// A client that does not take its replies for this long is dropped.
constexpr int SendTimeoutMs = 5000;

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Sends everything, waiting at most SendTimeoutMs for room each time.
bool SendAll(int socket, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{socket, POLLOUT, 0};
            if (::poll(&p, 1, SendTimeoutMs) > 0 && (p.revents & POLLOUT) != 0) {
                continue;
            }
        }
        return false;
    }
    return true;
}

} // namespace

BitbangServer::~BitbangServer() {
    if (Listener >= 0) {
        ::close(Listener);
    }
}

bool BitbangServer::Listen(std::uint16_t port) {
    Listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (Listener < 0) {
        Problem = SystemError("socket");
        return false;
    }
    const int yes = 1;
    (void)::setsockopt(Listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(Listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        Problem = SystemError(("cannot listen on 127.0.0.1:" + std::to_string(port)).c_str());
        return false;
    }
    if (::listen(Listener, 4) != 0) {
        Problem = SystemError("listen");
        return false;
    }
    socklen_t length = sizeof address;
    (void)::getsockname(Listener, reinterpret_cast<sockaddr*>(&address), &length);
    BoundPort = ntohs(address.sin_port);
    return true;
}

void BitbangServer::Serve(BitbangTarget& target, const std::atomic<bool>& stop,
                          const BitbangServerLog& log) {
    while (!stop) {
        pollfd p{Listener, POLLIN, 0};
        if (::poll(&p, 1, PollMs) <= 0) {
            continue;
        }
        const int client = ::accept4(Listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        ServeClient(client, target, stop, log);
        ::close(client);
    }
}

void BitbangServer::ServeClient(int client, BitbangTarget& target, const std::atomic<bool>& stop,
                                const BitbangServerLog& log) {
    const int yes = 1;
    (void)::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    RemoteBitbangSession session(target);
    auto lastHeard = Now();
    log.Event("client connected");
    while (!stop) {
        std::array<pollfd, 2> p{{{client, POLLIN, 0}, {Listener, POLLIN, 0}}};
        if (::poll(p.data(), p.size(), PollMs) < 0) {
            continue;
        }
        // The client first: its last bytes and its quitting come before a
        // newcomer who connected after them.
        if ((p[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            if (!TakeFromClient(client, session, log)) {
                return;
            }
            lastHeard = Now();
            continue; // anything more from the client before the newcomer
        }
        if (Now() - lastHeard >= IdleLimit) {
            log.Problem("client silent for " + std::to_string(IdleLimit.count()) +
                        " s; disconnected so that others may connect");
            return;
        }
        if ((p[1].revents & POLLIN) != 0) {
            // The newcomer may have connected right after the client's last
            // bytes arrived, between the two looks of that poll.
            pollfd again{client, POLLIN, 0};
            if (::poll(&again, 1, 0) == 0) {
                TurnAwayNewcomer(log);
            }
        }
    }
}

bool BitbangServer::TakeFromClient(int client, RemoteBitbangSession& session,
                                   const BitbangServerLog& log) {
    std::array<char, 8192> buffer{};
    ssize_t n = 0;
    do {
        n = ::recv(client, buffer.data(), buffer.size(), 0);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
        log.Event("client disconnected");
        return false;
    }
    std::string replies;
    session.Feed(std::span<const char>(buffer.data(), static_cast<std::size_t>(n)), replies);
    if (!replies.empty() && !SendAll(client, replies)) {
        log.Problem("client stopped taking replies; disconnected");
        return false;
    }
    if (session.Quit()) {
        log.Event("client quit");
        return false;
    }
    return true;
}

void BitbangServer::TurnAwayNewcomer(const BitbangServerLog& log) {
    // One client at a time: a second one is turned away at once.
    const int other = ::accept4(Listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (other >= 0) {
        ::close(other);
        log.Event("turned away a second client");
    }
}

} // namespace scanbench
