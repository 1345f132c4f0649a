#pragma once
// The address the tray menu's web site item opens. An address with a scheme
// ("https://...", "mailto:...") or an absolute path is opened as it is; any
// other address names a file inside the run directory.
#include <string>
#include <string_view>

namespace orv {

std::string ResolveSiteAddress(std::string_view address, std::string_view runDirectory);

}  // namespace orv
