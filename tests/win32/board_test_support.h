#pragma once
// A board on a real, hidden main window in a temporary run directory: the
// two DLLs copied into data\, configure\ empty until a test writes it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/board.h"
#include "toolkit/toolkit.h"

namespace orv::testing {

using Bytes = std::vector<std::uint8_t>;

std::string ToString(const Bytes& bytes);
// a + b; a plain concatenation of a literal and a temporary trips a false
// warning of the optimiser.
std::string Join(std::string_view a, std::string_view b);
Bytes ToBytes(std::string_view text);

// Folder of the running test exe (local text).
std::string TestExeDirectory();

// A fresh folder under %TEMP%, removed with everything in it at the end.
class TempDirectory {
public:
    explicit TempDirectory(std::string_view prefix);
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Writes bytes to a file, creating its folder (test set-up; the program's
// own writer is not used for it).
bool PutFile(const std::string& path, std::string_view bytes);
// The file's bytes, or none when it cannot be read.
bool GetFile(const std::string& path, Bytes& bytes);
bool FileThere(const std::string& path);
// Names of the files directly in a folder (local text), sorted.
std::vector<std::string> FilesIn(const std::string& folder);

class BoardHarness : public ui::EventHandler {
public:
    BoardHarness();
    BoardHarness(const BoardHarness&) = delete;
    BoardHarness& operator=(const BoardHarness&) = delete;
    ~BoardHarness();

    const std::string& RunDir() const { return dir_.Path(); }
    std::string ConfigPath() const { return RunDir() + "\\configure\\navigation.json"; }
    void WriteConfig(std::string_view bytes) const;
    std::string ReadConfig() const;  // empty when missing

    // The window as the shell makes it, then the board loaded on it.
    void Load();
    Board& board() { return board_; }
    ui::Window& window() { return *window_; }
    ui::Control& Control(std::string_view name) const;
    ui::Control& CategoryButton(int i) const;  // clone i (from 1)
    ui::Control& Tile(int i) const;            // clone i (from 1)
    int sizeChanges() const { return sizeChanges_; }

    void OnEvent(const ui::Event& event) noexcept override;

private:
    TempDirectory dir_;
    Board board_;
    ui::WindowPtr window_;
    int sizeChanges_ = 0;
};

// The configuration text the program writes, assembled for expectations:
// one category per element, each a name and its entries. Texts are given as
// they are in memory; the layout escapes them.
struct TextEntry {
    std::string name;
    std::string address;
    std::string icon;
    std::string command;
    bool rootPrivilege = false;
};
struct TextCategory {
    std::string name;
    std::vector<TextEntry> entries;
};
std::string ProgramLayout(int width, int height, int left, int top, bool startup,
                          const std::vector<TextCategory>& categories);

}  // namespace orv::testing
