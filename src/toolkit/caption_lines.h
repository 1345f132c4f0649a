#pragma once
// Where a tile caption breaks into its two lines, given how many characters
// of it fit on one line. No Windows calls, so it is easy to check.
#include <string>
#include <string_view>

namespace orv::ui {

struct CaptionLines {
    std::wstring first;
    std::wstring second;  // the rest, shortened with an ellipsis when drawn
};

// fit: the number of leading characters that fit the line's width. The first
// line ends after the last space that fits, or at the fit when there is none
// (Chinese names have no spaces); the break never splits a surrogate pair.
CaptionLines SplitCaption(std::wstring_view text, int fit);

}  // namespace orv::ui
