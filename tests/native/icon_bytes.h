#pragma once
// Small builders of icon files for the icon tests: a directory around
// entries, a bitmap entry and a PNG entry's leading IHDR bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xffff);
    Put16(b, v >> 16);
}
inline void Put32Be(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A bitmap header for an icon image of width x rows (height field = 2 x rows).
inline Bytes DibHeaderBytes(std::int32_t width, std::int32_t storedHeight, int bits,
                            std::uint32_t compression = 0, std::uint32_t coloursUsed = 0) {
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(storedHeight));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, compression);
    for (int i = 0; i < 3; ++i) Put32(b, 0);
    Put32(b, coloursUsed);
    Put32(b, 0);
    return b;
}

// A complete zero-filled bitmap entry (header, palette, colour rows, mask).
inline Bytes BlankDibEntry(int width, int rows, int bits) {
    Bytes b = DibHeaderBytes(width, rows * 2, bits);
    const int palette = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    const std::size_t colourStride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t maskStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    b.resize(b.size() + palette * 4 + colourStride * rows + maskStride * rows, 0);
    return b;
}

// The first bytes of a PNG: signature and IHDR (no image data).
inline Bytes PngHeadBytes(std::uint32_t width, std::uint32_t height, int depth, int colourType) {
    Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Put32Be(b, 13);
    b.insert(b.end(), {'I', 'H', 'D', 'R'});
    Put32Be(b, width);
    Put32Be(b, height);
    b.push_back(static_cast<std::uint8_t>(depth));
    b.push_back(static_cast<std::uint8_t>(colourType));
    b.insert(b.end(), {0, 0, 0});
    Put32Be(b, 0);  // checksum: not read by the directory code
    return b;
}

// The first `count` bytes.
inline Bytes Prefix(const Bytes& bytes, std::size_t count) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

struct DirectoryLie {
    std::uint8_t width = 0;  // what the directory claims; often wrong
    std::uint8_t height = 0;
    std::uint16_t bits = 0;
};

// An icon file holding the images in order; the directory fields claim
// whatever `lies` says (zeros by default).
inline Bytes IconFile(const std::vector<Bytes>& images, std::vector<DirectoryLie> lies = {},
                      std::uint16_t type = 1) {
    lies.resize(images.size());
    Bytes b;
    Put16(b, 0);
    Put16(b, type);
    Put16(b, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        b.push_back(lies[i].width);
        b.push_back(lies[i].height);
        b.push_back(0);
        b.push_back(0);
        Put16(b, 1);
        Put16(b, lies[i].bits);
        Put32(b, static_cast<std::uint32_t>(images[i].size()));
        Put32(b, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const Bytes& image : images) b.insert(b.end(), image.begin(), image.end());
    return b;
}

}  // namespace orv::testing
