// A stand-in target for tiles: started by a click, it writes what it was
// started with (its command line and working directory, UTF-8, one per line)
// to "<its own path>.marker" and ends at once. A GUI program, so starting it
// opens no console.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring CurrentFolder() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(n, L'\0');
    const DWORD read = GetCurrentDirectoryW(n, folder.data());
    folder.resize(read < n ? read : 0);
    return folder;
}

}  // namespace

int main() {
    // Written under a temporary name and renamed, so the test never reads
    // half a marker.
    const std::wstring marker = OwnPath() + L".marker";
    const std::wstring partial = marker + L".part";
    std::FILE* file = _wfopen(partial.c_str(), L"wb");
    if (!file) return 1;
    const std::string text = "command line: " + Utf8(GetCommandLineW()) + "\n" +
                             "directory: " + Utf8(CurrentFolder()) + "\n";
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) return 1;
    return MoveFileExW(partial.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
