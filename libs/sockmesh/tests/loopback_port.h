// Sockets on 127.0.0.1 with a port chosen by the kernel.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sockmesh_test {

// A socket of `type` bound to 127.0.0.1 on a free port; the port in *port.
inline int bound_loopback_socket(int type, int* port)
{
    int fd = socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    socklen_t size = sizeof(address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    *port = ntohs(address.sin_port);
    return fd;
}

// A TCP port on 127.0.0.1 where nobody listens right now.
inline int unused_tcp_port()
{
    int port = 0;
    close(bound_loopback_socket(SOCK_STREAM, &port));
    return port;
}

}  // namespace sockmesh_test
