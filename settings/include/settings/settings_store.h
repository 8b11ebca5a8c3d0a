#pragma once

#include "settings/file_type_registrar.h"
#include "settings/settings.h"

#include <filesystem>

namespace scanbench {

// The per-user settings store: one JSON document of named values. Every
// write replaces the file atomically; values the program does not write
// (and keys it does not know) stay as they are.
class SettingsStore {
public:
    SettingsStore(std::filesystem::path storeFile, FileTypeRegistrar registrar);

    // The store and registrar of the user running the program.
    [[nodiscard]] static SettingsStore ForCurrentUser();

    // $XDG_CONFIG_HOME/Software/kzt.json, by default ~/.config/Software/kzt.json.
    [[nodiscard]] static std::filesystem::path DefaultPath();

    // Reads the settings. When a value is missing or unusable, the whole
    // default set is written to the store and the corresponding settings
    // are put back to their defaults; InstallDir then keeps its value.
    // False when the store cannot be created, read or written; the settings
    // are then all defaults.
    bool LoadSettings(Settings& settings) const;

    // Writes the settings, then registers the ".bst" file type for the
    // program in InstallDir (or the running program's folder when InstallDir
    // is empty). False, with nothing written, when the store cannot be
    // created, read or written; a failed registration does not count.
    bool SaveSettings(const Settings& settings) const;

    // The program the file type is registered for.
    [[nodiscard]] static std::filesystem::path ProgramPath(const Settings& settings);

    [[nodiscard]] const std::filesystem::path& Path() const { return StorePath; }

private:
    std::filesystem::path StorePath;
    FileTypeRegistrar Registrar;
};

} // namespace scanbench
