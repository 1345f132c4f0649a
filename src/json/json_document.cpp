#include "json/json_document.h"

#include "json/library_text.h"
#include "json/treedoc_functions.h"

namespace orv {
namespace {

// Only a whole object or a whole array is a document: first and last
// character must match, with nothing around them.
bool HasDocumentShape(std::string_view text) {
    if (text.empty()) return false;
    const char first = text.front();
    const char last = text.back();
    return (first == '{' && last == '}') || (first == '[' && last == ']');
}

}  // namespace

JsonDocument::~JsonDocument() { Release(); }

bool JsonDocument::Parse(std::string_view text, int32_t flags) {
    Release();
    if (!HasDocumentShape(text)) return false;
    std::string utf8 = (flags & kTextIsUtf8) ? std::string(text) : LocalToUtf8(text);
    if (utf8.empty()) return false;
    Document = treedoc::parse(utf8.c_str());
    if (Document <= 0) {
        Document = 0;
        return false;
    }
    return true;
}

void JsonDocument::Release() {
    if (Buffer > 0) treedoc::delete_buffer(Buffer);
    Buffer = 0;
    if (Document > 0) treedoc::free_(Document);
    Document = 0;
}

bool JsonDocument::MakeBuffer() {
    if (Buffer <= 0) Buffer = treedoc::new_buffer();
    return Buffer > 0;
}

std::string JsonDocument::GetJsonText(std::string_view pointer, std::optional<int32_t> node, bool keepUtf8) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path || !MakeBuffer()) return {};
    return FromLibrary(treedoc::get_pointer_string(value, Buffer, path->c_str()), keepUtf8);
}

int32_t JsonDocument::GetNode(std::string_view pointer, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return 0;
    return treedoc::pointer_get_value(value, path->c_str());
}

int32_t JsonDocument::GetBool(std::string_view pointer, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return 0;
    return treedoc::pointer_get_bool(value, path->c_str());
}

double JsonDocument::GetDouble(std::string_view pointer, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return 0.0;
    return treedoc::pointer_get_double(value, path->c_str());
}

std::string JsonDocument::GetString(std::string_view pointer, std::optional<int32_t> node, bool keepUtf8) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return {};
    return FromLibrary(treedoc::pointer_get_string(value, path->c_str()), keepUtf8);
}

std::string JsonDocument::GetKeyAt(std::optional<int32_t> node, int32_t index) {
    const int32_t value = Choose(node);
    if (value <= 0) return {};
    return FromLibrary(treedoc::object_get_key(value, index), false);
}

int64_t JsonDocument::GetInt64(std::string_view pointer, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return 0;
    return treedoc::pointer_get_int64(value, path->c_str());
}

int32_t JsonDocument::GetInt(std::string_view pointer, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return 0;
    return treedoc::pointer_get_int(value, path->c_str());
}

int32_t JsonDocument::GetType(std::string_view pointer, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return 0;
    return treedoc::pointer_get_type(value, path->c_str());
}

int32_t JsonDocument::GetCount(std::string_view pointer, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return 0;
    return treedoc::pointer_get_count(value, path->c_str());
}

int32_t JsonDocument::Erase(std::string_view pointer, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return 0;
    return treedoc::pointer_erase_path(value, path->c_str());
}

int32_t JsonDocument::Exists(std::string_view pointer, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return 0;
    return treedoc::pointer_is_exist(value, path->c_str());
}

bool JsonDocument::SetObject(std::string_view pointer, std::string_view text, int32_t flags,
                             std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    if (value <= 0) return false;
    const auto path = ToLibrary(pointer);
    if (!path) return false;
    JsonDocument source;
    if (!source.Parse(text, flags)) return false;
    // The library copies the value; the temporary document goes right after.
    return treedoc::pointer_set_object(value, 0, path->c_str(), source.GetRoot()) != 0;
}

bool JsonDocument::SetString(std::string_view pointer, std::string_view text, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    const auto content = ToLibrary(text);
    if (value <= 0 || !path || !content) return false;
    return treedoc::pointer_set_string(value, 0, path->c_str(), content->c_str()) != 0;
}

bool JsonDocument::SetBool(std::string_view pointer, int32_t flag, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return false;
    return treedoc::pointer_set_bool(value, 0, path->c_str(), flag) != 0;
}

bool JsonDocument::SetInt(std::string_view pointer, int32_t number, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return false;
    return treedoc::pointer_set_int(value, 0, path->c_str(), number) != 0;
}

bool JsonDocument::SetDouble(std::string_view pointer, double number, std::optional<int32_t> node) {
    const int32_t value = Choose(node);
    const auto path = ToLibrary(pointer);
    if (value <= 0 || !path) return false;
    return treedoc::pointer_set_double(value, 0, path->c_str(), number) != 0;
}

std::string JsonDocument::ToText(bool keepUtf8) {
    if (Document <= 0 || !MakeBuffer()) return {};
    return FromLibrary(treedoc::get_pointer_string(Document, Buffer, ""), keepUtf8);
}

}  // namespace orv
