// Start-up to the first painted frame, timed on the Windows side: the
// program is started with CreateProcess and its top-level window of the
// given class is polled every millisecond until it is visible and neither it
// nor any visible child has a region left to paint. The program under test
// and the baseline program start in turn, so drift of the machine falls on
// both; the median of the starts is printed as one machine-readable row.
//   bench_win32_startup_bench <label> <program> <class> <baseline> <baseline class> <starts>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/handles.h"

namespace {

double Now() {
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD processId = 0;
    const wchar_t* className = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM parameter) noexcept {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    if (owner == search->processId && lstrcmpW(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ChildNeedsPaint(HWND child, LPARAM parameter) noexcept {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(parameter) = true;
        return FALSE;
    }
    return TRUE;
}

bool IsPainted(HWND window) {
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(window, ChildNeedsPaint, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

// Milliseconds from CreateProcess to the first painted frame; negative when
// the window did not appear within 30 s.
double TimeOneStart(const std::wstring& program, const std::wstring& className) {
    std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
        return -1;
    }
    const orv::KernelHandle process(info.hProcess);
    const orv::KernelHandle thread(info.hThread);
    double elapsed = -1;
    while (Now() - start < 30000) {
        Search search{info.dwProcessId, className.c_str()};
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found && IsPainted(search.found)) {
            elapsed = Now() - start;
            break;
        }
        if (WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0) break;
    }
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
    Sleep(300);  // let the previous copy's resources go before the next start
    return elapsed;
}

double Median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main() {
    int count = 0;
    const orv::LocalMemory arguments(
        reinterpret_cast<HLOCAL>(CommandLineToArgvW(GetCommandLineW(), &count)));
    if (!arguments || count != 7) {
        std::fprintf(stderr, "usage: bench_win32_startup_bench <label> <program> <class> <baseline> <class> <starts>\n");
        return 2;
    }
    const auto* argv = static_cast<wchar_t**>(arguments.get());
    const int starts = _wtoi(argv[6]);
    std::vector<double> ours, baseline;
    // one unmeasured start each: the first start of a program loads its
    // libraries from disk
    (void)TimeOneStart(argv[2], argv[3]);
    (void)TimeOneStart(argv[4], argv[5]);
    for (int i = 0; i < starts; ++i) {
        const double a = TimeOneStart(argv[2], argv[3]);
        const double b = TimeOneStart(argv[4], argv[5]);
        if (a >= 0) ours.push_back(a);
        if (b >= 0) baseline.push_back(b);
    }
    std::printf("%ls: %zu of %d starts painted, baseline %zu\n", argv[1], ours.size(), starts, baseline.size());
    std::printf("ROW\t%ls\t%.1f\t%.1f\tms\t1.3\n", argv[1], Median(ours), Median(baseline));
    return ours.size() == static_cast<std::size_t>(starts) ? 0 : 1;
}
