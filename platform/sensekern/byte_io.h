// Little-endian byte writer and bounded reader of the sensekern formats.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace sensekern {
namespace detail {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>* out) : out_(out) {}
    void u8(uint8_t v) { out_->push_back(v); }
    void u16(uint16_t v) { raw(&v, 2); }
    void u32(uint32_t v) { raw(&v, 4); }
    void u64(uint64_t v) { raw(&v, 8); }
    void f32(float v) { raw(&v, 4); }
    void raw(const void* data, std::size_t size)
    {
        if (size == 0) {
            return;
        }
        const uint8_t* p = static_cast<const uint8_t*>(data);
        out_->insert(out_->end(), p, p + size);
    }
    // u16 length then the bytes; the caller keeps texts within 65535 bytes.
    void text16(const std::string& s)
    {
        u16(static_cast<uint16_t>(s.size()));
        raw(s.data(), s.size());
    }
    std::size_t size() const { return out_->size(); }
    // Patches a u32 at an earlier position.
    void put_u32_at(std::size_t position, uint32_t v) { std::memcpy(out_->data() + position, &v, 4); }

private:
    std::vector<uint8_t>* out_;
};

// Reads within [data, data + size); every read past the end fails and
// leaves the reader failed, so a parser checks ok() once at the end of a
// step.
class ByteReader {
public:
    ByteReader(const uint8_t* data, uint64_t size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }
    uint64_t position() const { return pos_; }
    uint64_t remaining() const { return ok_ ? size_ - pos_ : 0; }
    const uint8_t* here() const { return data_ + pos_; }

    bool take(void* out, uint64_t n)
    {
        if (!ok_ || n > size_ - pos_) {
            ok_ = false;
            return false;
        }
        if (n != 0) {
            std::memcpy(out, data_ + pos_, static_cast<std::size_t>(n));
        }
        pos_ += n;
        return true;
    }
    // A view of the next n bytes, or null when fewer remain.
    const uint8_t* span(uint64_t n)
    {
        if (!ok_ || n > size_ - pos_) {
            ok_ = false;
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    uint8_t u8()
    {
        uint8_t v = 0;
        take(&v, 1);
        return v;
    }
    uint16_t u16()
    {
        uint16_t v = 0;
        take(&v, 2);
        return v;
    }
    uint32_t u32()
    {
        uint32_t v = 0;
        take(&v, 4);
        return v;
    }
    uint64_t u64()
    {
        uint64_t v = 0;
        take(&v, 8);
        return v;
    }
    float f32()
    {
        float v = 0.0f;
        take(&v, 4);
        return v;
    }
    // u16 length then at most `cap` bytes of text.
    bool text16(std::string* out, uint32_t cap)
    {
        uint16_t n = u16();
        if (!ok_ || n > cap) {
            ok_ = false;
            return false;
        }
        const uint8_t* p = span(n);
        if (p == nullptr) {
            return false;
        }
        out->assign(reinterpret_cast<const char*>(p), n);
        return true;
    }
    void fail() { ok_ = false; }

private:
    const uint8_t* data_;
    uint64_t size_;
    uint64_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace detail
}  // namespace sensekern
