#pragma once
// The run directory: the folder of the executable, as local text, without a
// trailing backslash.
#include <string>
#include <string_view>

namespace orv {

const std::string& RunDirectory();
// The running executable's file name ("Orvanto.exe").
const std::string& ExecutableName();
// Tests point the program at a temporary run directory.
void SetRunDirectoryForTesting(std::string_view directory);

}  // namespace orv
