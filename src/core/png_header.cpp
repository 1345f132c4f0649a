#include "core/png_header.h"

#include <array>

#include "core/byte_reader.h"

namespace orv::core {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::uint32_t kIhdrType = 0x49484452;  // "IHDR"
constexpr std::uint32_t kIendType = 0x49454e44;  // "IEND"
constexpr std::size_t kChunkOverhead = 12;       // length, type, checksum

// Channels per colour type; 0 for an unknown type.
int Channels(int colourType) {
    switch (colourType) {
        case 0: return 1;  // grey
        case 2: return 3;  // red, green, blue
        case 3: return 1;  // palette index
        case 4: return 2;  // grey and alpha
        case 6: return 4;  // red, green, blue and alpha
        default: return 0;
    }
}

}  // namespace

bool HasPngSignature(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kSignature.size()) return false;
    for (std::size_t i = 0; i < kSignature.size(); ++i) {
        if (bytes[i] != kSignature[i]) return false;
    }
    return true;
}

std::optional<PngHeader> ReadPngHeader(std::span<const std::uint8_t> bytes) {
    if (!HasPngSignature(bytes)) return std::nullopt;
    const ByteReader reader(bytes);
    const auto length = reader.U32Be(8);
    const auto type = reader.U32Be(12);
    const auto width = reader.U32Be(16);
    const auto height = reader.U32Be(20);
    const auto depth = reader.U8(24);
    const auto colourType = reader.U8(25);
    if (!length || !type || !width || !height || !depth || !colourType) return std::nullopt;
    if (*length != 13 || *type != kIhdrType) return std::nullopt;
    PngHeader header;
    header.width = *width;
    header.height = *height;
    header.bit_depth = *depth;
    header.colour_type = *colourType;
    header.bits_per_pixel = *depth * Channels(*colourType);
    return header;
}

bool PngChunksComplete(std::span<const std::uint8_t> bytes) {
    if (!HasPngSignature(bytes)) return false;
    const ByteReader reader(bytes);
    std::size_t at = kSignature.size();
    while (true) {
        const auto length = reader.U32Be(at);
        const auto type = reader.U32Be(at + 4);
        if (!length || !type) return false;
        if (!reader.Has(at, kChunkOverhead) || !reader.Has(at + 8, *length) ||
            !reader.Has(at + 8 + *length, 4)) {
            return false;
        }
        if (*type == kIendType) return true;
        at += kChunkOverhead + *length;
    }
}

}  // namespace orv::core
