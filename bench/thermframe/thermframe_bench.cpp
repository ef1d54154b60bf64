// thermframe on a 640x512 document, each figure beside a baseline of the same
// run: get_bits and get_all_temp against memcpy of the same bytes, and the
// label layout of 10, 50, 100 and 200 objects (how it grows with the count).
#include "basekit.h"
#include "sensekern.h"
#include "thermframe.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kWidth = 640;
constexpr uint16_t kHeight = 512;
constexpr size_t kPixels = static_cast<size_t>(kWidth) * kHeight;

struct Document {
    Document()
    {
        std::vector<uint16_t> plane(kPixels);
        for (uint16_t y = 0; y < kHeight; ++y) {
            for (uint16_t x = 0; x < kWidth; ++x) {
                plane[static_cast<size_t>(y) * kWidth + x] = static_cast<uint16_t>(12000 + x * 8 + y * 4);
            }
        }
        sensekern_init(&frame);
        char dir[4096];
        int length = sizeof(dir);
        if (vy_get_exe_path(dir, &length) == VY_OK) {
            sensekern_load_calibration_file(frame, (std::string(dir) + "/ad_temp").c_str());
        }
        sensekern_set_ad_frame(frame, plane.data(), kWidth, kHeight);
        thermframe_doc_init(doc, frame);
        thermframe_set_wnd_show_resolution(doc, kWidth, kHeight);
    }
    ~Document()
    {
        thermframe_doc_uninit(doc);
        sensekern_uninit(&frame);
    }
    void* frame = nullptr;
    void* doc = nullptr;
};

void BM_memcpy_bits(benchmark::State& state)
{
    std::vector<unsigned char> from(kPixels * 4, 7);
    std::vector<unsigned char> to(kPixels * 4);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::DoNotOptimize(to.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(to.size()));
}

void BM_get_bits(benchmark::State& state)
{
    Document d;
    std::vector<unsigned char> bits(kPixels * 4);
    for (auto _ : state) {
        uint32_t length = static_cast<uint32_t>(bits.size());
        if (!thermframe_get_bits(d.doc, bits.data(), length)) {
            state.SkipWithError("get_bits failed");
            break;
        }
        benchmark::DoNotOptimize(bits.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bits.size()));
}

void BM_memcpy_temps(benchmark::State& state)
{
    std::vector<float> from(kPixels, 25.0f);
    std::vector<float> to(kPixels);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(float));
        benchmark::DoNotOptimize(to.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kPixels * 4));
}

void BM_get_all_temp(benchmark::State& state)
{
    Document d;
    std::vector<float> temps(kPixels);
    for (auto _ : state) {
        if (!thermframe_get_all_temp(d.doc, temps.data())) {
            state.SkipWithError("get_all_temp failed");
            break;
        }
        benchmark::DoNotOptimize(temps.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kPixels * 4));
}

// Points and rectangles spread over the frame; a change of the window size
// recomputes every window node and lays out every label again.
void BM_label_layout(benchmark::State& state)
{
    Document d;
    const int count = static_cast<int>(state.range(0));
    std::string list;
    for (int i = 0; i < count; ++i) {
        const int x = 20 + (i * 37) % 560;
        const int y = 20 + (i * 53) % 430;
        if (i % 2 == 0) {
            list += "P:" + std::to_string(x) + "," + std::to_string(y) + ";-";
        } else {
            list += "R:" + std::to_string(x) + "," + std::to_string(y) + ";" + std::to_string(x + 40) +
                    "," + std::to_string(y + 30) + ";-";
        }
    }
    if (!thermframe_add_anas(d.doc, list)) {
        state.SkipWithError("objects refused");
        return;
    }
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        thermframe_set_wnd_show_resolution(d.doc, wide ? kWidth * 2 : kWidth, wide ? kHeight * 2 : kHeight);
    }
    state.counters["objects"] = count;
}

BENCHMARK(BM_memcpy_bits);
BENCHMARK(BM_get_bits);
BENCHMARK(BM_memcpy_temps);
BENCHMARK(BM_get_all_temp);
BENCHMARK(BM_label_layout)->Arg(10)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
