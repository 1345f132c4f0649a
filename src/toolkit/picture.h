#pragma once
// A decoded picture as the controls draw it: the decoded pixels plus a
// 32-bpp premultiplied DIB section of the size it is shown at, made once per
// size. One picture may be shared by a template and its clones.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

#include "core/geometry.h"
#include "toolkit/handles.h"
#include "toolkit/image_decode.h"

namespace orv::ui {

class Picture {
public:
    explicit Picture(Bitmap32 source) : source_(std::move(source)) {}
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Null when the bytes are empty or cannot be decoded.
    static std::shared_ptr<Picture> FromBytes(std::span<const std::uint8_t> bytes) noexcept;
    // Through a cache of recently decoded pictures keyed by size and hash of
    // the bytes, so a category shown again needs no decoding.
    static std::shared_ptr<Picture> FromBytesCached(std::span<const std::uint8_t> bytes,
                                                    std::uint64_t hash) noexcept;
    // An RCDATA resource of the program's executable; null when absent.
    static std::shared_ptr<Picture> FromResource(int resourceId) noexcept;

    Size SourceSize() const { return {source_.width, source_.height}; }
    // Drawn centred in box with per-pixel alpha, scaled down to fit when the
    // picture is larger than the box, at its own size otherwise.
    void DrawCentred(HDC dc, const Rect& box) const noexcept;

private:
    // The DIB of the picture at size; rebuilt only when the size changes.
    HBITMAP SizedBitmap(Size size) const noexcept;

    Bitmap32 source_;
    mutable GdiObject sized_;
    mutable Size sizedSize_;
};

// FNV-1a over the bytes: cheap change detection for pictures set again.
std::uint64_t HashBytes(std::span<const std::uint8_t> bytes) noexcept;

}  // namespace orv::ui
