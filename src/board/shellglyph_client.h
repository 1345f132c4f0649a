#pragma once
// The shell's icon for a path, from shellglyph.dll (bound at the first call).
#include <windows.h>

#include <string_view>

namespace orv {

// A new icon the caller destroys; 0 when the shell gave none.
HICON GetFileIcon(std::string_view localPath, int sizeCode);

}  // namespace orv
