#include "tcp_client.h"

#include "connect_socket.h"
#include "quiet_pipe.h"
#include "sockmesh_log.h"

#include <algorithm>
#include <chrono>

#include <sys/socket.h>
#include <unistd.h>

namespace sockmesh {
namespace detail {

namespace {

constexpr std::size_t kClientReadBuffer = 921600;
constexpr std::size_t kMaxRequests = 40;
constexpr std::size_t kSpareRequests = 20;
constexpr auto kConnectWait = std::chrono::milliseconds(10100);

}  // namespace

TcpClient::TcpClient() : requests_(kWriteChunk, kSpareRequests), read_buffer_(new char[kClientReadBuffer])
{
    int result = uv_loop_init(&loop_);
    if (result != 0) {
        set_last_error(uv_error_text(result));
        SM_ERROR("TCP client loop init failed, error: %s\n", uv_error_text(result).c_str());
        return;
    }
    loop_ready_ = true;
    tcp_.data = this;
}

TcpClient::~TcpClient()
{
    SM_TRACE("TCPClient destruct %s begin, mIsClientClosed = %d", ip_.c_str(), closed_.load() ? 1 : 0);
    disconnect();
    stop_loop_thread();
    if (loop_ready_) {
        uv_loop_close(&loop_);
    }
}

void TcpClient::start_session()
{
    {
        std::lock_guard<std::mutex> lock(session_mutex_);
        if (!thread_.joinable()) {
            thread_ = std::thread(&TcpClient::loop_thread, this);
        }
        session_pending_ = true;
        delivering_ = true;
    }
    session_changed_.notify_all();
}

// The caller and the loop thread sleep while they wait for each other:
// connects come seconds apart, and a spin for the other's answer measured
// no faster than sleeping on a loaded machine while it cost CPU on every
// connect and disconnect.
void TcpClient::wait_session()
{
    std::unique_lock<std::mutex> lock(session_mutex_);
    session_changed_.wait(lock, [this] { return !session_pending_ && !session_running_; });
}

void TcpClient::wait_delivered()
{
    std::unique_lock<std::mutex> lock(session_mutex_);
    session_changed_.wait(lock, [this] { return !session_pending_ && !delivering_; });
}

void TcpClient::stop_loop_thread()
{
    {
        std::lock_guard<std::mutex> lock(session_mutex_);
        quit_ = true;
    }
    session_changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TcpClient::loop_thread()
{
    block_sigpipe_on_this_thread();
    std::unique_lock<std::mutex> lock(session_mutex_);
    for (;;) {
        session_changed_.wait(lock, [this] { return session_pending_ || quit_; });
        if (!session_pending_) {
            return;
        }
        session_pending_ = false;
        session_running_ = true;
        lock.unlock();
        run();
        lock.lock();
        session_running_ = false;
        session_changed_.notify_all();
    }
}





void TcpClient::set_state(int state)
{
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        state_ = state;
    }
    state_changed_.notify_all();
}

bool TcpClient::fail_connect(const char* message, int error)
{
    set_last_error(uv_error_text(error));
    SM_ERROR("%s", message);
    // No loop thread exists yet: close what was opened right here, so the
    // next connect starts from clean handles.
    waker_.mark_closed();
    close_and_drain(&loop_, nullptr);
    return false;
}

bool TcpClient::connect(const std::string& ip, int port)
{
    return connect(ip, port, callback_, user_);
}

bool TcpClient::connect(const std::string& ip, int port, NetEventCallback callback, void* user)
{
    if (!loop_ready_) {
        return false;
    }
    if (!closed_.load()) {
        set_last_error("client have not closed yet, connect failed.");
        SM_ERROR("client have not closed yet, connect failed.");
        return false;
    }
    // A loop that ended on its own (peer closed) has finished its session.
    wait_session();
    set_callback(callback, user);
    int result = waker_.init(&loop_, on_wake, this);
    if (result != 0) {
        return fail_connect("client async handle init failed, connect failed.", result);
    }
    SM_TRACE("connect to server %s:%d.", ip.c_str(), port);
    result = uv_tcp_init(&loop_, &tcp_);
    if (result != 0) {
        return fail_connect("uv tcp init failed, connect failed.", result);
    }
    tcp_.data = this;
    set_state(3);
    ip_ = ip;
    port_ = port;
    result = uv_ip4_addr(ip.c_str(), port, &address_);
    if (result != 0) {
        return fail_connect("uv ip4 addr failed, connect failed.", result);
    }
    queue_.reset();
    closing_ = false;
    up_ = false;
    // The loop thread makes the connect itself, so a session takes one
    // hand-over each way, and it is woken before any socket work: woken after
    // the connect, it mostly ran on another, idle processor, and that wake-up
    // cost about as much as the connect itself.
    const auto deadline = std::chrono::steady_clock::now() + kConnectWait;
    connect_deadline_ = deadline;
    try {
        start_session();
    } catch (const std::system_error&) {
        return fail_connect("uv thread create failed, connect failed.", UV_EAGAIN);
    }

    {
        std::unique_lock<std::mutex> lock(state_mutex_);
        if (!state_changed_.wait_until(lock, deadline, [this] { return state_.load() != 3; })) {
            state_ = 0;
        }
    }
    if (state_.load() == 1) {
        SM_TRACE("client(%p) connect succeed.\n", static_cast<void*>(this));
        return true;
    }
    closing_ = true;
    waker_.wake();
    wait_session();
    // Set after the loop ended, over the text of the connect's own error.
    set_last_error("connect time out free all handle");
    SM_ERROR("connect to %s:%d failed.", ip.c_str(), port);
    return false;
}

// Loop thread: a blocking connect, as a plain connect() is (on loopback the
// handshake completes inside the call), given up at the caller's deadline.
int TcpClient::open_link()
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        connect_deadline_ - std::chrono::steady_clock::now());
    int fd = -1;
    int result = connect_socket(address_, std::max(left, std::chrono::milliseconds(1)), &fd);
    if (result != 0) {
        return result;
    }
    result = uv_tcp_open(&tcp_, fd);
    if (result != 0) {
        ::close(fd);
        return result;
    }
    std::lock_guard<std::mutex> lock(link_mutex_);
    link_fd_ = fd;
    return 0;
}

// Loop thread, first thing in a session: connects and raises the outcome.
void TcpClient::report_connect()
{
    const int connect_status = open_link();
    if (connect_status != 0) {
        set_last_error(uv_error_text(connect_status));
        SM_ERROR("TCP client connect error: %s", uv_error_text(connect_status).c_str());
        SM_ERROR("TCP client connect failed, return EVT_TCP_EXCEPTION");
        set_state(2);
        emit(0, EVT_TCP_EXCEPTION, nullptr, 0);
        return;
    }
    const int read_status = uv_read_start(reinterpret_cast<uv_stream_t*>(&tcp_), on_alloc, on_read);
    if (read_status != 0) {
        set_last_error(uv_error_text(read_status));
        SM_ERROR("TCP client uv_read_start error: %s", uv_error_text(read_status).c_str());
        set_state(2);
        emit(0, EVT_TCP_EXCEPTION, nullptr, 0);
        return;
    }
    if (keepalive_) {
        uv_tcp_keepalive(&tcp_, 1, keepalive_delay_);
    }
    assembler_.clear();
    up_ = true;
    closed_ = false;
    SM_TRACE("TCP client connect succ, return EVT_TCP_CONNECTED");
    if (callback_ == nullptr) {
        SM_ERROR("call EVT_TCP_CONNECTED failed. mp_read_cb is NULL.");
    }
    emit(0, EVT_TCP_CONNECTED, nullptr, 0);
    set_state(1);
    // Sends queued before the callback returned.
    drain(nullptr);
}


void TcpClient::on_wake(uv_async_t* handle)
{
    auto* self = static_cast<TcpClient*>(handle->data);
    if (self->closing_.load()) {
        self->close_loop_handles();
        return;
    }
    self->drain(nullptr);
}

void TcpClient::close_loop_handles()
{
    if (ending_) {
        return;
    }
    SM_TRACE("InsideClose");
    ending_ = true;
    {
        // The socket closes with its handle: no disconnect may shut it after.
        std::lock_guard<std::mutex> lock(link_mutex_);
        link_fd_ = -1;
    }
    // The last event goes out first: the caller's disconnect returns while
    // the socket and the handles close here.
    end_delivery();
    waker_.mark_closed();
    close_all_handles(&loop_, nullptr);
}

void TcpClient::on_alloc(uv_handle_t* handle, std::size_t, uv_buf_t* buf)
{
    auto* self = static_cast<TcpClient*>(handle->data);
    *buf = uv_buf_init(self->read_buffer_.get(), kClientReadBuffer);
}

void TcpClient::on_read(uv_stream_t* stream, ssize_t nread, const uv_buf_t*)
{
    auto* self = static_cast<TcpClient*>(stream->data);
    if (nread < 0 && !self->closing_.exchange(true)) {
        if (nread == UV_EOF) {
            SM_TRACE("client receive error(EOF).");
        } else if (nread == UV_ECONNRESET) {
            SM_ERROR("client receive error(ECONNRESET).");
        } else {
            SM_ERROR("client receive error(%s).", uv_error_text(static_cast<int>(nread)).c_str());
        }
        SM_TRACE("receive error code and client havn't closed, close all client.");
    }
    // After a disconnect any read ends the link: a peer that keeps sending
    // may not leave the end of the shut socket to be read for a long time.
    if (self->closing_.load()) {
        self->close_loop_handles();
        return;
    }
    self->drain(nullptr);
    if (nread == 0) {
        return;
    }
    if (!self->assembler_.append(self->read_buffer_.get(), static_cast<std::size_t>(nread))) {
        SM_ERROR("TCP client out of memory for %zd received bytes; input dropped", nread);
        return;
    }
    const char* payload = nullptr;
    uint32_t length = 0;
    while (!self->closing_.load() && self->assembler_.next(&payload, &length)) {
        self->emit(0, EVT_TCP_DATA, payload, static_cast<int>(length));
    }
}

void TcpClient::drain(WriteRequest* finished)
{
    if (finished != nullptr) {
        requests_.release(finished);
    }
    if (!up_.load() || closing_.load()) {
        return;
    }
    for (;;) {
        // A parked rest moves on here too, not only with the next send.
        queue_.flush_rest();
        WriteRequest* request = requests_.acquire(this);
        std::size_t count = queue_.take(request->bytes.get(), requests_.buffer_size());
        if (count == 0) {
            requests_.release(request);
            return;
        }
        request->buf = uv_buf_init(request->bytes.get(), static_cast<unsigned>(count));
        request->request.data = request;
        int result = uv_write(&request->request, reinterpret_cast<uv_stream_t*>(&tcp_), &request->buf, 1, on_write);
        if (result != 0) {
            requests_.release(request);
            char name[64];
            SM_ERROR("send data error. %s-%s\n", uv_err_name_r(result, name, sizeof(name)), uv_strerror(result));
            return;
        }
    }
}

void TcpClient::on_write(uv_write_t* request, int status)
{
    auto* write = static_cast<WriteRequest*>(request->data);
    auto* self = static_cast<TcpClient*>(write->owner);
    if (status != 0) {
        SM_ERROR("send error %s\n", uv_error_text(status).c_str());
    }
    self->drain(write);
}

void TcpClient::run()
{
    SM_TRACE("TCP client run thread established!!!!");
    report_connect();
    // A disconnect from here on wakes the loop.
    int result = uv_run(&loop_, UV_RUN_DEFAULT);
    if (result != 0) {
        set_last_error(uv_error_text(result));
    }
    SM_TRACE("TCP client finished.");
    end_delivery();
    ending_ = false;
    closing_ = false;
}

void TcpClient::end_delivery()
{
    if (!delivering_.load()) {
        return;
    }
    bool was_up = up_.exchange(false);
    closed_ = true;
    SM_TRACE("TCP client disconnected, return EVT_TCP_DISCONNECTED");
    if (was_up && callback_ != nullptr) {
        emit(0, EVT_TCP_DISCONNECTED, nullptr, 0);
    } else if (was_up) {
        SM_ERROR("call EVT_TCP_DISCONNECTED failed. mp_read_cb is NULL.");
    }
    {
        std::lock_guard<std::mutex> lock(session_mutex_);
        delivering_ = false;
    }
    session_changed_.notify_all();
}

bool TcpClient::send(const void* data, std::size_t length)
{
    if (closed_.load() || closing_.load()) {
        SM_ERROR("TCP client is not connected; message of %zu bytes refused", length);
        return false;
    }
    std::size_t existing = 0, spare = 0;
    requests_.counts(&existing, &spare);
    if (existing > kMaxRequests || (existing > kSpareRequests && spare == 0)) {
        return false;
    }
    PushPolicy policy;
    return queue_.push_message(
        data, length, policy, [this] { waker_.wake(); },
        [this] { return closing_.load() || closed_.load(); });
}

// Wakes the loop through the link itself: with its receiving side shut, the
// socket reads its end, and the loop closes. Nothing reaches the peer before
// the socket closes, after the last event. The async handle would wake the
// loop too, but its sender holds a flag across the wake-up write, and a loop
// that runs at once on the sender's processor spins and yields on that flag
// until the sender runs again.
bool TcpClient::shut_link()
{
    std::lock_guard<std::mutex> lock(link_mutex_);
    return link_fd_ >= 0 && ::shutdown(link_fd_, SHUT_RD) == 0;
}

bool TcpClient::disconnect()
{
    if (!closed_.load() && !closing_.exchange(true) && !shut_link()) {
        waker_.wake();
    }
    SM_TRACE("TCPClient waits for the loop to end.");
    wait_delivered();
    return true;
}

}  // namespace detail
}  // namespace sockmesh
