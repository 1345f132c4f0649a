#pragma once
// Where the configuration lives and how its old contents are kept: the file
// path, the default text written at the first start, the copy of an unusable
// file kept aside before the default replaces it, and the backups of the file
// as each start found it.
#include <optional>
#include <string>
#include <string_view>

#include "model/file_io.h"

namespace orv {

// <run dir>\configure and <run dir>\configure\navigation.json.
std::string ConfigDirectory();
std::string ConfigFilePath();

// The 109 bytes of the first start: seven lines joined by CR LF.
std::string_view DefaultConfigText();

// yyyymmdd-hhmmss of the local time.
std::string TimestampText();

// What reading the configuration file found.
struct ConfigFileRead {
    bool exists = false;
    bool unreadable = false;  // exists with content, but could not be opened
    Bytes bytes;
};
ConfigFileRead ReadConfigFile(const std::string& path);

// One open attempt without retries (for a file another program held when the
// board was loaded); none when it still cannot be opened.
std::optional<Bytes> ReadFileOnce(const std::string& path);

// Writes the bytes of a file that is about to be replaced to
// configure\navigation.json.<timestamp>.bad (a number is added when that
// name is taken). False when they could not be kept.
[[nodiscard]] bool KeepUnusableFile(const Bytes& bytes);

// Copies the file as this start loaded it to
// configure\backup\navigation-<timestamp>.json and keeps the newest
// kBackupsKept of them.
inline constexpr int kBackupsKept = 10;
void KeepStartBackup(const Bytes& bytes);

}  // namespace orv
