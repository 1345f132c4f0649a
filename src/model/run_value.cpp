#include "model/run_value.h"

#include <optional>
#include <string>

#include "model/text.h"
#include "toolkit/handles.h"

namespace orv {

namespace {

constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr REGSAM kReadWrite = KEY_QUERY_VALUE | KEY_SET_VALUE;

// The text of a string value; nothing when the value is missing or holds
// no string.
std::optional<std::wstring> ReadText(HKEY key, const std::wstring& name) {
    if (!key) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::wstring();
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bufferSize = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &bufferSize) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(bufferSize / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

bool HoldsText(HKEY key, const std::wstring& name, const std::wstring& text) {
    const std::optional<std::wstring> current = ReadText(key, name);
    return current && *current == text;
}

bool HasValue(HKEY key, const std::wstring& name) {
    return key && RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                      ERROR_SUCCESS;
}

bool WriteText(HKEY key, const std::wstring& name, const std::wstring& text) {
    if (!key) return false;
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), size) == ERROR_SUCCESS;
}

// True when the value is gone afterwards.
bool RemoveValue(HKEY key, const std::wstring& name) {
    if (!key) return true;
    const LSTATUS status = RegDeleteValueW(key, name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

RegistryKey OpenKey(HKEY root, REGSAM view, bool create) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kRunKeyPath, 0, kReadWrite | view, &key) == ERROR_SUCCESS) {
        return RegistryKey(key);
    }
    key = nullptr;
    if (create && RegCreateKeyExW(root, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  kReadWrite | view, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        return RegistryKey(key);
    }
    // Without the right to write, the key is still read, so a value that is
    // already right is left alone.
    key = nullptr;
    if (RegOpenKeyExW(root, kRunKeyPath, 0, KEY_QUERY_VALUE | view, &key) == ERROR_SUCCESS) {
        return RegistryKey(key);
    }
    return {};
}

bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

bool ApplyRunValue(std::string_view valueName, std::string_view programPath, bool on) {
    // The program is 32-bit: without KEY_WOW64_64KEY its machine key would be
    // the 32-bit view (SOFTWARE\WOW6432Node\...\Run). The logon reads the
    // native 64-bit key on every 64-bit Windows, so the value goes there; on
    // 32-bit Windows the flag is ignored. The user's Run key is shared by
    // both views.
    const RegistryKey machine = OpenKey(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, false);
    const RegistryKey user = OpenKey(HKEY_CURRENT_USER, 0, on);
    RegistryKey machine32;
    if (RunsUnderWow64()) machine32 = OpenKey(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, false);
    return ApplyRunValue(RunKeys{machine.get(), user.get(), machine32.get()}, valueName,
                         programPath, on);
}

bool ApplyRunValue(const RunKeys& keys, std::string_view valueName, std::string_view programPath,
                   bool on) {
    const std::wstring name = LocalToWide(valueName);
    if (name.empty()) return false;

    if (!on) {
        const bool machineGone = RemoveValue(keys.machine, name);
        const bool machine32Gone = RemoveValue(keys.machine32, name);
        const bool userGone = RemoveValue(keys.user, name);
        return machineGone && machine32Gone && userGone;
    }

    const std::wstring path = LocalToWide(programPath);
    if (path.empty()) return false;
    // Quoted, so "C:\Program Files\..." cannot be read as "C:\Program".
    const std::wstring quoted = L"\"" + path + L"\"";

    // The key that keeps the value: one that already holds the right text,
    // else the first that accepts the write.
    HKEY home = nullptr;
    if (HoldsText(keys.machine, name, quoted)) {
        home = keys.machine;
    } else if (HoldsText(keys.user, name, quoted) && !HasValue(keys.machine, name)) {
        home = keys.user;
    } else if (WriteText(keys.machine, name, quoted)) {
        home = keys.machine;
    } else if (HoldsText(keys.user, name, quoted) || WriteText(keys.user, name, quoted)) {
        home = keys.user;
    } else {
        return false;
    }

    // A copy anywhere else would start the program twice, or an old path.
    for (HKEY other : {keys.machine, keys.machine32, keys.user}) {
        if (other && other != home) RemoveValue(other, name);
    }
    return true;
}

}  // namespace orv
