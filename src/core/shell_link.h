#pragma once
// Reading the target of a Windows shortcut file (.lnk) by the flags of the
// published Shell Link layout. Every read stays within the given bytes.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orv {

struct ShellLinkTarget {
    // LocalBasePath + CommonPathSuffix. ansiPath always holds the ANSI
    // fields' bytes as stored (system code page); unicodePath holds the
    // UTF-16 fields when the LinkInfo has them (hasUnicodePath), and is then
    // the one to take.
    std::u16string unicodePath;
    std::string ansiPath;
    bool hasUnicodePath = false;
    // StringData COMMAND_LINE_ARGUMENTS when HasArguments is set (UTF-16 when
    // IsUnicode is set, else ANSI bytes in ansiArguments).
    std::u16string unicodeArguments;
    std::string ansiArguments;
    bool hasArguments = false;
};

// The local target of a shortcut, or none when the bytes are not a shortcut
// or have no usable local path (no LinkInfo, network only, truncated).
std::optional<ShellLinkTarget> ParseShellLink(std::span<const std::uint8_t> bytes);

}  // namespace orv
