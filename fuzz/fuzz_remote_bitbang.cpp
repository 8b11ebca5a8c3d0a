// Fuzzes the remote_bitbang command session on the demo board's TAP 0, fed in
// pieces of arbitrary size: every 'R' before the first 'Q' gets exactly one
// reply, '0' or '1', and nothing after 'Q' is acted on.
#include "bitbang/board_bitbang_target.h"
#include "bitbang/remote_bitbang_session.h"
#include "board/chip_board.h"
#include "board/demo_board.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // Read once: each input gets a fresh board built from the same files.
    static const scanbench::BoardDefinition demo = scanbench::DemoBoard();
    scanbench::ChipBoard board(demo);
    scanbench::BoardBitbangTarget target(board);
    scanbench::RemoteBitbangSession session(target);
    // The first byte chooses the size of the pieces.
    const std::size_t piece = 1 + data[0] % 64;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const std::size_t count = size - 1;
    std::string replies;
    for (std::size_t at = 0; at < count; at += piece) {
        session.Feed(std::span<const char>(bytes + at, std::min(piece, count - at)), replies);
    }
    const std::string_view text(bytes, count);
    const std::string_view acted = text.substr(0, text.find('Q'));
    const auto reads = static_cast<std::size_t>(std::count(acted.begin(), acted.end(), 'R'));
    if (replies.size() != reads || replies.find_first_not_of("01") != std::string::npos ||
        session.Quit() != (acted.size() < text.size())) {
        __builtin_trap();
    }
    return 0;
}
