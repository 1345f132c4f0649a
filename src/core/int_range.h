#pragma once
// The core's decisions take plain ints from the window system, which may hold
// any value (a window dragged far off the screen, a corrupt configuration).
// Sums and products are therefore worked in 64 bits and brought back into the
// int range at the end, so no input can overflow.
#include <cstdint>
#include <limits>

namespace orv {

[[nodiscard]] constexpr int ClampToInt(std::int64_t value) {
    constexpr std::int64_t kMin = std::numeric_limits<int>::min();
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    return static_cast<int>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

}  // namespace orv
