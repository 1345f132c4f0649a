#pragma once
// The saved configuration's line layout: a line break after the opening
// brace of every object that starts with a member, after every comma before a
// key, and between two closing braces. Breaks go only outside string values,
// so names holding "{", "," or "}}" stay intact.
#include <string>
#include <string_view>

namespace orv {

// compactLocalText is compact JSON in code page 936 (a byte of 0x80 or above
// starts a two-byte character, whose second byte may look like ASCII).
// Lines are separated by CR LF; there is no indentation.
[[nodiscard]] std::string LayOutJson(std::string_view compactLocalText);

}  // namespace orv
