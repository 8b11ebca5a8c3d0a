#pragma once

#include "port/chip_wiring.h"
#include "port/host_port.h"
#include "port/pin_settings.h"
#include "port/port_access.h"

#include <cstdint>
#include <string>

namespace scanbench {

// The parallel port's registers in front of a remote_bitbang server (an RTL
// simulation's TAP, or another Scanbench): TAP 0's TCK, TMS and TX pins, as
// the pin settings place them, are sent as the protocol's '0'..'7' whenever
// they change, and reading the status register asks for TDO with 'R' and
// shows it on TAP 0's RX pin. Every other input pin reads high (nothing
// connected). Data and control read back what was last written. A port that
// never reached its server is no port: it reads 0xFF and takes no writes.
//
// Every byte the server sends must answer a pending 'R': one that comes
// unasked is found with the next answer at the latest, and fails the port as
// a server that goes away does. Nothing waits long: connecting gives up after ConnectTimeoutMs,
// a reply after ReplyTimeoutMs. When the server cannot be reached or goes away, the
// port says so in Problem(), closes the connection and from then on reads
// every input high without touching the network.
class RemoteBitbangPort final : public PortAccess {
public:
    static constexpr int ConnectTimeoutMs = 2000;
    static constexpr int ReplyTimeoutMs = 2000;

    RemoteBitbangPort(const PinSettings& pins, const RemoteAddress& server);
    ~RemoteBitbangPort() override;

    [[nodiscard]] std::uint8_t PortReadByte(std::uint16_t address) override;
    void PortWriteByte(std::uint16_t address, std::uint8_t value) override;
    void PortWriteDataThenControl(std::uint16_t dataAddress, std::uint8_t data,
                                  std::uint16_t controlAddress, std::uint8_t control) override;
    [[nodiscard]] bool DriverAvailable() const override { return Opened; }
    void SetDirectAccess(bool /*enable*/) override {}
    [[nodiscard]] std::string Problem() const override { return Failure; }

private:
    void Connect();
    void Fail(const std::string& what);
    void SendLines();
    [[nodiscard]] bool Send(const char* bytes, std::size_t count);
    [[nodiscard]] bool StoreRegister(std::uint16_t address, std::uint8_t value);
    [[nodiscard]] std::uint8_t ReadStatus();

    PinSettings Settings;
    ChipWiring Wiring;
    RemoteAddress Server;
    int Socket = -1;
    bool Opened = false;
    std::string Failure;
    std::uint8_t Data = 0;
    std::uint8_t Control = 0;
    int SentLines = -1; // TCK, TMS, TDI last sent as 0..7; -1 none yet
    int CachedTdo = -1; // TDO read since the last change of the lines; -1 none
};

} // namespace scanbench
