#include "send_queue.h"

#include "frame_assembler.h"
#include "sockmesh_log.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace sockmesh {
namespace detail {

ByteRing::ByteRing(std::size_t capacity) : data_(new char[capacity]), capacity_(capacity) {}

std::size_t ByteRing::write(const char* source, std::size_t n)
{
    std::size_t count = std::min(n, space());
    std::size_t write_pos = (read_pos_ + size_) % capacity_;
    std::size_t first = std::min(count, capacity_ - write_pos);
    std::memcpy(data_.get() + write_pos, source, first);
    std::memcpy(data_.get(), source + first, count - first);
    size_ += count;
    return count;
}

std::size_t ByteRing::read(char* target, std::size_t n)
{
    std::size_t count = std::min(n, size_);
    std::size_t first = std::min(count, capacity_ - read_pos_);
    std::memcpy(target, data_.get() + read_pos_, first);
    std::memcpy(target + first, data_.get(), count - first);
    read_pos_ = (read_pos_ + count) % capacity_;
    size_ -= count;
    return count;
}

void ByteRing::reset()
{
    read_pos_ = 0;
    size_ = 0;
}

SendQueue::SendQueue(std::size_t ring_capacity, std::size_t rest_capacity)
    : rest_capacity_(rest_capacity), ring_(ring_capacity)
{
}

void SendQueue::reset()
{
    std::lock_guard<std::mutex> rest_lock(rest_mutex_);
    rest_.clear();
    std::lock_guard<std::mutex> ring_lock(ring_mutex_);
    ring_.reset();
}

std::size_t SendQueue::write_pieces(const Pieces& pieces, std::size_t offset)
{
    std::size_t written = 0;
    for (int i = 0; i < 3; ++i) {
        if (offset >= pieces.size[i]) {
            offset -= pieces.size[i];
            continue;
        }
        std::size_t want = pieces.size[i] - offset;
        std::size_t count = ring_.write(pieces.data[i] + offset, want);
        written += count;
        if (count < want) {
            break;
        }
        offset = 0;
    }
    return written;
}

std::size_t SendQueue::push_bytes(const Pieces& pieces, const PushPolicy& policy, const std::function<void()>& wake,
                                  const std::function<bool()>& stopped)
{
    std::size_t size = pieces.total();
    std::size_t written = 0;
    wake();
    for (int attempt = 0; attempt < policy.tries && !stopped(); ++attempt) {
        std::unique_lock<std::mutex> lock(ring_mutex_);
        written += write_pieces(pieces, written);
        if (written == size) {
            break;
        }
        lock.unlock();
        wake();
        lock.lock();
        // Woken early when the loop takes bytes out; the wait is bounded.
        space_freed_.wait_for(lock, std::chrono::milliseconds(policy.wait_ms),
                              [&] { return ring_.space() > 0 || stopped(); });
    }
    wake();
    return written;
}

bool SendQueue::push_message(const void* data, std::size_t length, const PushPolicy& policy,
                             const std::function<void()>& wake, const std::function<bool()>& stopped)
{
    std::lock_guard<std::mutex> push_lock(push_mutex_);
    {
        std::lock_guard<std::mutex> rest_lock(rest_mutex_);
        if (!rest_.empty()) {
            Pieces rest;
            rest.data[0] = rest_.data();
            rest.size[0] = rest_.size();
            std::size_t moved = push_bytes(rest, policy, wake, stopped);
            rest_.erase(rest_.begin(), rest_.begin() + static_cast<std::ptrdiff_t>(moved));
            if (!rest_.empty()) {
                return false;
            }
        }
    }
    char header[kFrameHeaderSize];
    write_frame_header(header, length);
    Pieces frame;
    frame.data[0] = header;
    frame.size[0] = kFrameHeaderSize;
    frame.data[1] = static_cast<const char*>(data);
    frame.size[1] = length;
    frame.data[2] = kFrameEnd;
    frame.size[2] = kFrameEndSize;
    std::size_t written = push_bytes(frame, policy, wake, stopped);
    std::size_t left = frame.total() - written;
    if (left == 0) {
        return true;
    }
    if (left > rest_capacity_) {
        SM_ERROR(policy.overflow_format, static_cast<int>(written), static_cast<int>(left));
        return false;
    }
    std::lock_guard<std::mutex> rest_lock(rest_mutex_);
    rest_.clear();
    std::size_t skip = written;
    for (int i = 0; i < 3; ++i) {
        std::size_t from = skip < frame.size[i] ? skip : frame.size[i];
        rest_.insert(rest_.end(), frame.data[i] + from, frame.data[i] + frame.size[i]);
        skip -= from;
    }
    wake();
    return true;
}

void SendQueue::flush_rest()
{
    std::unique_lock<std::mutex> rest_lock(rest_mutex_, std::try_to_lock);
    if (!rest_lock.owns_lock() || rest_.empty()) {
        return;
    }
    std::lock_guard<std::mutex> ring_lock(ring_mutex_);
    std::size_t moved = ring_.write(rest_.data(), rest_.size());
    rest_.erase(rest_.begin(), rest_.begin() + static_cast<std::ptrdiff_t>(moved));
}

std::size_t SendQueue::take(char* target, std::size_t capacity)
{
    std::size_t count;
    {
        std::lock_guard<std::mutex> lock(ring_mutex_);
        count = ring_.read(target, capacity);
    }
    if (count > 0) {
        space_freed_.notify_all();
    }
    return count;
}

}  // namespace detail
}  // namespace sockmesh
