// The JSON library's C functions on any text: parse, then read the document
// through every getter with a pointer taken from the input.
//
// Input: the pointer up to the first newline, the JSON text after it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_input.h"
#include "treedoc_api.h"

namespace {

void ReadThrough(std::int32_t value, std::int32_t buffer, const char* pointer) {
    using orv::fuzz::Check;
    Check(get_pointer_string(value, buffer, pointer) != nullptr);
    (void)pointer_get_bool(value, pointer);
    (void)pointer_get_int(value, pointer);
    (void)pointer_get_int64(value, pointer);
    (void)pointer_get_double(value, pointer);
    const char* text = pointer_get_string(value, pointer);
    Check(text != nullptr);
    (void)std::strlen(text);
    const std::int32_t type = pointer_get_type(value, pointer);
    Check(type >= kTreedocMissing && type <= kTreedocNumber);
    const std::int32_t count = pointer_get_count(value, pointer);
    Check(count >= 0);
    (void)pointer_is_exist(value, pointer);
    const std::int32_t inner = pointer_get_value(value, pointer);
    if (inner > 0) {
        for (std::int32_t i = 0; i < count && i < 8; ++i) Check(object_get_key(inner, i) != nullptr);
        Check(get_pointer_string(inner, buffer, "") != nullptr);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string pointer = newline == std::string::npos ? std::string() : input.substr(0, newline);
    const std::string text = newline == std::string::npos ? input : input.substr(newline + 1);

    const std::int32_t buffer = new_buffer();
    const std::int32_t document = parse(text.c_str());
    if (document > 0) {
        ReadThrough(document, buffer, pointer.c_str());
        ReadThrough(document, buffer, "");
        ReadThrough(document, buffer, "/0");
        if (pointer_erase_path(document, pointer.c_str()) != 0) ReadThrough(document, buffer, "");
        free_(document);
        // a freed handle is refused, not read
        orv::fuzz::Check(pointer_get_type(document, "") == kTreedocMissing);
    }
    delete_buffer(buffer);
    return 0;
}
