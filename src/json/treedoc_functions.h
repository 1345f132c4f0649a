#pragma once
// The treedoc functions as the program calls them. Each is bound by name at
// its first call (json/dll_binding.h) and the address kept for the run; a
// missing library or function ends the program there. The contract of each
// function (handles, who owns returned texts) is the library's own: texts
// returned are UTF-8 owned by the library and must be copied at once.
#include <cstdint>

namespace orv::treedoc {

int32_t parse(const char* text);
void free_(int32_t document);
int32_t new_buffer();
void buffer_clear(int32_t buffer);
void delete_buffer(int32_t buffer);
const char* get_pointer_string(int32_t value, int32_t buffer, const char* pointer);
int32_t pointer_get_value(int32_t value, const char* pointer);
int32_t pointer_get_bool(int32_t value, const char* pointer);
int32_t pointer_get_int(int32_t value, const char* pointer);
int64_t pointer_get_int64(int32_t value, const char* pointer);
double pointer_get_double(int32_t value, const char* pointer);
const char* pointer_get_string(int32_t value, const char* pointer);
int32_t pointer_get_type(int32_t value, const char* pointer);
int32_t pointer_get_count(int32_t value, const char* pointer);
int32_t pointer_is_exist(int32_t value, const char* pointer);
int32_t pointer_erase_path(int32_t value, const char* pointer);
const char* object_get_key(int32_t value, int32_t index);
int32_t pointer_set_string(int32_t value, int32_t reserved, const char* pointer, const char* text);
int32_t pointer_set_bool(int32_t value, int32_t reserved, const char* pointer, int32_t flag);
int32_t pointer_set_int(int32_t value, int32_t reserved, const char* pointer, int32_t number);
int32_t pointer_set_double(int32_t value, int32_t reserved, const char* pointer, double number);
int32_t pointer_set_object(int32_t value, int32_t reserved, const char* pointer, int32_t source);
int32_t new_writer(int32_t buffer);
void delete_writer(int32_t writer);
const char* get_all_string(int32_t buffer);
int32_t start_object(int32_t writer, const char* key);
int32_t start_array(int32_t writer, const char* key);
int32_t end_object(int32_t writer);
int32_t end_array(int32_t writer);
int32_t set_null(int32_t writer);
int32_t set_string(int32_t writer, const char* text);
int32_t set_raw_string(int32_t writer, const char* text);
int32_t set_bool(int32_t writer, int32_t flag);
int32_t set_int(int32_t writer, int32_t number);
int32_t set_int64(int32_t writer, int64_t number);
int32_t set_double(int32_t writer, double number);
int32_t set_key_null(int32_t writer, const char* key);
int32_t set_key_string(int32_t writer, const char* key, const char* text);
int32_t set_key_raw_string(int32_t writer, const char* key, const char* text);
int32_t set_key_bool(int32_t writer, const char* key, int32_t flag);
int32_t set_key_int(int32_t writer, const char* key, int32_t number);
int32_t set_key_int64(int32_t writer, const char* key, int64_t number);
int32_t set_key_double(int32_t writer, const char* key, double number);

}  // namespace orv::treedoc
