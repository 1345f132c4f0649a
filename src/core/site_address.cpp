#include "core/site_address.h"

namespace orv {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// "C:\..." or "C:/...": a drive path, not a one-letter scheme.
bool IsDrivePath(std::string_view address) {
    return address.size() >= 2 && IsAsciiLetter(address[0]) && address[1] == ':';
}

// A URI scheme: a letter, then letters, digits, '+', '-' or '.', then ':'.
bool HasScheme(std::string_view address) {
    if (address.empty() || !IsAsciiLetter(address[0])) return false;
    for (std::size_t i = 1; i < address.size(); ++i) {
        const char c = address[i];
        if (c == ':') return i >= 2;
        const bool schemeChar = IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' ||
                                c == '-' || c == '.';
        if (!schemeChar) return false;
    }
    return false;
}

bool IsRooted(std::string_view address) {
    return !address.empty() && (address[0] == '\\' || address[0] == '/');
}

}  // namespace

std::string ResolveSiteAddress(std::string_view address, std::string_view runDirectory) {
    if (address.empty()) return {};
    if (HasScheme(address) || IsDrivePath(address) || IsRooted(address)) {
        return std::string(address);
    }
    std::string path(runDirectory);
    if (!path.empty() && path.back() != '\\') path += '\\';
    for (const char c : address) path += (c == '/') ? '\\' : c;
    return path;
}

}  // namespace orv
