#pragma once
// MD5 through the CryptoAPI.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Digest bytes for a CryptoAPI algorithm id (CALG_MD5, ...); empty on failure.
std::vector<std::uint8_t> HashBytes(std::string_view data, unsigned algorithm);
std::string BytesToHex(const std::vector<std::uint8_t>& bytes, bool upperCase);
// 32 hexadecimal digits, or empty on failure.
std::string Md5Hex(std::string_view data, bool upperCase = false);

}  // namespace orv
