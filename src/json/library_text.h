#pragma once
// Text at the treedoc boundary, shared by JsonDocument and JsonWriter.
#include <optional>
#include <string>
#include <string_view>

#include "model/text.h"

namespace orv {

// Local text for the library: UTF-8, or nothing when a non-empty text has no
// UTF-8 form (the call is then not made, rather than made with "").
[[nodiscard]] inline std::optional<std::string> ToLibrary(std::string_view local) {
    if (local.empty()) return std::string();
    std::string utf8 = LocalToUtf8(local);
    if (utf8.empty()) return std::nullopt;
    return utf8;
}

// A text from the library, copied at once; a null text is the empty text.
[[nodiscard]] inline std::string FromLibrary(const char* utf8, bool keepUtf8) {
    if (!utf8 || !*utf8) return {};
    std::string copy(utf8);
    return keepUtf8 ? copy : Utf8ToLocal(copy);
}

}  // namespace orv
