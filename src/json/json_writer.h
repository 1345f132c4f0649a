#pragma once
// JsonWriter: builds JSON text front to back with a treedoc writer. Keys and
// values are local text (code page 936), handed to the library as UTF-8; the
// finished text comes back as local text, optionally laid out one member per
// line. The object owns its writer and buffer handles.
//
// Begin opens the root object; GetText closes it, takes the text and ends the
// writer (the next use needs Begin). A writer that is not open ignores every
// write (returning 0) and yields an empty text. Writes return the library's
// result: non-zero when written.
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class JsonWriter {
public:
    JsonWriter() = default;
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;
    ~JsonWriter();

    [[nodiscard]] bool Begin();
    void Release();
    void ClearBuffer();
    // Empty when the text is not complete JSON (a container left open).
    std::string GetText(bool keepUtf8 = false, bool pretty = false);
    // An empty key is no key: the root or an element of the innermost array.
    int32_t StartObject(std::string_view key = {});
    int32_t EndObject();
    int32_t StartArray(std::string_view key = {});
    int32_t EndArray();

    // Elements of the innermost array.
    int32_t WriteNull();
    int32_t WriteString(std::string_view value);
    int32_t WriteRawString(std::string_view json);
    int32_t WriteBool(int32_t value = 0);
    int32_t WriteInt(int32_t value);
    int32_t WriteInt64(int64_t value);
    int32_t WriteDouble(double value);

    // Members of the innermost object.
    int32_t WriteKeyNull(std::string_view key);
    int32_t WriteKeyString(std::string_view key, std::string_view value);
    int32_t WriteKeyRawString(std::string_view key, std::string_view json);
    int32_t WriteKeyBool(std::string_view key, int32_t value = 0);
    int32_t WriteKeyInt(std::string_view key, int32_t value);
    int32_t WriteKeyInt64(std::string_view key, int64_t value);
    // Written as an integer when value is within 1e-7 of its integer part.
    int32_t WriteKeyNumber(std::string_view key, double value);

private:
    [[nodiscard]] bool IsOpen() const { return Buffer > 0 && Writer > 0; }

    int32_t Writer = 0;
    int32_t Buffer = 0;
};

}  // namespace orv
