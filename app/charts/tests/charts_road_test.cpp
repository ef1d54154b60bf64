// Road test of the charts: in the real main window, draw a line on the
// sample picture and open its profile and the histogram from the analysis
// toolbar; then, from the trend menu, open a temperature trend of two
// objects of the sample recording, play it frame after frame as the player
// feeds it, and add a pixel-count trend through its range dialog. Last, in
// the player window: objects drawn on the recording, their trends opened
// from the right-click menu and fed by the player as it plays. And a live
// camera's trend with a sampling condition built in its dialog.
#include "charts/manager_chart_trend.h"
#include "charts/wnd_chart_area.h"
#include "charts/wnd_chart_line.h"
#include "charts/wnd_chart_trend.h"
#include "live_camera.h"
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "sources/handle_ids.h"
#include "sources/ir_base.h"
#include "sources/ir_player.h"
#include "test_folders.h"
#include "thermframe.h"
#include "trend_test_source.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QQmlApplicationEngine>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using roadtest::RoadWindow;

namespace {

const char kTest[] = "charts";

int count_of(void* frame, AnaType type)
{
    int32_t count = -1;
    thermframe_get_anas_count(frame, type, count);
    return count;
}

// Clicks the entry of the trend menu that reads `text`, the n-th of them
// (the kinds list the same windows: maximum, minimum, average).
bool click_menu_entry(QObject* menu_object, const QString& text, int nth = 1)
{
    auto* menu = qobject_cast<QQuickWindow*>(menu_object);
    if (menu == nullptr || !QTest::qWaitForWindowExposed(menu)) return false;
    QList<QQuickItem*> items = menu->contentItem()->childItems();
    for (int i = 0; i < items.size(); ++i) {
        QQuickItem* item = items[i];
        items += item->childItems();
        if (item->objectName().startsWith("menu_entry_") && !item->childItems().isEmpty() &&
            item->childItems()[0]->property("text").toString() == text && --nth == 0) {
            return RoadWindow::click(item);
        }
    }
    return false;
}

int row_count(QObject* list)
{
    QVariant count;
    QMetaObject::invokeMethod(list, "row_count", Q_RETURN_ARG(QVariant, count));
    return count.toInt();
}

QStringList row_texts(QObject* list)
{
    QVariant texts;
    QMetaObject::invokeMethod(list, "row_texts", Q_RETURN_ARG(QVariant, texts));
    return texts.toStringList();
}

}  // namespace

class ChartsRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        if (!QFile::exists("samples/sample.jpg") || !QFile::exists("samples/sample.irv")) {
            QSKIP("samples were not generated");
        }
    }
    void cleanup() { m_guard.verify(); }
    void charts_profile_and_histogram_of_a_picture();
    void charts_trend_of_a_played_recording();
    void charts_trends_opened_in_the_player_window();
    void charts_live_trend_with_a_sampling_condition();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void ChartsRoadTest::charts_profile_and_histogram_of_a_picture()
{
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1700, 1000)));
    QObject* client = road.find_object("wnd_client");
    QVERIFY(client != nullptr);
    QVariant ok;
    const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
    QVERIFY(QMetaObject::invokeMethod(client, "open_picture", Q_RETURN_ARG(QVariant, ok), Q_ARG(QVariant, sample)));
    QVERIFY(ok.toBool());
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr && view->source() != nullptr);
    void* frame = view->source()->get_ir_data();
    QVERIFY(!road.find_item("chart_row")->isVisible());

    // A fresh line across the picture.
    QVERIFY(RoadWindow::click(road.find_item("btn_clear_ana")));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_line")));
    QVERIFY(RoadWindow::drag(view, QPointF(60, 250), QPointF(560, 330)));
    QCOMPARE(count_of(frame, ANA_LINE), 1);
    void* line_ana = nullptr;
    QVERIFY(thermframe_get_ana(frame, ANA_LINE, 0, line_ana));

    // The profile chart shows the line.
    QVERIFY(RoadWindow::click(road.find_item("btn_chart_line")));
    QVERIFY(road.find_item("chart_row")->isVisible());
    auto* line = qobject_cast<WndChartLine*>(road.find_item("chart_line"));
    QVERIFY(line != nullptr && line->isVisible());
    QVERIFY(line->info_of(line_ana) != nullptr);
    QVERIFY(RoadWindow::wait_for([&] { return line->get_axis_x_max() > 100.0f; }));
    QCOMPARE(road.find_object("list_chart_line")->property("visible").toBool(), false);
    QVERIFY(RoadWindow::click(road.find_item("btn_expand_line")));
    QVERIFY(RoadWindow::move_to(line, QPointF(line->plot_rect().center())));
    road.save_screen(kTest, "1-line-profile");
    // Hovering the curve shows the line's alias, its temperature there and
    // its maximum, minimum and average in the window's tooltip.
    QObject* tip = road.find_object("tip_chart");
    QVERIFY(tip != nullptr);
    QTRY_VERIFY(tip->property("visible").toBool());
    const QString line_tip = tip->property("strText").toString();
    QVERIFY2(line_tip.contains("Temperature:") && line_tip.contains("Max:") && line_tip.contains("-Avg:"),
             qPrintable(line_tip));
    road.save_screen(qobject_cast<QQuickWindow*>(tip), kTest, "1b-line-tooltip");

    // Switching the line off takes its curve away and unticks its row;
    // switching it on again brings both back.
    QObject* line_row = road.find_item("list_chart_line_row_0");
    QQuickItem* line_mark = road.find_item("list_chart_line_mark_0");
    QVERIFY(line_row != nullptr && line_mark != nullptr);
    QVERIFY(line_mark->property("checked").toBool());
    QVERIFY(RoadWindow::click(road.find_item("list_chart_line_row_0")));
    QVERIFY(!line->is_enable_ana(line_ana));
    QTRY_VERIFY(!line_mark->property("checked").toBool());
    road.save_screen(kTest, "1c-line-switched-off");
    QVERIFY(RoadWindow::click(line_mark));
    QVERIFY(line->is_enable_ana(line_ana));
    QTRY_VERIFY(line_mark->property("checked").toBool());
    QVERIFY(RoadWindow::wait_for([&] { return line->get_axis_x_max() > 100.0f; }));
    road.save_screen(kTest, "1d-line-switched-on");

    // The histogram beside it (the row is wide enough for both).
    QVERIFY(RoadWindow::click(road.find_item("btn_chart_area")));
    auto* area = qobject_cast<WndChartArea*>(road.find_item("chart_area"));
    QVERIFY(area != nullptr && area->isVisible());
    QVERIFY(line->isVisible());
    QCOMPARE(area->selected_ana(), line_ana);
    QVERIFY(area->histogram().total() > 100);
    QVERIFY(RoadWindow::click(road.find_item("btn_expand_area")));
    road.save_screen(kTest, "2-histogram");
    // Hovering a bar shows its temperature range, share and point count.
    QVERIFY(RoadWindow::move_to(area, QPointF(area->plot_rect().center())));
    QTRY_VERIFY(tip->property("strText").toString().contains("Percentage: "));
    QVERIFY(tip->property("strText").toString().contains("Temperature range: "));
    QVERIFY(tip->property("strText").toString().contains("Points number: "));
    QVERIFY(tip->property("visible").toBool());
    road.save_screen(qobject_cast<QQuickWindow*>(tip), kTest, "2b-histogram-tooltip");

    // A rectangle joins the histogram's list; choosing it there shows its spread.
    QVERIFY(RoadWindow::click(road.find_item("btn_add_rect")));
    QVERIFY(RoadWindow::drag(view, QPointF(380, 60), QPointF(560, 200)));
    QCOMPARE(count_of(frame, ANA_RECT), 1);
    void* rect_ana = nullptr;
    QVERIFY(thermframe_get_ana(frame, ANA_RECT, 0, rect_ana));
    QObject* list = road.find_object("list_chart_area");
    QCOMPARE(row_count(list), 2);
    auto mark = [&](int row) { return road.find_item(QString("list_chart_area_mark_%1").arg(row)); };
    QVERIFY(mark(0)->property("checked").toBool());
    QVERIFY(!mark(1)->property("checked").toBool());
    QVERIFY(RoadWindow::click(road.find_item("list_chart_area_row_1")));
    QCOMPARE(area->selected_ana(), rect_ana);
    // The radio mark moves with the choice.
    QVERIFY(!mark(0)->property("checked").toBool());
    QVERIFY(mark(1)->property("checked").toBool());
    road.save_screen(kTest, "3-histogram-of-rectangle");

    // Closing the line chart leaves the histogram across the row.
    QVERIFY(RoadWindow::click(road.find_item("btn_chart_line")));
    QVERIFY(!line->isVisible());
    QVERIFY(area->isVisible());
}

void ChartsRoadTest::charts_trend_of_a_played_recording()
{
    AppShell shell;
    TrendTestSource player(2);
    QVERIFY(player.is_open());
    const int rect = player.add_ana("R:20,20;80,60;-", "R1");
    const int line = player.add_ana("L:5,100;150,30;-", "L1");
    RoadWindow road;
    QVERIFY(road.load(shell.engine(), QUrl("qrc:/qml/charts/ItemTrendCharts.qml"), 10, 10));
    // The menu and the dialogs are shown over a visible main window.
    QVERIFY(road.show());
    QVERIFY(!road.window()->contentItem()->childItems().isEmpty());
    QObject* trends = road.window()->contentItem()->childItems()[0];
    QObject* menu = road.find_object("menu_trend_chart");
    QVERIFY(menu != nullptr);
    auto popup = [&](int ana) {
        return QMetaObject::invokeMethod(trends, "popup", Q_ARG(QVariant, player.id()), Q_ARG(QVariant, ana),
                                         Q_ARG(QVariant, false));
    };
    auto click_entry = [&](const QString& text) { return click_menu_entry(menu, text); };

    // From the trend menu: a new trend of the rectangle's maximum, then the
    // line's maximum added to that window.
    QVERIFY(popup(rect));
    QCOMPARE(menu->property("nAna").toInt(), rect);
    QVERIFY(qobject_cast<QQuickWindow*>(menu)->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(qobject_cast<QQuickWindow*>(menu)));
    QVERIFY(RoadWindow::wait_for([&] { return qobject_cast<QQuickWindow*>(menu)->height() > 100; }));
    road.save_screen(qobject_cast<QQuickWindow*>(menu), kTest, "4-trend-menu");
    QVERIFY(click_entry("新建温度趋势分析"));
    QVERIFY(RoadWindow::wait_for([] { return ManagerChartTrend::instance()->chart_count() == 1; }));
    QObject* list = trends->property("list").value<QObject*>();
    QVERIFY(list != nullptr);
    const QVariantList windows = list->property("arrWnd").toList();
    QCOMPARE(windows.size(), 1);
    auto* wnd = qobject_cast<QQuickWindow*>(windows[0].value<QObject*>());
    QVERIFY(wnd != nullptr);
    RoadWindow trend(wnd);
    QVERIFY(trend.show());
    auto* chart = qobject_cast<WndChartTrend*>(trend.find_item("chart_trend"));
    QVERIFY(chart != nullptr);
    QVERIFY(chart->is_enable_ana(rect, TREND_MAX));
    const int index = wnd->property("mn_trend_index").toInt();
    QVERIFY(popup(line));
    QVERIFY(click_entry(QString("温度趋势分析 %1").arg(index)));  // the first, under the maximum
    QVERIFY(chart->is_enable_ana(line, TREND_MAX));
    QVERIFY(ManagerChartTrend::instance()->restart_trend_of_ir(player.id()));
    QCOMPARE(trend.find_object("list_trend")->property("visible").toBool(), true);

    // Play: every shown frame goes through the registry; the chart takes the
    // samples in on its own 500 ms refresh, which the test waits for.
    const int frames = static_cast<int>(std::min<uint32_t>(player.frames(), 200));
    for (int f = 1; f < frames; ++f) {
        QVERIFY(player.show(f));
        if (f % 30 == 0 || f == frames - 1) {
            QVERIFY(RoadWindow::wait_for([&] { return chart->pending_samples() == 0; }));
        }
    }
    QCOMPARE(chart->first_series()->point_count(), frames);
    std::vector<ChartTrendInfo*> series;
    chart->collect_series(series);
    QCOMPARE(series.size(), size_t(2));
    QVERIFY(chart->get_axis_x_max() >= frames);
    player.m_b_playing = true;
    QVERIFY(RoadWindow::wait_for([&] { return chart->play_index() == frames - 1; }));
    QVERIFY(RoadWindow::move_to(chart, QPointF(chart->plot_rect().center())));
    trend.save_screen(kTest, "5-trend-played");

    // A pixel-count trend of the rectangle through the range dialog.
    QVERIFY(popup(rect));
    QVERIFY(click_entry("新建像素数趋势分析"));
    auto* range = qobject_cast<QQuickWindow*>(road.find_object("wnd_pixel_range"));
    QVERIFY(range != nullptr && range->isVisible());
    road.save_screen(range, kTest, "6-pixel-range");
    QVERIFY(RoadWindow::click(RoadWindow(range).find_item("btn_pixel_ok")));
    QVERIFY(RoadWindow::wait_for([] { return ManagerChartTrend::instance()->chart_count() == 2; }));
    QVERIFY(ManagerChartTrend::instance()->get_list_chart(player.id(), rect)[1].toObject()["b_trend_pixel"].toBool());

    // Closing the window unregisters its chart.
    QVERIFY(RoadWindow::click(trend.find_item("btn_close_trend")));
    QVERIFY(RoadWindow::wait_for([&] { return ManagerChartTrend::instance()->chart_count() == 1; }));
}

void ChartsRoadTest::charts_trends_opened_in_the_player_window()
{
    // Marks are written beside the recording: the test plays a copy.
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString path = out.filePath("furnace.irv");
    QVERIFY(QFile::copy(QDir::current().absoluteFilePath("samples/sample.irv"), path));
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1400, 900)));
    QObject* start_page = road.find_object("start_page");
    QVERIFY(start_page != nullptr);
    QVERIFY(QMetaObject::invokeMethod(start_page, "open_file", Q_ARG(QVariant, path), Q_ARG(QVariant, false)));
    QTRY_VERIFY(road.find_item("wnd_ir_player") != nullptr && road.find_item("wnd_ir_player")->isVisible());
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr);
    auto* player = qobject_cast<IRPlayer*>(view->source());
    QVERIFY(player != nullptr);
    ManagerChartTrend* registry = ManagerChartTrend::instance();
    QCOMPARE(registry->find_ir_source(view->get_ir_handle()), static_cast<IRBase*>(player));
    void* frame = player->get_ir_data();

    // Two objects on the recording.
    QVERIFY(RoadWindow::click(road.find_item("btn_clear_ana")));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_rect")));
    QVERIFY(RoadWindow::drag(view, QPointF(20, 20), QPointF(80, 60)));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_line")));
    QVERIFY(RoadWindow::drag(view, QPointF(10, 100), QPointF(150, 84)));
    QCOMPARE(count_of(frame, ANA_RECT), 1);
    QCOMPARE(count_of(frame, ANA_LINE), 1);
    void* rect_ana = nullptr;
    void* line_ana = nullptr;
    QVERIFY(thermframe_get_ana(frame, ANA_RECT, 0, rect_ana));
    QVERIFY(thermframe_get_ana(frame, ANA_LINE, 0, line_ana));
    const int rect = analysis_ids().id_of(rect_ana);
    const int line = analysis_ids().id_of(line_ana);
    QVERIFY(RoadWindow::click(road.find_item("btn_speed_7")));

    // A right click on the rectangle's edge opens the trend menu; a new
    // trend of its maximum starts the play over.
    QObject* menu = road.find_object("menu_trend_chart");
    QVERIFY(menu != nullptr);
    QVERIFY(RoadWindow::click_at(view, QPointF(20, 40), Qt::RightButton));
    QTRY_VERIFY(menu->property("visible").toBool());
    QCOMPARE(menu->property("nAna").toInt(), rect);
    QCOMPARE(menu->property("nIr").toInt(), view->get_ir_handle());
    road.save_screen(qobject_cast<QQuickWindow*>(menu), kTest, "7-player-trend-menu");
    // The main window speaks the configured language.
    const auto menu_text = [](const char* text) { return QCoreApplication::translate("ItemCustomMenuTrendChart", text); };
    QVERIFY(click_menu_entry(menu, menu_text("新建温度趋势分析")));
    QTRY_COMPARE(registry->chart_count(), 1);
    QObject* list = road.find_object("trend_charts")->property("list").value<QObject*>();
    QVERIFY(list != nullptr);
    auto* wnd = qobject_cast<QQuickWindow*>(list->property("arrWnd").toList().value(0).value<QObject*>());
    QVERIFY(wnd != nullptr);
    RoadWindow trend(wnd);
    QVERIFY(trend.show());
    auto* chart = qobject_cast<WndChartTrend*>(trend.find_item("chart_trend"));
    QVERIFY(chart != nullptr);
    QVERIFY(chart->is_enable_ana(rect, TREND_MAX));
    QVERIFY(player->is_playing());

    // The line's average joins the same window.
    const int index = wnd->property("mn_trend_index").toInt();
    QVERIFY(RoadWindow::click_at(view, QPointF(80, 92), Qt::RightButton));
    QTRY_COMPARE(menu->property("nAna").toInt(), line);
    QVERIFY(menu->property("visible").toBool());
    QVERIFY(click_menu_entry(menu, menu_text("温度趋势分析") + QString(" %1").arg(index), 3));
    QVERIFY(chart->is_enable_ana(line, TREND_AVG));
    QVERIFY(registry->is_trend_running(view->get_ir_handle()));
    QObject* rows = trend.find_object("list_trend");
    QCOMPARE(row_count(rows), 2);

    // The player feeds both curves as it plays.
    QTRY_VERIFY_WITH_TIMEOUT(chart->first_series() != nullptr && chart->first_series()->point_count() >= 60, 30000);
    road.save_screen(kTest, "8-player-playing-a-trend");
    QVERIFY(RoadWindow::move_to(chart, QPointF(chart->plot_rect().center())));
    QTRY_VERIFY(trend.find_object("tip_trend_chart")->property("visible").toBool());
    trend.save_screen(kTest, "9-trend-fed-by-the-player");
    road.save_screen(qobject_cast<QQuickWindow*>(trend.find_object("tip_trend_chart")), kTest, "10-trend-tooltip");
    // The copy's result shows in the tip under its button, off the title.
    QVERIFY(RoadWindow::click(trend.find_item("btn_trend_copy")));
    QTRY_COMPARE(trend.find_object("tip_trend_chart")->property("strText").toString(),
                 QCoreApplication::translate("ItemWndTrendChart", "成功"));
    trend.save_screen(kTest, "10b-trend-copied");

    // The line's swatch picks its colour in the colour dialog.
    // The offscreen platform says so when Qt's dialog window is shown.
    m_guard.expect(QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    QVERIFY(RoadWindow::click(trend.find_item("swatch_trend_1")));
    QObject* colour = trend.find_object("dialog_trend_colour");
    QVERIFY(colour != nullptr);
    QObject* picker = colour->property("dialog").value<QObject*>();
    QVERIFY(picker != nullptr && picker->property("visible").toBool());
    QCOMPARE(picker->property("color").value<QColor>(), QColor("green"));
    picker->setProperty("currentColor", QColor("#ff00ff"));
    picker->setProperty("color", QColor("#ff00ff"));
    QVERIFY(QMetaObject::invokeMethod(picker, "accept"));
    QCOMPARE(chart->get_ana_clr_name(line, TREND_AVG), QString("#ff00ff"));
    QCOMPARE(chart->get_ana_clr_name(rect, TREND_MAX) == "#ff00ff", false);

    // Renaming an object renames its row in the trend window.
    QVERIFY(RoadWindow::click_at(view, QPointF(50, 40)));
    QCOMPARE(view->source()->current_ana(), rect_ana);
    QCOMPARE(row_texts(rows).filter("R1").size(), 1);
    QVERIFY(view->set_ana_alias("Valve"));
    const QStringList texts = row_texts(rows);
    QCOMPARE(texts.filter("Valve").size(), 1);
    QCOMPARE(texts.filter("R1").size(), 0);
    QCOMPARE(texts.filter("L1").size(), 1);

    // Stop: the trend ends; the curves stay.
    QVERIFY(RoadWindow::click(road.find_item("btn_player_stop")));
    QTRY_VERIFY_WITH_TIMEOUT(!chart->is_trend_started(), 10000);
    std::vector<ChartTrendInfo*> series;
    chart->collect_series(series);
    QCOMPARE(series.size(), size_t(2));
    QVERIFY(series[1]->point_count() >= 60);

    // Closing the player tab lets the chart go; closing the window unregisters it.
    QVERIFY(QMetaObject::invokeMethod(road.find_object("title_bar"), "remove_tab_sheet", Q_ARG(QVariant, 0)));
    QTRY_VERIFY(chart->first_series() == nullptr);
    QCOMPARE(row_count(rows), 0);
    QVERIFY(RoadWindow::click(trend.find_item("btn_close_trend")));
    QTRY_COMPARE(registry->chart_count(), 0);
}

void ChartsRoadTest::charts_live_trend_with_a_sampling_condition()
{
    roadtest::LiveCamera live;
    QVERIFY(live.open());
    std::unique_ptr<IRNetDevice>& camera = live.device;
    void* ana = nullptr;
    QVERIFY(thermframe_add_ana(camera->get_ir_data(), "R:30,30;110,90;-", ana));
    thermframe_ana_set_alias(ana, "R1");
    const int rect = analysis_ids().id_of(ana);

    AppShell shell;
    RoadWindow road;
    QVERIFY(road.load(shell.engine(), QUrl("qrc:/qml/charts/ItemTrendCharts.qml"), 10, 10));
    QVERIFY(road.show());
    QObject* trends = road.window()->contentItem()->childItems()[0];
    QObject* menu = road.find_object("menu_trend_chart");
    QVERIFY(QMetaObject::invokeMethod(trends, "popup", Q_ARG(QVariant, camera->trend_id()), Q_ARG(QVariant, rect),
                                      Q_ARG(QVariant, false)));
    QVERIFY(click_menu_entry(menu, "新建温度趋势分析"));
    QTRY_COMPARE(ManagerChartTrend::instance()->chart_count(), 1);
    QObject* list = trends->property("list").value<QObject*>();
    auto* wnd = qobject_cast<QQuickWindow*>(list->property("arrWnd").toList().value(0).value<QObject*>());
    QVERIFY(wnd != nullptr);
    RoadWindow trend(wnd);
    QVERIFY(trend.show());
    auto* chart = qobject_cast<WndChartTrend*>(trend.find_item("chart_trend"));
    QVERIFY(chart != nullptr && chart->is_live());

    // A live chart shows its sampling section with the chart's rate.
    QQuickItem* section = trend.find_item("record_condition");
    QVERIFY(section != nullptr && section->isVisible());
    QCOMPARE(trend.find_object("field_record_rate")->property("text").toString(), QString("2"));

    // "+" builds a condition of the whole picture in the dialog.
    QVERIFY(RoadWindow::click(trend.find_item("btn_add_condition")));
    auto* dialog = qobject_cast<QQuickWindow*>(trend.find_object("wnd_trend_record_setting"));
    QVERIFY(dialog != nullptr);
    QTRY_VERIFY(dialog->isVisible());
    RoadWindow setting(dialog);
    QCOMPARE(setting.find_object("combo_record_ir")->property("currentText").toString(), QString("camsim"));
    QObject* ana_combo = setting.find_object("combo_record_ana");
    QCOMPARE(ana_combo->property("count").toInt(), 2);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    road.save_screen(dialog, kTest, "11-sampling-condition-dialog");
    QVERIFY(RoadWindow::click(setting.find_item("btn_record_ok")));
    QVERIFY(!dialog->isVisible());
    QTRY_VERIFY(trend.find_item("row_record_condition_0") != nullptr);
    // The chart holds the condition: the same text again is refused.
    QVERIFY(!chart->add_record_condition(camera->trend_id(), "[Max] > 25", 0, 0, 0, 0, 25.0f));

    // The rectangle's change between checks, as a second condition.
    QVERIFY(RoadWindow::click(trend.find_item("btn_add_condition")));
    QTRY_VERIFY(dialog->isVisible());
    ana_combo->setProperty("currentIndex", 1);
    setting.find_object("combo_record_attach")->setProperty("currentIndex", 1);
    setting.find_object("field_record_temp")->setProperty("text", "0.5");
    QVERIFY(RoadWindow::click(setting.find_item("btn_record_ok")));
    QTRY_VERIFY(trend.find_item("row_record_condition_1") != nullptr);
    QVERIFY(!chart->add_record_condition(camera->trend_id(), "ftd:[Max] > 0.5", rect, 0, 1, 0, 0.5f));
    QTRY_VERIFY_WITH_TIMEOUT(chart->first_series() != nullptr && chart->first_series()->point_count() >= 3, 30000);
    trend.save_screen(kTest, "12-live-trend-with-conditions");

    // A renamed object is renamed in its condition rows too, as the main
    // window asks when a view renames one.
    QVERIFY(trend.find_item("row_record_condition_1")->property("strText").toString().contains("R1"));
    thermframe_ana_set_alias(ana, "Hot spot");
    QVERIFY(QMetaObject::invokeMethod(list, "update_all_trend_ana_name", Q_ARG(QVariant, camera->trend_id())));
    QVERIFY(trend.find_item("row_record_condition_1")->property("strText").toString().contains("Hot spot"));
    QVERIFY(trend.find_item("row_record_condition_0")->property("strText").toString().contains("全屏"));

    // Removing a row removes its condition.
    QVERIFY(RoadWindow::click(trend.find_item("btn_remove_condition_0")));
    QTRY_VERIFY(trend.find_item("row_record_condition_1") == nullptr);
    QVERIFY(chart->add_record_condition(camera->trend_id(), "[Max] > 25", 0, 0, 0, 0, 25.0f));

    // The camera closes under the window: its rows go.
    camera.reset();
    QTRY_VERIFY(trend.find_item("row_record_condition_0") == nullptr);
    QVERIFY(RoadWindow::click(trend.find_item("btn_close_trend")));
    QTRY_COMPARE(ManagerChartTrend::instance()->chart_count(), 0);
}

QTEST_MAIN(ChartsRoadTest)
#include "charts_road_test.moc"
