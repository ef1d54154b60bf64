// The histogram and line-profile charts on a real picture, and the painting,
// zoom and hover arithmetic of the chart base, checked on offscreen images.
#include "charts/wnd_chart_area.h"
#include "charts/wnd_chart_line.h"
#include "charts/wnd_chart_trend.h"
#include "message_guard.h"
#include "sources/handle_ids.h"
#include "sources/ir_base.h"
#include "test_folders.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

#include <numeric>

namespace {

// Exposes the pointer state and the wheel of a trend chart.
class ProbeTrend : public WndChartTrend {
public:
    void set_hover(int index) { mn_hover_index = index; }
    void wheel(int delta)
    {
        QWheelEvent event(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        wheelEvent(&event);
    }
};

QImage render(WndChartBase& chart)
{
    QImage image(chart.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    chart.paint(&painter);
    return image;
}

}  // namespace

class ChartPaintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        if (!QFile::exists("samples/sample.jpg")) QSKIP("samples were not generated");
    }
    void cleanup() { m_guard.verify(); }

    void histogram_of_a_picture_object();
    void line_profile_draws_its_points();
    void trend_wheel_zoom_and_levels();
    void base_pan_hover_and_small_items();

private:
    // The sample picture in a view with both charts bound, as the window binds them.
    bool open(WndIRShow& view, WndChartLine& line, WndChartArea& area)
    {
        view.setSize(QSizeF(640, 512));
        line.setSize(QSizeF(700, 250));
        area.setSize(QSizeF(700, 250));
        if (!view.init_wnd(1)) return false;
        view.set_line_chart(&line);
        view.set_area_chart(&area);
        return view.open_file(QDir::current().absoluteFilePath("samples/sample.jpg"));
    }
    void* add(WndIRShow& view, const char* text, const char* alias)
    {
        void* ana = nullptr;
        thermframe_add_ana(view.source()->get_ir_data(), text, ana);
        thermframe_ana_set_alias(ana, alias);
        view.source()->add_ana_to_charts(ana);
        return ana;
    }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void ChartPaintTest::histogram_of_a_picture_object()
{
    WndIRShow view;
    WndChartLine line;
    WndChartArea area;
    QVERIFY(open(view, line, area));
    thermframe_delete_all_ana(view.source()->get_ir_data());
    area.remove_all_ana(true);
    QSignalSpy added(&area, &WndChartBase::sig_update_add_ana);
    void* rect = add(view, "R:100,100;300,260;-", "R1");
    void* other = add(view, "E:400,100;500,200;-", "E1");
    QCOMPARE(added.count(), 2);
    QCOMPARE(area.selected_ana(), rect);
    QVERIFY(area.is_enable_ana(analysis_ids().id_of(rect)));
    QCOMPARE(area.get_ana_name_and_temp(analysis_ids().id_of(rect)), QString("R1"));
    QCOMPARE(area.get_ana_name_and_temp(987654), QString("unknow"));

    uint32_t points = 0;
    QVERIFY(thermframe_ana_get_all_temp(rect, nullptr, points));
    const HistogramBins& bins = area.histogram();
    QCOMPARE(std::accumulate(bins.counts().begin(), bins.counts().end(), int64_t(0)), int64_t(points));
    double sum = 0.0;
    for (float p : bins.percents()) sum += p - 0.001f;
    QVERIFY(std::fabs(sum - 100.0) < 1e-3);

    // A manual range narrower than the object: shares below 100, not corrected.
    area.set_auto_range(false);
    const float lo = area.get_axis_x_min();
    const float hi = area.get_axis_x_max();
    area.set_axis_x_min(QString::number(lo + (hi - lo) / 2));
    QVERIFY(area.update_select_ana(true));
    QVERIFY(!area.all_in_range());
    sum = 0.0;
    for (float p : area.histogram().percents()) sum += p - 0.001f;
    QVERIFY(sum < 99.0);

    // Fewer bins; a count below 1 is refused.
    QSignalSpy count(&area, &WndChartArea::sig_update_area_count);
    area.set_auto_range(true);
    area.set_use_area_count(3);
    area.set_use_area_count(0);
    QCOMPARE(area.area_count(), 3);
    QVERIFY(area.update_select_ana(true));
    QCOMPARE(area.get_use_area_count(), 3);
    QCOMPARE(count.count(), 1);
    QCOMPARE(area.ticks_x().size(), 4);

    // Painted: background inside the plot, the first bar in colour 0.
    const QImage image = render(area);
    const QRect plot = area.plot_rect();
    QCOMPARE(QColor(image.pixel(plot.right() - 2, plot.top() + 3)), WndChartBase::kClrBackground);
    const int bar_x = plot.left() + (area.ticks_x()[0].n_offset + area.ticks_x()[1].n_offset) / 2;
    QCOMPARE(QColor(image.pixel(bar_x, plot.bottom() - 1)), WndChartBase::chart_colour(0));
    QCOMPARE(QColor(image.pixel(plot.left(), plot.top() + 20)), WndChartBase::kClrAxis);

    // Removing the selection selects the lowest remaining handle.
    QSignalSpy cleared(&area, &WndChartBase::sig_update_clear_ana);
    QVERIFY(view.source()->remove_ana_from_charts(rect));
    QCOMPARE(area.selected_ana(), other);
    QVERIFY(area.remove_ana(other, true));
    QCOMPARE(area.selected_ana(), nullptr);
    QCOMPARE(cleared.count(), 1);
    QVERIFY(!area.remove_ana(other, true));
}

void ChartPaintTest::line_profile_draws_its_points()
{
    WndIRShow view;
    WndChartLine line;
    WndChartArea area;
    QVERIFY(open(view, line, area));
    thermframe_delete_all_ana(view.source()->get_ir_data());
    line.remove_all_ana(true);
    void* ana = add(view, "L:50,300;400,310;-", "L1");
    const int id = analysis_ids().id_of(ana);
    const WndChartLine::LineAnaInfo* info = line.info_of(ana);
    QVERIFY(info != nullptr);
    QVERIFY(info->temps.size() > 100);
    // Colours go round the table in order of addition (the picture's own
    // lines took the first ones when it opened).
    int entry = 0;
    while (entry < 13 && WndChartBase::chart_colour(entry) != info->clr) ++entry;
    QVERIFY(entry < 13);
    void* next = add(view, "L:50,350;400,350;-", "L2");
    QCOMPARE(line.info_of(next)->clr, WndChartBase::chart_colour(entry + 1));
    QVERIFY(line.remove_ana(next, true));
    QCOMPARE(line.get_axis_x_max(), static_cast<float>(info->temps.size()));
    QVERIFY(line.get_axis_y_min() <= info->f_min - 2.0f + 1e-3f);
    QVERIFY(line.get_axis_y_max() >= info->f_max + 2.0f - 1e-3f);
    QVERIFY(line.get_ana_name_and_temp(id).startsWith(" ("));

    // The curve passes through each point's pixel as the axes place it.
    const QImage image = render(line);
    const QRect plot = line.plot_rect();
    int hits = 0;
    for (int i : {10, 60, 120}) {
        const int x = static_cast<int>(i * line.axis_x_step_px() / line.axis_x_step());
        const int y = plot.height() -
                      static_cast<int>((info->temps[i] - line.get_axis_y_min()) * line.axis_y_step_px() /
                                       line.axis_y_step());
        hits += QColor(image.pixel(plot.left() + x, plot.top() + y)) == info->clr;
    }
    QCOMPARE(hits, 3);

    // Switched off: no curve and the x axis back to 0..20; recoloured.
    QVERIFY(line.enable_ana(id, false));
    QCOMPARE(line.get_axis_x_max(), 20.0f);
    QVERIFY(line.enable_ana(id, true));
    QVERIFY(line.set_ana_clr(id, "#ff00ff"));
    QCOMPARE(line.get_ana_clr_name(id), QString("#ff00ff"));
    QVERIFY(!line.set_ana_clr(id, "no colour"));
    QVERIFY(line.get_ana_clr_name(4711).isNull());
}

void ChartPaintTest::trend_wheel_zoom_and_levels()
{
    ProbeTrend chart;
    chart.setSize(QSizeF(800, 260));
    chart.set_axis_x_max(1000.0f);
    chart.update_axis_x();
    chart.set_hover(100);
    chart.wheel(120);  // forward while not zoomed: nothing
    QVERIFY(!chart.is_zoomed());
    chart.wheel(-60);  // half a step: nothing yet, and no division
    QVERIFY(!chart.is_zoomed());
    chart.wheel(-60);
    QVERIFY(chart.is_zoomed());
    QCOMPARE(chart.view_x_min(), 10.0f);
    QCOMPARE(chart.view_x_max(), 910.0f);
    chart.wheel(120);
    chart.wheel(120);
    QVERIFY(!chart.is_zoomed());
    // A window of zero width never divides.
    chart.set_axis_x_max(0.0f);
    chart.wheel(-240);
    render(chart);

    QCOMPARE(chart.decimation_level(10000, 500), 2);
    QCOMPARE(chart.decimation_level(400, 500), 0);
    QCOMPARE(chart.decimation_level(2000, 500), 0);
    QCOMPARE(chart.decimation_level(10000000, 1000), 11);
    QCOMPARE(chart.decimation_level(2000000000, 0), 0);
    QVERIFY(chart.decimation_level(2000000000, 1) <= 40);
}

void ChartPaintTest::base_pan_hover_and_small_items()
{
    ProbeTrend chart;
    chart.setSize(QSizeF(800, 260));
    chart.set_axis_x_max(1000.0f);
    chart.set_hover(500);
    chart.wheel(-120);
    QVERIFY(chart.is_zoomed());
    const float width = chart.view_x_max() - chart.view_x_min();
    chart.shift_view(5000.0f, 5000.0f);
    QCOMPARE(chart.view_x_max(), 1000.0f);
    QCOMPARE(chart.view_x_max() - chart.view_x_min(), width);
    chart.shift_view(-9000.0f, -9000.0f);
    QCOMPARE(chart.view_x_min(), 0.0f);
    QCOMPARE(chart.view_x_max() - chart.view_x_min(), width);
    chart.calc_scroll_bar();
    QCOMPARE(chart.scroll_pos(), 0);
    QVERIFY(chart.scroll_len() >= 17);

    // Below the plot nothing is reported; a pointer left of the axis neither.
    QVERIFY(!chart.hit_test_x_index(QPoint(300, 255)));
    QVERIFY(!chart.hit_test_x_index(QPoint(-500, 100)));

    // Too small to paint: nothing drawn, nothing divided.
    WndChartLine tiny;
    tiny.setSize(QSizeF(50, 40));
    tiny.recalculation_axis();
    const QImage image = render(tiny);
    QCOMPARE(QColor(image.pixel(10, 10)), QColor(Qt::black));
}

QTEST_MAIN(ChartPaintTest)
#include "chart_paint_test.moc"
