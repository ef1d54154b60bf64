// The view tools' two loops over many numbers: the simplified temperature
// table draws 120 x 90 = 10,800 whole-degree numbers per refresh, beside
// QPainter drawing the same texts one by one; and copying a 640 x 480 picture
// formats 307,200 cells for the clipboard, beside std::to_chars of the same
// floats into one buffer.
#include "views/ir_copy_temp.h"
#include "views/thread_paint_temp.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A 1200 x 900 frame: every tenth pixel is sampled, 120 x 90 numbers.
constexpr int kTableWidth = 1200;
constexpr int kTableHeight = 900;
constexpr int kCells = 640 * 480;

std::vector<float> scene(int count)
{
    std::vector<float> temps(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) temps[static_cast<size_t>(i)] = -20.0f + static_cast<float>((i * 37) % 1500) * 0.1f;
    return temps;
}

// The full 120 x 90 grid: a table large enough for all of it.
ThreadPaintTemp::Layout full_grid()
{
    return ThreadPaintTemp::layout_for(kTableWidth, kTableHeight, -20.0f, 130.0f, QSize(4096, 4096));
}

void BM_table_numbers(benchmark::State& state)
{
    const std::vector<float> temps = scene(kTableWidth * kTableHeight);
    const ThreadPaintTemp::Layout layout = full_grid();
    QImage back(layout.columns * layout.pitch_x, layout.rows * layout.pitch_y, QImage::Format_RGB32);
    for (auto _ : state) {
        back.fill(QColor(7, 16, 23));
        ThreadPaintTemp::draw_numbers(back, temps.data(), kTableWidth, kTableHeight, layout);
        benchmark::DoNotOptimize(back.constBits());
    }
    state.SetItemsProcessed(state.iterations() * 120 * 90);
}
BENCHMARK(BM_table_numbers)->Unit(benchmark::kMillisecond);

void BM_baseline_qpainter_texts(benchmark::State& state)
{
    const std::vector<float> temps = scene(kTableWidth * kTableHeight);
    const ThreadPaintTemp::Layout layout = full_grid();
    QImage back(layout.columns * layout.pitch_x, layout.rows * layout.pitch_y, QImage::Format_RGB32);
    QFont font;
    font.setPixelSize(ThreadPaintTemp::kFontPixels);
    for (auto _ : state) {
        back.fill(QColor(7, 16, 23));
        QPainter p(&back);
        p.setFont(font);
        p.setPen(QColor(62, 142, 194));
        for (int row = 0; row < 90; ++row) {
            for (int col = 0; col < 120; ++col) {
                const float t = temps[static_cast<size_t>(row * 10) * kTableWidth + static_cast<size_t>(col * 10)];
                p.drawText(QRect(col * layout.pitch_x, row * layout.pitch_y, layout.pitch_x, layout.pitch_y),
                           Qt::AlignLeft | Qt::AlignTop,
                           QString::asprintf("%d", static_cast<int>(t)));
            }
        }
        p.end();
        benchmark::DoNotOptimize(back.constBits());
    }
    state.SetItemsProcessed(state.iterations() * 120 * 90);
}
BENCHMARK(BM_baseline_qpainter_texts)->Unit(benchmark::kMillisecond);

void BM_clipboard_matrix(benchmark::State& state)
{
    const std::vector<float> temps = scene(kCells);
    for (auto _ : state) {
        std::string text;
        IRCopyTemp::append_matrix(temps.data(), temps.size(), 640, text);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_clipboard_matrix)->Unit(benchmark::kMillisecond);

void BM_baseline_to_chars(benchmark::State& state)
{
    const std::vector<float> temps = scene(kCells);
    std::vector<char> buffer(static_cast<size_t>(kCells) * 16);
    for (auto _ : state) {
        char* out = buffer.data();
        char* const end = buffer.data() + buffer.size();
        for (float t : temps) {
            out = std::to_chars(out, end, t, std::chars_format::fixed, 1).ptr;
            *out++ = '\t';
        }
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_baseline_to_chars)->Unit(benchmark::kMillisecond);

}  // namespace
