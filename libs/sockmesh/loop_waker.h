// The one cross-thread entry into a libuv loop: an async handle that callers
// may signal at any time, even while the loop thread is closing it.
#pragma once

#include <uv.h>

#include <mutex>

namespace sockmesh {
namespace detail {

class LoopWaker {
public:
    // Loop thread, or the caller's thread before the loop thread exists.
    int init(uv_loop_t* loop, uv_async_cb callback, void* data)
    {
        int result = uv_async_init(loop, &handle_, callback);
        if (result == 0) {
            handle_.data = data;
            std::lock_guard<std::mutex> lock(mutex_);
            open_ = true;
        }
        return result;
    }

    // Any thread. After close() it does nothing.
    void wake()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (open_) {
            uv_async_send(&handle_);
        }
    }

    // Loop thread: no wake may reach the handle once its close has begun.
    void mark_closed()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = false;
    }

    uv_async_t* handle() { return &handle_; }

private:
    std::mutex mutex_;
    bool open_ = false;
    uv_async_t handle_{};
};

// Closes every handle of the loop that is not closing yet, with `callback`
// (may be null) as the close callback.
inline void close_all_handles(uv_loop_t* loop, uv_close_cb callback)
{
    uv_walk(
        loop,
        [](uv_handle_t* handle, void* arg) {
            if (!uv_is_closing(handle)) {
                uv_close(handle, reinterpret_cast<uv_close_cb>(arg));
            }
        },
        reinterpret_cast<void*>(callback));
}

// Closes every handle and runs the loop until the closes are done. Only for a
// loop that no thread runs.
inline void close_and_drain(uv_loop_t* loop, uv_close_cb callback)
{
    close_all_handles(loop, callback);
    uv_run(loop, UV_RUN_DEFAULT);
}

}  // namespace detail
}  // namespace sockmesh
