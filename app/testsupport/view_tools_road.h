// The tools of an IR view's toolbar driven as a user would, in whichever
// document window shows the view: a line drawn on the picture shows in the
// line-profile chart, which follows the frames (another frame, another
// curve: that frame's profile), the histogram counts, the isotherm strip adds a band
// to the view's source, the copy dialog puts the whole picture's
// temperatures on the clipboard and the full table window fills. QtTest
// checks: the caller returns when QTest::currentTestFailed().
#pragma once

#include "charts/chart_source.h"
#include "charts/wnd_chart_area.h"
#include "charts/wnd_chart_line.h"
#include "road_window.h"
#include "thermframe.h"
#include "views/wnd_ir_isotherm.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_table_ir_temp.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include <functional>
#include <numeric>
#include <vector>

namespace roadtest {

// next_frame shows another frame, one whose profile along the line differs;
// frame_holds: that frame stays until the next step (a paused recording),
// so the chart must show exactly its profile.
inline void drive_view_tools(RoadWindow& road, WndIRShow* view, const char* test,
                             const std::function<void()>& next_frame, bool frame_holds)
{
    QVERIFY(view != nullptr && view->source() != nullptr);
    void* frame = view->source()->get_ir_data();
    const qreal w = view->width();
    const qreal h = view->height();

    // A line across the picture, then both charts.
    QVERIFY(RoadWindow::click(road.find_item("btn_clear_ana")));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_line")));
    QVERIFY(RoadWindow::drag(view, QPointF(w * 0.1, h * 0.4), QPointF(w * 0.9, h * 0.6)));
    int lines = 0;
    QVERIFY(thermframe_get_anas_count(frame, ANA_LINE, lines));
    QCOMPARE(lines, 1);
    void* line_ana = nullptr;
    QVERIFY(thermframe_get_ana(frame, ANA_LINE, 0, line_ana));
    QVERIFY(RoadWindow::click(road.find_item("btn_chart_line")));
    QVERIFY(road.find_item("chart_row")->isVisible());
    auto* line = qobject_cast<WndChartLine*>(road.find_item("chart_line"));
    QVERIFY(line != nullptr && line->isVisible());
    QCOMPARE(line->ir_wnd(), view);
    QVERIFY(RoadWindow::wait_for([&] { return line->info_of(line_ana) != nullptr && line->get_axis_x_max() > 50.0f; }));
    const auto curve = [&] { return line->info_of(line_ana)->temps; };
    const auto profile = [&] {
        std::vector<float> temps;
        chart_source::read_all_temps(line_ana, temps);
        return temps;
    };
    if (frame_holds) {
        QVERIFY(RoadWindow::wait_for([&] { return curve() == profile(); }));
    }
    const std::vector<float> first = curve();
    QVERIFY(!first.empty());
    next_frame();
    if (QTest::currentTestFailed()) return;
    QVERIFY(RoadWindow::wait_for([&] { return curve() != first && (!frame_holds || curve() == profile()); }));
    QVERIFY(RoadWindow::click(road.find_item("btn_chart_area")));
    auto* area = qobject_cast<WndChartArea*>(road.find_item("chart_area"));
    QVERIFY(area != nullptr && area->isVisible());
    QCOMPARE(area->ir_wnd(), view);
    QVERIFY(RoadWindow::wait_for([&] {
        const auto& counts = area->histogram().counts();
        return std::accumulate(counts.begin(), counts.end(), int64_t(0)) > 0;
    }));
    road.save_screen(test, "tools-charts");

    // The isotherm strip under the view edits the view's source.
    QVERIFY(RoadWindow::click(road.find_item("btn_isotherm")));
    auto* isotherm = qobject_cast<WndIRIsotherm*>(road.find_item("wnd_ir_isotherm"));
    QVERIFY(isotherm != nullptr && isotherm->isVisible());
    QCOMPARE(isotherm->source(), view->source());
    thermframe_isotherm_delete_all(frame);
    QVERIFY(RoadWindow::click_at(isotherm, isotherm->button_rect(WndIRIsotherm::kAdd).center()));
    QCOMPARE(isotherm->band_count(), 1);
    int32_t bands = 0;
    QVERIFY(thermframe_isotherm_get_count(frame, bands));
    QCOMPARE(bands, 1);
    road.save_screen(test, "tools-isotherm");

    // The whole picture's temperatures to the clipboard.
    uint16_t pw = 0, ph = 0;
    QVERIFY(thermframe_get_show_resolution(frame, pw, ph));
    QVERIFY(RoadWindow::click(road.find_item("btn_copy_temp")));
    QQuickItem* dialog = road.find_item("wnd_copy_temp");
    QVERIFY(dialog != nullptr && dialog->isVisible());
    road.save_screen(test, "tools-copy-dialog");
    QGuiApplication::clipboard()->clear();
    QVERIFY(RoadWindow::click(road.find_item("btn_copy_temp_ok")));
    QVERIFY(!dialog->isVisible());
    const QString copied = QGuiApplication::clipboard()->text();
    const QString head = QString("Infrared overall temperature\t\r\nResolution( width, height )\t%1,%2\r\n").arg(pw).arg(ph);
    QVERIFY2(copied.startsWith(head), qPrintable(copied.left(120)));
    QCOMPARE(copied.count("\r\n"), 8 + ph + 3);

    // The full table window of this view.
    QVERIFY(RoadWindow::click(road.find_item("btn_temp_table")));
    QQuickWindow* full = road.find_window("wnd_ir_temp_full");
    QVERIFY(full != nullptr && full->isVisible());
    auto* table = full->findChild<WndTableIRTemp*>("wnd_table_ir_temp");
    QVERIFY(table != nullptr);
    QVERIFY(RoadWindow::wait_for([&] { return table->data_width() == pw; }));
    QVERIFY(QTest::qWaitForWindowExposed(full));
    RoadWindow::save_screen(full, test, "tools-temp-table");
    full->close();
    QVERIFY(RoadWindow::wait_for([&] { return !table->is_refreshing(); }));
}

}  // namespace roadtest
