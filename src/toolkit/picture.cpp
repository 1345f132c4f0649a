#include "toolkit/picture.h"

#include <cstring>
#include <list>
#include <map>
#include <utility>

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

namespace {

// Least recently used first; bounded by count and by decoded pixels.
class PictureCache {
public:
    using Key = std::pair<std::size_t, std::uint64_t>;

    std::shared_ptr<Picture> Find(const Key& key) {
        auto found = index_.find(key);
        if (found == index_.end()) return nullptr;
        entries_.splice(entries_.end(), entries_, found->second);
        return found->second->second;
    }

    void Add(const Key& key, std::shared_ptr<Picture> picture) {
        if (index_.count(key)) return;
        pixels_ += Pixels(*picture);
        entries_.emplace_back(key, std::move(picture));
        index_[key] = std::prev(entries_.end());
        while (!entries_.empty() && (entries_.size() > kMaxEntries || pixels_ > kMaxPixels)) {
            pixels_ -= Pixels(*entries_.front().second);
            index_.erase(entries_.front().first);
            entries_.pop_front();
        }
    }

private:
    static constexpr std::size_t kMaxEntries = 1024;
    static constexpr std::size_t kMaxPixels = 4u << 20;  // 16 MB of 32-bit pixels
    static std::size_t Pixels(const Picture& p) {
        return static_cast<std::size_t>(p.SourceSize().width) * p.SourceSize().height;
    }

    std::list<std::pair<Key, std::shared_ptr<Picture>>> entries_;
    std::map<Key, decltype(entries_)::iterator> index_;
    std::size_t pixels_ = 0;
};

}  // namespace

std::shared_ptr<Picture> Picture::FromBytesCached(std::span<const std::uint8_t> bytes,
                                                  std::uint64_t hash) noexcept {
    if (bytes.empty()) return nullptr;
    static PictureCache cache;  // the UI thread's
    const PictureCache::Key key{bytes.size(), hash};
    if (std::shared_ptr<Picture> known = cache.Find(key)) return known;
    std::shared_ptr<Picture> picture = FromBytes(bytes);
    if (picture) cache.Add(key, picture);
    return picture;
}

std::shared_ptr<Picture> Picture::FromResource(int resourceId) noexcept {
    if (resourceId == 0) return nullptr;
    HMODULE module = GetModuleHandleW(nullptr);
    // Resources need no freeing: they live as long as the module.
    // RCDATA, or the program's own image type (256) that the resource
    // script may file its pictures under.
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
    if (!found) found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(256));
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
