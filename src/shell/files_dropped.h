#pragma once
// The drop receiver's callback for the main window: each path becomes an
// entry of the current category.
namespace orv {

// One or more paths, one per CR LF separated line; empty lines are skipped.
void OnFilesDropped(const char* paths);

}  // namespace orv
