// The writing half of the library: buffers and streaming writers.
#include <cmath>
#include <cstdint>
#include <string_view>

#include <rapidjson/reader.h>

#include "guard.h"
#include "store.h"
#include "strict_text.h"
#include "treedoc_api.h"

namespace treedoc {
namespace {

const char* const kEmptyText = "";

struct LiveWriter {
    WriterEntry* writer = nullptr;
    BufferEntry* buffer = nullptr;
};

// A writer whose buffer is still there; a writer outlived by its buffer
// refuses everything.
LiveWriter Find(int32_t handle) {
    Store& store = TheStore();
    WriterEntry* writer = store.writers.Find(handle);
    if (!writer) return {};
    BufferEntry* buffer = store.buffers.Find(writer->buffer);
    if (!buffer) return {};
    return {writer, buffer};
}

bool IsText(std::string_view text) { return text.size() <= 0x7FFFFFFFu && IsStrictUtf8(text); }

rapidjson::SizeType SizeOf(std::string_view text) { return static_cast<rapidjson::SizeType>(text.size()); }

// Where the next value may go: a member needs an open object, an element an
// open array or an untouched writer (the root).
bool MayWrite(const WriterEntry& entry, bool keyed) {
    if (keyed) return !entry.open.empty() && entry.open.back();
    if (entry.open.empty()) return !entry.started;
    return !entry.open.back();
}

// Writes one value, as a member when key is not empty. Everything that can
// refuse it (place, key, the value's own check) is settled before the first
// byte, so a refused write leaves the text as it was.
template <typename Check, typename Emit>
int32_t WriteValue(int32_t handle, const char* keyText, Check check, Emit emit) {
    const LiveWriter live = Find(handle);
    if (!live.writer) return 0;
    WriterEntry& entry = *live.writer;
    const std::string_view key = TextOf(keyText);
    const bool keyed = !key.empty();
    if (!MayWrite(entry, keyed) || (keyed && !IsText(key)) || !check()) return 0;
    if (keyed) entry.writer.Key(key.data(), SizeOf(key));
    emit(entry);
    entry.started = true;
    return 1;
}

int32_t WriteScalar(int32_t handle, const char* key, auto emit) {
    return WriteValue(handle, key, [] { return true; }, emit);
}

int32_t WriteText(int32_t handle, const char* key, const char* text) {
    const std::string_view value = TextOf(text);
    return WriteValue(handle, key, [&] { return IsText(value); },
                      [&](WriterEntry& entry) { entry.writer.String(value.data(), SizeOf(value)); });
}

int32_t WriteDouble(int32_t handle, const char* key, double number) {
    return WriteValue(handle, key, [&] { return std::isfinite(number); },
                      [&](WriterEntry& entry) { entry.writer.Double(number); });
}

// Replays a checked JSON text into the writer, compact; numbers keep their
// digits.
struct Replay {
    JsonWriter& out;
    bool Null() { return out.Null(); }
    bool Bool(bool b) { return out.Bool(b); }
    bool Int(int) { return false; }
    bool Uint(unsigned) { return false; }
    bool Int64(int64_t) { return false; }
    bool Uint64(uint64_t) { return false; }
    bool Double(double) { return false; }
    bool RawNumber(const char* s, rapidjson::SizeType n, bool) { return out.RawValue(s, n, rapidjson::kNumberType); }
    bool String(const char* s, rapidjson::SizeType n, bool) { return out.String(s, n); }
    bool StartObject() { return out.StartObject(); }
    bool Key(const char* s, rapidjson::SizeType n, bool) { return out.Key(s, n); }
    bool EndObject(rapidjson::SizeType n) { return out.EndObject(n); }
    bool StartArray() { return out.StartArray(); }
    bool EndArray(rapidjson::SizeType n) { return out.EndArray(n); }
};

int32_t WriteRaw(int32_t handle, const char* key, const char* text) {
    const std::string_view json = TextOf(text);
    return WriteValue(handle, key, [&] { return IsStrictJson(json); }, [&](WriterEntry& entry) {
        Replay replay{entry.writer};
        rapidjson::StringStream stream(json.data());
        rapidjson::Reader reader;
        reader.Parse<rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseIterativeFlag>(stream, replay);
    });
}

int32_t Start(int32_t handle, const char* key, bool object) {
    return WriteValue(handle, key, [] { return true; }, [&](WriterEntry& entry) {
        if (object)
            entry.writer.StartObject();
        else
            entry.writer.StartArray();
        entry.open.push_back(object);
    });
}

int32_t End(int32_t handle, bool object) {
    const LiveWriter live = Find(handle);
    if (!live.writer) return 0;
    WriterEntry& entry = *live.writer;
    if (entry.open.empty() || entry.open.back() != object) return 0;
    if (object)
        entry.writer.EndObject();
    else
        entry.writer.EndArray();
    entry.open.pop_back();
    return 1;
}

}  // namespace
}  // namespace treedoc

using namespace treedoc;

extern "C" {

int32_t TREEDOC_CALL new_buffer() noexcept {
    return Guarded<int32_t>(0, [] { return TheStore().buffers.Add(std::make_unique<BufferEntry>()); });
}

void TREEDOC_CALL buffer_clear(int32_t buffer) noexcept {
    GuardedVoid([&] {
        if (BufferEntry* entry = TheStore().buffers.Find(buffer)) ClearBuffer(*entry);
    });
}

void TREEDOC_CALL delete_buffer(int32_t buffer) noexcept {
    GuardedVoid([&] { TheStore().buffers.Remove(buffer); });
}

int32_t TREEDOC_CALL new_writer(int32_t buffer) noexcept {
    return Guarded<int32_t>(0, [&]() -> int32_t {
        Store& store = TheStore();
        BufferEntry* out = store.buffers.Find(buffer);
        if (!out) return 0;
        out->writers.reserve(out->writers.size() + 1);
        const int32_t handle = store.writers.Add(std::make_unique<WriterEntry>(buffer, out->text));
        if (handle > 0) out->writers.push_back(handle);
        return handle;
    });
}

void TREEDOC_CALL delete_writer(int32_t writer) noexcept {
    GuardedVoid([&] {
        Store& store = TheStore();
        std::unique_ptr<WriterEntry> entry = store.writers.Remove(writer);
        if (!entry) return;
        BufferEntry* out = store.buffers.Find(entry->buffer);
        if (!out) return;
        std::erase(out->writers, writer);
        if (entry->Unfinished()) out->abandoned = true;
    });
}

const char* TREEDOC_CALL get_all_string(int32_t buffer) noexcept {
    return Guarded<const char*>(kEmptyText, [&]() -> const char* {
        Store& store = TheStore();
        BufferEntry* out = store.buffers.Find(buffer);
        if (!out || out->abandoned) return kEmptyText;
        for (int32_t handle : out->writers) {
            const WriterEntry* writer = store.writers.Find(handle);
            if (writer && writer->Unfinished()) return kEmptyText;
        }
        return out->text.GetString();
    });
}

int32_t TREEDOC_CALL start_object(int32_t writer, const char* key) noexcept {
    return Guarded<int32_t>(0, [&] { return Start(writer, key, true); });
}
int32_t TREEDOC_CALL start_array(int32_t writer, const char* key) noexcept {
    return Guarded<int32_t>(0, [&] { return Start(writer, key, false); });
}
int32_t TREEDOC_CALL end_object(int32_t writer) noexcept {
    return Guarded<int32_t>(0, [&] { return End(writer, true); });
}
int32_t TREEDOC_CALL end_array(int32_t writer) noexcept {
    return Guarded<int32_t>(0, [&] { return End(writer, false); });
}

int32_t TREEDOC_CALL set_null(int32_t writer) noexcept {
    return Guarded<int32_t>(0, [&] { return WriteScalar(writer, nullptr, [](WriterEntry& e) { e.writer.Null(); }); });
}
int32_t TREEDOC_CALL set_string(int32_t writer, const char* text) noexcept {
    return Guarded<int32_t>(0, [&] { return WriteText(writer, nullptr, text); });
}
int32_t TREEDOC_CALL set_raw_string(int32_t writer, const char* text) noexcept {
    return Guarded<int32_t>(0, [&] { return WriteRaw(writer, nullptr, text); });
}
int32_t TREEDOC_CALL set_bool(int32_t writer, int32_t flag) noexcept {
    return Guarded<int32_t>(0, [&] {
        return WriteScalar(writer, nullptr, [&](WriterEntry& e) { e.writer.Bool(flag != 0); });
    });
}
int32_t TREEDOC_CALL set_int(int32_t writer, int32_t number) noexcept {
    return Guarded<int32_t>(0, [&] {
        return WriteScalar(writer, nullptr, [&](WriterEntry& e) { e.writer.Int(number); });
    });
}
int32_t TREEDOC_CALL set_int64(int32_t writer, int64_t number) noexcept {
    return Guarded<int32_t>(0, [&] {
        return WriteScalar(writer, nullptr, [&](WriterEntry& e) { e.writer.Int64(number); });
    });
}
int32_t TREEDOC_CALL set_double(int32_t writer, double number) noexcept {
    return Guarded<int32_t>(0, [&] { return WriteDouble(writer, nullptr, number); });
}

int32_t TREEDOC_CALL set_key_null(int32_t writer, const char* key) noexcept {
    return Guarded<int32_t>(0, [&] { return WriteScalar(writer, key, [](WriterEntry& e) { e.writer.Null(); }); });
}
int32_t TREEDOC_CALL set_key_string(int32_t writer, const char* key, const char* text) noexcept {
    return Guarded<int32_t>(0, [&] { return WriteText(writer, key, text); });
}
int32_t TREEDOC_CALL set_key_raw_string(int32_t writer, const char* key, const char* text) noexcept {
    return Guarded<int32_t>(0, [&] { return WriteRaw(writer, key, text); });
}
int32_t TREEDOC_CALL set_key_bool(int32_t writer, const char* key, int32_t flag) noexcept {
    return Guarded<int32_t>(0, [&] {
        return WriteScalar(writer, key, [&](WriterEntry& e) { e.writer.Bool(flag != 0); });
    });
}
int32_t TREEDOC_CALL set_key_int(int32_t writer, const char* key, int32_t number) noexcept {
    return Guarded<int32_t>(0, [&] {
        return WriteScalar(writer, key, [&](WriterEntry& e) { e.writer.Int(number); });
    });
}
int32_t TREEDOC_CALL set_key_int64(int32_t writer, const char* key, int64_t number) noexcept {
    return Guarded<int32_t>(0, [&] {
        return WriteScalar(writer, key, [&](WriterEntry& e) { e.writer.Int64(number); });
    });
}
int32_t TREEDOC_CALL set_key_double(int32_t writer, const char* key, double number) noexcept {
    return Guarded<int32_t>(0, [&] { return WriteDouble(writer, key, number); });
}

}  // extern "C"
