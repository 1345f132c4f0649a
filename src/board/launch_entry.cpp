// Starting an entry and opening the folder that holds it, through the
// shell's "open" verb, or as a shell special folder for the six places.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <utility>

#include "board/entry_routines.h"
#include "core/text_rules.h"
#include "model/board.h"
#include "model/text.h"
#include "toolkit/handles.h"

namespace orv {

namespace {

constexpr std::array<std::pair<std::string_view, int>, 6> kSpecialPlaces = {{
    {"控制面板", CSIDL_CONTROLS},
    {"打印机", CSIDL_PRINTERS},
    {"回收站", CSIDL_BITBUCKET},
    {"电脑工具", CSIDL_COMMON_ADMINTOOLS},
    {"我的电脑", CSIDL_DRIVES},
    {"网络连接", CSIDL_CONNECTIONS},
}};

bool IsExistingFile(std::string_view path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(LocalToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder a program starts in, as the Explorer starts it: the folder
// that holds the file ("C:" becomes the root "C:\"); none for a folder, a
// web address or a special place.
std::string WorkingFolderOf(std::string_view address) {
    if (!IsExistingFile(address)) return {};
    std::string folder = ParentFolder(address);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

// Opens an entry's target. Address followed by Command is tried as one
// file first (a path that itself continues with a space); otherwise Command
// holds the arguments and is passed as such.
void OpenEntryTarget(const Entry& entry) {
    const std::string joined = entry.Address + entry.Command;
    if (entry.Command.empty() || IsExistingFile(joined)) {
        (void)ShellOpen(joined, {}, 0, WorkingFolderOf(joined));
        return;
    }
    (void)ShellOpen(entry.Address, WithoutLeadingBlanks(entry.Command), 0,
                    WorkingFolderOf(entry.Address));
}

}  // namespace

std::optional<int> SpecialPlaceCsidl(std::string_view address) {
    for (const auto& [name, csidl] : kSpecialPlaces) {
        if (address == name) return csidl;
    }
    return std::nullopt;
}

bool ShellOpen(std::string_view path, std::string_view parameters, int showMode,
               std::string_view directory) {
    const int show = showMode == 1 ? SW_HIDE : showMode == 2 ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL;
    const std::wstring widePath = LocalToWide(path);
    const std::wstring wideParameters = LocalToWide(parameters);
    const std::wstring wideDirectory = LocalToWide(directory);
    const HINSTANCE result = ShellExecuteW(
        nullptr, L"open", widePath.c_str(),
        wideParameters.empty() ? nullptr : wideParameters.c_str(),
        wideDirectory.empty() ? nullptr : wideDirectory.c_str(), show);
    return reinterpret_cast<INT_PTR>(result) != ERROR_FILE_NOT_FOUND;
}

bool OpenSpecialFolder(int csidl) {
    PIDLIST_ABSOLUTE list = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &list) != S_OK) return false;
    CoTaskMemory owned(list);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_IDLIST;
    info.lpIDList = list;
    info.lpVerb = L"open";
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

void Board::LaunchEntry(int entryIndex) {
    SharedHold hold(Lock);
    const Category* category = CurrentCategoryLocked();
    if (!category || entryIndex < 1 ||
        entryIndex > static_cast<int>(category->Entries.size())) {
        return;
    }
    const Entry& entry = category->Entries[entryIndex - 1];
    if (const auto csidl = SpecialPlaceCsidl(entry.Address)) {
        (void)OpenSpecialFolder(*csidl);
        return;
    }
    OpenEntryTarget(entry);
}

void Board::OpenEntryFolder(int entryIndex) {
    SharedHold hold(Lock);
    const Category* category = CurrentCategoryLocked();
    if (!category || entryIndex < 1 ||
        entryIndex > static_cast<int>(category->Entries.size())) {
        return;
    }
    const Entry& entry = category->Entries[entryIndex - 1];
    if (const auto csidl = SpecialPlaceCsidl(entry.Address)) {
        (void)OpenSpecialFolder(*csidl);
        return;
    }
    (void)ShellOpen(ParentFolder(entry.Address), {}, 0);
}

}  // namespace orv
