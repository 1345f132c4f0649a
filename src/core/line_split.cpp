#include "core/line_split.h"

namespace orv {

std::vector<std::string> NonEmptyLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace orv
