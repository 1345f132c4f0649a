#pragma once
// treedoc: the JSON library's plain C contract (stdcall, undecorated names).
//
// Handles: documents, values, buffers and writers are positive 32-bit
// integers from a handle table; 0 or less means none or failure. A handle
// carries its kind and a generation, so a stale or foreign handle (a freed
// document, a buffer passed as a writer, any made-up number) is rejected and
// the call returns its failure value.
//
// Ownership:
// - A document lives from parse to free_. Value handles name a place in their
//   document (the path from its root) and die with it; they are never freed
//   one by one. After the document is changed, a value handle names whatever
//   now sits at that path.
// - A buffer lives from new_buffer to delete_buffer. A writer lives from
//   new_writer to delete_writer and writes into its buffer; once the buffer is
//   deleted the writer refuses every write.
// - Every returned text is zero-terminated UTF-8 that belongs to the library:
//   copy it at once, never free it. A text from a document stays valid until
//   the document is changed or freed; a text from a buffer until the buffer is
//   next used. Failures return "" (never a null pointer).
// - Texts passed in are zero-terminated UTF-8; a null pointer is the empty
//   text. Invalid UTF-8 (including encoded surrogates) is refused.
//
// Pointers are JSON pointers (RFC 6901, "~0" and "~1" escapes, array indices
// from 0); the empty pointer names the value itself. An empty key means no key
// (the root, or an element of the innermost array).
//
// Not thread-safe: calls must not overlap in time.
#include <cstdint>

#if defined(_WIN32) && defined(__i386__)
#define TREEDOC_CALL __attribute__((stdcall))
#else
#define TREEDOC_CALL
#endif

// Type codes of pointer_get_type.
enum TreedocType : int32_t {
    kTreedocMissing = 0,
    kTreedocNull = 1,
    kTreedocFalse = 2,
    kTreedocTrue = 3,
    kTreedocObject = 4,
    kTreedocArray = 5,
    kTreedocString = 6,
    kTreedocNumber = 7,
};

extern "C" {

// Documents. parse accepts exactly one RFC 8259 value with strict UTF-8;
// anything else gives 0.
int32_t TREEDOC_CALL parse(const char* text) noexcept;
void TREEDOC_CALL free_(int32_t document) noexcept;

// Buffers.
int32_t TREEDOC_CALL new_buffer() noexcept;
// Empties the buffer; a writer on it starts afresh (nothing open, nothing written).
void TREEDOC_CALL buffer_clear(int32_t buffer) noexcept;
void TREEDOC_CALL delete_buffer(int32_t buffer) noexcept;

// Readers. value is a document or value handle. A pointer that names nothing
// gives 0, 0.0, "" or the missing type.
// Compact JSON of the value at pointer, held by buffer (which is cleared first).
const char* TREEDOC_CALL get_pointer_string(int32_t value, int32_t buffer, const char* pointer) noexcept;
int32_t TREEDOC_CALL pointer_get_value(int32_t value, const char* pointer) noexcept;
// 1 for true, 0 for anything else.
int32_t TREEDOC_CALL pointer_get_bool(int32_t value, const char* pointer) noexcept;
// Numbers in range, truncated toward zero; 0 for anything else.
int32_t TREEDOC_CALL pointer_get_int(int32_t value, const char* pointer) noexcept;
int64_t TREEDOC_CALL pointer_get_int64(int32_t value, const char* pointer) noexcept;
double TREEDOC_CALL pointer_get_double(int32_t value, const char* pointer) noexcept;
const char* TREEDOC_CALL pointer_get_string(int32_t value, const char* pointer) noexcept;
int32_t TREEDOC_CALL pointer_get_type(int32_t value, const char* pointer) noexcept;
// Elements of an array or members of an object; 0 for anything else.
int32_t TREEDOC_CALL pointer_get_count(int32_t value, const char* pointer) noexcept;
int32_t TREEDOC_CALL pointer_is_exist(int32_t value, const char* pointer) noexcept;
// 1 when the value was removed; the empty pointer (the value itself) is never erased.
int32_t TREEDOC_CALL pointer_erase_path(int32_t value, const char* pointer) noexcept;
// Name of the member at index (from 0) of an object; "" otherwise.
const char* TREEDOC_CALL object_get_key(int32_t value, int32_t index) noexcept;

// Setters: reserved must be 0 (any other value is ignored). Missing object
// members on the way are created as objects; an array index may name an
// element or the place just after the last ("-" too). Non-zero on success.
int32_t TREEDOC_CALL pointer_set_string(int32_t value, int32_t reserved, const char* pointer, const char* text) noexcept;
int32_t TREEDOC_CALL pointer_set_bool(int32_t value, int32_t reserved, const char* pointer, int32_t flag) noexcept;
int32_t TREEDOC_CALL pointer_set_int(int32_t value, int32_t reserved, const char* pointer, int32_t number) noexcept;
// NaN and infinities are refused.
int32_t TREEDOC_CALL pointer_set_double(int32_t value, int32_t reserved, const char* pointer, double number) noexcept;
// Copies the whole of source (a document or value handle); the source may be
// freed right after.
int32_t TREEDOC_CALL pointer_set_object(int32_t value, int32_t reserved, const char* pointer, int32_t source) noexcept;

// Writers: compact JSON, members in the order written, RFC 8259 escaping.
// Every write returns non-zero when it was written and 0 when it was refused
// (wrong place, invalid UTF-8, NaN or infinity, stale handle); a refused write
// leaves the text unchanged.
int32_t TREEDOC_CALL new_writer(int32_t buffer) noexcept;
void TREEDOC_CALL delete_writer(int32_t writer) noexcept;
// The whole text; "" while a writer on the buffer has written an unfinished value.
const char* TREEDOC_CALL get_all_string(int32_t buffer) noexcept;
int32_t TREEDOC_CALL start_object(int32_t writer, const char* key) noexcept;
int32_t TREEDOC_CALL start_array(int32_t writer, const char* key) noexcept;
int32_t TREEDOC_CALL end_object(int32_t writer) noexcept;
int32_t TREEDOC_CALL end_array(int32_t writer) noexcept;
int32_t TREEDOC_CALL set_null(int32_t writer) noexcept;
int32_t TREEDOC_CALL set_string(int32_t writer, const char* text) noexcept;
// text must be one complete JSON value; it is written compact.
int32_t TREEDOC_CALL set_raw_string(int32_t writer, const char* text) noexcept;
int32_t TREEDOC_CALL set_bool(int32_t writer, int32_t flag) noexcept;
int32_t TREEDOC_CALL set_int(int32_t writer, int32_t number) noexcept;
int32_t TREEDOC_CALL set_int64(int32_t writer, int64_t number) noexcept;
int32_t TREEDOC_CALL set_double(int32_t writer, double number) noexcept;
int32_t TREEDOC_CALL set_key_null(int32_t writer, const char* key) noexcept;
int32_t TREEDOC_CALL set_key_string(int32_t writer, const char* key, const char* text) noexcept;
int32_t TREEDOC_CALL set_key_raw_string(int32_t writer, const char* key, const char* text) noexcept;
int32_t TREEDOC_CALL set_key_bool(int32_t writer, const char* key, int32_t flag) noexcept;
int32_t TREEDOC_CALL set_key_int(int32_t writer, const char* key, int32_t number) noexcept;
int32_t TREEDOC_CALL set_key_int64(int32_t writer, const char* key, int64_t number) noexcept;
int32_t TREEDOC_CALL set_key_double(int32_t writer, const char* key, double number) noexcept;

}  // extern "C"
