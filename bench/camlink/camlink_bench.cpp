// camlink at 640x480, each figure beside a baseline of the same run: making
// one test-pattern frame (ramp and high/low compression) and decoding it,
// against memcpy of the AD plane and against the 15 ms frame period; and
// loading the newest frame into the device's frame and colouring it.
#include "basekit.h"
#include "camlink.h"
#include "dev_cap.h"
#include "framekit.h"
#include "test_pattern.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

constexpr uint16_t kWidth = 640;
constexpr uint16_t kHeight = 480;
constexpr std::size_t kPixels = static_cast<std::size_t>(kWidth) * kHeight;
constexpr double kPeriodSeconds = 0.015;

// Share of the 15 ms frame period one iteration takes.
void report_period_share(benchmark::State& state, std::chrono::steady_clock::duration spent)
{
    double seconds = std::chrono::duration<double>(spent).count() / static_cast<double>(state.iterations());
    state.counters["period_share"] = seconds / kPeriodSeconds;
}

void BM_memcpy_frame(benchmark::State& state)
{
    std::vector<uint16_t> source(kPixels, 16300);
    std::vector<uint16_t> target(kPixels);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), kPixels * 2);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPixels * 2));
}
BENCHMARK(BM_memcpy_frame);

void BM_pattern_frame(benchmark::State& state)
{
    camlink::detail::TestPattern pattern;
    std::vector<uint8_t> frame(6 * kPixels);
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(pattern.fill(frame.data(), frame.size(), kWidth, kHeight));
    }
    report_period_share(state, std::chrono::steady_clock::now() - start);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPixels * 2));
}
BENCHMARK(BM_pattern_frame);

void BM_pattern_frame_and_decode(benchmark::State& state)
{
    camlink::detail::TestPattern pattern;
    std::vector<uint8_t> frame(6 * kPixels);
    std::vector<uint16_t> plane(kPixels);
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        uint32_t length = pattern.fill(frame.data(), frame.size(), kWidth, kHeight);
        const uint8_t* compressed = frame.data() + kPixels + 10;
        bool ok = camlink::detail::compressed_frame_intact(compressed, length, kPixels) &&
                  vy_high_low_uncompress(length, compressed, plane.data(), static_cast<int>(kPixels)) == VY_OK;
        benchmark::DoNotOptimize(ok);
    }
    report_period_share(state, std::chrono::steady_clock::now() - start);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPixels * 2));
}
BENCHMARK(BM_pattern_frame_and_decode);

struct FirstFrame {
    std::mutex mutex;
    std::condition_variable arrived;
    bool seen = false;
    static void callback(void* user, const uint8_t*, uint16_t, uint16_t)
    {
        auto* f = static_cast<FirstFrame*>(user);
        std::lock_guard<std::mutex> lock(f->mutex);
        f->seen = true;
        f->arrived.notify_all();
    }
};

// The simulated detector from the program directory (the build writes its
// files there), at its own pace; each iteration takes the newest frame.
void BM_capture_one_frame_and_get_bits(benchmark::State& state)
{
    void* handle = nullptr;
    FirstFrame first;
    if (!vy_dc_init(&handle) || !vy_dc_set_cb_one_frame_received(handle, FirstFrame::callback, &first) ||
        !vy_dc_set_len_and_meas_range(handle, 0, 0)) {
        state.SkipWithError("device init failed (run from the program directory's build)");
        vy_dc_uninit(&handle);
        return;
    }
    {
        std::unique_lock<std::mutex> lock(first.mutex);
        first.arrived.wait_for(lock, std::chrono::seconds(10), [&] { return first.seen; });
    }
    vy_dc_set_cb_one_frame_received(handle, nullptr, nullptr);
    void* frame = camlink::detail::device_of(handle)->frame();
    std::vector<uint32_t> pixels(kPixels);
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        bool ok = vy_dc_capture_one_frame(handle) && vy_ad_get_bits(frame, pixels.data());
        benchmark::DoNotOptimize(ok);
    }
    report_period_share(state, std::chrono::steady_clock::now() - start);
    vy_dc_uninit(&handle);
}
BENCHMARK(BM_capture_one_frame_and_get_bits)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
