#include "core/json_layout.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase {
    const char* name;
    std::string compact;
    std::string laidOut;
};

class JsonLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(JsonLayoutTest, GivesExactLines) { EXPECT_EQ(orv::LayOutJson(GetParam().compact), GetParam().laidOut); }

const LayoutCase kCases[] = {
    {"EmptyObject", "{}", "{}"},
    {"OneMember", R"({"width":981})", "{\r\n\"width\":981}"},
    {"TwoMembers", R"({"a":1,"b":2})", "{\r\n\"a\":1,\r\n\"b\":2}"},
    {"NestedLastObject", R"({"a":{"b":1}})", "{\r\n\"a\":{\r\n\"b\":1}\r\n}"},
    {"ThreeClosingBraces", R"({"a":{"b":{"c":1}}})", "{\r\n\"a\":{\r\n\"b\":{\r\n\"c\":1}\r\n}}"},
    {"FourClosingBraces", "}}}}", "}\r\n}}\r\n}"},
    {"ArraysGetNoBreaks", R"({"a":[1,2],"b":[]})", "{\r\n\"a\":[1,2],\r\n\"b\":[]}"},
    {"StringElementsAfterCommaBreak", R"({"a":["x","y"]})", "{\r\n\"a\":[\"x\",\r\n\"y\"]}"},
    {"NameEndingInComma", R"({"name":"a,","b":1})", "{\r\n\"name\":\"a,\",\r\n\"b\":1}"},
    {"NameEndingInBrace", R"({"name":"a{","b":1})", "{\r\n\"name\":\"a{\",\r\n\"b\":1}"},
    {"NameHoldingClosingBraces", R"({"name":"}}"})", "{\r\n\"name\":\"}}\"}"},
    {"NameHoldingCommaQuote", R"({"name":"a,\"b"})", "{\r\n\"name\":\"a,\\\"b\"}"},
    {"EscapedBackslashEndsString", R"({"p":"c:\\","q":1})", "{\r\n\"p\":\"c:\\\\\",\r\n\"q\":1}"},
    // "曜" is 0xEA 0x7B in code page 936 (second byte "{"); "倈" is 0x82 0x22 (second byte a quote).
    {"DoubleByteWithBraceTrail", "{\"n\":\"\xEA{\",\"m\":1}", "{\r\n\"n\":\"\xEA{\",\r\n\"m\":1}"},
    {"DoubleByteWithQuoteTrail", "{\"n\":\"\x82\"\",\"m\":1}", "{\r\n\"n\":\"\x82\"\",\r\n\"m\":1}"},
    {"DoubleByteWithBackslashTrail", "{\"n\":\"\x95\\\",\"m\":1}", "{\r\n\"n\":\"\x95\\\",\r\n\"m\":1}"},
};

INSTANTIATE_TEST_SUITE_P(Cases, JsonLayoutTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<LayoutCase>& row) { return row.param.name; });

TEST(JsonLayout, SavedBoardExampleGivesSixteenLines) {
    const std::string compact =
        R"({"width":500,"height":400,"left":100,"crown":50,"startup":false,"navigation":[{"name":"我的电脑","file":[{"name":"回收站","address":"回收站","icon":"","command":"","root_privilege":false}]},{"name":"新建分组","file":[]}]})";
    const std::string lines[] = {
        "{", R"("width":500,)", R"("height":400,)", R"("left":100,)", R"("crown":50,)",
        R"("startup":false,)", R"("navigation":[{)", R"("name":"我的电脑",)", R"("file":[{)",
        R"("name":"回收站",)", R"("address":"回收站",)", R"("icon":"",)", R"("command":"",)",
        R"("root_privilege":false}]},{)", R"("name":"新建分组",)", R"("file":[]}]})",
    };
    std::string expected;
    for (const std::string& line : lines) expected += (expected.empty() ? "" : "\r\n") + line;
    EXPECT_EQ(orv::LayOutJson(compact), expected);
}

}  // namespace
