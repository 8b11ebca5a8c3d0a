#include "settings/store_document.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace scanbench {
namespace {

StoreDocument ParseOrFail(const QByteArray& text) {
    std::optional<StoreDocument> document = StoreDocument::Parse(text);
    EXPECT_TRUE(document.has_value()) << text.constData();
    return document.value_or(StoreDocument{});
}

TEST(SettingsDocument, KeepsTheKeyOrderOfTheText) {
    const StoreDocument document = ParseOrFail(
        R"({"zeta": 1, "alpha": {"x": [1, {"}": "]"}]}, "m\"id": "a,b", "beta" : null })");
    EXPECT_EQ(document.Keys(), (QStringList{"zeta", "alpha", "m\"id", "beta"}));
    EXPECT_EQ(document.Value("m\"id").toString(), "a,b");
    EXPECT_TRUE(document.Value("beta").isNull());
    EXPECT_EQ(document.Value("alpha").toObject().value("x").toArray().at(1).toObject().value("}"),
              QJsonValue("]"));
    EXPECT_TRUE(document.Value("absent").isUndefined());
}

TEST(SettingsDocument, ToleratesByteOrderMarkBlanksAndEscapedKeys) {
    const StoreDocument document =
        ParseOrFail("\xEF\xBB\xBF \r\n{\t\"a\\u0062c\"\n:\n1\n,\"\\\\\":2}\n");
    EXPECT_EQ(document.Keys(), (QStringList{"abc", "\\"}));
    EXPECT_EQ(document.Value("\\").toInt(), 2);
}

TEST(SettingsDocument, RepeatedKeyKeepsFirstPlaceAndLastValue) {
    const StoreDocument document = ParseOrFail(R"({"a": 1, "b": 2, "a": 3})");
    EXPECT_EQ(document.Keys(), (QStringList{"a", "b"}));
    EXPECT_EQ(document.Value("a").toInt(), 3);
}

TEST(SettingsDocument, RejectsTextThatIsNotAnObject) {
    for (const char* text : {"", "[]", "1", "\"x\"", "{", "{\"a\":1,}", "{} []"}) {
        EXPECT_FALSE(StoreDocument::Parse(text).has_value()) << text;
    }
    EXPECT_TRUE(StoreDocument::Parse("{}").has_value());
}

TEST(SettingsDocument, WrittenKeysComeFirstThenTheUntouchedOnes) {
    StoreDocument document = ParseOrFail(R"({"keep1": 1, "b": 2, "keep2": 3, "a": 4})");
    document.Write({{"a", 10}, {"new", 11}, {"b", 12}});
    EXPECT_EQ(document.Keys(), (QStringList{"a", "new", "b", "keep1", "keep2"}));
    EXPECT_EQ(document.Value("a").toInt(), 10);
    EXPECT_EQ(document.Value("keep2").toInt(), 3);
}

TEST(SettingsDocument, SerialisedTextParsesBackToTheSameDocument) {
    StoreDocument document;
    document.Write({{"number", 888},
                    {"text", "quote \" back\\slash \u00e9 \n"},
                    {"nested", QJsonObject{{"z", 1}, {"a", QJsonArray{1, "two"}}}},
                    {"null", QJsonValue()},
                    {"", -2147483647 - 1}});
    const QByteArray text = document.Serialise();
    const StoreDocument again = ParseOrFail(text);
    EXPECT_EQ(again.Keys(), document.Keys());
    for (const QString& key : document.Keys()) {
        EXPECT_EQ(again.Value(key), document.Value(key)) << key.toStdString();
    }
    EXPECT_TRUE(text.contains("\"number\": 888")) << text.constData();
    EXPECT_EQ(StoreDocument{}.Serialise(), "{\n}\n");
    EXPECT_TRUE(StoreDocument::Parse(StoreDocument{}.Serialise()).has_value());
}

} // namespace
} // namespace scanbench
