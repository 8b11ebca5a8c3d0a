// Fuzzes the remote_bitbang command session on one TAP of the demo board, fed
// in pieces of arbitrary size: every 'R' before the first 'Q' gets exactly
// one reply, '0' or '1', nothing after 'Q' is acted on, and while TRST is
// held at the end the TAP's chips are in Test-Logic-Reset.
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
    // The first byte chooses the TAP (its top bit) and the size of the pieces.
    const auto tap = static_cast<std::uint8_t>(data[0] >> 7);
    scanbench::BoardBitbangTarget target(board, tap);
    scanbench::RemoteBitbangSession session(target);
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
    const std::size_t lastReset = acted.find_last_of("rstu");
    if (lastReset != std::string_view::npos &&
        (acted[lastReset] == 't' || acted[lastReset] == 'u')) {
        for (const scanbench::ChipSnapshot& chip : board.Snapshot().Chips) {
            if (chip.Tap == tap && chip.State != 0) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
