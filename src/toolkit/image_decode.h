#pragma once
// Decoding of image bytes (BMP, ICO, PNG, JPEG, GIF) into 32-bit pixels the
// controls draw. An ICO shows its best entry: the largest, then the deepest
// colour, the first on a tie. Bad or hostile input (truncated files, huge
// claimed sizes) gives nothing, never a crash or a huge allocation.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orv::ui {

struct Bitmap32 {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // top-down rows, premultiplied BGRA (0xAARRGGBB)
};

// Largest accepted side; anything claiming more is refused.
inline constexpr int kMaxImageSide = 1024;

std::optional<Bitmap32> DecodeImage(std::span<const std::uint8_t> bytes) noexcept;

}  // namespace orv::ui
