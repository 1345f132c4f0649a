// Loading the board at start: the clones of the category buttons and tiles,
// the configuration file read (or created), the window placed, the first
// category shown.
#include <algorithm>
#include <string>

#include "core/config_text.h"
#include "core/frame_rules.h"
#include "json/json_document.h"
#include "model/board.h"
#include "model/config_file.h"
#include "model/text.h"
#include "toolkit/toolkit.h"

namespace orv {

namespace {

void CloneTemplates(ui::Window& window, std::string_view templateName,
                    std::span<ControlRef> clones) {
    ui::Control* design = window.Find(templateName);
    if (!design) return;
    for (size_t i = 0; i < clones.size(); ++i) {
        ui::Control& clone = window.Clone(*design);
        clone.SetTag(std::to_string(i + 1));
        clones[i].control = &clone;
    }
}

std::string CategoryPointer(int c) { return "/navigation/" + std::to_string(c); }

std::string EntryPointer(int c, int e) {
    return CategoryPointer(c) + "/file/" + std::to_string(e);
}

}  // namespace

void Board::LoadAndBuild(ui::Window& mainWindow) {
    mainWindow_ = &mainWindow;
    CloneTemplates(mainWindow, "CategoryButton", CategoryButtons);
    CloneTemplates(mainWindow, "TileButton", TileButtons);
    {
        ExclusiveHold hold(Lock);
        JsonDocument document;
        ReadConfigurationLocked(document);
        FillFromDocumentLocked(document);
        Loaded = 1;
    }
    RefreshCategoryBar();
    ShowCurrentCategory(0);
    Relayout(mainWindow.Width());
}

// Parses the file into the document, or the default content when the file
// is missing or unusable. The file is never lost on the way: an unusable one
// is kept under a .bad name before the default replaces it, and one that
// cannot be read or kept now is left alone (saving keeps it later).
void Board::ReadConfigurationLocked(JsonDocument& document) {
    const std::string path = ConfigFilePath();
    const ConfigFileRead read = ReadConfigFile(path);

    const auto parseDefault = [&] { (void)document.Parse(LocalToUtf8(DefaultConfigText()), 1); };

    if (!read.exists) {
        (void)WriteWholeFile(path, DefaultConfigText());
        parseDefault();
        return;
    }
    if (read.unreadable) {
        // Held by another program: run with the default in memory and write
        // nothing over it until its bytes can be kept.
        mustKeepUnloadedFile_ = true;
        unloadedBytes_.clear();
        parseDefault();
        return;
    }

    // White space around the text, a byte-order mark or a file saved as
    // UTF-8 by an editor are no reason to throw the board away.
    const ConfigText decoded = DecodeConfigBytes(read.bytes);
    const std::string utf8 = decoded.encoding == ConfigEncoding::Utf8
                                 ? decoded.text
                                 : LocalToUtf8(decoded.text);
    if (!utf8.empty() && document.Parse(utf8, 1)) {
        KeepStartBackup(read.bytes);
        return;
    }

    if (read.bytes.empty() || KeepUnusableFile(read.bytes)) {
        (void)WriteWholeFile(path, DefaultConfigText());
    } else {
        mustKeepUnloadedFile_ = true;
        unloadedBytes_ = read.bytes;
    }
    parseDefault();
}

void Board::FillFromDocumentLocked(JsonDocument& document) {
    CurrentCategory = 1;

    const int height = std::max(document.GetInt("/height"), kMinWindowHeight);
    const int width = std::max(document.GetInt("/width"), kMinWindowWidth);
    const int left = document.GetInt("/left");
    const int top = document.GetInt("/crown");
    Startup = document.GetBool("/startup") ? 1 : 0;
    // A size change re-enters the board on this thread (Relayout, then a
    // Save that writes nothing while Loaded is 0).
    mainWindow_->SetBounds({left, top, width, height});

    // Everything in the file is loaded, also what the bar and the grid
    // cannot show, so that saving writes it back.
    Categories.clear();
    const int categoryCount = document.GetCount("/navigation");
    Categories.reserve(std::max(categoryCount, 0));
    for (int c = 0; c < categoryCount; ++c) {
        Category category;
        category.SortKey = (c + 1) * 100;
        category.Name = document.GetString(CategoryPointer(c) + "/name");
        const int entryCount = document.GetCount(CategoryPointer(c) + "/file");
        category.Entries.reserve(std::max(entryCount, 0));
        for (int e = 0; e < entryCount; ++e) {
            const std::string at = EntryPointer(c, e);
            Entry entry;
            entry.SortKey = (e + 1) * 100;
            entry.Name = document.GetString(at + "/name");
            entry.Address = document.GetString(at + "/address");
            entry.Icon = document.GetString(at + "/icon");
            entry.Command = document.GetString(at + "/command");
            entry.RootPrivilege = document.GetBool(at + "/root_privilege") ? 1 : 0;
            category.Entries.push_back(std::move(entry));
        }
        Categories.push_back(std::move(category));
    }
    // The first category is shown; with none, no category is current.
    ClampCurrentCategoryLocked();
}

}  // namespace orv
