#include "settings/store_document.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>

namespace scanbench {

namespace {

// Walks the members of a top-level object in text that QJsonDocument has
// already accepted, so the scan can rely on well-formed input. It hands out
// every member's key and value as raw JSON text, in the order they appear.
class MemberScanner {
public:
    explicit MemberScanner(const QByteArray& text) : Text(text) {
        if (Text.startsWith("\xEF\xBB\xBF")) { // QJsonDocument accepts a UTF-8 byte order mark
            Pos = 3;
        }
        SkipSpace();
        ++Pos; // the opening brace
    }

    // The next member's key and value as raw JSON, or false at the end.
    bool Next(QByteArray& key, QByteArray& value) {
        SkipSpace();
        if (Pos >= Text.size() || Text[Pos] == '}') {
            return false;
        }
        const qsizetype keyStart = Pos;
        SkipString();
        key = Text.mid(keyStart, Pos - keyStart);
        SkipSpace();
        ++Pos; // the colon
        SkipSpace();
        const qsizetype valueStart = Pos;
        SkipValue();
        value = Text.mid(valueStart, Pos - valueStart);
        SkipSpace();
        if (Pos < Text.size() && Text[Pos] == ',') {
            ++Pos;
        }
        return true;
    }

private:
    void SkipSpace() {
        while (Pos < Text.size() &&
               (Text[Pos] == ' ' || Text[Pos] == '\t' || Text[Pos] == '\n' || Text[Pos] == '\r')) {
            ++Pos;
        }
    }

    // From an opening quote to just past the closing one.
    void SkipString() {
        ++Pos;
        while (Pos < Text.size() && Text[Pos] != '"') {
            Pos += Text[Pos] == '\\' ? 2 : 1;
        }
        ++Pos;
    }

    // Up to the comma or brace that ends the member, skipping nested
    // arrays, objects and strings whole.
    void SkipValue() {
        int depth = 0;
        while (Pos < Text.size()) {
            const char c = Text[Pos];
            if (c == '"') {
                SkipString();
                continue;
            }
            if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                if (depth == 0) {
                    break;
                }
                --depth;
            } else if (c == ',' && depth == 0) {
                break;
            }
            ++Pos;
        }
        // Trailing blanks belong to the separator, not to the value.
        while (Pos > 0 && (Text[Pos - 1] == ' ' || Text[Pos - 1] == '\t' || Text[Pos - 1] == '\n' ||
                           Text[Pos - 1] == '\r')) {
            --Pos;
        }
    }

    const QByteArray& Text;
    qsizetype Pos = 0;
};

// Encodes one value as compact JSON; QJsonDocument only serialises arrays
// and objects, so the value travels in a one-element array.
QByteArray EncodeValue(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

std::optional<StoreDocument> StoreDocument::Parse(const QByteArray& text) {
    QJsonParseError error{};
    const QJsonDocument whole = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !whole.isObject()) {
        return std::nullopt;
    }
    StoreDocument document;
    MemberScanner scanner(text);
    QByteArray key;
    QByteArray value;
    // Where each key went, so a file of many keys is read in linear time.
    QHash<QString, std::size_t> positions;
    while (scanner.Next(key, value)) {
        // Each member was valid inside the object, so it is valid inside an array.
        const QJsonArray member = QJsonDocument::fromJson("[" + key + "," + value + "]").array();
        const QString name = member.at(0).toString();
        const auto earlier = positions.constFind(name);
        if (earlier != positions.constEnd()) {
            document.Entries[*earlier].Value = member.at(1);
        } else {
            positions.insert(name, document.Entries.size());
            document.Entries.push_back({name, member.at(1)});
        }
    }
    return document;
}

QByteArray StoreDocument::Serialise() const {
    QByteArray text = "{\n";
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        text += "    " + EncodeValue(Entries[i].Key) + ": " + EncodeValue(Entries[i].Value);
        text += i + 1 < Entries.size() ? ",\n" : "\n";
    }
    text += "}\n";
    return text;
}

QJsonValue StoreDocument::Value(const QString& key) const {
    const auto found = std::find_if(Entries.begin(), Entries.end(),
                                    [&](const Entry& entry) { return entry.Key == key; });
    return found != Entries.end() ? found->Value : QJsonValue(QJsonValue::Undefined);
}

QStringList StoreDocument::Keys() const {
    QStringList keys;
    for (const Entry& entry : Entries) {
        keys.append(entry.Key);
    }
    return keys;
}

void StoreDocument::Write(const std::vector<Entry>& values) {
    std::vector<Entry> result;
    result.reserve(values.size() + Entries.size());
    for (const Entry& entry : values) {
        const auto earlier = std::find_if(result.begin(), result.end(),
                                          [&](const Entry& kept) { return kept.Key == entry.Key; });
        if (earlier != result.end()) {
            earlier->Value = entry.Value;
        } else {
            result.push_back(entry);
        }
    }
    for (Entry& entry : Entries) {
        const bool written = std::any_of(values.begin(), values.end(), [&](const Entry& value) {
            return value.Key == entry.Key;
        });
        if (!written) {
            result.push_back(std::move(entry));
        }
    }
    Entries = std::move(result);
}

void StoreDocument::Remove(const QString& key) {
    std::erase_if(Entries, [&](const Entry& entry) { return entry.Key == key; });
}

} // namespace scanbench
