// Saving the board: the whole text is rebuilt every time and written only
// when its digest differs from that of the text last written.
#include "json/json_writer.h"
#include "model/board.h"
#include "model/config_file.h"
#include "model/file_io.h"
#include "model/md5.h"
#include "toolkit/toolkit.h"

namespace orv {

void Board::Save() {
    ExclusiveHold hold(Lock);
    // Nothing before loading has filled the model (this includes the saves
    // that loading itself causes when it sizes the window).
    if (!Loaded || !mainWindow_) return;
    // While the user drags an edge every size change would rewrite the
    // file; the end of the drag writes once instead.
    if (inSizeMove_) {
        savePending_ = true;
        return;
    }
    WriteConfigurationLocked();
}

void Board::BeginSizeMove() {
    ExclusiveHold hold(Lock);
    inSizeMove_ = true;
}

void Board::EndSizeMove() {
    ExclusiveHold hold(Lock);
    inSizeMove_ = false;
    if (savePending_) {
        savePending_ = false;
        if (Loaded && mainWindow_) WriteConfigurationLocked();
    }
}

void Board::FlushPendingSave() {
    ExclusiveHold hold(Lock);
    if (savePending_) {
        savePending_ = false;
        if (Loaded && mainWindow_) WriteConfigurationLocked();
    }
}

void Board::WriteConfigurationLocked() {
    JsonWriter writer;
    if (!writer.Begin()) return;
    const Rect bounds = mainWindow_->Bounds();
    writer.WriteKeyInt("width", bounds.width);
    writer.WriteKeyInt("height", bounds.height);
    writer.WriteKeyInt("left", bounds.left);
    writer.WriteKeyInt("crown", bounds.top);
    writer.WriteKeyBool("startup", Startup != 0);
    writer.StartArray("navigation");
    for (const Category& category : Categories) {
        writer.StartObject();
        writer.WriteKeyString("name", category.Name);
        writer.StartArray("file");
        for (const Entry& entry : category.Entries) {
            writer.StartObject();
            writer.WriteKeyString("name", entry.Name);
            writer.WriteKeyString("address", entry.Address);
            writer.WriteKeyString("icon", entry.Icon);
            writer.WriteKeyString("command", entry.Command);
            writer.WriteKeyBool("root_privilege", entry.RootPrivilege != 0);
            writer.EndObject();
        }
        writer.EndArray();
        writer.EndObject();
    }
    writer.EndArray();
    const std::string text = writer.GetText(false, true);

    // An empty text (the JSON library failed) never replaces the file.
    if (text.empty()) return;
    // Without a digest the text cannot be compared; the file stays as it is.
    const std::string digest = Md5Hex(text);
    if (digest.empty() || digest == SavedDigest) return;
    if (mustKeepUnloadedFile_ && !KeepUnloadedFileLocked()) return;
    // The digest is taken only for a text that reached the disk, so a
    // failed write is tried again by the next save.
    if (WriteWholeFile(ConfigFilePath(), text)) SavedDigest = digest;
}

// The file on disk was not loaded: keep its bytes under a .bad name before
// the first write replaces it. False while that is not possible yet.
bool Board::KeepUnloadedFileLocked() {
    const std::string path = ConfigFilePath();
    if (unloadedBytes_.empty()) {
        if (FileExists(path)) {
            auto bytes = ReadFileOnce(path);
            if (!bytes) return false;
            unloadedBytes_ = std::move(*bytes);
        }
    }
    if (!unloadedBytes_.empty() && !KeepUnusableFile(unloadedBytes_)) return false;
    unloadedBytes_.clear();
    mustKeepUnloadedFile_ = false;
    return true;
}

}  // namespace orv
