#pragma once
// Integer handles for the library's objects. A handle packs a kind (so a
// buffer is never taken for a writer), a generation (so a freed handle stays
// dead when its slot is reused) and a slot index; nothing is ever found by
// casting an integer back to a pointer.
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace treedoc {

enum class HandleKind : uint32_t { Document = 1, Value = 2, Buffer = 3, Writer = 4 };

[[nodiscard]] inline HandleKind KindOf(int32_t handle) {
    return static_cast<HandleKind>((static_cast<uint32_t>(handle) >> 28) & 0x7u);
}

template <typename T>
class HandleTable {
public:
    explicit HandleTable(HandleKind kind) : kind_(static_cast<uint32_t>(kind)) {}
    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;

    // 0 when the table is full.
    [[nodiscard]] int32_t Add(std::unique_ptr<T> item) {
        uint32_t index;
        // Free slots are reused oldest first, so a generation comes round
        // again only after many allocations.
        if (free_.size() > kReuseAfter || (slots_.size() > kMaxIndex && !free_.empty())) {
            index = free_.front();
            free_.pop_front();
        } else if (slots_.size() <= kMaxIndex) {
            index = static_cast<uint32_t>(slots_.size());
            slots_.emplace_back();
        } else {
            return 0;
        }
        Slot& slot = slots_[index];
        slot.item = std::move(item);
        return Encode(index, slot.generation);
    }

    [[nodiscard]] T* Find(int32_t handle) const {
        const Slot* slot = SlotOf(handle);
        return slot ? slot->item.get() : nullptr;
    }

    // Takes the item out; the handle is dead from here on.
    std::unique_ptr<T> Remove(int32_t handle) {
        Slot* slot = const_cast<Slot*>(SlotOf(handle));
        if (!slot) return nullptr;
        std::unique_ptr<T> item = std::move(slot->item);
        slot->generation = slot->generation == kMaxGeneration ? 1 : slot->generation + 1;
        free_.push_back(static_cast<uint32_t>(slot - slots_.data()));
        return item;
    }

private:
    static constexpr uint32_t kIndexBits = 20;
    static constexpr uint32_t kMaxIndex = (1u << kIndexBits) - 1;
    static constexpr uint32_t kMaxGeneration = 0xFF;
    static constexpr size_t kReuseAfter = 64;

    struct Slot {
        std::unique_ptr<T> item;
        uint32_t generation = 1;
    };

    [[nodiscard]] int32_t Encode(uint32_t index, uint32_t generation) const {
        return static_cast<int32_t>((kind_ << 28) | (generation << kIndexBits) | index);
    }

    [[nodiscard]] const Slot* SlotOf(int32_t handle) const {
        if (handle <= 0) return nullptr;
        const uint32_t bits = static_cast<uint32_t>(handle);
        if ((bits >> 28) != kind_) return nullptr;
        const uint32_t index = bits & kMaxIndex;
        const uint32_t generation = (bits >> kIndexBits) & kMaxGeneration;
        if (index >= slots_.size()) return nullptr;
        const Slot& slot = slots_[index];
        if (!slot.item || slot.generation != generation) return nullptr;
        return &slot;
    }

    uint32_t kind_;
    std::vector<Slot> slots_;
    std::deque<uint32_t> free_;
};

}  // namespace treedoc
