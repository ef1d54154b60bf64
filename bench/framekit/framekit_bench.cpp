// framekit at 640x512, each figure beside a baseline of the same run: the
// raw-frame codec paths against memcpy of the plane, recomputing 20 mixed
// analyses against a plain summing loop and a reapply without analyses, the
// noise filter (on a scene with sensor noise and column stripes) on 1, 2, 4
// and 8 workers against the single-threaded pass and memcpy of the plane
// (and on 4 workers beside 1, turn about, quiet and on a busy machine), and
// the 2x zoom against memcpy of the zoomed plane and, where the peer library
// is installed, its bilinear resize on as many threads.
#include "basekit.h"
#include "framekit.h"
#include "noise_pool.h"
#include "busy_machine.h"
#include "side_by_side.h"

#include <benchmark/benchmark.h>

#ifdef PYRAVUE_BENCH_PEER
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 512;
constexpr std::size_t kPixels = kWidth * kHeight;

std::vector<uint16_t> scene()
{
    std::vector<uint16_t> plane(kPixels);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            int hot = (x - 300) * (x - 300) + (y - 200) * (y - 200) < 2500 ? 1500 : 0;
            plane[y * kWidth + x] = static_cast<uint16_t>(15000 + x + y / 2 + hot + ((x * 31 + y * 17) & 7) +
                                                          (x % 9 == 0 ? 5 : 0));
        }
    }
    return plane;
}

// The scene as a sensor gives it: Gaussian noise of 12 AD on every pixel and
// a fixed offset per column of up to +-6 AD, the stripes the filter removes.
std::vector<uint16_t> noisy_scene()
{
    std::vector<uint16_t> plane = scene();
    std::mt19937 random(17);
    std::normal_distribution<float> noise(0.0f, 12.0f);
    std::uniform_int_distribution<int> stripe(-6, 6);
    std::vector<int> columns(kWidth);
    for (int& c : columns) {
        c = stripe(random);
    }
    for (std::size_t i = 0; i < plane.size(); ++i) {
        plane[i] = static_cast<uint16_t>(plane[i] + columns[i % kWidth] + static_cast<int>(noise(random)));
    }
    return plane;
}

std::vector<uint8_t> raw_frame(const std::vector<uint16_t>& plane)
{
    std::vector<uint8_t> packed(vy_high_low_bound(static_cast<int>(plane.size())));
    uint32_t length = static_cast<uint32_t>(packed.size());
    vy_high_low_compress(plane.data(), static_cast<int>(plane.size()), packed.data(), &length);
    std::vector<uint8_t> frame(plane.size(), 0x40);
    uint8_t header[10] = {0, 0, 0, 0, 1, 0, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                          static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
    frame.insert(frame.end(), header, header + 10);
    frame.insert(frame.end(), packed.begin(), packed.begin() + length);
    return frame;
}

struct Frame {
    explicit Frame(int kind = 1, int mode = 0)
    {
        vy_ad_init(&h, mode, kind);
        vy_ad_set_resolution(h, kWidth, kHeight);
    }
    ~Frame() { vy_ad_uninit(&h); }
    void* h = nullptr;
};

void set_plain(void* h, const std::vector<uint16_t>& plane)
{
    vy_ad_set_data_checked(h, reinterpret_cast<const uint8_t*>(plane.data()), static_cast<uint32_t>(plane.size() * 2));
}

void BM_memcpy_plane(benchmark::State& state)
{
    std::vector<uint16_t> plane = scene();
    std::vector<uint16_t> copy(plane.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), plane.data(), plane.size() * 2);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * kPixels * 2);
}

// Arg 0: normal mode stores the frame; arg 1: fire-fighting mode decodes it,
// repairs its border and takes its statistics.
void BM_raw_frame_set_data(benchmark::State& state)
{
    Frame f(0, static_cast<int>(state.range(0)));
    std::vector<uint8_t> frame = raw_frame(scene());
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_ad_set_data_checked(f.h, frame.data(), static_cast<uint32_t>(frame.size())));
    }
    state.SetBytesProcessed(state.iterations() * kPixels * 2);
}

void BM_get_data_normal_mode(benchmark::State& state)
{
    Frame f(0, 0);
    std::vector<uint8_t> frame = raw_frame(scene());
    vy_ad_set_data_checked(f.h, frame.data(), static_cast<uint32_t>(frame.size()));
    std::vector<uint16_t> out(kPixels);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_ad_get_data(f.h, out.data()));
    }
    state.SetBytesProcessed(state.iterations() * kPixels * 2);
}

void BM_save_frame_buffer(benchmark::State& state)
{
    Frame f;
    std::vector<uint16_t> plane = scene();
    std::vector<uint8_t> buffer(5 + kPixels * 2);
    for (auto _ : state) {
        state.PauseTiming();
        set_plain(f.h, plane);  // a plain plane is compressed on every save
        state.ResumeTiming();
        uint32_t length = static_cast<uint32_t>(buffer.size());
        benchmark::DoNotOptimize(vy_ad_save_data_to_buffer(f.h, buffer.data(), &length));
    }
    state.SetBytesProcessed(state.iterations() * kPixels * 2);
}

void BM_load_frame_buffer(benchmark::State& state)
{
    Frame f;
    set_plain(f.h, scene());
    std::vector<uint8_t> buffer(5 + kPixels * 2);
    uint32_t length = static_cast<uint32_t>(buffer.size());
    vy_ad_save_data_to_buffer(f.h, buffer.data(), &length);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_ad_load_data_from_buffer_checked(f.h, buffer.data(), length));
    }
    state.SetBytesProcessed(state.iterations() * kPixels * 2);
}

void BM_plain_sum_loop(benchmark::State& state)
{
    std::vector<uint16_t> plane = scene();
    for (auto _ : state) {
        uint64_t sum = 0;
        uint16_t hottest = 0;
        for (uint16_t v : plane) {
            sum += v;
            hottest = v > hottest ? v : hottest;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(hottest);
    }
}

std::string mixed_shapes()
{
    std::string list;
    for (int i = 0; i < 4; ++i) {
        int x = 20 + i * 150;
        list += "P:" + std::to_string(x) + ",40;-";
        list += "L:" + std::to_string(x) + ",60;" + std::to_string(x + 120) + ",300;-";
        list += "R:" + std::to_string(x) + ",80;" + std::to_string(x + 100) + ",200;-";
        list += "E:" + std::to_string(x) + ",220;" + std::to_string(x + 110) + ",330;-";
        list += "A:" + std::to_string(x) + ",340;" + std::to_string(x + 100) + ",360;" + std::to_string(x + 60) +
                ",500;" + std::to_string(x + 5) + ",450;-";
    }
    return list;
}

void BM_reapply_without_analyses(benchmark::State& state)
{
    Frame f;
    set_plain(f.h, scene());
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_ad_reapply(f.h));
    }
}

void BM_reapply_20_mixed_analyses(benchmark::State& state)
{
    Frame f;
    set_plain(f.h, scene());
    vy_ad_add_anas(f.h, mixed_shapes().c_str());
    uint32_t count = 0;
    vy_ad_get_ana_count(f.h, 100, &count);
    if (count != 20) {
        state.SkipWithError("the shapes were not added");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_ad_reapply(f.h));
    }
}

void BM_noise_single_thread(benchmark::State& state)
{
    std::vector<uint16_t> original = noisy_scene();
    std::vector<uint16_t> plane(original.size());
    for (auto _ : state) {
        std::memcpy(plane.data(), original.data(), plane.size() * 2);
        framekit::detail::NoisePool::filter_single(plane.data(), kWidth, kHeight);
    }
}

void BM_noise_pool(benchmark::State& state)
{
    framekit::detail::NoisePool pool(static_cast<unsigned>(state.range(0)));
    pool.start();
    std::vector<uint16_t> original = noisy_scene();
    std::vector<uint16_t> plane(original.size());
    for (auto _ : state) {
        std::memcpy(plane.data(), original.data(), plane.size() * 2);
        pool.filter(plane.data(), kWidth, kHeight);
    }
}

void BM_memcpy_zoomed_plane(benchmark::State& state)
{
    std::vector<uint16_t> plane(4 * kPixels, 1);
    std::vector<uint16_t> copy(plane.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), plane.data(), plane.size() * 2);
        benchmark::DoNotOptimize(copy.data());
    }
}

void BM_zoom_2x(benchmark::State& state)
{
    Frame f;
    std::vector<uint16_t> plane = scene();
    for (auto _ : state) {
        state.PauseTiming();
        vy_ad_set_resolution(f.h, kWidth, kHeight);
        set_plain(f.h, plane);
        state.ResumeTiming();
        benchmark::DoNotOptimize(vy_ad_zoom(f.h, 2 * kWidth, 2 * kHeight));
    }
}

#ifdef PYRAVUE_BENCH_PEER
// The peer's bilinear resize of the same 16-bit plane to twice its size, on
// one thread (without the peer it is not run).
void BM_peer_resize_2x(benchmark::State& state)
{
    cv::setNumThreads(1);
    std::vector<uint16_t> plane = scene();
    const cv::Mat in(kHeight, kWidth, CV_16UC1, plane.data());
    cv::Mat out;
    for (auto _ : state) {
        cv::resize(in, out, cv::Size(2 * kWidth, 2 * kHeight), 0, 0, cv::INTER_LINEAR);
        benchmark::DoNotOptimize(out.data);
    }
}

// The zoom row: a frame zoomed to twice its size beside the peer's bilinear
// resize of the same plane, on one thread each as the zoom runs, turn about
// in one loop. The frame is given its plane again before each zoom, timed
// and counted to neither side.
void BM_row_zoom_2x(benchmark::State& state)
{
    cv::setNumThreads(1);
    Frame f;
    std::vector<uint16_t> plane = scene();
    const cv::Mat in(kHeight, kWidth, CV_16UC1, plane.data());
    cv::Mat out;
    bench::SideBySide runs;
    bool ok = true;
    for (auto _ : state) {
        runs.untimed([&] {
            vy_ad_set_resolution(f.h, kWidth, kHeight);
            set_plain(f.h, plane);
        });
        runs.time_case([&] { ok = vy_ad_zoom(f.h, 2 * kWidth, 2 * kHeight) && ok; });
        runs.time_baseline([&] {
            cv::resize(in, out, cv::Size(2 * kWidth, 2 * kHeight), 0, 0, cv::INTER_LINEAR);
            benchmark::DoNotOptimize(out.data);
        });
    }
    if (!ok) {
        state.SkipWithError("zoom refused");
    }
    runs.report(state);
}

#endif

// The noise pool's row: the filter on 4 workers beside 1, turn about in one
// loop, so that both meet the same load; speedup is the 1-worker time over
// the 4-worker time. /1 runs with two spinning processes per processor
// beside it.
void BM_row_noise_pool(benchmark::State& state)
{
    const bench::BusyMachine load(static_cast<int>(state.range(0)) * 2);
    framekit::detail::NoisePool four(4), one(1);
    four.start();
    one.start();
    const std::vector<uint16_t> original = noisy_scene();
    std::vector<uint16_t> plane(original.size());
    bench::SideBySide runs;
    bool four_first = true;
    for (auto _ : state) {
        // Which goes first alternates, so neither gains from the order.
        four_first = !four_first;
        for (int turn = 0; turn < 2; ++turn) {
            std::memcpy(plane.data(), original.data(), plane.size() * 2);
            if ((turn == 0) == four_first) {
                runs.time_case([&] { four.filter(plane.data(), kWidth, kHeight); });
            } else {
                runs.time_baseline([&] { one.filter(plane.data(), kWidth, kHeight); });
            }
        }
    }
    runs.report(state);
    state.counters["speedup"] = runs.speedup();
}

}  // namespace

#ifdef PYRAVUE_BENCH_PEER
BENCHMARK(BM_row_zoom_2x)->Unit(benchmark::kMicrosecond);
#endif
BENCHMARK(BM_row_noise_pool)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_memcpy_plane);
BENCHMARK(BM_raw_frame_set_data)->Arg(0)->Arg(1);
BENCHMARK(BM_get_data_normal_mode);
BENCHMARK(BM_save_frame_buffer);
BENCHMARK(BM_load_frame_buffer);
BENCHMARK(BM_plain_sum_loop);
BENCHMARK(BM_reapply_without_analyses);
BENCHMARK(BM_reapply_20_mixed_analyses);
BENCHMARK(BM_noise_single_thread);
BENCHMARK(BM_noise_pool)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->UseRealTime();
BENCHMARK(BM_memcpy_zoomed_plane);
BENCHMARK(BM_zoom_2x);
#ifdef PYRAVUE_BENCH_PEER
BENCHMARK(BM_peer_resize_2x);
#endif
BENCHMARK_MAIN();
