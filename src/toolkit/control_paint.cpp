// Painting of the owner-drawn controls: into a memory bitmap first, then one
// copy to the screen, so nothing flickers.
#include "model/text.h"
#include "toolkit/caption_lines.h"
#include "toolkit/toolkit_impl.h"
#include "toolkit/win_types.h"

namespace orv::ui::detail {

namespace {

// The tile's picture area and caption rectangle, for a 75 x 80 tile.
constexpr int kTilePictureSide = 32;
constexpr int kTilePictureTop = 8;
constexpr int kTileCaptionTop = 46;
constexpr int kTileCaptionInset = 2;

void Fill(HDC dc, const RECT& area, Color color) {
    SetDCBrushColor(dc, ToColorRef(color));
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawLine(HDC dc, const std::wstring& text, RECT area, UINT flags) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, flags | DT_NOPREFIX);
}

// Up to two centred lines: the first broken where it fits, the second cut
// with an ellipsis.
void DrawTileCaption(HDC dc, const std::wstring& text, const RECT& area) {
    const int width = area.right - area.left;
    int fit = 0;
    SIZE extent{};
    GetTextExtentExPointW(dc, text.c_str(), static_cast<int>(text.size()), width, &fit, nullptr,
                          &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const CaptionLines lines = SplitCaption(text, fit);
    RECT first = area;
    first.bottom = first.top + metrics.tmHeight;
    DrawLine(dc, lines.first, first, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (lines.second.empty()) return;
    RECT second = area;
    second.top = first.bottom;
    second.bottom = second.top + metrics.tmHeight;
    DrawLine(dc, lines.second, second, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
}

int StatePicture(const ControlImpl& control) {
    if (control.over) return control.pressed ? 2 : 1;
    if (control.pressed) return 2;
    if (control.focused) return 3;
    return 0;
}

}  // namespace

void ControlImpl::OnPaint() noexcept {
    PaintScope paint(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    MemoryDc memory(CreateCompatibleDC(paint.dc()));
    GdiObject buffer(CreateCompatibleBitmap(paint.dc(), width, height));
    if (!memory || !buffer) {
        PaintContent(paint.dc(), client);
        return;
    }
    {
        SelectScope select(memory.get(), buffer.get());
        PaintContent(memory.get(), client);
        BitBlt(paint.dc(), 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    }
}

void ControlImpl::PaintContent(HDC dc, const RECT& client) noexcept {
    const ControlKind kind = look.kind;
    const Color fill = kind == ControlKind::Label || kind == ControlKind::ImageButton
                           ? ParentColor()
                       : kind == ControlKind::Frame || kind == ControlKind::PictureBox
                           ? look.colors.outside
                           : CurrentBackground();
    Fill(dc, client, fill);

    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (kind == ControlKind::PictureBox) {
        if (look.pictures[0]) look.pictures[0]->DrawCentred(dc, {0, 0, width, height});
        return;
    }
    if (kind == ControlKind::ImageButton) {
        const Picture* picture = look.pictures[static_cast<std::size_t>(StatePicture(*this))].get();
        if (!picture) picture = look.pictures[0].get();
        if (picture) picture->DrawCentred(dc, {0, 0, width, height});
        return;
    }
    if (kind == ControlKind::Tile && look.pictures[0]) {
        look.pictures[0]->DrawCentred(
            dc, {(width - kTilePictureSide) / 2, kTilePictureTop, kTilePictureSide, kTilePictureSide});
    }
    if (kind == ControlKind::Frame || look.caption.empty()) return;

    const std::wstring text = LocalToWide(look.caption);
    SelectScope font(dc, CaptionFont(look.fontHeight));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(look.text));
    switch (kind) {
    case ControlKind::Label:
        DrawLine(dc, text, client, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        break;
    case ControlKind::Button:
        DrawLine(dc, text, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        break;
    case ControlKind::Tile:
        DrawTileCaption(dc, text,
                        RECT{kTileCaptionInset, kTileCaptionTop, width - kTileCaptionInset,
                             height - kTileCaptionInset});
        break;
    default:
        break;
    }
}

}  // namespace orv::ui::detail
