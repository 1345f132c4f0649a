#pragma once
// Small owners for the library's handles in the native tests.
#include <string>

#include "treedoc_api.h"

struct ParsedDocument {
    explicit ParsedDocument(const char* text) : handle(parse(text)) {}
    explicit ParsedDocument(const std::string& text) : ParsedDocument(text.c_str()) {}
    ~ParsedDocument() { free_(handle); }
    ParsedDocument(const ParsedDocument&) = delete;
    ParsedDocument& operator=(const ParsedDocument&) = delete;
    int32_t handle;
};

struct OwnedBuffer {
    OwnedBuffer() : handle(new_buffer()) {}
    ~OwnedBuffer() { delete_buffer(handle); }
    OwnedBuffer(const OwnedBuffer&) = delete;
    OwnedBuffer& operator=(const OwnedBuffer&) = delete;
    int32_t handle;
};

struct OwnedWriter {
    OwnedWriter() : handle(new_writer(buffer.handle)) {}
    ~OwnedWriter() { delete_writer(handle); }
    OwnedWriter(const OwnedWriter&) = delete;
    OwnedWriter& operator=(const OwnedWriter&) = delete;
    std::string Text() const { return get_all_string(buffer.handle); }
    OwnedBuffer buffer;
    int32_t handle;
};

// The compact JSON of a whole document.
inline std::string JsonOf(int32_t value, const char* pointer = "") {
    OwnedBuffer buffer;
    return get_pointer_string(value, buffer.handle, pointer);
}
