#pragma once
// A real main window with a loaded board in a temporary run directory, for
// the tests of the menus, the tile editing and the picker. The board starts
// with three categories: "常用" with the entries A to G, "工具" with two and
// "文档" with five entries.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/file_io.h"
#include "model/run_directory.h"
#include "model/text.h"
#include "shell/globals.h"
#include "shell/main_window_design.h"
#include "menus/popup_menu.h"

namespace orv::testing {

// The board's configuration: code page 936 JSON as the program keeps it.
inline std::string BoardConfig(bool startup = false) {
    auto entry = [](const char* name) {
        return std::string("{\"name\":\"") + name + "\",\"address\":\"C:\\\\nowhere\\\\" + name +
               ".txt\",\"icon\":\"\",\"command\":\"\",\"root_privilege\":false}";
    };
    auto entries = [&](std::initializer_list<const char*> names) {
        std::string out;
        for (const char* n : names) {
            if (!out.empty()) out += ",";
            out += entry(n);
        }
        return out;
    };
    return std::string("{\"width\":981,\"height\":678,\"left\":100,\"crown\":100,\"startup\":") +
           (startup ? "true" : "false") + ",\"navigation\":[" +
           "{\"name\":\"常用\",\"file\":[" + entries({"A", "B", "C", "D", "E", "F", "G"}) + "]}," +
           "{\"name\":\"工具\",\"file\":[" + entries({"T1", "T2"}) + "]}," +
           "{\"name\":\"文档\",\"file\":[" + entries({"P", "Q", "R", "S", "U"}) + "]}]}";
}

// Loads the board when the window is built; the tests call the operations
// and handlers themselves.
class LoadingHandler final : public ui::EventHandler {
public:
    void OnEvent(const ui::Event& event) noexcept override {
        if (event.kind == ui::EventKind::Created && event.window && GlobalBoard) {
            GlobalBoard->LoadAndBuild(*event.window);
        }
    }
};

class BoardWindowTest : public ::testing::Test {
protected:
    void SetUp() override { StartBoard(BoardConfig()); }

    void TearDown() override {
        CloseMenuWindow();
        SystemItemWindow.reset();
        MainWindow.reset();
        DestroyGlobals();
        SetRunDirectoryForTesting(originalRunDirectory_);
        RemoveTree(runDirectory_);
    }

    void StartBoard(const std::string& config) {
        originalRunDirectory_ = RunDirectory();
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        std::wstring dir = std::wstring(temp) + L"orvanto-menus-" +
                           std::to_wstring(GetCurrentProcessId()) + L"-" +
                           std::to_wstring(++counter_);
        runDirectory_ = dir;
        CreateDirectoryW(dir.c_str(), nullptr);
        CreateDirectoryW((dir + L"\\configure").c_str(), nullptr);
        CreateDirectoryW((dir + L"\\data").c_str(), nullptr);
        // The two DLLs, found where the program looks for them.
        const std::wstring from = LocalToWide(originalRunDirectory_) + L"\\data\\";
        for (const wchar_t* dll : {L"treedoc.dll", L"shellglyph.dll"}) {
            CopyFileW((from + dll).c_str(), (dir + L"\\data\\" + dll).c_str(), FALSE);
        }
        ASSERT_TRUE(WriteWholeFile(WideToLocal(dir) + "\\configure\\navigation.json", config));
        SetRunDirectoryForTesting(WideToLocal(dir));

        CreateGlobals();
        MainWindow = ui::Window::Create(MainWindowDesign(), handler_);
        ASSERT_TRUE(MainWindow);
        MainWindow->Show();
        ui::ProcessPendingMessages();
    }

    std::vector<std::string> EntryNames(int category) {
        std::vector<std::string> names;
        const auto categories = GlobalBoard->SnapshotCategories();
        if (category < 1 || category > static_cast<int>(categories.size())) return names;
        for (const auto& e : categories[static_cast<std::size_t>(category - 1)].Entries) {
            names.push_back(e.Name);
        }
        return names;
    }

    // The visible clones of a template, in the order of their tags.
    static std::vector<ui::Control*> VisibleClones(ui::Window& window, std::string_view name) {
        std::vector<ui::Control*> out;
        for (ui::Control* c : window.Controls()) {
            if (c->Name() == name && c->Visible() && !c->Tag().empty()) out.push_back(c);
        }
        return out;
    }

    ui::Control* TileClone(int index) {
        for (ui::Control* c : MainWindow->Controls()) {
            if (c->Name() == "TileButton" && c->Tag() == std::to_string(index)) return c;
        }
        return nullptr;
    }

    std::string ConfigText() {
        const Bytes bytes = ReadWholeFile(WideToLocal(runDirectory_) + "\\configure\\navigation.json");
        return std::string(bytes.begin(), bytes.end());
    }

    std::wstring runDirectory_;

private:
    static void RemoveTree(const std::wstring& dir) {
        if (dir.empty()) return;
        std::wstring from = dir + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }

    LoadingHandler handler_;
    std::string originalRunDirectory_;
    static inline int counter_ = 0;
};

}  // namespace orv::testing
