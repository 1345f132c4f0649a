#pragma once
// The layout of a packed device-independent bitmap (40-byte header, palette,
// bottom-up pixel rows) and of a BMP file around it. Pure byte work: the
// canvas fills the pixels, these routines build and measure the bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orv::core {

inline constexpr std::size_t kDibHeaderSize = 40;
inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::uint16_t kBmpSignature = 19778;  // "BM" little-endian

// The 11 fields of a 40-byte bitmap information header.
struct DibHeader {
    std::uint32_t size = static_cast<std::uint32_t>(kDibHeaderSize);
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
    std::uint32_t image_size = 0;
    std::int32_t x_pels_per_meter = 0;
    std::int32_t y_pels_per_meter = 0;
    std::uint32_t colours_used = 0;
    std::uint32_t colours_important = 0;
};

// Bytes of one row holding `bits` bits, rounded up to whole 32-bit words.
[[nodiscard]] constexpr std::int64_t StrideForBits(std::int64_t bits) {
    return ((bits + 31) >> 5) << 2;
}

// Palette entries a bit count carries: 1 -> 2, 4 -> 16, 8 -> 256, others 0.
[[nodiscard]] constexpr int PaletteEntriesForBitCount(int bit_count) {
    switch (bit_count) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

// True for the depths a blank image can be made at: 1, 4, 8, 16, 24, 32.
[[nodiscard]] bool IsSupportedBitCount(int bit_count);

// The header as its 40 little-endian bytes.
[[nodiscard]] std::vector<std::uint8_t> HeaderToBytes(const DibHeader& header);

// Reads the header at the start of a packed image; nothing when too short.
[[nodiscard]] std::optional<DibHeader> ReadHeader(std::span<const std::uint8_t> packed);

// Palette bytes (entries x 4) for the header's bit count.
[[nodiscard]] std::size_t PaletteSize(const DibHeader& header);
// Bytes of one pixel row: width x planes x bit count, rounded to 32 bits.
[[nodiscard]] std::size_t RowStride(const DibHeader& header);
// Height (its magnitude) x row stride.
[[nodiscard]] std::size_t PixelDataSize(const DibHeader& header);
// Offset of the first pixel byte inside a packed image: 40 + palette.
[[nodiscard]] std::size_t PixelDataOffset(const DibHeader& header);

// A zero-filled packed image (header, zero palette, zero pixels) of the given
// size and depth; empty for an unsupported depth or a non-positive size.
[[nodiscard]] std::vector<std::uint8_t> CreateBlankDib(int width, int height, int bit_count);

// The 14-byte file header followed by the packed image; empty when the packed
// image has no complete header.
[[nodiscard]] std::vector<std::uint8_t> ToBmpFile(std::span<const std::uint8_t> packed);

}  // namespace orv::core
