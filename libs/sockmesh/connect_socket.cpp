#include "connect_socket.h"

#include <uv.h>

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace sockmesh {
namespace detail {

namespace {

// A connect interrupted by a signal goes on in the kernel: its outcome is
// waited for here.
int finish_interrupted(int fd, std::chrono::steady_clock::time_point until)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return UV_ECANCELED;
        }
        pollfd watch{fd, POLLOUT, 0};
        const int ready = poll(&watch, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            return -errno;
        }
        if (ready == 0) {
            return UV_ECANCELED;
        }
        int error = 0;
        socklen_t size = sizeof(error);
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
            return -errno;
        }
        return -error;
    }
}

}  // namespace

int connect_socket(const sockaddr_in& address, std::chrono::milliseconds limit, int* fd)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    const int sock = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (sock < 0) {
        return -errno;
    }
    // A blocking connect waits at most the send timeout.
    timeval timeout{};
    timeout.tv_sec = static_cast<time_t>(limit.count() / 1000);
    timeout.tv_usec = static_cast<suseconds_t>((limit.count() % 1000) * 1000);
    int result = 0;
    if (setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout)) != 0) {
        result = -errno;
    } else if (connect(sock, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        if (errno == EINPROGRESS) {
            result = UV_ECANCELED;
        } else if (errno == EINTR) {
            result = finish_interrupted(sock, until);
        } else {
            result = -errno;
        }
    }
    if (result != 0) {
        close(sock);
        return result;
    }
    *fd = sock;
    return 0;
}

}  // namespace detail
}  // namespace sockmesh
