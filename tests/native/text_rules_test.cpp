#include "core/text_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A double-byte character of code page 936 whose trail byte is 0x5C, the
// byte of a backslash.
const std::string kTrail5C = "\x95\x5C";

TEST(TruncateChars, CountsCharactersOfCodePage936) {
    struct Case {
        const char* what;
        std::string text;
        int n;
        std::string expected;
    };
    const Case cases[] = {
        {"nine ASCII letters keep six", "abcdefghi", 6, "abcdef"},
        {"eight double-byte characters keep six", "一二三四五六七八", 6, "一二三四五六"},
        {"three double-byte characters stay whole", "编辑器", 6, "编辑器"},
        {"text of exactly n bytes stays whole", "abcdef", 6, "abcdef"},
        {"n = 0 keeps the whole text", "abcdefghi", 0, "abcdefghi"},
        {"a negative n takes nothing", "abcdefghi", -1, ""},
        {"empty text", "", 6, ""},
        {"CR LF counts as one character", "ab\r\ncdefg", 3, "ab\r\n"},
        {"a lone CR is one byte", "a\rbcdefg", 3, "a\rb"},
        {"a lone LF is one byte", "a\nbcdefg", 3, "a\nb"},
        {"mixed single and double bytes", "a一b二c三", 3, "a一b"},
        {"a lone lead byte at the end is one character", "一二三\xB1", 4, "一二三\xB1"},
        {"the walk stops before a lone lead byte", "一二三\xB1", 3, "一二三"},
        {"0x80 is a single byte", "\x80\x80\x80\x80", 2, "\x80\x80"},
        {"0xFF takes the byte after it", "\xFF" "abc", 1, "\xFF" "a"},
        {"a lead byte swallows a CR", "\xB1\r\nabc", 2, "\xB1\r\n"},
        {"n beyond the characters of a longer text", "一二三四五", 9, "一二三四五"},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::TruncateChars(c.text, c.n), c.expected) << c.what;
}

TEST(FileTitle, IsTheLastComponentWithoutItsExtension) {
    struct Case {
        const char* what;
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"program", "C:\\Apps\\Editor\\editor.exe", "editor"},
        {"shortcut", "C:\\Users\\me\\Desktop\\Editor.lnk", "Editor"},
        {"drive root", "C:\\", ""},
        {"folder with a trailing backslash", "C:\\Dir\\", ""},
        {"two trailing backslashes", "C:\\a\\b\\\\", ""},
        {"folder with a dot loses the part from the dot", "C:\\My.Folder", "My"},
        {"only the last dot", "C:\\a\\b.tar.gz", "b.tar"},
        {"a name that is all extension", "C:\\a\\.minecraft", ""},
        {"a space after the dot: no extension", "C:\\a\\setup.v2 beta", "setup.v2 beta"},
        {"a dot at the end", "C:\\a\\name.", "name"},
        {"no extension", "C:\\a\\noext", "noext"},
        {"no backslash at all", "readme.txt", "readme"},
        {"special place", "我的电脑", "我的电脑"},
        {"double-byte names", "D:\\软件\\编辑器.exe", "编辑器"},
        {"trail byte 0x5C is no separator", "C:\\x\\" + kTrail5C + "a.exe", kTrail5C + "a"},
        {"trail byte 0x5C at the end is no trailing backslash", "C:\\x\\" + kTrail5C, kTrail5C},
        {"forward slashes separate too", "a/b.txt", "b"},
        {"a dot before a forward slash stays in the title", "a.b/c", "c"},
        {"web address", "http://example.com/index.html", "index"},
        {"drive-relative name after a colon", "C:name.txt", "name"},
        {"empty", "", ""},
        {"the path ends at a zero byte", std::string("C:\\a.txt\0b\\c.doc", 16), "a"},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::FileTitle(c.path), c.expected) << c.what;
}

TEST(FileExtension, IsWhatFollowsTheLastDot) {
    struct Case {
        const char* what;
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"program", "C:\\Apps\\editor.exe", "exe"},
        {"letter case is kept", "C:\\Desktop\\Editor.LNK", "LNK"},
        {"a dot in a folder only", "C:\\My.Folder\\file", ""},
        {"a dot at the end", "C:\\a\\name.", ""},
        {"a space after the dot", "C:\\a\\setup.v2 beta", ""},
        {"a name that is all extension", "C:\\a\\.minecraft", "minecraft"},
        {"the last of several dots", "b.tar.gz", "gz"},
        {"a forward slash does not end it", "a.b/c", "b/c"},
        {"trail byte 0x5C does not end it", "a." + kTrail5C, kTrail5C},
        {"double-byte extension", "文件.文档", "文档"},
        {"drive root", "C:\\", ""},
        {"empty", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::FileExtension(c.path), c.expected) << c.what;
}

TEST(ParentFolder, IsTheTextBeforeTheLastBackslash) {
    struct Case {
        std::string address;
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\Apps\\Editor\\editor.exe", "C:\\Apps\\Editor"},
        {"C:\\", "C:"},
        {"C:\\Dir\\", "C:\\Dir"},
        {"http://example.com/", ""},
        {"", ""},
        {"C:\\x\\" + kTrail5C, "C:\\x"},
        {"D:\\软件\\编辑器.exe", "D:\\软件"},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::ParentFolder(c.address), c.expected) << c.address;
}

TEST(MenuCaption, PadsToThirtyTwoMinusHalfTheLength) {
    struct Case {
        std::string item;
        std::size_t spaces;
    };
    const Case cases[] = {
        {"删除", 26}, {"重命名", 23}, {"新建分组", 20}, {"打开文件目录", 14}, {"添加程序", 20},
        {"退出", 26}, {"", 32}, {"abc", 28},
    };
    for (const Case& c : cases) {
        const std::string caption = orv::MenuCaption(c.item);
        EXPECT_EQ(caption, c.item + std::string(c.spaces, ' ')) << c.item;
        EXPECT_EQ(orv::RemoveSpaces(caption), c.item) << c.item;
    }
    EXPECT_EQ(orv::MenuCaption("删除").size(), 30u);
    EXPECT_EQ(orv::MenuCaption("打开文件目录").size(), 26u);
}

TEST(MenuCaption, CutsTextsTooLongForTheItem) {
    EXPECT_EQ(orv::MenuCaption(std::string(40, 'x')), std::string(12, 'x'));
    EXPECT_EQ(orv::MenuCaption(std::string(64, 'x')), "");
    EXPECT_EQ(orv::MenuCaption(std::string(200, 'x')), "");
}

TEST(RemoveSpaces, RemovesEverySpace) {
    EXPECT_EQ(orv::RemoveSpaces(" 开 机 启动  "), "开机启动");
    EXPECT_EQ(orv::RemoveSpaces(""), "");
    EXPECT_EQ(orv::RemoveSpaces("\t a"), "\ta");
}

}  // namespace
