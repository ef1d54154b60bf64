#include "charts/wnd_chart_line.h"

#include "charts/chart_source.h"
#include "sources/handle_ids.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QDebug>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

WndChartLine::WndChartLine(QQuickItem* parent) : WndChartBase(parent)
{
    update_language();
    qDebug() << "WndChartLine::WndChartLine" << m_str_title;
}

WndChartLine::~WndChartLine() { qDeleteAll(m_map_ana); }

void WndChartLine::update_language()
{
    m_str_title = tr("Line analysis  Unit(Y: Celsius; X: Temperature point relative line analysis position)");
}

bool WndChartLine::add_ana(void* handle, void* h_ir, const QString& source_name, bool b_update_axis)
{
    if (handle == nullptr) {
        return false;
    }
    if (m_map_ana.contains(handle)) {
        return true;
    }
    auto* info = new LineAnaInfo;
    info->n_ir = library_ids().id_of(h_ir);
    info->str_name = source_name;
    info->str_short_name = chart_source::short_name(source_name);
    info->clr = chart_colour(mn_clr_index++);
    m_map_ana.insert(handle, info);
    const bool loaded = update_ana_temp(handle, b_update_axis);
    emit sig_update_add_ana(analysis_ids().id_of(handle));
    return loaded;
}

bool WndChartLine::remove_ana(void* handle, bool b_update_axis)
{
    LineAnaInfo* info = m_map_ana.take(handle);
    if (info == nullptr) {
        return false;
    }
    delete info;
    if (b_update_axis) {
        recalculation_axis();
    }
    emit sig_update_del_ana(analysis_ids().id_of(handle));
    update();
    return true;
}

bool WndChartLine::remove_all_ana(bool b_update_axis)
{
    if (m_map_ana.isEmpty()) {
        return false;
    }
    qDeleteAll(m_map_ana);
    m_map_ana.clear();
    if (b_update_axis) {
        recalculation_axis();
    }
    emit sig_update_clear_ana();
    update();
    return true;
}

void WndChartLine::load_cursor(void* handle, LineAnaInfo* info)
{
    const int count = static_cast<int>(info->temps.size());
    bool show = false;
    if (thermframe_ana_is_show_cursor(handle, show) && show) {
        float scale = 0.5f;
        thermframe_ana_get_scale_of_cursor(handle, scale);
        const double index = std::isfinite(scale) ? std::trunc(count * static_cast<double>(scale)) : 0.0;
        info->n_cursor = static_cast<int>(std::max(0.0, std::min(index, static_cast<double>(count - 1))));
    }
    info->b_show_cursor = show;
}

bool WndChartLine::load_profile(void* handle, LineAnaInfo* info)
{
    if (mp_ir_wnd == nullptr || !chart_source::read_all_temps(handle, info->temps)) {
        return false;
    }
    load_cursor(handle, info);
    float f_max = 0.0f, f_min = 0.0f, f_avg = 0.0f;
    uint16_t x = 0, y = 0, ad = 0;
    if (thermframe_ana_get_max_temp(handle, x, y, ad, f_max) && thermframe_ana_get_min_temp(handle, x, y, ad, f_min)) {
        info->f_max = f_max;
        info->f_min = f_min;
        if (thermframe_ana_get_avg_temp(handle, ad, f_avg)) {
            info->f_avg = f_avg;
        }
    }
    return true;
}

bool WndChartLine::update_ana_temp(void* handle, bool b_update_axis)
{
    LineAnaInfo* info = m_map_ana.value(handle, nullptr);
    if (info == nullptr || !load_profile(handle, info)) {
        return false;
    }
    if (b_update_axis) {
        recalculation_axis();
    }
    emit sig_update_ana_temp(analysis_ids().id_of(handle));
    return true;
}

bool WndChartLine::update_all_ana(bool b_update_axis)
{
    for (auto it = m_map_ana.begin(); it != m_map_ana.end(); ++it) {
        if (it.value()->b_enable && load_profile(it.key(), it.value())) {
            emit sig_update_ana_temp(analysis_ids().id_of(it.key()));
        }
    }
    if (b_update_axis) {
        recalculation_axis();
    }
    return true;
}

bool WndChartLine::update_ana_cursor(void* handle, bool b_update_axis)
{
    LineAnaInfo* info = m_map_ana.value(handle, nullptr);
    if (info == nullptr || info->temps.empty()) {
        return false;
    }
    load_cursor(handle, info);
    if (b_update_axis) {
        recalculation_axis();
    }
    return true;
}

void WndChartLine::update_all_cursors()
{
    for (auto it = m_map_ana.begin(); it != m_map_ana.end(); ++it) {
        if (it.value()->b_enable && !it.value()->temps.empty()) {
            load_cursor(it.key(), it.value());
        }
    }
    update();
}

bool WndChartLine::on_refresh_timer()
{
    update_all_ana(true);
    update_all_cursors();
    return true;
}

bool WndChartLine::recalculation_axis()
{
    float lo = 999900.0f;
    float hi = -999999.0f;
    int longest = -999999;
    bool any = false;
    for (const LineAnaInfo* info : m_map_ana) {
        if (!info->b_enable) {
            continue;
        }
        any = true;
        lo = std::min(lo, info->f_min);
        hi = std::max(hi, info->f_max);
        longest = std::max(longest, static_cast<int>(info->temps.size()));
    }
    if (any) {
        if (mb_axis_y_auto) {
            if (lo > hi) std::swap(lo, hi);
            const float margin = std::max(2.0f, (hi - lo) / 10.0f);
            mf_axis_y_min = lo - margin;
            mf_axis_y_max = hi + margin;
            calc_axis_y_step();
            build_axis_y_ticks();
            emit sig_update_temp_range();
        }
        mf_axis_x_max = static_cast<float>(longest);
    } else {
        mf_axis_x_max = 20.0f;
        emit sig_update_temp_range();
    }
    calc_axis_x_step();
    build_axis_x_ticks();
    calc_scroll_bar();
    update();
    return true;
}

void WndChartLine::draw_chart_data(QPainter* painter, const QRect& plot)
{
    if (!(mf_axis_x_step > 0.0f) || !(mf_axis_y_step > 0.0f)) {
        return;
    }
    const double x_scale = mf_axis_x_step_px / static_cast<double>(mf_axis_x_step);
    const double y_scale = mn_axis_y_step_px / static_cast<double>(mf_axis_y_step);
    const double x0 = mb_zoomed ? mf_view_x_min : 0.0;
    const int margin = static_cast<int>(mf_axis_x_step < 1.0f ? 1.0f / mf_axis_x_step : mf_axis_x_step);
    QPolygon line;
    for (const LineAnaInfo* info : m_map_ana) {
        if (!info->b_enable || info->temps.empty()) {
            continue;
        }
        const int count = static_cast<int>(info->temps.size());
        int first = 0;
        int last = count - 1;
        if (mb_zoomed) {
            first = std::max(0, static_cast<int>(mf_view_x_min - margin - 1));
            last = std::min(count - 1, static_cast<int>(mf_view_x_max + margin + 1));
        }
        painter->setPen(info->clr);
        line.clear();
        int cursor_x = 0;
        for (int i = first; i <= last; ++i) {
            const int x = static_cast<int>((i - x0) * x_scale);
            const int y = plot.height() - static_cast<int>((info->temps[i] - mf_axis_y_min) * y_scale);
            line.append(QPoint(x, y));
            if (i == mn_hover_index) mn_hover_x = x;
            if (i == info->n_cursor) cursor_x = x;
        }
        painter->drawPolyline(line);
        if (info->b_show_cursor) {
            painter->drawLine(cursor_x, plot.top(), cursor_x, plot.bottom());
        }
    }
    painter->setPen(QColor(255, 0, 0));
    painter->drawLine(plot.left() + mn_hover_x, plot.top(), plot.left() + mn_hover_x, plot.bottom());
}

void WndChartLine::show_hover_tooltip(const QPoint& pos, int hover_index)
{
    if (pos == m_pt_tooltip) {
        return;
    }
    m_pt_tooltip = pos;
    QStringList blocks;
    for (auto it = m_map_ana.constBegin(); it != m_map_ana.constEnd(); ++it) {
        const LineAnaInfo* info = it.value();
        if (!info->b_enable || hover_index < 0 || static_cast<int>(info->temps.size()) <= hover_index) {
            continue;
        }
        blocks << chart_source::alias_of(it.key()) + "\r\n" + tr("Temperature:") +
                      ChartAxis::temp_text(info->temps[hover_index]) + "\r\n" + tr("Max:") +
                      ChartAxis::temp_text(info->f_max) + tr("-Min:") + ChartAxis::temp_text(info->f_min) +
                      tr("-Avg:") + ChartAxis::temp_text(info->f_avg);
    }
    const QString text = blocks.join("\r\n");
    if (!text.isEmpty()) {
        const QPointF scene = mapToScene(pos);
        emit sig_show_tooltip(text, static_cast<int>(scene.x()), static_cast<int>(scene.y()));
    }
}

bool WndChartLine::is_enable_ana(void* handle) const
{
    const LineAnaInfo* info = m_map_ana.value(handle, nullptr);
    return info != nullptr && info->b_enable;
}

QString WndChartLine::get_ana_clr_name(int h_ana) const
{
    const LineAnaInfo* info = m_map_ana.value(analysis_ids().handle_of(h_ana), nullptr);
    return info != nullptr ? info->clr.name() : QString();
}

bool WndChartLine::is_enable_ana(int h_ana) const { return is_enable_ana(analysis_ids().handle_of(h_ana)); }

bool WndChartLine::enable_ana(int h_ana, bool b_enable)
{
    LineAnaInfo* info = m_map_ana.value(analysis_ids().handle_of(h_ana), nullptr);
    if (info == nullptr) {
        return false;
    }
    if (info->b_enable != b_enable) {
        info->b_enable = b_enable;
        recalculation_axis();
    }
    return true;
}

bool WndChartLine::set_ana_clr(int h_ana, const QString& str_clr)
{
    LineAnaInfo* info = m_map_ana.value(analysis_ids().handle_of(h_ana), nullptr);
    QColor clr;
    clr.setNamedColor(str_clr);
    if (info == nullptr || !clr.isValid()) {
        return false;
    }
    info->clr = clr;
    update();
    return true;
}

QString WndChartLine::get_ana_name_and_temp(int n_id_ana) const
{
    const LineAnaInfo* info = m_map_ana.value(analysis_ids().handle_of(n_id_ana), nullptr);
    if (mp_ir_wnd == nullptr || info == nullptr) {
        return QString();
    }
    return " (" + ChartAxis::temp_text(info->f_min) + " - " + ChartAxis::temp_text(info->f_max) + ")";
}

void WndChartLine::attach_to_view(WndIRShow* view)
{
    if (view != nullptr) {
        view->set_line_chart(this);
    }
}
