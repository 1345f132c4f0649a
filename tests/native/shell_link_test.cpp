#include "core/shell_link.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// ---- byte fixtures laid out as the shortcut format publishes it ----

constexpr std::uint32_t kHasIdList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kIsUnicode = 0x80;

enum class Info { None, Local, Network, LocalAndNetwork };

struct LinkShape {
    bool idList = true;
    std::uint16_t idListSize = 20;
    Info info = Info::Local;
    bool unicodeLinkInfo = false;  // LinkInfoHeaderSize 0x24 with the Unicode offsets
    std::string base = "C:\\Apps\\Editor\\editor.exe";
    std::string suffix;
    std::u16string wideBase = u"C:\\Apps\\Editor\\editor.exe";
    std::u16string wideSuffix;
    bool unicodeStrings = true;  // IsUnicode
    std::optional<std::u16string> name;
    std::optional<std::u16string> relativePath;
    std::optional<std::u16string> workingDir;
    std::optional<std::u16string> arguments;
};

void Put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void Set32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutAnsiZ(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

void PutWideZ(Bytes& out, const std::u16string& text) {
    for (const char16_t c : text) Put16(out, c);
    Put16(out, 0);
}

Bytes BuildLinkInfo(const LinkShape& shape) {
    const bool local = shape.info == Info::Local || shape.info == Info::LocalAndNetwork;
    const bool network = shape.info == Info::Network || shape.info == Info::LocalAndNetwork;
    const std::uint32_t headerSize = shape.unicodeLinkInfo ? 0x24 : 0x1C;
    Bytes out(headerSize, 0);
    Set32(out, 4, headerSize);
    Set32(out, 8, (local ? 1u : 0u) | (network ? 2u : 0u));
    if (local) {
        Set32(out, 12, static_cast<std::uint32_t>(out.size()));  // VolumeID
        Put32(out, 0x11);
        Put32(out, 3);  // fixed drive
        Put32(out, 0x12345678);
        Put32(out, 0x10);
        out.push_back(0);  // empty label
        Set32(out, 16, static_cast<std::uint32_t>(out.size()));
        PutAnsiZ(out, shape.base);
    }
    if (network) {
        Set32(out, 20, static_cast<std::uint32_t>(out.size()));  // CommonNetworkRelativeLink
        const std::string share = "\\\\server\\share";
        Put32(out, static_cast<std::uint32_t>(0x14 + share.size() + 1));
        Put32(out, 0);
        Put32(out, 0x14);
        Put32(out, 0);
        Put32(out, 0x00020000);
        PutAnsiZ(out, share);
    }
    Set32(out, 24, static_cast<std::uint32_t>(out.size()));
    PutAnsiZ(out, shape.suffix);
    if (shape.unicodeLinkInfo) {
        if (local) {
            Set32(out, 28, static_cast<std::uint32_t>(out.size()));
            PutWideZ(out, shape.wideBase);
        }
        Set32(out, 32, static_cast<std::uint32_t>(out.size()));
        PutWideZ(out, shape.wideSuffix);
    }
    Set32(out, 0, static_cast<std::uint32_t>(out.size()));
    return out;
}

Bytes BuildLink(const LinkShape& shape) {
    std::uint32_t flags = 0;
    if (shape.idList) flags |= kHasIdList;
    if (shape.info != Info::None) flags |= kHasLinkInfo;
    if (shape.name) flags |= kHasName;
    if (shape.relativePath) flags |= kHasRelativePath;
    if (shape.workingDir) flags |= kHasWorkingDir;
    if (shape.arguments) flags |= kHasArguments;
    if (shape.unicodeStrings) flags |= kIsUnicode;

    Bytes out(76, 0);
    Set32(out, 0, 0x4C);
    const std::uint8_t clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
    std::copy(std::begin(clsid), std::end(clsid), out.begin() + 4);
    Set32(out, 20, flags);
    if (shape.idList) {
        Put16(out, shape.idListSize);
        // ID list bytes: never looked at, so fill them with something that
        // would mislead a reader that took them for LinkInfo
        out.insert(out.end(), shape.idListSize, 0x7F);
    }
    if (shape.info != Info::None) {
        const Bytes info = BuildLinkInfo(shape);
        out.insert(out.end(), info.begin(), info.end());
    }
    for (const auto* text : {&shape.name, &shape.relativePath, &shape.workingDir, &shape.arguments}) {
        if (!*text) continue;
        Put16(out, static_cast<std::uint32_t>((*text)->size()));
        for (const char16_t c : **text) {
            if (shape.unicodeStrings) {
                Put16(out, c);
            } else {
                out.push_back(static_cast<std::uint8_t>(c));
            }
        }
    }
    Put32(out, 0);  // TerminalBlock of ExtraData
    return out;
}

// Parses a copy of exactly `length` bytes on the heap, so that any read past
// them is caught by the address sanitizer.
std::optional<orv::ShellLinkTarget> ParsePrefix(const Bytes& bytes, std::size_t length) {
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[length == 0 ? 1 : length]);
    std::copy_n(bytes.begin(), length, copy.get());
    return orv::ParseShellLink(std::span<const std::uint8_t>(copy.get(), length));
}

TEST(ParseShellLink, ReadsTheLocalPathByTheFlags) {
    struct Case {
        const char* what;
        LinkShape shape;
        std::optional<std::string> ansiPath;  // none: no target
    };
    LinkShape withIdList;
    LinkShape withoutIdList;
    withoutIdList.idList = false;
    LinkShape emptyIdList;
    emptyIdList.idListSize = 0;
    LinkShape bigIdList;
    bigIdList.idListSize = 0xFFF0;  // above 0x7FFF: a signed reading would go backwards
    LinkShape noLinkInfo;
    noLinkInfo.info = Info::None;
    LinkShape network;
    network.info = Info::Network;
    network.suffix = "Docs\\report.pdf";
    LinkShape split;
    split.info = Info::LocalAndNetwork;
    split.base = "C:\\Users\\";
    split.suffix = "me\\Downloads";
    LinkShape gbk;
    gbk.base = "D:\\软件\\编辑器.exe";
    const Case cases[] = {
        {"with an ID list", withIdList, "C:\\Apps\\Editor\\editor.exe"},
        {"without an ID list", withoutIdList, "C:\\Apps\\Editor\\editor.exe"},
        {"with an empty ID list", emptyIdList, "C:\\Apps\\Editor\\editor.exe"},
        {"with an ID list above 32 KB", bigIdList, "C:\\Apps\\Editor\\editor.exe"},
        {"without LinkInfo", noLinkInfo, std::nullopt},
        {"network target only", network, std::nullopt},
        {"base path and suffix", split, "C:\\Users\\me\\Downloads"},
        {"code page 936 path as stored", gbk, "D:\\软件\\编辑器.exe"},
    };
    for (const Case& c : cases) {
        const auto target = orv::ParseShellLink(BuildLink(c.shape));
        ASSERT_EQ(target.has_value(), c.ansiPath.has_value()) << c.what;
        if (!target) continue;
        EXPECT_EQ(target->ansiPath, *c.ansiPath) << c.what;
        EXPECT_FALSE(target->hasUnicodePath) << c.what;
        EXPECT_FALSE(target->hasArguments) << c.what;
    }
}

TEST(ParseShellLink, TakesTheUnicodePathWhenTheLinkInfoHasIt) {
    LinkShape shape;
    shape.unicodeLinkInfo = true;
    shape.base = "C:\\Users\\";
    shape.wideBase = u"C:\\Users\\";
    shape.suffix = "??\\Desktop";
    shape.wideSuffix = u"\u738b\u4e94\\Desktop";
    shape.info = Info::LocalAndNetwork;
    const auto target = orv::ParseShellLink(BuildLink(shape));
    ASSERT_TRUE(target);
    EXPECT_TRUE(target->hasUnicodePath);
    EXPECT_EQ(target->unicodePath, u"C:\\Users\\\u738b\u4e94\\Desktop");
    EXPECT_EQ(target->ansiPath, "C:\\Users\\??\\Desktop");
}

TEST(ParseShellLink, ReadsTheArgumentsAfterTheStringsBeforeThem) {
    LinkShape shape;
    shape.name = u"An editor";
    shape.relativePath = u"..\\Apps\\Editor\\editor.exe";
    shape.workingDir = u"C:\\Apps\\Editor";
    shape.arguments = u"--new \u6587\u4ef6.txt";
    auto target = orv::ParseShellLink(BuildLink(shape));
    ASSERT_TRUE(target);
    EXPECT_TRUE(target->hasArguments);
    EXPECT_EQ(target->unicodeArguments, u"--new \u6587\u4ef6.txt");

    shape.unicodeStrings = false;
    shape.arguments = u"/b /c";
    target = orv::ParseShellLink(BuildLink(shape));
    ASSERT_TRUE(target);
    EXPECT_TRUE(target->hasArguments);
    EXPECT_EQ(target->ansiArguments, "/b /c");
    EXPECT_TRUE(target->unicodeArguments.empty());

    shape.arguments.reset();
    target = orv::ParseShellLink(BuildLink(shape));
    ASSERT_TRUE(target);
    EXPECT_FALSE(target->hasArguments);

    shape.unicodeStrings = true;
    shape.name.reset();
    shape.workingDir.reset();
    shape.arguments = u"";
    target = orv::ParseShellLink(BuildLink(shape));
    ASSERT_TRUE(target);
    EXPECT_TRUE(target->hasArguments);
    EXPECT_TRUE(target->unicodeArguments.empty());
}

TEST(ParseShellLink, RefusesWhatIsNotAShortcut) {
    Bytes good = BuildLink(LinkShape{});
    Bytes badSize = good;
    badSize[0] = 0x4D;
    Bytes badClsid = good;
    badClsid[19] = 0x47;
    Bytes badLinkInfoSize = good;
    Set32(badLinkInfoSize, 78 + 20, 4);  // smaller than its own header
    const Bytes cases[] = {{}, Bytes(76, 0), badSize, badClsid, badLinkInfoSize, Bytes(4096, 0xFF)};
    for (const Bytes& bytes : cases) EXPECT_FALSE(orv::ParseShellLink(bytes));
}

TEST(ParseShellLink, OffsetsPointingOutsideTheLinkInfoGiveNoTarget) {
    const Bytes good = BuildLink(LinkShape{});
    const std::size_t linkInfo = 78 + 20;
    const std::uint32_t offsets[] = {0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 5000};
    for (const std::size_t field : {linkInfo + 16, linkInfo + 24}) {
        for (const std::uint32_t offset : offsets) {
            Bytes bytes = good;
            Set32(bytes, field, offset);
            EXPECT_FALSE(orv::ParseShellLink(bytes)) << field << " " << offset;
        }
    }
    // a header size beyond the LinkInfo
    Bytes bytes = good;
    Set32(bytes, linkInfo + 4, 0xFFFFFFF0);
    EXPECT_FALSE(orv::ParseShellLink(bytes));
    // an argument count beyond the end
    LinkShape shape;
    shape.arguments = u"abc";
    bytes = BuildLink(shape);
    const std::size_t count = bytes.size() - 4 - 6 - 2;
    bytes[count] = 0xFF;
    bytes[count + 1] = 0xFF;
    const auto target = orv::ParseShellLink(bytes);
    ASSERT_TRUE(target);
    EXPECT_FALSE(target->hasArguments);
}

TEST(ParseShellLink, ACutOffFileGivesNothingOrOnlyWhatIsComplete) {
    LinkShape plain;
    LinkShape full;
    full.unicodeLinkInfo = true;
    full.info = Info::LocalAndNetwork;
    full.suffix = "x";
    full.wideSuffix = u"x";
    full.name = u"name";
    full.workingDir = u"C:\\Apps";
    full.arguments = u"--flag";
    LinkShape ansi;
    ansi.idList = false;
    ansi.unicodeStrings = false;
    ansi.arguments = u"/b";
    for (const LinkShape* shape : {&plain, &full, &ansi}) {
        const Bytes bytes = BuildLink(*shape);
        const auto whole = orv::ParseShellLink(bytes);
        ASSERT_TRUE(whole);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            const auto part = ParsePrefix(bytes, length);
            if (!part) continue;
            EXPECT_EQ(part->ansiPath, whole->ansiPath) << length;
            if (part->hasUnicodePath) {
                EXPECT_EQ(part->unicodePath, whole->unicodePath) << length;
            }
            if (part->hasArguments) {
                EXPECT_EQ(part->unicodeArguments, whole->unicodeArguments) << length;
                EXPECT_EQ(part->ansiArguments, whole->ansiArguments) << length;
            }
        }
    }
}

// ---- the real shortcuts of the shared test data ----

using Json16 = rapidjson::GenericDocument<rapidjson::UTF16<char16_t>>;
using Value16 = rapidjson::GenericValue<rapidjson::UTF16<char16_t>>;

std::optional<std::string> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const Value16* Member(const Value16& object, const char16_t* name) {
    if (!object.IsObject()) return nullptr;
    const auto it = object.FindMember(name);
    return it == object.MemberEnd() ? nullptr : &it->value;
}

std::u16string StringOf(const Value16* value) {
    if (value == nullptr || !value->IsString()) return {};
    return std::u16string(value->GetString(), value->GetStringLength());
}

// The recorded ANSI paths were decoded as Windows-1252; this maps them back
// to their bytes. The five bytes 1252 leaves undefined were recorded as
// U+FFFD, so a U+FFFD matches any of them.
std::optional<std::uint8_t> Cp1252Byte(char16_t c, std::uint8_t actual) {
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<std::uint8_t>(c);
    if (c == 0xFFFD && actual >= 0x80 && actual < 0xA0 && kHigh[actual - 0x80] == 0xFFFD) return actual;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c && c != 0xFFFD) return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

bool MatchesRecordedAnsi(const std::string& actual, const std::u16string& recorded) {
    if (actual.size() != recorded.size()) return false;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(actual[i]);
        if (Cp1252Byte(recorded[i], byte) != byte) return false;
    }
    return true;
}

bool HasFlag(const Value16& header, const char16_t* flag) {
    const Value16* flags = Member(header, u"link_flags");
    if (flags == nullptr || !flags->IsArray()) return false;
    for (const auto& f : flags->GetArray()) {
        if (StringOf(&f) == flag) return true;
    }
    return false;
}

TEST(ParseShellLink, MatchesTheRecordedTargetsOfRealShortcuts) {
    const std::filesystem::path folder = std::filesystem::path(ORVANTO_SHARED_TESTDATA) / "lnk";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "shared test data not found at " << folder << "; real shortcuts not checked";
    }
    std::vector<std::filesystem::path> links;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".lnk") links.push_back(entry.path());
    }
    std::sort(links.begin(), links.end());
    EXPECT_EQ(links.size(), 34u);

    int withTarget = 0;
    for (const auto& link : links) {
        SCOPED_TRACE(link.filename().string());
        const auto bytes = ReadFile(link);
        const auto recordedText = ReadFile(folder / "expected_json" / link.filename().replace_extension(".json"));
        ASSERT_TRUE(bytes && recordedText);
        Json16 recorded;
        recorded.Parse<0, rapidjson::UTF8<>>(recordedText->c_str());
        ASSERT_FALSE(recorded.HasParseError());
        const Value16* header = Member(recorded, u"header");
        ASSERT_NE(header, nullptr);

        const auto target = orv::ParseShellLink(
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
        const Value16* linkInfo = Member(recorded, u"link_info");
        const Value16* base = linkInfo ? Member(*linkInfo, u"local_base_path") : nullptr;
        if (!HasFlag(*header, u"HasLinkInfo") || base == nullptr) {
            // no LinkInfo, or a network target only: no local path
            EXPECT_FALSE(target);
            continue;
        }
        ASSERT_TRUE(target);
        ++withTarget;
        const std::u16string expected = StringOf(base) + StringOf(Member(*linkInfo, u"common_path_suffix"));
        const Value16* wideBase = Member(*linkInfo, u"local_base_path_unicode");
        if (wideBase != nullptr) {
            EXPECT_TRUE(target->hasUnicodePath);
            EXPECT_EQ(target->unicodePath,
                      StringOf(wideBase) + StringOf(Member(*linkInfo, u"common_path_suffix_unicode")));
        } else {
            EXPECT_FALSE(target->hasUnicodePath);
        }
        EXPECT_TRUE(MatchesRecordedAnsi(target->ansiPath, expected)) << target->ansiPath;

        const Value16* data = Member(recorded, u"data");
        const Value16* arguments = data ? Member(*data, u"command_line_arguments") : nullptr;
        EXPECT_EQ(target->hasArguments, HasFlag(*header, u"HasArguments"));
        if (arguments != nullptr) {
            ASSERT_TRUE(HasFlag(*header, u"IsUnicode"));
            EXPECT_EQ(target->unicodeArguments, StringOf(arguments));
        }
    }
    EXPECT_EQ(withTarget, 24);
}

TEST(ParseShellLink, ReadsTheCodePage936PathOfARealShortcut) {
    const std::filesystem::path file = std::filesystem::path(ORVANTO_SHARED_TESTDATA) / "lnk" / "sample6.lnk";
    const auto bytes = ReadFile(file);
    if (!bytes) GTEST_SKIP() << "shared test data not found: " << file;
    const auto target = orv::ParseShellLink(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->ansiPath, "C:\\Youdao\\ShoppingAssistant\\ie\\4.4\\播放器正在加载（拦截请允许）.exe");
}

}  // namespace
