// sockmesh on loopback, each figure beside a baseline measured in the same
// run: the frame assembler against memcpy of the same bytes, client
// throughput against a plain libuv write loop into the same sink, the
// 100-byte message rate against the same framed bytes written back to back
// over a blocking socket, connect latency against a blocking connect().
#include "frame_assembler.h"
#include "side_by_side.h"
#include "tcp_client.h"
#include "tcp_server.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <uv.h>
#include <vector>

using namespace sockmesh::detail;

namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr auto kPauseBetweenCycles = std::chrono::milliseconds(1);

// Accepts connections on 127.0.0.1 and counts every byte it reads.
class Sink {
public:
    Sink()
    {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        socklen_t size = sizeof(address);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        listen(listener_, 64);
        thread_ = std::thread([this] { serve(); });
    }

    ~Sink()
    {
        stop_ = true;
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        thread_.join();
    }

    int port() const { return port_; }
    uint64_t received() const { return received_.load(); }

    void wait_for(uint64_t total) const
    {
        while (received_.load() < total) {
            std::this_thread::yield();
        }
    }

private:
    void serve()
    {
        std::vector<char> buffer(1 << 20);
        while (!stop_) {
            int fd = accept(listener_, nullptr, nullptr);
            if (fd < 0) {
                return;
            }
            for (;;) {
                ssize_t n = recv(fd, buffer.data(), buffer.size(), 0);
                if (n <= 0) {
                    break;
                }
                received_ += static_cast<uint64_t>(n);
            }
            close(fd);
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> received_{0};
    std::thread thread_;
};

// Events are taken and dropped: a client or server without a callback logs
// every event it cannot deliver, which would be measured too.
void ignore_event(const NetEvent*, void*) {}

std::vector<char> frame_of(std::size_t payload)
{
    std::vector<char> bytes(payload);
    for (std::size_t i = 0; i < payload; ++i) {
        bytes[i] = static_cast<char>(i * 13);
    }
    return build_frame(bytes.data(), bytes.size());
}

void BM_frames_memcpy_baseline(benchmark::State& state)
{
    std::vector<char> frame = frame_of(static_cast<std::size_t>(state.range(0)));
    std::vector<char> copy(frame.size());
    for (auto _ : state) {
        for (std::size_t pos = 0; pos < frame.size(); pos += kChunk) {
            std::memcpy(copy.data() + pos, frame.data() + pos, std::min(kChunk, frame.size() - pos));
        }
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
}

void BM_frames_assembler(benchmark::State& state)
{
    std::vector<char> frame = frame_of(static_cast<std::size_t>(state.range(0)));
    FrameAssembler assembler;
    for (auto _ : state) {
        int delivered = 0;
        for (std::size_t pos = 0; pos < frame.size(); pos += kChunk) {
            assembler.append(frame.data() + pos, std::min(kChunk, frame.size() - pos));
            const char* payload = nullptr;
            uint32_t length = 0;
            while (assembler.next(&payload, &length)) {
                benchmark::DoNotOptimize(payload);
                ++delivered;
            }
        }
        if (delivered != 1) {
            state.SkipWithError("frame not delivered");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
}

// Plain libuv: one connection, every buffer written as the previous write
// completes, into the same sink.
struct PlainWriter {
    uv_loop_t loop;
    uv_tcp_t tcp;
    uv_connect_t connect;
    uv_write_t write;
    uv_buf_t buf;
    int remaining = 0;

    static void on_write(uv_write_t* request, int status)
    {
        auto* self = static_cast<PlainWriter*>(request->data);
        if (status != 0 || --self->remaining == 0) {
            uv_close(reinterpret_cast<uv_handle_t*>(&self->tcp), nullptr);
            return;
        }
        self->next();
    }

    static void on_connect(uv_connect_t* request, int status)
    {
        auto* self = static_cast<PlainWriter*>(request->data);
        if (status != 0) {
            uv_close(reinterpret_cast<uv_handle_t*>(&self->tcp), nullptr);
            return;
        }
        self->next();
    }

    void next()
    {
        write.data = this;
        uv_write(&write, reinterpret_cast<uv_stream_t*>(&tcp), &buf, 1, on_write);
    }

    void run(int port, std::vector<char>& bytes, int count)
    {
        uv_loop_init(&loop);
        uv_tcp_init(&loop, &tcp);
        sockaddr_in address;
        uv_ip4_addr("127.0.0.1", port, &address);
        buf = uv_buf_init(bytes.data(), static_cast<unsigned>(bytes.size()));
        remaining = count;
        connect.data = this;
        uv_tcp_connect(&connect, &tcp, reinterpret_cast<const sockaddr*>(&address), on_connect);
        uv_run(&loop, UV_RUN_DEFAULT);
        uv_loop_close(&loop);
    }
};

void plain_libuv_loop(benchmark::State& state, std::size_t message)
{
    Sink sink;
    std::vector<char> bytes(message, 'b');
    const int count = static_cast<int>(state.range(0));
    uint64_t expected = 0;
    for (auto _ : state) {
        PlainWriter writer;
        writer.run(sink.port(), bytes, count);
        expected += bytes.size() * static_cast<uint64_t>(count);
        sink.wait_for(expected);
    }
    state.SetBytesProcessed(static_cast<int64_t>(expected));
    state.SetItemsProcessed(state.iterations() * count);
}

void client_loop(benchmark::State& state, std::size_t message)
{
    Sink sink;
    std::vector<char> bytes(message, 'c');
    const int count = static_cast<int>(state.range(0));
    TcpClient client;
    if (!client.connect("127.0.0.1", sink.port(), ignore_event, nullptr)) {
        state.SkipWithError("connect failed");
        return;
    }
    uint64_t expected = 0;
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            // A refused send (too many writes outstanding) is retried.
            while (!client.send(bytes.data(), bytes.size())) {
                std::this_thread::yield();
            }
        }
        expected += (bytes.size() + kFrameOverhead) * static_cast<uint64_t>(count);
        sink.wait_for(expected);
    }
    state.SetBytesProcessed(static_cast<int64_t>(expected));
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_throughput_1mb_plain_libuv_baseline(benchmark::State& state)
{
    plain_libuv_loop(state, 1 << 20);
}

void BM_throughput_1mb_client(benchmark::State& state)
{
    client_loop(state, 1 << 20);
}

// The floor of the message rate: the same framed bytes as the client sends,
// written back to back over one blocking socket in 64 KB pieces. Whatever the
// client does per message comes on top of this.
void BM_rate_100b_plain_socket_baseline(benchmark::State& state)
{
    Sink sink;
    const int count = static_cast<int>(state.range(0));
    const std::vector<char> frame = frame_of(100);
    std::vector<char> bytes;
    for (int i = 0; i < count; ++i) {
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(sink.port()));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        state.SkipWithError("connect failed");
        close(fd);
        return;
    }
    uint64_t expected = 0;
    for (auto _ : state) {
        for (std::size_t pos = 0; pos < bytes.size();) {
            const ssize_t sent = send(fd, bytes.data() + pos, std::min(kChunk, bytes.size() - pos), 0);
            if (sent <= 0) {
                state.SkipWithError("send failed");
                break;
            }
            pos += static_cast<std::size_t>(sent);
        }
        expected += bytes.size();
        sink.wait_for(expected);
    }
    close(fd);
    state.SetBytesProcessed(static_cast<int64_t>(expected));
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_rate_100b_client(benchmark::State& state)
{
    client_loop(state, 100);
}

// A sockmesh server listening on a free loopback port.
struct ListeningServer {
    ListeningServer()
    {
        server.init();
        server.start("127.0.0.1", 0);
    }
    int bound_port() { return server.bound_port(); }
    sockaddr_in address()
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(server.bound_port()));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return a;
    }
    TcpServer server;
};

void BM_connect_blocking_socket_baseline(benchmark::State& state)
{
    ListeningServer server;
    sockaddr_in address = server.address();
    for (auto _ : state) {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
            state.SkipWithError("connect failed");
        }
        close(fd);
    }
}

void BM_connect_client(benchmark::State& state)
{
    TcpServer server;
    server.init();
    server.start("127.0.0.1", 0);
    TcpClient client;
    for (auto _ : state) {
        if (!client.connect("127.0.0.1", server.bound_port(), ignore_event, nullptr)) {
            state.SkipWithError("connect failed");
        }
        client.disconnect();
    }
}

// The connect row: a client connect and disconnect beside a blocking
// connect() and close() of a plain socket to the same server, turn about in
// one loop, each after a pause of 1 ms as between a program's connects, so
// neither finds a thread still awake from the cycle before. Every
// connection of either kind ends the same way (the client closes first and
// keeps the TIME_WAIT entry), so both face the same growing table and
// neither is favoured as it fills; the iteration count is fixed so that
// every run meets the same table.
void BM_row_connect_disconnect(benchmark::State& state)
{
    ListeningServer server;
    sockaddr_in address = server.address();
    TcpClient client;
    bench::SideBySide runs;
    bool ok = true;
    for (auto _ : state) {
        std::this_thread::sleep_for(kPauseBetweenCycles);
        runs.time_baseline([&] {
            const int fd = socket(AF_INET, SOCK_STREAM, 0);
            ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 && ok;
            close(fd);
        });
        std::this_thread::sleep_for(kPauseBetweenCycles);
        runs.time_case([&] {
            ok = client.connect("127.0.0.1", server.bound_port(), ignore_event, nullptr) && ok;
            client.disconnect();
        });
    }
    if (!ok) {
        state.SkipWithError("connect failed");
    }
    runs.report(state);
}

}  // namespace

BENCHMARK(BM_row_connect_disconnect)->Iterations(2000)->UseRealTime();
BENCHMARK(BM_frames_memcpy_baseline)->Arg(1 << 20)->Arg(4 << 20);
BENCHMARK(BM_frames_assembler)->Arg(1 << 20)->Arg(4 << 20);
BENCHMARK(BM_throughput_1mb_plain_libuv_baseline)->Arg(64)->UseRealTime();
BENCHMARK(BM_throughput_1mb_client)->Arg(64)->UseRealTime();
BENCHMARK(BM_rate_100b_plain_socket_baseline)->Arg(20000)->UseRealTime();
BENCHMARK(BM_rate_100b_client)->Arg(20000)->UseRealTime();
BENCHMARK(BM_connect_blocking_socket_baseline)->UseRealTime();
BENCHMARK(BM_connect_client)->UseRealTime();
BENCHMARK_MAIN();
