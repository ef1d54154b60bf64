#include "udp_send.h"

#include "sockmesh_log.h"

namespace sockmesh {
namespace detail {

namespace {

struct SendRequest {
    uv_udp_send_t request{};
    std::vector<char> bytes;
};

void on_sent(uv_udp_send_t* sent, int status)
{
    if (status != 0) {
        log_uv_failure(status);
    }
    delete static_cast<SendRequest*>(sent->data);
}

}  // namespace

bool send_datagram(uv_udp_t* handle, const std::vector<char>& bytes, const sockaddr_in& to)
{
    auto* request = new SendRequest;
    request->bytes = bytes;
    request->request.data = request;
    uv_buf_t buf = uv_buf_init(request->bytes.data(), static_cast<unsigned>(request->bytes.size()));
    int result = uv_udp_send(&request->request, handle, &buf, 1, reinterpret_cast<const sockaddr*>(&to), on_sent);
    if (result != 0) {
        log_uv_failure(result);
        delete request;
        return false;
    }
    return true;
}

}  // namespace detail
}  // namespace sockmesh
