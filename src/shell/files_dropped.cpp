#include "shell/files_dropped.h"

#include <string>

#include "core/line_split.h"
#include "shell/globals.h"

namespace orv {

void OnFilesDropped(const char* paths) {
    if (!GlobalBoard) return;
    const std::string text = paths ? paths : "";
    for (const std::string& path : NonEmptyLines(text)) GlobalBoard->AddEntry(path);
}

}  // namespace orv
