#pragma once
// Splitting a text that may carry several paths, one per line.
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The lines between CR LF pairs, first to last, empty lines left out. A lone
// CR or LF is part of its line.
std::vector<std::string> NonEmptyLines(std::string_view text);

}  // namespace orv
