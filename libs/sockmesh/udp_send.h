// Sending one datagram from a libuv UDP handle; the bytes are copied and
// freed when the send completes.
#pragma once

#include <uv.h>

#include <vector>

namespace sockmesh {
namespace detail {

// Loop thread. Logs and returns false when the send cannot start.
bool send_datagram(uv_udp_t* handle, const std::vector<char>& bytes, const sockaddr_in& to);

}  // namespace detail
}  // namespace sockmesh
