// A blocking TCP connect, as a plain connect() is: on loopback the handshake
// completes inside the call.
#pragma once

#include <netinet/in.h>

#include <chrono>

namespace sockmesh {
namespace detail {

// Connects a new blocking socket to `address`, giving up after `limit`.
// Returns 0 with the socket in *fd, or a libuv error code: the connect's
// own error, or UV_ECANCELED when no answer came in time.
int connect_socket(const sockaddr_in& address, std::chrono::milliseconds limit, int* fd);

}  // namespace detail
}  // namespace sockmesh
