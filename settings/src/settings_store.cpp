#include "settings/settings_store.h"

#include "fileio/folder_lock.h"
#include "port/ppdev_port.h"
#include "settings/store_file.h"
#include "settings/store_values.h"
#include "settings/user_folders.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

namespace scanbench {

namespace {

// Another process (a second window, the runner) may read, change and write
// the store at the same time: each holds the store's folder locked from its
// reading to its writing, so neither writes over what the other just wrote.
FolderLock LockStore(const std::filesystem::path& storePath) {
    std::error_code ignored; // Open says what is wrong with the folder
    std::filesystem::create_directories(storePath.parent_path(), ignored);
    return FolderLock(storePath.parent_path());
}

// The store locked and read, for a change that writes it back.
struct StoreEdit {
    StoreEdit(const std::filesystem::path& storePath, std::vector<std::string>& notices)
        : Lock(LockStore(storePath)), File(storePath), Reading(File.Open(notices)) {}

    const FolderLock Lock;
    const StoreFile File;
    StoreFile::Reading Reading;
};

// What a save writes: the values this process changed since `before`, the
// ones the file does not hold yet, and the ones it holds in a form `usable`
// refuses. Whatever another process wrote in between stays.
std::vector<StoreDocument::Entry>
EntriesToWrite(const std::vector<StoreDocument::Entry>& before,
               const std::vector<StoreDocument::Entry>& after, const StoreDocument& document,
               bool (*usable)(const QString& key, const QJsonValue& value)) {
    std::vector<StoreDocument::Entry> written;
    for (const StoreDocument::Entry& entry : after) {
        const auto old = std::find_if(before.begin(), before.end(),
                                      [&entry](const auto& b) { return b.Key == entry.Key; });
        const QJsonValue stored = document.Value(entry.Key);
        if (old == before.end() || old->Value != entry.Value || stored.isUndefined() ||
            !usable(entry.Key, stored)) {
            written.push_back(entry);
        }
    }
    return written;
}

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
    const FolderLock lock = LockStore(StorePath);
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
    return Save(nullptr, settings, notices);
}

bool SettingsStore::SaveSettings(const Settings& before, const Settings& settings,
                                 std::vector<std::string>& notices) const {
    return Save(&before, settings, notices);
}

bool SettingsStore::Save(const Settings* before, const Settings& settings,
                         std::vector<std::string>& notices) const {
    {
        StoreEdit edit(StorePath, notices);
        std::optional<StoreDocument>& document = edit.Reading.Document;
        if (!document) {
            return false;
        }
        document->Write(
            before == nullptr
                ? SavedEntries(settings)
                : EntriesToWrite(SavedEntries(*before), SavedEntries(settings), *document,
                                 [](const QString&, const QJsonValue&) { return true; }));
        std::string error;
        if (!edit.File.Commit(*document, error)) {
            notices.push_back("Settings not saved: " + StorePath.string() + " cannot be written (" +
                              error + ").");
            return false;
        }
    }
    // Registered on every save, so a moved installation is picked up.
    (void)Registrar.RegisterFileType("bst", ProgramPath(settings));
    return true;
}

bool SettingsStore::SaveViewValues(const Settings& before, const Settings& settings,
                                   std::vector<std::string>& notices) const {
    StoreEdit edit(StorePath, notices);
    const StoreFile& file = edit.File;
    StoreFile::Reading& reading = edit.Reading;
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
    reading.Document->Write(EntriesToWrite(ViewEntries(before), ViewEntries(settings),
                                           *reading.Document, ViewValueUsable));
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
