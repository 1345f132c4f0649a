#include "shell/single_instance.h"

#include <commctrl.h>

#include <memory>

#include "model/md5.h"
#include "model/text.h"

namespace orv {

namespace {

constexpr UINT_PTR kSubclassId = 0x4F53;
constexpr wchar_t kMainWindowClass[] = L"OrvantoMainWindow";
constexpr DWORD kFindInterval = 100;

std::wstring PropertyName(std::string_view runDirectory) {
    return L"Orvanto.Instance." + InstanceKey(runDirectory);
}

struct BringBackSubclass {
    void (*bringBack)() = nullptr;
    std::wstring property;
};

LRESULT CALLBACK BringBackProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR, DWORD_PTR data) noexcept {
    auto* state = reinterpret_cast<BringBackSubclass*>(data);
    if (message == BringBackMessage()) {
        if (state->bringBack) state->bringBack();
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, state->property.c_str());
        RemoveWindowSubclass(window, BringBackProc, kSubclassId);
        std::unique_ptr<BringBackSubclass> owned(state);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

struct Search {
    const wchar_t* property = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK FindMarked(HWND window, LPARAM parameter) noexcept {
    auto* search = reinterpret_cast<Search*>(parameter);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (lstrcmpW(className, kMainWindowClass) == 0 && GetPropW(window, search->property)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring InstanceKey(std::string_view runDirectory) {
    std::wstring wide = LocalToWide(runDirectory);
    if (!wide.empty()) CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return L"Orvanto-" + LocalToWide(Md5Hex(WideToLocal(wide)));
}

InstanceClaim ClaimInstance(std::string_view runDirectory) {
    const std::wstring name = L"Local\\" + InstanceKey(runDirectory);
    InstanceClaim claim;
    claim.mutex.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    claim.alreadyRunning = claim.mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    return claim;
}

UINT BringBackMessage() {
    static const UINT message = RegisterWindowMessageW(L"Orvanto.BringBack");
    return message;
}

bool BringBackRunningInstance(std::string_view runDirectory, DWORD waitMilliseconds) {
    const std::wstring property = PropertyName(runDirectory);
    Search search{property.c_str(), nullptr};
    for (DWORD waited = 0;; waited += kFindInterval) {
        EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&search));
        if (search.found || waited >= waitMilliseconds) break;
        Sleep(kFindInterval);
    }
    if (!search.found) return false;
    // The running copy may then take the foreground for its window.
    DWORD process = 0;
    GetWindowThreadProcessId(search.found, &process);
    AllowSetForegroundWindow(process);
    return PostMessageW(search.found, BringBackMessage(), 0, 0) != FALSE;
}

bool ServeBringBack(HWND window, std::string_view runDirectory, void (*bringBack)()) {
    // The subclass owns its state from here and frees it with the window.
    auto state = std::make_unique<BringBackSubclass>(BringBackSubclass{bringBack, PropertyName(runDirectory)});
    if (!SetWindowSubclass(window, BringBackProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(state.get())))
        return false;
    SetPropW(window, state->property.c_str(), reinterpret_cast<HANDLE>(1));
    [[maybe_unused]] BringBackSubclass* owned = state.release();
    return true;
}

}  // namespace orv
