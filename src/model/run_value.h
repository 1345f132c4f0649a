#pragma once
// The registry Run value that starts the program with Windows. The value
// holds the program's path in quotes, so a path with spaces names exactly
// this program. It lives in the machine's Run key when that accepts it, else
// in the user's; switching off removes it everywhere.
#include <windows.h>

#include <string_view>

namespace orv {

// The open Run keys one change works on; a null key is absent and refuses
// every write.
struct RunKeys {
    HKEY machine = nullptr;
    HKEY user = nullptr;
    // Only on 64-bit Windows: the machine key of the 32-bit view, where a
    // 32-bit program's value lands without KEY_WOW64_64KEY. Values found
    // there are removed, so the program is not started twice.
    HKEY machine32 = nullptr;
};

// True when the registry is in line: on, the quoted path is the value in
// exactly one key; off, the value is in none. Enabling with an empty path
// does nothing and is false.
bool ApplyRunValue(std::string_view valueName, std::string_view programPath, bool on);
bool ApplyRunValue(const RunKeys& keys, std::string_view valueName, std::string_view programPath,
                   bool on);

}  // namespace orv
