#include "store.h"

#include <rapidjson/pointer.h>

namespace treedoc {

Store& TheStore() {
    static Store store;
    return store;
}

Node ResolveNode(int32_t handle) {
    Store& store = TheStore();
    Node node;
    if (KindOf(handle) == HandleKind::Document) {
        DocumentEntry* entry = store.documents.Find(handle);
        if (!entry) return {};
        node.owner = entry;
        node.documentHandle = handle;
        node.value = &entry->document;
        return node;
    }
    if (KindOf(handle) != HandleKind::Value) return {};
    const ValueEntry* ref = store.values.Find(handle);
    if (!ref) return {};
    DocumentEntry* entry = store.documents.Find(ref->document);
    if (!entry) return {};
    const rapidjson::Pointer pointer(ref->path.data(), ref->path.size());
    Value* value = pointer.IsValid() ? pointer.Get(entry->document) : nullptr;
    if (!value) return {};
    node.owner = entry;
    node.documentHandle = ref->document;
    node.value = value;
    node.path = ref->path;
    return node;
}

void ClearBuffer(BufferEntry& buffer) {
    buffer.text.Clear();
    buffer.abandoned = false;
    Store& store = TheStore();
    std::vector<int32_t> alive;
    for (int32_t handle : buffer.writers) {
        WriterEntry* writer = store.writers.Find(handle);
        if (!writer) continue;
        writer->writer.Reset(buffer.text);
        writer->open.clear();
        writer->started = false;
        alive.push_back(handle);
    }
    buffer.writers = std::move(alive);
}

bool NestingWithin(const Value& value, size_t limit) {
    struct Pending {
        const Value* value;
        size_t depth;
    };
    std::vector<Pending> pending{{&value, 0}};
    while (!pending.empty()) {
        const Pending item = pending.back();
        pending.pop_back();
        if (item.value->IsObject()) {
            if (item.depth + 1 > limit) return false;
            for (const auto& member : item.value->GetObject())
                if (member.value.IsObject() || member.value.IsArray())
                    pending.push_back({&member.value, item.depth + 1});
        } else if (item.value->IsArray()) {
            if (item.depth + 1 > limit) return false;
            for (const auto& element : item.value->GetArray())
                if (element.IsObject() || element.IsArray())
                    pending.push_back({&element, item.depth + 1});
        }
    }
    return true;
}

}  // namespace treedoc
