#include "json/treedoc_functions.h"

#include "json/dll_binding.h"

namespace orv::treedoc {

int32_t parse(const char* text) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(const char*)>(L"treedoc", "parse");
    return bound(text);
}

void free_(int32_t document) {
    static const auto bound = BoundFunction<void(__stdcall*)(int32_t)>(L"treedoc", "free_");
    bound(document);
}

int32_t new_buffer() {
    static const auto bound = BoundFunction<int32_t(__stdcall*)()>(L"treedoc", "new_buffer");
    return bound();
}

void buffer_clear(int32_t buffer) {
    static const auto bound = BoundFunction<void(__stdcall*)(int32_t)>(L"treedoc", "buffer_clear");
    bound(buffer);
}

void delete_buffer(int32_t buffer) {
    static const auto bound = BoundFunction<void(__stdcall*)(int32_t)>(L"treedoc", "delete_buffer");
    bound(buffer);
}

const char* get_pointer_string(int32_t value, int32_t buffer, const char* pointer) {
    static const auto bound = BoundFunction<const char*(__stdcall*)(int32_t, int32_t, const char*)>(L"treedoc", "get_pointer_string");
    return bound(value, buffer, pointer);
}

int32_t pointer_get_value(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_get_value");
    return bound(value, pointer);
}

int32_t pointer_get_bool(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_get_bool");
    return bound(value, pointer);
}

int32_t pointer_get_int(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_get_int");
    return bound(value, pointer);
}

int64_t pointer_get_int64(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<int64_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_get_int64");
    return bound(value, pointer);
}

double pointer_get_double(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<double(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_get_double");
    return bound(value, pointer);
}

const char* pointer_get_string(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<const char*(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_get_string");
    return bound(value, pointer);
}

int32_t pointer_get_type(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_get_type");
    return bound(value, pointer);
}

int32_t pointer_get_count(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_get_count");
    return bound(value, pointer);
}

int32_t pointer_is_exist(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_is_exist");
    return bound(value, pointer);
}

int32_t pointer_erase_path(int32_t value, const char* pointer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "pointer_erase_path");
    return bound(value, pointer);
}

const char* object_get_key(int32_t value, int32_t index) {
    static const auto bound = BoundFunction<const char*(__stdcall*)(int32_t, int32_t)>(L"treedoc", "object_get_key");
    return bound(value, index);
}

int32_t pointer_set_string(int32_t value, int32_t reserved, const char* pointer, const char* text) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, int32_t, const char*, const char*)>(L"treedoc", "pointer_set_string");
    return bound(value, reserved, pointer, text);
}

int32_t pointer_set_bool(int32_t value, int32_t reserved, const char* pointer, int32_t flag) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, int32_t, const char*, int32_t)>(L"treedoc", "pointer_set_bool");
    return bound(value, reserved, pointer, flag);
}

int32_t pointer_set_int(int32_t value, int32_t reserved, const char* pointer, int32_t number) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, int32_t, const char*, int32_t)>(L"treedoc", "pointer_set_int");
    return bound(value, reserved, pointer, number);
}

int32_t pointer_set_double(int32_t value, int32_t reserved, const char* pointer, double number) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, int32_t, const char*, double)>(L"treedoc", "pointer_set_double");
    return bound(value, reserved, pointer, number);
}

int32_t pointer_set_object(int32_t value, int32_t reserved, const char* pointer, int32_t source) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, int32_t, const char*, int32_t)>(L"treedoc", "pointer_set_object");
    return bound(value, reserved, pointer, source);
}

int32_t new_writer(int32_t buffer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t)>(L"treedoc", "new_writer");
    return bound(buffer);
}

void delete_writer(int32_t writer) {
    static const auto bound = BoundFunction<void(__stdcall*)(int32_t)>(L"treedoc", "delete_writer");
    bound(writer);
}

const char* get_all_string(int32_t buffer) {
    static const auto bound = BoundFunction<const char*(__stdcall*)(int32_t)>(L"treedoc", "get_all_string");
    return bound(buffer);
}

int32_t start_object(int32_t writer, const char* key) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "start_object");
    return bound(writer, key);
}

int32_t start_array(int32_t writer, const char* key) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "start_array");
    return bound(writer, key);
}

int32_t end_object(int32_t writer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t)>(L"treedoc", "end_object");
    return bound(writer);
}

int32_t end_array(int32_t writer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t)>(L"treedoc", "end_array");
    return bound(writer);
}

int32_t set_null(int32_t writer) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t)>(L"treedoc", "set_null");
    return bound(writer);
}

int32_t set_string(int32_t writer, const char* text) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "set_string");
    return bound(writer, text);
}

int32_t set_raw_string(int32_t writer, const char* text) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "set_raw_string");
    return bound(writer, text);
}

int32_t set_bool(int32_t writer, int32_t flag) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, int32_t)>(L"treedoc", "set_bool");
    return bound(writer, flag);
}

int32_t set_int(int32_t writer, int32_t number) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, int32_t)>(L"treedoc", "set_int");
    return bound(writer, number);
}

int32_t set_int64(int32_t writer, int64_t number) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, int64_t)>(L"treedoc", "set_int64");
    return bound(writer, number);
}

int32_t set_double(int32_t writer, double number) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, double)>(L"treedoc", "set_double");
    return bound(writer, number);
}

int32_t set_key_null(int32_t writer, const char* key) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*)>(L"treedoc", "set_key_null");
    return bound(writer, key);
}

int32_t set_key_string(int32_t writer, const char* key, const char* text) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*, const char*)>(L"treedoc", "set_key_string");
    return bound(writer, key, text);
}

int32_t set_key_raw_string(int32_t writer, const char* key, const char* text) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*, const char*)>(L"treedoc", "set_key_raw_string");
    return bound(writer, key, text);
}

int32_t set_key_bool(int32_t writer, const char* key, int32_t flag) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*, int32_t)>(L"treedoc", "set_key_bool");
    return bound(writer, key, flag);
}

int32_t set_key_int(int32_t writer, const char* key, int32_t number) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*, int32_t)>(L"treedoc", "set_key_int");
    return bound(writer, key, number);
}

int32_t set_key_int64(int32_t writer, const char* key, int64_t number) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*, int64_t)>(L"treedoc", "set_key_int64");
    return bound(writer, key, number);
}

int32_t set_key_double(int32_t writer, const char* key, double number) {
    static const auto bound = BoundFunction<int32_t(__stdcall*)(int32_t, const char*, double)>(L"treedoc", "set_key_double");
    return bound(writer, key, number);
}

}  // namespace orv::treedoc
