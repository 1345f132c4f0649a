#pragma once
// The board: the one model-and-controller object of the launcher. Every
// public operation takes the board's lock (shared for the readers named
// below, exclusive otherwise) and releases it before it chains to
// RefreshCategoryBar, ShowCurrentCategory or Save. Indexes are 1-based;
// 0 means none. The operations live in the files of their subsystem:
// config_load.cpp, config_save.cpp (model), category_bar.cpp, tile_grid.cpp,
// add_entry.cpp, launch_entry.cpp, edit_entry.cpp (board), autostart.cpp
// (model).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/board_records.h"
#include "shell/rw_lock.h"

namespace orv {

namespace ui {
class Control;
class Window;
}  // namespace ui

class JsonDocument;

// One control of a window; empty refers to nothing. The board owns the
// reference, the window owns the control.
struct ControlRef {
    ui::Control* control = nullptr;
    explicit operator bool() const { return control != nullptr; }
    ui::Control* operator->() const { return control; }
};

inline constexpr int kCategoryButtonCount = 10;
inline constexpr int kTileButtonCount = 100;

class Board {
public:
    Board();  // the lock is created and given Init here
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;
    ~Board() = default;

    // Loading and saving (model/config_load.cpp, model/config_save.cpp).
    void LoadAndBuild(ui::Window& mainWindow);
    void Save();
    // While the user drags an edge, saves wait for the end of the drag.
    void BeginSizeMove();
    void EndSizeMove();
    void FlushPendingSave();  // WM_ENDSESSION

    // Start with Windows (model/autostart.cpp).
    void SetStartup(int on);
    int IsStartup();

    // Category bar (board/category_bar.cpp).
    void RefreshCategoryBar();
    int AddCategory();
    void CommitCategoryRename();
    void CancelCategoryRename();
    void DeleteCategory(int index);
    void SelectCategory(int index);
    void SelectCategoryWhileDragging(int index);
    void BeginCategoryRename(int index);
    int GetCurrentCategory();
    int GetCategoryCount();

    // Tile grid (board/tile_grid.cpp).
    void Relayout(int windowWidth);
    void ShowCurrentCategory(int dragMode);
    int GetEntryCount(int categoryIndex);

    // Entries (board/add_entry.cpp, board/edit_entry.cpp, board/launch_entry.cpp).
    void AddEntry(std::string_view path);
    void CommitEntryRename();
    void CancelEntryRename();
    void MoveEntry(int categoryIndex, int entryIndex, int newSortKey);
    void LaunchEntry(int entryIndex);
    void DeleteEntry(int entryIndex);
    void BeginEntryRename(int entryIndex);
    void OpenEntryFolder(int entryIndex);

    // For tests: the model as it stands (a copy taken under the lock).
    std::vector<Category> SnapshotCategories();

private:
    ui::Window* mainWindow_ = nullptr;

    int Loaded = 0;
    std::string SavedDigest;
    std::vector<Category> Categories;
    int TileColumns = 0;
    int CurrentCategory = 0;
    std::array<ControlRef, kCategoryButtonCount> CategoryButtons{};
    std::array<ControlRef, kTileButtonCount> TileButtons{};
    int Startup = 0;
    bool inSizeMove_ = false;
    bool savePending_ = false;
    // The file on disk holds bytes that were not loaded (held by another
    // program, or unusable and not yet kept aside): nothing may replace it
    // until they are kept under a .bad name. unloadedBytes_ holds them when
    // they could be read.
    bool mustKeepUnloadedFile_ = false;
    std::vector<std::uint8_t> unloadedBytes_;
    RwLock Lock;

    // Under the exclusive hold.
    void ReadConfigurationLocked(JsonDocument& document);
    void FillFromDocumentLocked(JsonDocument& document);
    void WriteConfigurationLocked();
    [[nodiscard]] bool KeepUnloadedFileLocked();
    [[nodiscard]] Category* CurrentCategoryLocked();
    void ClampCurrentCategoryLocked();
};

}  // namespace orv
