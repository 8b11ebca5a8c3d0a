#pragma once

#include "settings/settings_store.h"

#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace scanbench::testing {

// A raw JSON member: key and value text exactly as they go into the file.
using RawMember = std::pair<std::string, std::string>;

// Every value a complete, valid store holds, at its default, in the order
// the program writes them after a failed load.
[[nodiscard]] std::vector<RawMember> DefaultMembers();

// Settings with every member away from its default.
[[nodiscard]] Settings Unusual();

// The members with one value replaced (or added at the end).
[[nodiscard]] std::vector<RawMember> With(std::vector<RawMember> members, const std::string& key,
                                          const std::string& rawValue);
[[nodiscard]] std::vector<RawMember> Without(std::vector<RawMember> members,
                                             const std::string& key);

// A store in a fresh temporary folder, with tool runs recorded instead of
// started.
class StoreFixture : public ::testing::Test {
protected:
    [[nodiscard]] std::filesystem::path Root() const;
    [[nodiscard]] std::filesystem::path StorePath() const;
    [[nodiscard]] std::filesystem::path DataHome() const;
    [[nodiscard]] SettingsStore MakeStore();

    void WriteStore(const std::vector<RawMember>& members) const;
    void WriteStoreText(const std::string& text) const;
    [[nodiscard]] std::string StoreText() const;
    [[nodiscard]] QJsonObject StoreObject() const;
    // The top-level keys in the order they appear in the file's text.
    [[nodiscard]] std::vector<std::string> StoreKeys() const;
    // Every file in the store's folder, by name.
    [[nodiscard]] std::vector<std::string> StoreFolderEntries() const;
    // Where the n-th file kept aside goes: kzt.json.bad, kzt.json.bad-2, ...
    [[nodiscard]] std::filesystem::path AsidePath(int n = 1) const;
    // Loads and expects the store to be left alone: a document the program
    // wrote reads back without a reset, a new copy or a message.
    void ExpectSettledLoad();

    // Expects the file to hold every value of the default set at its default.
    void ExpectDefaultsInFile() const;
    // Expects the values the store writes to be at their defaults.
    static void ExpectDefaultsInMemory(const Settings& settings);

    std::vector<std::string> ToolRuns; // "tool argument"

private:
    QTemporaryDir Temp;
};

[[nodiscard]] std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);

} // namespace scanbench::testing
