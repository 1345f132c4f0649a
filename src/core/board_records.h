#pragma once
// The records of the board: plain values, texts in code page 936.
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

struct Entry {
    int SortKey = 0;
    std::string Name;
    std::string Address;
    std::string Icon;
    std::vector<std::uint8_t> Image;  // derived, never saved
    std::string Command;
    int RootPrivilege = 0;
};

struct Category {
    int SortKey = 0;
    std::string Name;
    std::vector<Entry> Entries;
};

}  // namespace orv
