// The simulated camera at 640 x 480 and 50 frames a second, and a bare
// streamnet link that notes when each frame arrives, for the benchmarks of
// the layers that show live frames. Frames are told apart by the position of
// the pattern's moving spot on its row.
#pragma once

#include "camera_sim.h"
#include "markpen.h"
#include "streamnet.h"
#include "thermframe.h"
#include "wirereel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <string>
#include <vector>

namespace livecam {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kSpotRow = kHeight / 2;

inline bool start_camera(camsim::CameraSim& camera, benchmark::State& state)
{
    camsim::CamsimOptions options;
    options.address = "auto";
    options.source = "pattern";
    options.width = kWidth;
    options.height = kHeight;
    options.fps = 50;
    std::string error;
    if (!camera.start(options, &error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    return true;
}

inline double process_cpu_ms()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The spot's centre on its row: the first pixel of the hottest run, plus the
// spot's half width.
template <class T>
int spot_of(const T* row)
{
    return static_cast<int>(std::max_element(row, row + kWidth) - row) + 7;
}

// Arrivals on a bare stream, by spot position.
struct BareLink {
    std::mutex mutex;
    std::condition_variable changed;
    std::array<Clock::time_point, kWidth + 8> arrival{};
    int frames = 0;
    void* stream = nullptr;

    static void on_temperatures(float* t, int32_t bytes, void* user)
    {
        auto* self = static_cast<BareLink*>(user);
        if (bytes != kWidth * kHeight * 4) {
            return;
        }
        const int spot = spot_of(t + static_cast<std::size_t>(kSpotRow) * kWidth);
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            self->arrival[static_cast<std::size_t>(spot)] = Clock::now();
            ++self->frames;
        }
        self->changed.notify_all();
    }
    bool open(const std::string& address)
    {
        return vy_nvs_init(&stream, NVS_STREAM_IR) &&
               vy_nvs_set_cb_one_temperature_frame_received(stream, on_temperatures, this) &&
               vy_nvs_connect(stream, address.c_str(), nullptr, nullptr);
    }
    ~BareLink()
    {
        if (stream != nullptr) {
            vy_nvs_uninit(&stream);
        }
    }
};

inline double percentile(std::vector<double>& samples, int p)
{
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, samples.size() * static_cast<std::size_t>(p) / 100)];
}

// Latencies from a frame's arrival on the bare link to the moment it was
// shown, matched by the spot position.
struct Latencies {
    std::vector<double> samples;

    void add(BareLink& bare, int spot, Clock::time_point shown)
    {
        if (spot < 0 || spot >= static_cast<int>(bare.arrival.size())) {
            return;
        }
        std::lock_guard<std::mutex> lock(bare.mutex);
        const Clock::time_point arrived = bare.arrival[static_cast<std::size_t>(spot)];
        if (arrived.time_since_epoch().count() != 0 && arrived <= shown) {
            samples.push_back(std::chrono::duration<double, std::milli>(shown - arrived).count());
        }
    }
    void report(benchmark::State& state)
    {
        state.counters["p50_ms"] = percentile(samples, 50);
        state.counters["p99_ms"] = percentile(samples, 99);
    }
};

// The camera and two bare links receiving frames frames: the cost of
// receiving alone.
inline void receive_on_two_bare_links(benchmark::State& state, int frames)
{
    camsim::CameraSim camera;
    if (!start_camera(camera, state)) {
        return;
    }
    BareLink bare;
    BareLink second;
    if (!bare.open(camera.address()) || !second.open(camera.address())) {
        state.SkipWithError("connect failed");
        return;
    }
    double cpu = 0.0;
    for (auto _ : state) {
        std::unique_lock<std::mutex> lock(bare.mutex);
        bare.changed.wait(lock, [&] { return bare.frames >= 10; });
        const int first = bare.frames;
        const double start = process_cpu_ms();
        bare.changed.wait(lock, [&] { return bare.frames >= first + frames; });
        cpu = (process_cpu_ms() - start) / frames;
    }
    state.counters["cpu_ms_per_frame"] = cpu;
    state.SetLabel("camera, two bare receivers");
}

// The camera window's road: the frame callback only notes the frame and wakes
// the painting thread, which captures, paints and copies the picture.
struct Painter {
    std::mutex mutex;
    std::condition_variable changed;
    int announced = 0;
    int spot = -1;
    bool stop = false;

    static void on_frame(void* user, uint16_t* frame, uint16_t width, uint16_t height)
    {
        auto* self = static_cast<Painter*>(user);
        if (width != kWidth || height != kHeight) {
            return;
        }
        const int spot = spot_of(frame + static_cast<std::size_t>(kSpotRow) * kWidth);
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            ++self->announced;
            self->spot = spot;
        }
        self->changed.notify_all();
    }
};

// The bare wirereel road: capture, painter update and copy of the picture on
// a thread woken by the frame callback, for frames frames.
inline void painted_frames_through_wirereel(benchmark::State& state, int frames)
{
    camsim::CameraSim camera;
    if (!start_camera(camera, state)) {
        return;
    }
    BareLink bare;
    Painter painter;
    void* reel = nullptr;
    if (!bare.open(camera.address()) || !wirereel_init(&reel) ||
        !wirereel_set_on_received_one_frame(reel, Painter::on_frame, &painter) ||
        !wirereel_connect(reel, camera.address().c_str())) {
        state.SkipWithError("connect failed");
        if (reel != nullptr) {
            wirereel_uninit(&reel);
        }
        return;
    }
    void* pen = nullptr;
    void* doc = nullptr;
    wirereel_get_ir_paint(reel, pen);
    wirereel_get_ir_data(reel, doc);
    // As the camera source does on opening.
    thermframe_enable_image_process(doc, false);
    std::vector<unsigned char> picture(static_cast<std::size_t>(kWidth) * kHeight * 4);
    Latencies latencies;
    int painted = 0;
    for (auto _ : state) {
        double start = 0.0;
        for (int seen = 0; painted < frames + 10;) {
            int spot;
            {
                std::unique_lock<std::mutex> lock(painter.mutex);
                painter.changed.wait(lock, [&] { return painter.announced > seen; });
                seen = painter.announced;
                spot = painter.spot;
            }
            unsigned int length = static_cast<unsigned int>(picture.size());
            if (!wirereel_capture_one_frame(reel) || !markpen_update(pen, true, false) ||
                !markpen_get_bits(pen, picture.data(), length)) {
                state.SkipWithError("painting failed");
                break;
            }
            const Clock::time_point done = Clock::now();
            if (++painted == 10) {
                start = process_cpu_ms();
            }
            if (painted > 10) {
                latencies.add(bare, spot, done);
            }
        }
        state.counters["cpu_ms_per_frame"] = (process_cpu_ms() - start) / frames;
    }
    state.counters["painted_frames"] = painted;
    latencies.report(state);
    state.SetLabel("camera, bare receiver, wirereel painting");
    wirereel_uninit(&reel);
}

}  // namespace livecam
