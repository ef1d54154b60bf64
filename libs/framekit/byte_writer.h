// Little-endian writer and bounds-checked reader of the byte formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace framekit {
namespace detail {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>* out) : out_(out) {}
    void u8(uint8_t v) { out_->push_back(v); }
    void u16(uint16_t v)
    {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v)
    {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void bytes(const void* data, std::size_t size)
    {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        out_->insert(out_->end(), p, p + size);
    }

private:
    std::vector<uint8_t>* out_;
};

inline uint16_t read_u16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t read_u32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace detail
}  // namespace framekit
