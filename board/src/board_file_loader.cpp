#include "board/board_file.h"
#include "fileio/read_regular_file.h"

namespace scanbench {

namespace {

constexpr std::size_t MaxSourceBytes = 16U << 20;

SourceFile FromDisk(const std::filesystem::path& path) {
    const RegularFileRead read = ReadRegularFile(path, MaxSourceBytes);
    const std::string name = path.lexically_normal().generic_string();
    switch (read.Status) {
    case FileReadStatus::Ok:
        return {read.Bytes, {}};
    case FileReadStatus::Missing:
        return {std::nullopt, "cannot read " + name + ": no such file"};
    case FileReadStatus::NotRegular:
    case FileReadStatus::NotPrivate: // asked for only of private files
        return {std::nullopt, "cannot read " + name + ": not a regular file"};
    case FileReadStatus::TooLarge:
        return {std::nullopt, "cannot read " + name + ": larger than 16 MB"};
    case FileReadStatus::Failed:
        break;
    }
    return {std::nullopt, "cannot read " + name + ": " + read.Error};
}

} // namespace

std::variant<BoardDefinition, std::string> LoadBoardFile(const std::filesystem::path& file) {
    return ReadBoardFile(file, FromDisk);
}

} // namespace scanbench
