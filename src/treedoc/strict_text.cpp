#include "strict_text.h"

#include <cstdint>
#include <cstring>

#include <rapidjson/reader.h>

namespace treedoc {
namespace {

// The text is checked as strict UTF-8 before the reader sees it (below), so
// the reader's own encoding check would only go over the bytes a second time.
constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag;

// The reader validates the input's own bytes, but a "\uDC00" escape with no
// high half before it decodes to an encoded surrogate; such strings are
// refused here.
bool HoldsSurrogate(const char* text, rapidjson::SizeType length) {
    const char* end = text + length;
    for (const char* at = text; (at = static_cast<const char*>(std::memchr(at, 0xED, end - at))) != nullptr;
         ++at) {
        if (end - at >= 2 && static_cast<unsigned char>(at[1]) >= 0xA0) return true;
    }
    return false;
}

// Forwards every event to the real handler after checking strings.
template <typename Handler>
struct SurrogateFilter {
    Handler& next;
    bool Null() { return next.Null(); }
    bool Bool(bool b) { return next.Bool(b); }
    bool Int(int i) { return next.Int(i); }
    bool Uint(unsigned u) { return next.Uint(u); }
    bool Int64(int64_t i) { return next.Int64(i); }
    bool Uint64(uint64_t u) { return next.Uint64(u); }
    bool Double(double d) { return next.Double(d); }
    bool RawNumber(const char* s, rapidjson::SizeType n, bool copy) { return next.RawNumber(s, n, copy); }
    bool String(const char* s, rapidjson::SizeType n, bool copy) {
        return !HoldsSurrogate(s, n) && next.String(s, n, copy);
    }
    bool StartObject() { return next.StartObject(); }
    bool Key(const char* s, rapidjson::SizeType n, bool copy) {
        return !HoldsSurrogate(s, n) && next.Key(s, n, copy);
    }
    bool EndObject(rapidjson::SizeType n) { return next.EndObject(n); }
    bool StartArray() { return next.StartArray(); }
    bool EndArray(rapidjson::SizeType n) { return next.EndArray(n); }
};

template <typename Handler>
bool ParseInto(std::string_view text, Handler& handler) {
    // RapidJSON's own encoding check reads one byte past a lead byte that
    // ends the text (the terminator taken for a continuation byte), so
    // malformed UTF-8 is refused before the reader sees it.
    if (text.empty() || !IsStrictUtf8(text)) return false;
    rapidjson::StringStream stream(text.data());
    SurrogateFilter<Handler> filter{handler};
    rapidjson::Reader reader;
    return !reader.Parse<kParseFlags>(stream, filter).IsError();
}

}  // namespace

bool IsStrictUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const size_t size = text.size();
    size_t i = 0;
    while (i < size) {
        // Eight ASCII bytes at a time: names, keys and paths are mostly ASCII.
        if (size - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i, sizeof word);
            if ((word & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t tail;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            tail = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            tail = 2;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            tail = 3;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (size - i <= tail) return false;
        if (bytes[i + 1] < low || bytes[i + 1] > high) return false;
        for (size_t k = 2; k <= tail; ++k)
            if (bytes[i + k] < 0x80 || bytes[i + k] > 0xBF) return false;
        i += tail + 1;
    }
    return true;
}

std::string_view TextOf(const char* text) { return text ? std::string_view(text) : std::string_view(); }

bool ParseStrict(std::string_view text, Document& document) {
    bool parsed = false;
    auto generator = [&](Document& target) {
        parsed = ParseInto(text, target);
        return parsed;
    };
    document.Populate(generator);
    if (!parsed) document.SetNull();
    return parsed;
}

bool IsStrictJson(std::string_view text) {
    rapidjson::BaseReaderHandler<> ignore;
    return ParseInto(text, ignore);
}

}  // namespace treedoc
