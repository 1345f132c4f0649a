#pragma once
// One running copy per run directory. The copy holds a named mutex derived
// from its run directory and marks its main window with a property of the
// same derivation; a second start of the same copy finds that window, asks it
// to come back and ends. A copy in another folder runs beside it.
#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/handles.h"

namespace orv {

// "Orvanto-" + MD5 hex of the lower-cased run directory.
std::wstring InstanceKey(std::string_view runDirectory);

struct InstanceClaim {
    KernelHandle mutex;           // held for the life of the process
    bool alreadyRunning = false;  // another process holds it: this start ends
};
// Takes the instance mutex ("Local\" + key). A mutex that cannot be made
// at all does not stop the program.
[[nodiscard]] InstanceClaim ClaimInstance(std::string_view runDirectory);

// Finds the running copy's main window (waiting up to waitMilliseconds while
// it is still being created) and posts it the bring-back message. False when
// no window was found.
bool BringBackRunningInstance(std::string_view runDirectory, DWORD waitMilliseconds = 5000);

// Marks the window as this copy's and calls bringBack on the UI thread when
// another start asks for it. The mark and the subclass go with the window.
bool ServeBringBack(HWND window, std::string_view runDirectory, void (*bringBack)());

// The registered message a second start posts ("Orvanto.BringBack").
UINT BringBackMessage();

}  // namespace orv
