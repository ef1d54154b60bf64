#include "tcp_server.h"

#include "quiet_pipe.h"
#include "sockmesh_log.h"

#include <chrono>
#include <climits>
#include <vector>

namespace sockmesh {
namespace detail {

namespace {

constexpr std::size_t kServerReadBuffer = 614400;
constexpr auto kStartWait = std::chrono::milliseconds(10100);

// Shared by every server of the process; ids are never reused.
std::atomic<uint32_t> g_next_connection_id{1};

}  // namespace

ServerConnection::ServerConnection(TcpServer* owner, uint32_t connection_id)
    : server(owner), id(connection_id), read_buffer(new char[kServerReadBuffer]), requests(kWriteChunk, 20)
{
    tcp.data = this;
}

TcpServer::TcpServer()
{
    int result = uv_loop_init(&loop_);
    if (result != 0) {
        set_last_error(uv_error_text(result));
        SM_ERROR("TCP server loop init error: %s\n", uv_error_text(result).c_str());
        return;
    }
    loop_ready_ = true;
}

TcpServer::~TcpServer()
{
    shutdown();
    if (loop_ready_) {
        uv_loop_close(&loop_);
    }
}

bool TcpServer::init()
{
    if (!loop_ready_ || initialised_) {
        return false;
    }
    int result = stopper_.init(&loop_, on_stop, this);
    if (result != 0) {
        set_last_error(uv_error_text(result));
        return false;
    }
    result = waker_.init(&loop_, on_wake, this);
    if (result == 0) {
        result = uv_tcp_init(&loop_, &listener_);
    }
    if (result != 0) {
        set_last_error(uv_error_text(result));
        stopper_.mark_closed();
        waker_.mark_closed();
        close_and_drain(&loop_, nullptr);
        return false;
    }
    listener_.data = this;
    uv_tcp_nodelay(&listener_, 1);
    initialised_ = true;
    closed_ = false;
    return true;
}





std::size_t TcpServer::connection_count()
{
    std::lock_guard<std::mutex> lock(table_mutex_);
    return table_.size();
}

bool TcpServer::start(const std::string& ip, int port)
{
    if (!initialised_ || started_ || closing_.load()) {
        set_last_error("server is not ready to start");
        SM_ERROR("TCP server start refused: not initialised, already started or stopping");
        return false;
    }
    ip_ = ip;
    port_ = port;
    sockaddr_in address;
    int result = uv_ip4_addr(ip.c_str(), port, &address);
    if (result == 0) {
        result = uv_tcp_bind(&listener_, reinterpret_cast<const sockaddr*>(&address), 0);
    }
    if (result == 0) {
        result = uv_listen(reinterpret_cast<uv_stream_t*>(&listener_), INT_MAX, on_connection);
    }
    if (result != 0) {
        set_last_error(uv_error_text(result));
        return false;
    }
    sockaddr_storage bound;
    int bound_size = sizeof(bound);
    if (uv_tcp_getsockname(&listener_, reinterpret_cast<sockaddr*>(&bound), &bound_size) == 0) {
        bound_port_ = ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    }
    if (keepalive_) {
        uv_tcp_keepalive(&listener_, 1, keepalive_delay_);
    }
    started_ = true;
    try {
        thread_ = std::thread(&TcpServer::run, this);
    } catch (const std::system_error&) {
        set_last_error(uv_error_text(UV_EAGAIN));
        return false;
    }
    std::unique_lock<std::mutex> lock(state_mutex_);
    if (!state_changed_.wait_for(lock, kStartWait, [this] { return state_.load() != 3; })) {
        state_ = 0;
    }
    return state_.load() == 1;
}

void TcpServer::run()
{
    block_sigpipe_on_this_thread();
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        state_ = 1;
    }
    state_changed_.notify_all();
    int result = uv_run(&loop_, UV_RUN_DEFAULT);
    if (result != 0) {
        set_last_error(uv_error_text(result));
    }
    closed_ = true;
    closing_ = false;
}


void TcpServer::on_connection(uv_stream_t* listener, int status)
{
    auto* self = static_cast<TcpServer*>(listener->data);
    if (status != 0) {
        self->set_last_error(uv_error_text(status));
        return;
    }
    uint32_t id = g_next_connection_id.fetch_add(1);
    auto connection = std::make_shared<ServerConnection>(self, id);
    int result = uv_tcp_init(&self->loop_, &connection->tcp);
    if (result != 0) {
        self->set_last_error(uv_error_text(result));
        return;
    }
    // From here the handle exists: every failure closes it, which frees the
    // connection in its close callback.
    connection->self = connection;
    auto* stream = reinterpret_cast<uv_stream_t*>(&connection->tcp);
    result = uv_accept(listener, stream);
    if (result == 0) {
        result = uv_read_start(stream, on_alloc, on_read);
    }
    if (result != 0) {
        self->set_last_error(uv_error_text(result));
        connection->closing = true;
        uv_close(reinterpret_cast<uv_handle_t*>(&connection->tcp), on_connection_closed);
        return;
    }
    sockaddr_storage peer;
    int peer_size = sizeof(peer);
    if (uv_tcp_getpeername(&connection->tcp, reinterpret_cast<sockaddr*>(&peer), &peer_size) == 0 &&
        peer.ss_family == AF_INET) {
        char text[16] = {0};
        const auto* in = reinterpret_cast<const sockaddr_in*>(&peer);
        uv_ip4_name(in, text, sizeof(text));
        connection->peer_ip = text;
        connection->peer_port = ntohs(in->sin_port);
    }
    connection->running = true;
    {
        std::lock_guard<std::mutex> lock(self->table_mutex_);
        self->table_[id] = connection;
        connection->in_table = true;
    }
    SM_TRACE("TCP Server callback to notify connected, closed id = %d.\n", static_cast<int>(id));
    self->emit(id, EVT_TCP_CONNECTED, nullptr, 0);
}

void TcpServer::on_alloc(uv_handle_t* handle, std::size_t, uv_buf_t* buf)
{
    auto* connection = static_cast<ServerConnection*>(handle->data);
    *buf = uv_buf_init(connection->read_buffer.get(), kServerReadBuffer);
}

void TcpServer::on_read(uv_stream_t* stream, ssize_t nread, const uv_buf_t*)
{
    auto* connection = static_cast<ServerConnection*>(stream->data);
    TcpServer* self = connection->server;
    int id = static_cast<int>(connection->id);
    if (nread < 0) {
        if (nread == UV_EOF) {
            SM_TRACE("client (id: %d ) UV_EOF error!\n", id);
        } else if (nread == UV_ECONNRESET) {
            SM_ERROR("client (id: %d) UV_ECONNRESET error!\n", id);
        } else {
            SM_ERROR("client (id: %d) error: %s\n", id, uv_error_text(static_cast<int>(nread)).c_str());
        }
        self->close_connection(connection);
        return;
    }
    if (nread == 0) {
        return;
    }
    if (!connection->assembler.append(connection->read_buffer.get(), static_cast<std::size_t>(nread))) {
        SM_ERROR("client (id: %d) out of memory for %zd received bytes; input dropped", id, nread);
        return;
    }
    const char* payload = nullptr;
    uint32_t length = 0;
    while (!connection->closing.load() && connection->assembler.next(&payload, &length)) {
        self->emit(connection->id, EVT_TCP_DATA, payload, static_cast<int>(length));
    }
}

void TcpServer::close_connection(ServerConnection* connection)
{
    auto* handle = reinterpret_cast<uv_handle_t*>(&connection->tcp);
    SM_TRACE("[%s]: id = %d, mb_accept_client_closed = %d, mb_accept_client_closing = %d\n", "AcceptClient",
             static_cast<int>(connection->id), uv_is_closing(handle) ? 1 : 0, connection->closing.load() ? 1 : 0);
    if (connection->closing.exchange(true) || uv_is_closing(handle)) {
        return;
    }
    connection->running = false;
    uv_close(handle, on_connection_closed);
}

void TcpServer::on_connection_closed(uv_handle_t* handle)
{
    auto* connection = static_cast<ServerConnection*>(handle->data);
    TcpServer* self = connection->server;
    std::shared_ptr<ServerConnection> keep = std::move(connection->self);
    SM_TRACE("ui_client_id = %d", static_cast<int>(connection->id));
    bool was_listed = false;
    {
        std::lock_guard<std::mutex> lock(self->table_mutex_);
        auto it = self->table_.find(connection->id);
        if (it != self->table_.end() && it->second.get() == connection) {
            self->table_.erase(it);
            was_listed = true;
        }
    }
    if (was_listed) {
        SM_TRACE("TCP Server callback to notify disconnected, closed id = %d.\n", static_cast<int>(connection->id));
        self->emit(connection->id, EVT_TCP_DISCONNECTED, nullptr, 0);
    }
}

void TcpServer::drain(ServerConnection* connection, WriteRequest* finished)
{
    if (finished != nullptr) {
        connection->requests.release(finished);
        connection->sending = false;
    }
    if (connection->sending || !connection->running.load()) {
        return;
    }
    connection->queue.flush_rest();
    WriteRequest* request = connection->requests.acquire(connection);
    std::size_t count = connection->queue.take(request->bytes.get(), connection->requests.buffer_size());
    if (count == 0) {
        connection->requests.release(request);
        return;
    }
    request->buf = uv_buf_init(request->bytes.get(), static_cast<unsigned>(count));
    request->request.data = request;
    connection->sending = true;
    int result = uv_write(&request->request, reinterpret_cast<uv_stream_t*>(&connection->tcp), &request->buf, 1,
                          on_write);
    if (result != 0) {
        connection->requests.release(request);
        connection->sending = false;
        char name[64];
        SM_ERROR("send data error. %s-%s\n", uv_err_name_r(result, name, sizeof(name)), uv_strerror(result));
    }
}

void TcpServer::on_write(uv_write_t* request, int status)
{
    auto* write = static_cast<WriteRequest*>(request->data);
    auto* connection = static_cast<ServerConnection*>(write->owner);
    if (status != 0) {
        SM_ERROR("send error %s\n", uv_error_text(status).c_str());
    }
    connection->server->drain(connection, write);
}

void TcpServer::wake_connection(const std::shared_ptr<ServerConnection>& connection)
{
    connection->wake_pending = true;
    waker_.wake();
}

void TcpServer::on_wake(uv_async_t* handle)
{
    auto* self = static_cast<TcpServer*>(handle->data);
    std::vector<std::shared_ptr<ServerConnection>> pending;
    {
        std::lock_guard<std::mutex> lock(self->table_mutex_);
        for (auto& entry : self->table_) {
            if (entry.second->wake_pending.exchange(false)) {
                pending.push_back(entry.second);
            }
        }
    }
    for (auto& connection : pending) {
        if (!connection->running.load()) {
            self->close_connection(connection.get());
        } else {
            self->drain(connection.get(), nullptr);
        }
    }
}

void TcpServer::on_stop(uv_async_t* handle)
{
    auto* self = static_cast<TcpServer*>(handle->data);
    if (!self->closing_.load()) {
        return;
    }
    std::vector<std::shared_ptr<ServerConnection>> open;
    {
        std::lock_guard<std::mutex> lock(self->table_mutex_);
        for (auto& entry : self->table_) {
            open.push_back(entry.second);
        }
    }
    for (auto& connection : open) {
        self->close_connection(connection.get());
    }
    self->stopper_.mark_closed();
    self->waker_.mark_closed();
    close_all_handles(&self->loop_, nullptr);
}

std::shared_ptr<ServerConnection> TcpServer::find(uint32_t id)
{
    std::lock_guard<std::mutex> lock(table_mutex_);
    auto it = table_.find(id);
    return it == table_.end() ? nullptr : it->second;
}

bool TcpServer::send_to(uint32_t id, const void* data, std::size_t length)
{
    std::shared_ptr<ServerConnection> connection = find(id);
    if (!connection) {
        SM_ERROR("Error: Tcp Client CTX can not found when append data!\n");
        return false;
    }
    if (!connection->running.load()) {
        return false;
    }
    PushPolicy policy;
    policy.wait_ms = 50;
    policy.overflow_format = "SendToClient failed. send len = %d, left len = %d\n";
    return connection->queue.push_message(
        data, length, policy, [this, connection] { wake_connection(connection); },
        [connection] { return !connection->running.load() || connection->closing.load(); });
}

bool TcpServer::disconnect_client(uint32_t id)
{
    SM_TRACE("DisconnectClientById : %d\n", static_cast<int>(id));
    if (id == 0) {
        SM_ERROR("Error: disconnect client id invalid : %d\n", 0);
        return false;
    }
    std::shared_ptr<ServerConnection> connection = find(id);
    if (!connection) {
        SM_ERROR("Error: Tcp Client CTX can not found!\n");
        return false;
    }
    // libuv handles are touched on the loop thread only: mark it and let the
    // loop close it.
    connection->running = false;
    wake_connection(connection);
    return true;
}

bool TcpServer::client_address(uint32_t id, std::string* ip, int* port)
{
    if (id == 0) {
        SM_ERROR("Error: get client addr id invalid : %d", 0);
        return false;
    }
    if (ip == nullptr && port == nullptr) {
        SM_ERROR("all parameter is null");
        return false;
    }
    std::shared_ptr<ServerConnection> connection = find(id);
    if (!connection) {
        SM_ERROR("Error: Tcp Client CTX can not found!\n");
        return false;
    }
    if (ip != nullptr) {
        *ip = connection->peer_ip;
    }
    if (port != nullptr) {
        *port = connection->peer_port;
    }
    return true;
}

void TcpServer::stop()
{
    if (!closed_.load() && !closing_.exchange(true)) {
        stopper_.wake();
    }
}

void TcpServer::shutdown()
{
    stop();
    if (thread_.joinable()) {
        thread_.join();
    } else if (initialised_ && loop_ready_) {
        // Never started: nobody runs the loop, close its handles here.
        stopper_.mark_closed();
        waker_.mark_closed();
        close_and_drain(&loop_, nullptr);
        closed_ = true;
        closing_ = false;
    }
}

}  // namespace detail
}  // namespace sockmesh
