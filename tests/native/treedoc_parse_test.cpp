#include <gtest/gtest.h>

#include <string>

#include "treedoc_test_support.h"

namespace {

struct ParseCase {
    const char* name;
    std::string text;
    bool accepted;
};

class TreedocParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(TreedocParseTest, AcceptsExactlyStrictJson) {
    ParsedDocument document(GetParam().text);
    EXPECT_EQ(document.handle > 0, GetParam().accepted);
}

const ParseCase kCases[] = {
    {"EmptyObject", "{}", true},
    {"ArrayOfOne", "[1]", true},
    {"RootScalar", "42", true},
    {"SpacesAround", " {} ", true},
    {"Empty", "", false},
    {"TrailingComma", "[1,]", false},
    {"TwoValues", "{} {}", false},
    {"SingleQuotes", "{'a':1}", false},
    {"Comment", "{} // x", false},
    {"NaNLiteral", "[NaN]", false},
    {"HugeNumberRefused", "[1e400]", false},
    // beyond the range of a double: refused, like 1e400
    {"FiveThousandDigitsRefused", "[" + std::string(5000, '9') + "]", false},
    {"LongFractionAccepted", "[0." + std::string(5000, '9') + "]", true},
    {"Utf8Chinese", "{\"a\":\"\xE4\xB8\xAD\xE6\x96\x87\"}", true},
    {"InvalidUtf8", "{\"a\":\"\xC3\x28\"}", false},
    {"OverlongUtf8", "[\"\xC0\xAF\"]", false},
    // found by fuzzing: the reader looked past the terminator for the tail
    {"LeadByteEndsAnOpenString", "\"" + std::string(29, '4') + "\xE9", false},
    {"EncodedSurrogate", "[\"\xED\xA0\x80\"]", false},
    {"LoneHighSurrogateEscape", R"(["\uD800"])", false},
    {"LoneLowSurrogateEscape", R"(["\uDC00"])", false},
    {"LoneLowSurrogateEscapeInKey", R"({"\uDFFF":1})", false},
    {"SurrogatePairEscape", R"(["\uD83D\uDE00"])", true},
    {"EscapedNul", R"(["a\u0000b"])", true},
    {"RawControlCharacter", "[\"a\tb\"]", false},
    // runs of ASCII are checked eight bytes at a time: what follows a run,
    // or stands at each place inside one, is still checked byte by byte
    {"BadByteAfterLongAsciiRun", "[\"" + std::string(16, 'a') + "\xFF\"]", false},
    {"BadByteInsideFirstWord", "[\"abc\x80" "defghijk\"]", false},
    {"LeadByteAtTheVeryEndAfterRun", "\"" + std::string(24, 'a') + "\xE4", false},
    {"FourByteCharacterAfterRun", "[\"" + std::string(15, 'a') + "\xF0\x9F\x98\x80\"]", true},
    {"EncodedSurrogateAfterRun", "[\"" + std::string(23, 'a') + "\xED\xA0\x80\"]", false},
    {"EncodedSurrogateInKeyAfterRun", "{\"" + std::string(9, 'k') + "\xED\xBF\xBF\":1}", false},
    {"HangulAfterRun", "[\"" + std::string(8, 'a') + "\xED\x95\x9C\"]", true},
    {"DeepButClosed", std::string(10000, '[') + std::string(10000, ']'), true},
    {"HundredThousandOpenBrackets", std::string(100000, '['), false},
    {"HundredThousandOpenObjects", [] {
         std::string s;
         for (int i = 0; i < 100000; ++i) s += "{\"a\":";
         return s;
     }(), false},
};

INSTANTIATE_TEST_SUITE_P(Cases, TreedocParseTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ParseCase>& row) { return row.param.name; });

TEST(TreedocParse, NullTextIsRefused) { EXPECT_EQ(parse(nullptr), 0); }

TEST(TreedocParse, MultiMegabyteTextParses) {
    std::string text = "[";
    for (int i = 0; i < 200000; ++i) text += "\"entry number " + std::to_string(i) + "\",";
    text += "0]";
    ParsedDocument document(text);
    ASSERT_GT(document.handle, 0);
    EXPECT_EQ(pointer_get_count(document.handle, ""), 200001);
}

TEST(TreedocParse, DeeplyNestedDocumentIsNotSerialised) {
    ParsedDocument document(std::string(100000, '[') + std::string(100000, ']'));
    ASSERT_GT(document.handle, 0);
    EXPECT_EQ(JsonOf(document.handle), "");
    ParsedDocument target("{}");
    EXPECT_EQ(pointer_set_object(target.handle, 0, "/deep", document.handle), 0);
}

TEST(TreedocParse, ModeratelyNestedDocumentRoundTrips) {
    const std::string text = std::string(500, '[') + std::string(500, ']');
    ParsedDocument document(text);
    EXPECT_EQ(JsonOf(document.handle), text);
}

TEST(TreedocParse, WhitespaceIsDroppedOnOutput) {
    ParsedDocument document(" { \"a\" : [ 1 , 2 ] ,\n\"b\" : true } ");
    EXPECT_EQ(JsonOf(document.handle), R"({"a":[1,2],"b":true})");
}

}  // namespace
