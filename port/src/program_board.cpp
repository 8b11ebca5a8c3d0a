#include "port/program_board.h"

#include "engine/program/text_helpers.h"

#include <algorithm>
#include <system_error>

namespace scanbench {

namespace {

// The text of a comment line after its "//" or "!"; nothing for a statement.
std::optional<std::string_view> CommentText(std::string_view line) {
    if (line.starts_with("//")) {
        return line.substr(2);
    }
    if (line.starts_with("!")) {
        return line.substr(1);
    }
    return std::nullopt;
}

// "NAME.json", in any letter case.
bool IsBoardFileName(std::string_view name) {
    constexpr std::string_view Extension = ".JSON";
    return name.size() > Extension.size() && ToUpperAscii(name).ends_with(Extension);
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

} // namespace

bool IsLeadingLine(std::string_view line) {
    line = TrimBlanks(line);
    return line.empty() || CommentText(line).has_value();
}

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::optional<ProgramBoardLine> FindBoardLine(std::string_view text) {
    constexpr std::string_view Key = "BOARD:";
    std::int32_t number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (!IsLeadingLine(line)) {
            return std::nullopt; // the first statement ends the leading comments
        }
        const std::string_view said = TrimBlanks(CommentText(line).value_or(std::string_view()));
        if (ToUpperAscii(said.substr(0, Key.size())) == Key) {
            return ProgramBoardLine{number, std::string(TrimBlanks(said.substr(Key.size())))};
        }
    }
    return std::nullopt;
}

NamedBoard ResolveBoardLine(const ProgramBoardLine& line, const BoardFileSearch& search) {
    const std::string where = "line " + std::to_string(line.Line) + ": ";
    if (const std::optional<BoardKind> kind = ParseBoardKind(line.Name);
        kind && *kind != BoardKind::File) {
        return BoardChoice(*kind);
    }
    if (!IsBoardFileName(line.Name)) {
        return BoardLineProblem{where + "\"Board: " + line.Name +
                                "\" names no board: demo, interconnect, loopback, open or a "
                                "board file (NAME.json)"};
    }
    const std::filesystem::path name(line.Name);
    if (name.is_absolute()) {
        return BoardLineProblem{where +
                                "a board file is named without its folder or from the "
                                "program's folder, not as " +
                                Quoted(name)};
    }
    std::string looked;
    for (const std::filesystem::path& folder : {search.ProgramFolder, search.ShippedBoards}) {
        if (folder.empty()) {
            continue;
        }
        const std::filesystem::path file = folder / name;
        if (search.IsFile(file)) {
            return BoardChoice(BoardKind::File, file.string());
        }
        looked += (looked.empty() ? "" : " and ") + Quoted(file);
    }
    return BoardLineProblem{where + "board file " + Quoted(name) + " not found" +
                            (looked.empty() ? std::string() : ": looked for " + looked)};
}

std::optional<NamedBoard> ProgramBoard(std::string_view text, const BoardFileSearch& search) {
    const std::optional<ProgramBoardLine> line = FindBoardLine(text);
    if (!line) {
        return std::nullopt;
    }
    return ResolveBoardLine(*line, search);
}

std::string BoardDescription(const BoardChoice& board) {
    if (board.Kind == BoardKind::File) {
        return "the board file " + board.File;
    }
    return "the " + std::string(BoardKindName(board.Kind)) + " board";
}

} // namespace scanbench
