#pragma once

#include "settings/file_type_registrar.h"
#include "settings/settings.h"

#include <filesystem>
#include <string>
#include <vector>

namespace scanbench {

// The per-user settings store: one JSON document of named values. Every
// write replaces the file atomically; values the program does not write
// (and keys it does not know) stay as they are. Loads and saves hold the
// store's folder locked (FolderLock) from reading the file to writing it,
// so that two processes never write over each other's changes.
class SettingsStore {
public:
    SettingsStore(std::filesystem::path storeFile, FileTypeRegistrar registrar);

    // The store and registrar of the user running the program.
    [[nodiscard]] static SettingsStore ForCurrentUser();

    // $XDG_CONFIG_HOME/Software/kzt.json, by default ~/.config/Software/kzt.json.
    [[nodiscard]] static std::filesystem::path DefaultPath();

    // Reads the settings. When a value is missing or unusable, the whole
    // default set is written to the store and the corresponding settings
    // are put back to their defaults; InstallDir then keeps its value. If
    // that would change or drop a value the file holds, the file is first
    // kept aside (see StoreFile) so the user's text survives. The port
    // choice is what the file says even when the store cannot be written.
    // False when the store cannot be created, read or written; the settings
    // are then the defaults, apart from a port choice that was read.
    // `notices` gets a message for the user for everything that did not go
    // as the user would expect: a file kept aside, a store that cannot be
    // written, an unknown port choice.
    bool LoadSettings(Settings& settings, std::vector<std::string>& notices) const;
    bool LoadSettings(Settings& settings) const;

    // Writes the settings, then registers the ".bst" file type for the
    // program in InstallDir (or the running program's folder when InstallDir
    // is empty). False, with the old file unchanged, when the store cannot
    // be created, read or written; `notices` then says why. A failed
    // registration does not count.
    bool SaveSettings(const Settings& settings, std::vector<std::string>& notices) const;
    bool SaveSettings(const Settings& settings) const;
    // The same, writing only what a window changed since `before` (what it
    // read or saved last), values the file lacks, and nothing else: another
    // window's changes saved in between stay.
    bool SaveSettings(const Settings& before, const Settings& settings,
                      std::vector<std::string>& notices) const;

    // Writes those of the zoom, the line numbers switch and the program
    // folder (see ViewEntries) that changed since `before`, or that the file
    // lacks or holds unusable. A file holding an unusable one of them is kept
    // aside first, so nothing the user wrote is lost unseen. False, with
    // `notices` saying why, when nothing was written.
    bool SaveViewValues(const Settings& before, const Settings& settings,
                        std::vector<std::string>& notices) const;

    // The program the file type is registered for.
    [[nodiscard]] static std::filesystem::path ProgramPath(const Settings& settings);

    [[nodiscard]] const std::filesystem::path& Path() const { return StorePath; }

private:
    bool Save(const Settings* before, const Settings& settings,
              std::vector<std::string>& notices) const;

    std::filesystem::path StorePath;
    FileTypeRegistrar Registrar;
};

// Messages about a port choice that will not do what its settings suggest:
// a ppdev port whose base address names no device. Given for the settings
// the program finally runs with, so each is said once.
[[nodiscard]] std::vector<std::string> PortChoiceNotices(const Settings& settings);

} // namespace scanbench
