#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace scanbench {

// The JTAG lines a remote_bitbang client drives and reads.
class BitbangTarget {
public:
    virtual ~BitbangTarget() = default;
    virtual void Drive(bool tck, bool tms, bool tdi) = 0;
    [[nodiscard]] virtual bool Tdo() const = 0;
    // TRST and SRST, true = asserted.
    virtual void Reset(bool trst, bool srst) = 0;
    virtual void Blink(bool on) { (void)on; }
};

// One client's session of the remote_bitbang protocol (OpenOCD's
// remote_bitbang adapter), as a pure translation of received bytes into
// actions on the target and reply bytes:
//   '0'..'7'  drive TCK, TMS, TDI (bits 2, 1, 0 of the digit)
//   'R'       reply '0' or '1': TDO now, before the next rising edge
//   'B' 'b'   blink on, off
//   'r'..'u'  TRST and SRST: r none, s SRST, t TRST, u both asserted
//   'Q'       the client quits: the session ends, later bytes are ignored
// Line ends and blanks are skipped; any other byte is counted and ignored,
// so garbage never stops the session. Replies come in the order of the
// 'R's, however many one batch of bytes holds.
class RemoteBitbangSession {
public:
    explicit RemoteBitbangSession(BitbangTarget& target) : Target(target) {}

    // Acts on the bytes and appends the replies to `replies`.
    void Feed(std::span<const char> bytes, std::string& replies);

    [[nodiscard]] bool Quit() const { return Quitting; }
    [[nodiscard]] std::uint64_t IgnoredBytes() const { return Ignored; }

private:
    BitbangTarget& Target;
    bool Quitting = false;
    std::uint64_t Ignored = 0;
};

} // namespace scanbench
