#pragma once
// The PNG signature and IHDR chunk: a picture's size and depth without
// decoding it, so that oversized pictures are refused before any allocation.
#include <cstdint>
#include <optional>
#include <span>

namespace orv::core {

struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bit_depth = 0;
    int colour_type = 0;
    int bits_per_pixel = 0;  // bit depth x channels; 0 for an invalid combination
};

// True when the bytes start with the 8-byte PNG signature.
[[nodiscard]] bool HasPngSignature(std::span<const std::uint8_t> bytes);

// The IHDR fields when the bytes start with a signature and an IHDR chunk.
[[nodiscard]] std::optional<PngHeader> ReadPngHeader(std::span<const std::uint8_t> bytes);

// True when every chunk from the signature on lies inside the bytes and an
// IEND chunk closes them: a cut-short file is refused before decoding.
[[nodiscard]] bool PngChunksComplete(std::span<const std::uint8_t> bytes);

}  // namespace orv::core
