#pragma once
// Reading the directory of an icon (or cursor) file and choosing the entry to
// show. The directory's own width, height and depth fields are often wrong,
// so each entry's true size and depth come from its image: the bitmap header
// or the PNG IHDR chunk.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orv::core {

enum class IconImageFormat { kDib, kPng };

struct IconEntryInfo {
    int index = 0;            // position in the directory
    std::size_t offset = 0;   // of the image inside the file
    std::size_t size = 0;     // bytes of the image
    int width = 0;
    int height = 0;
    int bit_count = 0;        // bits per pixel of the stored image
    IconImageFormat format = IconImageFormat::kDib;
};

// True when the bytes start with an icon or cursor directory header.
[[nodiscard]] bool IsIconFile(std::span<const std::uint8_t> file);

// The entries whose image lies inside the file, has a readable header and no
// side above maxSide, in directory order.
[[nodiscard]] std::vector<IconEntryInfo> ReadIconEntries(std::span<const std::uint8_t> file,
                                                         int maxSide);

// The entry to show: the largest (by pixel count), then the deepest colour,
// then the first in the directory. Nothing when no entry is usable.
[[nodiscard]] std::optional<IconEntryInfo> SelectIconEntry(std::span<const std::uint8_t> file,
                                                           int maxSide);

}  // namespace orv::core
