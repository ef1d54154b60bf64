// picfold on the 640x512 sample picture, each figure beside a baseline of
// the same run: loading it and painting the first frame against decoding
// the bare JPEG with QImage, and measuring it again after an emissivity
// change against converting the same plane with tempcore directly.
#include "markpen.h"
#include "picfold.h"
#include "sensekern.h"
#include "tempcore.h"
#include "thermframe.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::string kPicture = std::string(PYRAVUE_BENCH_SAMPLES) + "/sample.jpg";

void BM_picfold_load_and_paint(benchmark::State& state)
{
    void* h = nullptr;
    picfold_init(h);
    void* painter = nullptr;
    picfold_get_ir_paint(h, painter);
    const std::wstring path = QString::fromStdString(kPicture).toStdWString();
    std::vector<unsigned char> bits(640 * 512 * 4);
    for (auto _ : state) {
        unsigned int length = static_cast<unsigned int>(bits.size());
        if (!picfold_load_file_w(h, path, true) || !markpen_update(painter, true, true) ||
            !markpen_get_bits(painter, bits.data(), length)) {
            state.SkipWithError("the sample picture does not load");
            break;
        }
        benchmark::DoNotOptimize(bits.data());
    }
    picfold_uninit(h);
}
BENCHMARK(BM_picfold_load_and_paint)->Unit(benchmark::kMillisecond);

void BM_baseline_qimage_decode(benchmark::State& state)
{
    for (auto _ : state) {
        QImage image(QString::fromStdString(kPicture), "JPG");
        if (image.isNull()) {
            state.SkipWithError("the sample picture does not decode");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_baseline_qimage_decode)->Unit(benchmark::kMillisecond);

void BM_picfold_remeasure_after_emissivity(benchmark::State& state)
{
    void* h = nullptr;
    picfold_init(h);
    void* doc = nullptr;
    picfold_get_ir_data(h, doc);
    if (!picfold_load_file_w(h, QString::fromStdString(kPicture).toStdWString(), true)) {
        state.SkipWithError("the sample picture does not load");
    }
    std::vector<float> temps(640 * 512);
    float e = 0.90f;
    for (auto _ : state) {
        e = e == 0.90f ? 0.91f : 0.90f;
        if (!thermframe_set_emiss(doc, e) || !thermframe_get_all_temp(doc, temps.data())) {
            state.SkipWithError("the picture is not measured again");
            break;
        }
        benchmark::DoNotOptimize(temps.data());
    }
    picfold_uninit(h);
}
BENCHMARK(BM_picfold_remeasure_after_emissivity)->Unit(benchmark::kMillisecond);

void BM_baseline_tempcore_direct(benchmark::State& state)
{
    // The same plane through an engine of the sample calibration.
    void* frame = nullptr;
    sensekern_init(&frame);
    sensekern_load_picture_file(frame, kPicture.c_str());
    std::vector<uint16_t> plane(640 * 512);
    uint32_t count = static_cast<uint32_t>(plane.size());
    sensekern_get_ad_frame(frame, plane.data(), &count);
    sensekern_uninit(&frame);
    void* engine = nullptr;
    int environment = 0;
    vy_at_init(&engine);
    if (!vy_at_load_calibrate_data_from_file(engine, PYRAVUE_BENCH_CALIBRATION) ||
        !vy_at_set_len_type_and_meas_range(engine, static_cast<LenType>(0), static_cast<MeasRange>(0)) ||
        !vy_at_update_temperature_sensor(engine, 25, 25, 25, 25, 25, &environment) || !vy_at_calc_base_temp(engine)) {
        state.SkipWithError("no calibration");
    }
    std::vector<float> temps(plane.size());
    float e = 0.90f;
    for (auto _ : state) {
        e = e == 0.90f ? 0.91f : 0.90f;
        vy_at_set_emiss(engine, e);
        vy_at_get_temperature_from_ad(engine, plane.data(), static_cast<int>(plane.size()), temps.data());
        benchmark::DoNotOptimize(temps.data());
    }
    vy_at_uninit(&engine);
}
BENCHMARK(BM_baseline_tempcore_direct)->Unit(benchmark::kMillisecond);

}  // namespace
