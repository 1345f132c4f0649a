#pragma once
// Turning the bytes of the configuration file into the UTF-8 text the JSON
// library parses: white space around the text is ignored, a UTF-8 byte-order
// mark means UTF-8, a file that is valid UTF-8 with non-ASCII bytes is read
// as UTF-8, anything else is code page 936 (converted by the caller).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orv {

enum class ConfigEncoding { Local, Utf8 };

struct ConfigText {
    std::string text;          // the bytes up to the first zero byte, trimmed
    ConfigEncoding encoding = ConfigEncoding::Local;
};

ConfigText DecodeConfigBytes(std::span<const std::uint8_t> bytes);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

}  // namespace orv
