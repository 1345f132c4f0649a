#pragma once
// Whole-file reads and writes on local-text paths, always through the W
// functions. Failures are quiet: empty bytes or false.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

using Bytes = std::vector<std::uint8_t>;

bool FileExists(std::string_view path);
// Opens with full sharing; retries a failed open 50 times, 20 ms apart.
// Empty bytes for a missing, empty or unopenable file.
Bytes ReadWholeFile(std::string_view path);
// Atomic replace: a temporary file in the same directory, every byte
// checked, flushed, then renamed over the target (retried while another
// program holds it). On failure the target is as it was.
bool WriteWholeFile(std::string_view path, std::string_view data);
// Creates every missing directory of the path.
bool EnsureDirectoryPath(std::string_view directory);

}  // namespace orv
