#include "store_fixture.h"

#include <QJsonDocument>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace scanbench::testing {

std::vector<RawMember> DefaultMembers() {
    return {{"lpt_addr", "888"}, {"tms_pin0", "3"},      {"tms_pin1", "7"}, {"tck_pin0", "4"},
            {"tck_pin1", "8"},   {"tdo_pin0", "2"},      {"tdo_pin1", "6"}, {"tdi_pin0", "11"},
            {"tdi_pin1", "12"},  {"soa_pin", "16"},      {"sob_pin", "17"}, {"sia_pin", "13"},
            {"sib_pin", "15"},   {"always_on_top", "1"}, {"show Z", "0"},   {"speed run", "0"},
            {"active mode", "1"}};
}

Settings Unusual() {
    Settings settings;
    settings.Pins.PortBase = 0x278;
    settings.Pins.TmsPin = {21, 22};
    settings.Pins.TckPin = {23, 24};
    settings.Pins.TxPin = {25, 26};
    settings.Pins.RxPin = {27, 28};
    settings.Pins.SoaPin = 31;
    settings.Pins.SobPin = 32;
    settings.Pins.SiaPin = 33;
    settings.Pins.SibPin = 34;
    settings.SpeedRun = true;
    settings.ShowZ = true;
    settings.ActiveMode = false;
    settings.RefreshWindows = false;
    settings.InstallDir = "/opt/unusual";
    settings.Port = PortKind::Direct;
    settings.Board = BoardKind::Open;
    return settings;
}

std::vector<RawMember> With(std::vector<RawMember> members, const std::string& key,
                            const std::string& rawValue) {
    const auto found = std::find_if(members.begin(), members.end(),
                                    [&](const RawMember& member) { return member.first == key; });
    if (found != members.end()) {
        found->second = rawValue;
    } else {
        members.emplace_back(key, rawValue);
    }
    return members;
}

std::vector<RawMember> Without(std::vector<RawMember> members, const std::string& key) {
    std::erase_if(members, [&](const RawMember& member) { return member.first == key; });
    return members;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::filesystem::path StoreFixture::Root() const {
    return Temp.path().toStdString();
}

std::filesystem::path StoreFixture::StorePath() const {
    return Root() / "config" / "Software" / "kzt.json";
}

std::filesystem::path StoreFixture::DataHome() const {
    return Root() / "data";
}

SettingsStore StoreFixture::MakeStore() {
    auto record = [this](const std::string& tool, const std::vector<std::string>& arguments) {
        std::string run = tool;
        for (const std::string& argument : arguments) {
            run += " " + argument;
        }
        ToolRuns.push_back(run);
    };
    return SettingsStore(StorePath(), FileTypeRegistrar(DataHome(), record));
}

void StoreFixture::WriteStore(const std::vector<RawMember>& members) const {
    std::string text = "{";
    for (const auto& [key, value] : members) {
        text += (text.size() > 1 ? ", \"" : "\"") + key + "\": " + value;
    }
    WriteStoreText(text + "}");
}

void StoreFixture::WriteStoreText(const std::string& text) const {
    WriteFile(StorePath(), text);
}

std::string StoreFixture::StoreText() const {
    return ReadFile(StorePath());
}

QJsonObject StoreFixture::StoreObject() const {
    return QJsonDocument::fromJson(QByteArray::fromStdString(StoreText())).object();
}

std::vector<std::string> StoreFixture::StoreKeys() const {
    // The store writes one member per line.
    static const std::regex member(R"re(^\s*"([^"]*)"\s*:)re");
    std::vector<std::string> keys;
    std::istringstream lines(StoreText());
    std::string line;
    std::smatch match;
    while (std::getline(lines, line)) {
        if (std::regex_search(line, match, member)) {
            keys.push_back(match[1]);
        }
    }
    return keys;
}

std::vector<std::string> StoreFixture::StoreFolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(StorePath().parent_path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::filesystem::path StoreFixture::AsidePath(int n) const {
    std::filesystem::path aside = StorePath();
    aside += n == 1 ? ".bad" : ".bad-" + std::to_string(n);
    return aside;
}

void StoreFixture::ExpectSettledLoad() {
    const std::string before = StoreText();
    const std::vector<std::string> files = StoreFolderEntries();
    Settings settings;
    std::vector<std::string> notices;
    EXPECT_TRUE(MakeStore().LoadSettings(settings, notices));
    EXPECT_TRUE(notices.empty()) << notices.front();
    EXPECT_EQ(StoreText(), before);
    EXPECT_EQ(StoreFolderEntries(), files);
}

void StoreFixture::ExpectDefaultsInFile() const {
    const QJsonObject stored = StoreObject();
    for (const auto& [key, value] : DefaultMembers()) {
        EXPECT_TRUE(stored.value(QString::fromStdString(key)).isDouble()) << key;
        EXPECT_EQ(stored.value(QString::fromStdString(key)).toInt(-1), std::stoi(value)) << key;
    }
}

void StoreFixture::ExpectDefaultsInMemory(const Settings& settings) {
    const PinSettings& pins = settings.Pins;
    EXPECT_EQ(pins.PortBase, 888);
    EXPECT_EQ(pins.TmsPin, (std::array<std::uint8_t, 2>{3, 7}));
    EXPECT_EQ(pins.TckPin, (std::array<std::uint8_t, 2>{4, 8}));
    EXPECT_EQ(pins.TxPin, (std::array<std::uint8_t, 2>{2, 6}));
    EXPECT_EQ(pins.RxPin, (std::array<std::uint8_t, 2>{11, 12}));
    EXPECT_EQ(pins.SoaPin, 16);
    EXPECT_EQ(pins.SobPin, 17);
    EXPECT_EQ(pins.SiaPin, 13);
    EXPECT_EQ(pins.SibPin, 15);
    EXPECT_FALSE(settings.SpeedRun);
    EXPECT_FALSE(settings.ShowZ);
    EXPECT_TRUE(settings.ActiveMode);
}

} // namespace scanbench::testing
