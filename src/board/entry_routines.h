#pragma once
// The routines behind the entry operations of the board: reading a
// shortcut, making a tile's picture, and asking the shell to open things.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// What a dropped shortcut becomes: the target and the arguments it passes
// (" " + arguments, or empty), or the shortcut file itself as the address
// when it has no local target that local text can hold.
struct ShortcutTarget {
    std::string address;
    std::string command;
};
ShortcutTarget ReadShortcutTarget(std::string_view shortcutPath);

// The picture of a tile: image bytes of the icon that stands for the
// address, rendered on the window colour. Size codes: 0 = 32, 1 = 16,
// 2 = 48, 4 = 256 pixels; others count as 0.
std::vector<std::uint8_t> MakeEntryImage(std::string_view address, int sizeCode);

// The program that opens web addresses, from the user's choice of default
// browser and else the class of "http"; empty when none is registered.
std::string DefaultBrowserPath();

// The CSIDL of one of the six special places, or none for any other address.
std::optional<int> SpecialPlaceCsidl(std::string_view address);

// The shell's "open" on a path with parameters and a working directory
// (empty for none). Show mode 1 = hidden, 2 = minimised without activation,
// else normal. False when the shell reported the file as not found.
bool ShellOpen(std::string_view path, std::string_view parameters, int showMode,
               std::string_view directory = {});
// Opens a shell special folder by its ID list.
bool OpenSpecialFolder(int csidl);

}  // namespace orv
