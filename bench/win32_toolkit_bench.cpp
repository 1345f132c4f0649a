// Showing, hiding and moving 100 tile clones with pictures, against 100 bare
// STATIC child windows in the same window and run. Prints microseconds per
// call; nothing is asserted.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "toolkit/toolkit.h"

namespace {

using namespace orv;
using namespace orv::ui;

class NoEvents final : public EventHandler {
public:
    void OnEvent(const Event&) noexcept override {}
};

// A 32 x 32 32-bit BMP like the rendered tile icons, with a varying shade.
std::vector<std::uint8_t> IconBmp(int shade) {
    const int side = 32;
    std::vector<std::uint8_t> bytes(14 + 40 + side * side * 4, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, side);
    put32(22, static_cast<std::uint32_t>(side));
    bytes[26] = 1;
    bytes[28] = 32;
    for (int i = 0; i < side * side; ++i) {
        std::uint8_t* p = &bytes[54 + static_cast<std::size_t>(i) * 4];
        p[0] = static_cast<std::uint8_t>(shade + i);
        p[1] = static_cast<std::uint8_t>(shade * 3);
        p[2] = static_cast<std::uint8_t>(i / 32 * 8);
        p[3] = 255;
    }
    // The first pixel carries the whole seed, so no two seeds give the same file.
    bytes[54] = static_cast<std::uint8_t>(shade);
    bytes[55] = static_cast<std::uint8_t>(shade >> 8);
    bytes[56] = static_cast<std::uint8_t>(shade >> 16);
    return bytes;
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// Runs body rounds times; prints the time per single call (calls per round).
void Measure(const char* label, int rounds, int callsPerRound, const std::function<void(int)>& body) {
    body(0);  // warm up
    const double start = Now();
    for (int r = 1; r <= rounds; ++r) body(r);
    const double perCall = (Now() - start) / (static_cast<double>(rounds) * callsPerRound);
    std::printf("%-52s %10.2f us/call\n", label, perCall);
}

}  // namespace

int main() {
    WindowDesign design;
    design.name = "ToolkitBench";
    design.place = {20, 20, 981, 678};
    ControlDesign tile;
    tile.name = "TileButton";
    tile.kind = ControlKind::Tile;
    tile.place = {1, 61, 75, 80};
    tile.visible = false;
    tile.caption = "我是图标";
    tile.background = {kWindowColor, kCurrentColor, kWindowColor};
    design.controls = {tile};
    NoEvents events;
    WindowPtr window = Window::Create(design, events);
    if (!window) return 1;
    window->Show();
    ProcessPendingMessages();

    constexpr int kCount = 100;
    std::vector<Control*> tiles;
    for (int i = 0; i < kCount; ++i) tiles.push_back(&window->Clone(*window->Find("TileButton")));
    std::vector<HWND> statics;
    for (int i = 0; i < kCount; ++i) {
        statics.push_back(CreateWindowExW(0, L"STATIC", L"static", WS_CHILD | WS_CLIPSIBLINGS,
                                          1, 61, 75, 80, window->Handle(), nullptr,
                                          GetModuleHandleW(nullptr), nullptr));
    }
    std::vector<std::vector<std::uint8_t>> pictures[2];
    for (int set = 0; set < 2; ++set) {
        for (int i = 0; i < kCount; ++i) pictures[set].push_back(IconBmp(set * 100 + i));
    }
    auto cellLeft = [](int i, int shift) { return 1 + ((i + shift) % 13) * 75; };
    auto cellTop = [](int i, int shift) { return 61 + ((i + shift) / 13 % 7) * 80; };

    std::printf("100 tile clones with pictures vs 100 STATIC windows\n");
    Measure("tile SetPicture, bytes never seen (decoded)", 5, kCount, [&](int r) {
        for (int i = 0; i < kCount; ++i) {
            tiles[static_cast<std::size_t>(i)]->SetPicture(IconBmp(100000 + r * kCount + i));
        }
    });
    Measure("tile SetPicture, other bytes seen before (cached)", 20, kCount, [&](int r) {
        for (int i = 0; i < kCount; ++i) tiles[static_cast<std::size_t>(i)]->SetPicture(pictures[r % 2][static_cast<std::size_t>(i)]);
    });
    Measure("tile SetPicture, the same bytes again", 20, kCount, [&](int) {
        for (int i = 0; i < kCount; ++i) tiles[static_cast<std::size_t>(i)]->SetPicture(pictures[0][static_cast<std::size_t>(i)]);
    });

    Measure("tile show + hide (suspended, one repaint)", 20, 2 * kCount, [&](int) {
        window->SuspendRedraw();
        for (Control* t : tiles) t->SetVisible(true);
        window->ResumeRedraw();
        UpdateWindow(window->Handle());
        window->SuspendRedraw();
        for (Control* t : tiles) t->SetVisible(false);
        window->ResumeRedraw();
        UpdateWindow(window->Handle());
    });
    Measure("STATIC show + hide (suspended, one repaint)", 20, 2 * kCount, [&](int) {
        SendMessageW(window->Handle(), WM_SETREDRAW, FALSE, 0);
        for (HWND s : statics) ShowWindow(s, SW_SHOWNA);
        SendMessageW(window->Handle(), WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window->Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendMessageW(window->Handle(), WM_SETREDRAW, FALSE, 0);
        for (HWND s : statics) ShowWindow(s, SW_HIDE);
        SendMessageW(window->Handle(), WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window->Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });

    for (Control* t : tiles) t->SetVisible(true);
    for (HWND s : statics) ShowWindow(s, SW_HIDE);
    Measure("tile move, shown (suspended, one repaint)", 20, kCount, [&](int r) {
        window->SuspendRedraw();
        for (int i = 0; i < kCount; ++i) tiles[static_cast<std::size_t>(i)]->Move(cellLeft(i, r), cellTop(i, r));
        window->ResumeRedraw();
        UpdateWindow(window->Handle());
    });
    Measure("tile move, shown (no suspension, repaint each)", 5, kCount, [&](int r) {
        for (int i = 0; i < kCount; ++i) {
            tiles[static_cast<std::size_t>(i)]->Move(cellLeft(i, r), cellTop(i, r));
            UpdateWindow(window->Handle());
        }
    });
    for (Control* t : tiles) t->SetVisible(false);
    for (HWND s : statics) ShowWindow(s, SW_SHOWNA);
    Measure("STATIC move, shown (suspended, one repaint)", 20, kCount, [&](int r) {
        SendMessageW(window->Handle(), WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < kCount; ++i) {
            SetWindowPos(statics[static_cast<std::size_t>(i)], nullptr, cellLeft(i, r), cellTop(i, r), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        SendMessageW(window->Handle(), WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window->Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });

    for (HWND s : statics) ShowWindow(s, SW_HIDE);
    for (Control* t : tiles) t->SetVisible(true);
    Measure("tile repaint (100 tiles shown, RDW_UPDATENOW)", 20, kCount, [&](int) {
        RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
    return 0;
}
