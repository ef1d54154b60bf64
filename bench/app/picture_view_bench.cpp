// What the user waits for in the picture window: one repaint of the view (a
// 640-wide picture with 20 analysis objects shown at 1280 x 960, as on every
// mouse move) beside QPainter drawing the same picture scaled plus a memcpy
// of the window; and opening a picture to its first painted frame beside
// QImage loading the same JPEG.
#include "sources/ir_image.h"
#include "thermframe.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 960;

QString sample_path() { return QCoreApplication::applicationDirPath() + "/samples/sample.jpg"; }

void add_twenty_objects(void* doc)
{
    thermframe_delete_all_ana(doc);
    for (int i = 0; i < 20; ++i) {
        const int x = 20 + (i % 5) * 120, y = 20 + (i / 5) * 110;
        char text[160];
        switch (i % 5) {
        case 0: std::snprintf(text, sizeof text, "P:%d,%d;-", x + 40, y + 40); break;
        case 1: std::snprintf(text, sizeof text, "L:%d,%d;%d,%d;-", x, y, x + 100, y + 70); break;
        case 2: std::snprintf(text, sizeof text, "R:%d,%d;%d,%d;-", x, y, x + 90, y + 80); break;
        case 3: std::snprintf(text, sizeof text, "E:%d,%d;%d,%d;-", x, y, x + 90, y + 80); break;
        default: std::snprintf(text, sizeof text, "A:%d,%d;%d,%d;%d,%d;-", x, y, x + 90, y + 10, x + 40, y + 90); break;
        }
        thermframe_add_ana(doc, text);
    }
}

void BM_view_paint(benchmark::State& state)
{
    IRImage source(nullptr);
    if (!source.open_file(sample_path())) {
        state.SkipWithError("samples were not generated");
        return;
    }
    add_twenty_objects(source.get_ir_data());
    source.set_show_size(kWindowWidth, kWindowHeight);
    QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        benchmark::DoNotOptimize(source.paint(&painter));
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kWindowWidth) * kWindowHeight * 4);
}
BENCHMARK(BM_view_paint)->Unit(benchmark::kMillisecond);

void BM_baseline_draw_image_and_memcpy(benchmark::State& state)
{
    QImage picture(sample_path());
    if (picture.isNull()) {
        state.SkipWithError("samples were not generated");
        return;
    }
    picture = picture.convertToFormat(QImage::Format_RGB32);
    QImage scaled(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        {
            QPainter painter(&scaled);
            painter.drawImage(QRect(0, 0, kWindowWidth, kWindowHeight), picture);
        }
        std::memcpy(window.bits(), scaled.constBits(), static_cast<size_t>(scaled.sizeInBytes()));
        benchmark::DoNotOptimize(window.bits());
        QPainter painter(&window);
        painter.drawImage(0, 0, scaled);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kWindowWidth) * kWindowHeight * 4);
}
BENCHMARK(BM_baseline_draw_image_and_memcpy)->Unit(benchmark::kMillisecond);

void BM_open_to_first_frame(benchmark::State& state)
{
    const QString path = sample_path();
    QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        IRImage source(nullptr);
        if (!source.open_file(path)) {
            state.SkipWithError("samples were not generated");
            return;
        }
        source.set_show_size(kWindowWidth, kWindowHeight);
        QPainter painter(&window);
        benchmark::DoNotOptimize(source.paint(&painter));
    }
}
BENCHMARK(BM_open_to_first_frame)->Unit(benchmark::kMillisecond);

void BM_baseline_qimage_load(benchmark::State& state)
{
    const QString path = sample_path();
    for (auto _ : state) {
        QImage picture(path);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_baseline_qimage_load)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
