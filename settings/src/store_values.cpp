#include "settings/store_values.h"

#include "settings/qt_paths.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace scanbench {

namespace {

// The board file of "board": "file".
constexpr const char* BoardFileKey = "board file";

// A JSON number that is a whole number within the signed 32-bit range.
// Strings, booleans, null, arrays, objects and fractions are not.
std::optional<std::int32_t> ToInt32(const QJsonValue& value) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::trunc(number) != number ||
        number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

// Reads values one after another until the first unusable one; after that
// every read gives a dummy value and Ok() stays false.
class ValueReader {
public:
    explicit ValueReader(const StoreDocument& document) : Document(document) {}

    std::int32_t Integer(const char* key) {
        if (!Good) {
            return 0;
        }
        const QJsonValue stored = Document.Value(QString::fromLatin1(key));
        const std::optional<std::int32_t> value = ToInt32(stored);
        if (!value) {
            Refuse(key, stored);
        }
        return value.value_or(0);
    }

    // Pin numbers fit in a byte; only the low 8 bits of the value count.
    std::uint8_t Pin(const char* key) {
        return static_cast<std::uint8_t>(static_cast<std::uint32_t>(Integer(key)) & 0xFFU);
    }

    bool Switch(const char* key) { return Integer(key) != 0; }

    // A missing text reads as empty; any other type is unusable.
    std::string Text(const char* key) {
        if (!Good) {
            return {};
        }
        const QJsonValue value = Document.Value(QString::fromLatin1(key));
        if (value.isUndefined()) {
            return {};
        }
        if (!value.isString()) {
            Refuse(key, value);
        }
        return value.toString().toStdString();
    }

    [[nodiscard]] bool Ok() const { return Good; }
    [[nodiscard]] const UnusableValue& Unusable() const { return First; }

private:
    void Refuse(const char* key, const QJsonValue& value) {
        Good = false;
        First = {QString::fromLatin1(key), value.isUndefined()};
    }

    const StoreDocument& Document;
    bool Good = true;
    UnusableValue First;
};

StoreDocument::Entry Number(const char* key, int value) {
    return {QString::fromLatin1(key), QJsonValue(value)};
}

StoreDocument::Entry Flag(const char* key, bool on) {
    return Number(key, on ? 1 : 0);
}

StoreDocument::Entry Name(const char* key, std::string_view name) {
    return {QString::fromLatin1(key),
            QJsonValue(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())))};
}

// The value as it stands in the file, for messages.
std::string JsonText(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2).toStdString();
}

// A port choice value: the kind it names, or the default. A value that is
// present but names nothing the program knows is reported.
template <typename Kind, typename ParseName>
Kind ReadChoice(const StoreDocument& document, const char* key, Kind fallback, ParseName parse,
                std::string_view fallbackName, const std::string& known,
                std::vector<std::string>* notices) {
    const QJsonValue value = document.Value(QString::fromLatin1(key));
    if (value.isUndefined()) {
        return fallback;
    }
    if (value.isString()) {
        if (const std::optional<Kind> kind = parse(value.toString().toStdString())) {
            return *kind;
        }
    }
    if (notices != nullptr) {
        notices->push_back("Unknown \"" + std::string(key) + "\" " + JsonText(value) +
                           " in the settings: \"" + std::string(fallbackName) +
                           "\" is used (known: " + known + ").");
    }
    return fallback;
}

} // namespace

namespace {

constexpr const char* ZoomKey = "zoom";
constexpr const char* LineNumbersKey = "line numbers";
constexpr const char* ProgramFolderKey = "program folder";

// Each view value with its check; nothing for a missing value, a refusal
// message for an unusable one.
struct ViewValueCheck {
    const char* Key;
    const char* Expected;
    bool (*Usable)(const QJsonValue&);
};

constexpr ViewValueCheck ViewChecks[] = {
    {ZoomKey, "100, 150 or 200",
     [](const QJsonValue& v) { return ToInt32(v) && IsZoomLevel(*ToInt32(v)); }},
    {LineNumbersKey, "a whole number", [](const QJsonValue& v) { return ToInt32(v).has_value(); }},
    {ProgramFolderKey, "text", [](const QJsonValue& v) { return v.isString(); }},
};

} // namespace

void ReadViewValues(const StoreDocument& document, Settings& settings,
                    std::vector<std::string>* notices) {
    const Settings defaults;
    settings.Zoom = defaults.Zoom;
    settings.LineNumbers = defaults.LineNumbers;
    settings.ProgramFolder = defaults.ProgramFolder;
    for (const ViewValueCheck& check : ViewChecks) {
        const QJsonValue value = document.Value(QString::fromLatin1(check.Key));
        if (value.isUndefined()) {
            continue;
        }
        if (!check.Usable(value)) {
            if (notices != nullptr) {
                notices->push_back("\"" + std::string(check.Key) + "\" " + JsonText(value) +
                                   " in the settings is not " + check.Expected +
                                   ": the default is used.");
            }
            continue;
        }
        if (check.Key == ZoomKey) {
            settings.Zoom = *ToInt32(value);
        } else if (check.Key == LineNumbersKey) {
            settings.LineNumbers = *ToInt32(value) != 0;
        } else {
            settings.ProgramFolder = value.toString().toStdString();
        }
    }
}

bool ViewValueUsable(const QString& key, const QJsonValue& value) {
    for (const ViewValueCheck& check : ViewChecks) {
        if (key == QLatin1String(check.Key)) {
            return check.Usable(value);
        }
    }
    return true;
}

bool ViewValuesUnusable(const StoreDocument& document) {
    for (const ViewValueCheck& check : ViewChecks) {
        const QJsonValue value = document.Value(QString::fromLatin1(check.Key));
        if (!value.isUndefined() && !check.Usable(value)) {
            return true;
        }
    }
    return false;
}

std::vector<StoreDocument::Entry> ViewEntries(const Settings& settings) {
    return {
        Number(ZoomKey, IsZoomLevel(settings.Zoom) ? settings.Zoom : Settings{}.Zoom),
        Flag(LineNumbersKey, settings.LineNumbers),
        {QString::fromLatin1(ProgramFolderKey),
         QJsonValue(QString::fromStdString(settings.ProgramFolder))},
    };
}

bool ReadStoredValues(const StoreDocument& document, Settings& settings, UnusableValue* unusable) {
    ValueReader reader(document);
    Settings read = settings;
    PinSettings& pins = read.Pins;
    pins.PortBase = reader.Integer("lpt_addr");
    pins.TmsPin[0] = reader.Pin("tms_pin0");
    pins.TmsPin[1] = reader.Pin("tms_pin1");
    pins.TckPin[0] = reader.Pin("tck_pin0");
    pins.TckPin[1] = reader.Pin("tck_pin1");
    pins.RxPin[0] = reader.Pin("tdi_pin0");
    pins.RxPin[1] = reader.Pin("tdi_pin1");
    pins.TxPin[0] = reader.Pin("tdo_pin0");
    pins.TxPin[1] = reader.Pin("tdo_pin1");
    pins.SoaPin = reader.Pin("soa_pin");
    pins.SobPin = reader.Pin("sob_pin");
    pins.SiaPin = reader.Pin("sia_pin");
    pins.SibPin = reader.Pin("sib_pin");
    read.SpeedRun = reader.Switch("speed run");
    read.ShowZ = reader.Switch("show Z");
    read.ActiveMode = reader.Switch("active mode");
    read.InstallDir = reader.Text("instdir");
    if (!reader.Ok()) {
        if (unusable != nullptr) {
            *unusable = reader.Unusable();
        }
        return false;
    }
    settings = read;
    return true;
}

void ReadPortChoice(const StoreDocument& document, Settings& settings,
                    std::vector<std::string>* notices) {
    const Settings defaults;
    settings.Port = ReadChoice(document, "port", defaults.Port, ParsePortKind,
                               PortKindName(defaults.Port), PortKindNameList(), notices);
    settings.Board = ReadChoice(document, "board", defaults.Board.Kind, ParseBoardKind,
                                BoardKindName(defaults.Board.Kind), BoardKindNameList(), notices);
    // The last board file chosen is kept whatever the board in use.
    const QJsonValue boardFile = document.Value(QString::fromLatin1(BoardFileKey));
    if (boardFile.isString()) {
        settings.Board.File = FromQtPath(boardFile.toString()).string();
    }
    if (settings.Board.Kind == BoardKind::File && settings.Board.File.empty()) {
        if (notices != nullptr) {
            notices->push_back("\"board\" is \"file\" in the settings, but \"" +
                               std::string(BoardFileKey) + "\" names no board file: \"" +
                               std::string(BoardKindName(defaults.Board.Kind)) + "\" is used.");
        }
        settings.Board.Kind = defaults.Board.Kind;
    }
    // Faults prepared for the simulated board's nets.
    settings.Faults = {};
    const QJsonValue faults = document.Value(QStringLiteral("faults"));
    if (faults.isString()) {
        auto choice = ParseFaultChoice(faults.toString().toStdString());
        if (auto* chosen = std::get_if<FaultChoice>(&choice)) {
            settings.Faults = std::move(*chosen);
        } else if (notices != nullptr) {
            notices->push_back("Unusable \"faults\" " + JsonText(faults) +
                               " in the settings: " + std::get<std::string>(choice) +
                               "; the board is used without faults.");
        }
    }
    const QJsonValue revealed = document.Value(QStringLiteral("faults revealed"));
    settings.Faults.Revealed = revealed.isBool() ? revealed.toBool() : revealed.toInt(0) != 0;
    // The remote port's server: both values optional, each checked.
    settings.Remote = defaults.Remote;
    const QJsonValue host = document.Value(QStringLiteral("remote_host"));
    const QJsonValue port = document.Value(QStringLiteral("remote_port"));
    const std::string hostText =
        host.isString() ? host.toString().toStdString() : settings.Remote.Host;
    const std::optional<std::int32_t> portNumber =
        port.isUndefined() ? std::optional<std::int32_t>(settings.Remote.Port) : ToInt32(port);
    const bool hostOk = host.isUndefined() || host.isString();
    const std::optional<RemoteAddress> address =
        hostOk && portNumber ? ParseHostPort(hostText + ":" + std::to_string(*portNumber))
                             : std::nullopt;
    if (address) {
        settings.Remote = *address;
    } else if (notices != nullptr) {
        notices->push_back("Unusable \"remote_host\" " + JsonText(host) + " or \"remote_port\" " +
                           JsonText(port) + " in the settings: " + HostPortText(settings.Remote) +
                           " is used.");
    }
}

std::vector<StoreDocument::Entry> DefaultEntries() {
    const Settings defaults;
    const PinSettings& pins = defaults.Pins;
    return {
        Number("lpt_addr", pins.PortBase),        Number("tms_pin0", pins.TmsPin[0]),
        Number("tms_pin1", pins.TmsPin[1]),       Number("tck_pin0", pins.TckPin[0]),
        Number("tck_pin1", pins.TckPin[1]),       Number("tdo_pin0", pins.TxPin[0]),
        Number("tdo_pin1", pins.TxPin[1]),        Number("tdi_pin0", pins.RxPin[0]),
        Number("tdi_pin1", pins.RxPin[1]),        Number("soa_pin", pins.SoaPin),
        Number("sob_pin", pins.SobPin),           Number("sia_pin", pins.SiaPin),
        Number("sib_pin", pins.SibPin),           Flag("always_on_top", true),
        Flag("show Z", defaults.ShowZ),           Flag("speed run", defaults.SpeedRun),
        Flag("active mode", defaults.ActiveMode),
    };
}

void ResetStoredValues(Settings& settings) {
    const Settings defaults;
    settings.Pins = defaults.Pins;
    settings.ShowZ = defaults.ShowZ;
    settings.SpeedRun = defaults.SpeedRun;
    settings.ActiveMode = defaults.ActiveMode;
}

void ResetDocument(StoreDocument& document) {
    document.Write(DefaultEntries());
    if (const QJsonValue installDir = document.Value(QStringLiteral("instdir"));
        !installDir.isUndefined() && !installDir.isString()) {
        document.Remove(QStringLiteral("instdir"));
    }
}

bool ResetLosesValues(const StoreDocument& document) {
    StoreDocument reset = document;
    ResetDocument(reset);
    for (const QString& key : document.Keys()) {
        const QJsonValue before = document.Value(key);
        const QJsonValue after = reset.Value(key);
        // Numbers count as equal when they are the same whole number: 1.0
        // for 1 loses nothing.
        const std::optional<std::int32_t> number = ToInt32(before);
        if (number ? number != ToInt32(after) : before != after) {
            return true;
        }
    }
    return false;
}

std::vector<StoreDocument::Entry> SavedEntries(const Settings& settings) {
    const PinSettings& pins = settings.Pins;
    std::vector<StoreDocument::Entry> entries{
        Number("lpt_addr", pins.PortBase),
        Number("tms_pin0", pins.TmsPin[0]),
        Number("tms_pin1", pins.TmsPin[1]),
        Number("tck_pin0", pins.TckPin[0]),
        Number("tck_pin1", pins.TckPin[1]),
        Number("tdo_pin0", pins.TxPin[0]),
        Number("tdo_pin1", pins.TxPin[1]),
        Number("tdi_pin0", pins.RxPin[0]),
        Number("tdi_pin1", pins.RxPin[1]),
        Flag("refresh windows", settings.RefreshWindows),
        Flag("speed run", settings.SpeedRun),
        Flag("show Z", settings.ShowZ),
        Flag("active mode", settings.ActiveMode),
        Number("soa_pin", pins.SoaPin),
        Number("sob_pin", pins.SobPin),
        Number("sia_pin", pins.SiaPin),
        Number("sib_pin", pins.SibPin),
        Name("port", PortKindName(settings.Port)),
        Name("board", BoardKindName(settings.Board.Kind)),
        Name("remote_host", settings.Remote.Host),
        Number("remote_port", settings.Remote.Port),
        Name("faults", FaultChoiceText(settings.Faults)),
        Flag("faults revealed", settings.Faults.Revealed),
    };
    if (!settings.Board.File.empty()) {
        entries.push_back(
            {QString::fromLatin1(BoardFileKey), QJsonValue(ToQtPath(settings.Board.File))});
    }
    return entries;
}

} // namespace scanbench
