// Windows built from a design: controls, clones, properties and the events
// that messages to them raise.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "toolkit_fixture.h"

namespace orv::ui::testing {
namespace {

class ToolkitWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = Window::Create(TestDesign(), recorder);
        ASSERT_TRUE(window);
    }
    Control& Get(std::string_view name) {
        Control* control = window->Find(name);
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }

    Recorder recorder;
    WindowPtr window;
};

TEST_F(ToolkitWindow, CreateBuildsEveryDesignControlAndRaisesCreated) {
    EXPECT_EQ(recorder.Count(EventKind::Created), 1);
    EXPECT_EQ(window->Controls().size(), 6u);
    wchar_t className[64] = {};
    GetClassNameW(window->Handle(), className, 64);
    EXPECT_STREQ(className, L"OrvantoToolkitTest");
    EXPECT_EQ(GetWindowLongW(window->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_TRUE(GetWindowLongW(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(GetWindow(window->Handle(), GW_OWNER), nullptr);  // no taskbar button
    EXPECT_EQ(GetParent(Get("Button").Handle()), Get("Bar").Handle());
    EXPECT_EQ(GetParent(Get("Edit").Handle()), Get("Bar").Handle());
    EXPECT_EQ(GetParent(Get("Tile").Handle()), window->Handle());
    EXPECT_EQ(window->Find("Nothing"), nullptr);
}

TEST_F(ToolkitWindow, ControlsHaveUniqueIdsAndTheirCaptionAsWindowText) {
    std::vector<LONG> ids;
    for (Control* control : window->Controls()) {
        const LONG id = GetWindowLongW(control->Handle(), GWL_ID);
        EXPECT_EQ(std::count(ids.begin(), ids.end(), id), 0) << control->Name();
        ids.push_back(id);
    }
    EXPECT_EQ(WindowText(Get("Button").Handle()), L"\u521D\u59CB\u5316");
    EXPECT_EQ(WindowText(Get("Title").Handle()), L"Orvanto   V1.1");
}

TEST_F(ToolkitWindow, CloneCopiesTheTemplateWithAnEmptyTagAndItsOwnId) {
    Control& tile = Get("Tile");
    tile.SetTag("template");
    tile.SetPicture(SolidBmp(16, 16, {255, 0, 0}));
    Control& clone = window->Clone(tile);
    EXPECT_NE(&clone, &tile);
    EXPECT_EQ(clone.Name(), "Tile");
    EXPECT_EQ(clone.Kind(), ControlKind::Tile);
    EXPECT_EQ(clone.Tag(), "");
    EXPECT_FALSE(clone.Visible());
    EXPECT_FALSE(IsWindowVisible(clone.Handle()));
    EXPECT_EQ(clone.Place(), tile.Place());
    EXPECT_EQ(clone.Caption(), tile.Caption());
    EXPECT_TRUE(clone.HasPicture());
    EXPECT_NE(GetWindowLongW(clone.Handle(), GWL_ID), GetWindowLongW(tile.Handle(), GWL_ID));
    EXPECT_EQ(window->Find("Tile"), &tile);  // Find gives the design control
    EXPECT_EQ(window->Controls().size(), 7u);

    Control& inFrame = window->Clone(Get("Button"));
    EXPECT_EQ(GetParent(inFrame.Handle()), Get("Bar").Handle());
    EXPECT_TRUE(inFrame.Visible());  // its template is shown, so is it
}

TEST_F(ToolkitWindow, PlaceVisibilityAndTagRoundTrip) {
    struct Case {
        Rect place;
        bool visible;
        const char* tag;
    };
    const Case cases[] = {
        {{0, 0, 75, 80}, true, "1"},
        {{300, 200, 75, 80}, false, "100"},
        {{-20, -30, 10, 10}, true, ""},
        {{5, 6, 1, 1}, false, "标签"},
    };
    Control& tile = window->Clone(Get("Tile"));
    for (const Case& c : cases) {
        tile.SetPlace(c.place);
        tile.SetVisible(c.visible);
        tile.SetTag(c.tag);
        EXPECT_EQ(tile.Place(), c.place);
        EXPECT_EQ(tile.Visible(), c.visible);
        EXPECT_EQ(tile.Tag(), c.tag);
        RECT r{};
        GetWindowRect(tile.Handle(), &r);
        MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(FromRECT(r), c.place);
        EXPECT_EQ((GetWindowLongW(tile.Handle(), GWL_STYLE) & WS_VISIBLE) != 0, c.visible);
    }
    tile.Move(40, 50);
    EXPECT_EQ(tile.Place(), (Rect{40, 50, 1, 1}));
}

TEST_F(ToolkitWindow, CaptionsGoThroughCodePage936) {
    struct Case {
        const char* local;
        const wchar_t* wide;
    };
    const Case cases[] = {
        {"删除", L"\u5220\u9664"},
        {"Orvanto   V1.1", L"Orvanto   V1.1"},
        {"", L""},
        {"我的电脑 (2)", L"\u6211\u7684\u7535\u8111 (2)"},
    };
    for (const char* name : {"Button", "Tile", "Title", "Edit"}) {
        Control& control = Get(name);
        for (const Case& c : cases) {
            control.SetCaption(c.local);
            EXPECT_EQ(control.Caption(), c.local) << name;
            EXPECT_EQ(WindowText(control.Handle()), c.wide) << name;
        }
    }
}

TEST_F(ToolkitWindow, EditContentTypedIntoTheBoxIsItsCaption) {
    Control& edit = Get("Edit");
    SetWindowTextW(edit.Handle(), L"\u65B0\u540D");
    EXPECT_EQ(edit.Caption(), "新名");
    edit.SelectAllText();
    DWORD start = 1, end = 0;
    SendMessageW(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);
}

TEST_F(ToolkitWindow, ColoursRoundTrip) {
    Control& button = Get("Button");
    EXPECT_EQ(button.Colors().outside, kOutside);
    EXPECT_EQ(button.Colors().over, kOver);
    EXPECT_EQ(button.Colors().focused, kFocused);
    button.SetOutsideColor({1, 2, 3});
    button.SetOverColor({4, 5, 6});
    EXPECT_EQ(button.Colors().outside, (Color{1, 2, 3}));
    EXPECT_EQ(button.Colors().over, (Color{4, 5, 6}));
    EXPECT_EQ(button.Colors().focused, kFocused);
    button.SetColors({{7, 8, 9}, {10, 11, 12}, {13, 14, 15}});
    EXPECT_EQ(button.Colors().focused, (Color{13, 14, 15}));
    // An edit box left at the default colours gets the current-item colour.
    EXPECT_EQ(Get("Edit").Colors().outside, (Color{29, 45, 65}));
}

TEST_F(ToolkitWindow, PressAndReleaseInsideRaiseDownUpAndClicked) {
    Control& button = Get("Button");
    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12));
    EXPECT_EQ(GetCapture(), button.Handle());
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(11, 13));
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_EQ(recorder.Count(EventKind::LeftDown, "Button"), 1);
    ASSERT_EQ(recorder.Count(EventKind::LeftUp, "Button"), 1);
    ASSERT_EQ(recorder.Count(EventKind::Clicked, "Button"), 1);
    EXPECT_EQ(recorder.Last(EventKind::LeftDown)->point, (Point{10, 12}));
    EXPECT_EQ(recorder.Last(EventKind::Clicked)->point, (Point{11, 13}));
    EXPECT_TRUE(recorder.Last(EventKind::Clicked)->onControl);
    // Clicked comes after LeftUp.
    EXPECT_EQ(recorder.events.back().kind, EventKind::Clicked);
}

TEST_F(ToolkitWindow, ReleaseOutsideTheControlIsNoClick) {
    Control& button = Get("Button");
    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12));
    SendMessageW(button.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 12));
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 12));
    EXPECT_EQ(recorder.Count(EventKind::MouseMove, "Button"), 1);
    EXPECT_EQ(recorder.Last(EventKind::MouseMove)->point, (Point{200, 12}));
    EXPECT_EQ(recorder.Count(EventKind::LeftUp, "Button"), 1);
    EXPECT_EQ(recorder.Count(EventKind::Clicked), 0);
}

TEST_F(ToolkitWindow, ReleaseWithoutPressIsNoClick) {
    SendMessageW(Get("Button").Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(recorder.Count(EventKind::LeftUp, "Button"), 1);
    EXPECT_EQ(recorder.Count(EventKind::Clicked), 0);
}

TEST_F(ToolkitWindow, ClonesRaiseTheirTemplatesNameAndCarryTheirTag) {
    Control& clone = window->Clone(Get("Tile"));
    clone.SetTag("7");
    recorder.action = [](const Event& e) {
        if (e.kind == EventKind::RightUp) {
            EXPECT_EQ(e.control->Tag(), "7");
        }
    };
    PostMessageW(clone.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(3, 4));
    ProcessPendingMessages();
    ASSERT_EQ(recorder.Count(EventKind::RightUp, "Tile"), 1);
    EXPECT_EQ(recorder.Last(EventKind::RightUp)->point, (Point{3, 4}));
}

TEST_F(ToolkitWindow, MessagesOnTheSurfaceAreTheWindowsOwnEvents) {
    SendMessageW(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(390, 150));
    SendMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(390, 150));
    SendMessageW(window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(391, 151));
    SendMessageW(window->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 6));
    SendMessageW(window->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    for (EventKind kind : {EventKind::MouseMove, EventKind::LeftDown, EventKind::LeftUp,
                           EventKind::RightUp, EventKind::KeyDown}) {
        const Recorded* e = recorder.Last(kind);
        ASSERT_NE(e, nullptr);
        EXPECT_FALSE(e->onControl);
        EXPECT_EQ(e->name, "");
    }
    EXPECT_EQ(recorder.Last(EventKind::LeftUp)->point, (Point{391, 151}));
    EXPECT_EQ(recorder.Last(EventKind::KeyDown)->value, VK_ESCAPE);
}

TEST_F(ToolkitWindow, KeysOnAFocusedButtonAreTheWindowsKeys) {
    SendMessageW(Get("Button").Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    const Recorded* e = recorder.Last(EventKind::KeyDown);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(e->onControl);
    EXPECT_EQ(e->value, VK_ESCAPE);
}

TEST_F(ToolkitWindow, EditRaisesKeyDownAndSwallowsEnterAndEscape) {
    Control& edit = Get("Edit");
    edit.SetCaption("ab");
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(edit.Handle(), WM_CHAR, VK_RETURN, 0);
    SendMessageW(edit.Handle(), WM_CHAR, VK_ESCAPE, 0);
    SendMessageW(edit.Handle(), WM_CHAR, L'c', 0);
    ASSERT_EQ(recorder.Count(EventKind::KeyDown, "Edit"), 1);
    EXPECT_EQ(recorder.Last(EventKind::KeyDown)->value, 13);
    EXPECT_TRUE(recorder.Last(EventKind::KeyDown)->onControl);
    // Only the plain character became text.
    EXPECT_EQ(edit.Caption().size(), 3u);
    EXPECT_NE(edit.Caption().find('c'), std::string::npos);
}

TEST_F(ToolkitWindow, EditRaisesLostFocus) {
    SendMessageW(Get("Edit").Handle(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(recorder.Count(EventKind::LostFocus, "Edit"), 1);
}

TEST_F(ToolkitWindow, EditColoursComeFromItsOutsideColour) {
    Control& edit = Get("Edit");
    edit.SetOutsideColor({10, 20, 30});
    WindowDc dc(edit.Handle());
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        Get("Bar").Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
        reinterpret_cast<LPARAM>(edit.Handle())));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH info{};
    GetObjectW(brush, sizeof(info), &info);
    EXPECT_EQ(info.lbColor, RGB(10, 20, 30));
    EXPECT_EQ(GetTextColor(dc.get()), RGB(236, 236, 236));
    EXPECT_EQ(GetBkColor(dc.get()), RGB(10, 20, 30));
}

TEST_F(ToolkitWindow, TrayMessagesBecomeTrayEvents) {
    struct Case {
        UINT mouse;
        int value;  // 0: no event
    };
    const Case cases[] = {
        {WM_LBUTTONUP, 1},    {WM_LBUTTONDBLCLK, 2}, {WM_RBUTTONUP, 3},
        {WM_CONTEXTMENU, 3},  {WM_LBUTTONDOWN, 0},   {WM_RBUTTONDOWN, 0},
        {WM_MOUSEMOVE, 0},
    };
    for (const Case& c : cases) {
        recorder.events.clear();
        SendMessageW(window->Handle(), WM_APP + 1, 1, c.mouse);
        if (c.value == 0) {
            EXPECT_EQ(recorder.Count(EventKind::Tray), 0) << c.mouse;
        } else {
            ASSERT_EQ(recorder.Count(EventKind::Tray), 1) << c.mouse;
            EXPECT_EQ(recorder.Last(EventKind::Tray)->value, c.value);
            EXPECT_FALSE(recorder.Last(EventKind::Tray)->onControl);
        }
    }
}

TEST_F(ToolkitWindow, WindowGeometryRoundTrips) {
    window->SetBounds({30, 40, 500, 350});
    EXPECT_EQ(window->Bounds(), (Rect{30, 40, 500, 350}));
    EXPECT_GE(recorder.Count(EventKind::SizeChanged), 1);
    EXPECT_GE(recorder.Count(EventKind::PositionChanged), 1);
    window->MoveTo(-20, 5);
    EXPECT_EQ(window->Left(), -20);
    EXPECT_EQ(window->Top(), 5);
    window->SetSize(234, 151);
    EXPECT_EQ(window->Width(), 234);
    EXPECT_EQ(window->Height(), 151);
    window->SetLeft(7);
    window->SetTop(8);
    EXPECT_EQ(window->Bounds(), (Rect{7, 8, 234, 151}));
}

TEST_F(ToolkitWindow, SizeChangedIsRaisedAtOnceForASizeTheProgramSets) {
    int seenWidth = 0;
    recorder.action = [&](const Event& e) {
        if (e.kind == EventKind::SizeChanged) seenWidth = e.window->Width();
    };
    window->SetSize(321, 222);
    EXPECT_EQ(seenWidth, 321);
}

TEST_F(ToolkitWindow, PropertiesOfTheWindow) {
    window->SetDisabled(true);
    EXPECT_TRUE(window->Disabled());
    window->SetDisabled(false);
    EXPECT_FALSE(window->Disabled());
    for (CursorKind kind : {CursorKind::SizeWE, CursorKind::SizeNS, CursorKind::SizeNWSE,
                            CursorKind::Default}) {
        window->SetCursor(kind);
        EXPECT_EQ(window->Cursor(), kind);
    }
    window->SetDragToMove(true);
    EXPECT_TRUE(window->DragToMove());
    window->SetDragToMove(false);
    EXPECT_FALSE(window->DragToMove());
    EXPECT_EQ(window->Name(), "ToolkitTest");
}

TEST_F(ToolkitWindow, MinimizeHidesAndRestoreShowsAgain) {
    window->Show();
    EXPECT_FALSE(window->Minimized());
    window->Minimize();
    EXPECT_TRUE(window->Minimized());
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(recorder.Count(EventKind::Destroyed), 0);
    window->Restore();
    EXPECT_FALSE(window->Minimized());
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
}

TEST_F(ToolkitWindow, DestroyRaisesDestroyedAndKeepsTheObject) {
    HWND hwnd = window->Handle();
    window->Destroy();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(window->Alive());
    EXPECT_EQ(window->Handle(), nullptr);
    EXPECT_EQ(recorder.Count(EventKind::Destroyed), 1);
    // Calls on a window whose HWND is gone do nothing.
    window->Show();
    window->MoveTo(1, 1);
    Control& tile = *window->Find("Tile");
    tile.SetCaption("x");
    tile.SetVisible(true);
    EXPECT_EQ(tile.Handle(), nullptr);
    window->Clone(tile);
}

}  // namespace
}  // namespace orv::ui::testing
