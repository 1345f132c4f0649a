#include "model/md5.h"

#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

TEST(Md5, RfcTestSuiteDigests) {
    const struct {
        std::string message;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"1234567890123456789012345678901234567890"
         "1234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) EXPECT_EQ(Md5Hex(c.message), c.digest) << '"' << c.message << '"';
}

TEST(Md5, UpperCaseDigestAndBytesAfterAZero) {
    EXPECT_EQ(Md5Hex("abc", true), "900150983CD24FB0D6963F7D28E17F72");
    // The whole buffer is hashed, not a C string up to its first zero.
    EXPECT_EQ(Md5Hex(std::string(1, '\0')), "93b885adfe0da089cdf634904fd59f71");
}

TEST(Md5, HashBytesTakesTheAlgorithmAndFailsEmptyForAnUnknownOne) {
    EXPECT_EQ(HashBytes("abc", CALG_MD5).size(), 16u);
    EXPECT_EQ(BytesToHex(HashBytes("abc", CALG_SHA1), false),
              "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_TRUE(HashBytes("abc", 0).empty());
}

TEST(Md5, BytesToHexWritesTwoDigitsPerByteInTheAskedCase) {
    const std::vector<std::uint8_t> bytes = {0x00, 0x0F, 0xA0, 0xFF};
    EXPECT_EQ(BytesToHex(bytes, false), "000fa0ff");
    EXPECT_EQ(BytesToHex(bytes, true), "000FA0FF");
    EXPECT_EQ(BytesToHex({}, false), "");
}

}  // namespace
}  // namespace orv
