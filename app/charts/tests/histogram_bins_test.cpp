// The histogram arithmetic: the bin-width rule, counting by bisection and
// the shares, on picture-sized inputs.
#include "charts/histogram_bins.h"
#include "charts/pixel_band_count.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

class HistogramBinsTest : public QObject {
    Q_OBJECT

private slots:
    void histogram_width_rule_data();
    void histogram_width_rule();
    void histogram_bisection_equals_upper_bound();
    void histogram_shares_of_a_picture();
    void histogram_no_points_and_outside_points();
    void pixel_band_counts_and_share();
};

void HistogramBinsTest::histogram_width_rule_data()
{
    QTest::addColumn<float>("lo");
    QTest::addColumn<float>("hi");
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("bins");
    QTest::newRow("0.5 degree in tenths") << 20.0f << 20.5f << 10 << 5;
    QTest::newRow("wide range keeps the request") << 20.0f << 50.0f << 10 << 10;
    QTest::newRow("max equals min") << 30.0f << 30.0f << 10 << 1;
    QTest::newRow("request 0") << 20.0f << 50.0f << 0 << 1;
    QTest::newRow("request negative") << 20.0f << 50.0f << -7 << 1;
    QTest::newRow("inverted") << 50.0f << 20.0f << 10 << 1;
    QTest::newRow("NaN") << std::nanf("") << 20.0f << 10 << 1;
    QTest::newRow("infinite") << 0.0f << std::numeric_limits<float>::infinity() << 10 << 1;
    QTest::newRow("huge request") << 0.0f << 1.0f << 1000000 << 10;
}

void HistogramBinsTest::histogram_width_rule()
{
    QFETCH(float, lo);
    QFETCH(float, hi);
    QFETCH(int, requested);
    QFETCH(int, bins);
    QCOMPARE(HistogramBins::bin_count(lo, hi, requested), bins);
}

void HistogramBinsTest::histogram_bisection_equals_upper_bound()
{
    std::mt19937 rng(26);
    for (int n : {1, 2, 3, 7, 10, 30}) {
        std::vector<float> edges(n + 1);
        for (int i = 0; i <= n; ++i) edges[i] = 20.0f + i * 1.5f;
        std::uniform_real_distribution<float> pick(edges.front(), edges.back());
        std::vector<float> probes(edges);
        for (int k = 0; k < 2000; ++k) probes.push_back(pick(rng));
        for (float t : probes) {
            const int expected = std::min<int>(
                static_cast<int>(std::upper_bound(edges.begin(), edges.end(), t) - edges.begin()) - 1, n - 1);
            QCOMPARE(HistogramBins::bin_of(edges, t), expected);
        }
    }
}

void HistogramBinsTest::histogram_shares_of_a_picture()
{
    // 640 x 480 temperatures: far past 214,748 points, where count x 10000
    // would no longer fit in 32 bits.
    const int64_t total = 307200;
    std::vector<float> temps(total);
    for (int64_t i = 0; i < total; ++i) temps[i] = 20.0f + static_cast<float>(i % 3000) * 0.01f;
    HistogramBins bins;
    bins.compute(temps.data(), total, 20.0f, 49.99f, 10, true);
    QCOMPARE(std::accumulate(bins.counts().begin(), bins.counts().end(), int64_t(0)), total);
    double sum = 0.0;
    for (float p : bins.percents()) sum += p - 0.001f;
    QVERIFY(std::fabs(sum - 100.0) < 1e-3);

    // All points in one bin: exactly 100 percent.
    std::vector<float> flat(total, 25.0f);
    bins.compute(flat.data(), total, 20.0f, 30.0f, 10, false);
    QCOMPARE(bins.counts()[5], total);
    QVERIFY(std::fabs(bins.percents()[5] - 100.001f) < 1e-4f);

    // One point among 100,000 shows as 0.01 percent, not 0.
    std::vector<float> lone(100000, 21.0f);
    lone[7] = 29.0f;
    bins.compute(lone.data(), 100000, 20.0f, 30.0f, 10, true);
    QCOMPARE(bins.counts()[9], int64_t(1));
    QVERIFY(std::fabs(bins.percents()[9] - 0.011f) < 1e-5f);
}

void HistogramBinsTest::histogram_no_points_and_outside_points()
{
    HistogramBins bins;
    bins.compute(nullptr, 0, 20.0f, 30.0f, 10, true);
    for (float p : bins.percents()) QCOMPARE(p, 0.0f);
    // Manual range with half the points outside: shares stay below 100.
    std::vector<float> temps = {21.0f, 22.0f, 50.0f, 60.0f};
    bins.compute(temps.data(), 4, 20.0f, 30.0f, 10, false);
    double sum = 0.0;
    for (float p : bins.percents()) sum += p - 0.001f;
    QVERIFY(std::fabs(sum - 50.0) < 1e-3);
    // The maximum lands in the last bin.
    temps = {20.0f, 30.0f};
    bins.compute(temps.data(), 2, 20.0f, 30.0f, 10, true);
    QCOMPARE(bins.counts().front(), int64_t(1));
    QCOMPARE(bins.counts().back(), int64_t(1));
}

void HistogramBinsTest::pixel_band_counts_and_share()
{
    // 400 pixels: 300 inside 20..50, 75 of them inside 30..40.
    std::vector<float> temps;
    for (int i = 0; i < 75; ++i) temps.push_back(35.0f);
    for (int i = 0; i < 225; ++i) temps.push_back(i % 2 ? 25.0f : 45.0f);
    for (int i = 0; i < 100; ++i) temps.push_back(60.0f);
    PixelBandCount c = PixelBandCount::count(temps.data(), 400, 30.0f, 40.0f, 20.0f, 50.0f);
    QCOMPARE(c.n_focus, int64_t(75));
    QCOMPARE(c.n_overall, int64_t(300));
    QCOMPARE(c.percentage(), 25.0f);
    // Both ends count; nothing in range gives 0, not a division by zero.
    const float edges[] = {30.0f, 40.0f, 20.0f, 50.0f};
    c = PixelBandCount::count(edges, 4, 30.0f, 40.0f, 20.0f, 50.0f);
    QCOMPARE(c.n_focus, int64_t(2));
    QCOMPARE(c.n_overall, int64_t(4));
    c = PixelBandCount::count(temps.data(), 400, 100.0f, 110.0f, 100.0f, 120.0f);
    QCOMPARE(c.percentage(), 0.0f);
}

QTEST_GUILESS_MAIN(HistogramBinsTest)
#include "histogram_bins_test.moc"
