#include "toolkit/picture.h"

#include <cstring>

#include "toolkit/picture_scale.h"

namespace orv::ui {

std::uint64_t HashBytes(std::span<const std::uint8_t> bytes) noexcept {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::uint8_t b : bytes) {
        hash ^= b;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::shared_ptr<Picture> Picture::FromBytes(std::span<const std::uint8_t> bytes) noexcept {
    if (bytes.empty()) return nullptr;
    std::optional<Bitmap32> decoded = DecodeImage(bytes);
    if (!decoded || decoded->width <= 0 || decoded->height <= 0) return nullptr;
    return std::make_shared<Picture>(std::move(*decoded));
}

std::shared_ptr<Picture> Picture::FromResource(int resourceId) noexcept {
    if (resourceId == 0) return nullptr;
    HMODULE module = GetModuleHandleW(nullptr);
    // Resources need no freeing: they live as long as the module.
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, found);
    if (!data || size == 0) return nullptr;
    return FromBytes({static_cast<const std::uint8_t*>(data), size});
}

HBITMAP Picture::SizedBitmap(Size size) const noexcept {
    if (sized_ && sizedSize_ == size) return static_cast<HBITMAP>(sized_.get());
    sized_.reset();
    Bitmap32 scaled = ScaleDown(source_, size);
    if (scaled.pixels.empty()) return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;  // top-down, as the pixels are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return nullptr;
    std::memcpy(bits, scaled.pixels.data(), scaled.pixels.size() * sizeof(std::uint32_t));
    GdiFlush();
    sized_ = std::move(bitmap);
    sizedSize_ = size;
    return static_cast<HBITMAP>(sized_.get());
}

void Picture::DrawCentred(HDC dc, const Rect& box) const noexcept {
    const Size size = FitInside(SourceSize(), {box.width, box.height});
    if (size.width <= 0 || size.height <= 0) return;
    HBITMAP bitmap = SizedBitmap(size);
    if (!bitmap) return;
    MemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    SelectScope select(source.get(), bitmap);
    const int left = box.left + (box.width - size.width) / 2;
    const int top = box.top + (box.height - size.height) / 2;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, left, top, size.width, size.height, source.get(), 0, 0, size.width,
               size.height, blend);
}

}  // namespace orv::ui
