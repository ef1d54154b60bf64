// Engine of a framed TCP server: one listening socket, a libuv loop on its
// own thread and any number of connections, each with its own id.
#pragma once

#include "frame_assembler.h"
#include "tcp_engine.h"
#include "loop_waker.h"
#include "send_queue.h"
#include "write_request.h"

#include "sockmesh.h"

#include <uv.h>

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace sockmesh {
namespace detail {

class TcpServer;

// One accepted connection. Owned by the server's table while it is open and
// by itself until libuv has closed its handle; senders hold a reference.
struct ServerConnection {
    ServerConnection(TcpServer* owner, uint32_t connection_id);

    TcpServer* server;
    uint32_t id;
    uv_tcp_t tcp{};
    std::unique_ptr<char[]> read_buffer;
    FrameAssembler assembler;
    SendQueue queue;
    WriteRequestPool requests;
    std::atomic<bool> running{false};
    std::atomic<bool> closing{false};
    std::atomic<bool> wake_pending{false};
    bool sending = false;  // loop thread only: one write in flight
    bool in_table = false;
    std::string peer_ip;
    int peer_port = 0;
    std::shared_ptr<ServerConnection> self;  // released when the handle has closed
};

class TcpServer : public TcpEngine {
public:
    TcpServer();
    virtual ~TcpServer();

    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    // Prepares the stop signal and the listening handle.
    bool init();

    // Binds, listens and starts the loop thread. Port 0 takes a free port.
    bool start(const std::string& ip, int port);
    bool send_to(uint32_t id, const void* data, std::size_t length);
    bool disconnect_client(uint32_t id);
    bool client_address(uint32_t id, std::string* ip, int* port);
    // Asks the loop to close every connection and end; returns at once.
    void stop();
    // Stops and waits for the loop thread.
    void shutdown();

    std::string address() const { return ip_; }
    int port() const { return port_; }
    int bound_port() const { return bound_port_; }
    std::size_t connection_count();

private:
    friend struct ServerConnection;

    static void on_stop(uv_async_t* handle);
    static void on_wake(uv_async_t* handle);
    static void on_connection(uv_stream_t* listener, int status);
    static void on_alloc(uv_handle_t* handle, std::size_t suggested, uv_buf_t* buf);
    static void on_read(uv_stream_t* stream, ssize_t nread, const uv_buf_t* buf);
    static void on_write(uv_write_t* request, int status);
    static void on_connection_closed(uv_handle_t* handle);

    void run();
    void close_connection(ServerConnection* connection);
    void drain(ServerConnection* connection, WriteRequest* finished);
    void wake_connection(const std::shared_ptr<ServerConnection>& connection);
    std::shared_ptr<ServerConnection> find(uint32_t id);

    uv_loop_t loop_{};
    bool loop_ready_ = false;
    bool initialised_ = false;
    bool started_ = false;
    uv_tcp_t listener_{};
    LoopWaker stopper_;
    LoopWaker waker_;
    std::thread thread_;

    std::mutex state_mutex_;
    std::condition_variable state_changed_;
    std::atomic<int> state_{3};  // 3 starting, 1 running, 0 given up
    std::atomic<bool> closed_{true};
    std::atomic<bool> closing_{false};

    std::string ip_;
    int port_ = 0;
    int bound_port_ = 0;


    std::mutex table_mutex_;
    std::map<uint32_t, std::shared_ptr<ServerConnection>> table_;
};

}  // namespace detail
}  // namespace sockmesh
