#include "port/host_port.h"

#include <charconv>

namespace scanbench {

std::optional<RemoteAddress> ParseHostPort(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view host = text.substr(0, colon);
    const std::string_view port = text.substr(colon + 1);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string_view::npos) {
        return std::nullopt; // an IPv6 address needs its brackets
    }
    if (host.empty() || host.size() > 255) {
        return std::nullopt;
    }
    for (const char c : host) {
        if (c <= ' ' || c > '~') {
            return std::nullopt;
        }
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (port.empty() || error != std::errc{} || end != port.data() + port.size() || value == 0 ||
        value > 65535) {
        return std::nullopt;
    }
    return RemoteAddress{std::string(host), static_cast<std::uint16_t>(value)};
}

std::string HostPortText(const RemoteAddress& address) {
    const bool v6 = address.Host.find(':') != std::string::npos;
    return (v6 ? "[" + address.Host + "]" : address.Host) + ":" + std::to_string(address.Port);
}

} // namespace scanbench
