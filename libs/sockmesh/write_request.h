// Socket write requests with their buffers, kept for reuse.
#pragma once

#include <uv.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace sockmesh {
namespace detail {

struct WriteRequest {
    uv_write_t request{};
    uv_buf_t buf{};
    std::unique_ptr<char[]> bytes;
    void* owner = nullptr;
};

class WriteRequestPool {
public:
    explicit WriteRequestPool(std::size_t buffer_size, std::size_t max_spares = 20)
        : buffer_size_(buffer_size), max_spares_(max_spares)
    {
    }

    ~WriteRequestPool()
    {
        for (WriteRequest* request : spares_) {
            delete request;
        }
    }

    WriteRequest* acquire(void* owner)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        WriteRequest* request = nullptr;
        if (!spares_.empty()) {
            request = spares_.back();
            spares_.pop_back();
        } else {
            request = new WriteRequest;
            request->bytes.reset(new char[buffer_size_]);
            ++count_;
        }
        request->owner = owner;
        return request;
    }

    void release(WriteRequest* request)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (spares_.size() < max_spares_) {
            spares_.push_back(request);
            return;
        }
        delete request;
        --count_;
    }

    // Requests that exist (spare and in flight) and spares.
    void counts(std::size_t* existing, std::size_t* spare)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        *existing = count_;
        *spare = spares_.size();
    }

    std::size_t buffer_size() const { return buffer_size_; }

private:
    std::mutex mutex_;
    std::vector<WriteRequest*> spares_;
    std::size_t count_ = 0;
    std::size_t buffer_size_;
    std::size_t max_spares_;
};

}  // namespace detail
}  // namespace sockmesh
