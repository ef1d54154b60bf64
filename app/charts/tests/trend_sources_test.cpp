// The trend charts fed by the real sources: the recording player over the
// sample recording (play, pause and resume inside a trend, stop, marks, the
// jump to a trend point, teardown while playing) and a live camera from the
// simulator (live samples, windows opened and closed while frames arrive,
// the camera closed under an open chart).
#include "charts/manager_chart_trend.h"
#include "charts/wnd_chart_trend.h"
#include "charts/wnd_chart_trend_pixel.h"
#include "live_camera.h"
#include "message_guard.h"
#include "sources/handle_ids.h"
#include "sources/ir_player.h"
#include "test_folders.h"
#include "thermframe.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const char kRect[] = "R:20,20;120,100;-";
const char kLine[] = "L:10,100;150,110;-";

// An analysis object of the frame document, by the id the charts use.
int add_ana(void* doc, const char* text)
{
    void* ana = nullptr;
    return thermframe_add_ana(doc, text, ana) && ana != nullptr ? analysis_ids().id_of(ana) : 0;
}

std::vector<TrendPoint> points_of(WndChartTrend& chart)
{
    ChartTrendInfo* s = chart.first_series();
    return s != nullptr ? s->get_points() : std::vector<TrendPoint>();
}

// A chart as its window makes it: registered for its lifetime.
std::unique_ptr<WndChartTrend> make_chart()
{
    auto chart = std::make_unique<WndChartTrend>();
    chart->setSize(QSizeF(600, 240));
    ManagerChartTrend::instance()->insert_wnd_chart(chart.get());
    return chart;
}

// A trend of a rectangle's maximum on the player's recording, started as
// its window starts it: the play starts over, here at twice the speed.
std::unique_ptr<WndChartTrend> start_trend(IRPlayer& player)
{
    auto chart = make_chart();
    const int rect = add_ana(player.get_ir_data(), kRect);
    if (rect == 0 || !chart->add_ana(rect, player.trend_id(), TREND_MAX) || !player.set_speed(2.0f)) {
        return nullptr;
    }
    ManagerChartTrend::instance()->restart_trend_chart(player.trend_id());
    return chart;
}

void paint(WndChartTrend& chart)
{
    QImage image(600, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    chart.paint(&painter);
}

}  // namespace

class TrendSourcesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        if (!QFile::exists("samples/sample.irv")) QSKIP("samples were not generated");
        // A copy: marks are written into the recording.
        m_sample = m_dir.filePath("sample.irv");
        QVERIFY(QFile::copy(QDir::current().absoluteFilePath("samples/sample.irv"), m_sample));
    }
    void cleanup()
    {
        m_guard.verify();
        QCOMPARE(ManagerChartTrend::instance()->chart_count(), 0);
    }

    void player_registers_and_feeds_the_frames_it_plays();
    void pause_inside_a_trend_resumes_where_it_paused();
    void marks_of_the_player_reach_the_chart();
    void jump_to_a_trend_point_shows_that_frame();
    void player_destroyed_while_playing_leaves_its_charts();
    void camera_feeds_a_live_trend_while_windows_come_and_go();

private:
    std::unique_ptr<IRPlayer> open_player()
    {
        auto player = std::make_unique<IRPlayer>(nullptr);
        if (!player->open_file(m_sample)) return nullptr;
        player->add_file(m_sample);
        return player;
    }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
    QString m_sample;
};

void TrendSourcesTest::player_registers_and_feeds_the_frames_it_plays()
{
    ManagerChartTrend* registry = ManagerChartTrend::instance();
    auto player = open_player();
    QVERIFY(player != nullptr);
    const int id = player->trend_id();
    QVERIFY(id != 0);
    QCOMPARE(id, library_ids().id_of(player->get_ir_handle()));
    QCOMPARE(registry->find_ir_source(id), static_cast<IRBase*>(player.get()));
    const int rect = add_ana(player->get_ir_data(), kRect);
    const int line = add_ana(player->get_ir_data(), kLine);
    QVERIFY(rect != 0 && line != 0);

    auto chart = make_chart();
    QVERIFY(chart->add_ana(rect, id, TREND_MAX));
    QVERIFY(chart->add_ana(line, id, TREND_AVG));
    QVERIFY(player->set_speed(2.0f));
    // As the trend window does after adding: the play starts over.
    QVERIFY(!registry->restart_trend_chart(id));
    QVERIFY(player->is_playing());
    QVERIFY(registry->is_trend_running(id));
    QTRY_VERIFY_WITH_TIMEOUT(points_of(*chart).size() >= 25, 30000);

    // Stop: the trend ends with its marker and takes no more frames.
    QVERIFY(player->stop());
    QTRY_VERIFY_WITH_TIMEOUT(!chart->is_trend_started(), 10000);
    QVERIFY(!registry->is_trend_running(id));
    std::vector<TrendPoint> points = points_of(*chart);
    QCOMPARE(points.back().n_frame, kTrendEndFrame);
    // The seed point, then the frames played from the start, in order.
    for (size_t i = 1; i + 1 < points.size(); ++i) {
        QCOMPARE(points[i].n_frame, static_cast<int>(i) - 1);
    }
    std::vector<ChartTrendInfo*> series;
    chart->collect_series(series);
    QCOMPARE(series.size(), size_t(2));
    QCOMPARE(series[1]->point_count(), static_cast<int>(points.size()));
    const size_t stopped = points.size();
    player->seek_frame(40);
    QCOMPARE(points_of(*chart).size(), stopped);

    // Play after the end: the trend starts over from a fresh seed.
    QVERIFY(player->check_frame());
    QVERIFY(registry->is_trend_running(id));
    QCOMPARE(chart->first_series()->point_count(), 0);
    QCOMPARE(chart->pending_samples(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(points_of(*chart).size() >= 5, 30000);
    QVERIFY(player->save_frame());
    QTRY_VERIFY_WITH_TIMEOUT(!player->is_playing(), 10000);
    paint(*chart);
}

void TrendSourcesTest::pause_inside_a_trend_resumes_where_it_paused()
{
    auto player = open_player();
    QVERIFY(player != nullptr);
    auto chart = start_trend(*player);
    QVERIFY(chart != nullptr);
    QList<int> shown;
    connect(player.get(), &IRPlayer::sig_update_ctrl_with_frame, this, [&](int frame) { shown.append(frame); });
    QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= 10, 30000);
    QVERIFY(player->save_frame());
    QTRY_VERIFY_WITH_TIMEOUT(!player->is_playing(), 10000);
    const int paused = static_cast<int>(player->current_frame());

    // Stepping while paused feeds nothing; the trend goes on where it paused.
    QTRY_COMPARE_WITH_TIMEOUT(chart->pending_samples(), 0, 10000);
    const size_t before = points_of(*chart).size();
    player->seek_frame(200);
    QCoreApplication::processEvents();
    QCOMPARE(chart->pending_samples(), 0);
    shown.clear();
    QVERIFY(player->check_frame());
    QCOMPARE(static_cast<int>(player->current_frame()), paused);
    QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= 3, 30000);
    QCOMPARE(shown.first(), paused);
    QVERIFY(player->save_frame());
    QTRY_VERIFY_WITH_TIMEOUT(!player->is_playing(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(chart->pending_samples(), 0, 10000);
    const std::vector<TrendPoint> points = points_of(*chart);
    QVERIFY(points.size() > before);
    QVERIFY(chart->is_trend_started());
    for (size_t i = before; i < points.size(); ++i) QVERIFY(points[i].n_frame >= paused && points[i].n_frame < 200);
}

void TrendSourcesTest::marks_of_the_player_reach_the_chart()
{
    auto player = open_player();
    QVERIFY(player != nullptr);
    auto chart = start_trend(*player);
    QVERIFY(chart != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(points_of(*chart).size() >= 8, 30000);
    QVERIFY(player->save_frame());
    QTRY_VERIFY_WITH_TIMEOUT(!player->is_playing(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(chart->pending_samples(), 0, 10000);
    // The recording's own marks on the frames sampled.
    const int own = chart->mark_count();
    int frame = 1;
    while (frame < 6 && player->has_mark(static_cast<uint32_t>(frame))) ++frame;
    QVERIFY(frame < 6);

    // A mark on a sampled frame appears on the chart, follows its text and goes.
    player->seek_frame(static_cast<uint32_t>(frame));
    QCOMPARE(player->insert_mark(QStringLiteral("hot spot")), frame);
    QCOMPARE(chart->mark_count(), own + 1);
    const int index = chart->first_series()->index_of(m_sample, frame);
    QVERIFY(index > 0);
    QVERIFY2(chart->tooltip_text(index).contains("hot spot"), qPrintable(chart->tooltip_text(index)));
    QVERIFY(player->update_mark(frame, QStringLiteral("cold")));
    QVERIFY(chart->tooltip_text(index).contains("cold"));
    QVERIFY(player->remove_mark(frame));
    QCOMPARE(chart->mark_count(), own);
    // A refused edit tells the chart nothing.
    QVERIFY(!player->remove_mark(frame));
    QCOMPARE(player->insert_mark(QString()), frame);
    QCOMPARE(player->insert_mark(QString()), -1);
    QCOMPARE(chart->mark_count(), own + 1);
    QVERIFY(player->remove_mark(frame));
}

void TrendSourcesTest::jump_to_a_trend_point_shows_that_frame()
{
    const QString second = m_dir.filePath("second.irv");
    QVERIFY(QFile::copy(m_sample, second));
    auto player = open_player();
    QVERIFY(player != nullptr);
    TrendPlayback* playback = player.get();
    QSignalSpy frames(player.get(), &IRPlayer::sig_update_ctrl_with_frame);
    QVERIFY(player->set_speed(8.0f));
    QVERIFY(player->check_frame());
    QVERIFY(playback->is_playing());

    // The current file: the player pauses and shows the frame.
    QVERIFY(playback->show_trend_frame(m_sample, 17));
    QVERIFY(!playback->is_playing());
    QCOMPARE(playback->shown_frame(), 17);
    QCOMPARE(frames.last().at(0).toInt(), 17);
    // Another file of the trend is opened first; past its end the last frame.
    QVERIFY(playback->show_trend_frame(second, 30));
    QCOMPARE(player->get_file_path(), second);
    QCOMPARE(playback->shown_frame(), 30);
    QVERIFY(playback->show_trend_frame(second, 1 << 30));
    QCOMPARE(player->current_frame(), player->last_frame());
    // A file that does not open, or no frame, changes nothing.
    m_guard.expect(QRegularExpression("recording refused"));
    QVERIFY(!playback->show_trend_frame(m_dir.filePath("missing.irv"), 3));
    QVERIFY(!playback->show_trend_frame(second, -1));
    QVERIFY(!playback->show_trend_frame(QString(), 3));
    QCOMPARE(player->get_file_path(), second);
    QCOMPARE(player->current_frame(), player->last_frame());
}

void TrendSourcesTest::player_destroyed_while_playing_leaves_its_charts()
{
    ManagerChartTrend* registry = ManagerChartTrend::instance();
    auto chart = make_chart();
    auto pixel = std::make_unique<WndChartTrendPixel>();
    registry->insert_wnd_chart(pixel.get());
    QSignalSpy gone(chart.get(), &WndChartTrend::sig_trend_del_ir);
    QSignalSpy pixel_gone(pixel.get(), &WndChartTrendPixel::sig_pixel_trend_del_ir);
    for (int round = 0; round < 4; ++round) {
        auto player = open_player();
        QVERIFY(player != nullptr);
        const int id = player->trend_id();
        const int rect = add_ana(player->get_ir_data(), kRect);
        QVERIFY(chart->add_ana(rect, id, TREND_MIN));
        QVERIFY(pixel->add_ana(rect, id, 60.0f, 0.0f, 40.0f, 20.0f));
        QVERIFY(player->set_speed(round % 2 == 0 ? 100.0f : 8.0f));
        registry->restart_trend_chart(id);
        QTRY_VERIFY_WITH_TIMEOUT(points_of(*chart).size() >= 3, 30000);
        player.reset();
        QVERIFY(registry->find_ir_source(id) == nullptr);
        QVERIFY(!chart->has_ir(id));
        QVERIFY(!pixel->has_ir(id));
        QCOMPARE(gone.count(), round + 1);
        QCOMPARE(pixel_gone.count(), round + 1);
        QCOMPARE(chart->first_series(), nullptr);
        registry->notify_trend_frame(id, 5);
        QCOMPARE(chart->pending_samples(), 0);
        // The charts go on painting and refreshing without their source.
        chart->on_refresh_timer();
        pixel->on_refresh_timer();
        paint(*chart);
        QCoreApplication::processEvents();
    }
}

void TrendSourcesTest::camera_feeds_a_live_trend_while_windows_come_and_go()
{
    roadtest::LiveCamera live;
    QVERIFY(live.open());
    std::unique_ptr<IRNetDevice>& camera = live.device;
    ManagerChartTrend* registry = ManagerChartTrend::instance();
    const int id = camera->trend_id();
    QVERIFY(id != 0);
    QCOMPARE(id, library_ids().id_of(camera->get_ir_handle()));
    QCOMPARE(registry->find_ir_source(id), static_cast<IRBase*>(camera.get()));
    QTRY_VERIFY_WITH_TIMEOUT(camera->frame_rate() > 0, 10000);
    const int rect = add_ana(camera->get_ir_data(), kRect);
    QVERIFY(rect != 0);

    // The frame thread feeds a live chart: a sample at once, then one per
    // due tick of the record rate.
    auto chart = make_chart();
    QVERIFY(chart->add_ana(rect, id, TREND_MAX));
    QVERIFY(chart->is_live());
    chart->set_record_rate(1);
    QTRY_VERIFY_WITH_TIMEOUT(points_of(*chart).size() >= 3, 30000);
    const std::vector<TrendPoint> points = points_of(*chart);
    QVERIFY(points[1].f_value > 0.0f);
    QVERIFY(points[2].n_time >= points[1].n_time);

    // Windows opened and closed while the frame thread walks the charts.
    int shown = 0;
    connect(camera.get(), &IRNetDevice::sig_update_ctrl_with_frame, this, [&] { ++shown; });
    for (int round = 0; round < 40; ++round) {
        std::unique_ptr<WndChartTrend> other;
        if (round % 2 == 0) {
            other = make_chart();
            QVERIFY(other->add_ana(rect, id, round % 4 == 0 ? TREND_MAX : TREND_AVG));
            QVERIFY(other->add_record_condition(id, "ftd:[Max] > 0.0", 0, 0, 1, 0, 0.0f));
        } else {
            auto pixel = std::make_unique<WndChartTrendPixel>();
            registry->insert_wnd_chart(pixel.get());
            QVERIFY(pixel->add_ana(rect, id, 200.0f, -20.0f, 60.0f, 20.0f));
            other = std::move(pixel);
        }
        other->on_pace_tick();
        const int seen = shown;
        QTRY_VERIFY_WITH_TIMEOUT(shown >= seen + 2, 10000);
        other->on_refresh_timer();
        paint(*other);
    }

    // The camera goes under an open chart: the chart lets it go.
    QSignalSpy gone(chart.get(), &WndChartTrend::sig_trend_del_ir);
    camera.reset();
    QCOMPARE(gone.count(), 1);
    QVERIFY(!chart->has_ir(id));
    QVERIFY(registry->find_ir_source(id) == nullptr);
    chart->on_refresh_timer();
    paint(*chart);
}

QTEST_MAIN(TrendSourcesTest)
#include "trend_sources_test.moc"
