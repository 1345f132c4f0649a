#include "core/config_text.h"

#include <algorithm>
#include <cstddef>

namespace orv {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool HasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char first = static_cast<unsigned char>(bytes[i]);
        if (first < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        // The allowed range of the second byte rules out overlong forms,
        // surrogates (ED A0..BF) and code points above U+10FFFF.
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (first >= 0xC2 && first <= 0xDF) {
            length = 2;
        } else if (first >= 0xE0 && first <= 0xEF) {
            length = 3;
            if (first == 0xE0) low = 0xA0;
            if (first == 0xED) high = 0x9F;
        } else if (first >= 0xF0 && first <= 0xF4) {
            length = 4;
            if (first == 0xF0) low = 0x90;
            if (first == 0xF4) high = 0x8F;
        } else {
            return false;  // a continuation byte, C0, C1 or F5..FF
        }
        if (bytes.size() - i < length) return false;
        const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < low || second > high) return false;
        for (std::size_t k = 2; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if (next < 0x80 || next > 0xBF) return false;
        }
        i += length;
    }
    return true;
}

ConfigText DecodeConfigBytes(std::span<const std::uint8_t> bytes) {
    const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::size_t>(zero - bytes.begin()));
    text = Trim(text);

    ConfigText result;
    if (text.starts_with(kUtf8Mark)) {
        // The mark decides, whatever follows it.
        result.text = std::string(Trim(text.substr(kUtf8Mark.size())));
        result.encoding = ConfigEncoding::Utf8;
        return result;
    }
    result.text = std::string(text);
    // Plain ASCII reads the same either way and stays local text; a text that
    // is valid UTF-8 and holds other bytes was written by an editor as UTF-8.
    result.encoding = HasNonAscii(text) && IsValidUtf8(text) ? ConfigEncoding::Utf8
                                                              : ConfigEncoding::Local;
    return result;
}

}  // namespace orv
