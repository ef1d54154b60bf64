// What the TCP client and server engines share: the caller's callback,
// the keep-alive setting and the last error text.
#pragma once

#include "sockmesh.h"

#include <mutex>
#include <string>

namespace sockmesh {
namespace detail {

class TcpEngine {
public:
    virtual ~TcpEngine() = default;

    // Before connect or start; read by the loop thread afterwards.
    void set_callback(NetEventCallback callback, void* user)
    {
        callback_ = callback;
        user_ = user;
    }

    void set_keepalive(bool on, unsigned delay_seconds)
    {
        keepalive_ = on;
        keepalive_delay_ = delay_seconds;
    }

    std::string last_error()
    {
        std::lock_guard<std::mutex> lock(error_mutex_);
        return last_error_;
    }

    void set_last_error(const std::string& text)
    {
        std::lock_guard<std::mutex> lock(error_mutex_);
        last_error_ = text;
    }

protected:
    // Loop thread; no lock is held while the caller's callback runs.
    void emit(uint32_t id, int type, const char* data, int length)
    {
        if (callback_ == nullptr) {
            return;
        }
        NetEvent event{static_cast<int32_t>(id), type, data, length};
        callback_(&event, user_);
    }

    NetEventCallback callback_ = nullptr;
    void* user_ = nullptr;
    bool keepalive_ = false;
    unsigned keepalive_delay_ = 0;

private:
    std::mutex error_mutex_;
    std::string last_error_;
};

}  // namespace detail
}  // namespace sockmesh
