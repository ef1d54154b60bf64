// Codec throughput on a 640x480 frame-like plane, beside a memcpy of the same
// bytes as the baseline measured in the same run.
#include "basekit.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

std::vector<uint16_t> frame()
{
    std::vector<uint16_t> plane(640 * 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            plane[y * 640 + x] = static_cast<uint16_t>(16000 + x + y / 2 + ((x * 31 + y * 17) & 7));
        }
    }
    return plane;
}

void BM_memcpy_baseline(benchmark::State& state)
{
    std::vector<uint16_t> plane = frame();
    std::vector<uint16_t> copy(plane.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), plane.data(), plane.size() * 2);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * plane.size() * 2);
}

void BM_high_low_compress(benchmark::State& state)
{
    std::vector<uint16_t> plane = frame();
    std::vector<uint8_t> out(vy_high_low_bound(static_cast<int>(plane.size())));
    for (auto _ : state) {
        uint32_t length = static_cast<uint32_t>(out.size());
        benchmark::DoNotOptimize(vy_high_low_compress(plane.data(), static_cast<int>(plane.size()), out.data(), &length));
    }
    state.SetBytesProcessed(state.iterations() * plane.size() * 2);
}

void BM_high_low_uncompress(benchmark::State& state)
{
    std::vector<uint16_t> plane = frame();
    std::vector<uint8_t> packed(vy_high_low_bound(static_cast<int>(plane.size())));
    uint32_t length = static_cast<uint32_t>(packed.size());
    vy_high_low_compress(plane.data(), static_cast<int>(plane.size()), packed.data(), &length);
    std::vector<uint16_t> back(plane.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_high_low_uncompress(length, packed.data(), back.data(), static_cast<int>(back.size())));
    }
    state.SetBytesProcessed(state.iterations() * plane.size() * 2);
}

}  // namespace

BENCHMARK(BM_memcpy_baseline);
BENCHMARK(BM_high_low_compress);
BENCHMARK(BM_high_low_uncompress);
BENCHMARK_MAIN();
