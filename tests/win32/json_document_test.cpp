#include "json/json_document.h"

#include <gtest/gtest.h>

#include "json/treedoc_functions.h"

namespace {

// Binds treedoc before any test runs, from beside the test exe, so a test that
// points the run directory elsewhere later still finds the library bound.
class BindTreedocFirst : public testing::Environment {
public:
    void SetUp() override { orv::treedoc::delete_buffer(orv::treedoc::new_buffer()); }
};
const testing::Environment* const kBindTreedoc = testing::AddGlobalTestEnvironment(new BindTreedocFirst);

TEST(JsonDocumentParse, FirstAndLastCharacterRule) {
    struct Row {
        const char* text;
        bool parses;
    };
    const Row rows[] = {
        {"{}", true}, {"[1]", true}, {"", false}, {" {}", false}, {"{}\r\n", false},
        {"{]", false}, {"[}", false}, {"\xEF\xBB\xBF{}", false}, {"{\"a\":}", false}, {"42", false},
    };
    for (const Row& row : rows) {
        orv::JsonDocument document;
        EXPECT_EQ(document.Parse(row.text), row.parses) << row.text;
        EXPECT_EQ(document.GetRoot() > 0, row.parses) << row.text;
    }
}

TEST(JsonDocumentParse, FailedParseLeavesTheDocumentEmpty) {
    orv::JsonDocument document;
    ASSERT_TRUE(document.Parse("{\"height\":300}"));
    EXPECT_FALSE(document.Parse("{"));
    EXPECT_EQ(document.GetInt("/height"), 0);
    EXPECT_EQ(document.ToText(), "");
}

TEST(JsonDocumentRead, MissingValuesReadAsNothing) {
    orv::JsonDocument document;
    ASSERT_TRUE(document.Parse("{\"height\":300}"));
    EXPECT_EQ(document.GetInt("/height"), 300);
    EXPECT_EQ(document.GetInt("/width"), 0);
    EXPECT_EQ(document.GetString("/name"), "");
    EXPECT_EQ(document.GetCount("/navigation"), 0);
    EXPECT_EQ(document.GetBool("/height"), 0);
    EXPECT_EQ(document.Exists("/height"), 1);
}

TEST(JsonDocumentRead, NodeGivenAsZeroIsNotTheDocument) {
    orv::JsonDocument document;
    ASSERT_TRUE(document.Parse("{\"height\":300,\"o\":{\"k\":\"v\"}}"));
    EXPECT_EQ(document.GetInt("/height", 0), 0);
    EXPECT_EQ(document.GetString("", 0), "");
    EXPECT_FALSE(document.SetInt("/x", 1, 0));
    EXPECT_EQ(document.GetKeyAt(0, 0), "");
    const int32_t node = document.GetNode("/o");
    ASSERT_GT(node, 0);
    EXPECT_EQ(document.GetString("/k", node), "v");
    EXPECT_EQ(document.GetKeyAt(node, 0), "k");
    EXPECT_EQ(document.GetKeyAt(std::nullopt, 1), "o");
}

TEST(JsonDocumentText, ChineseComesBackAsLocalTextOrUtf8) {
    orv::JsonDocument document;
    ASSERT_TRUE(document.Parse("{\"name\":\"我的电脑\",\"键\":1}"));
    EXPECT_EQ(document.GetString("/name"), "我的电脑");
    EXPECT_EQ(document.GetString("/name", std::nullopt, true), "\xE6\x88\x91\xE7\x9A\x84\xE7\x94\xB5\xE8\x84\x91");
    EXPECT_EQ(document.GetInt("/键"), 1);
    EXPECT_EQ(document.GetKeyAt(std::nullopt, 1), "键");
    EXPECT_EQ(document.ToText(), "{\"name\":\"我的电脑\",\"键\":1}");
}

TEST(JsonDocumentText, Utf8FlagPassesTheTextUnchanged) {
    orv::JsonDocument document;
    ASSERT_TRUE(document.Parse("{\"n\":\"\xE4\xB8\xAD\"}", orv::JsonDocument::kTextIsUtf8));
    EXPECT_EQ(document.GetString("/n"), "中");
}

TEST(JsonDocumentEdit, SettersAndSetObject) {
    orv::JsonDocument document;
    ASSERT_TRUE(document.Parse("{}"));
    EXPECT_TRUE(document.SetString("/name", "新建分组"));
    EXPECT_TRUE(document.SetBool("/on", 1));
    EXPECT_TRUE(document.SetInt("/n", -3));
    EXPECT_TRUE(document.SetDouble("/d", 0.5));
    EXPECT_TRUE(document.SetObject("/o", "{\"k\":[1]}", 0));
    EXPECT_FALSE(document.SetObject("/bad", " {}", 0));
    EXPECT_EQ(document.ToText(), "{\"name\":\"新建分组\",\"on\":true,\"n\":-3,\"d\":0.5,\"o\":{\"k\":[1]}}");
    EXPECT_EQ(document.GetJsonText("/o"), "{\"k\":[1]}");
    EXPECT_EQ(document.Erase("/o"), 1);
    EXPECT_EQ(document.GetType("/o"), 0);
}

}  // namespace
