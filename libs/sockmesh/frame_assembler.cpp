#include "frame_assembler.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace sockmesh {
namespace detail {

namespace {

uint32_t read_be32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return (uint32_t(u[0]) << 24) | (uint32_t(u[1]) << 16) | (uint32_t(u[2]) << 8) | uint32_t(u[3]);
}

}  // namespace

void write_frame_header(char* header, std::size_t length)
{
    std::memcpy(header, kFrameStart, kFrameStartSize);
    header[7] = static_cast<char>((length >> 24) & 0xff);
    header[8] = static_cast<char>((length >> 16) & 0xff);
    header[9] = static_cast<char>((length >> 8) & 0xff);
    header[10] = static_cast<char>(length & 0xff);
}

std::vector<char> build_frame(const void* payload, std::size_t length)
{
    std::vector<char> frame(length + kFrameOverhead);
    write_frame_header(frame.data(), length);
    if (length > 0) {
        std::memcpy(frame.data() + kFrameHeaderSize, payload, length);
    }
    std::memcpy(frame.data() + kFrameHeaderSize + length, kFrameEnd, kFrameEndSize);
    return frame;
}

FrameAssembler::FrameAssembler(std::size_t initial_capacity)
    : buffer_(new (std::nothrow) char[initial_capacity]), capacity_(buffer_ ? initial_capacity : 0)
{
}

void FrameAssembler::clear()
{
    begin_ = 0;
    end_ = 0;
}

bool FrameAssembler::append(const char* data, std::size_t k)
{
    if (k == 0) {
        return true;
    }
    std::size_t held = end_ - begin_;
    if (capacity_ - end_ < k) {
        if (begin_ > 0) {
            std::memmove(buffer_.get(), buffer_.get() + begin_, held);
            begin_ = 0;
            end_ = held;
        }
        if (capacity_ - end_ < k) {
            std::size_t wanted = std::max(capacity_ * 2, held + k);
            std::unique_ptr<char[]> grown(new (std::nothrow) char[wanted]);
            if (!grown) {
                clear();
                return false;
            }
            if (held > 0) {
                std::memcpy(grown.get(), buffer_.get(), held);
            }
            buffer_ = std::move(grown);
            capacity_ = wanted;
        }
    }
    std::memcpy(buffer_.get() + end_, data, k);
    end_ += k;
    return true;
}

bool FrameAssembler::seek_start()
{
    const char* base = buffer_.get();
    std::size_t held = end_ - begin_;
    const void* found = memmem(base + begin_, held, kFrameStart, kFrameStartSize);
    if (found != nullptr) {
        begin_ = static_cast<const char*>(found) - base;
        return true;
    }
    // Keep the longest tail that could be the front of a marker split
    // across two reads.
    std::size_t keep = std::min(held, kFrameStartSize - 1);
    while (keep > 0 && std::memcmp(base + end_ - keep, kFrameStart, keep) != 0) {
        --keep;
    }
    begin_ = end_ - keep;
    if (begin_ == end_) {
        clear();
    }
    return false;
}

bool FrameAssembler::next(const char** payload, uint32_t* length)
{
    while (end_ - begin_ > 0) {
        if (!seek_start()) {
            return false;
        }
        uint64_t held = end_ - begin_;
        if (held < kFrameHeaderSize) {
            return false;
        }
        const char* frame = buffer_.get() + begin_;
        uint64_t n = read_be32(frame + kFrameStartSize);
        if (n > kMaxFramePayload) {
            begin_ += kFrameStartSize;
            continue;
        }
        if (held < n + kFrameOverhead) {
            return false;
        }
        if (std::memcmp(frame + kFrameHeaderSize + n, kFrameEnd, kFrameEndSize) != 0) {
            // A false start: resume the search behind its marker.
            begin_ += kFrameStartSize;
            continue;
        }
        *payload = frame + kFrameHeaderSize;
        *length = static_cast<uint32_t>(n);
        begin_ += n + kFrameOverhead;
        if (begin_ == end_) {
            clear();
        }
        return true;
    }
    clear();
    return false;
}

}  // namespace detail
}  // namespace sockmesh
