// One TCP link to a pan-tilt head: the socket, the thread that reads the
// head's answers and reports the link's state, and the movement state that
// the speed setters resend.
#pragma once

#include "panmount.h"
#include "pelco_d.h"

#include "vy_lock.h"

#include <atomic>
#include <cstdint>
#include <netinet/in.h>
#include <string>
#include <thread>

namespace panmount {
namespace detail {

// "a.b.c.d" or "a.b.c.d:port" to an IPv4 socket address; the port defaults
// to PANMOUNT_DEFAULT_PORT. False for anything else.
bool parse_head_address(const char* text, sockaddr_in* address);

class HeadLink {
public:
    HeadLink();
    ~HeadLink();
    HeadLink(const HeadLink&) = delete;
    HeadLink& operator=(const HeadLink&) = delete;

    bool ready() const { return wake_[0] >= 0; }

    bool connect(const char* address, PtzStatusCallback callback, void* user);
    bool disconnect();

    bool direction(int code);
    bool set_pan_speed(int speed);
    bool set_tilt_speed(int speed);
    bool send(const PelcoFrame& frame);

    // True on the link's own thread (inside a status callback).
    bool on_link_thread() const;

private:
    bool set_speed(uint8_t* target, int speed);
    bool send_locked(const PelcoFrame& frame);
    void close_link();
    void run(int fd, PtzStatusCallback callback, void* user);
    void wake();
    void drain_wake();

    // Serialises connect and disconnect of other threads; never held while a
    // callback runs on this thread of the caller.
    VyLock control_{"panmount control"};
    VyLock lock_{"panmount link"};
    int fd_ = -1;                  // under lock_; closed only by the link thread
    bool connected_ = false;       // under lock_: commands may be sent
    std::atomic<int> send_error_{0};
    int direction_ = PTZ_STOP;     // under lock_: the movement in progress
    uint8_t pan_speed_ = PANMOUNT_DEFAULT_SPEED;
    uint8_t tilt_speed_ = PANMOUNT_DEFAULT_SPEED;
    std::atomic<bool> stop_{false};
    std::atomic<std::thread::id> link_thread_id_{};
    std::thread thread_;           // touched only by connect, disconnect and the destructor
    int wake_[2] = {-1, -1};
};

}  // namespace detail
}  // namespace panmount
