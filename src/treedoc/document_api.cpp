// The document half of the library: parse, read, change and serialise.
#include <cmath>
#include <cstdint>
#include <string>

#include <rapidjson/pointer.h>

#include "guard.h"
#include "store.h"
#include "strict_text.h"
#include "treedoc_api.h"

namespace treedoc {
namespace {

using Pointer = rapidjson::Pointer;

const char* const kEmptyText = "";

// The node that pointer names under the value handle, or null.
Value* Locate(int32_t handle, const char* pointerText) {
    const Node base = ResolveNode(handle);
    if (!base.value) return nullptr;
    const std::string_view text = TextOf(pointerText);
    const Pointer pointer(text.data(), text.size());
    if (!pointer.IsValid()) return nullptr;
    return pointer.Get(*base.value);
}

int32_t ToInt32(const Value& value) {
    if (value.IsInt()) return value.GetInt();
    if (!value.IsNumber()) return 0;
    const double number = value.GetDouble();
    if (!(number > -2147483649.0 && number < 2147483648.0)) return 0;
    return static_cast<int32_t>(number);
}

int64_t ToInt64(const Value& value) {
    if (value.IsInt64()) return value.GetInt64();
    if (value.IsUint64() || !value.IsNumber()) return 0;  // beyond int64
    const double number = value.GetDouble();
    if (!(number >= -9223372036854775808.0 && number < 9223372036854775808.0)) return 0;
    return static_cast<int64_t>(number);
}

int32_t TypeCode(const Value& value) {
    switch (value.GetType()) {
        case rapidjson::kNullType: return kTreedocNull;
        case rapidjson::kFalseType: return kTreedocFalse;
        case rapidjson::kTrueType: return kTreedocTrue;
        case rapidjson::kObjectType: return kTreedocObject;
        case rapidjson::kArrayType: return kTreedocArray;
        case rapidjson::kStringType: return kTreedocString;
        case rapidjson::kNumberType: return kTreedocNumber;
    }
    return kTreedocMissing;
}

// The slot that a setter fills, made where needed: missing members on the
// way become objects, the last token may append to an array. Anything else
// (a scalar on the way, an index past the end) gives null, with nothing
// changed: members are only created once the rest of the path can only be
// fresh objects.
Value* Place(Value& base, const Pointer& pointer, Allocator& allocator) {
    const Pointer::Token* tokens = pointer.GetTokens();
    const size_t count = pointer.GetTokenCount();
    Value* current = &base;
    for (size_t i = 0; i < count; ++i) {
        const Pointer::Token& token = tokens[i];
        const bool last = i + 1 == count;
        if (current->IsObject()) {
            Value name(rapidjson::StringRef(token.name, token.length));
            auto member = current->FindMember(name);
            if (member != current->MemberEnd()) {
                current = &member->value;
                continue;
            }
            Value fresh;
            if (!last) fresh.SetObject();
            current->AddMember(Value(token.name, token.length, allocator), fresh, allocator);
            current = &(current->MemberEnd() - 1)->value;
        } else if (current->IsArray()) {
            const bool append = (token.length == 1 && token.name[0] == '-') ||
                                token.index == current->Size();
            if (append && last) {
                current->PushBack(Value().Move(), allocator);
                current = &(*current)[current->Size() - 1];
            } else if (token.index != rapidjson::kPointerInvalidIndex && token.index < current->Size()) {
                current = &(*current)[token.index];
            } else {
                return nullptr;
            }
        } else {
            return nullptr;
        }
    }
    return current;
}

// Makes the new value with make, then puts it at pointer under the handle.
template <typename Make>
int32_t SetWith(int32_t handle, const char* pointerText, Make make) {
    const Node base = ResolveNode(handle);
    if (!base.value) return 0;
    const std::string_view text = TextOf(pointerText);
    const Pointer pointer(text.data(), text.size());
    if (!pointer.IsValid()) return 0;
    Allocator& allocator = base.owner->document.GetAllocator();
    Value fresh;
    if (!make(fresh, allocator)) return 0;
    Value* slot = Place(*base.value, pointer, allocator);
    if (!slot) return 0;
    *slot = fresh;  // moves
    return 1;
}

}  // namespace
}  // namespace treedoc

using namespace treedoc;

extern "C" {

int32_t TREEDOC_CALL parse(const char* text) noexcept {
    return Guarded<int32_t>(0, [&] {
        auto entry = std::make_unique<DocumentEntry>();
        if (!ParseStrict(TextOf(text), entry->document)) return int32_t{0};
        return TheStore().documents.Add(std::move(entry));
    });
}

void TREEDOC_CALL free_(int32_t document) noexcept {
    GuardedVoid([&] {
        if (KindOf(document) != HandleKind::Document) return;
        Store& store = TheStore();
        std::unique_ptr<DocumentEntry> entry = store.documents.Remove(document);
        if (!entry) return;
        for (const auto& [path, handle] : entry->valueHandles) store.values.Remove(handle);
    });
}

const char* TREEDOC_CALL get_pointer_string(int32_t value, int32_t buffer, const char* pointer) noexcept {
    return Guarded<const char*>(kEmptyText, [&]() -> const char* {
        BufferEntry* out = TheStore().buffers.Find(buffer);
        if (!out) return kEmptyText;
        ClearBuffer(*out);
        const Value* node = Locate(value, pointer);
        if (!node || !NestingWithin(*node)) return kEmptyText;
        JsonWriter writer(out->text);
        if (!node->Accept(writer)) {
            out->text.Clear();
            return kEmptyText;
        }
        return out->text.GetString();
    });
}

int32_t TREEDOC_CALL pointer_get_value(int32_t value, const char* pointer) noexcept {
    return Guarded<int32_t>(0, [&]() -> int32_t {
        const Node base = ResolveNode(value);
        if (!base.value) return 0;
        const std::string_view text = TextOf(pointer);
        const Pointer parsed(text.data(), text.size());
        if (!parsed.IsValid() || !parsed.Get(*base.value)) return 0;
        rapidjson::StringBuffer canonical;
        parsed.Stringify(canonical);
        std::string path = base.path + canonical.GetString();
        Store& store = TheStore();
        auto known = base.owner->valueHandles.find(path);
        if (known != base.owner->valueHandles.end() && store.values.Find(known->second))
            return known->second;
        auto entry = std::make_unique<ValueEntry>();
        entry->document = base.documentHandle;
        entry->path = path;
        const int32_t handle = store.values.Add(std::move(entry));
        if (handle > 0) base.owner->valueHandles[std::move(path)] = handle;
        return handle;
    });
}

int32_t TREEDOC_CALL pointer_get_bool(int32_t value, const char* pointer) noexcept {
    return Guarded<int32_t>(0, [&] {
        const Value* node = Locate(value, pointer);
        return int32_t{node && node->IsTrue()};
    });
}

int32_t TREEDOC_CALL pointer_get_int(int32_t value, const char* pointer) noexcept {
    return Guarded<int32_t>(0, [&] {
        const Value* node = Locate(value, pointer);
        return node ? ToInt32(*node) : 0;
    });
}

int64_t TREEDOC_CALL pointer_get_int64(int32_t value, const char* pointer) noexcept {
    return Guarded<int64_t>(0, [&] {
        const Value* node = Locate(value, pointer);
        return node ? ToInt64(*node) : int64_t{0};
    });
}

double TREEDOC_CALL pointer_get_double(int32_t value, const char* pointer) noexcept {
    return Guarded<double>(0.0, [&] {
        const Value* node = Locate(value, pointer);
        return node && node->IsNumber() ? node->GetDouble() : 0.0;
    });
}

const char* TREEDOC_CALL pointer_get_string(int32_t value, const char* pointer) noexcept {
    return Guarded<const char*>(kEmptyText, [&] {
        const Value* node = Locate(value, pointer);
        return node && node->IsString() ? node->GetString() : kEmptyText;
    });
}

int32_t TREEDOC_CALL pointer_get_type(int32_t value, const char* pointer) noexcept {
    return Guarded<int32_t>(kTreedocMissing, [&] {
        const Value* node = Locate(value, pointer);
        return node ? TypeCode(*node) : int32_t{kTreedocMissing};
    });
}

int32_t TREEDOC_CALL pointer_get_count(int32_t value, const char* pointer) noexcept {
    return Guarded<int32_t>(0, [&] {
        const Value* node = Locate(value, pointer);
        if (!node) return int32_t{0};
        if (node->IsArray()) return static_cast<int32_t>(node->Size());
        if (node->IsObject()) return static_cast<int32_t>(node->MemberCount());
        return int32_t{0};
    });
}

int32_t TREEDOC_CALL pointer_is_exist(int32_t value, const char* pointer) noexcept {
    return Guarded<int32_t>(0, [&] { return int32_t{Locate(value, pointer) != nullptr}; });
}

int32_t TREEDOC_CALL pointer_erase_path(int32_t value, const char* pointer) noexcept {
    return Guarded<int32_t>(0, [&] {
        const Node base = ResolveNode(value);
        if (!base.value) return int32_t{0};
        const std::string_view text = TextOf(pointer);
        const Pointer parsed(text.data(), text.size());
        if (!parsed.IsValid() || parsed.GetTokenCount() == 0) return int32_t{0};
        return int32_t{parsed.Erase(*base.value)};
    });
}

const char* TREEDOC_CALL object_get_key(int32_t value, int32_t index) noexcept {
    return Guarded<const char*>(kEmptyText, [&] {
        const Node node = ResolveNode(value);
        if (!node.value || !node.value->IsObject() || index < 0 ||
            static_cast<uint32_t>(index) >= node.value->MemberCount())
            return kEmptyText;
        return (node.value->MemberBegin() + index)->name.GetString();
    });
}

int32_t TREEDOC_CALL pointer_set_string(int32_t value, int32_t, const char* pointer, const char* text) noexcept {
    return Guarded<int32_t>(0, [&] {
        return SetWith(value, pointer, [&](Value& fresh, Allocator& allocator) {
            const std::string_view content = TextOf(text);
            if (!IsStrictUtf8(content) || content.size() > 0x7FFFFFFFu) return false;
            fresh.SetString(content.data(), static_cast<rapidjson::SizeType>(content.size()), allocator);
            return true;
        });
    });
}

int32_t TREEDOC_CALL pointer_set_bool(int32_t value, int32_t, const char* pointer, int32_t flag) noexcept {
    return Guarded<int32_t>(0, [&] {
        return SetWith(value, pointer, [&](Value& fresh, Allocator&) {
            fresh.SetBool(flag != 0);
            return true;
        });
    });
}

int32_t TREEDOC_CALL pointer_set_int(int32_t value, int32_t, const char* pointer, int32_t number) noexcept {
    return Guarded<int32_t>(0, [&] {
        return SetWith(value, pointer, [&](Value& fresh, Allocator&) {
            fresh.SetInt(number);
            return true;
        });
    });
}

int32_t TREEDOC_CALL pointer_set_double(int32_t value, int32_t, const char* pointer, double number) noexcept {
    return Guarded<int32_t>(0, [&] {
        return SetWith(value, pointer, [&](Value& fresh, Allocator&) {
            if (!std::isfinite(number)) return false;  // JSON has no NaN or infinity
            fresh.SetDouble(number);
            return true;
        });
    });
}

int32_t TREEDOC_CALL pointer_set_object(int32_t value, int32_t, const char* pointer, int32_t source) noexcept {
    return Guarded<int32_t>(0, [&] {
        return SetWith(value, pointer, [&](Value& fresh, Allocator& allocator) {
            // Copied before the target changes: the source may live in the
            // very document being changed.
            const Node from = ResolveNode(source);
            if (!from.value || !NestingWithin(*from.value)) return false;
            fresh.CopyFrom(*from.value, allocator);
            return true;
        });
    });
}

}  // extern "C"
