#include "menus/bitmap_canvas.h"

#include <cstring>

#include "core/bmp_pack.h"

namespace orv {
namespace {

std::optional<core::DibHeader> HeaderOf(const std::vector<std::uint8_t>& packed) {
    return core::ReadHeader(packed);
}

}  // namespace

BitmapCanvas::BitmapCanvas() { screenDc_.emplace(nullptr); }

void BitmapCanvas::ReleaseImage() {
    if (!HoldsImage()) return;
    previousObject_.reset();
    dibSection_.reset();
    memoryDc_.reset();
    screenDc_.reset();
    bits_ = nullptr;
    packedDib_.clear();
    screenDc_.emplace(nullptr);
}

bool BitmapCanvas::CaptureFromDc(HDC dc, const RECT& area, int bitsPerPixel) {
    ReleaseImage();
    if (!core::IsSupportedBitCount(bitsPerPixel)) return false;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (!CreateBlank(width, height, bitsPerPixel)) return false;

    memoryDc_.reset(CreateCompatibleDC(dc));
    if (!memoryDc_) return false;
    dibSection_.reset(CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(packedDib_.data()),
                                       DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (!dibSection_ || bits_ == nullptr) return false;
    previousObject_.emplace(memoryDc_.get(), dibSection_.get());
    BitBlt(memoryDc_.get(), 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::memcpy(PixelData(), bits_, PixelDataSize());
    return true;
}

bool BitmapCanvas::CreateBlank(int width, int height, int bitsPerPixel) {
    std::vector<std::uint8_t> packed = core::CreateBlankDib(width, height, bitsPerPixel);
    if (packed.empty()) return false;
    packedDib_ = std::move(packed);
    // At 1, 4 or 8 bits the palette stays black: this program only ever
    // captures at 32 bits.
    return true;
}

int BitmapCanvas::Height() const {
    const auto header = HeaderOf(packedDib_);
    return header ? header->height : 0;
}

int BitmapCanvas::BitCount() const {
    const auto header = HeaderOf(packedDib_);
    return header ? header->bit_count : 0;
}

std::uint8_t* BitmapCanvas::PixelData() {
    const auto header = HeaderOf(packedDib_);
    if (!header) return nullptr;
    return packedDib_.data() + core::PixelDataOffset(*header);
}

std::size_t BitmapCanvas::PixelDataSize() const {
    const auto header = HeaderOf(packedDib_);
    return header ? core::PixelDataSize(*header) : 0;
}

std::uint8_t* BitmapCanvas::PaletteData() {
    const auto header = HeaderOf(packedDib_);
    if (!header || header->bit_count > 15) return nullptr;
    return packedDib_.data() + core::kDibHeaderSize;
}

std::size_t BitmapCanvas::PaletteSize() const {
    const auto header = HeaderOf(packedDib_);
    return header ? core::PaletteSize(*header) : 0;
}

std::size_t BitmapCanvas::RowStride() const {
    const auto header = HeaderOf(packedDib_);
    return header ? core::RowStride(*header) : 0;
}

std::vector<std::uint8_t> BitmapCanvas::ToBmpFile() const { return core::ToBmpFile(packedDib_); }

}  // namespace orv
