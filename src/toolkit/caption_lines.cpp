#include "toolkit/caption_lines.h"

namespace orv::ui {

namespace {

std::wstring_view TrimSpaces(std::wstring_view text) {
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    return text;
}

bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

CaptionLines SplitCaption(std::wstring_view text, int fit) {
    if (fit < 0) fit = 0;
    if (static_cast<std::size_t>(fit) >= text.size()) return {std::wstring(text), {}};
    std::size_t cut = static_cast<std::size_t>(fit);
    // Break after the last space that fits, if the first line keeps something.
    const std::size_t space = text.substr(0, cut + 1).rfind(L' ');
    if (space != std::wstring_view::npos && !TrimSpaces(text.substr(0, space)).empty()) {
        cut = space + 1;
    } else {
        if (cut == 0) cut = 1;  // at least one character per line
        if (cut < text.size() && IsLowSurrogate(text[cut]) && cut > 1) --cut;
    }
    return {std::wstring(TrimSpaces(text.substr(0, cut))),
            std::wstring(TrimSpaces(text.substr(cut)))};
}

}  // namespace orv::ui
