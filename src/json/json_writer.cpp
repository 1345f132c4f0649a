#include "json/json_writer.h"

#include <cmath>

#include "core/json_layout.h"
#include "json/library_text.h"
#include "json/treedoc_functions.h"

namespace orv {
namespace {

// A key for the library: nothing when it has no UTF-8 form.
using LibraryText = std::optional<std::string>;

}  // namespace

JsonWriter::~JsonWriter() { Release(); }

bool JsonWriter::Begin() {
    Release();
    Buffer = treedoc::new_buffer();
    if (Buffer <= 0) return false;
    Writer = treedoc::new_writer(Buffer);
    if (Writer <= 0) return false;
    StartObject();
    return true;
}

void JsonWriter::Release() {
    if (Buffer > 0) {
        treedoc::buffer_clear(Buffer);
        treedoc::delete_buffer(Buffer);
    }
    Buffer = 0;
    if (Writer > 0) treedoc::delete_writer(Writer);
    Writer = 0;
}

void JsonWriter::ClearBuffer() {
    if (IsOpen()) treedoc::buffer_clear(Buffer);
}

std::string JsonWriter::GetText(bool keepUtf8, bool pretty) {
    if (!IsOpen()) return {};
    EndObject();
    std::string text = FromLibrary(treedoc::get_all_string(Buffer), keepUtf8);
    if (pretty) text = LayOutJson(text);
    Release();
    return text;
}

int32_t JsonWriter::StartObject(std::string_view key) {
    const LibraryText name = ToLibrary(key);
    if (!IsOpen() || !name) return 0;
    return treedoc::start_object(Writer, name->c_str());
}

int32_t JsonWriter::EndObject() { return IsOpen() ? treedoc::end_object(Writer) : 0; }

int32_t JsonWriter::StartArray(std::string_view key) {
    const LibraryText name = ToLibrary(key);
    if (!IsOpen() || !name) return 0;
    return treedoc::start_array(Writer, name->c_str());
}

int32_t JsonWriter::EndArray() { return IsOpen() ? treedoc::end_array(Writer) : 0; }

int32_t JsonWriter::WriteNull() { return IsOpen() ? treedoc::set_null(Writer) : 0; }

int32_t JsonWriter::WriteString(std::string_view value) {
    const LibraryText text = ToLibrary(value);
    if (!IsOpen() || !text) return 0;
    return treedoc::set_string(Writer, text->c_str());
}

int32_t JsonWriter::WriteRawString(std::string_view json) {
    const LibraryText text = ToLibrary(json);
    if (!IsOpen() || !text) return 0;
    return treedoc::set_raw_string(Writer, text->c_str());
}

int32_t JsonWriter::WriteBool(int32_t value) { return IsOpen() ? treedoc::set_bool(Writer, value) : 0; }

int32_t JsonWriter::WriteInt(int32_t value) { return IsOpen() ? treedoc::set_int(Writer, value) : 0; }

int32_t JsonWriter::WriteInt64(int64_t value) { return IsOpen() ? treedoc::set_int64(Writer, value) : 0; }

int32_t JsonWriter::WriteDouble(double value) { return IsOpen() ? treedoc::set_double(Writer, value) : 0; }

int32_t JsonWriter::WriteKeyNull(std::string_view key) {
    const LibraryText name = ToLibrary(key);
    if (!IsOpen() || !name) return 0;
    return treedoc::set_key_null(Writer, name->c_str());
}

int32_t JsonWriter::WriteKeyString(std::string_view key, std::string_view value) {
    const LibraryText name = ToLibrary(key);
    const LibraryText text = ToLibrary(value);
    if (!IsOpen() || !name || !text) return 0;
    return treedoc::set_key_string(Writer, name->c_str(), text->c_str());
}

int32_t JsonWriter::WriteKeyRawString(std::string_view key, std::string_view json) {
    const LibraryText name = ToLibrary(key);
    const LibraryText text = ToLibrary(json);
    if (!IsOpen() || !name || !text) return 0;
    return treedoc::set_key_raw_string(Writer, name->c_str(), text->c_str());
}

int32_t JsonWriter::WriteKeyBool(std::string_view key, int32_t value) {
    const LibraryText name = ToLibrary(key);
    if (!IsOpen() || !name) return 0;
    return treedoc::set_key_bool(Writer, name->c_str(), value);
}

int32_t JsonWriter::WriteKeyInt(std::string_view key, int32_t value) {
    const LibraryText name = ToLibrary(key);
    if (!IsOpen() || !name) return 0;
    return treedoc::set_key_int(Writer, name->c_str(), value);
}

int32_t JsonWriter::WriteKeyInt64(std::string_view key, int64_t value) {
    const LibraryText name = ToLibrary(key);
    if (!IsOpen() || !name) return 0;
    return treedoc::set_key_int64(Writer, name->c_str(), value);
}

int32_t JsonWriter::WriteKeyNumber(std::string_view key, double value) {
    const LibraryText name = ToLibrary(key);
    if (!IsOpen() || !name) return 0;
    const double whole = std::trunc(value);
    // An integer part outside 32 bits, NaN and the infinities stay doubles
    // (the library refuses the last two).
    const bool fitsInt = std::isfinite(value) && whole >= -2147483648.0 && whole <= 2147483647.0;
    if (!fitsInt || std::fabs(value - whole) > 0.0000001)
        return treedoc::set_key_double(Writer, name->c_str(), value);
    return treedoc::set_key_int(Writer, name->c_str(), static_cast<int32_t>(whole));
}

}  // namespace orv
