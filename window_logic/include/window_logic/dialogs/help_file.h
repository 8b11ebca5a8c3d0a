#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace scanbench {

// File name of the user manual.
inline constexpr std::string_view HelpFileName = "scanbench.html";

// Where the user manual is looked for, in this order.
struct HelpFolders {
    std::string_view InstallDir;           // the InstallDir setting; empty when not set
    std::filesystem::path InstalledDocDir; // where `cmake --install` puts the manual
    std::filesystem::path SourceDocDir;    // docs/ of the source tree, for a build folder
};

// The manual inside the first folder that holds it: InstallDir when set,
// then the installed docs folder, then the source tree's docs folder.
// Nothing when no folder holds it.
[[nodiscard]] std::optional<std::filesystem::path>
ChooseHelpFile(const HelpFolders& folders,
               const std::function<bool(const std::filesystem::path&)>& exists);

} // namespace scanbench
