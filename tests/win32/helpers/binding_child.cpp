// A child process for the binding tests: binds treedoc the way the program
// does, from its own run directory, and tells by its exit code where the
// library came from: 0 from data, 2 from beside
// the exe, 3 from anywhere else. A missing library never returns from the first call.
#include <windows.h>

#include <string>

#include "json/dll_binding.h"
#include "json/treedoc_functions.h"
#include "model/run_directory.h"
#include "model/text.h"

int main() {
    orv::HardenDllSearch();
    const int32_t document = orv::treedoc::parse("{\"a\":1}");
    if (document <= 0) return 4;
    orv::treedoc::free_(document);
    HMODULE module = GetModuleHandleW(L"treedoc.dll");
    if (!module) return 5;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    const std::wstring loaded(path, length);
    const std::wstring runDirectory = orv::LocalToWide(orv::RunDirectory());
    if (lstrcmpiW(loaded.c_str(), (runDirectory + L"\\data\\treedoc.dll").c_str()) == 0) return 0;
    if (lstrcmpiW(loaded.c_str(), (runDirectory + L"\\treedoc.dll").c_str()) == 0) return 2;
    return 3;
}
