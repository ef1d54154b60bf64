#include "charts/manager_chart_trend.h"

#include "browse/model_ir_info.h"
#include "charts/chart_source.h"
#include "charts/wnd_chart_trend.h"
#include "sources/handle_ids.h"
#include "thermframe.h"
#include "sources/ir_base.h"

#include <QJsonObject>
#include <QMutexLocker>

ManagerChartTrend* ManagerChartTrend::instance()
{
    static ManagerChartTrend* const registry = new ManagerChartTrend;
    return registry;
}

int ManagerChartTrend::insert_wnd_chart(QObject* p_wnd_chart)
{
    auto* chart = qobject_cast<WndChartTrend*>(p_wnd_chart);
    if (chart == nullptr) {
        return -1;
    }
    QMutexLocker lock(&m_mutex);
    if (m_list_chart.contains(chart)) {
        return chart->trend_index();
    }
    const int index = ++mn_chart_index;
    chart->set_trend_index(index);
    m_list_chart.append(chart);
    return index;
}

bool ManagerChartTrend::remove_wnd_chart_at_index(int n_index)
{
    QMutexLocker lock(&m_mutex);
    for (int i = 0; i < m_list_chart.size(); ++i) {
        if (m_list_chart[i]->trend_index() == n_index) {
            m_list_chart.removeAt(i);
            return true;
        }
    }
    return false;
}

bool ManagerChartTrend::remove_wnd_chart(WndChartTrend* chart)
{
    QMutexLocker lock(&m_mutex);
    return m_list_chart.removeAll(chart) > 0;
}

int ManagerChartTrend::chart_count()
{
    QMutexLocker lock(&m_mutex);
    return m_list_chart.size();
}

QJsonArray ManagerChartTrend::get_list_chart(int n_id_ir, int n_id_ana)
{
    (void)n_id_ir;
    QMutexLocker lock(&m_mutex);
    QJsonArray list;
    for (WndChartTrend* chart : m_list_chart) {
        QJsonObject entry;
        entry["n_chart_index"] = chart->trend_index();
        entry["b_max_temp"] = chart->is_enable_ana(n_id_ana, TREND_MAX);
        entry["b_min_temp"] = chart->is_enable_ana(n_id_ana, TREND_MIN);
        entry["b_avg_temp"] = chart->is_enable_ana(n_id_ana, TREND_AVG);
        entry["b_trend_pixel"] = chart->is_pixel_trend();
        list.append(entry);
    }
    return list;
}

bool ManagerChartTrend::update_ctrl_with_trend(int n_id_ir)
{
    IRBase* source = find_ir_source(n_id_ir);
    if (source != nullptr) {
        source->update_ctrl_with_trend();
    }
    return true;
}

QString ManagerChartTrend::get_ir_name(int n_id_ir)
{
    IRBase* source = find_ir_source(n_id_ir);
    return source != nullptr ? source->get_ir_name() : QString();
}

bool ManagerChartTrend::restart_trend_chart(int n_id_ir)
{
    IRBase* source = find_ir_source(n_id_ir);
    if (source != nullptr) {
        source->restart_play();
    }
    return false;
}

QJsonObject ManagerChartTrend::get_ana_temp_range(int n_id_ana)
{
    void* ana = analysis_ids().handle_of(n_id_ana);
    float f_max = 0.0f, f_min = 0.0f;
    uint16_t x = 0, y = 0, ad = 0;
    QJsonObject range;
    if (ana != nullptr && thermframe_ana_get_max_temp(ana, x, y, ad, f_max) &&
        thermframe_ana_get_min_temp(ana, x, y, ad, f_min)) {
        range["f_max"] = f_max;
        range["f_min"] = f_min;
    }
    return range;
}

QJsonArray ManagerChartTrend::get_ir_anas(int n_id_ir)
{
    IRBase* source = find_ir_source(n_id_ir);
    void* doc = source != nullptr ? source->get_ir_data() : nullptr;
    if (doc == nullptr) {
        return {};
    }
    return ModelIRInfo::ana_entries(doc, [](void* ana) { return analysis_ids().id_of(ana); });
}

bool ManagerChartTrend::register_ir_source(int h_ir, IRBase* source)
{
    if (h_ir == 0 || source == nullptr) {
        return false;
    }
    QMutexLocker lock(&m_mutex);
    if (!m_map_ir.contains(h_ir)) {
        m_map_ir.insert(h_ir, source);
    }
    return true;
}

bool ManagerChartTrend::unregister_ir_source(int h_ir)
{
    QMutexLocker lock(&m_mutex);
    m_map_ir.remove(h_ir);
    return true;
}

IRBase* ManagerChartTrend::find_ir_source(int h_ir)
{
    QMutexLocker lock(&m_mutex);
    return m_map_ir.value(h_ir, nullptr);
}

bool ManagerChartTrend::remove_ir_from_charts(int h_ir)
{
    QMutexLocker lock(&m_mutex);
    const QList<WndChartTrend*> charts = m_list_chart;
    for (WndChartTrend* chart : charts) {
        if (chart->has_ir(h_ir)) {
            chart->remove_ir_data(h_ir, true);
        }
    }
    return true;
}

bool ManagerChartTrend::notify_trend_frame(int h_ir, int n_frame)
{
    QMutexLocker lock(&m_mutex);
    for (WndChartTrend* chart : m_list_chart) {
        chart->on_trend_frame(h_ir, n_frame);
    }
    return true;
}

bool ManagerChartTrend::is_trend_running(int h_ir)
{
    QMutexLocker lock(&m_mutex);
    for (WndChartTrend* chart : m_list_chart) {
        if (chart->has_ir(h_ir) && chart->is_trend_started()) {
            return true;
        }
    }
    return false;
}

bool ManagerChartTrend::restart_trend_of_ir(int h_ir)
{
    QMutexLocker lock(&m_mutex);
    bool any = false;
    for (WndChartTrend* chart : m_list_chart) {
        if (chart->has_ir(h_ir)) {
            chart->restart_trend(h_ir);
            any = true;
        }
    }
    return any;
}

bool ManagerChartTrend::add_trend_gap(int h_ir)
{
    QMutexLocker lock(&m_mutex);
    bool any = false;
    for (WndChartTrend* chart : m_list_chart) {
        if (chart->has_ir(h_ir)) {
            chart->append_trend_end(h_ir);
            any = true;
        }
    }
    return any;
}

bool ManagerChartTrend::add_mark(int h_ir, const QString& file, int frame, const QString& text)
{
    QMutexLocker lock(&m_mutex);
    for (WndChartTrend* chart : m_list_chart) {
        if (chart->has_ir(h_ir)) chart->add_mark(h_ir, file, frame, text);
    }
    return true;
}

bool ManagerChartTrend::delete_mark(int h_ir, const QString& file, int frame)
{
    QMutexLocker lock(&m_mutex);
    for (WndChartTrend* chart : m_list_chart) {
        if (chart->has_ir(h_ir)) chart->delete_mark(h_ir, file, frame);
    }
    return true;
}

bool ManagerChartTrend::update_mark(int h_ir, const QString& file, int frame, const QString& text)
{
    QMutexLocker lock(&m_mutex);
    for (WndChartTrend* chart : m_list_chart) {
        if (chart->has_ir(h_ir)) chart->update_mark(h_ir, file, frame, text);
    }
    return true;
}
