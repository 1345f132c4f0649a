#pragma once
// Local text is code page 936 bytes, whatever the system's ANSI code page;
// UTF-16 exists only at the call into a W function, UTF-8 only at the JSON
// library's boundary.
#include <string>
#include <string_view>

namespace orv {

// Code page 936 to UTF-8; empty on failure.
std::string LocalToUtf8(std::string_view local);
// UTF-8 to code page 936; empty on failure.
std::string Utf8ToLocal(std::string_view utf8);
// Code page 936 to UTF-16 for a W function; empty on failure.
std::wstring LocalToWide(std::string_view local);
// UTF-16 to code page 936. When lossless is given it tells whether every
// character had a code page 936 form (no replacement was needed).
std::string WideToLocal(std::wstring_view wide, bool* lossless = nullptr);

}  // namespace orv
