#pragma once
// Small value types of the pure core. One file on the Windows side converts
// them to RECT, POINT and COLORREF (toolkit/win_types.h).
#include <cstdint>

namespace orv {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// (red, green, blue), as the designs give colours.
struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

// The palette of the board.
inline constexpr Color kWindowColor{50, 65, 85};
inline constexpr Color kCurrentColor{29, 45, 65};
inline constexpr Color kHoverCategoryColor{65, 85, 112};
inline constexpr Color kMenuFrameColor{35, 46, 61};
inline constexpr Color kCaptionColor{236, 236, 236};

}  // namespace orv
