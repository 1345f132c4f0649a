#include "core/ico_select.h"

#include "core/byte_reader.h"
#include "core/dib_decode.h"
#include "core/png_header.h"

namespace orv::core {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::uint16_t kTypeIcon = 1;
constexpr std::uint16_t kTypeCursor = 2;

// Size and depth of one entry's image, read from the image itself.
std::optional<IconEntryInfo> MeasureEntry(std::span<const std::uint8_t> image, int maxSide) {
    IconEntryInfo info;
    if (const std::optional<PngHeader> png = ReadPngHeader(image)) {
        const auto limit = static_cast<std::uint32_t>(maxSide);
        if (png->width == 0 || png->height == 0 || png->width > limit || png->height > limit ||
            png->bits_per_pixel == 0) {
            return std::nullopt;
        }
        info.format = IconImageFormat::kPng;
        info.width = static_cast<int>(png->width);
        info.height = static_cast<int>(png->height);
        info.bit_count = png->bits_per_pixel;
        return info;
    }
    const std::optional<IconDibLayout> dib = MeasureIconDib(image, maxSide);
    if (!dib) return std::nullopt;
    info.format = IconImageFormat::kDib;
    info.width = dib->width;
    info.height = dib->height;
    info.bit_count = dib->bit_count;
    return info;
}

}  // namespace

bool IsIconFile(std::span<const std::uint8_t> file) {
    const ByteReader reader(file);
    const auto reserved = reader.U16Le(0);
    const auto type = reader.U16Le(2);
    return reserved && type && *reserved == 0 && (*type == kTypeIcon || *type == kTypeCursor);
}

std::vector<IconEntryInfo> ReadIconEntries(std::span<const std::uint8_t> file, int maxSide) {
    std::vector<IconEntryInfo> entries;
    if (!IsIconFile(file)) return entries;
    const ByteReader reader(file);
    const std::uint16_t count = reader.U16Le(4).value_or(0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kDirectoryHeaderSize + i * kDirectoryEntrySize;
        const auto size = reader.U32Le(at + 8);
        const auto offset = reader.U32Le(at + 12);
        if (!size || !offset) break;  // the directory itself is cut short
        const auto image = reader.Slice(*offset, *size);
        if (!image || *size == 0) continue;
        std::optional<IconEntryInfo> info = MeasureEntry(*image, maxSide);
        if (!info) continue;
        info->index = static_cast<int>(i);
        info->offset = *offset;
        info->size = *size;
        entries.push_back(*info);
    }
    return entries;
}

std::optional<IconEntryInfo> SelectIconEntry(std::span<const std::uint8_t> file, int maxSide) {
    const std::vector<IconEntryInfo> entries = ReadIconEntries(file, maxSide);
    std::optional<IconEntryInfo> best;
    for (const IconEntryInfo& entry : entries) {
        if (!best) {
            best = entry;
            continue;
        }
        const long long area = static_cast<long long>(entry.width) * entry.height;
        const long long bestArea = static_cast<long long>(best->width) * best->height;
        if (area > bestArea || (area == bestArea && entry.bit_count > best->bit_count)) {
            best = entry;
        }
    }
    return best;
}

}  // namespace orv::core
