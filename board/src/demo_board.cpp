#include "board/demo_board.h"

#include "embedded_data.h"

#include <stdexcept>

namespace scanbench {

SourceFile BuiltInDataFile(const std::filesystem::path& path) {
    const std::string wanted = path.lexically_normal().generic_string();
    for (const EmbeddedFile& file : EmbeddedDataFiles()) {
        if (file.Path == wanted) {
            return {std::string(file.Text), {}};
        }
    }
    return {std::nullopt, "cannot read " + wanted + ": the program holds no such file"};
}

namespace {

BoardDefinition BuiltInBoard(const char* file) {
    auto board = ReadBoardFile(file, BuiltInDataFile);
    if (auto* problem = std::get_if<std::string>(&board)) {
        // The files are checked by the tests; a build that breaks them is broken.
        throw std::logic_error(*problem);
    }
    return std::get<BoardDefinition>(std::move(board));
}

} // namespace

BoardDefinition DemoBoard() {
    return BuiltInBoard("boards/demo.json");
}

BoardDefinition InterconnectBoard() {
    return BuiltInBoard("boards/interconnect.json");
}

} // namespace scanbench
