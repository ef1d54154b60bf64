// The chart work that runs on every refresh: the histogram of a 640 x 480
// object beside std::sort of the same values; a 10-million-point trend
// drawn decimated to its plot beside 2,000 points drawn in full; and the
// pixel-trend counts of 307,200 temperatures in 4 ranges beside one pass of
// std::count_if.
#include "charts/chart_trend_info.h"
#include "charts/histogram_bins.h"
#include "charts/pixel_band_count.h"
#include "charts/wnd_chart_trend.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int kPixels = 640 * 480;

// Temperatures of a picture: a smooth field with hot spots, fixed seed-free.
const std::vector<float>& picture_temps()
{
    static const std::vector<float> temps = [] {
        std::vector<float> t(kPixels);
        for (int i = 0; i < kPixels; ++i) {
            const int x = i % 640, y = i / 640;
            t[i] = 20.0f + 10.0f * std::sin(x * 0.02f) * std::cos(y * 0.03f) + ((x * 7 + y * 13) % 97) * 0.05f;
        }
        return t;
    }();
    return temps;
}

// A trend chart whose series are given, without sources behind them.
class BenchTrend : public WndChartTrend {
public:
    explicit BenchTrend(int points)
    {
        m_series = std::make_unique<ChartTrendInfo>(TREND_MAX);
        m_series->m_clr = Qt::cyan;
        TrendSample s;
        for (int i = 0; i < points; ++i) {
            s.f_max = 30.0f + 10.0f * std::sin(i * 0.001f) + (i % 17) * 0.1f;
            s.n_frame = i;
            s.n_time = i * 40;
            m_series->add_sample(s);
        }
        setSize(QSizeF(1100, 300));
        set_axis_x_max(static_cast<float>(points));
        set_axis_y_min(10.0f);
        set_axis_y_max(50.0f);
        update_axis_y();
        calc_axis_x_step();
        update_axis_x();
    }
    void collect_series(std::vector<ChartTrendInfo*>& series) const override { series.push_back(m_series.get()); }
    int level() { return decimation_level(static_cast<int>(get_axis_x_max()), plot_width() + 1); }

private:
    std::unique_ptr<ChartTrendInfo> m_series;
};

void BM_histogram_307200(benchmark::State& state)
{
    const std::vector<float>& temps = picture_temps();
    HistogramBins bins;
    for (auto _ : state) {
        bins.compute(temps.data(), kPixels, 20.0f, 40.0f, 10, true);
        benchmark::DoNotOptimize(bins.counts().data());
    }
}
BENCHMARK(BM_histogram_307200)->Unit(benchmark::kMillisecond);

void BM_baseline_sort_307200(benchmark::State& state)
{
    const std::vector<float>& temps = picture_temps();
    std::vector<float> copy;
    for (auto _ : state) {
        copy = temps;
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_baseline_sort_307200)->Unit(benchmark::kMillisecond);

void draw_trend(benchmark::State& state, int points)
{
    BenchTrend chart(points);
    const QRect plot(0, 0, chart.plot_width() + 1, chart.plot_height() + 1);
    QImage image(plot.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    for (auto _ : state) {
        chart.draw_chart_data(&painter, plot);
    }
    state.counters["level"] = chart.level();
}

void BM_trend_draw_10M_decimated(benchmark::State& state) { draw_trend(state, 10000000); }
BENCHMARK(BM_trend_draw_10M_decimated)->Unit(benchmark::kMillisecond);

void BM_baseline_trend_draw_2000(benchmark::State& state) { draw_trend(state, 2000); }
BENCHMARK(BM_baseline_trend_draw_2000)->Unit(benchmark::kMillisecond);

void BM_pixel_count_4_ranges(benchmark::State& state)
{
    const std::vector<float>& temps = picture_temps();
    const float ranges[4][4] = {{25, 30, 20, 40}, {30, 35, 20, 40}, {22, 24, 15, 45}, {35, 40, 30, 45}};
    for (auto _ : state) {
        for (const auto& r : ranges) {
            benchmark::DoNotOptimize(PixelBandCount::count(temps.data(), kPixels, r[0], r[1], r[2], r[3]));
        }
    }
}
BENCHMARK(BM_pixel_count_4_ranges)->Unit(benchmark::kMillisecond);

void BM_baseline_count_if_one_pass(benchmark::State& state)
{
    const std::vector<float>& temps = picture_temps();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            std::count_if(temps.begin(), temps.end(), [](float t) { return t >= 25.0f && t <= 30.0f; }));
    }
}
BENCHMARK(BM_baseline_count_if_one_pass)->Unit(benchmark::kMillisecond);

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
