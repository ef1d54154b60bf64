// One repaint of the view: markpen_update plus markpen_get_bits for a
// 640 x 480 frame shown in a 1280 x 960 window with 20 analysis objects and
// their labels, beside the baseline of the same sizes: a scaled
// QPainter::drawImage and a memcpy of the output; and opening the sample
// picture (built with the benchmarks) and showing it, beside decoding the
// same JPEG and drawing it scaled.
#include "fake_frame.h"
#include "markpen.h"
#include "paint_handle.h"
#include "sensekern.h"
#include "side_by_side.h"
#include "thermframe.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include <benchmark/benchmark.h>


#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kImageWidth = 640;
constexpr int kImageHeight = 480;
constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 960;

std::vector<uint32_t> frame_pixels()
{
    std::vector<uint32_t> pixels(static_cast<size_t>(kImageWidth) * kImageHeight);
    for (int y = 0; y < kImageHeight; ++y) {
        for (int x = 0; x < kImageWidth; ++x) {
            pixels[static_cast<size_t>(y) * kImageWidth + x] =
                static_cast<uint32_t>((x * 255 / kImageWidth) << 16 | (y * 255 / kImageHeight) << 8 | 40);
        }
    }
    return pixels;
}

std::vector<markpen::test::FakeAna> twenty_objects()
{
    std::vector<markpen::test::FakeAna> anas;
    for (int i = 0; i < 20; ++i) {
        markpen::test::FakeAna a;
        const int x = 20 + (i % 5) * 120, y = 20 + (i / 5) * 110;
        char text[160];
        switch (i % 5) {
        case 0:
            a.type = ANA_POINT;
            std::snprintf(text, sizeof text, "P:%d,%d;-", x + 40, y + 40);
            break;
        case 1:
            a.type = ANA_LINE;
            std::snprintf(text, sizeof text, "L:%d,%d;%d,%d;-", x, y, x + 100, y + 70);
            a.cursor = a.cursor_temp = true;
            a.cursor_x = static_cast<uint16_t>(x + 50);
            a.cursor_y = static_cast<uint16_t>(y + 35);
            a.cursor_t = 31.5f;
            break;
        case 2:
            a.type = ANA_ELLIPSE;
            std::snprintf(text, sizeof text, "E:%d,%d;%d,%d;-", x, y, x + 100, y + 80);
            break;
        case 3:
            a.type = ANA_RECT;
            std::snprintf(text, sizeof text, "R:%d,%d;%d,%d;-", x, y, x + 100, y + 80);
            a.show_max = a.show_min = true;
            a.max_x = static_cast<uint16_t>(x + 30);
            a.max_y = static_cast<uint16_t>(y + 30);
            a.min_x = static_cast<uint16_t>(x + 70);
            a.min_y = static_cast<uint16_t>(y + 60);
            break;
        default:
            a.type = ANA_POLYGON;
            std::snprintf(text, sizeof text, "A:%d,%d;%d,%d;%d,%d;%d,%d;-", x, y, x + 100, y + 10,
                          x + 90, y + 80, x + 10, y + 70);
            break;
        }
        a.text = text;
        a.alias = "object " + std::to_string(i + 1);
        a.temp_text = " Max:36.6 Min:21.0";
        a.ax = x + 100;
        a.ay = y;
        a.dx = 4;
        anas.push_back(a);
    }
    return anas;
}

void BM_markpen_update_and_get_bits(benchmark::State& state)
{
    auto frame = std::make_unique<markpen::test::FakeFrame>();
    const std::vector<uint32_t> pixels = frame_pixels();
    frame->bits = pixels;
    frame->anas = twenty_objects();
    frame->show_max = frame->show_min = true;
    frame->max_x = 600;
    frame->max_y = 50;
    frame->min_x = 30;
    frame->min_y = 450;
    void* handle = nullptr;
    if (!markpen::detail::create_paint_handle(handle, nullptr, std::move(frame)) ||
        !markpen_set_image_size(handle, kImageWidth, kImageHeight) ||
        !markpen_set_wnd_size(handle, kWindowWidth, kWindowHeight)) {
        state.SkipWithError("paint handle not made");
        return;
    }
    std::vector<unsigned char> bits(static_cast<size_t>(kWindowWidth) * kWindowHeight * 4);
    for (auto _ : state) {
        unsigned int length = 0;
        markpen_update(handle, true, true);
        markpen_get_bits(handle, nullptr, length);
        markpen_get_bits(handle, bits.data(), length);
        benchmark::DoNotOptimize(bits.data());
    }
    markpen_uninit(handle);
}

QString sample_path()
{
    return QCoreApplication::applicationDirPath() + "/samples/sample.jpg";
}

// The sample picture of tools/make-samples (640 x 512), opened through
// sensekern with 20 objects added through thermframe and a paint handle for a
// window of twice its size.
struct SampleDocument {
    // A window of twice the picture's size unless one is given.
    explicit SampleDocument(int window_width = 0, int window_height = 0)
    {
        uint16_t width = 0, height = 0;
        ready = sensekern_init(&frame) && sensekern_load_picture_file(frame, sample_path().toUtf8().constData()) &&
                thermframe_doc_init(doc, frame) && thermframe_get_resolution(doc, width, height);
        for (const markpen::test::FakeAna& a : twenty_objects()) {
            ready = ready && thermframe_add_ana(doc, a.text);
        }
        if (window_width <= 0) {
            window_width = 2 * width;
            window_height = 2 * height;
        }
        ready = ready && thermframe_set_wnd_show_resolution(doc, window_width, window_height) &&
                markpen_init(handle, doc) && markpen_set_image_size(handle, width, height) &&
                markpen_set_wnd_size(handle, window_width, window_height);
    }
    ~SampleDocument()
    {
        if (handle != nullptr) markpen_uninit(handle);
        if (doc != nullptr) thermframe_doc_uninit(doc);
        if (frame != nullptr) sensekern_uninit(&frame);
    }
    // Into the caller's buffer, grown to the window's size when needed.
    void render(bool reload, std::vector<unsigned char>* bits)
    {
        unsigned int length = 0;
        markpen_update(handle, reload, true);
        markpen_get_bits(handle, nullptr, length);
        if (bits->size() < length) {
            bits->resize(length);
        }
        markpen_get_bits(handle, bits->data(), length);
        benchmark::DoNotOptimize(bits->data());
    }
    void* frame = nullptr;
    void* doc = nullptr;
    void* handle = nullptr;
    bool ready = false;
};

// The same repaint over a real document, whose label texts and extremes
// sensekern computes on every update.
void BM_markpen_over_sample_document(benchmark::State& state)
{
    if (!QFile::exists(sample_path())) {
        state.SkipWithError("no samples/sample.jpg beside the benchmark (tools/make-samples)");
        return;
    }
    SampleDocument document;
    std::vector<unsigned char> bits;
    for (auto _ : state) {
        if (!document.ready) {
            state.SkipWithError("sample document not opened");
            break;
        }
        document.render(state.range(0) != 0, &bits);
    }
}

// Opening the sample picture and showing it with its 20 objects, from the
// file each time, beside the baseline below: decoding the same JPEG and
// drawing it scaled into the same window.
void BM_open_and_render_sample_document(benchmark::State& state)
{
    if (!QFile::exists(sample_path())) {
        state.SkipWithError("no samples/sample.jpg beside the benchmark (tools/make-samples)");
        return;
    }
    // Once per process (the OpenCL runtime, fonts) is not per picture.
    std::vector<unsigned char> bits;
    {
        SampleDocument warm;
        warm.render(true, &bits);
    }
    for (auto _ : state) {
        SampleDocument document;
        if (!document.ready) {
            state.SkipWithError("sample document not opened");
            break;
        }
        document.render(true, &bits);
    }
}

void BM_baseline_decode_jpeg_and_draw_scaled(benchmark::State& state)
{
    std::vector<unsigned char> bits;
    for (auto _ : state) {
        const QImage source(sample_path());
        if (source.isNull()) {
            state.SkipWithError("no samples/sample.jpg beside the benchmark (tools/make-samples)");
            break;
        }
        QImage window(2 * source.width(), 2 * source.height(), QImage::Format_RGB32);
        QPainter painter(&window);
        painter.drawImage(window.rect(), source);
        painter.end();
        bits.resize(static_cast<size_t>(window.sizeInBytes()));
        std::memcpy(bits.data(), window.constBits(), bits.size());
        benchmark::DoNotOptimize(bits.data());
    }
}

void BM_baseline_scaled_draw_and_memcpy(benchmark::State& state)
{
    const std::vector<uint32_t> pixels = frame_pixels();
    const QImage source(reinterpret_cast<const uchar*>(pixels.data()), kImageWidth, kImageHeight,
                        QImage::Format_RGB32);
    QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    std::vector<unsigned char> bits(static_cast<size_t>(window.sizeInBytes()));
    for (auto _ : state) {
        QPainter painter(&window);
        painter.drawImage(QRect(0, 0, kWindowWidth, kWindowHeight), source);
        painter.end();
        std::memcpy(bits.data(), window.constBits(), bits.size());
        benchmark::DoNotOptimize(bits.data());
    }
}

// The open row: opening the sample picture (640 x 512) and showing it with
// its 20 objects in a 1280 x 960 window, closed again, beside decoding the
// same JPEG with QImage and drawing it scaled into a window image of the same
// size, copied out. Turn about in one loop; neither side is given a heap
// trim or anything else the other does not get. With argument 0 the baseline makes its
// pictures as a plain decode does; with 1 it keeps them from run to run
// (read into the same picture, drawn into the same window), the lowest it
// can go.
void BM_row_open_and_render(benchmark::State& state)
{
    if (!QFile::exists(sample_path())) {
        state.SkipWithError("no samples/sample.jpg beside the benchmark (tools/make-samples)");
        return;
    }
    const bool keep = state.range(0) != 0;
    std::vector<unsigned char> bits(static_cast<size_t>(kWindowWidth) * kWindowHeight * 4);
    {
        SampleDocument warm(kWindowWidth, kWindowHeight);
        warm.render(true, &bits);
    }
    QImage kept_source, kept_window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    bench::SideBySide runs;
    bool ok = true;
    for (auto _ : state) {
        runs.time_baseline([&] {
            QImage source, window;
            if (keep) {
                QImageReader reader(sample_path());
                ok = reader.read(&kept_source) && ok;
                source = kept_source;
                window = kept_window;
                kept_window = QImage();  // no second reference: the painter writes in place
            } else {
                source = QImage(sample_path());
                window = QImage(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
            }
            QPainter painter(&window);
            painter.drawImage(window.rect(), source);
            painter.end();
            ok = !source.isNull() && ok;
            std::memcpy(bits.data(), window.constBits(), std::min(bits.size(), static_cast<size_t>(window.sizeInBytes())));
            benchmark::DoNotOptimize(bits.data());
            if (keep) {
                kept_window = window;
            }
        });
        runs.time_case([&] {
            SampleDocument document(kWindowWidth, kWindowHeight);
            ok = document.ready && ok;
            document.render(true, &bits);
        });
    }
    if (!ok) {
        state.SkipWithError("sample picture not opened");
    }
    runs.report(state);
}

BENCHMARK(BM_row_open_and_render)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_baseline_scaled_draw_and_memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_markpen_update_and_get_bits)->Unit(benchmark::kMillisecond);
// Argument 1 reloads the frame's pixels from thermframe on every update (as
// the program does), 0 recomposes the pixels already read.
BENCHMARK(BM_markpen_over_sample_document)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_baseline_decode_jpeg_and_draw_scaled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_open_and_render_sample_document)->Unit(benchmark::kMillisecond);

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
