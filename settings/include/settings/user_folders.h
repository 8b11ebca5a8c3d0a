#pragma once

#include <filesystem>
#include <string_view>

namespace scanbench {

// The folder an XDG base-directory variable names. An unset, empty or
// relative value is ignored, as the XDG rules require, and the fallback
// below the home folder is used instead.
[[nodiscard]] std::filesystem::path XdgFolder(std::string_view variableValue, std::string_view home,
                                              std::string_view fallbackUnderHome);

// $XDG_CONFIG_HOME, by default ~/.config.
[[nodiscard]] std::filesystem::path ConfigHome();

// $XDG_DATA_HOME, by default ~/.local/share.
[[nodiscard]] std::filesystem::path DataHome();

// The folder of the running program: the application's folder when a
// QCoreApplication exists, otherwise the folder of /proc/self/exe. Empty
// when neither can be found.
[[nodiscard]] std::filesystem::path ProgramFolder();

} // namespace scanbench
