#include "core/json_layout.h"

#include <vector>

namespace orv {
namespace {

// One replace-all pass: every '{' or ',' (the trigger) directly followed by a
// double quote that opens a string gets CR LF after it. Quotes and escapes
// are tracked so nothing inside a string counts; a two-byte character is
// stepped over whole.
std::string BreakBeforeKeys(std::string_view text, char trigger) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && i + 1 < text.size()) {
            out += c;
            out += text[++i];
            continue;
        }
        out += c;
        if (inString) {
            if (c == '\\' && i + 1 < text.size()) {
                out += text[++i];
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == trigger && i + 1 < text.size() && text[i + 1] == '"') {
            out += "\r\n";
        }
    }
    return out;
}

// "}}" becomes "}\r\n}" outside strings, scanning left to right without
// overlap: "}}}" gives one break, after the first brace.
std::string BreakBetweenClosingBraces(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && i + 1 < text.size()) {
            out += c;
            out += text[++i];
            continue;
        }
        if (inString) {
            out += c;
            if (c == '\\' && i + 1 < text.size()) {
                out += text[++i];
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') inString = true;
        if (c == '}' && i + 1 < text.size() && text[i + 1] == '}') {
            out += "}\r\n}";
            ++i;
            continue;
        }
        out += c;
    }
    return out;
}

}  // namespace

std::string LayOutJson(std::string_view compactLocalText) {
    // Three passes in this order, each over the previous one's result.
    std::string text = BreakBeforeKeys(compactLocalText, '{');
    text = BreakBeforeKeys(text, ',');
    return BreakBetweenClosingBraces(text);
}

}  // namespace orv
