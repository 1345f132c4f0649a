#include "core/shell_link.h"

#include <array>
#include <cstddef>
#include <algorithm>

namespace orv {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// 00021401-0000-0000-C000-000000000046 as it is stored.
constexpr std::array<std::uint8_t, 16> kLinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// LinkFlags
constexpr std::uint32_t kHasLinkTargetIdList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kIsUnicode = 0x80;

// LinkInfoFlags
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;

// The LinkInfo header holds the Unicode offsets from this size on.
constexpr std::uint32_t kUnicodeLinkInfoHeaderSize = 0x24;
// LinkInfoSize, LinkInfoHeaderSize, LinkInfoFlags, VolumeIDOffset,
// LocalBasePathOffset, CommonNetworkRelativeLinkOffset, CommonPathSuffixOffset.
constexpr std::uint32_t kAnsiLinkInfoHeaderSize = 0x1C;

// Little-endian reads that refuse anything beyond the end of the bytes. All
// positions are size_t and checked by subtraction, so no sum can wrap.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }

    bool Has(std::size_t at, std::size_t count) const {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }

    std::optional<std::uint16_t> U16(std::size_t at) const {
        if (!Has(at, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
    }

    std::optional<std::uint32_t> U32(std::size_t at) const {
        if (!Has(at, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(bytes_[at]) | (static_cast<std::uint32_t>(bytes_[at + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[at + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
    }

    // A zero-terminated byte string starting at `at` and ending before `end`;
    // none when no terminator comes before `end` (a cut-off file).
    std::optional<std::string> AnsiZ(std::size_t at, std::size_t end) const {
        end = std::min(end, bytes_.size());
        std::string text;
        for (std::size_t i = at; i < end; ++i) {
            if (bytes_[i] == 0) return text;
            text.push_back(static_cast<char>(bytes_[i]));
        }
        return std::nullopt;
    }

    // The same for a zero-terminated UTF-16LE string (not necessarily aligned).
    std::optional<std::u16string> WideZ(std::size_t at, std::size_t end) const {
        end = std::min(end, bytes_.size());
        std::u16string text;
        for (std::size_t i = at; i < end && end - i >= 2; i += 2) {
            const auto unit = static_cast<char16_t>(bytes_[i] | (bytes_[i + 1] << 8));
            if (unit == 0) return text;
            text.push_back(unit);
        }
        return std::nullopt;
    }

    std::span<const std::uint8_t> Slice(std::size_t at, std::size_t count) const {
        return bytes_.subspan(at, count);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

bool IsShellLinkHeader(const ByteReader& reader, std::span<const std::uint8_t> bytes) {
    if (reader.U32(0) != kHeaderSize || !reader.Has(0, kHeaderSize)) return false;
    return std::equal(kLinkClsid.begin(), kLinkClsid.end(), bytes.begin() + 4);
}

// The LinkInfo's local path: LocalBasePath followed by CommonPathSuffix, in
// UTF-16 when the header carries the Unicode offsets, and always in ANSI.
// Every string must lie inside the LinkInfo. False when it has no local path.
bool ReadLocalPath(const ByteReader& reader, std::size_t linkInfo, std::size_t linkInfoEnd,
                   ShellLinkTarget& target) {
    const auto headerSize = reader.U32(linkInfo + 4);
    const auto flags = reader.U32(linkInfo + 8);
    const auto baseOffset = reader.U32(linkInfo + 16);
    const auto suffixOffset = reader.U32(linkInfo + 24);
    if (!headerSize || !flags || !baseOffset || !suffixOffset) return false;
    if (*headerSize < kAnsiLinkInfoHeaderSize || *headerSize > linkInfoEnd - linkInfo) return false;
    // A network-only shortcut has no local path to start.
    if ((*flags & kVolumeIdAndLocalBasePath) == 0) return false;

    auto at = [&](std::uint32_t offset) { return linkInfo + offset; };
    const std::size_t span = linkInfoEnd - linkInfo;
    if (*baseOffset >= span || *suffixOffset >= span) return false;
    const auto base = reader.AnsiZ(at(*baseOffset), linkInfoEnd);
    const auto suffix = reader.AnsiZ(at(*suffixOffset), linkInfoEnd);
    if (!base || !suffix) return false;
    target.ansiPath = *base + *suffix;

    if (*headerSize >= kUnicodeLinkInfoHeaderSize) {
        const auto wideBaseOffset = reader.U32(linkInfo + 28);
        const auto wideSuffixOffset = reader.U32(linkInfo + 32);
        // An offset of zero names no Unicode string; the ANSI path stands then.
        if (wideBaseOffset && *wideBaseOffset != 0 && *wideBaseOffset < span) {
            const auto wideBase = reader.WideZ(at(*wideBaseOffset), linkInfoEnd);
            std::optional<std::u16string> wideSuffix = std::u16string();
            if (wideSuffixOffset && *wideSuffixOffset != 0) {
                // beyond the (possibly cut-off) LinkInfo: the suffix is lost, and
                // a base path alone would name the wrong target
                wideSuffix = *wideSuffixOffset < span ? reader.WideZ(at(*wideSuffixOffset), linkInfoEnd)
                                                      : std::nullopt;
            }
            if (wideBase && wideSuffix) {
                target.unicodePath = *wideBase + *wideSuffix;
                target.hasUnicodePath = true;
            }
        }
    }
    return true;
}

// StringData after the LinkInfo: NAME_STRING, RELATIVE_PATH, WORKING_DIR and
// COMMAND_LINE_ARGUMENTS in that order, each present only with its flag, each
// a 16-bit count of characters (UTF-16 units when IsUnicode) and no
// terminator. A cut-off StringData leaves the arguments out.
void ReadArguments(const ByteReader& reader, std::size_t at, std::uint32_t linkFlags,
                   ShellLinkTarget& target) {
    if ((linkFlags & kHasArguments) == 0) return;
    const std::size_t unitSize = (linkFlags & kIsUnicode) != 0 ? 2 : 1;
    constexpr std::uint32_t kOrder[] = {kHasName, kHasRelativePath, kHasWorkingDir, kHasArguments};
    for (const std::uint32_t flag : kOrder) {
        if ((linkFlags & flag) == 0) continue;
        const auto count = reader.U16(at);
        if (!count) return;
        at += 2;
        const std::size_t length = static_cast<std::size_t>(*count) * unitSize;
        if (!reader.Has(at, length)) return;
        if (flag == kHasArguments) {
            const auto chars = reader.Slice(at, length);
            if (unitSize == 2) {
                for (std::size_t i = 0; i < length; i += 2) {
                    target.unicodeArguments.push_back(static_cast<char16_t>(chars[i] | (chars[i + 1] << 8)));
                }
            } else {
                target.ansiArguments.assign(chars.begin(), chars.end());
            }
            target.hasArguments = true;
            return;
        }
        at += length;
    }
}

}  // namespace

std::optional<ShellLinkTarget> ParseShellLink(std::span<const std::uint8_t> bytes) {
    const ByteReader reader(bytes);
    if (!IsShellLinkHeader(reader, bytes)) return std::nullopt;
    const std::uint32_t linkFlags = *reader.U32(20);

    std::size_t linkInfo = kHeaderSize;
    if ((linkFlags & kHasLinkTargetIdList) != 0) {
        const auto idListSize = reader.U16(kHeaderSize);
        if (!idListSize) return std::nullopt;
        linkInfo = kHeaderSize + 2 + *idListSize;
    }
    if ((linkFlags & kHasLinkInfo) == 0) return std::nullopt;

    const auto linkInfoSize = reader.U32(linkInfo);
    if (!linkInfoSize || *linkInfoSize < kAnsiLinkInfoHeaderSize) return std::nullopt;
    // A LinkInfo cut off by the end of the file still yields a path when its
    // strings are complete; nothing is read past the bytes either way.
    const std::size_t available = reader.size() - std::min(reader.size(), linkInfo);
    const std::size_t linkInfoEnd = linkInfo + std::min<std::size_t>(*linkInfoSize, available);
    if (!reader.Has(linkInfo, kAnsiLinkInfoHeaderSize)) return std::nullopt;

    ShellLinkTarget target;
    if (!ReadLocalPath(reader, linkInfo, linkInfoEnd, target)) return std::nullopt;
    if (linkInfoEnd - linkInfo == *linkInfoSize) ReadArguments(reader, linkInfoEnd, linkFlags, target);
    return target;
}

}  // namespace orv
