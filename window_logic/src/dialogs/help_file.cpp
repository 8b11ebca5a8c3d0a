#include "window_logic/dialogs/help_file.h"

#include <array>

namespace scanbench {

std::optional<std::filesystem::path>
ChooseHelpFile(const HelpFolders& folders,
               const std::function<bool(const std::filesystem::path&)>& exists) {
    const std::filesystem::path installDir(folders.InstallDir);
    const std::array<const std::filesystem::path*, 3> candidates{
        &installDir, &folders.InstalledDocDir, &folders.SourceDocDir};
    for (const std::filesystem::path* folder : candidates) {
        if (folder->empty()) {
            continue;
        }
        std::filesystem::path file = *folder / HelpFileName;
        if (exists(file)) {
            return file;
        }
    }
    return std::nullopt;
}

} // namespace scanbench
