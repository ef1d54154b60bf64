// One trend series: the decimation pyramid, frames past 16 bits, the
// recordings its points came from and the texts it gives the chart.
#include "charts/chart_trend_info.h"

#include <QtTest>

namespace {

TrendSample sample_of(float value, int frame, int64_t time, const QString& file = QString(), int64_t start = 0,
                      int64_t end = 0)
{
    TrendSample s;
    s.f_max = s.f_min = s.f_avg = value;
    s.n_frame = frame;
    s.n_time = time;
    s.str_file = file;
    s.n_start = start;
    s.n_end = end;
    return s;
}

}  // namespace

class ChartTrendInfoTest : public QObject {
    Q_OBJECT

private slots:
    void series_pyramid_counts();
    void series_pyramid_picks_extremes();
    void series_long_recording_keeps_frames();
    void series_segments_and_relative_time();
    void series_texts_and_bounds();
};

void ChartTrendInfoTest::series_pyramid_counts()
{
    ChartTrendInfo s(TREND_MAX);
    for (int i = 0; i < 40; ++i) s.add_sample(sample_of(static_cast<float>(i % 7), i, i));
    QCOMPARE(s.levels().at(1).indices.size(), size_t(8));
    QCOMPARE(s.levels().at(2).indices.size(), size_t(4));
    QCOMPARE(s.levels().at(3).indices.size(), size_t(2));
    QCOMPARE(s.levels().count(4), size_t(0));

    // 70,000 points: each level holds two indices per four of the one below.
    ChartTrendInfo big(TREND_AVG);
    for (int i = 0; i < 70000; ++i) big.add_sample(sample_of(static_cast<float>((i * 37) % 101), i, i));
    const size_t expected[] = {14000, 7000, 3500, 1750, 874, 436, 218, 108, 54, 26, 12, 6, 2};
    for (int level = 1; level <= 13; ++level) {
        QCOMPARE(big.levels().at(level).indices.size(), expected[level - 1]);
    }
    QCOMPARE(big.levels().count(14), size_t(0));
    for (const auto& level : big.levels()) {
        QVERIFY(std::is_sorted(level.second.indices.begin(), level.second.indices.end()));
        QVERIFY(level.second.indices.back() < big.point_count());
    }
}

void ChartTrendInfoTest::series_pyramid_picks_extremes()
{
    // Ten equal values: the last index (maximum) and the first (minimum).
    ChartTrendInfo flat(TREND_MAX);
    for (int i = 0; i < 10; ++i) flat.add_sample(sample_of(5.0f, i, i));
    QCOMPARE(flat.levels().at(1).indices, std::vector<int>({0, 9}));
    // A spike and a dip survive the decimation, smaller index first.
    ChartTrendInfo s(TREND_MIN);
    for (int i = 0; i < 10; ++i) s.add_sample(sample_of(i == 3 ? 90.0f : (i == 6 ? -5.0f : 20.0f), i, i));
    QCOMPARE(s.levels().at(1).indices, std::vector<int>({3, 6}));
    QCOMPARE(s.mf_value_max, 90.0f);
    QCOMPARE(s.mf_value_min, -5.0f);
    // Another kind creates nothing.
    ChartTrendInfo odd(7);
    QCOMPARE(odd.add_sample(sample_of(1.0f, 0, 0)), -1);
    QCOMPARE(odd.point_count(), 0);
}

void ChartTrendInfoTest::series_long_recording_keeps_frames()
{
    const QString file = "/rec/a.irv";
    ChartTrendInfo s(TREND_MAX);
    for (int frame = 0; frame <= 70001; ++frame) s.add_sample(sample_of(30.0f, frame, 1000 + frame, file, 1000, 80000));
    QCOMPARE(s.frame_at(70000), 70000);
    QCOMPARE(s.index_of(file, 70000), 70000);
    QCOMPARE(s.index_of(file, 70000 - 65536), 70000 - 65536);
    QString got;
    int frame = 0;
    QVERIFY(s.source_at(70001, got, frame));
    QCOMPARE(frame, 70001);
    QCOMPARE(got, file);
    // Point 0 is never found: a seek onto the seed point finds nothing.
    QCOMPARE(s.index_of(file, 0), -1);
    QCOMPARE(s.index_of("/rec/other.irv", 5), -1);
}

void ChartTrendInfoTest::series_segments_and_relative_time()
{
    // Two recordings of 10 s each played one after the other.
    ChartTrendInfo s(TREND_MAX);
    for (int i = 0; i < 5; ++i) s.add_sample(sample_of(20.0f, i, 100000 + i * 2000, "a.irv", 100000, 110000));
    for (int i = 0; i < 5; ++i) s.add_sample(sample_of(21.0f, i, 500000 + i * 2000, "b.irv", 500000, 510000));
    QCOMPARE(s.relative_seconds(2), int64_t(4));
    QCOMPARE(s.relative_seconds(7), int64_t(14));  // 10 s of a.irv, then 4 s into b.irv
    QCOMPARE(s.relative_seconds(-3), int64_t(0));
    QCOMPARE(s.total_seconds(), int64_t(20));
    QCOMPARE(s.relative_seconds(99), int64_t(20));
    QString name, range;
    QVERIFY(s.source_info(1, name, range));
    QCOMPARE(name, QString("a.irv"));
    QVERIFY(range.contains(" - "));
    QCOMPARE(s.index_of("b.irv", 3), 8);

    // A live series has no recording end: its total is where its last point stands.
    ChartTrendInfo live(TREND_AVG);
    for (int i = 0; i < 4; ++i) live.add_sample(sample_of(20.0f, 0, 1000000 + i * 3000, "cam"));
    QCOMPARE(live.total_seconds(), int64_t(9));
    QCOMPARE(live.relative_seconds(2), int64_t(6));
}

void ChartTrendInfoTest::series_texts_and_bounds()
{
    ChartTrendInfo s(TREND_MAX);
    QCOMPARE(s.time_label(0), QString("0"));
    s.add_sample(sample_of(100.0f, 0, 0));
    s.add_sample(sample_of(99.96f, 1, 0));
    QCOMPARE(s.value_text(0), QString("100"));
    QCOMPARE(s.value_text(1), QString("100.0"));
    QVERIFY(s.value_text(2).isEmpty());
    QVERIFY(s.time_label_ms(2).isEmpty());
    QCOMPARE(s.frame_at(2), -1);
    QCOMPARE(s.frame_at(-1), -1);
    QString file;
    int frame = 0;
    QVERIFY(!s.source_at(-1, file, frame));

    // The end marker is a point but does not stretch the range.
    TrendSample end;
    end.n_frame = kTrendEndFrame;
    s.add_sample(end);
    QCOMPARE(s.point_count(), 3);
    QCOMPARE(s.mf_value_min, 99.96f);

    ChartTrendInfo pct(TREND_MAX);
    pct.set_pixel_band(50.0f, 20.0f, 40.0f, 30.0f);
    TrendSample p;
    p.f_max = 25.0f;
    p.f_min = 75.0f;
    pct.add_sample(p);
    QVERIFY(pct.value_text(0).contains("25.00%"));
    QVERIFY(pct.value_text(0).contains("75"));
    QVERIFY(s.reset());
    QCOMPARE(s.point_count(), 0);
    QVERIFY(s.levels().empty());
}

QTEST_GUILESS_MAIN(ChartTrendInfoTest)
#include "chart_trend_info_test.moc"
