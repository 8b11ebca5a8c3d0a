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

BoardDefinition DemoBoard() {
    auto board = ReadBoardFile("boards/demo.json", BuiltInDataFile);
    if (auto* problem = std::get_if<std::string>(&board)) {
        // The files are checked by the tests; a build that breaks them is broken.
        throw std::logic_error(*problem);
    }
    return std::get<BoardDefinition>(std::move(board));
}

} // namespace scanbench
