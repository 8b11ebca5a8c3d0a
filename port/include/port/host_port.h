#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scanbench {

// Where the remote port's remote_bitbang server listens.
struct RemoteAddress {
    std::string Host = "127.0.0.1";
    std::uint16_t Port = 3335;

    friend bool operator==(const RemoteAddress&, const RemoteAddress&) = default;
};

// "HOST:PORT" ("[v6-address]:PORT" for an IPv6 address) with a port from 1
// to 65535 and a host of printable characters; nothing for anything else.
[[nodiscard]] std::optional<RemoteAddress> ParseHostPort(std::string_view text);
[[nodiscard]] std::string HostPortText(const RemoteAddress& address);

} // namespace scanbench
