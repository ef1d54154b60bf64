// clipenc at 640 x 480, each figure beside a baseline measured in the same
// run: RGB32 frames through the library (conversion on the caller's thread,
// encoding on the encoder's) against the same openh264 settings fed I420
// directly, and the conversion alone against memcpy of the same bytes.
#include "clipenc.h"
#include "h264_session.h"
#include "rgb_to_i420.h"

#include "stream_tools.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

using namespace clipenc::detail;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFps = 25;
constexpr int kDistinctFrames = 32;

const std::vector<std::vector<uint8_t>>& rgb_frames()
{
    static const std::vector<std::vector<uint8_t>> frames =
        clipenc_test::moving_patterns(kWidth, kHeight, kDistinctFrames);
    return frames;
}

std::atomic<long long> g_packet_bytes{0};

void count_packet(const unsigned char*, int size, int, void*)
{
    g_packet_bytes += size;
}

void BM_rgb32_through_clipenc(benchmark::State& state)
{
    void* encoder = nullptr;
    VyVideoEncodeParam param{kWidth, kHeight, 0, 3, 3584000, 0, kFps, 0};
    if (!vy_video_encode_init(&encoder, count_packet, param, nullptr, nullptr)) {
        state.SkipWithError("encoder init failed");
        return;
    }
    const auto& frames = rgb_frames();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& frame = frames[i++ % frames.size()];
        while (!vy_video_encode_data(encoder, frame.data(), static_cast<int>(frame.size()))) {
            vy_video_encode_flush(encoder);
        }
    }
    vy_video_encode_flush(encoder);
    vy_video_encode_deinit(&encoder);
    state.SetItemsProcessed(state.iterations());
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_rgb32_through_clipenc)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_i420_into_openh264(benchmark::State& state)
{
    EncoderSettings settings;
    std::string error;
    settings_from(VyVideoEncodeParam{kWidth, kHeight, 0, 3, 3584000, 0, kFps, 0}, &settings, &error);
    H264Session session;
    if (!session.open(settings, nullptr, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::vector<std::vector<uint8_t>> planes;
    for (const auto& frame : rgb_frames()) {
        planes.emplace_back(settings.layout.total_size());
        rgb32_to_i420(frame.data(), settings.layout, planes.back().data());
    }
    std::vector<uint8_t> unit;
    uint32_t index = 0;
    for (auto _ : state) {
        bool key = false;
        session.encode(planes[index % planes.size()].data(), index, index == 0, &unit, &key, &error);
        ++index;
        benchmark::DoNotOptimize(unit.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_i420_into_openh264)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_rgb32_to_i420(benchmark::State& state)
{
    I420Layout layout(kWidth, kHeight);
    std::vector<uint8_t> planes(layout.total_size());
    const auto& frame = rgb_frames()[0];
    for (auto _ : state) {
        rgb32_to_i420(frame.data(), layout, planes.data());
        benchmark::DoNotOptimize(planes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(frame.size()));
}
BENCHMARK(BM_rgb32_to_i420)->Unit(benchmark::kMicrosecond);

void BM_memcpy_rgb32_frame(benchmark::State& state)
{
    const auto& frame = rgb_frames()[0];
    std::vector<uint8_t> copy(frame.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), frame.data(), frame.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(frame.size()));
}
BENCHMARK(BM_memcpy_rgb32_frame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
