#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace scanbench {

// The store's top-level JSON object with its key order kept. QJsonObject
// sorts its keys, which would hide the order in which the program wrote its
// values, so the object is held as an ordered list and serialised here;
// Qt's JSON classes still do the parsing and encode every single value.
class StoreDocument {
public:
    struct Entry {
        QString Key;
        QJsonValue Value;
    };

    // Nothing when the text is not valid JSON or its top level is not an
    // object. A key given twice keeps its first position and its last value,
    // as QJsonDocument keeps the last value.
    [[nodiscard]] static std::optional<StoreDocument> Parse(const QByteArray& text);

    // One key per line, in the held order, values in compact JSON.
    [[nodiscard]] QByteArray Serialise() const;

    // QJsonValue::Undefined when the key is absent.
    [[nodiscard]] QJsonValue Value(const QString& key) const;
    [[nodiscard]] QStringList Keys() const;

    // Writes a set of values: the written keys come first, in the given
    // order, followed by every key the write does not touch, in its old order.
    void Write(const std::vector<Entry>& values);
    void Remove(const QString& key);

private:
    std::vector<Entry> Entries;
};

} // namespace scanbench
