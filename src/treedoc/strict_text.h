#pragma once
// What the library accepts as text: strict UTF-8 and strict JSON.
#include <cstddef>
#include <string_view>

#include "store.h"

namespace treedoc {

// RFC 3629 UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
[[nodiscard]] bool IsStrictUtf8(std::string_view text);

// A zero-terminated text as a view; a null pointer is the empty text.
[[nodiscard]] std::string_view TextOf(const char* text);

// The texts below must be zero-terminated views (text.data()[text.size()] is
// 0), as every text reaching the library is.

// Parses one RFC 8259 value into document: strict UTF-8, no lone surrogate
// escapes, and the iterative parser, so deep nesting cannot exhaust the stack.
// On failure the document is left null.
[[nodiscard]] bool ParseStrict(std::string_view text, Document& document);

// Whether text is one complete JSON value by the same rules.
[[nodiscard]] bool IsStrictJson(std::string_view text);

}  // namespace treedoc
