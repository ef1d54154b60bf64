// The axis arithmetic: the 1-2-5 step search and the tick lists, including
// ranges that must neither loop nor overflow.
#include "charts/chart_axis.h"

#include <QtTest>

#include <cmath>
#include <limits>

class ChartAxisTest : public QObject {
    Q_OBJECT

private slots:
    void axis_step_table_data();
    void axis_step_table();
    void axis_step_bad_ranges_end_and_keep_step();
    void axis_x_first_tick_rule();
    void axis_y_labels();
    void axis_ticks_are_capped_and_exact();
};

void ChartAxisTest::axis_step_table_data()
{
    QTest::addColumn<double>("range");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("min_px");
    QTest::addColumn<int>("max_px");
    QTest::addColumn<float>("step");
    QTest::addColumn<int>("step_px");
    QTest::newRow("y 0..80 on 200 keeps 10") << 80.0 << 200 << 19 << 51 << 10.0f << 25;
    QTest::newRow("y 0..1000 on 300 climbs to 100") << 1000.0 << 300 << 19 << 51 << 100.0f << 30;
    QTest::newRow("y 0..2 on 300 descends to 0.2") << 2.0 << 300 << 19 << 51 << 0.2f << 30;
    QTest::newRow("x 0..20 on 400 descends to 5") << 20.0 << 400 << 39 << 101 << 5.0f << 100;
    QTest::newRow("x 0..70000 on 700") << 70000.0 << 700 << 39 << 101 << 5000.0f << 50;
    QTest::newRow("x 0..0.001 on 500") << 0.001 << 500 << 39 << 101 << 0.0002f << 100;
}

void ChartAxisTest::axis_step_table()
{
    QFETCH(double, range);
    QFETCH(int, pixels);
    QFETCH(int, min_px);
    QFETCH(int, max_px);
    QFETCH(float, step);
    QFETCH(int, step_px);
    float got = 0.0f;
    int got_px = 0;
    QVERIFY(ChartAxis::search_step(range, pixels, min_px, max_px, 0.0, got, got_px));
    QVERIFY(std::fabs(got - step) <= step * 1e-5f);
    QCOMPARE(got_px, step_px);
}

void ChartAxisTest::axis_step_bad_ranges_end_and_keep_step()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double range : {nan, inf, -inf, -5.0, 0.0, 0.00005, 1e300, 1e-300}) {
        float step = 21.0f;
        int px = 20;
        QVERIFY2(!ChartAxis::search_step(range, 400, 39, 101, 0.0001, step, px), qPrintable(QString::number(range)));
        QCOMPARE(step, 21.0f);
        QCOMPARE(px, 20);
    }
    float step = 21.0f;
    int px = 20;
    QVERIFY(!ChartAxis::search_step(20.0, 0, 39, 101, 0.0001, step, px));
}

void ChartAxisTest::axis_x_first_tick_rule()
{
    // A positive lower end on a multiple starts one step above it, offset one step.
    QVector<AxisTick> ticks = ChartAxis::x_ticks(10.0f, 30.0f, 5.0f, 40.0f);
    QCOMPARE(ticks.first().str_label, QString("15"));
    QCOMPARE(ticks.first().n_offset, 40);
    QCOMPARE(ticks.last().str_label, QString("30"));
    // Zero starts on zero with offset 0; the stored value is the next tick.
    ticks = ChartAxis::x_ticks(0.0f, 20.0f, 5.0f, 100.0f);
    QCOMPARE(ticks.size(), 5);
    QCOMPARE(ticks[0].n_offset, 0);
    QCOMPARE(ticks[0].f_value, 5.0f);
    QCOMPARE(ticks[4].n_offset, 400);
    // A lower end between ticks: 12.5 with step 5 is half a step short of 15.
    ticks = ChartAxis::x_ticks(12.5f, 20.0f, 5.0f, 40.0f);
    QCOMPARE(ticks.first().str_label, QString("15"));
    QCOMPARE(ticks.first().n_offset, 20);
}

void ChartAxisTest::axis_y_labels()
{
    QStringList labels;
    for (const AxisTick& t : ChartAxis::y_ticks(0.0f, 2.0f, 0.5f, 30)) labels << t.str_label;
    QCOMPARE(labels, QStringList({"0", "0.5", "1", "1.5", "2"}));
    labels.clear();
    for (const AxisTick& t : ChartAxis::y_ticks(0.0f, 1.0f, 0.2f, 30)) labels << t.str_label;
    QCOMPARE(labels, QStringList({"0", "0.2", "0.4", "0.6", "0.8", "1"}));
    // A positive minimum on a multiple: first tick a step up, offset a step.
    const QVector<AxisTick> ticks = ChartAxis::y_ticks(10.0f, 40.0f, 10.0f, 25);
    QCOMPARE(ticks.first().str_label, QString("20"));
    QCOMPARE(ticks.first().n_offset, 25);
    QCOMPARE(ChartAxis::temp_text(100.7f), QString("100"));
    QCOMPARE(ChartAxis::temp_text(99.96f), QString("100.0"));
}

void ChartAxisTest::axis_ticks_are_capped_and_exact()
{
    // A step far too small for the range: the list stops at its cap.
    QCOMPARE(ChartAxis::x_ticks(0.0f, 1e30f, 1.0f, 50.0f).size(), ChartAxis::kMaxTicks);
    QCOMPARE(ChartAxis::y_ticks(-1e30f, 1e30f, 1.0f, 20).size(), ChartAxis::kMaxTicks);
    QVERIFY(ChartAxis::x_ticks(0.0f, 10.0f, 0.0f, 50.0f).isEmpty());
    QVERIFY(ChartAxis::x_ticks(0.0f, 10.0f, 1.0f, 0.0f).isEmpty());
    QVERIFY(ChartAxis::x_ticks(std::nanf(""), 10.0f, 1.0f, 50.0f).isEmpty());
    QVERIFY(ChartAxis::y_ticks(0.0f, std::numeric_limits<float>::infinity(), 1.0f, 20).isEmpty());
    // Values are first + i * step, so a long list ends on its last multiple
    // instead of drifting by accumulated rounding.
    const QVector<AxisTick> ticks = ChartAxis::x_ticks(0.0f, 100.0f, 0.1f, 40.0f);
    QCOMPARE(ticks.size(), 1001);
    QCOMPARE(ticks.last().str_label, QString("100"));
    QCOMPARE(ticks.last().n_offset, 40000);
}

QTEST_GUILESS_MAIN(ChartAxisTest)
#include "chart_axis_test.moc"
