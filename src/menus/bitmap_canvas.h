#pragma once
// A bitmap being captured: a DIB section selected into the canvas's own
// memory device context, and the packed image (header, palette, pixel rows)
// that a capture fills and that becomes the bytes of a BMP file.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/handles.h"

namespace orv {

class BitmapCanvas {
public:
    // Takes the screen's device context; everything else starts empty.
    BitmapCanvas();
    BitmapCanvas(const BitmapCanvas&) = delete;
    BitmapCanvas& operator=(const BitmapCanvas&) = delete;
    ~BitmapCanvas() = default;

    // Gives back the image and its GDI objects and takes the screen's
    // device context anew; nothing when the canvas is empty.
    void ReleaseImage();
    // Copies the rectangle of dc at bitsPerPixel (1, 4, 8, 16, 24 or 32).
    // False, with the canvas emptied, for any other depth or an empty area.
    bool CaptureFromDc(HDC dc, const RECT& area, int bitsPerPixel);
    // A zero-filled packed image; false for an unsupported depth.
    bool CreateBlank(int width, int height, int bitsPerPixel);

    [[nodiscard]] int Height() const;
    [[nodiscard]] int BitCount() const;
    [[nodiscard]] std::uint8_t* PixelData();
    [[nodiscard]] std::size_t PixelDataSize() const;
    // Nothing above 15 bits per pixel or when empty.
    [[nodiscard]] std::uint8_t* PaletteData();
    [[nodiscard]] std::size_t PaletteSize() const;
    [[nodiscard]] std::size_t RowStride() const;
    // The 14-byte file header followed by the packed image; empty when the
    // canvas is empty.
    [[nodiscard]] std::vector<std::uint8_t> ToBmpFile() const;

    [[nodiscard]] bool HoldsImage() const { return !packedDib_.empty() || dibSection_; }
    [[nodiscard]] const std::vector<std::uint8_t>& PackedDib() const { return packedDib_; }

private:
    // Declared so that destruction selects the previous object back, deletes
    // the DIB section, then the memory context, then releases the screen's.
    std::optional<WindowDc> screenDc_;
    MemoryDc memoryDc_;
    GdiObject dibSection_;
    std::optional<SelectScope> previousObject_;
    std::vector<std::uint8_t> packedDib_;
    void* bits_ = nullptr;
};

}  // namespace orv
