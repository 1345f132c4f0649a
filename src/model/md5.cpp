#include "model/md5.h"

#include <windows.h>
#include <wincrypt.h>

#include <climits>

#include "toolkit/handles.h"

namespace orv {

namespace {

// The CryptoAPI's provider and hash handles are integers, not kernel
// handles, and have their own release calls.
struct CryptProviderTraits {
    using Handle = HCRYPTPROV;
    static Handle Null() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static void Free(Handle h) { CryptReleaseContext(h, 0); }
};
struct CryptHashTraits {
    using Handle = HCRYPTHASH;
    static Handle Null() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static void Free(Handle h) { CryptDestroyHash(h); }
};
using CryptProvider = UniqueHandle<CryptProviderTraits>;
using CryptHash = UniqueHandle<CryptHashTraits>;

// A verify-only context needs no key container; the default container is
// the second choice.
CryptProvider AcquireProvider() {
    HCRYPTPROV provider = 0;
    if (CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
        return CryptProvider(provider);
    }
    provider = 0;
    if (CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, 0)) {
        return CryptProvider(provider);
    }
    return {};
}

}  // namespace

std::vector<std::uint8_t> HashBytes(std::string_view data, unsigned algorithm) {
    if (data.size() > static_cast<size_t>(ULONG_MAX)) return {};
    const CryptProvider provider = AcquireProvider();
    if (!provider) return {};

    HCRYPTHASH rawHash = 0;
    if (!CryptCreateHash(provider.get(), static_cast<ALG_ID>(algorithm), 0, 0, &rawHash)) {
        return {};
    }
    // Declared after the provider, so the hash is destroyed first.
    const CryptHash hash(rawHash);

    static const BYTE kNothing = 0;
    const BYTE* bytes = data.empty() ? &kNothing : reinterpret_cast<const BYTE*>(data.data());
    if (!CryptHashData(hash.get(), bytes, static_cast<DWORD>(data.size()), 0)) return {};

    DWORD length = 0;
    if (!CryptGetHashParam(hash.get(), HP_HASHVAL, nullptr, &length, 0) || length == 0) {
        return {};
    }
    std::vector<std::uint8_t> digest(length);
    if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest.data(), &length, 0)) return {};
    digest.resize(length);
    return digest;
}

std::string BytesToHex(const std::vector<std::uint8_t>& bytes, bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

std::string Md5Hex(std::string_view data, bool upperCase) {
    const std::vector<std::uint8_t> digest = HashBytes(data, CALG_MD5);
    if (digest.empty()) return {};
    return BytesToHex(digest, upperCase);
}

}  // namespace orv
