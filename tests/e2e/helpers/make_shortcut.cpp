// Makes a Windows shortcut file through the shell's own link object, as the
// Explorer does: make_shortcut <shortcut.lnk> <target path>. Paths are read
// from the wide command line, so any name survives. Ends with 0 when the file
// was saved.
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/handles.h"

namespace {

std::vector<std::wstring> WideArguments() {
    int count = 0;
    orv::LocalMemory list(
        reinterpret_cast<HLOCAL>(CommandLineToArgvW(GetCommandLineW(), &count)));
    std::vector<std::wstring> arguments;
    auto* items = static_cast<wchar_t**>(list.get());
    for (int i = 0; items && i < count; ++i) arguments.emplace_back(items[i]);
    return arguments;
}

}  // namespace

int main() {
    const std::vector<std::wstring> arguments = WideArguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: make_shortcut <shortcut.lnk> <target path>\n");
        return 2;
    }
    const std::wstring& shortcut = arguments[1];
    const std::wstring& target = arguments[2];
    orv::ComScope com;
    orv::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void()))) {
        return 1;
    }
    if (FAILED(link->SetPath(target.c_str()))) return 1;
    orv::ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return 1;
    return SUCCEEDED(file->Save(shortcut.c_str(), TRUE)) ? 0 : 1;
}
