#include "core/text_rules.h"

#include <cstddef>
#include <cstdint>

namespace orv {

namespace {

constexpr char kBackslash = '\\';

// The lead bytes of code page 936, as the shell's character stepping sees them.
constexpr bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// The path routines see the text as the C string the shell would get: it ends
// at the first zero byte.
std::string_view AsCString(std::string_view text) {
    const std::size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

// The shell's character step: a lead byte with a byte after it takes both, so
// a trail byte of 0x5C is never seen as a backslash.
std::size_t NextChar(std::string_view text, std::size_t at) {
    if (IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) return at + 2;
    return at + 1;
}

bool IsSeparator(char c) { return c == kBackslash || c == '/' || c == ':'; }

// Start of the last path component, read the way the shell finds a file name:
// a separator ('\', '/' or ':') starts a component only when a character other
// than another slash follows it, so a trailing backslash belongs to the last
// component ("C:\" stays whole, "C:\Dir\" gives "Dir\").
std::size_t FileNameStart(std::string_view path) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); i = NextChar(path, i)) {
        if (!IsSeparator(path[i]) || i + 1 >= path.size()) continue;
        const char next = path[i + 1];
        if (next != kBackslash && next != '/') start = i + 1;
    }
    return start;
}

// Start of the extension (its dot), read the way the shell finds one: the
// last '.' of the text, forgotten again when a backslash or a space follows it
// (so "a.b\c" and "setup.v2 beta" have none); npos when there is none. A '/'
// does not forget it.
std::size_t ExtensionStart(std::string_view path) {
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); i = NextChar(path, i)) {
        if (path[i] == kBackslash || path[i] == ' ') {
            dot = std::string_view::npos;
        } else if (path[i] == '.') {
            dot = i;
        }
    }
    return dot;
}

}  // namespace

std::string TruncateChars(std::string_view text, int n) {
    // n = 0 means no limit. A negative n is shorter than any text, and the
    // walk below then takes no character at all.
    if (n == 0 || (n > 0 && text.size() <= static_cast<std::size_t>(n))) return std::string(text);
    std::size_t at = 0;
    for (int count = 0; count < n && at < text.size(); ++count) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        const bool hasNext = at + 1 < text.size();
        if (byte >= 0x81 && hasNext) {
            at += 2;
        } else if (byte == '\r' && hasNext && text[at + 1] == '\n') {
            at += 2;
        } else {
            at += 1;
        }
    }
    return std::string(text.substr(0, at));
}

// The extension is sought in the last component only, so a dot before a
// '/' or ':' never cuts into the title ("a.b/c" gives "c").
std::string FileTitle(std::string_view path) {
    const std::string_view text = AsCString(path);
    const std::string_view name = text.substr(FileNameStart(text));
    if (!name.empty() && name.back() == kBackslash) {
        // Only a real backslash, not the trail byte of a double-byte character.
        std::size_t last = 0;
        for (std::size_t i = 0; i < name.size(); i = NextChar(name, i)) last = i;
        if (last == name.size() - 1) return {};
    }
    return std::string(name.substr(0, ExtensionStart(name)));
}

std::string FileExtension(std::string_view path) {
    const std::string_view text = AsCString(path);
    const std::size_t dot = ExtensionStart(text);
    if (dot == std::string_view::npos) return {};
    return std::string(text.substr(dot + 1));
}

std::string ParentFolder(std::string_view address) {
    const std::string_view text = AsCString(address);
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i = NextChar(text, i)) {
        if (text[i] == kBackslash) last = i;
    }
    if (last == std::string_view::npos) return {};
    return std::string(text.substr(0, last));
}

std::string MenuCaption(std::string_view text) {
    const std::int64_t keep = 32 - static_cast<std::int64_t>(text.size() / 2);
    std::string caption(text);
    caption.append(52, ' ');
    if (keep <= 0) return {};
    if (static_cast<std::uint64_t>(keep) < caption.size()) caption.resize(static_cast<std::size_t>(keep));
    return caption;
}

std::string RemoveSpaces(std::string_view caption) {
    std::string text;
    text.reserve(caption.size());
    for (const char c : caption) {
        if (c != ' ') text.push_back(c);
    }
    return text;
}

}  // namespace orv
