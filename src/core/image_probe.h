#pragma once
// Recognising an image file by its first bytes and reading the size it
// claims, so that a picture too large to show is refused before a decoder
// allocates for it.
#include <cstdint>
#include <optional>
#include <span>

namespace orv::core {

enum class ImageKind { kUnknown, kIcon, kPng, kBmp, kGif, kJpeg };

struct ClaimedSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

[[nodiscard]] ImageKind DetectImageKind(std::span<const std::uint8_t> bytes);

// The width and height (magnitudes) the file's header states; nothing when
// the header cannot be read. Icons are measured per entry (ico_select.h).
[[nodiscard]] std::optional<ClaimedSize> ReadClaimedSize(std::span<const std::uint8_t> bytes);

// For a BMP file: true when its header is self-consistent (a known header
// size, one plane, a real bit count with a compression that fits it, a colour
// table no longer than the depth allows) and, when uncompressed, the file
// holds every pixel row. For a PNG file: true when its chunks are complete
// up to IEND. Other kinds are not judged and give true.
[[nodiscard]] bool HasConsistentHeader(std::span<const std::uint8_t> bytes);

}  // namespace orv::core
