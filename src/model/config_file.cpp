#include "model/config_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "model/run_directory.h"
#include "model/text.h"
#include "toolkit/handles.h"

namespace orv {

namespace {

constexpr std::string_view kDefaultConfig =
    "{\r\n"
    "    \"navigation\": [{\r\n"
    "        \"name\": \"我的电脑\",\r\n"
    "        \"file\": []\r\n"
    "    }],\r\n"
    "\t\"default_navigation\":0\r\n"
    "}";

// The first of base + suffix, base + "-2" + suffix, ... that names no file.
std::string FreeName(const std::string& base, const std::string& suffix) {
    std::string name = base + suffix;
    for (int n = 2; FileExists(name) && n < 1000; ++n) {
        name = base + "-" + std::to_string(n) + suffix;
    }
    return name;
}

// The size the file system reports, or none when the file is not there.
std::optional<unsigned long long> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(LocalToWide(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// FindFirstFileW's search handle has its own release call. (std::filesystem
// is not used here: it links the whole stream and locale library into the
// program, more than doubling its size.)
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Null() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Free(Handle h) { FindClose(h); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

void PruneBackups(const std::wstring& directory) {
    struct Backup {
        FILETIME written;
        std::wstring name;
    };
    std::vector<Backup> backups;
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileW((directory + L"\\navigation-*.json").c_str(), &found));
    if (!search) return;
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && name.starts_with(L"navigation-") &&
            name.ends_with(L".json")) {
            backups.push_back({found.ftLastWriteTime, name});
        }
    } while (FindNextFileW(search.get(), &found));
    if (backups.size() <= static_cast<size_t>(kBackupsKept)) return;
    // Oldest first: by the time each was written, then by name.
    std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
        const LONG order = CompareFileTime(&a.written, &b.written);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    const size_t surplus = backups.size() - kBackupsKept;
    for (size_t i = 0; i < surplus; ++i) {
        DeleteFileW((directory + L"\\" + backups[i].name).c_str());
    }
}

}  // namespace

std::string ConfigDirectory() { return RunDirectory() + "\\configure"; }

std::string ConfigFilePath() { return ConfigDirectory() + "\\navigation.json"; }

std::string_view DefaultConfigText() { return kDefaultConfig; }

std::string TimestampText() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    return text;
}

ConfigFileRead ReadConfigFile(const std::string& path) {
    ConfigFileRead read;
    read.exists = FileExists(path);
    if (!read.exists) return read;
    read.bytes = ReadWholeFile(path);
    // ReadWholeFile gives empty bytes both for an empty file and for one
    // that stayed locked through every retry; only the size tells them apart.
    if (read.bytes.empty()) {
        const auto size = FileSize(path);
        read.unreadable = size.has_value() && *size > 0;
    }
    return read;
}

std::optional<Bytes> ReadFileOnce(const std::string& path) {
    FileHandle file(CreateFileW(LocalToWide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024) {
        return std::nullopt;
    }
    Bytes bytes(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool KeepUnusableFile(const Bytes& bytes) {
    const std::string name = FreeName(ConfigFilePath() + "." + TimestampText(), ".bad");
    return WriteWholeFile(name, std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                                 bytes.size()));
}

void KeepStartBackup(const Bytes& bytes) {
    const std::string directory = ConfigDirectory() + "\\backup";
    if (!EnsureDirectoryPath(directory)) return;
    const std::string name = FreeName(directory + "\\navigation-" + TimestampText(), ".json");
    if (!WriteWholeFile(name, std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                               bytes.size()))) {
        return;
    }
    PruneBackups(LocalToWide(directory));
}

}  // namespace orv
