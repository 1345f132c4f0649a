#include "model/file_io.h"

#include <windows.h>
#include <shlwapi.h>

#include <climits>
#include <cstdint>
#include <new>
#include <optional>

#include "model/text.h"
#include "model/wait.h"
#include "toolkit/handles.h"

namespace orv {

namespace {

constexpr int kOpenAttempts = 51;
constexpr int kOpenRetryMs = 20;
constexpr int kRenameAttempts = 6;
constexpr int kRenameRetryMs = 100;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The absolute form of a path (relative ones against the current directory).
std::wstring FullPath(const std::wstring& path) {
    if (path.empty()) return {};
    DWORD size = MAX_PATH;
    for (;;) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetFullPathNameW(path.c_str(), size, buffer.data(), nullptr);
        if (length == 0) return {};
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
        size = length;  // the size needed, terminator included
    }
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the directory and every missing parent; the path is absolute and
// has no trailing separator. The path shrinks with each level, so the
// recursion ends at the root.
bool EnsureDirectoryWide(const std::wstring& directory) {
    if (directory.empty()) return false;
    if (IsDirectory(directory)) return true;
    // A drive ("C:") counts as its root.
    if (directory.size() == 2 && directory[1] == L':') return IsDirectory(directory + L"\\");
    const size_t separator = directory.find_last_of(L"\\/");
    if (separator != std::wstring::npos && separator > 0) {
        std::wstring parent = directory.substr(0, separator);
        while (!parent.empty() && IsSeparator(parent.back())) parent.pop_back();
        if (parent.empty() || !EnsureDirectoryWide(parent)) return false;
    }
    if (CreateDirectoryW(directory.c_str(), nullptr)) return true;
    // Another program may have made it meanwhile.
    return GetLastError() == ERROR_ALREADY_EXISTS && IsDirectory(directory);
}

FileHandle OpenForReading(const std::wstring& path) {
    return FileHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

bool WriteAll(HANDLE file, std::string_view data) {
    while (!data.empty()) {
        const DWORD chunk = data.size() > 0x10000000u ? 0x10000000u
                                                      : static_cast<DWORD>(data.size());
        DWORD written = 0;
        if (!WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0) return false;
        data.remove_prefix(written);
    }
    return true;
}

// FindFirstFileW's search handle is ended by FindClose.
struct FindHandleTraits : FileHandleTraits {
    static void Free(Handle h) { FindClose(h); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

bool IsSharingError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

// The process id in a temporary file's name; nothing for anything else.
std::optional<DWORD> ParseProcessId(std::wstring_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    }
    if (value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<DWORD>(value);
}

// A process id that still names a running process.
bool ProcessIsRunning(DWORD processId) {
    const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// "<target>.<pid>.tmp": the writing process is named, so a later write can
// tell the leftovers of a killed run from a write that is still going on.
std::wstring TemporaryPathFor(const std::wstring& target) {
    return target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
}

// Removes the temporary files of the same target that killed runs left.
void RemoveStaleTemporaries(const std::wstring& target, size_t nameStart) {
    const std::wstring directory = target.substr(0, nameStart);
    const std::wstring name = target.substr(nameStart);
    const std::wstring pattern = target + L".*.tmp";
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) return;
    do {
        const std::wstring_view candidate(found.cFileName);
        const std::wstring_view suffix = L".tmp";
        if (candidate.size() <= name.size() + 1 + suffix.size()) continue;
        if (candidate.substr(0, name.size()) != name || candidate[name.size()] != L'.') continue;
        if (candidate.substr(candidate.size() - suffix.size()) != suffix) continue;
        const std::wstring_view id = candidate.substr(
            name.size() + 1, candidate.size() - name.size() - 1 - suffix.size());
        const std::optional<DWORD> processId = ParseProcessId(id);
        if (!processId) continue;
        if (*processId == GetCurrentProcessId() || ProcessIsRunning(*processId)) continue;
        DeleteFileW((directory + std::wstring(candidate)).c_str());
    } while (FindNextFileW(search.get(), &found));
}

bool WriteTemporary(const std::wstring& temporary, std::string_view data) {
    const FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    return WriteAll(file.get(), data) && FlushFileBuffers(file.get());
}

bool RenameOver(const std::wstring& temporary, const std::wstring& target) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        if (!IsSharingError(GetLastError()) || attempt == kRenameAttempts) return false;
        Wait(kRenameRetryMs);
    }
}

}  // namespace

bool FileExists(std::string_view path) {
    const std::wstring wide = LocalToWide(path);
    return !wide.empty() && PathFileExistsW(wide.c_str()) == TRUE;
}

Bytes ReadWholeFile(std::string_view path) {
    const std::wstring wide = LocalToWide(path);
    if (wide.empty() || PathFileExistsW(wide.c_str()) != TRUE) return {};

    FileHandle file = OpenForReading(wide);
    for (int attempt = 1; !file && attempt < kOpenAttempts; ++attempt) {
        Wait(kOpenRetryMs);
        file = OpenForReading(wide);
    }
    if (!file) return {};

    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return {};
    // Nothing the program reads comes near this; a larger file is refused
    // rather than read in part.
    if (size.QuadPart > INT_MAX) return {};

    Bytes bytes;
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return {};
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file.get(), bytes.data() + done, wanted, &read, nullptr)) return {};
        if (read == 0) return {};  // the file shrank under us: no partial content
        done += read;
    }
    return bytes;
}

bool WriteWholeFile(std::string_view path, std::string_view data) {
    const std::wstring target = FullPath(LocalToWide(path));
    if (target.empty() || IsSeparator(target.back())) return false;
    const size_t nameStart = target.find_last_of(L"\\/") + 1;
    std::wstring directory = target.substr(0, nameStart);
    while (directory.size() > 1 && IsSeparator(directory.back())) directory.pop_back();
    if (!EnsureDirectoryWide(directory)) return false;

    const std::wstring temporary = TemporaryPathFor(target);
    if (!WriteTemporary(temporary, data) || !RenameOver(temporary, target)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    RemoveStaleTemporaries(target, nameStart);
    return true;
}

bool EnsureDirectoryPath(std::string_view directory) {
    if (directory.empty()) return true;  // the current directory
    std::wstring full = FullPath(LocalToWide(directory));
    while (full.size() > 1 && IsSeparator(full.back())) full.pop_back();
    return EnsureDirectoryWide(full);
}

}  // namespace orv
