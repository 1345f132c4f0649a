// Any bytes as a tile's picture, through the pure steps the picture decoder
// takes before it hands a file to the system: the kind and claimed size, the
// header checks, the choice of an icon entry and the decoding of its bitmap.
// No read outside the bytes, and every result agrees with the bytes it came
// from.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/dib_decode.h"
#include "core/ico_select.h"
#include "core/image_probe.h"
#include "core/png_header.h"
#include "fuzz_input.h"

namespace {

// The decoder's limit on a picture's side.
constexpr int kMaxSide = 1024;

void CheckIcon(std::span<const std::uint8_t> bytes) {
    const auto entries = orv::core::ReadIconEntries(bytes, kMaxSide);
    for (const auto& entry : entries) {
        orv::fuzz::Check(entry.offset <= bytes.size() && entry.size <= bytes.size() - entry.offset);
        orv::fuzz::Check(entry.width > 0 && entry.width <= kMaxSide);
        orv::fuzz::Check(entry.height > 0 && entry.height <= kMaxSide);
    }
    const auto chosen = orv::core::SelectIconEntry(bytes, kMaxSide);
    orv::fuzz::Check(chosen.has_value() == !entries.empty());
    if (!chosen) return;
    const auto image = bytes.subspan(chosen->offset, chosen->size);
    if (chosen->format == orv::core::IconImageFormat::kPng) {
        (void)orv::core::PngChunksComplete(image);
        return;
    }
    const auto layout = orv::core::MeasureIconDib(image, kMaxSide);
    const auto pixels = orv::core::DecodeIconDib(image, kMaxSide);
    orv::fuzz::Check(pixels.has_value() == layout.has_value());
    if (!pixels) return;
    orv::fuzz::Check(pixels->width == layout->width && pixels->height == layout->height);
    orv::fuzz::Check(pixels->pixels.size() ==
                     static_cast<std::size_t>(pixels->width) * static_cast<std::size_t>(pixels->height));
    for (const std::uint32_t pixel : pixels->pixels) {
        // premultiplied: no colour channel above the alpha
        const std::uint32_t alpha = pixel >> 24;
        orv::fuzz::Check(((pixel >> 16) & 0xFF) <= alpha && ((pixel >> 8) & 0xFF) <= alpha && (pixel & 0xFF) <= alpha);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const orv::core::ImageKind kind = orv::core::DetectImageKind(bytes);
    // an icon directory without entries is no picture
    if (kind == orv::core::ImageKind::kIcon) orv::fuzz::Check(orv::core::IsIconFile(bytes));
    // Every kind is also read as a bare icon bitmap and a PNG, the way an
    // icon's entry is read.
    (void)orv::core::DecodeIconDib(bytes, kMaxSide);
    if (const auto png = orv::core::ReadPngHeader(bytes)) orv::fuzz::Check(orv::core::HasPngSignature(bytes));
    if (kind == orv::core::ImageKind::kUnknown) return 0;
    if (kind == orv::core::ImageKind::kIcon) {
        CheckIcon(bytes);
        return 0;
    }
    (void)orv::core::ReadClaimedSize(bytes);
    (void)orv::core::HasConsistentHeader(bytes);
    return 0;
}
