// Loading of the program's two DLLs by absolute path, never through the
// current directory or PATH, so a planted file of the same name is not taken.
#include "json/dll_binding.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "model/run_directory.h"
#include "model/text.h"

namespace orv {
namespace {

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

// Windows 7 without KB2533623 lacks the restricted search.
bool RestrictedSearchAvailable() {
    static const bool available = [] {
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        return kernel && GetProcAddress(kernel, "SetDefaultDllDirectories") != nullptr;
    }();
    return available;
}

DWORD LoadFlags() {
    return RestrictedSearchAvailable() ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                                       : LOAD_WITH_ALTERED_SEARCH_PATH;
}

std::wstring SystemDirectory() {
    wchar_t buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(buffer, length);
}

// <run dir>\data, then <run dir>, then the system directory.
HMODULE LoadByName(const std::wstring& file) {
    const std::wstring runDirectory = LocalToWide(RunDirectory());
    std::vector<std::wstring> candidates;
    if (!runDirectory.empty()) {
        candidates.push_back(runDirectory + L"\\data\\" + file);
        candidates.push_back(runDirectory + L"\\" + file);
    }
    const std::wstring system = SystemDirectory();
    if (!system.empty()) candidates.push_back(system + L"\\" + file);
    for (const std::wstring& path : candidates) {
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        // Kept for the rest of the run: bound functions are never unbound.
        if (HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LoadFlags())) return module;
    }
    return nullptr;
}

// Loaded libraries by name, loaded once each.
HMODULE Library(const std::wstring& file) {
    static SRWLOCK lock = SRWLOCK_INIT;
    static std::vector<std::pair<std::wstring, HMODULE>> loaded;
    AcquireSRWLockExclusive(&lock);
    HMODULE module = nullptr;
    for (const auto& [name, handle] : loaded)
        if (name == file) module = handle;
    if (!module) {
        module = LoadByName(file);
        if (module) loaded.emplace_back(file, module);
    }
    ReleaseSRWLockExclusive(&lock);
    return module;
}

[[noreturn]] void FailBinding(const std::wstring& file, const char* function) {
    std::wstring name;
    for (const char* c = function; c && *c; ++c) name += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    const std::wstring message = L"无法从 " + file + L" 载入函数 " + name + L"，程序将退出。";
    MessageBoxW(nullptr, message.c_str(), L"错误", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    ExitProcess(1);
}

}  // namespace

void HardenDllSearch() noexcept {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return;
    const FARPROC proc = GetProcAddress(kernel, "SetDefaultDllDirectories");
    if (!proc) return;
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(proc));
    setDefault(LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void* BindFunction(std::wstring_view library, const char* function) noexcept {
    std::wstring file;
    try {
        file = std::wstring(library) + L".dll";
    } catch (...) {
        ExitProcess(1);
    }
    HMODULE module = Library(file);
    FARPROC proc = module && function ? GetProcAddress(module, function) : nullptr;
    if (!proc) FailBinding(file, function);
    return reinterpret_cast<void*>(proc);
}

}  // namespace orv
