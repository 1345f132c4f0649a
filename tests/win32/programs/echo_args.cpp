// A program the launch tests start: it writes, in UTF-8, the folder it was
// started in and then each of its arguments, one a line, to echo_args.out
// beside itself.
#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "toolkit/handles.h"

namespace {

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

}  // namespace

int main() {
    wchar_t self[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    wchar_t folder[MAX_PATH * 2] = {};
    GetCurrentDirectoryW(MAX_PATH * 2, folder);

    std::ofstream out(std::filesystem::path(self).parent_path() / L"echo_args.out",
                      std::ios::binary | std::ios::trunc);
    out << Utf8(folder) << "\n";
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const orv::LocalMemory owned(reinterpret_cast<HLOCAL>(arguments));
    for (int i = 1; arguments && i < count; ++i) out << Utf8(arguments[i]) << "\n";
    return 0;
}
