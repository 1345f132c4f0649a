#include "board_test_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "model/run_directory.h"
#include "model/text.h"
#include "shell/main_window_design.h"

namespace orv::testing {

namespace fs = std::filesystem;

namespace {

fs::path Wide(const std::string& local) { return fs::path(LocalToWide(local)); }

// A JSON string: backslashes and double quotes escaped.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string ToString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string Join(std::string_view a, std::string_view b) {
    std::string joined(a);
    joined += b;
    return joined;
}

Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string TestExeDirectory() {
    wchar_t buffer[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    return WideToLocal(fs::path(buffer).parent_path().wstring());
}

TempDirectory::TempDirectory(std::string_view prefix) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        const std::wstring name = LocalToWide(prefix) + L"-" + std::to_wstring(GetCurrentProcessId()) +
                                  L"-" + std::to_wstring(++counter) + L"-" +
                                  std::to_wstring(GetTickCount());
        const fs::path candidate = fs::path(temp) / name;
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = WideToLocal(candidate.wstring());
            return;
        }
    }
}

TempDirectory::~TempDirectory() {
    std::error_code error;
    fs::remove_all(Wide(path_), error);
}

bool PutFile(const std::string& path, std::string_view bytes) {
    std::error_code error;
    fs::create_directories(Wide(path).parent_path(), error);
    std::ofstream out(Wide(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool GetFile(const std::string& path, Bytes& bytes) {
    std::ifstream in(Wide(path), std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool FileThere(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(Wide(path), error);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(Wide(folder), error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file()) names.push_back(WideToLocal(it->path().filename().wstring()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

BoardHarness::BoardHarness() : dir_("orvanto-board") {
    // The DLLs are bound by name from <run dir>\data at their first use.
    const std::string data = RunDir() + "\\data";
    std::error_code error;
    fs::create_directories(Wide(data), error);
    for (const char* dll : {"treedoc.dll", "shellglyph.dll"}) {
        fs::copy_file(Wide(TestExeDirectory() + "\\data\\" + dll), Wide(data + "\\" + dll),
                      fs::copy_options::overwrite_existing, error);
    }
    SetRunDirectoryForTesting(RunDir());
    window_ = ui::Window::Create(MainWindowDesign(), *this);
}

BoardHarness::~BoardHarness() {
    window_.reset();
    SetRunDirectoryForTesting(TestExeDirectory());
}

void BoardHarness::WriteConfig(std::string_view bytes) const { PutFile(ConfigPath(), bytes); }

std::string BoardHarness::ReadConfig() const {
    Bytes bytes;
    if (!GetFile(ConfigPath(), bytes)) return {};
    return ToString(bytes);
}

void BoardHarness::Load() { board_.LoadAndBuild(*window_); }

ui::Control& BoardHarness::Control(std::string_view name) const { return *window_->Find(name); }

ui::Control& BoardHarness::CategoryButton(int i) const {
    for (ui::Control* control : window_->Controls()) {
        if (control->Name() == "CategoryButton" && control->Tag() == std::to_string(i)) {
            return *control;
        }
    }
    return *window_->Find("CategoryButton");
}

ui::Control& BoardHarness::Tile(int i) const {
    for (ui::Control* control : window_->Controls()) {
        if (control->Name() == "TileButton" && control->Tag() == std::to_string(i)) {
            return *control;
        }
    }
    return *window_->Find("TileButton");
}

// The shell's part that the board relies on: a size change lays the grid
// out again.
void BoardHarness::OnEvent(const ui::Event& event) noexcept {
    if (event.kind == ui::EventKind::SizeChanged && event.control == nullptr && window_) {
        ++sizeChanges_;
        board_.Relayout(window_->Width());
    }
}

std::string ProgramLayout(int width, int height, int left, int top, bool startup,
                          const std::vector<TextCategory>& categories) {
    const char* kBreak = "\r\n";
    std::string text = "{";
    text += kBreak;
    text += Join("\"width\":", std::to_string(width)) + "," + kBreak;
    text += Join("\"height\":", std::to_string(height)) + "," + kBreak;
    text += Join("\"left\":", std::to_string(left)) + "," + kBreak;
    text += Join("\"crown\":", std::to_string(top)) + "," + kBreak;
    text += std::string("\"startup\":") + (startup ? "true" : "false") + "," + kBreak;
    text += "\"navigation\":[";
    for (size_t c = 0; c < categories.size(); ++c) {
        if (c > 0) text += ",";
        text += std::string("{") + kBreak + "\"name\":" + Quoted(categories[c].name) + "," +
                kBreak + "\"file\":[";
        const auto& entries = categories[c].entries;
        for (size_t e = 0; e < entries.size(); ++e) {
            if (e > 0) text += ",";
            text += std::string("{") + kBreak;
            text += "\"name\":" + Quoted(entries[e].name) + "," + kBreak;
            text += "\"address\":" + Quoted(entries[e].address) + "," + kBreak;
            text += "\"icon\":" + Quoted(entries[e].icon) + "," + kBreak;
            text += "\"command\":" + Quoted(entries[e].command) + "," + kBreak;
            text += std::string("\"root_privilege\":") +
                    (entries[e].rootPrivilege ? "true" : "false") + "}";
        }
        text += "]}";
    }
    text += "]}";
    return text;
}

}  // namespace orv::testing
