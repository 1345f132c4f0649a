// The drop receiver on a real window: drops built the way the Explorer
// builds them (a DROPFILES block in global memory), sent as WM_DROPFILES.
#include "shell/drop_receiver.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace orv {
namespace {

std::vector<std::string> delivered;
void Collect(const char* path) { delivered.emplace_back(path); }

struct SeenMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<SeenMessage> seen;
constexpr LRESULT kOwnAnswer = 4711;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message >= WM_USER || message == WM_DROPFILES || message == WM_SIZE) {
        seen.push_back({message, wParam, lParam});
        return message >= WM_USER ? kOwnAnswer : 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* TestClass() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvantoDropReceiverTest";
        return RegisterClassW(&wc) != 0;
    }();
    return registered ? L"OrvantoDropReceiverTest" : nullptr;
}

// A drop handle as the shell makes it; the receiver's DragFinish frees it.
HDROP MakeWideDrop(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const auto& p : paths) list += p + L'\0';
    list += L'\0';
    const SIZE_T bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* head = static_cast<DROPFILES*>(GlobalLock(memory));
    head->pFiles = sizeof(DROPFILES);
    head->fWide = TRUE;
    std::memcpy(head + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

HDROP MakeAnsiDrop(const std::vector<std::string>& paths) {
    std::string list;
    for (const auto& p : paths) list += p + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* head = static_cast<DROPFILES*>(GlobalLock(memory));
    head->pFiles = sizeof(DROPFILES);
    head->fWide = FALSE;
    std::memcpy(head + 1, list.data(), list.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class DropReceiverTest : public ::testing::Test {
protected:
    void SetUp() override {
        delivered.clear();
        seen.clear();
        window_ = CreateWindowExW(0, TestClass(), L"drop", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        receiver_.Detach();
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    void Drop(HDROP drop) { SendMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); }
    LONG_PTR ExStyle() const { return GetWindowLongPtrW(window_, GWL_EXSTYLE); }
    WNDPROC Procedure() const {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC));
    }

    HWND window_ = nullptr;
    DropReceiver receiver_;
};

TEST_F(DropReceiverTest, ThreeWidePathsArriveInTheirOrder) {
    receiver_.Attach(window_, Collect, 0);
    Drop(MakeWideDrop({L"C:\\one.txt", L"D:\\two\\", L"E:\\three.lnk"}));
    EXPECT_EQ(delivered, (std::vector<std::string>{"C:\\one.txt", "D:\\two\\", "E:\\three.lnk"}));
    EXPECT_TRUE(seen.empty()) << "the drop must not reach the window's own procedure";
}

TEST_F(DropReceiverTest, ThreeAnsiPathsArriveInTheirOrder) {
    receiver_.Attach(window_, Collect, 0);
    Drop(MakeAnsiDrop({"C:\\one.txt", "D:\\two\\", "E:\\three.lnk"}));
    EXPECT_EQ(delivered, (std::vector<std::string>{"C:\\one.txt", "D:\\two\\", "E:\\three.lnk"}));
}

TEST_F(DropReceiverTest, ChinesePathArrivesAsLocalText) {
    receiver_.Attach(window_, Collect, 0);
    Drop(MakeWideDrop({L"C:\\\u5220\u9664\\\u6587\u4ef6.txt"}));
    EXPECT_EQ(delivered, (std::vector<std::string>{"C:\\删除\\文件.txt"}));
}

TEST_F(DropReceiverTest, DropWithoutItemsDeliversNothing) {
    receiver_.Attach(window_, Collect, 0);
    Drop(MakeWideDrop({}));
    EXPECT_TRUE(delivered.empty());
    EXPECT_TRUE(seen.empty());
}

TEST_F(DropReceiverTest, LongPathIsReadWhole) {
    std::wstring longPath = L"C:\\";
    while (longPath.size() < 1500) longPath += L"folder\\";
    longPath += L"end.txt";
    receiver_.Attach(window_, Collect, 0);
    Drop(MakeWideDrop({longPath}));
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0].size(), longPath.size());
    EXPECT_EQ(delivered[0].substr(delivered[0].size() - 7), "end.txt");
}

TEST_F(DropReceiverTest, PathWithoutCodePage936FormIsSkipped) {
    receiver_.Attach(window_, Collect, 0);
    Drop(MakeWideDrop({L"C:\\a.txt", L"C:\\\u0e01\u0e02.txt", L"C:\\b.txt"}));
    EXPECT_EQ(delivered, (std::vector<std::string>{"C:\\a.txt", "C:\\b.txt"}));
}

TEST_F(DropReceiverTest, WideNamesDeliverUtf8AndSkipNothing) {
    receiver_.Attach(window_, Collect, 1);
    Drop(MakeWideDrop({L"C:\\\u0e01.txt", L"C:\\\u5220.txt"}));
    EXPECT_EQ(delivered,
              (std::vector<std::string>{"C:\\\xe0\xb8\x81.txt", "C:\\\xe5\x88\xa0.txt"}));
}

TEST_F(DropReceiverTest, OtherMessagesReachTheWindowUnchanged) {
    receiver_.Attach(window_, Collect, 0);
    const LRESULT answer = SendMessageW(window_, WM_USER + 7, 123, 456);
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(80, 60));
    EXPECT_EQ(answer, kOwnAnswer);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_USER + 7));
    EXPECT_EQ(seen[0].wParam, 123u);
    EXPECT_EQ(seen[0].lParam, 456);
    EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_SIZE));
    EXPECT_EQ(seen[1].lParam, MAKELPARAM(80, 60));
}

TEST_F(DropReceiverTest, AttachMakesTheWindowAcceptFilesAndReturnsItsProcedure) {
    const WNDPROC before = Procedure();
    EXPECT_EQ(ExStyle() & WS_EX_ACCEPTFILES, 0);
    EXPECT_EQ(receiver_.Attach(window_, Collect, 0), before);
    EXPECT_NE(ExStyle() & WS_EX_ACCEPTFILES, 0);
    EXPECT_TRUE(receiver_.Attached());
}

TEST_F(DropReceiverTest, DetachStopsAcceptingAndPutsTheOldProcedureBack) {
    const WNDPROC before = Procedure();
    receiver_.Attach(window_, Collect, 0);
    receiver_.Detach();
    EXPECT_EQ(ExStyle() & WS_EX_ACCEPTFILES, 0);
    EXPECT_EQ(Procedure(), before);
    HDROP drop = MakeWideDrop({L"C:\\late.txt"});
    Drop(drop);
    EXPECT_TRUE(delivered.empty());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_DROPFILES));
    DragFinish(drop);
}

TEST_F(DropReceiverTest, DetachAfterTheWindowIsGoneIsHarmless) {
    receiver_.Attach(window_, Collect, 0);
    DestroyWindow(window_);
    EXPECT_FALSE(receiver_.Attached());
    receiver_.Detach();
    EXPECT_EQ(receiver_.AttachedWindow(), window_);
}

// The committed private regions that are writable and executable at once.
std::vector<const void*> WritableCodeRegions() {
    std::vector<const void*> regions;
    MEMORY_BASIC_INFORMATION info{};
    const char* address = nullptr;
    while (VirtualQuery(address, &info, sizeof(info)) == sizeof(info)) {
        if (info.State == MEM_COMMIT && (info.Protect & 0xFF) == PAGE_EXECUTE_READWRITE)
            regions.push_back(info.BaseAddress);
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return regions;
}

TEST_F(DropReceiverTest, AttachingAndDroppingMakeNoWritableCodePage) {
    const std::vector<const void*> before = WritableCodeRegions();
    receiver_.Attach(window_, Collect, 0);
    Drop(MakeWideDrop({L"C:\\a.txt"}));
    EXPECT_EQ(WritableCodeRegions(), before);
}

}  // namespace
}  // namespace orv
