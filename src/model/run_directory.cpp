#include "model/run_directory.h"

#include <windows.h>

#include "model/text.h"

namespace orv {

namespace {

struct RunPaths {
    std::string directory;
    std::string executable;
};

// The executable's full path; the buffer grows until the name fits.
std::wstring ModulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

// A folder whose name has no code page 936 form is taken by its short name,
// which is plain ASCII when the volume keeps short names.
std::string PathAsLocalText(const std::wstring& path) {
    bool lossless = true;
    std::string local = WideToLocal(path, &lossless);
    if (lossless) return local;
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return local;
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed) return local;
    shortPath.resize(length);
    std::string shortLocal = WideToLocal(shortPath, &lossless);
    return lossless ? shortLocal : local;
}

// Split in UTF-16: in code page 936 a backslash byte may also be the second
// byte of a Chinese character.
RunPaths ReadRunPaths() {
    const std::wstring path = ModulePath();
    RunPaths paths;
    const size_t lastSeparator = path.find_last_of(L'\\');
    if (lastSeparator == std::wstring::npos) {
        paths.executable = PathAsLocalText(path);
        return paths;
    }
    paths.directory = PathAsLocalText(path.substr(0, lastSeparator));
    paths.executable = PathAsLocalText(path.substr(lastSeparator + 1));
    return paths;
}

RunPaths& Paths() {
    static RunPaths paths = ReadRunPaths();
    return paths;
}

}  // namespace

const std::string& RunDirectory() { return Paths().directory; }

const std::string& ExecutableName() { return Paths().executable; }

void SetRunDirectoryForTesting(std::string_view directory) {
    // Trimmed in UTF-16, for the same reason as the split above.
    std::wstring wide = LocalToWide(directory);
    while (!wide.empty() && wide.back() == L'\\') wide.pop_back();
    Paths().directory = WideToLocal(wide);
}

}  // namespace orv
