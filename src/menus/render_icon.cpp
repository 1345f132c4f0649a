#include "menus/render_icon.h"

#include "menus/bitmap_canvas.h"
#include "toolkit/handles.h"

namespace orv {

std::vector<std::uint8_t> RenderIconImage(HICON icon, int width, int height,
                                          COLORREF background) {
    BitmapCanvas canvas;
    const RECT area{0, 0, width, height};
    std::vector<std::uint8_t> bytes;
    {
        // Declared so that leaving the block selects the old bitmap back,
        // then deletes the brush, the bitmap, the memory context and releases
        // the screen's context.
        WindowDc screen(nullptr);
        MemoryDc memory(CreateCompatibleDC(screen.get()));
        GdiObject bitmap(CreateCompatibleBitmap(screen.get(), width, height));
        SelectScope selected(memory.get(), bitmap.get());
        GdiObject brush(CreateSolidBrush(background));
        FillRect(memory.get(), &area, static_cast<HBRUSH>(brush.get()));
        // The icon's mask lets the background show through its clear parts.
        if (icon) DrawIconEx(memory.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        (void)canvas.CaptureFromDc(memory.get(), area, 32);
        bytes = canvas.ToBmpFile();
    }
    return bytes;
}

}  // namespace orv
