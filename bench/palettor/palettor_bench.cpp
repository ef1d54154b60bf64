// palettor at 640 x 512, each figure beside a baseline from the same run:
// colouring against a memcpy of the output bytes and a plain 65,536-entry
// lookup loop, statistics against a bare histogram loop, and the
// sharpen-and-blur pass on 1, 2, 4 and 8 CPU workers (a 640 x 512 frame
// takes 1 of them) and on an OpenCL device (PoCL here), and an engine of
// 4 workers beside 1 on paced frames, quiet and on a busy machine. Where the
// peer library is installed, its edge-preserving 5 x 5 filter and its
// min/max, conversion and colour map run beside them.
#include "palettor.h"
#include "sharpen_blur.h"
#include "busy_machine.h"
#include "side_by_side.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#ifdef PYRAVUE_BENCH_PEER
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 512;
constexpr size_t kPixels = static_cast<size_t>(kWidth) * kHeight;

std::vector<uint16_t> scene(unsigned seed = 42)
{
    std::mt19937 random(seed);
    std::normal_distribution<float> noise(0.0f, 12.0f);
    std::vector<uint16_t> ad(kPixels);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int r2 = (x - 320) * (x - 320) + (y - 256) * (y - 256);
            const int blob = r2 < 10000 ? 4000 - r2 / 3 : 0;
            ad[y * kWidth + x] = static_cast<uint16_t>(15000 + x * 3 + y + blob + static_cast<int>(noise(random)));
        }
    }
    return ad;
}

std::vector<uint8_t> index_scene()
{
    const std::vector<uint16_t> ad = scene();
    std::vector<uint8_t> index(kPixels);
    for (size_t i = 0; i < kPixels; ++i) {
        index[i] = static_cast<uint8_t>((ad[i] - 15000) / 40);
    }
    return index;
}

void BM_memcpy_output_baseline(benchmark::State& state)
{
    std::vector<uint32_t> source(kPixels, 0xFF102030), bits(kPixels);
    for (auto _ : state) {
        std::memcpy(bits.data(), source.data(), kPixels * 4);
        benchmark::DoNotOptimize(bits.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kPixels * 4);
}

// The floor of colouring: one 65,536-entry AD -> RGB32 table lookup per pixel.
void BM_lookup_loop_baseline(benchmark::State& state)
{
    const std::vector<uint16_t> ad = scene();
    std::vector<uint32_t> table(65536), bits(kPixels);
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = 0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
    }
    for (auto _ : state) {
        for (size_t i = 0; i < kPixels; ++i) {
            bits[i] = table[ad[i]];
        }
        benchmark::DoNotOptimize(bits.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kPixels * 4);
}

void BM_ad_to_pixel(benchmark::State& state)
{
    void* h = nullptr;
    palettor_init(&h, false);
    palettor_enable_image_process(h, false);
    const std::vector<uint16_t> ad = scene();
    tagPAD max{}, min{};
    uint16_t avg = 0;
    palettor_calc_max_min_avg_of_ad(h, ad.data(), kWidth, kHeight, 0, 0, kWidth - 1, kHeight - 1, &max, &min, &avg);
    palettor_calc_pal_no_of_ad(h);
    std::vector<uint32_t> bits(kPixels);
    for (auto _ : state) {
        benchmark::DoNotOptimize(palettor_ad_to_pixel(h, ad.data(), kWidth, kHeight, 0, 0, kWidth - 1, kHeight - 1,
                                                      bits.data(), false));
    }
    state.SetBytesProcessed(state.iterations() * kPixels * 4);
    palettor_uninit(&h);
}

// A lower bound for the statistics: clearing a 65,536-bin histogram and one
// increment per pixel, with nothing else (no extremes, no sum, no range).
void BM_histogram_baseline(benchmark::State& state)
{
    const std::vector<uint16_t> ad = scene();
    std::vector<uint32_t> histogram(65536);
    for (auto _ : state) {
        std::fill(histogram.begin(), histogram.end(), 0);
        for (uint16_t v : ad) {
            ++histogram[v];
        }
        benchmark::DoNotOptimize(histogram.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

void BM_statistics_with_auto_range(benchmark::State& state)
{
    void* h = nullptr;
    palettor_init(&h, false);
    const std::vector<uint16_t> ad = scene();
    tagPAD max{}, min{};
    uint16_t avg = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(palettor_calc_max_min_avg_of_ad(h, ad.data(), kWidth, kHeight, 0, 0, kWidth - 1,
                                                                 kHeight - 1, &max, &min, &avg));
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
    palettor_uninit(&h);
}

// What a new frame costs before it is shown: statistics with the automatic
// range, the index map and the colours (filters off; they have their own row).
void BM_statistics_range_colour(benchmark::State& state)
{
    void* h = nullptr;
    palettor_init(&h, false);
    palettor_enable_image_process(h, false);
    const std::vector<uint16_t> ad = scene();
    std::vector<uint32_t> bits(kPixels);
    tagPAD max{}, min{};
    uint16_t avg = 0;
    for (auto _ : state) {
        palettor_calc_max_min_avg_of_ad(h, ad.data(), kWidth, kHeight, 0, 0, kWidth - 1, kHeight - 1, &max, &min, &avg);
        palettor_calc_pal_no_of_ad(h);
        benchmark::DoNotOptimize(palettor_ad_to_pixel(h, ad.data(), kWidth, kHeight, 0, 0, kWidth - 1, kHeight - 1,
                                                      bits.data(), false));
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
    palettor_uninit(&h);
}

void BM_memcpy_index_plane_baseline(benchmark::State& state)
{
    std::vector<uint8_t> source = index_scene(), plane(kPixels);
    for (auto _ : state) {
        std::memcpy(plane.data(), source.data(), kPixels);
        benchmark::DoNotOptimize(plane.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

void run_sharpen_blur(benchmark::State& state, palettor::detail::ImageSharpenBlur& engine)
{
    const std::vector<uint8_t> source = index_scene();
    std::vector<uint8_t> plane(kPixels);
    for (auto _ : state) {
        std::memcpy(plane.data(), source.data(), kPixels);
        benchmark::DoNotOptimize(engine.sharpen_and_blur(plane.data(), kWidth, kHeight, 50, false));
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

void BM_sharpen_blur_cpu(benchmark::State& state)
{
    palettor::detail::ImageSharpenBlur engine;
    engine.init(false, static_cast<int>(state.range(0)));
    run_sharpen_blur(state, engine);
}

void BM_sharpen_blur_opencl(benchmark::State& state)
{
    setenv("PYRAVUE_OPENCL_DEVICE", "any", 1);
    palettor::detail::ImageSharpenBlur engine;
    engine.init(true);
    if (!engine.on_opencl()) {
        state.SkipWithError("no OpenCL device");
        return;
    }
    run_sharpen_blur(state, engine);
}

#ifdef PYRAVUE_BENCH_PEER
// The peer's equivalents, on one thread (without the peer they are not run):
// an edge-preserving 5 x 5 filter of the index picture, and min/max,
// conversion to 8 bits and a colour map.
void BM_peer_bilateral_5x5(benchmark::State& state)
{
    cv::setNumThreads(1);
    std::vector<uint8_t> source = index_scene();
    const cv::Mat in(kHeight, kWidth, CV_8UC1, source.data());
    cv::Mat out;
    for (auto _ : state) {
        cv::bilateralFilter(in, out, 5, 25.0, 2.0);
        benchmark::DoNotOptimize(out.data);
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

void BM_peer_minmax_convert_colour(benchmark::State& state)
{
    cv::setNumThreads(1);
    std::vector<uint16_t> ad = scene();
    const cv::Mat in(kHeight, kWidth, CV_16UC1, ad.data());
    cv::Mat grey, colour;
    for (auto _ : state) {
        double lo = 0, hi = 0;
        cv::Point lo_at, hi_at;
        cv::minMaxLoc(in, &lo, &hi, &lo_at, &hi_at);
        in.convertTo(grey, CV_8U, 255.0 / std::max(hi - lo, 1.0), -lo * 255.0 / std::max(hi - lo, 1.0));
        cv::applyColorMap(grey, colour, cv::COLORMAP_INFERNO);
        benchmark::DoNotOptimize(colour.data);
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

#endif

// Frames as a live camera sends them: each one new, the scene drifting.
std::vector<std::vector<uint16_t>> live_frames()
{
    std::vector<std::vector<uint16_t>> frames;
    for (unsigned i = 0; i < 8; ++i) {
        frames.push_back(scene(100 + i));
        for (uint16_t& v : frames.back()) {
            v = static_cast<uint16_t>(v + i * 7);
        }
    }
    return frames;
}

// The colouring row: a new frame on every call through a handle set up as
// the frame library sets it up (statistics with the automatic range, the
// default sharpen and blur, colours), beside the peer's min/max, conversion
// to 8 bits, colour map and conversion to 32-bit pixels of the same frames,
// turn about in one loop.
void BM_row_colour_new_frame(benchmark::State& state)
{
#ifdef PYRAVUE_BENCH_PEER
    cv::setNumThreads(1);
    const std::vector<std::vector<uint16_t>> frames = live_frames();
    void* h = nullptr;
    if (!palettor_init(&h, false) || !palettor_init_image_process(h)) {
        state.SkipWithError("palettor not initialised");
        return;
    }
    std::vector<uint32_t> bits(kPixels);
    cv::Mat grey, colour, pixels;
    bench::SideBySide runs;
    size_t next = 0;
    for (auto _ : state) {
        const std::vector<uint16_t>& ad = frames[next++ % frames.size()];
        runs.time_case([&] {
            tagPAD max{}, min{};
            uint16_t avg = 0;
            palettor_calc_max_min_avg_of_ad(h, ad.data(), kWidth, kHeight, 0, 0, kWidth - 1, kHeight - 1, &max,
                                            &min, &avg);
            palettor_calc_pal_no_of_ad(h);
            palettor_ad_to_pixel(h, ad.data(), kWidth, kHeight, 0, 0, kWidth - 1, kHeight - 1, bits.data(), false);
            benchmark::DoNotOptimize(bits.data());
        });
        runs.time_baseline([&] {
            const cv::Mat in(kHeight, kWidth, CV_16UC1, const_cast<uint16_t*>(ad.data()));
            double lo = 0, hi = 0;
            cv::Point lo_at, hi_at;
            cv::minMaxLoc(in, &lo, &hi, &lo_at, &hi_at);
            const double scale = 255.0 / std::max(hi - lo, 1.0);
            in.convertTo(grey, CV_8U, scale, -lo * scale);
            cv::applyColorMap(grey, colour, cv::COLORMAP_INFERNO);
            cv::cvtColor(colour, pixels, cv::COLOR_BGR2BGRA);
            benchmark::DoNotOptimize(pixels.data);
        });
    }
    runs.report(state);
    palettor_uninit(&h);
#else
    state.SkipWithError("peer library not installed");
#endif
}

// The workers row: sharpen and blur on an engine of 4 CPU workers (a
// 640 x 512 frame takes 1 of them, see kPixelsPerWorker) beside 1, with 20
// to 40 ms between frames as from a camera, so the workers sleep between
// them; speedup is the 1-worker time over the 4-worker engine's time. The engines take the
// frames in turn: each pool sees one every 40 to 80 ms. /1 runs with two
// spinning processes per processor beside it: more workers must not be
// slower than one on a machine that busy either.
void BM_row_sharpen_blur_paced(benchmark::State& state)
{
    const bench::BusyMachine load(static_cast<int>(state.range(0)) * 2);
    palettor::detail::ImageSharpenBlur four, one;
    four.init(false, 4);
    one.init(false, 1);
    const std::vector<uint8_t> source = index_scene();
    std::vector<uint8_t> plane(kPixels);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> gap_ms(20, 40);
    bench::SideBySide runs;
    bool four_first = true;
    for (auto _ : state) {
        // Which goes first alternates, so neither gains from the order.
        four_first = !four_first;
        for (palettor::detail::ImageSharpenBlur* engine : {four_first ? &four : &one, four_first ? &one : &four}) {
            std::memcpy(plane.data(), source.data(), kPixels);
            std::this_thread::sleep_for(std::chrono::milliseconds(gap_ms(random)));
            auto filter = [&] { benchmark::DoNotOptimize(engine->sharpen_and_blur(plane.data(), kWidth, kHeight, 50, false)); };
            if (engine == &four) {
                runs.time_case(filter);
            } else {
                runs.time_baseline(filter);
            }
        }
    }
    runs.report(state);
    state.counters["speedup"] = runs.speedup();
}

// CPU time of the threads other than this one (the pool's workers), and
// their context switches.
struct WorkerUsage {
    double cpu_us = 0;
    long switches = 0;

    static WorkerUsage now()
    {
        rusage all{}, mine{};
        getrusage(RUSAGE_SELF, &all);
        getrusage(RUSAGE_THREAD, &mine);
        auto us = [](const timeval& t) { return t.tv_sec * 1e6 + t.tv_usec; };
        WorkerUsage u;
        u.cpu_us = us(all.ru_utime) + us(all.ru_stime) - us(mine.ru_utime) - us(mine.ru_stime);
        u.switches = all.ru_nvcsw + all.ru_nivcsw - mine.ru_nvcsw - mine.ru_nivcsw;
        return u;
    }
};

// What the waiting of a 4-worker engine's pool costs: the workers' CPU time
// per frame (none for a 640 x 512 frame, which the caller filters alone)
// with frames 40 ms apart (/0) or 20 to 40 ms apart at random (/1), and
// once the frames stop, their CPU time and context switches per second
// while idle.
void BM_pool_cpu_paced(benchmark::State& state)
{
    palettor::detail::ImageSharpenBlur four;
    four.init(false, 4);
    const std::vector<uint8_t> source = index_scene();
    std::vector<uint8_t> plane(kPixels);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> gap_us(20000, 40000);
    std::vector<double> frame_us;
    const WorkerUsage start = WorkerUsage::now();
    for (auto _ : state) {
        std::memcpy(plane.data(), source.data(), kPixels);
        std::this_thread::sleep_for(std::chrono::microseconds(state.range(0) == 0 ? 40000 : gap_us(random)));
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(four.sharpen_and_blur(plane.data(), kWidth, kHeight, 50, false));
        frame_us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    const WorkerUsage end = WorkerUsage::now();
    std::sort(frame_us.begin(), frame_us.end());
    state.counters["frame_us"] = frame_us[frame_us.size() / 2];
    state.counters["worker_cpu_us_per_frame"] = (end.cpu_us - start.cpu_us) / static_cast<double>(state.iterations());
    // The last watch ends within twice the longest gap.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const WorkerUsage idle_start = WorkerUsage::now();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const WorkerUsage idle_end = WorkerUsage::now();
    state.counters["idle_cpu_us_per_s"] = idle_end.cpu_us - idle_start.cpu_us;
    state.counters["idle_switches_per_s"] = static_cast<double>(idle_end.switches - idle_start.switches);
}

}  // namespace

BENCHMARK(BM_row_colour_new_frame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_row_sharpen_blur_paced)->Arg(0)->Arg(1)->Iterations(60)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_pool_cpu_paced)->Arg(0)->Arg(1)->Iterations(100)->Unit(benchmark::kMillisecond)->UseRealTime();
#ifdef PYRAVUE_BENCH_PEER
BENCHMARK(BM_peer_bilateral_5x5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_peer_minmax_convert_colour)->Unit(benchmark::kMicrosecond);
#endif
BENCHMARK(BM_memcpy_output_baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_lookup_loop_baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ad_to_pixel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_histogram_baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_statistics_with_auto_range)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_statistics_range_colour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_memcpy_index_plane_baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_sharpen_blur_cpu)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_sharpen_blur_opencl)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_MAIN();
