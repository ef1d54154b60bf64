// Outgoing bytes of one TCP connection: a ring buffer that callers fill with
// whole frames and the loop thread drains into socket writes, plus a parking
// area for the part of a large frame that did not fit in time.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace sockmesh {
namespace detail {

constexpr std::size_t kRingCapacity = 921600;
constexpr std::size_t kRestCapacity = 1843200;
constexpr std::size_t kWriteChunk = 921600;

// Fixed-size byte ring; not locked itself.
class ByteRing {
public:
    explicit ByteRing(std::size_t capacity);
    std::size_t write(const char* source, std::size_t n);
    std::size_t read(char* target, std::size_t n);
    void reset();
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    std::size_t space() const { return capacity_ - size_; }

private:
    std::unique_ptr<char[]> data_;
    std::size_t capacity_;
    std::size_t read_pos_ = 0;
    std::size_t size_ = 0;
};

struct PushPolicy {
    int tries = 11;
    int wait_ms = 100;
    const char* overflow_format = "SendToServer failed. send len = %d, left len = %d\n";
};

class SendQueue {
public:
    explicit SendQueue(std::size_t ring_capacity = kRingCapacity, std::size_t rest_capacity = kRestCapacity);

    // Empties ring and rest: bytes of a dead connection never reach the next.
    void reset();

    // Caller's thread. Frames the payload and pushes it; `wake` asks the loop
    // to drain and `stopped` ends the waiting early. False when a parked rest
    // could not be flushed first (the message is not taken) or when the part
    // that did not fit exceeds the parking area.
    bool push_message(const void* data, std::size_t length, const PushPolicy& policy,
                      const std::function<void()>& wake, const std::function<bool()>& stopped);

    // Loop thread. Moves what fits of a parked rest into the ring, unless a
    // caller is busy with it right now.
    void flush_rest();

    // Loop thread. Takes up to `capacity` bytes out of the ring.
    std::size_t take(char* target, std::size_t capacity);

private:
    // Bytes to push, in up to three pieces, so a frame needs no copy of
    // its payload before it reaches the ring.
    struct Pieces {
        const char* data[3] = {nullptr, nullptr, nullptr};
        std::size_t size[3] = {0, 0, 0};
        std::size_t total() const { return size[0] + size[1] + size[2]; }
    };

    // Pushes as much as fits within the policy's waits; returns bytes written.
    std::size_t push_bytes(const Pieces& pieces, const PushPolicy& policy, const std::function<void()>& wake,
                           const std::function<bool()>& stopped);
    // Ring lock held. Writes what fits from `offset` on.
    std::size_t write_pieces(const Pieces& pieces, std::size_t offset);

    // One message at a time: a caller that waits for space must not let
    // another caller's bytes in between the parts of its frame.
    std::mutex push_mutex_;  // taken before rest_mutex_
    std::mutex rest_mutex_;  // taken before ring_mutex_
    std::vector<char> rest_;
    std::size_t rest_capacity_;

    std::mutex ring_mutex_;
    std::condition_variable space_freed_;
    ByteRing ring_;
};

}  // namespace detail
}  // namespace sockmesh
