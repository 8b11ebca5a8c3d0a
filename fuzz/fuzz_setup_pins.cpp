// Fuzzes the Setup dialog's reading of the pin fields and of the remote
// server's host and port, and the bitstream shifter's bit text: the input's
// NUL-separated parts are the twelve field texts (the first two also the
// host and the port), and the whole input is a TX text.
#include "window_logic/dialogs/bitstream_shifter.h"
#include "window_logic/dialogs/setup_pins.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scanbench;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::array<std::string, SetupPinFields.size()> fields;
    std::size_t field = 0;
    for (const char c : text) {
        if (c == '\0') {
            field = (field + 1) % fields.size();
        } else {
            fields[field] += c;
        }
    }
    const SetupPinCheck check = CheckSetupPins(fields);
    if (check.Pins) {
        SetupPins sorted = *check.Pins;
        std::sort(sorted.begin(), sorted.end());
        if (sorted.front() < 1 || sorted.back() > 17 ||
            std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
            __builtin_trap(); // a pin off the connector or used twice got through
        }
    } else if (check.Error.empty()) {
        __builtin_trap(); // refused without a word
    }

    const RemoteCheck remote = CheckRemoteAddress(fields[0], fields[1]);
    if (remote.Address ? remote.Address->Port == 0 || remote.Address->Host != fields[0] ||
                             !remote.Error.empty()
                       : remote.Error.empty()) {
        __builtin_trap(); // a port 0, another host, or a refusal without a word
    }

    const TxBits tx = ReadTxBits(text);
    if (!std::all_of(tx.Bits.begin(), tx.Bits.end(), [](char c) { return c == '0' || c == '1'; }) ||
        tx.Bits.size() > size ||
        (!tx.Refused.empty() && (!tx.Bits.empty() || tx.Position == 0 || tx.Refused.size() > 4))) {
        __builtin_trap(); // other bits than typed, or a refusal that names nothing
    }

    const std::string hex = BitsToHex(text);
    if (hex.size() > (size + 3) / 4 || !std::all_of(hex.begin(), hex.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
        })) {
        __builtin_trap();
    }
    return 0;
}
