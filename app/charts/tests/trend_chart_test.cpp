// The trend registry and the trend charts fed by a recording and a camera
// source through the registry, the way the frame threads feed them.
#include "charts/manager_chart_trend.h"
#include "charts/wnd_chart_trend.h"
#include "charts/wnd_chart_trend_pixel.h"
#include "message_guard.h"
#include "trend_test_source.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

namespace {

const char kRect[] = "R:20,20;120,100;-";
const char kLine[] = "L:10,100;150,110;-";

int points_of(WndChartTrend& chart)
{
    ChartTrendInfo* s = chart.first_series();
    return s != nullptr ? s->point_count() : -1;
}

}  // namespace

class TrendChartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        if (!QFile::exists("samples/sample.irv")) QSKIP("samples were not generated");
    }
    void cleanup() { m_guard.verify(); }

    void registry_numbers_lists_and_sources();
    void recording_trend_samples_shown_frames_until_its_end();
    void recording_marks_and_jump_to_a_point();
    void live_pacing_under_an_injected_clock();
    void live_record_conditions();
    void removal_signals_and_copy();
    void pixel_trend_curves();
    void frames_fed_while_windows_open_and_close();

private:
    roadtest::MessageGuard m_guard;
};

void TrendChartTest::registry_numbers_lists_and_sources()
{
    ManagerChartTrend* registry = ManagerChartTrend::instance();
    QCOMPARE(registry, ManagerChartTrend::instance());
    QCOMPARE(registry->chart_count(), 0);
    QVERIFY(registry->get_list_chart(1, 1).isEmpty());
    QCOMPARE(registry->insert_wnd_chart(nullptr), -1);
    {
        WndChartTrend a;
        auto b = std::make_unique<WndChartTrendPixel>();
        const int first = registry->insert_wnd_chart(&a);
        QCOMPARE(registry->insert_wnd_chart(b.get()), first + 1);
        QCOMPARE(a.trend_index(), first);
        QVERIFY(registry->remove_wnd_chart_at_index(first));
        QVERIFY(!registry->remove_wnd_chart_at_index(first));
        QCOMPARE(registry->insert_wnd_chart(&a), first + 2);
        const QJsonArray list = registry->get_list_chart(0, 5);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].toObject()["b_trend_pixel"].toBool(), true);
        QCOMPARE(list[1].toObject()["n_chart_index"].toInt(), first + 2);
        // A chart destroyed without its window's handler still leaves the list.
        b.reset();
        QCOMPARE(registry->chart_count(), 1);
    }
    QCOMPARE(registry->chart_count(), 0);

    TrendTestSource source(2);
    TrendTestSource other(2);
    QVERIFY(registry->register_ir_source(source.id(), &other));
    QCOMPARE(registry->find_ir_source(source.id()), static_cast<IRBase*>(&source));
    QCOMPARE(registry->get_ir_name(source.id()), QString("sample.irv"));
    QVERIFY(!registry->restart_trend_chart(source.id()));
    QVERIFY(registry->get_ir_name(987654).isEmpty());
    QVERIFY(registry->notify_trend_frame(source.id(), 3));
}

void TrendChartTest::recording_trend_samples_shown_frames_until_its_end()
{
    TrendTestSource source(2);
    QVERIFY(source.is_open());
    const int rect = source.add_ana(kRect, "R1");
    const int line = source.add_ana(kLine, "L1");
    WndChartTrend chart;
    chart.setSize(QSizeF(800, 260));
    ManagerChartTrend* registry = ManagerChartTrend::instance();
    registry->insert_wnd_chart(&chart);
    QSignalSpy added(&chart, &WndChartTrend::sig_trend_add_ana);

    QVERIFY(!chart.add_ana(rect, 4242, TREND_MAX));
    QVERIFY(!chart.add_ana(0, source.id(), TREND_MAX));
    QVERIFY(chart.add_ana(rect, source.id(), TREND_MAX));
    QVERIFY(chart.add_ana(line, source.id(), TREND_AVG));
    QVERIFY(chart.add_ana(line, source.id(), TREND_AVG));  // already there: true again
    QCOMPARE(added.count(), 3);
    QVERIFY(chart.is_enable_ana(line, TREND_AVG));
    QVERIFY(!chart.is_enable_ana(line, TREND_MAX));
    QCOMPARE(chart.get_ir_list(), QJsonArray({source.id()}));
    QVERIFY(registry->restart_trend_of_ir(source.id()));
    QVERIFY(registry->is_trend_running(source.id()));

    const int frames = static_cast<int>(std::min<uint32_t>(source.frames(), 30));
    QVERIFY(frames > 10);
    for (int f = 1; f < frames; ++f) QVERIFY(source.show(f));
    QCOMPARE(chart.pending_samples(), 2 * frames);
    QVERIFY(chart.on_refresh_timer());
    QCOMPARE(chart.pending_samples(), 0);
    QCOMPARE(points_of(chart), frames);
    ChartTrendInfo* s = chart.first_series();
    QCOMPARE(s->frame_at(frames - 1), frames - 1);
    QCOMPARE(s->index_of(source.get_file_path(), 5), 5);
    QVERIFY(chart.get_axis_y_max() > s->mf_value_max);
    QVERIFY(chart.get_axis_y_min() < s->mf_value_min);
    QVERIFY(chart.get_axis_x_max() >= frames);

    // Stop: the end marker ends the trend at the next refresh; later frames
    // are ignored until the player restarts it.
    QVERIFY(registry->add_trend_gap(source.id()));
    chart.on_refresh_timer();
    QVERIFY(!registry->is_trend_running(source.id()));
    QCOMPARE(points_of(chart), frames + 1);
    // The end marker is no row of the clipboard table: header, then one row
    // per frame after the seed point.
    QVERIFY(chart.copy_chart_info());
    const QString table = QGuiApplication::clipboard()->text();
    QCOMPARE(table.count("\r\n"), frames);
    for (const QString& row : table.split("\r\n", Qt::SkipEmptyParts)) QVERIFY(!row.trimmed().isEmpty());
    source.show(1);
    QCOMPARE(chart.pending_samples(), 0);
    QVERIFY(registry->restart_trend_of_ir(source.id()));
    QCOMPARE(points_of(chart), 0);
    source.show(2);
    chart.on_refresh_timer();
    QCOMPARE(points_of(chart), 2);
}

void TrendChartTest::recording_marks_and_jump_to_a_point()
{
    TrendTestSource source(2);
    const int rect = source.add_ana(kRect, "R1");
    const std::string text = "hot joint";
    QVERIFY(reelplay_add_mark_info(source.get_ir_handle(), 4, static_cast<uint16_t>(text.size()),
                                   reinterpret_cast<const unsigned char*>(text.data())));
    WndChartTrend chart;
    chart.setSize(QSizeF(800, 260));
    ManagerChartTrend::instance()->insert_wnd_chart(&chart);
    QVERIFY(chart.add_ana(rect, source.id(), TREND_MIN));
    for (int f = 1; f <= 8; ++f) source.show(f);
    chart.on_refresh_timer();
    QCOMPARE(chart.mark_count(), 1);
    QVERIFY(chart.tooltip_text(4).contains("hot joint"));
    QVERIFY(chart.tooltip_text(4).contains("R1"));
    QVERIFY(chart.tooltip_text(0).isEmpty());

    // Marks added, renamed and deleted by the player arrive through the registry.
    ManagerChartTrend::instance()->add_mark(source.id(), source.get_file_path(), 6, "second");
    QCOMPARE(chart.mark_count(), 2);
    ManagerChartTrend::instance()->update_mark(source.id(), source.get_file_path(), 6, "renamed");
    QVERIFY(chart.tooltip_text(6).contains("renamed"));
    ManagerChartTrend::instance()->delete_mark(source.id(), source.get_file_path(), 6);
    QCOMPARE(chart.mark_count(), 1);

    // The play cursor follows the player's frame; a double click jumps to a point.
    source.m_n_jump_frame = -1;
    chart.on_repaint_timer();
    QCOMPARE(chart.play_index(), 8);  // the player stands on frame 8
    QQuickWindow window;
    window.resize(800, 260);
    chart.setParentItem(window.contentItem());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint at(200, 100);
    QTest::mouseMove(&window, at);
    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(&window, Qt::LeftButton, Qt::NoModifier, at);
    QVERIFY(source.m_n_jump_frame > 0);
    QCOMPARE(source.m_str_jump_file, source.get_file_path());
    chart.setParentItem(nullptr);
}

void TrendChartTest::live_pacing_under_an_injected_clock()
{
    TrendTestSource camera(3);
    const int rect = camera.add_ana(kRect, "R1");
    WndChartTrend chart;
    chart.setSize(QSizeF(800, 260));
    int64_t clock = 1700000000000;
    chart.set_clock([&clock] { return clock; });
    ManagerChartTrend::instance()->insert_wnd_chart(&chart);
    QVERIFY(chart.add_ana(rect, camera.id(), TREND_MAX));
    QVERIFY(chart.is_live());
    QCOMPARE(chart.get_record_rate(), 2);
    for (int rate : {0, 1001, -3}) {
        chart.set_record_rate(rate);
        QCOMPARE(chart.get_record_rate(), 2);
    }
    chart.set_record_rate(1000);
    QCOMPARE(chart.get_record_rate(), 1000);
    chart.set_record_rate(2);

    // The due flag starts set: the first frame is sampled, the next are not.
    for (int f = 0; f < 10; ++f) {
        clock += 40;
        camera.show(0);
    }
    QCOMPARE(chart.pending_samples(), 1);  // the seed went into the series when added
    // Rate 2: four 500 ms ticks make the next sample due.
    for (int tick = 0; tick < 3; ++tick) chart.on_pace_tick();
    camera.show(0);
    QCOMPARE(chart.pending_samples(), 1);
    chart.on_pace_tick();
    clock += 2000;
    camera.show(0);
    camera.show(0);
    QCOMPARE(chart.pending_samples(), 2);
    chart.on_refresh_timer();
    ChartTrendInfo* s = chart.first_series();
    QCOMPARE(s->point_count(), 3);
    QCOMPARE(s->points()[2].n_time, clock);
    QCOMPARE(s->time_label_ms(2), QDateTime::fromMSecsSinceEpoch(clock).toString("yyyy-MM-dd hh:mm:ss zzz"));
    QVERIFY(!chart.copy_chart_info() || !QGuiApplication::clipboard()->text().contains("Frame number"));
}

void TrendChartTest::live_record_conditions()
{
    TrendTestSource camera(3);
    const int rect = camera.add_ana(kRect, "R1");
    WndChartTrend chart;
    ManagerChartTrend::instance()->insert_wnd_chart(&chart);
    QVERIFY(chart.add_ana(rect, camera.id(), TREND_MAX));
    QVERIFY(!chart.add_record_condition(0, ">1", rect, 0, 0, 0, 1.0f));
    QVERIFY(!chart.add_record_condition(camera.id(), ">1", -1, 0, 0, 0, 1.0f));
    QVERIFY(chart.add_record_condition(camera.id(), "[Max] > 1000", rect, 0, 0, 0, 1000.0f));
    QVERIFY(!chart.add_record_condition(camera.id(), "[Max] > 1000", rect, 0, 0, 0, 1000.0f));
    QVERIFY(chart.add_record_condition(camera.id(), "[Max] > 1000", 0, 0, 0, 0, 1000.0f));

    camera.show(0);  // due
    const int after_due = chart.pending_samples();
    for (int f = 0; f < 20; ++f) camera.show(0);
    QCOMPARE(chart.pending_samples(), after_due);  // never met

    // The whole picture's maximum is above -100: a sample every fifth frame.
    QVERIFY(chart.add_record_condition(camera.id(), "[Max] > -100", 0, 0, 0, 0, -100.0f));
    for (int f = 0; f < 20; ++f) camera.show(0);
    QCOMPARE(chart.pending_samples(), after_due + 4);
    QVERIFY(chart.remove_record_condition(camera.id(), 0, "[Max] > -100"));
    QVERIFY(chart.remove_record_condition(camera.id(), 0, "absent"));
    QVERIFY(!chart.remove_record_condition(999, 0, "absent"));
}

void TrendChartTest::removal_signals_and_copy()
{
    TrendTestSource source(2);
    const int rect = source.add_ana(kRect, "R1");
    const int line = source.add_ana(kLine, "L1");
    WndChartTrend chart;
    chart.setSize(QSizeF(800, 260));
    ManagerChartTrend::instance()->insert_wnd_chart(&chart);
    QVERIFY(chart.add_ana(rect, source.id(), TREND_MAX));
    QVERIFY(chart.add_ana(rect, source.id(), TREND_MIN));
    QVERIFY(chart.add_ana(line, source.id(), TREND_AVG));
    QVERIFY(!chart.copy_chart_info());  // seed points only
    for (int f = 1; f <= 5; ++f) source.show(f);
    chart.on_refresh_timer();
    QVERIFY(chart.copy_chart_info());
    const QString table = QGuiApplication::clipboard()->text();
    QCOMPARE(table.count("\r\n"), 6);
    QVERIFY(table.contains("R1-Max:"));
    QVERIFY(table.contains("\t6\t"));  // frame 5 shown as 6

    QSignalSpy del_type(&chart, &WndChartTrend::sig_trend_del_ana_type);
    QSignalSpy del_ana(&chart, &WndChartTrend::sig_trend_del_ana);
    QSignalSpy del_ir(&chart, &WndChartTrend::sig_trend_del_ir);
    QVERIFY(!chart.remove_ana(rect, TREND_AVG));
    QVERIFY(chart.remove_ana(rect, TREND_MIN));
    QCOMPARE(del_type.count(), 1);
    QVERIFY(chart.remove_ana_all(rect, true));
    QCOMPARE(del_ana.count(), 1);
    QVERIFY(ManagerChartTrend::instance()->is_trend_running(source.id()));
    QVERIFY(chart.remove_ana(line, TREND_AVG));
    QCOMPARE(del_ir.count(), 1);
    QVERIFY(!ManagerChartTrend::instance()->is_trend_running(source.id()));
    QCOMPARE(chart.get_ana_name_and_temp(line, TREND_AVG), QString("unknow"));
    QVERIFY(chart.get_ana_clr_name(line, TREND_AVG).isNull());

    // The registry's removal of a source reaches every chart that shows it.
    QVERIFY(chart.add_ana(rect, source.id(), TREND_MAX));
    QVERIFY(ManagerChartTrend::instance()->remove_ir_from_charts(source.id()));
    QCOMPARE(del_ir.count(), 2);
    QVERIFY(chart.get_ir_list().isEmpty());
}

void TrendChartTest::pixel_trend_curves()
{
    TrendTestSource source(2);
    const int rect = source.add_ana(kRect, "R1");
    WndChartTrendPixel chart;
    chart.setSize(QSizeF(800, 260));
    ManagerChartTrend::instance()->insert_wnd_chart(&chart);
    QSignalSpy added(&chart, &WndChartTrendPixel::sig_pixel_trend_add_ana);
    QVERIFY(chart.add_ana(rect, source.id(), 50.0f, 20.0f, 40.0f, 30.0f));
    const QString key = "(30.0-40.0)/(20.0-50.0)";
    QCOMPARE(added.first().at(2).toString(), key);
    QVERIFY(chart.has_ana(source.id(), rect, key));
    QVERIFY(chart.add_ana(rect, source.id(), 1000.0f, -100.0f, 1000.0f, -100.0f));
    QVERIFY(chart.is_pixel_trend());
    QCOMPARE(chart.get_ana_name_and_temp(rect, key), QString("R1"));
    QVERIFY(!chart.get_ana_clr_name(rect, key).isEmpty());
    QCOMPARE(chart.get_axis_y_min(), -10.0f);
    QCOMPARE(chart.get_axis_y_max(), 105.0f);

    for (int f = 1; f <= 4; ++f) source.show(f);
    chart.on_refresh_timer();
    std::vector<ChartTrendInfo*> series;
    chart.collect_series(series);
    QCOMPARE(series.size(), size_t(2));
    for (ChartTrendInfo* s : series) QCOMPARE(s->point_count(), 5);
    // The whole band holds every pixel: 100 percent of the object's pixels.
    const ChartTrendInfo* all = series[0]->points()[1].f_value == 100.0f ? series[0] : series[1];
    QCOMPARE(all->points()[3].f_value, 100.0f);
    QVERIFY(all->points()[3].n_value2 > 0);

    // An end marker stops the trend and drops the samples behind it.
    ManagerChartTrend::instance()->add_trend_gap(source.id());
    chart.on_trend_frame(source.id(), 9);
    chart.on_refresh_timer();
    QVERIFY(!chart.is_trend_started());
    QCOMPARE(all->point_count(), 5);

    QSignalSpy del_ir(&chart, &WndChartTrendPixel::sig_pixel_trend_del_ir);
    QVERIFY(chart.remove_ana(rect, key));
    QVERIFY(!chart.remove_ana(rect, key));
    QVERIFY(chart.remove_ana_all(rect, true));  // success answers true
    QCOMPARE(del_ir.count(), 1);
    QVERIFY(!chart.remove_ana_all(rect, true));
    QVERIFY(chart.get_ir_list().isEmpty());
}

void TrendChartTest::frames_fed_while_windows_open_and_close()
{
    TrendTestSource source(2);
    const int rect = source.add_ana(kRect, "R1");
    std::atomic<bool> stop{false};
    std::atomic<int> fed{0};
    // A player thread feeding shown frames without pause; bounded either way.
    std::thread player([&] {
        for (int i = 0; i < 2000000 && !stop.load(); ++i) {
            ManagerChartTrend::instance()->notify_trend_frame(source.id(), 1 + i % 20);
            if (i % 64 == 0) ManagerChartTrend::instance()->restart_trend_of_ir(source.id());
            fed.fetch_add(1);
        }
    });
    for (int round = 0; round < 60; ++round) {
        std::unique_ptr<WndChartTrend> chart;
        if (round % 2 == 0) {
            chart = std::make_unique<WndChartTrend>();
            ManagerChartTrend::instance()->insert_wnd_chart(chart.get());
            QVERIFY(chart->add_ana(rect, source.id(), TREND_MAX));
        } else {
            auto pixel = std::make_unique<WndChartTrendPixel>();
            ManagerChartTrend::instance()->insert_wnd_chart(pixel.get());
            QVERIFY(pixel->add_ana(rect, source.id(), 50.0f, 0.0f, 40.0f, 10.0f));
            chart = std::move(pixel);
        }
        chart->setSize(QSizeF(400, 200));
        chart->on_refresh_timer();
        QImage image(400, 200, QImage::Format_RGB32);
        QPainter painter(&image);
        chart->paint(&painter);
        QCoreApplication::processEvents();
    }
    stop = true;
    player.join();
    QCoreApplication::processEvents();
    QVERIFY(fed.load() > 0);
    QCOMPARE(ManagerChartTrend::instance()->chart_count(), 0);
}

QTEST_MAIN(TrendChartTest)
#include "trend_chart_test.moc"
