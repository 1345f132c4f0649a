#pragma once
// Bounds-checked reads of little- and big-endian integers from a byte span:
// every read outside the span gives nothing instead of touching memory.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace orv::core {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    [[nodiscard]] std::size_t size() const { return bytes_.size(); }
    [[nodiscard]] bool Has(std::size_t offset, std::size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    [[nodiscard]] std::optional<std::uint8_t> U8(std::size_t offset) const {
        if (!Has(offset, 1)) return std::nullopt;
        return bytes_[offset];
    }
    [[nodiscard]] std::optional<std::uint16_t> U16Le(std::size_t offset) const {
        if (!Has(offset, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    [[nodiscard]] std::optional<std::uint16_t> U16Be(std::size_t offset) const {
        if (!Has(offset, 2)) return std::nullopt;
        return static_cast<std::uint16_t>((bytes_[offset] << 8) | bytes_[offset + 1]);
    }
    [[nodiscard]] std::optional<std::uint32_t> U32Le(std::size_t offset) const {
        if (!Has(offset, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(bytes_[offset]) |
               (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    [[nodiscard]] std::optional<std::uint32_t> U32Be(std::size_t offset) const {
        if (!Has(offset, 4)) return std::nullopt;
        return (static_cast<std::uint32_t>(bytes_[offset]) << 24) |
               (static_cast<std::uint32_t>(bytes_[offset + 1]) << 16) |
               (static_cast<std::uint32_t>(bytes_[offset + 2]) << 8) |
               static_cast<std::uint32_t>(bytes_[offset + 3]);
    }
    [[nodiscard]] std::optional<std::int32_t> I32Le(std::size_t offset) const {
        const auto value = U32Le(offset);
        if (!value) return std::nullopt;
        return static_cast<std::int32_t>(*value);
    }
    // The sub-span [offset, offset + count), or nothing when it does not fit.
    [[nodiscard]] std::optional<std::span<const std::uint8_t>> Slice(std::size_t offset,
                                                                     std::size_t count) const {
        if (!Has(offset, count)) return std::nullopt;
        return bytes_.subspan(offset, count);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace orv::core
