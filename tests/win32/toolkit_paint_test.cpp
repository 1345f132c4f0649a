// What the controls paint: per-state backgrounds, captions, pictures, and
// redraw suspended around bulk moves.
#include <gtest/gtest.h>

#include "toolkit_fixture.h"

namespace orv::ui::testing {
namespace {

class ToolkitPaint : public ::testing::Test {
protected:
    void SetUp() override {
        window = Window::Create(TestDesign(), recorder);
        ASSERT_TRUE(window);
        window->Show();
        UpdateWindow(window->Handle());
    }
    Control& Get(std::string_view name) { return *window->Find(name); }

    Recorder recorder;
    WindowPtr window;
};

bool IsBright(Color c) { return c.red > 150 && c.green > 150 && c.blue > 150; }

TEST_F(ToolkitPaint, ButtonBackgroundFollowsItsState) {
    HWND button = Get("Button").Handle();
    EXPECT_EQ(PaintedPixel(button, 2, 2), kOutside);
    SetFocus(button);
    EXPECT_EQ(PaintedPixel(button, 2, 2), kFocused);
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(PaintedPixel(button, 2, 2), kOver);  // over wins over focus
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(PaintedPixel(button, 2, 2), kFocused);
    SetFocus(window->Handle());
    EXPECT_EQ(PaintedPixel(button, 2, 2), kOutside);
}

TEST_F(ToolkitPaint, ButtonOnTheScreenShowsItsOutsideAndOverColours) {
    HWND button = Get("Button").Handle();
    EXPECT_EQ(ScreenPixel(button, 2, 2), kOutside);
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    // Repainted at once: no UpdateWindow needed.
    WindowDc dc(button);
    EXPECT_EQ(FromColorRef(GetPixel(dc.get(), 2, 2)), kOver);
}

TEST_F(ToolkitPaint, ChangedColoursAreOnTheScreenAtOnce) {
    Control& button = Get("Button");
    button.SetOutsideColor({200, 10, 10});
    WindowDc dc(button.Handle());
    EXPECT_EQ(FromColorRef(GetPixel(dc.get(), 2, 2)), (Color{200, 10, 10}));
    button.SetColors({{10, 200, 10}, kOver, kFocused});
    EXPECT_EQ(FromColorRef(GetPixel(dc.get(), 2, 2)), (Color{10, 200, 10}));
}

TEST_F(ToolkitPaint, ButtonCaptionIsDrawnInTheCaptionColour) {
    HWND button = Get("Button").Handle();
    bool bright = false;
    for (int x = 20; x < 70 && !bright; ++x) {
        for (int y = 5; y < 20 && !bright; ++y) bright = IsBright(PaintedPixel(button, x, y));
    }
    EXPECT_TRUE(bright);
}

TEST_F(ToolkitPaint, TileShowsItsPictureCentredAndItsCaptionBelow) {
    Control& tile = window->Clone(Get("Tile"));
    tile.SetPicture(SolidBmp(48, 48, {255, 0, 0}));  // scaled down to 32 x 32
    tile.SetVisible(true);
    HWND h = tile.Handle();
    EXPECT_EQ(PaintedPixel(h, 1, 1), kOutside);
    EXPECT_EQ(PaintedPixel(h, 37, 24), (Color{255, 0, 0}));
    EXPECT_EQ(PaintedPixel(h, 21, 8), (Color{255, 0, 0}));    // top-left of the area
    EXPECT_EQ(PaintedPixel(h, 52, 39), (Color{255, 0, 0}));   // bottom-right
    EXPECT_EQ(PaintedPixel(h, 20, 24), kOutside);
    EXPECT_EQ(PaintedPixel(h, 37, 41), kOutside);
    int bright = 0;
    for (int x = 2; x < 73; ++x) {
        for (int y = 46; y < 78; ++y) bright += IsBright(PaintedPixel(h, x, y));
    }
    EXPECT_GT(bright, 10);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(PaintedPixel(h, 1, 1), kFocused);  // the tile's over colour
}

TEST_F(ToolkitPaint, AHiddenTileComesBackInItsOutsideColour) {
    Control& tile = window->Clone(Get("Tile"));
    tile.SetVisible(true);
    SendMessageW(tile.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(PaintedPixel(tile.Handle(), 1, 1), kFocused);
    tile.SetVisible(false);
    tile.SetVisible(true);
    EXPECT_EQ(PaintedPixel(tile.Handle(), 1, 1), kOutside);
}

TEST_F(ToolkitPaint, ANewOverColourShowsWhileTheMouseIsOver) {
    HWND button = Get("Button").Handle();
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Get("Button").SetOverColor({1, 99, 1});
    WindowDc dc(button);
    EXPECT_EQ(FromColorRef(GetPixel(dc.get(), 2, 2)), (Color{1, 99, 1}));
}

TEST_F(ToolkitPaint, SmallPictureIsDrawnAtItsSize) {
    Control& tile = window->Clone(Get("Tile"));
    tile.SetPicture(SolidBmp(16, 16, {0, 0, 255}));
    HWND h = tile.Handle();
    EXPECT_EQ(PaintedPixel(h, 37, 24), (Color{0, 0, 255}));
    EXPECT_EQ(PaintedPixel(h, 29, 16), (Color{0, 0, 255}));
    EXPECT_EQ(PaintedPixel(h, 28, 16), kOutside);
    EXPECT_EQ(PaintedPixel(h, 37, 15), kOutside);
}

TEST_F(ToolkitPaint, SettingNoPictureClearsIt) {
    Control& tile = window->Clone(Get("Tile"));
    tile.SetPicture(SolidBmp(16, 16, {0, 0, 255}));
    EXPECT_TRUE(tile.HasPicture());
    tile.SetPicture(SolidBmp(16, 16, {0, 0, 255}));  // the same bytes again
    EXPECT_TRUE(tile.HasPicture());
    tile.SetPicture({});
    EXPECT_FALSE(tile.HasPicture());
    EXPECT_EQ(PaintedPixel(tile.Handle(), 37, 24), kOutside);
    const std::uint8_t garbage[] = {1, 2, 3, 4, 5};
    tile.SetPicture(garbage);
    EXPECT_FALSE(tile.HasPicture());
}

TEST_F(ToolkitPaint, LabelFrameAndPictureBoxFillTheirColours) {
    EXPECT_EQ(PaintedPixel(Get("Title").Handle(), 240, 1), kOutside);  // the window's colour
    EXPECT_EQ(PaintedPixel(Get("Marker").Handle(), 1, 40), (Color{236, 236, 236}));
    Control& bar = Get("Bar");
    bar.SetOutsideColor({90, 0, 90});
    EXPECT_EQ(PaintedPixel(bar.Handle(), 299, 26), (Color{90, 0, 90}));
}

TEST_F(ToolkitPaint, ImageButtonFallsBackToItsFirstPictureInEveryState) {
    WindowDesign design = TestDesign();
    design.name = "ToolkitImageButton";
    ControlDesign close;
    close.name = "Close";
    close.kind = ControlKind::ImageButton;
    close.place = {370, 7, 20, 20};
    close.pictures = {4242, 0, 0, 0};  // no such resource: no picture
    design.controls.push_back(close);
    Recorder events;
    WindowPtr w = Window::Create(design, events);
    Control& button = *w->Find("Close");
    EXPECT_FALSE(button.HasPicture());
    EXPECT_EQ(PaintedPixel(button.Handle(), 10, 10), kOutside);  // the window's colour
    button.SetPicture(SolidBmp(16, 16, {212, 35, 122}));
    EXPECT_EQ(PaintedPixel(button.Handle(), 10, 10), (Color{212, 35, 122}));
    EXPECT_EQ(PaintedPixel(button.Handle(), 1, 1), kOutside);  // centred, 2 px around
    SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(PaintedPixel(button.Handle(), 10, 10), (Color{212, 35, 122}));
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(events.Count(EventKind::Clicked, "Close"), 1);
}

TEST_F(ToolkitPaint, LabelLetsPressesThroughToTheWindow) {
    HWND label = Get("Title").Handle();
    EXPECT_EQ(SendMessageW(label, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_NE(SendMessageW(Get("Button").Handle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST_F(ToolkitPaint, SuspendedRedrawAroundMovingAHundredClones) {
    Control& tile = Get("Tile");
    std::vector<Control*> clones;
    for (int i = 0; i < 100; ++i) clones.push_back(&window->Clone(tile));
    window->SuspendRedraw();
    window->SuspendRedraw();  // nests
    for (int i = 0; i < 100; ++i) {
        clones[static_cast<std::size_t>(i)]->Move(1 + (i % 5) * 75, 61 + (i / 5) * 80);
        clones[static_cast<std::size_t>(i)]->SetVisible(i < 12);
    }
    window->ResumeRedraw();
    EXPECT_FALSE(IsWindowVisible(window->Handle()));  // still suspended
    window->ResumeRedraw();
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    window->ResumeRedraw();  // unbalanced: ignored
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    UpdateWindow(window->Handle());
    EXPECT_EQ(clones[7]->Place(), (Rect{151, 141, 75, 80}));
    EXPECT_TRUE(IsWindowVisible(clones[11]->Handle()));
    EXPECT_FALSE(IsWindowVisible(clones[12]->Handle()));
    EXPECT_EQ(ScreenPixel(clones[11]->Handle(), 1, 1), kOutside);
}

TEST_F(ToolkitPaint, SuspendingAHiddenWindowDoesNotShowIt) {
    Recorder events;
    WindowDesign design = TestDesign();
    design.name = "ToolkitHidden";
    WindowPtr hidden = Window::Create(design, events);
    hidden->SuspendRedraw();
    hidden->ResumeRedraw();
    EXPECT_FALSE(IsWindowVisible(hidden->Handle()));
}

TEST_F(ToolkitPaint, ShownEditBoxIsAboveLaterClones) {
    WindowDesign design = TestDesign();
    design.name = "ToolkitZOrder";
    ControlDesign edit;
    edit.name = "TileEdit";
    edit.kind = ControlKind::Edit;
    edit.place = {10, 100, 60, 20};
    edit.visible = false;
    design.controls.push_back(edit);
    Recorder events;
    WindowPtr w = Window::Create(design, events);
    Control& clone = w->Clone(*w->Find("Tile"));
    clone.Move(0, 61);
    clone.SetVisible(true);
    Control& box = *w->Find("TileEdit");
    box.SetVisible(true);
    // The edit box comes before the tile in the z-order (nearer the top).
    bool editFirst = false;
    for (HWND child = GetWindow(w->Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == box.Handle()) { editFirst = true; break; }
        if (child == clone.Handle()) break;
    }
    EXPECT_TRUE(editFirst);
}

}  // namespace
}  // namespace orv::ui::testing
