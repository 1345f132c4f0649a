// Figures for the board: loading and saving boards of 10 x 100 and 20 x 150
// entries against a raw parse and digest of the same bytes, switching
// categories and laying the grid out against bare child windows, and the
// first display of new tiles. Prints figures only.
#include <windows.h>

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "board/entry_routines.h"
#include "board/shellglyph_client.h"
#include "core/config_text.h"
#include "json/json_document.h"
#include "model/board.h"
#include "model/file_io.h"
#include "model/md5.h"
#include "model/run_directory.h"
#include "model/text.h"
#include "shell/main_window_design.h"
#include "toolkit/handles.h"
#include "toolkit/toolkit.h"

namespace fs = std::filesystem;

namespace {

// The performance counter (<chrono> does not build with the program's
// execution character set).
long long Now() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double MillisecondsSince(long long start) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(Now() - start) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

template <typename F>
double AverageMs(int rounds, F&& f) {
    const long long start = Now();
    for (int i = 0; i < rounds; ++i) f(i);
    return MillisecondsSince(start) / rounds;
}

struct NullHandler : orv::ui::EventHandler {
    orv::Board* board = nullptr;
    orv::ui::Window* window = nullptr;
    void OnEvent(const orv::ui::Event& event) noexcept override {
        if (event.kind == orv::ui::EventKind::SizeChanged && !event.control && board && window) {
            board->Relayout(window->Width());
        }
    }
};

std::string BoardText(int categories, int entries, const std::string& address) {
    std::string text = "{\"width\":981,\"height\":678,\"left\":0,\"crown\":0,\"startup\":false,"
                       "\"navigation\":[";
    for (int c = 0; c < categories; ++c) {
        if (c) text += ",";
        text += "{\"name\":\"分组" + std::to_string(c) + "\",\"file\":[";
        for (int e = 0; e < entries; ++e) {
            if (e) text += ",";
            text += "{\"name\":\"项目" + std::to_string(e) + "\",\"address\":\"" + address +
                    "\",\"icon\":\"\",\"command\":\"\",\"root_privilege\":false}";
        }
        text += "]}";
    }
    return text + "]}";
}

fs::path ExeFolder() {
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    return fs::path(path).parent_path();
}

// A run directory with the two DLLs, found in the build tree.
fs::path MakeRunDirectory() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path run = fs::path(temp) / (L"orvanto-bench-" + std::to_wstring(GetTickCount()));
    std::error_code error;
    fs::create_directories(run / L"data", error);
    const fs::path build = ExeFolder().parent_path();
    fs::copy_file(build / L"src/treedoc/treedoc.dll", run / L"data/treedoc.dll", error);
    fs::copy_file(build / L"src/shellglyph/shellglyph.dll", run / L"data/shellglyph.dll", error);
    orv::SetRunDirectoryForTesting(orv::WideToLocal(run.wstring()));
    return run;
}

void PutText(const fs::path& path, const std::string& text) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    (void)orv::WriteWholeFile(orv::WideToLocal(path.wstring()), text);
}

// The file part of loading: read, convert, parse, fill the records.
std::size_t LoadFilePart(const std::string& path) {
    const orv::Bytes bytes = orv::ReadWholeFile(path);
    const orv::ConfigText decoded = orv::DecodeConfigBytes(bytes);
    const std::string utf8 = decoded.encoding == orv::ConfigEncoding::Utf8
                                 ? decoded.text
                                 : orv::LocalToUtf8(decoded.text);
    orv::JsonDocument document;
    if (!document.Parse(utf8, 1)) return 0;
    std::vector<orv::Category> categories;
    const int count = document.GetCount("/navigation");
    for (int c = 0; c < count; ++c) {
        const std::string at = "/navigation/" + std::to_string(c);
        orv::Category category;
        category.Name = document.GetString(at + "/name");
        const int entries = document.GetCount(at + "/file");
        for (int e = 0; e < entries; ++e) {
            const std::string p = at + "/file/" + std::to_string(e);
            orv::Entry entry;
            entry.Name = document.GetString(p + "/name");
            entry.Address = document.GetString(p + "/address");
            entry.Icon = document.GetString(p + "/icon");
            entry.Command = document.GetString(p + "/command");
            entry.RootPrivilege = document.GetBool(p + "/root_privilege");
            category.Entries.push_back(std::move(entry));
        }
        categories.push_back(std::move(category));
    }
    return categories.size();
}

// The baseline of the file part: the same bytes read and turned into UTF-8
// the same way, then parsed by RapidJSON directly.
std::size_t RawParse(const std::string& path) {
    const orv::Bytes bytes = orv::ReadWholeFile(path);
    const std::string text(bytes.begin(), bytes.end());
    const std::string utf8 = orv::LocalToUtf8(text);
    rapidjson::Document document;
    document.Parse(utf8.c_str(), utf8.size());
    return document.HasParseError() ? 0 : document.MemberCount();
}

// The baseline of an unchanged save: the same board written by RapidJSON
// directly, turned back into local text and digested.
std::string RawSave(const std::vector<orv::Category>& categories, const orv::ui::Window& window) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    auto text = [&](const std::string& local) {
        const std::string utf8 = orv::LocalToUtf8(local);
        w.String(utf8.c_str(), static_cast<rapidjson::SizeType>(utf8.size()));
    };
    w.StartObject();
    w.Key("width"); w.Int(window.Width());
    w.Key("height"); w.Int(window.Height());
    w.Key("left"); w.Int(0);
    w.Key("crown"); w.Int(0);
    w.Key("startup"); w.Bool(false);
    w.Key("navigation"); w.StartArray();
    for (const orv::Category& category : categories) {
        w.StartObject();
        w.Key("name"); text(category.Name);
        w.Key("file"); w.StartArray();
        for (const orv::Entry& entry : category.Entries) {
            w.StartObject();
            w.Key("name"); text(entry.Name);
            w.Key("address"); text(entry.Address);
            w.Key("icon"); text(entry.Icon);
            w.Key("command"); text(entry.Command);
            w.Key("root_privilege"); w.Bool(entry.RootPrivilege != 0);
            w.EndObject();
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return orv::Md5Hex(orv::Utf8ToLocal(buffer.GetString()));
}

// One machine-readable line for scripts/bench.sh: label, ours, baseline,
// unit, target ratio.
void Row(const std::string& label, double ours, double baseline, double target) {
    std::printf("ROW\t%s\t%.3f\t%.3f\tms\t%.2f\n", label.c_str(), ours, baseline, target);
}

void LoadAndSaveFigures(const fs::path& run, int categories, int entries) {
    const fs::path file = run / L"configure/navigation.json";
    const std::string path = orv::WideToLocal(file.wstring());
    PutText(file, BoardText(categories, entries, "C:\\\\bench\\\\none.txt"));
    const int rounds = 20;
    const double filePart = AverageMs(rounds, [&](int) { (void)LoadFilePart(path); });
    const double raw = AverageMs(rounds, [&](int) { (void)RawParse(path); });

    NullHandler handler;
    orv::Board board;
    auto window = orv::ui::Window::Create(orv::MainWindowDesign(), handler);
    handler.board = &board;
    handler.window = window.get();
    board.LoadAndBuild(*window);
    const double unchanged = AverageMs(rounds, [&](int) { board.Save(); });
    const std::vector<orv::Category> snapshot = board.SnapshotCategories();
    const double rawSave = AverageMs(rounds, [&](int) { (void)RawSave(snapshot, *window); });
    // A changed text each time: every save writes.
    const double written = AverageMs(rounds, [&](int i) { board.Relayout(981 + (i % 2)); });
    std::printf("%2d x %3d  load file part %8.2f ms  raw parse %8.2f ms  save unchanged %8.2f ms"
                "  raw write+md5 %8.2f ms  save written %8.2f ms\n",
                categories, entries, filePart, raw, unchanged, rawSave, written);
    const std::string size = std::to_string(categories) + " x " + std::to_string(entries);
    Row("file part of LoadAndBuild, " + size + " vs RapidJSON parse", filePart, raw, 1.25);
    if (categories == 10) Row("Save unchanged, " + size + " vs RapidJSON write+MD5", unchanged, rawSave, 1.5);
}

void GridFigures(const fs::path& run) {
    const fs::path file = run / L"configure/navigation.json";
    std::string self = orv::WideToLocal((ExeFolder() / L"bench_win32_board_bench.exe").wstring());
    std::string escaped;
    for (char c : self) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    PutText(file, BoardText(2, 100, escaped));

    NullHandler handler;
    orv::Board board;
    auto window = orv::ui::Window::Create(orv::MainWindowDesign(), handler);
    handler.board = &board;
    handler.window = window.get();
    window->Show();
    // First display: LoadAndBuild shows category 1 with 100 pictures to make.
    const long long start = Now();
    board.LoadAndBuild(*window);
    const double firstShow = MillisecondsSince(start);
    board.SelectCategory(2);  // pictures of category 2 built as well
    orv::ui::ProcessPendingMessages();

    const int rounds = 20;
    const double switching = AverageMs(rounds, [&](int i) {
        board.SelectCategory(1 + i % 2);
        orv::ui::ProcessPendingMessages();
    });
    const double relayout = AverageMs(rounds, [&](int i) {
        board.Relayout(i % 2 ? 1050 : 981);
        orv::ui::ProcessPendingMessages();
    });

    // Bare child windows: 100 STATIC children moved and shown.
    std::vector<HWND> bare;
    for (int i = 0; i < 100; ++i) {
        bare.push_back(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 75, 80, window->Handle(),
                                       nullptr, GetModuleHandleW(nullptr), nullptr));
    }
    const double bareMoves = AverageMs(rounds, [&](int r) {
        const int columns = r % 2 ? 14 : 13;
        for (int i = 0; i < 100; ++i) {
            SetWindowPos(bare[i], nullptr, (i % columns) * 75 + 6, (i / columns) * 80 + 65, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        }
        orv::ui::ProcessPendingMessages();
    });
    for (HWND child : bare) DestroyWindow(child);
    // Where a new tile's time goes: the shell's icon, and the icon drawn
    // into picture bytes.
    const double iconOnly = AverageMs(rounds, [&](int) { orv::IconHandle icon(orv::GetFileIcon(self, 0)); });
    const double image = AverageMs(rounds, [&](int) { (void)orv::MakeEntryImage(self, 0); });
    std::printf("first display of 100 new tiles %8.2f ms (%6.3f ms per tile)\n", firstShow,
                firstShow / 100);
    std::printf("  of which per tile: shell icon %6.3f ms, icon + rendering %6.3f ms\n", iconOnly, image);
    std::printf("switch between two categories of 100 %8.2f ms\n", switching);
    std::printf("relayout across a column change %8.2f ms\n", relayout);
    std::printf("move and show 100 bare child windows %8.2f ms\n", bareMoves);
    Row("ShowCurrentCategory, two 100-tile categories vs 100 bare windows", switching, bareMoves, 3);
    Row("Relayout across a column change vs 100 bare windows", relayout, bareMoves, 3);
}

}  // namespace

int main() {
    const fs::path run = MakeRunDirectory();
    LoadAndSaveFigures(run, 10, 100);
    LoadAndSaveFigures(run, 20, 150);
    GridFigures(run);
    std::error_code error;
    fs::remove_all(run, error);
    return 0;
}
