#pragma once
// JsonDocument: reads and edits one treedoc document by JSON pointer. Callers
// speak local text (code page 936); the library speaks UTF-8; the conversion
// happens here, both ways. The object owns its document and buffer handles
// and frees them in Release and on destruction.
//
// An omitted node means the whole document; a node given (as returned by
// GetNode), 0 included, is used unchanged, and a node of 0 or less fails
// without calling the library. Failures are 0, false, 0.0 or an empty text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

class JsonDocument {
public:
    // Bit 0 of a flags argument: the text is UTF-8 already.
    static constexpr int32_t kTextIsUtf8 = 1;

    JsonDocument() = default;
    JsonDocument(const JsonDocument&) = delete;
    JsonDocument& operator=(const JsonDocument&) = delete;
    ~JsonDocument();

    // Accepts only a text that starts with "{" and ends with "}", or starts
    // with "[" and ends with "]"; nothing is trimmed.
    [[nodiscard]] bool Parse(std::string_view text, int32_t flags = 0);
    void Release();
    std::string GetJsonText(std::string_view pointer, std::optional<int32_t> node = std::nullopt,
                            bool keepUtf8 = false);
    int32_t GetNode(std::string_view pointer, std::optional<int32_t> node = std::nullopt);
    int32_t GetBool(std::string_view pointer, std::optional<int32_t> node = std::nullopt);
    double GetDouble(std::string_view pointer, std::optional<int32_t> node = std::nullopt);
    std::string GetString(std::string_view pointer, std::optional<int32_t> node = std::nullopt,
                          bool keepUtf8 = false);
    // Name of the member at index (from 0); always local text.
    std::string GetKeyAt(std::optional<int32_t> node, int32_t index);
    int64_t GetInt64(std::string_view pointer, std::optional<int32_t> node = std::nullopt);
    int32_t GetInt(std::string_view pointer, std::optional<int32_t> node = std::nullopt);
    int32_t GetType(std::string_view pointer, std::optional<int32_t> node = std::nullopt);
    int32_t GetCount(std::string_view pointer, std::optional<int32_t> node = std::nullopt);
    int32_t Erase(std::string_view pointer, std::optional<int32_t> node = std::nullopt);
    int32_t Exists(std::string_view pointer, std::optional<int32_t> node = std::nullopt);
    // Parses text by the rules of Parse and copies it in at pointer.
    bool SetObject(std::string_view pointer, std::string_view text, int32_t flags,
                   std::optional<int32_t> node = std::nullopt);
    [[nodiscard]] int32_t GetRoot() const { return Document; }
    bool SetString(std::string_view pointer, std::string_view value, std::optional<int32_t> node = std::nullopt);
    bool SetBool(std::string_view pointer, int32_t value, std::optional<int32_t> node = std::nullopt);
    bool SetInt(std::string_view pointer, int32_t value, std::optional<int32_t> node = std::nullopt);
    bool SetDouble(std::string_view pointer, double value, std::optional<int32_t> node = std::nullopt);
    // The whole document as compact JSON text.
    std::string ToText(bool keepUtf8 = false);

private:
    [[nodiscard]] int32_t Choose(std::optional<int32_t> node) const { return node ? *node : Document; }
    [[nodiscard]] bool MakeBuffer();

    int32_t Document = 0;
    int32_t Buffer = 0;
};

}  // namespace orv
