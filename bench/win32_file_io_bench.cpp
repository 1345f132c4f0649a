// Figures for the save path's helpers: the atomic whole-file write (temporary
// file, flush, rename), the whole-file read and the MD5 of the text, for
// configuration-sized texts.
#include <windows.h>

#include <cstdio>
#include <string>

#include "model/file_io.h"
#include "model/md5.h"
#include "model/text.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

template <typename Step>
double AverageMs(int rounds, Step step) {
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i) step();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end) / rounds;
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring directory =
        std::wstring(temp) + L"orvanto-bench-" + std::to_wstring(GetCurrentProcessId());
    const std::string path = orv::WideToLocal(directory) + "\\configure\\navigation.json";

    constexpr int kRounds = 50;
    for (const size_t size : {1000u, 50000u, 1000000u}) {
        const std::string text(size, 'x');
        const double write = AverageMs(kRounds, [&] { (void)orv::WriteWholeFile(path, text); });
        const double read = AverageMs(kRounds, [&] { (void)orv::ReadWholeFile(path); });
        const double md5 = AverageMs(kRounds, [&] { (void)orv::Md5Hex(text); });
        std::printf("%8zu bytes: write %7.3f ms  read %7.3f ms  md5 %7.3f ms\n", size, write,
                    read, md5);
    }
    DeleteFileW((directory + L"\\configure\\navigation.json").c_str());
    RemoveDirectoryW((directory + L"\\configure").c_str());
    RemoveDirectoryW(directory.c_str());
    return 0;
}
