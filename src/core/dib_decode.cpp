#include "core/dib_decode.h"

#include "core/bmp_pack.h"
#include "core/byte_reader.h"

namespace orv::core {
namespace {

constexpr std::uint32_t kCompressionNone = 0;

std::uint32_t Opaque(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 0xff000000u | (static_cast<std::uint32_t>(red) << 16) |
           (static_cast<std::uint32_t>(green) << 8) | blue;
}

// Expands a 5-bit channel to 8 bits.
std::uint8_t Expand5(unsigned value) {
    return static_cast<std::uint8_t>((value << 3) | (value >> 2));
}

// One colour pixel as opaque 0xFFRRGGBB (32 bpp keeps its alpha byte).
std::uint32_t ReadColour(const ByteReader& reader, const IconDibLayout& layout,
                         std::size_t rowOffset, int x) {
    const auto paletteColour = [&](std::size_t index) -> std::uint32_t {
        if (index >= layout.palette_entries) return Opaque(0, 0, 0);
        const std::size_t at = layout.palette_offset + index * 4;
        return Opaque(reader.U8(at + 2).value_or(0), reader.U8(at + 1).value_or(0),
                      reader.U8(at).value_or(0));
    };
    const auto ux = static_cast<std::size_t>(x);
    switch (layout.bit_count) {
        case 1: {
            const std::uint8_t byte = reader.U8(rowOffset + ux / 8).value_or(0);
            return paletteColour((byte >> (7 - ux % 8)) & 1u);
        }
        case 4: {
            const std::uint8_t byte = reader.U8(rowOffset + ux / 2).value_or(0);
            return paletteColour(ux % 2 == 0 ? byte >> 4 : byte & 0x0fu);
        }
        case 8: return paletteColour(reader.U8(rowOffset + ux).value_or(0));
        case 16: {
            const unsigned v = reader.U16Le(rowOffset + ux * 2).value_or(0);
            return Opaque(Expand5((v >> 10) & 31u), Expand5((v >> 5) & 31u), Expand5(v & 31u));
        }
        case 24: {
            const std::size_t at = rowOffset + ux * 3;
            return Opaque(reader.U8(at + 2).value_or(0), reader.U8(at + 1).value_or(0),
                          reader.U8(at).value_or(0));
        }
        default: return reader.U32Le(rowOffset + ux * 4).value_or(0);
    }
}

// True when the mask marks the pixel transparent; absent mask bytes are opaque.
bool MaskedOut(const ByteReader& reader, const IconDibLayout& layout, std::size_t storedRow,
               int x) {
    const std::size_t at =
        layout.mask_offset + storedRow * layout.mask_stride + static_cast<std::size_t>(x) / 8;
    const std::uint8_t byte = reader.U8(at).value_or(0);
    return ((byte >> (7 - x % 8)) & 1u) != 0;
}

}  // namespace

std::uint32_t Premultiply(std::uint8_t alpha, std::uint8_t red, std::uint8_t green,
                          std::uint8_t blue) {
    const auto scale = [alpha](std::uint8_t c) {
        return static_cast<std::uint32_t>((c * alpha + 127) / 255);
    };
    return (static_cast<std::uint32_t>(alpha) << 24) | (scale(red) << 16) | (scale(green) << 8) |
           scale(blue);
}

std::optional<IconDibLayout> MeasureIconDib(std::span<const std::uint8_t> entry, int maxSide) {
    const ByteReader reader(entry);
    const auto headerSize = reader.U32Le(0);
    const auto width = reader.I32Le(4);
    const auto storedHeight = reader.I32Le(8);
    const auto bitCount = reader.U16Le(14);
    const auto compression = reader.U32Le(16);
    const auto coloursUsed = reader.U32Le(32);
    if (!headerSize || !width || !storedHeight || !bitCount || !compression || !coloursUsed) {
        return std::nullopt;
    }
    if (*headerSize < kDibHeaderSize || *headerSize > entry.size()) return std::nullopt;
    if (*compression != kCompressionNone) return std::nullopt;
    switch (*bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32: break;
        default: return std::nullopt;
    }

    IconDibLayout layout;
    layout.bit_count = *bitCount;
    layout.top_down = *storedHeight < 0;
    const std::int64_t rowsStored =
        *storedHeight < 0 ? -static_cast<std::int64_t>(*storedHeight) : *storedHeight;
    // The header's height covers the colour rows and the mask rows.
    const std::int64_t rows = rowsStored / 2;
    if (*width <= 0 || rows <= 0 || *width > maxSide || rows > maxSide) return std::nullopt;
    layout.width = *width;
    layout.height = static_cast<int>(rows);

    const std::size_t fullPalette = static_cast<std::size_t>(PaletteEntriesForBitCount(*bitCount));
    std::size_t paletteEntries = fullPalette;
    if (fullPalette != 0 && *coloursUsed != 0 && *coloursUsed < fullPalette) {
        paletteEntries = *coloursUsed;
    }
    // Above 8 bits a colour table, when present, only lists colours to prefer.
    const std::size_t skippedTable =
        fullPalette == 0 && *coloursUsed <= 256 ? static_cast<std::size_t>(*coloursUsed) : 0;
    layout.palette_offset = *headerSize;
    layout.palette_entries = paletteEntries;
    layout.colour_offset = *headerSize + (paletteEntries + skippedTable) * 4;
    layout.colour_stride =
        static_cast<std::size_t>(StrideForBits(static_cast<std::int64_t>(*width) * *bitCount));
    const std::size_t colourBytes = layout.colour_stride * static_cast<std::size_t>(rows);
    if (!reader.Has(layout.colour_offset, colourBytes)) return std::nullopt;
    layout.mask_offset = layout.colour_offset + colourBytes;
    layout.mask_stride = static_cast<std::size_t>(StrideForBits(*width));
    return layout;
}

std::optional<Pixels32> DecodeIconDib(std::span<const std::uint8_t> entry, int maxSide) {
    const std::optional<IconDibLayout> measured = MeasureIconDib(entry, maxSide);
    if (!measured) return std::nullopt;
    const IconDibLayout& layout = *measured;
    const ByteReader reader(entry);

    Pixels32 out;
    out.width = layout.width;
    out.height = layout.height;
    out.pixels.assign(static_cast<std::size_t>(layout.width) * layout.height, 0);

    bool alphaUsed = false;
    for (int y = 0; y < layout.height; ++y) {
        // Stored row index: bottom-up unless the header said otherwise.
        const auto storedRow = static_cast<std::size_t>(layout.top_down ? y : layout.height - 1 - y);
        const std::size_t rowOffset = layout.colour_offset + storedRow * layout.colour_stride;
        std::uint32_t* target = out.pixels.data() + static_cast<std::size_t>(y) * layout.width;
        for (int x = 0; x < layout.width; ++x) {
            target[x] = ReadColour(reader, layout, rowOffset, x);
            if (layout.bit_count == 32 && (target[x] >> 24) != 0) alphaUsed = true;
        }
    }

    for (int y = 0; y < layout.height; ++y) {
        const auto storedRow = static_cast<std::size_t>(layout.top_down ? y : layout.height - 1 - y);
        std::uint32_t* target = out.pixels.data() + static_cast<std::size_t>(y) * layout.width;
        for (int x = 0; x < layout.width; ++x) {
            const std::uint32_t c = target[x];
            const auto red = static_cast<std::uint8_t>(c >> 16);
            const auto green = static_cast<std::uint8_t>(c >> 8);
            const auto blue = static_cast<std::uint8_t>(c);
            if (alphaUsed) {
                target[x] = Premultiply(static_cast<std::uint8_t>(c >> 24), red, green, blue);
            } else if (MaskedOut(reader, layout, storedRow, x)) {
                target[x] = 0;
            } else {
                target[x] = Opaque(red, green, blue);
            }
        }
    }
    return out;
}

}  // namespace orv::core
