#pragma once
// A small real window for the toolkit tests: a frame with a button and an
// edit box, a tile template, a label and a picture box, plus a handler that
// records every event and may run an action on one.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/handles.h"
#include "toolkit/toolkit.h"
#include "toolkit/win_types.h"

namespace orv::ui::testing {

struct Recorded {
    EventKind kind;
    std::string name;
    bool onControl = false;
    Point point;
    int value = 0;
};

class Recorder final : public EventHandler {
public:
    void OnEvent(const Event& event) noexcept override {
        events.push_back({event.kind, std::string(event.name), event.control != nullptr,
                          event.point, event.value});
        if (action) action(event);
    }
    int Count(EventKind kind, std::string_view name = {}) const {
        int n = 0;
        for (const Recorded& e : events) n += e.kind == kind && (name.empty() || e.name == name);
        return n;
    }
    const Recorded* Last(EventKind kind) const {
        for (auto it = events.rbegin(); it != events.rend(); ++it) {
            if (it->kind == kind) return &*it;
        }
        return nullptr;
    }

    std::vector<Recorded> events;
    std::function<void(const Event&)> action;
};

inline constexpr Color kOutside{50, 65, 85};
inline constexpr Color kOver{65, 85, 112};
inline constexpr Color kFocused{29, 45, 65};

inline WindowDesign TestDesign() {
    WindowDesign design;
    design.name = "ToolkitTest";
    design.place = {100, 100, 400, 300};
    design.background = kOutside;
    design.topmost = true;
    design.noTaskbarButton = true;

    ControlDesign bar;
    bar.name = "Bar";
    bar.kind = ControlKind::Frame;
    bar.place = {0, 29, 300, 27};
    bar.background = {kOutside, kOutside, kOutside};

    ControlDesign button;
    button.name = "Button";
    button.kind = ControlKind::Button;
    button.parent = "Bar";
    button.place = {1, 1, 90, 25};
    button.caption = "初始化";
    button.background = {kOutside, kOver, kFocused};

    ControlDesign edit;
    edit.name = "Edit";
    edit.kind = ControlKind::Edit;
    edit.parent = "Bar";
    edit.place = {150, 3, 80, 20};
    edit.visible = false;

    ControlDesign tile;
    tile.name = "Tile";
    tile.kind = ControlKind::Tile;
    tile.place = {1, 61, 75, 80};
    tile.visible = false;
    tile.caption = "我是图标";
    tile.background = {kOutside, kFocused, kOutside};

    ControlDesign label;
    label.name = "Title";
    label.kind = ControlKind::Label;
    label.place = {10, 3, 245, 24};
    label.caption = "Orvanto   V1.1";

    ControlDesign marker;
    marker.name = "Marker";
    marker.kind = ControlKind::PictureBox;
    marker.place = {80, 65, 2, 80};
    marker.visible = false;
    marker.background = {Color{236, 236, 236}, Color{236, 236, 236}, Color{236, 236, 236}};

    // The button comes before its frame on purpose: frames are made first.
    design.controls = {button, bar, edit, tile, label, marker};
    return design;
}

// A 32-bit top-down BMP file of one opaque colour.
inline std::vector<std::uint8_t> SolidBmp(int width, int height, Color color) {
    const std::uint32_t pixels = static_cast<std::uint32_t>(width * height);
    const std::uint32_t fileSize = 14 + 40 + pixels * 4;
    std::vector<std::uint8_t> bytes;
    auto put16 = [&](std::uint32_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put16(0x4D42);
    put32(fileSize);
    put32(0);
    put32(14 + 40);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(-height));
    put16(1);
    put16(32);
    put32(0);  // BI_RGB
    put32(pixels * 4);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (std::uint32_t i = 0; i < pixels; ++i) {
        bytes.push_back(color.blue);
        bytes.push_back(color.green);
        bytes.push_back(color.red);
        bytes.push_back(255);
    }
    return bytes;
}

// The colour of one pixel of a control as it paints itself into a bitmap.
inline Color PaintedPixel(HWND control, int x, int y) {
    RECT client{};
    GetClientRect(control, &client);
    WindowDc screen(nullptr);
    MemoryDc memory(CreateCompatibleDC(screen.get()));
    GdiObject bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    SelectScope select(memory.get(), bitmap.get());
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
    return FromColorRef(GetPixel(memory.get(), x, y));
}

// The colour of one pixel of a shown control as it is on the screen.
inline Color ScreenPixel(HWND control, int x, int y) {
    UpdateWindow(control);
    WindowDc dc(control);
    return FromColorRef(GetPixel(dc.get(), x, y));
}

inline std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

}  // namespace orv::ui::testing
