#pragma once
// Text rules on local text (code page 936 bytes): shortening names, the
// parts of a path, menu captions.
#include <string>
#include <string_view>

namespace orv {

// The first n characters; a character is two bytes when its first byte is
// 0x81 or above and another byte follows, or when it is CR LF.
std::string TruncateChars(std::string_view text, int n);

// The last path component without its extension; empty for a trailing
// backslash (a drive root). Follows the shell's path rules.
std::string FileTitle(std::string_view path);
// The extension without its dot; empty when there is none.
std::string FileExtension(std::string_view path);
// The part before the last backslash; empty when there is none.
std::string ParentFolder(std::string_view address);

// A menu item's caption: the text padded with spaces to 32 - (bytes / 2) bytes.
std::string MenuCaption(std::string_view text);
// The item text of a caption: every space removed.
std::string RemoveSpaces(std::string_view caption);

}  // namespace orv
