#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace scanbench {

// Moves a file out of the way, to the first free name of "<file><suffix>",
// "<file><suffix>-2", "<file><suffix>-3" and so on, so that a new file can
// take its place. It never replaces a file: each try is one atomic rename
// that fails when the name is taken, so two processes moving files aside at
// the same time each keep theirs. A symbolic link is moved as the link.
// The new name, or nothing with `error` saying why.
[[nodiscard]] std::optional<std::filesystem::path>
MoveAside(const std::filesystem::path& file, std::string_view suffix, std::string& error);

// Renames `from` to `to` only when nothing is at `to`, in one step where the
// file system allows it. 0 or the errno (EEXIST when `to` is taken).
[[nodiscard]] int RenameWithoutReplacing(const std::filesystem::path& from,
                                         const std::filesystem::path& to);

} // namespace scanbench
