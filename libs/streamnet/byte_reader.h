// Bounded reading of camera bytes. Every read checks what is left; the first
// read past the end fails this and every later read, so a decoder checks ok()
// once after a group of reads instead of after each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace streamnet {
namespace detail {

class ByteReader {
public:
    ByteReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return ok_ ? size_ - position_ : 0; }
    // An entry count is believed only as far as what is left can hold
    // entries of at least `min_entry` bytes each.
    bool holds(uint32_t count, std::size_t min_entry) const
    {
        return static_cast<uint64_t>(count) * min_entry <= remaining();
    }

    // Big-endian integers.
    uint8_t u8() { return static_cast<uint8_t>(take(1)); }
    uint16_t u16() { return static_cast<uint16_t>(take(2)); }
    uint32_t u32() { return static_cast<uint32_t>(take(4)); }

    // Four bytes as sent by a little-endian host (values copied unchanged
    // from a caller, IEEE floats).
    uint32_t u32_host()
    {
        const uint8_t* p = bytes(4);
        return p == nullptr ? 0 : static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                      static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    }
    float f32_host()
    {
        uint32_t bits = u32_host();
        float value;
        std::memcpy(&value, &bits, sizeof(value));
        return value;
    }

    // A pointer to the next n bytes, or null (and failed) when fewer are left.
    const uint8_t* bytes(std::size_t n)
    {
        if (!ok_ || n > size_ - position_) {
            ok_ = false;
            return nullptr;
        }
        const uint8_t* p = data_ + position_;
        position_ += n;
        return p;
    }

    bool skip(std::size_t n)
    {
        if (!ok_ || n > size_ - position_) {
            ok_ = false;
            return false;
        }
        position_ += n;
        return true;
    }

    // Moves to an absolute position inside the data.
    bool seek(std::size_t position)
    {
        if (!ok_ || position > size_) {
            ok_ = false;
            return false;
        }
        position_ = position;
        return true;
    }

private:
    uint64_t take(std::size_t n)
    {
        const uint8_t* p = bytes(n);
        uint64_t value = 0;
        for (std::size_t i = 0; p != nullptr && i < n; ++i) {
            value = value << 8 | p[i];
        }
        return value;
    }

    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

}  // namespace detail
}  // namespace streamnet
