// AD-to-temperature of a 640x512 frame through the limited lookup, beside a
// plain table-lookup loop and a memcpy of the same output bytes measured in
// the same run; the table rebuild; the base-temperature step.
#include "calibration_description.h"
#include "tempcore.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 512;
constexpr int kPixels = kWidth * kHeight;

std::string read_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint16_t> frame()
{
    std::vector<uint16_t> ad(kPixels);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            ad[y * kWidth + x] = static_cast<uint16_t>(13000 + x * 25 + y * 4 + ((x * 31 + y * 17) & 15));
        }
    }
    return ad;
}

// One engine with the sample calibration, lens 0 range 0 selected.
void* engine()
{
    static void* handle = [] {
        void* h = nullptr;
        std::string folder = TEMPCORE_SAMPLE_DIR;
        std::vector<uint8_t> data;
        std::string error;
        int environment;
        if (!vy_at_init(&h) ||
            !calibration::build_calibration_data(read_text(folder + "/sample.desc"),
                                                 read_text(folder + "/sample_script.lua"), &data, &error) ||
            !vy_at_load_calibrate_data_from_buffer(h, data.data()) ||
            !vy_at_set_len_type_and_meas_range(h, 0, 0) ||
            !vy_at_update_temperature_sensor(h, 30, 31, 30, 29, 28, &environment) ||
            !vy_at_calc_base_temp(h)) {
            std::fprintf(stderr, "bench_tempcore: cannot set up the engine %s\n", error.c_str());
            std::exit(1);
        }
        return h;
    }();
    return handle;
}

void BM_memcpy_output_bytes(benchmark::State& state)
{
    std::vector<float> from(kPixels, 1.0f);
    std::vector<float> to(kPixels);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kPixels * sizeof(float));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

void BM_plain_lookup_loop(benchmark::State& state)
{
    std::vector<uint16_t> ad = frame();
    std::vector<float> table(65536);
    for (int i = 0; i < 65536; ++i) {
        table[i] = i * 0.01f;
    }
    std::vector<float> out(kPixels);
    for (auto _ : state) {
        for (int i = 0; i < kPixels; ++i) {
            out[i] = table[ad[i]];
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

void BM_limited_frame(benchmark::State& state)
{
    void* h = engine();
    std::vector<uint16_t> ad = frame();
    std::vector<float> out(kPixels);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_at_get_temperature_from_ad(h, ad.data(), kPixels, out.data()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

void BM_unlimited_frame(benchmark::State& state)
{
    void* h = engine();
    std::vector<uint16_t> ad = frame();
    std::vector<float> out(kPixels);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_at_get_no_limited_temperature_from_ad(h, ad.data(), kPixels, out.data()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}

void BM_table_rebuild(benchmark::State& state)
{
    void* h = engine();
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_at_update_ad_temp_table(h));
    }
}

void BM_calc_base_temp(benchmark::State& state)
{
    void* h = engine();
    for (auto _ : state) {
        benchmark::DoNotOptimize(vy_at_calc_base_temp(h));
    }
}

}  // namespace

BENCHMARK(BM_memcpy_output_bytes);
BENCHMARK(BM_plain_lookup_loop);
BENCHMARK(BM_limited_frame);
BENCHMARK(BM_unlimited_frame);
BENCHMARK(BM_table_rebuild);
BENCHMARK(BM_calc_base_temp);
BENCHMARK_MAIN();
