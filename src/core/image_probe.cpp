#include "core/image_probe.h"

#include "core/bmp_pack.h"
#include "core/byte_reader.h"
#include "core/ico_select.h"
#include "core/png_header.h"

namespace orv::core {
namespace {

std::int64_t Magnitude(std::int32_t value) {
    return value < 0 ? -static_cast<std::int64_t>(value) : value;
}

std::optional<ClaimedSize> BmpSize(const ByteReader& reader) {
    const auto headerSize = reader.U32Le(14);
    if (!headerSize) return std::nullopt;
    if (*headerSize == 12) {  // the old core header: 16-bit sizes
        const auto width = reader.U16Le(18);
        const auto height = reader.U16Le(20);
        if (!width || !height) return std::nullopt;
        return ClaimedSize{*width, *height};
    }
    const auto width = reader.I32Le(18);
    const auto height = reader.I32Le(22);
    if (!width || !height) return std::nullopt;
    return ClaimedSize{Magnitude(*width), Magnitude(*height)};
}

std::optional<ClaimedSize> GifSize(const ByteReader& reader) {
    const auto width = reader.U16Le(6);
    const auto height = reader.U16Le(8);
    if (!width || !height) return std::nullopt;
    return ClaimedSize{*width, *height};
}

// Walks the marker segments up to the first start-of-frame.
std::optional<ClaimedSize> JpegSize(const ByteReader& reader) {
    std::size_t at = 2;
    while (true) {
        const auto mark = reader.U8(at);
        if (!mark) return std::nullopt;
        if (*mark != 0xff) return std::nullopt;
        const auto code = reader.U8(at + 1);
        if (!code) return std::nullopt;
        if (*code == 0xff) {  // fill byte
            ++at;
            continue;
        }
        if (*code == 0xd8 || *code == 0x01 || (*code >= 0xd0 && *code <= 0xd7)) {
            at += 2;  // markers without a length
            continue;
        }
        const auto length = reader.U16Be(at + 2);
        if (!length || *length < 2) return std::nullopt;
        const bool startOfFrame =
            *code >= 0xc0 && *code <= 0xcf && *code != 0xc4 && *code != 0xc8 && *code != 0xcc;
        if (startOfFrame) {
            const auto height = reader.U16Be(at + 5);
            const auto width = reader.U16Be(at + 7);
            if (!width || !height) return std::nullopt;
            return ClaimedSize{*width, *height};
        }
        at += 2 + static_cast<std::size_t>(*length);
    }
}

constexpr std::size_t kBmpFileHeader = 14;

bool BmpIsConsistent(const ByteReader& reader) {
    const auto pixelOffset = reader.U32Le(10);
    const auto headerSize = reader.U32Le(14);
    if (!pixelOffset || !headerSize) return false;
    if (*headerSize == 12) {  // the old core header: no compression, full palette
        const auto planes = reader.U16Le(22);
        const auto bits = reader.U16Le(24);
        return planes && bits && *planes == 1 && (*bits == 1 || *bits == 4 || *bits == 8 || *bits == 24);
    }
    if (*headerSize != 40 && *headerSize != 52 && *headerSize != 56 && *headerSize != 108 &&
        *headerSize != 124) {
        return false;
    }
    const auto width = reader.I32Le(18);
    const auto height = reader.I32Le(22);
    const auto planes = reader.U16Le(26);
    const auto bits = reader.U16Le(28);
    const auto compression = reader.U32Le(30);
    const auto coloursUsed = reader.U32Le(46);
    if (!width || !height || !planes || !bits || !compression || !coloursUsed) return false;
    if (*planes != 1 || *width <= 0 || *height == 0) return false;
    bool fits = false;
    switch (*compression) {
        case 0: fits = *bits == 1 || *bits == 4 || *bits == 8 || *bits == 16 || *bits == 24 || *bits == 32; break;
        case 1: fits = *bits == 8 && *height > 0; break;   // run-length, 8 bits
        case 2: fits = *bits == 4 && *height > 0; break;   // run-length, 4 bits
        case 3:                                            // bit fields
        case 6: fits = *bits == 16 || *bits == 32; break;  // bit fields with alpha
        default: fits = false;
    }
    if (!fits) return false;
    const int fullPalette = PaletteEntriesForBitCount(*bits);
    if (fullPalette != 0 && *coloursUsed > static_cast<std::uint32_t>(fullPalette)) return false;
    if (fullPalette == 0 && *coloursUsed > 256) return false;
    if (*pixelOffset < kBmpFileHeader + *headerSize || *pixelOffset > reader.size()) return false;
    if (*compression == 0 || *compression == 3 || *compression == 6) {
        const std::int64_t rows = Magnitude(*height);
        const auto stride = static_cast<std::uint64_t>(StrideForBits(static_cast<std::int64_t>(*width) * *bits));
        const std::uint64_t room = reader.size() - *pixelOffset;
        if (stride != 0 && static_cast<std::uint64_t>(rows) > room / stride) return false;
    }
    return true;
}

}  // namespace

bool HasConsistentHeader(std::span<const std::uint8_t> bytes) {
    switch (DetectImageKind(bytes)) {
        case ImageKind::kBmp: return BmpIsConsistent(ByteReader(bytes));
        case ImageKind::kPng: return PngChunksComplete(bytes);
        default: return true;
    }
}

ImageKind DetectImageKind(std::span<const std::uint8_t> bytes) {
    const ByteReader reader(bytes);
    if (HasPngSignature(bytes)) return ImageKind::kPng;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return ImageKind::kBmp;
    if (bytes.size() >= 6 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F' &&
        bytes[3] == '8' && (bytes[4] == '7' || bytes[4] == '9') && bytes[5] == 'a') {
        return ImageKind::kGif;
    }
    if (bytes.size() >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff) {
        return ImageKind::kJpeg;
    }
    if (IsIconFile(bytes) && reader.U16Le(4).value_or(0) > 0) return ImageKind::kIcon;
    return ImageKind::kUnknown;
}

std::optional<ClaimedSize> ReadClaimedSize(std::span<const std::uint8_t> bytes) {
    const ByteReader reader(bytes);
    switch (DetectImageKind(bytes)) {
        case ImageKind::kPng: {
            const std::optional<PngHeader> header = ReadPngHeader(bytes);
            if (!header) return std::nullopt;
            return ClaimedSize{header->width, header->height};
        }
        case ImageKind::kBmp: return BmpSize(reader);
        case ImageKind::kGif: return GifSize(reader);
        case ImageKind::kJpeg: return JpegSize(reader);
        case ImageKind::kIcon:
        case ImageKind::kUnknown: break;
    }
    return std::nullopt;
}

}  // namespace orv::core
