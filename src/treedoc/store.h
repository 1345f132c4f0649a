#pragma once
// The library's live objects, reached only through their handles.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "handle_table.h"

namespace treedoc {

using Document = rapidjson::Document;
using Value = rapidjson::Value;
using Allocator = Document::AllocatorType;
using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

struct DocumentEntry {
    Document document;
    // One value handle per path, so asking twice does not grow the table.
    std::unordered_map<std::string, int32_t> valueHandles;
};

// A place in a document: the canonical JSON pointer from its root.
struct ValueEntry {
    int32_t document = 0;
    std::string path;
};

struct BufferEntry {
    rapidjson::StringBuffer text;
    std::vector<int32_t> writers;  // writers that write into this buffer
    // A writer left this buffer holding an unfinished value.
    bool abandoned = false;
};

struct WriterEntry {
    explicit WriterEntry(int32_t bufferHandle, rapidjson::StringBuffer& out)
        : buffer(bufferHandle), writer(out) {}
    int32_t buffer;
    JsonWriter writer;
    std::vector<bool> open;  // innermost last; true for an object
    bool started = false;    // the root value has begun

    [[nodiscard]] bool Unfinished() const { return started && !open.empty(); }
};

struct Store {
    HandleTable<DocumentEntry> documents{HandleKind::Document};
    HandleTable<ValueEntry> values{HandleKind::Value};
    HandleTable<BufferEntry> buffers{HandleKind::Buffer};
    HandleTable<WriterEntry> writers{HandleKind::Writer};
};

Store& TheStore();

// A document or value handle resolved to its node; all null when the handle
// is dead or the node is gone.
struct Node {
    DocumentEntry* owner = nullptr;
    int32_t documentHandle = 0;
    Value* value = nullptr;
    std::string path;  // canonical pointer of value from the document root
};
[[nodiscard]] Node ResolveNode(int32_t handle);

// Empties a buffer and restarts every writer on it.
void ClearBuffer(BufferEntry& buffer);

// Whether no chain of nested containers under value is deeper than limit;
// measured without recursion. Copying and serialising recurse, so they are
// refused beyond it.
constexpr size_t kMaxNesting = 512;
[[nodiscard]] bool NestingWithin(const Value& value, size_t limit = kMaxNesting);

}  // namespace treedoc
