// Engine of one framed TCP connection to a server, driven by a libuv loop
// of its own that runs on its own thread while connected.
#pragma once

#include "frame_assembler.h"
#include "tcp_engine.h"
#include "loop_waker.h"
#include "send_queue.h"
#include "write_request.h"

#include "sockmesh.h"

#include <uv.h>

#include <netinet/in.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace sockmesh {
namespace detail {

class TcpClient : public TcpEngine {
public:
    TcpClient();
    virtual ~TcpClient();

    TcpClient(const TcpClient&) = delete;
    TcpClient& operator=(const TcpClient&) = delete;

    bool loop_ready() const { return loop_ready_; }


    // Blocks until connected, refused or given up (about 10.1 s). The
    // callback, when given, replaces the previous one once no loop thread
    // of an earlier connection can still be calling it.
    bool connect(const std::string& ip, int port);
    bool connect(const std::string& ip, int port, NetEventCallback callback, void* user);
    // Any thread, one at a time. The data is copied.
    bool send(const void* data, std::size_t length);
    // Blocks until the loop has raised its last event (EVT_TCP_DISCONNECTED
    // when the link was up); the socket closes on the loop thread right after.
    // The next connect waits for that close.
    bool disconnect();


private:
    static void on_wake(uv_async_t* handle);
    static void on_alloc(uv_handle_t* handle, std::size_t suggested, uv_buf_t* buf);
    static void on_read(uv_stream_t* stream, ssize_t nread, const uv_buf_t* buf);
    static void on_write(uv_write_t* request, int status);

    void run();
    int open_link();
    void report_connect();
    bool shut_link();
    // The loop thread outlives a connection: starting and ending a thread
    // costs more than a whole connect on loopback. It runs run() once per
    // start_session() and waits for the next one.
    void loop_thread();
    void start_session();  // may throw std::system_error (first thread start)
    void wait_session();   // until the loop of the last session has ended
    void wait_delivered(); // until it has raised its last event
    void end_delivery();   // loop thread: the last event of a session
    void stop_loop_thread();
    void close_loop_handles();
    void drain(WriteRequest* finished);
    void set_state(int state);
    bool fail_connect(const char* message, int error);

    uv_loop_t loop_{};
    bool loop_ready_ = false;
    uv_tcp_t tcp_{};
    LoopWaker waker_;
    std::thread thread_;
    std::mutex session_mutex_;
    std::condition_variable session_changed_;
    // Written under session_mutex_; atomic, as the loop thread's callbacks
    // read some of them without it.
    std::atomic<bool> session_pending_{false};
    std::atomic<bool> session_running_{false};
    std::atomic<bool> quit_{false};
    // The session may still call the callback; cleared by its loop thread
    // after the last event, before the handles close.
    std::atomic<bool> delivering_{false};
    bool ending_ = false;  // loop thread: its handles are closing

    std::mutex state_mutex_;
    std::condition_variable state_changed_;
    std::atomic<int> state_{3};  // 3 connecting, 1 connected, 2 failed, 0 given up
    std::atomic<bool> closed_{true};
    std::atomic<bool> closing_{false};
    std::atomic<bool> up_{false};  // the connection was established on the loop

    std::string ip_;
    int port_ = 0;
    // Written by the caller before the session starts, read by its loop.
    sockaddr_in address_{};
    std::chrono::steady_clock::time_point connect_deadline_;
    // The connected socket, while a disconnect may still shut it down.
    std::mutex link_mutex_;
    int link_fd_ = -1;


    SendQueue queue_;
    WriteRequestPool requests_;
    std::unique_ptr<char[]> read_buffer_;
    FrameAssembler assembler_;
};

}  // namespace detail
}  // namespace sockmesh
