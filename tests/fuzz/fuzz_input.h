#pragma once
// Taking typed values off the front of a fuzzer's input: missing bytes read
// as zero, so every input gives a full set of arguments.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace orv::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    int Int() {
        std::uint32_t value = 0;
        const std::size_t take = size_ < sizeof value ? size_ : sizeof value;
        if (take != 0) std::memcpy(&value, data_, take);
        data_ += take;
        size_ -= take;
        int result;
        std::memcpy(&result, &value, sizeof result);
        return result;
    }

    std::string_view Rest() const { return {reinterpret_cast<const char*>(data_), size_}; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// A broken invariant is a finding: stop so that the fuzzer keeps the input.
inline void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace orv::fuzz
