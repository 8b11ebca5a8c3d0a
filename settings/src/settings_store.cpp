#include "settings/settings_store.h"

#include "settings/store_file.h"
#include "settings/store_values.h"
#include "settings/user_folders.h"

#include <optional>
#include <utility>

namespace scanbench {

SettingsStore::SettingsStore(std::filesystem::path storeFile, FileTypeRegistrar registrar)
    : StorePath(std::move(storeFile)), Registrar(std::move(registrar)) {}

SettingsStore SettingsStore::ForCurrentUser() {
    return SettingsStore(DefaultPath(), FileTypeRegistrar(DataHome()));
}

std::filesystem::path SettingsStore::DefaultPath() {
    return ConfigHome() / "Software" / "kzt.json";
}

std::filesystem::path SettingsStore::ProgramPath(const Settings& settings) {
    const std::filesystem::path folder =
        settings.InstallDir.empty() ? ProgramFolder() : std::filesystem::path(settings.InstallDir);
    // Without a folder the command would be a bare name; the registrar
    // refuses such a path.
    return folder.empty() ? std::filesystem::path{} : folder / "scanbench";
}

bool SettingsStore::LoadSettings(Settings& settings) const {
    const StoreFile file(StorePath);
    std::optional<StoreDocument> document = file.Open();
    if (!document) {
        settings = Settings{};
        return false;
    }
    ReadPortChoice(*document, settings);
    if (ReadStoredValues(*document, settings)) {
        return true;
    }
    // A missing or unusable value makes the whole set doubtful: start over
    // from the defaults, in the file and in memory alike.
    ResetStoredValues(settings);
    document->Write(DefaultEntries());
    if (!file.Commit(*document)) {
        settings = Settings{};
        return false;
    }
    return true;
}

bool SettingsStore::SaveSettings(const Settings& settings) const {
    const StoreFile file(StorePath);
    std::optional<StoreDocument> document = file.Open();
    if (!document) {
        return false;
    }
    document->Write(SavedEntries(settings));
    if (!file.Commit(*document)) {
        return false;
    }
    // Registered on every save, so a moved installation is picked up.
    (void)Registrar.RegisterFileType("bst", ProgramPath(settings));
    return true;
}

} // namespace scanbench
