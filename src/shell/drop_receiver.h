#pragma once
// Makes a window accept files dropped from the Explorer without the window's
// own code knowing about it: the receiver subclasses the window, takes
// WM_DROPFILES, reads every dropped path and hands each to a callback; every
// other message goes on to the window's procedure unchanged.
#include <windows.h>
#include <shellapi.h>

namespace orv {

// Called once per dropped path with the zero-terminated path text.
using DropCallback = void (*)(const char* path);

class DropReceiver {
public:
    DropReceiver() = default;
    DropReceiver(const DropReceiver&) = delete;
    DropReceiver& operator=(const DropReceiver&) = delete;
    ~DropReceiver();  // Detach

    // Subclasses the window and makes it accept files (also from a program
    // with lower rights when this one runs elevated). Returns the window
    // procedure in place before. Paths are always read as UTF-16: with
    // wideNames 0 the callback gets local text (code page 936) and a path
    // without a code page 936 form is skipped; with wideNames 1 it gets UTF-8
    // and nothing is skipped. One Attach per receiver until Detach.
    WNDPROC Attach(HWND window, DropCallback callback, int wideNames);
    // The window no longer accepts files and its procedure is as before.
    // Harmless on a window that is already gone.
    void Detach();
    // The subclass's handling of one message.
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND AttachedWindow() const { return Window; }
    bool Attached() const { return Subclassed; }

private:
    void DeliverDrop(HDROP drop);

    HWND Window = nullptr;
    bool Subclassed = false;
    WNDPROC PreviousProc = nullptr;
    DropCallback Callback = nullptr;
    int WideNames = 0;
};

}  // namespace orv
