#include "core/config_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using orv::ConfigEncoding;

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string FromUtf8(std::u8string_view text) { return {text.begin(), text.end()}; }

TEST(DecodeConfigBytes, TellsUtf8FromLocalText) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
        ConfigEncoding encoding;
    };
    const std::string gbk = "{\"name\":\"新建分组\"}";       // compiled as code page 936
    const std::string utf8 = FromUtf8(u8"{\"name\":\"新建分组\"}");  // the same text in UTF-8
    const Case cases[] = {
        {"plain ASCII is local", "{\"a\":1}", "{\"a\":1}", ConfigEncoding::Local},
        {"code page 936 is local", gbk, gbk, ConfigEncoding::Local},
        {"UTF-8 without a mark", utf8, utf8, ConfigEncoding::Utf8},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8, utf8, ConfigEncoding::Utf8},
        {"a mark before plain ASCII", "\xEF\xBB\xBF{}", "{}", ConfigEncoding::Utf8},
        {"a mark before invalid bytes still means UTF-8", "\xEF\xBB\xBF" + gbk, gbk, ConfigEncoding::Utf8},
        {"white space around the text", " \t\r\n{}\r\n ", "{}", ConfigEncoding::Local},
        {"white space after a mark", "\xEF\xBB\xBF\r\n" + utf8 + "\r\n", utf8, ConfigEncoding::Utf8},
        {"white space before a mark", "\r\n\xEF\xBB\xBF{}", "{}", ConfigEncoding::Utf8},
        {"up to the first zero byte", std::string("{}\0garbage", 10), "{}", ConfigEncoding::Local},
        {"non-ASCII only after the zero byte", std::string("{}\0\xC3\xA9", 5), "{}", ConfigEncoding::Local},
        {"empty", "", "", ConfigEncoding::Local},
        {"only white space", " \r\n\t", "", ConfigEncoding::Local},
        {"only a mark", "\xEF\xBB\xBF", "", ConfigEncoding::Utf8},
        {"a zero byte first", std::string("\0{}", 3), "", ConfigEncoding::Local},
        {"a cut-off mark is local", "\xEF\xBB{}", "\xEF\xBB{}", ConfigEncoding::Local},
    };
    for (const Case& c : cases) {
        const auto bytes = Bytes(c.bytes);
        const orv::ConfigText decoded = orv::DecodeConfigBytes(bytes);
        EXPECT_EQ(decoded.text, c.text) << c.what;
        EXPECT_EQ(decoded.encoding, c.encoding) << c.what;
    }
}

TEST(IsValidUtf8, AcceptsOnlyWellFormedSequences) {
    struct Case {
        const char* what;
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"empty", "", true},
        {"ASCII", "abc", true},
        {"two bytes", "\xC3\xA9", true},
        {"three bytes", "\xE6\x96\xB0", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"the highest code point", "\xF4\x8F\xBF\xBF", true},
        {"U+FFFF", "\xEF\xBF\xBF", true},
        {"last before the surrogates", "\xED\x9F\xBF", true},
        {"first after the surrogates", "\xEE\x80\x80", true},
        {"overlong two bytes (C0)", "\xC0\xAF", false},
        {"overlong two bytes (C1)", "\xC1\xBF", false},
        {"overlong three bytes", "\xE0\x80\xAF", false},
        {"overlong three bytes at the edge", "\xE0\x9F\xBF", false},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", false},
        {"a high surrogate", "\xED\xA0\x80", false},
        {"a low surrogate", "\xED\xBF\xBF", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"F5 lead", "\xF5\x80\x80\x80", false},
        {"FF byte", "\xFF", false},
        {"a lone continuation byte", "\x80", false},
        {"a cut-off sequence", "\xE6\x96", false},
        {"a cut-off sequence before ASCII", "\xE6\x96" "a", false},
        {"a continuation byte missing in the middle", "\xF0\x9F\x41\x80", false},
        {"a zero byte is ASCII", std::string("\0", 1), true},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::IsValidUtf8(c.bytes), c.valid) << c.what;
}

TEST(IsValidUtf8, TypicalCodePage936NamesAreNotUtf8) {
    // Names a user gives categories and programs, as the configuration stores them.
    const std::string names[] = {"新建分组", "我的电脑", "控制面板", "回收站", "网络连接", "打印机",
                                 "电脑工具", "常用软件", "办公", "游戏", "编辑器", "腾讯QQ"};
    for (const std::string& name : names) {
        EXPECT_FALSE(orv::IsValidUtf8(name)) << name.size();
        const auto bytes = Bytes("{\"name\":\"" + name + "\"}");
        EXPECT_EQ(orv::DecodeConfigBytes(bytes).encoding, ConfigEncoding::Local);
    }
}

}  // namespace
