// Image bytes to premultiplied 32-bit pixels. Icons are taken apart here:
// only the chosen entry is decoded, a bitmap entry by our own bounds-checked
// code, a PNG entry by the Windows imaging component, which also reads the
// plain image files from memory. Every claimed size is checked before any
// decoder allocates.
#include "toolkit/image_decode.h"

#include <windows.h>
#include <wincodec.h>

#include <utility>

#include "core/dib_decode.h"
#include "core/ico_select.h"
#include "core/image_probe.h"
#include "core/png_header.h"
#include "toolkit/handles.h"

namespace orv::ui {
namespace {

// Decodes the first frame of an image held in memory; nothing when the
// imaging component cannot read it or it is larger than kMaxImageSide.
std::optional<Bitmap32> DecodeWithImaging(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > 0x7fffffffu) return std::nullopt;
    ComPtr<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, factory.put_void());
    if (FAILED(hr) || !factory) return std::nullopt;

    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put())) || !stream) return std::nullopt;
    // The stream only reads; the imaging interface takes a non-const pointer.
    auto* data = const_cast<BYTE*>(reinterpret_cast<const BYTE*>(bytes.data()));
    if (FAILED(stream->InitializeFromMemory(data, static_cast<DWORD>(bytes.size())))) {
        return std::nullopt;
    }

    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        !decoder) {
        return std::nullopt;
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put())) || !frame) return std::nullopt;

    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame->GetSize(&width, &height))) return std::nullopt;
    if (width == 0 || height == 0 || width > static_cast<UINT>(kMaxImageSide) ||
        height > static_cast<UINT>(kMaxImageSide)) {
        return std::nullopt;
    }

    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put())) || !converter) {
        return std::nullopt;
    }
    if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return std::nullopt;
    }

    Bitmap32 result;
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    result.pixels.assign(static_cast<std::size_t>(width) * height, 0);
    const UINT stride = width * 4;
    const UINT size = stride * height;
    if (FAILED(converter->CopyPixels(nullptr, stride, size,
                                     reinterpret_cast<BYTE*>(result.pixels.data())))) {
        return std::nullopt;
    }
    return result;
}

// The imaging component, once COM is ready on this thread. The caller's
// thread may not have COM yet; a scope of our own is harmless when it has
// (the call only adds a reference).
std::optional<Bitmap32> DecodeWithImagingOnThisThread(std::span<const std::uint8_t> bytes) {
    ComScope com;
    return DecodeWithImaging(bytes);
}

std::optional<Bitmap32> DecodeIcon(std::span<const std::uint8_t> bytes) {
    const std::optional<core::IconEntryInfo> entry = core::SelectIconEntry(bytes, kMaxImageSide);
    if (!entry) return std::nullopt;
    const std::span<const std::uint8_t> image = bytes.subspan(entry->offset, entry->size);
    if (entry->format == core::IconImageFormat::kPng) {
        if (!core::PngChunksComplete(image)) return std::nullopt;
        return DecodeWithImagingOnThisThread(image);
    }
    std::optional<core::Pixels32> pixels = core::DecodeIconDib(image, kMaxImageSide);
    if (!pixels) return std::nullopt;
    Bitmap32 result;
    result.width = pixels->width;
    result.height = pixels->height;
    result.pixels = std::move(pixels->pixels);
    return result;
}

std::optional<Bitmap32> Decode(std::span<const std::uint8_t> bytes) {
    const core::ImageKind kind = core::DetectImageKind(bytes);
    if (kind == core::ImageKind::kUnknown) return std::nullopt;
    if (kind == core::ImageKind::kIcon) return DecodeIcon(bytes);
    const std::optional<core::ClaimedSize> claimed = core::ReadClaimedSize(bytes);
    if (!claimed || claimed->width <= 0 || claimed->height <= 0 ||
        claimed->width > kMaxImageSide || claimed->height > kMaxImageSide) {
        return std::nullopt;
    }
    if (!core::HasConsistentHeader(bytes)) return std::nullopt;
    return DecodeWithImagingOnThisThread(bytes);
}

}  // namespace

std::optional<Bitmap32> DecodeImage(std::span<const std::uint8_t> bytes) noexcept {
    try {
        return Decode(bytes);
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace orv::ui
