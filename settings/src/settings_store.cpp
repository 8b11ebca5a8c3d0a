#include "settings/settings_store.h"

#include "port/ppdev_port.h"
#include "settings/store_file.h"
#include "settings/store_values.h"
#include "settings/user_folders.h"

#include <optional>
#include <utility>

namespace scanbench {

namespace {

// What is wrong with the first unusable value, for messages.
std::string Describe(const UnusableValue& value) {
    const std::string key = "\"" + value.Key.toStdString() + "\"";
    if (value.Missing) {
        return key + " is missing";
    }
    return key + " is not " + (value.Key == QLatin1String("instdir") ? "text" : "a whole number");
}

// A retry means another process replaced the file while this one was about
// to keep it aside; the new file is then read from the start.
enum class LoadOutcome { Done, Failed, Retry };

LoadOutcome ResetIfUnusable(const StoreFile& file, StoreFile::Reading& reading, Settings& settings,
                            std::vector<std::string>& notices) {
    StoreDocument& document = *reading.Document;
    UnusableValue unusable;
    if (ReadStoredValues(document, settings, &unusable)) {
        return LoadOutcome::Done;
    }
    // A missing or unusable value makes the whole set doubtful: start over
    // from the defaults, in the file and in memory alike. What the file held
    // is kept aside first, unless the reset changes none of it.
    ResetStoredValues(settings);
    std::optional<std::filesystem::path> aside;
    if (reading.Identity && ResetLosesValues(document)) {
        std::string error;
        aside = file.KeepAside(*reading.Identity, error);
        if (!aside) {
            if (error.empty()) {
                return LoadOutcome::Retry;
            }
            notices.push_back("Settings reset for this run only: " + Describe(unusable) + ", and " +
                              file.Path().string() + " cannot be kept aside (" + error + ").");
            return LoadOutcome::Failed;
        }
    }
    ResetDocument(document);
    std::string error;
    if (!file.Commit(document, error)) {
        if (aside) {
            file.PutBack(*aside);
        }
        notices.push_back("Settings reset for this run only: " + Describe(unusable) + ", and " +
                          file.Path().string() + " cannot be written (" + error + ").");
        return LoadOutcome::Failed;
    }
    if (aside) {
        notices.push_back("Settings reset: " + Describe(unusable) +
                          ". The file as it was is kept as " + aside->string() + ".");
    }
    return LoadOutcome::Done;
}

LoadOutcome TryLoad(const std::filesystem::path& storePath, Settings& settings,
                    std::vector<std::string>& notices) {
    const StoreFile file(storePath);
    StoreFile::Reading reading = file.Open(notices);
    if (!reading.Document) {
        settings = Settings{};
        return LoadOutcome::Failed;
    }
    StoreDocument& document = *reading.Document;
    // Said after what happened to the file, which matters more.
    std::vector<std::string> choiceNotices;
    ReadPortChoice(document, settings, &choiceNotices);
    ReadViewValues(document, settings, &choiceNotices);
    const LoadOutcome outcome = ResetIfUnusable(file, reading, settings, notices);
    notices.insert(notices.end(), choiceNotices.begin(), choiceNotices.end());
    return outcome;
}

} // namespace

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
    std::vector<std::string> notices;
    return LoadSettings(settings, notices);
}

bool SettingsStore::LoadSettings(Settings& settings, std::vector<std::string>& notices) const {
    constexpr int Attempts = 3;
    for (int attempt = 1;; ++attempt) {
        std::vector<std::string> found;
        const LoadOutcome outcome = TryLoad(StorePath, settings, found);
        if (outcome != LoadOutcome::Retry || attempt == Attempts) {
            if (outcome == LoadOutcome::Retry) {
                found.push_back("Settings reset for this run only: " + StorePath.string() +
                                " keeps changing.");
            }
            notices.insert(notices.end(), found.begin(), found.end());
            return outcome == LoadOutcome::Done;
        }
    }
}

bool SettingsStore::SaveSettings(const Settings& settings) const {
    std::vector<std::string> notices;
    return SaveSettings(settings, notices);
}

bool SettingsStore::SaveSettings(const Settings& settings,
                                 std::vector<std::string>& notices) const {
    const StoreFile file(StorePath);
    StoreFile::Reading reading = file.Open(notices);
    if (!reading.Document) {
        return false;
    }
    reading.Document->Write(SavedEntries(settings));
    std::string error;
    if (!file.Commit(*reading.Document, error)) {
        notices.push_back("Settings not saved: " + StorePath.string() + " cannot be written (" +
                          error + ").");
        return false;
    }
    // Registered on every save, so a moved installation is picked up.
    (void)Registrar.RegisterFileType("bst", ProgramPath(settings));
    return true;
}

bool SettingsStore::SaveViewValues(const Settings& settings,
                                   std::vector<std::string>& notices) const {
    const StoreFile file(StorePath);
    StoreFile::Reading reading = file.Open(notices);
    if (!reading.Document) {
        return false;
    }
    std::optional<std::filesystem::path> aside;
    if (reading.Identity && ViewValuesUnusable(*reading.Document)) {
        std::string error;
        aside = file.KeepAside(*reading.Identity, error);
        if (!aside) {
            notices.push_back("Settings not saved: " + StorePath.string() +
                              " cannot be kept aside (" +
                              (error.empty() ? std::string("it keeps changing") : error) + ").");
            return false;
        }
    }
    reading.Document->Write(ViewEntries(settings));
    std::string error;
    if (!file.Commit(*reading.Document, error)) {
        if (aside) {
            file.PutBack(*aside);
        }
        notices.push_back("Settings not saved: " + StorePath.string() + " cannot be written (" +
                          error + ").");
        return false;
    }
    if (aside) {
        notices.push_back("The settings file as it was is kept as " + aside->string() + ".");
    }
    return true;
}

std::vector<std::string> PortChoiceNotices(const Settings& settings) {
    const std::int32_t base = settings.Pins.PortBase;
    if (settings.Port == PortKind::Ppdev && !PpdevPort::HasDevice(base)) {
        return {"ppdev port at " + std::to_string(base) +
                ", not 888, 632 or 956: " + std::string(PpdevPort::DevicePath(base)) + " is used."};
    }
    return {};
}

} // namespace scanbench
