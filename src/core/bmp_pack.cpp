#include "core/bmp_pack.h"

#include <cstdlib>

namespace orv::core {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

std::uint32_t Get16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8);
}

std::uint32_t Get32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Get16(bytes, at) | (Get16(bytes, at + 2) << 16);
}

}  // namespace

bool IsSupportedBitCount(int bit_count) {
    switch (bit_count) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32: return true;
        default: return false;
    }
}

std::vector<std::uint8_t> HeaderToBytes(const DibHeader& header) {
    std::vector<std::uint8_t> out;
    out.reserve(kDibHeaderSize);
    Put32(out, header.size);
    Put32(out, static_cast<std::uint32_t>(header.width));
    Put32(out, static_cast<std::uint32_t>(header.height));
    Put16(out, header.planes);
    Put16(out, header.bit_count);
    Put32(out, header.compression);
    Put32(out, header.image_size);
    Put32(out, static_cast<std::uint32_t>(header.x_pels_per_meter));
    Put32(out, static_cast<std::uint32_t>(header.y_pels_per_meter));
    Put32(out, header.colours_used);
    Put32(out, header.colours_important);
    return out;
}

std::optional<DibHeader> ReadHeader(std::span<const std::uint8_t> packed) {
    if (packed.size() < kDibHeaderSize) return std::nullopt;
    DibHeader header;
    header.size = Get32(packed, 0);
    header.width = static_cast<std::int32_t>(Get32(packed, 4));
    header.height = static_cast<std::int32_t>(Get32(packed, 8));
    header.planes = static_cast<std::uint16_t>(Get16(packed, 12));
    header.bit_count = static_cast<std::uint16_t>(Get16(packed, 14));
    header.compression = Get32(packed, 16);
    header.image_size = Get32(packed, 20);
    header.x_pels_per_meter = static_cast<std::int32_t>(Get32(packed, 24));
    header.y_pels_per_meter = static_cast<std::int32_t>(Get32(packed, 28));
    header.colours_used = Get32(packed, 32);
    header.colours_important = Get32(packed, 36);
    return header;
}

std::size_t PaletteSize(const DibHeader& header) {
    return static_cast<std::size_t>(PaletteEntriesForBitCount(header.bit_count)) * 4;
}

std::size_t RowStride(const DibHeader& header) {
    const std::int64_t bits = static_cast<std::int64_t>(header.width < 0 ? 0 : header.width) *
                              header.planes * header.bit_count;
    return static_cast<std::size_t>(StrideForBits(bits));
}

std::size_t PixelDataSize(const DibHeader& header) {
    const std::int64_t rows = std::llabs(static_cast<std::int64_t>(header.height));
    return static_cast<std::size_t>(rows) * RowStride(header);
}

std::size_t PixelDataOffset(const DibHeader& header) {
    return kDibHeaderSize + PaletteSize(header);
}

std::vector<std::uint8_t> CreateBlankDib(int width, int height, int bit_count) {
    if (!IsSupportedBitCount(bit_count) || width <= 0 || height <= 0) return {};
    DibHeader header;
    header.width = width;
    header.height = height;
    header.bit_count = static_cast<std::uint16_t>(bit_count);
    std::vector<std::uint8_t> packed = HeaderToBytes(header);
    packed.resize(kDibHeaderSize + PaletteSize(header) + PixelDataSize(header), 0);
    return packed;
}

std::vector<std::uint8_t> ToBmpFile(std::span<const std::uint8_t> packed) {
    const std::optional<DibHeader> header = ReadHeader(packed);
    if (!header) return {};
    std::vector<std::uint8_t> out;
    out.reserve(kBmpFileHeaderSize + packed.size());
    Put16(out, kBmpSignature);
    Put32(out, static_cast<std::uint32_t>(packed.size() + kBmpFileHeaderSize));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(PaletteSize(*header) + kDibHeaderSize +
                                          kBmpFileHeaderSize));
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

}  // namespace orv::core
