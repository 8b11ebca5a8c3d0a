// Fuzzes the reading of a restart's handover file: whatever it accepts must
// encode back to the same bytes.
#include "window_logic/main_window/session_handover.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scanbench;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto handover = DecodeHandover(bytes)) {
        if (EncodeHandover(*handover) != bytes) {
            std::abort();
        }
    }
    return 0;
}
