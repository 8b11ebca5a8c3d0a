#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace scanbench {

// How the program reaches the parallel port: the built-in simulated board,
// the Linux ppdev driver, direct I/O instructions, or TAP 0 of a
// remote_bitbang server over TCP.
enum class PortKind { Board, Ppdev, Direct, Remote };

// What the simulated board has plugged into its connector: wires back to the
// inputs, nothing at all, the demo board's boundary-scan chips, the
// interconnect board (the demo chips with U1 wired to U2), or the chips of a
// board file.
enum class BoardKind { Loopback, Open, Demo, Interconnect, File };

// A board to plug in: one of the built-in boards, or the board file `File`
// (a path as the user gave it). Another kind keeps the last board file
// chosen, so that it can be offered again; two choices are the same board
// when their kinds agree and, for BoardKind::File, their files.
struct BoardChoice {
    BoardKind Kind = BoardKind::Demo;
    std::string File;

    BoardChoice() = default;
    BoardChoice(BoardKind kind) : Kind(kind) {} // implicit: a built-in board is a choice
    BoardChoice(BoardKind kind, std::string file) : Kind(kind), File(std::move(file)) {}
    friend bool operator==(const BoardChoice& a, const BoardChoice& b) {
        return a.Kind == b.Kind && (a.Kind != BoardKind::File || a.File == b.File);
    }
};

// One of the choices above: its name in settings and on the command line,
// and the caption the Setup dialog shows for it.
template <typename Kind>
struct NamedChoice {
    Kind Value;
    std::string_view Name;
    std::string_view Caption;
};

// Every port device and every board, in the order the Setup dialog offers them.
inline constexpr auto PortKindChoices = std::to_array<NamedChoice<PortKind>>({
    {PortKind::Board, "board", "Simulated board"},
    {PortKind::Ppdev, "ppdev", "Parallel port (ppdev)"},
    {PortKind::Direct, "direct", "Direct I/O"},
    {PortKind::Remote, "remote", "remote_bitbang server (TAP 0)"},
});
inline constexpr auto BoardKindChoices = std::to_array<NamedChoice<BoardKind>>({
    {BoardKind::Loopback, "loopback", "Loopback: RX follows TX"},
    {BoardKind::Open, "open", "Open: nothing connected"},
    {BoardKind::Demo, "demo", "Demo board: boundary-scan chips"},
    {BoardKind::Interconnect, "interconnect", "Interconnect board: nets between U1 and U2"},
    {BoardKind::File, "file", "Board file"},
});

// Names as they appear in settings and on the command line: "board", "ppdev",
// "direct", "remote" and "loopback", "open", "demo", "interconnect", "file". Parsing ignores
// ASCII letter case and gives nothing for any other text.
[[nodiscard]] std::optional<PortKind> ParsePortKind(std::string_view text);
[[nodiscard]] std::string_view PortKindName(PortKind kind);
[[nodiscard]] std::optional<BoardKind> ParseBoardKind(std::string_view text);
[[nodiscard]] std::string_view BoardKindName(BoardKind kind);

// Every name, for messages: "board, ppdev, direct".
[[nodiscard]] std::string PortKindNameList();
[[nodiscard]] std::string BoardKindNameList();

} // namespace scanbench
