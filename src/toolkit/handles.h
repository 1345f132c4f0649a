#pragma once
// One move-only owner per kind of Windows handle. Nothing else in the program
// calls CloseHandle, DeleteObject, DestroyIcon, ReleaseDC, EndPaint, RegCloseKey
// or Release by hand.
#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace orv {

// Generic owner: Traits gives the null value and how to free one handle.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }
    [[nodiscard]] Handle release() { return std::exchange(handle_, Traits::Null()); }
    void reset(Handle handle = Traits::Null()) {
        Handle old = std::exchange(handle_, handle);
        if (Traits::IsValid(old)) Traits::Free(old);
    }

private:
    Handle handle_ = Traits::Null();
};

struct KernelHandleTraits {  // events, mutexes, threads, timers, processes
    using Handle = HANDLE;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Free(Handle h) { CloseHandle(h); }
};
struct FileHandleTraits : KernelHandleTraits {  // CreateFile gives INVALID_HANDLE_VALUE
    static Handle Null() { return INVALID_HANDLE_VALUE; }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Free(Handle h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Free(Handle h) { DeleteDC(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Free(Handle h) { DestroyIcon(h); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Free(Handle h) { RegCloseKey(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Free(Handle h) { FreeLibrary(h); }
};
struct LocalMemoryTraits {
    using Handle = HLOCAL;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Free(Handle h) { LocalFree(h); }
};
struct CoTaskMemoryTraits {
    using Handle = void*;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Free(Handle h) { CoTaskMemFree(h); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using GdiObject = UniqueHandle<GdiObjectTraits>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;
using LocalMemory = UniqueHandle<LocalMemoryTraits>;
using CoTaskMemory = UniqueHandle<CoTaskMemoryTraits>;

// GetDC / ReleaseDC for one window (nullptr: the screen).
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &ps_); }
    HDC dc() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// SelectObject that puts the previous object back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    ~SelectScope() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A COM interface pointer that is released once.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // For out-parameters of creating calls: releases what is held first.
    T** put() {
        reset();
        return &ptr_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (ptr_) std::exchange(ptr_, nullptr)->Release();
    }

private:
    T* ptr_ = nullptr;
};

// CoInitializeEx / CoUninitialize on the calling thread.
class ComScope {
public:
    explicit ComScope(DWORD model = COINIT_APARTMENTTHREADED)
        : ok_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (ok_) CoUninitialize();
    }

private:
    bool ok_;
};

}  // namespace orv
