#pragma once
// A fresh directory under the temporary folder for one test, removed with
// everything in it when the test ends.
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "model/text.h"

namespace orv::testing {

class ScratchDirectory {
public:
    ScratchDirectory() {
        static std::atomic<unsigned> counter{0};
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        wide_ = std::wstring(temp) + L"orvanto-test-" + std::to_wstring(GetCurrentProcessId()) +
                L"-" + std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount());
        CreateDirectoryW(wide_.c_str(), nullptr);
        local_ = WideToLocal(wide_);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(wide_), ignored);
    }

    const std::wstring& Wide() const { return wide_; }
    const std::string& Local() const { return local_; }
    // A path inside, as local text; name may hold backslashes.
    std::string Local(std::string_view name) const { return local_ + "\\" + std::string(name); }
    std::wstring Wide(std::wstring_view name) const { return wide_ + L"\\" + std::wstring(name); }

    // The names of the files and directories directly inside, as UTF-16.
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        std::error_code ignored;
        for (const auto& item : std::filesystem::directory_iterator(wide_, ignored)) {
            names.push_back(item.path().filename().wstring());
        }
        return names;
    }

private:
    std::wstring wide_;
    std::string local_;
};

}  // namespace orv::testing
