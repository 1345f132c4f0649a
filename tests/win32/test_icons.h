#pragma once
// Icons made in memory for the rendering and icon tests.
#include <windows.h>

#include <cstdint>

#include "toolkit/handles.h"

namespace orv::testing {

// A side x side icon, opaque `colour` (0xRRGGBB) in its top half and fully
// transparent in its bottom half.
inline IconHandle TopHalfIcon(int side, std::uint32_t colour) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = side;
    header.bV5Height = -side;  // top-down
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00ff0000;
    header.bV5GreenMask = 0x0000ff00;
    header.bV5BlueMask = 0x000000ff;
    header.bV5AlphaMask = 0xff000000;
    void* bits = nullptr;
    WindowDc screen(nullptr);
    GdiObject colourBitmap(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                            DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colourBitmap || bits == nullptr) return IconHandle();
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            pixels[y * side + x] = y < side / 2 ? (0xff000000u | colour) : 0u;
        }
    }
    // The mask: 0 (opaque) on top, 1 (transparent) below; rows of 16-bit words.
    const int maskStride = ((side + 15) / 16) * 2;
    std::uint8_t maskBits[256 * 32] = {};
    for (int y = side / 2; y < side; ++y) {
        for (int x = 0; x < side; ++x) maskBits[y * maskStride + x / 8] |= 0x80 >> (x % 8);
    }
    GdiObject maskBitmap(CreateBitmap(side, side, 1, 1, maskBits));
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = static_cast<HBITMAP>(colourBitmap.get());
    info.hbmMask = static_cast<HBITMAP>(maskBitmap.get());
    return IconHandle(CreateIconIndirect(&info));
}

}  // namespace orv::testing
