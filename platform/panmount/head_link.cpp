#include "head_link.h"

#include "panmount_log.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace panmount {
namespace detail {
namespace {

constexpr int kConnectTimeoutMs = 3000;
// A head that stops reading blocks a command for at most this long.
constexpr int kSendTimeoutMs = 2000;
// A head that vanishes without closing is noticed after about idle + count x
// interval seconds of silence (keepalive) or this long after an unanswered
// write (TCP_USER_TIMEOUT).
constexpr int kKeepIdleS = 5;
constexpr int kKeepIntervalS = 2;
constexpr int kKeepCount = 3;
constexpr unsigned kUserTimeoutMs = 10000;

void set_option(int fd, int level, int name, int value)
{
    setsockopt(fd, level, name, &value, sizeof(value));
}

void tune_socket(int fd)
{
    set_option(fd, IPPROTO_TCP, TCP_NODELAY, 1);
    set_option(fd, SOL_SOCKET, SO_KEEPALIVE, 1);
    set_option(fd, IPPROTO_TCP, TCP_KEEPIDLE, kKeepIdleS);
    set_option(fd, IPPROTO_TCP, TCP_KEEPINTVL, kKeepIntervalS);
    set_option(fd, IPPROTO_TCP, TCP_KEEPCNT, kKeepCount);
    unsigned user_timeout = kUserTimeoutMs;
    setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &user_timeout, sizeof(user_timeout));
    timeval send_timeout{kSendTimeoutMs / 1000, (kSendTimeoutMs % 1000) * 1000};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &send_timeout, sizeof(send_timeout));
}

// A connected blocking socket, or -1 with the errno in *error.
int open_link(const sockaddr_in& address, int* error)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        *error = errno;
        return -1;
    }
    int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    if (result != 0 && errno == EINPROGRESS) {
        pollfd waiting{fd, POLLOUT, 0};
        int ready;
        do {
            ready = poll(&waiting, 1, kConnectTimeoutMs);
        } while (ready < 0 && errno == EINTR);
        int status = ready == 0 ? ETIMEDOUT : ready < 0 ? errno : 0;
        if (status == 0) {
            socklen_t size = sizeof(status);
            getsockopt(fd, SOL_SOCKET, SO_ERROR, &status, &size);
        }
        result = status == 0 ? 0 : -1;
        errno = status;
    }
    if (result != 0) {
        *error = errno;
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    tune_socket(fd);
    return fd;
}

}  // namespace

bool parse_head_address(const char* text, sockaddr_in* address)
{
    if (text == nullptr) {
        return false;
    }
    std::string host(text);
    long port = PANMOUNT_DEFAULT_PORT;
    std::size_t colon = host.find(':');
    if (colon != std::string::npos) {
        std::string digits = host.substr(colon + 1);
        host.resize(colon);
        if (digits.empty() || digits.size() > 5 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        port = std::strtol(digits.c_str(), nullptr, 10);
        if (port < 1 || port > 65535) {
            return false;
        }
    }
    sockaddr_in parsed{};
    parsed.sin_family = AF_INET;
    parsed.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, host.c_str(), &parsed.sin_addr) != 1) {
        return false;
    }
    *address = parsed;
    return true;
}

HeadLink::HeadLink()
{
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        PM_ERROR("wake pipe failed: %s", std::strerror(errno));
        wake_[0] = wake_[1] = -1;
    }
}

HeadLink::~HeadLink()
{
    close_link();
    for (int fd : wake_) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

bool HeadLink::on_link_thread() const
{
    return link_thread_id_.load() == std::this_thread::get_id();
}

bool HeadLink::connect(const char* address, PtzStatusCallback callback, void* user)
{
    if (on_link_thread()) {
        PM_ERROR("connect refused inside the status callback");
        return false;
    }
    sockaddr_in target{};
    if (!parse_head_address(address, &target)) {
        PM_ERROR("head address \"%s\" is not an IPv4 address with an optional :port",
                 address != nullptr ? address : "(null)");
        return false;
    }
    VyLockGuard control(control_);
    if (!control) {
        return false;
    }
    close_link();
    int error = 0;
    int fd = open_link(target, &error);
    if (fd < 0) {
        PM_ERROR("connect to the head at %s failed: %s", address, std::strerror(error));
        return false;
    }
    {
        VyLockGuard guard(lock_);
        fd_ = fd;
        connected_ = true;
        direction_ = PTZ_STOP;
    }
    stop_ = false;
    send_error_ = 0;
    drain_wake();
    try {
        thread_ = std::thread(&HeadLink::run, this, fd, callback, user);
    } catch (const std::system_error& e) {
        PM_ERROR("link thread could not start: %s", e.what());
        VyLockGuard guard(lock_);
        fd_ = -1;
        connected_ = false;
        close(fd);
        return false;
    }
    PM_INFO("connected to the head at %s", address);
    return true;
}

bool HeadLink::disconnect()
{
    if (on_link_thread()) {
        // The thread cannot join itself: it ends once the callback returns.
        {
            VyLockGuard guard(lock_);
            connected_ = false;
        }
        stop_ = true;
        wake();
        return true;
    }
    VyLockGuard control(control_);
    if (!control) {
        return false;
    }
    close_link();
    return true;
}

void HeadLink::close_link()
{
    {
        VyLockGuard guard(lock_);
        connected_ = false;
    }
    stop_ = true;
    wake();
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool HeadLink::direction(int code)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    PelcoFrame frame{};
    if (!movement_frame(PANMOUNT_HEAD_ADDRESS, code, pan_speed_, tilt_speed_, &frame)) {
        PM_ERROR("unknown direction %d", code);
        return false;
    }
    if (!send_locked(frame)) {
        return false;
    }
    direction_ = code;
    return true;
}

bool HeadLink::set_pan_speed(int speed)
{
    return set_speed(&pan_speed_, speed);
}

bool HeadLink::set_tilt_speed(int speed)
{
    return set_speed(&tilt_speed_, speed);
}

bool HeadLink::set_speed(uint8_t* target, int speed)
{
    if (speed < 0 || speed > PANMOUNT_MAX_SPEED) {
        PM_ERROR("speed %d is outside 0 to %d", speed, PANMOUNT_MAX_SPEED);
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    *target = static_cast<uint8_t>(speed);
    if (!connected_ || direction_ == PTZ_STOP) {
        return true;
    }
    PelcoFrame frame{};
    movement_frame(PANMOUNT_HEAD_ADDRESS, direction_, pan_speed_, tilt_speed_, &frame);
    return send_locked(frame);
}

bool HeadLink::send(const PelcoFrame& frame)
{
    VyLockGuard guard(lock_);
    return guard && send_locked(frame);
}

bool HeadLink::send_locked(const PelcoFrame& frame)
{
    if (!connected_) {
        PM_ERROR("no link to the head: command refused");
        return false;
    }
    std::size_t done = 0;
    while (done < frame.size()) {
        ssize_t sent = ::send(fd_, frame.data() + done, frame.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            int error = sent < 0 ? errno : EPIPE;
            PM_ERROR("sending to the head failed: %s", std::strerror(error));
            // The link thread notices the shut socket and reports the loss.
            send_error_ = error;
            connected_ = false;
            shutdown(fd_, SHUT_RDWR);
            return false;
        }
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

void HeadLink::run(int fd, PtzStatusCallback callback, void* user)
{
    link_thread_id_ = std::this_thread::get_id();
    if (callback != nullptr && !stop_) {
        callback(PTZ_EVENT_CONNECTED, 0, 0, 0, 0, user);
    }
    int error = 0;
    bool lost = false;
    while (!stop_ && !lost) {
        pollfd watched[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        int ready = poll(watched, 2, -1);
        if (ready < 0) {
            if (errno != EINTR) {
                error = errno;
                lost = true;
            }
            continue;
        }
        if (watched[1].revents != 0) {
            drain_wake();
        }
        if (watched[0].revents == 0) {
            continue;
        }
        // The head's answers only show that it is alive; they are dropped.
        char answer[256];
        ssize_t got = recv(fd, answer, sizeof(answer), MSG_DONTWAIT);
        if (got > 0 || (got < 0 && (errno == EINTR || errno == EAGAIN))) {
            continue;
        }
        error = got < 0 ? errno : send_error_.load();
        lost = true;
    }
    {
        VyLockGuard guard(lock_);
        fd_ = -1;
        connected_ = false;
        direction_ = PTZ_STOP;
    }
    close(fd);
    if (lost && !stop_) {
        PM_ERROR("link to the head lost: %s", error != 0 ? std::strerror(error) : "closed by the head");
        if (callback != nullptr) {
            callback(PTZ_EVENT_LINK_LOST, error, 0, 0, 0, user);
        }
    }
    link_thread_id_ = std::thread::id();
}

void HeadLink::wake()
{
    char byte = 1;
    ssize_t ignored = write(wake_[1], &byte, 1);
    (void)ignored;
}

void HeadLink::drain_wake()
{
    char bytes[64];
    while (read(wake_[0], bytes, sizeof(bytes)) > 0) {
    }
}

}  // namespace detail
}  // namespace panmount
