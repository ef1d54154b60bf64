// streamnet on loopback, each figure beside a baseline measured in the same
// run: packet validation against memcpy of the same bytes, temperature-frame
// conversion against a plain byte-swap loop, the command round trip against
// the simulated camera against a bare TCP echo, and sustained temperature
// frames per second against the same bytes sent over plain sockets.
#include "camera_sim.h"
#include "loopback_port.h"
#include "data_packages.h"
#include "nvs_packet.h"

#include "streamnet.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace streamnet::detail;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 512;
constexpr std::size_t kValues = static_cast<std::size_t>(kWidth) * kHeight;

std::vector<uint8_t> temperature_packet()
{
    std::vector<uint8_t> payload(kValues * 2);
    for (std::size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<uint8_t>(i * 7);
    }
    return build_packet(kDataPackage, 161, 134, 0, 0, payload.data(), payload.size());
}

void BM_packet_memcpy_baseline(benchmark::State& state)
{
    std::vector<uint8_t> packet = temperature_packet();
    std::vector<uint8_t> copy(packet.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), packet.data(), packet.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packet.size()));
}

void BM_packet_validation(benchmark::State& state)
{
    std::vector<uint8_t> packet = temperature_packet();
    for (auto _ : state) {
        PacketView view;
        PacketError error;
        bool ok = parse_packet(packet.data(), packet.size(), &view, &error);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(view.payload);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packet.size()));
}

void BM_conversion_byte_swap_baseline(benchmark::State& state)
{
    std::vector<uint8_t> payload(kValues * 2, 0x0B);
    std::vector<uint16_t> out(kValues);
    for (auto _ : state) {
        for (std::size_t i = 0; i < kValues; ++i) {
            out[i] = static_cast<uint16_t>(payload[2 * i] << 8 | payload[2 * i + 1]);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kValues));
}

void BM_conversion_temperature_frame(benchmark::State& state)
{
    std::vector<uint8_t> payload(kValues * 2, 0x0B);
    std::vector<float> out(kValues);
    for (auto _ : state) {
        convert_temperature_frame(payload.data(), payload.size(), true, out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kValues));
}

// Median and 99th percentile of the samples, in microseconds, as counters.
void report_latency(benchmark::State& state, std::vector<double>& samples)
{
    if (samples.empty()) {
        return;
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_us"] = samples[samples.size() / 2];
    state.counters["p99_us"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
}

// A plain TCP echo server on 127.0.0.1.
class EchoServer {
public:
    EchoServer()
    {
        listener_ = sockmesh_test::bound_loopback_socket(SOCK_STREAM, &port_);
        listen(listener_, 4);
        thread_ = std::thread([this] {
            int fd = accept(listener_, nullptr, nullptr);
            int one = 1;
            setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
            char buffer[256];
            for (;;) {
                ssize_t n = recv(fd, buffer, sizeof(buffer), 0);
                if (n <= 0 || send(fd, buffer, static_cast<std::size_t>(n), 0) != n) {
                    break;
                }
            }
            close(fd);
        });
    }
    ~EchoServer()
    {
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        thread_.join();
    }
    int port() const { return port_; }

private:
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
};

int connect_loopback(int port)
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
    return fd;
}

void BM_round_trip_tcp_echo_baseline(benchmark::State& state)
{
    EchoServer server;
    int fd = connect_loopback(server.port());
    // The size of a command and its answer.
    char message[28] = {0};
    char reply[28];
    std::vector<double> samples;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        send(fd, message, sizeof(message), 0);
        std::size_t got = 0;
        while (got < sizeof(reply)) {
            ssize_t n = recv(fd, reply + got, sizeof(reply) - got, 0);
            if (n <= 0) {
                state.SkipWithError("echo failed");
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        samples.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    close(fd);
    report_latency(state, samples);
}

camsim::CamsimOptions quiet_camera(double fps)
{
    camsim::CamsimOptions options;
    options.address = "auto";
    options.fps = fps;
    return options;
}

void BM_round_trip_command_camsim(benchmark::State& state)
{
    camsim::CameraSim camera;
    std::string error;
    // Frames would compete with the commands: the camera streams one small
    // pattern frame a minute.
    camsim::CamsimOptions options = quiet_camera(1.0 / 60);
    options.source = "pattern";
    options.width = 16;
    options.height = 16;
    if (!camera.start(options, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    void* stream = nullptr;
    if (!vy_nvs_init(&stream, NVS_STREAM_IR) || !vy_nvs_connect(stream, camera.address().c_str(), nullptr, nullptr)) {
        state.SkipWithError("connect failed");
        vy_nvs_uninit(&stream);
        return;
    }
    std::vector<double> samples;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        bool on = false;
        if (!vy_nvs_get_temperature_overlay_video_flag(stream, &on)) {
            state.SkipWithError("command failed");
            break;
        }
        samples.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    vy_nvs_uninit(&stream);
    camera.stop();
    report_latency(state, samples);
}

struct FrameCounter {
    std::mutex mutex;
    std::condition_variable changed;
    int64_t frames = 0;
    static void on_frame(float*, int32_t, void* user)
    {
        auto* self = static_cast<FrameCounter*>(user);
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            ++self->frames;
        }
        self->changed.notify_all();
    }
};

void BM_frames_camsim(benchmark::State& state)
{
    camsim::CameraSim camera;
    std::string error;
    if (!camera.start(quiet_camera(1000), &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    void* stream = nullptr;
    FrameCounter counter;
    vy_nvs_init(&stream, NVS_STREAM_IR);
    vy_nvs_set_cb_one_temperature_frame_received(stream, FrameCounter::on_frame, &counter);
    if (!vy_nvs_connect(stream, camera.address().c_str(), nullptr, nullptr)) {
        state.SkipWithError("connect failed");
        vy_nvs_uninit(&stream);
        return;
    }
    int64_t target = 0;
    for (auto _ : state) {
        target += 10;
        std::unique_lock<std::mutex> lock(counter.mutex);
        counter.changed.wait(lock, [&] { return counter.frames >= target; });
    }
    const camsim::DeviceModel model = camera.model();
    state.SetItemsProcessed(target);
    state.SetBytesProcessed(target * model.width * model.height * 2);
    state.SetLabel(std::to_string(model.width) + "x" + std::to_string(model.height));
    vy_nvs_uninit(&stream);
    camera.stop();
}

void BM_frames_plain_socket_baseline(benchmark::State& state)
{
    // One thread sends frame-sized writes over loopback TCP as fast as it
    // can; this one reads them.
    int port = 0;
    int listener = sockmesh_test::bound_loopback_socket(SOCK_STREAM, &port);
    listen(listener, 1);
    int pair[2];
    pair[0] = connect_loopback(port);
    pair[1] = accept(listener, nullptr, nullptr);
    close(listener);
    const std::vector<uint8_t> packet = temperature_packet();
    std::atomic<bool> stop{false};
    std::thread sender([&] {
        while (!stop.load()) {
            std::size_t sent = 0;
            while (sent < packet.size()) {
                ssize_t n = send(pair[0], packet.data() + sent, packet.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) {
                    return;
                }
                sent += static_cast<std::size_t>(n);
            }
        }
    });
    std::vector<uint8_t> buffer(packet.size());
    int64_t frames = 0;
    for (auto _ : state) {
        for (int f = 0; f < 10; ++f) {
            std::size_t got = 0;
            while (got < packet.size()) {
                ssize_t n = recv(pair[1], buffer.data() + got, packet.size() - got, 0);
                if (n <= 0) {
                    break;
                }
                got += static_cast<std::size_t>(n);
            }
        }
        frames += 10;
    }
    stop = true;
    shutdown(pair[1], SHUT_RDWR);
    close(pair[1]);
    sender.join();
    close(pair[0]);
    state.SetItemsProcessed(frames);
    state.SetBytesProcessed(frames * static_cast<int64_t>(packet.size()));
}

}  // namespace

BENCHMARK(BM_packet_memcpy_baseline);
BENCHMARK(BM_packet_validation);
BENCHMARK(BM_conversion_byte_swap_baseline);
BENCHMARK(BM_conversion_temperature_frame);
BENCHMARK(BM_round_trip_tcp_echo_baseline)->Iterations(2000);
BENCHMARK(BM_round_trip_command_camsim)->Iterations(2000);
BENCHMARK(BM_frames_plain_socket_baseline)->Iterations(20);
BENCHMARK(BM_frames_camsim)->Iterations(20)->UseRealTime();

BENCHMARK_MAIN();
