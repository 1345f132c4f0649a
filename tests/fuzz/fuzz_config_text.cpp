// The configuration bytes: the UTF-8 check against a plain decoder that works
// the code points out, and the decoding's own promises.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/config_text.h"
#include "fuzz_input.h"

namespace {

// Decodes each sequence to its code point and then judges it, unlike the
// checker under test, which judges the bytes by ranges.
bool ReferenceIsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        std::size_t length;
        std::uint32_t cp;
        if (b < 0x80) {
            length = 1;
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            length = 2;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (bytes.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using orv::fuzz::Check;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(orv::IsValidUtf8(bytes) == ReferenceIsValidUtf8(bytes));

    const orv::ConfigText decoded = orv::DecodeConfigBytes(std::span<const std::uint8_t>(data, size));
    Check(decoded.text.find('\0') == std::string::npos);
    Check(decoded.text.size() <= size);
    if (!decoded.text.empty()) Check(!IsBlank(decoded.text.front()) && !IsBlank(decoded.text.back()));
    std::string_view cut = bytes.substr(0, bytes.find('\0'));
    while (!cut.empty() && IsBlank(cut.front())) cut.remove_prefix(1);
    const bool marked = cut.starts_with("\xEF\xBB\xBF");
    if (decoded.encoding == orv::ConfigEncoding::Utf8 && !marked) Check(orv::IsValidUtf8(decoded.text));
    if (decoded.encoding == orv::ConfigEncoding::Local) {
        bool ascii = true;
        for (const char c : decoded.text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        Check(ascii || !orv::IsValidUtf8(decoded.text));
    }
    return 0;
}
