// Local text (code page 936) to UTF-8 and back: ASCII passes through as it
// is, anything else goes the way of the system's conversion.
#include <gtest/gtest.h>

#include <string>

#include "model/text.h"

namespace {

struct ConversionCase {
    const char* name;
    std::string local;
    std::string utf8;
};

class TextConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(TextConversionTest, LocalToUtf8GivesTheUtf8Bytes) {
    EXPECT_EQ(orv::LocalToUtf8(GetParam().local), GetParam().utf8);
}

TEST_P(TextConversionTest, Utf8ToLocalGivesTheLocalBytes) {
    EXPECT_EQ(orv::Utf8ToLocal(GetParam().utf8), GetParam().local);
}

const ConversionCase kCases[] = {
    {"Empty", "", ""},
    {"Ascii", "/navigation/0/file/12/name", "/navigation/0/file/12/name"},
    {"AsciiWithNul", std::string("a\0b", 3), std::string("a\0b", 3)},
    {"AsciiControlBytes", "\t\r\n\x7F", "\t\r\n\x7F"},
    {"ChineseOnly", "\xB3\xA3\xD3\xC3", "\xE5\xB8\xB8\xE7\x94\xA8"},  // 常用
    {"LongAsciiThenChinese", "C:\\Program Files\\\xB9\xA4\xBE\xDF.exe",
     "C:\\Program Files\\\xE5\xB7\xA5\xE5\x85\xB7.exe"},  // 工具
    {"ChineseThenAscii", "\xB9\xA4\xBE\xDF-2", "\xE5\xB7\xA5\xE5\x85\xB7-2"},
    {"EuroSignOfCodePage936", "\x80", "\xE2\x82\xAC"},
};

INSTANTIATE_TEST_SUITE_P(Cases, TextConversionTest, testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TextConversion, MalformedUtf8BecomesAReplacementNotNothing) {
    // 0xFF is no UTF-8 byte: U+FFFD has no code page 936 form either, so the
    // result is the system's default character, not an empty text
    EXPECT_FALSE(orv::Utf8ToLocal("a\xFF" "b").empty());
}

}  // namespace
