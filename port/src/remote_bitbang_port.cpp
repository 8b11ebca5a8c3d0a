#include "port/remote_bitbang_port.h"

#include "board/chip_board.h"
#include "port/chip_wiring.h"
#include "port/parallel_connector.h"
#include "port/port_registers.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace scanbench {

namespace {

// Waits for the socket to become ready; false on timeout or error.
bool WaitFor(int socket, short events, int timeoutMs) {
    pollfd p{socket, events, 0};
    int r = 0;
    do {
        r = ::poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    return r > 0 && (p.revents & events) != 0;
}

} // namespace

RemoteBitbangPort::RemoteBitbangPort(const PinSettings& pins, const RemoteAddress& server)
    : Settings(pins), Wiring(pins), Server(server) {
    Connect();
}

RemoteBitbangPort::~RemoteBitbangPort() {
    if (Socket >= 0) {
        // Tell the server this client is done; it then waits for the next.
        (void)::send(Socket, "Q", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        ::close(Socket);
    }
}

void RemoteBitbangPort::Connect() {
    const std::string where = HostPortText(Server);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(Server.Port);
    if (const int error = ::getaddrinfo(Server.Host.c_str(), service.c_str(), &hints, &found);
        error != 0) {
        Failure = "cannot find the remote_bitbang server " + where + ": " + ::gai_strerror(error);
        return;
    }
    std::string reason = "no address";
    for (addrinfo* a = found; a != nullptr && Socket < 0; a = a->ai_next) {
        const int s =
            ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (s < 0) {
            reason = std::strerror(errno);
            continue;
        }
        if (::connect(s, a->ai_addr, a->ai_addrlen) != 0 && errno != EINPROGRESS) {
            reason = std::strerror(errno);
            ::close(s);
            continue;
        }
        if (!WaitFor(s, POLLOUT, ConnectTimeoutMs)) {
            reason = "no answer within " + std::to_string(ConnectTimeoutMs / 1000) + " s";
            ::close(s);
            continue;
        }
        int error = 0;
        socklen_t length = sizeof error;
        (void)::getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &length);
        if (error != 0) {
            reason = std::strerror(error);
            ::close(s);
            continue;
        }
        Socket = s;
    }
    ::freeaddrinfo(found);
    if (Socket < 0) {
        Failure = "cannot connect to the remote_bitbang server " + where + ": " + reason;
        return;
    }
    const int yes = 1;
    (void)::setsockopt(Socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    Opened = true;
}

void RemoteBitbangPort::Fail(const std::string& what) {
    if (Socket >= 0) {
        ::close(Socket);
        Socket = -1;
    }
    if (Failure.empty()) {
        Failure = "the remote_bitbang server " + HostPortText(Server) + " " + what;
    }
}

bool RemoteBitbangPort::Send(const char* bytes, std::size_t count) {
    std::size_t sent = 0;
    while (Socket >= 0 && sent < count) {
        const ssize_t n = ::send(Socket, bytes + sent, count - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(Socket, POLLOUT, ReplyTimeoutMs)) {
                Fail("stopped taking commands");
            }
        } else {
            Fail(std::string("went away: ") + std::strerror(errno));
        }
    }
    return Socket >= 0;
}

void RemoteBitbangPort::SendLines() {
    const std::uint8_t lines = Wiring.ChipLines(DrivenPinLevels(Data, Control));
    const int bits = ((lines & BoardLine::Tck0) != 0 ? 4 : 0) |
                     ((lines & BoardLine::Tms0) != 0 ? 2 : 0) |
                     ((lines & BoardLine::Tdi0) != 0 ? 1 : 0);
    if (bits == SentLines || Socket < 0) {
        return;
    }
    const char command = static_cast<char>('0' + bits);
    if (Send(&command, 1)) {
        SentLines = bits;
        CachedTdo = -1;
    }
}

std::uint8_t RemoteBitbangPort::ReadStatus() {
    if (CachedTdo < 0 && Socket >= 0 && Send("R", 1)) {
        // Everything there is taken at once: one byte answers the 'R'. More
        // means the server sent something unasked (before this answer or
        // with it), and every later answer would be taken for the one before.
        std::array<char, 64> replies{};
        for (;;) {
            if (!WaitFor(Socket, POLLIN, ReplyTimeoutMs)) {
                Fail("did not answer within " + std::to_string(ReplyTimeoutMs / 1000) + " s");
                break;
            }
            const ssize_t n = ::recv(Socket, replies.data(), replies.size(), 0);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
                continue;
            }
            if (n <= 0) {
                Fail("went away");
            } else if (n > 1) {
                Fail("sent bytes nobody asked for");
            } else if (replies[0] != '0' && replies[0] != '1') {
                Fail("answered with something other than 0 or 1");
            } else {
                CachedTdo = replies[0] - '0';
            }
            break;
        }
    }
    const std::uint8_t outputs = static_cast<std::uint8_t>(
        (CachedTdo == 0 ? 0 : BoardLine::Tdo0) | BoardLine::Tdo1 | BoardLine::Sia | BoardLine::Sib);
    return StatusImage(Wiring.InputLevels(outputs));
}

std::uint8_t RemoteBitbangPort::PortReadByte(std::uint16_t address) {
    if (!Opened) {
        return FloatingBus; // no port at all, as any backend that cannot open
    }
    if (address == RegisterAddress(Settings.PortBase, PortRegister::Data)) {
        return Data;
    }
    if (address == RegisterAddress(Settings.PortBase, PortRegister::Control)) {
        return Control;
    }
    if (address == RegisterAddress(Settings.PortBase, PortRegister::Status)) {
        return ReadStatus();
    }
    return FloatingBus;
}

bool RemoteBitbangPort::StoreRegister(std::uint16_t address, std::uint8_t value) {
    if (!Opened) {
        return false;
    }
    if (address == RegisterAddress(Settings.PortBase, PortRegister::Data)) {
        Data = value;
        return true;
    }
    if (address == RegisterAddress(Settings.PortBase, PortRegister::Control)) {
        Control = static_cast<std::uint8_t>(value & 0x0F);
        return true;
    }
    return false;
}

void RemoteBitbangPort::PortWriteByte(std::uint16_t address, std::uint8_t value) {
    if (StoreRegister(address, value)) {
        SendLines();
    }
}

void RemoteBitbangPort::PortWriteDataThenControl(std::uint16_t dataAddress, std::uint8_t data,
                                                 std::uint16_t controlAddress,
                                                 std::uint8_t control) {
    // The server sees the final levels only, as the board would; both
    // registers are stored whatever the first one gives.
    const bool dataChanged = StoreRegister(dataAddress, data);
    const bool controlChanged = StoreRegister(controlAddress, control);
    if (dataChanged || controlChanged) {
        SendLines();
    }
}

} // namespace scanbench
