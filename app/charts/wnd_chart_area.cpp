#include "charts/wnd_chart_area.h"

#include "charts/chart_source.h"
#include "sources/handle_ids.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QDebug>
#include <QPainter>

#include <cmath>
#include <string>

WndChartArea::WndChartArea(QQuickItem* parent) : WndChartBase(parent)
{
    mf_axis_y_min = 0.0f;
    mf_axis_y_max = 100.0f;
    update_language();
}

WndChartArea::~WndChartArea() { qDeleteAll(m_map_ana); }

void WndChartArea::update_language()
{
    m_str_title = tr("Analyze the histogram  Unit(Y: Percentage of temperature range; X: Celsius)");
}

bool WndChartArea::add_ana(void* handle, void* h_ir, const QString& source_name, bool b_update_axis)
{
    if (mp_ir_wnd == nullptr || handle == nullptr) {
        return false;
    }
    if (m_map_ana.contains(handle)) {
        return true;
    }
    const QString alias = chart_source::alias_of(handle);
    if (alias.isEmpty()) {
        return false;
    }
    auto* info = new AreaAnaInfo;
    info->n_ir = library_ids().id_of(h_ir);
    info->str_name = source_name;
    info->str_short_name = chart_source::short_name(source_name);
    m_map_ana.insert(handle, info);
    if (mh_select_ana == nullptr) {
        mh_select_ana = handle;
    }
    emit sig_update_add_ana(analysis_ids().id_of(handle));
    return update_ana_temp(handle, b_update_axis);
}

bool WndChartArea::remove_ana(void* handle, bool b_update_axis)
{
    AreaAnaInfo* info = m_map_ana.take(handle);
    if (info == nullptr) {
        return false;
    }
    delete info;
    if (handle == mh_select_ana) {
        mh_select_ana = m_map_ana.isEmpty() ? nullptr : m_map_ana.firstKey();
        if (mh_select_ana == nullptr) {
            clear_bins();
        }
    }
    if (b_update_axis) {
        recalculation_axis();
    }
    qDebug() << "WndChartArea::remove_ana" << handle << mh_select_ana;
    if (mh_select_ana != nullptr) {
        emit sig_update_ana_temp(analysis_ids().id_of(mh_select_ana));
        emit sig_update_del_ana(analysis_ids().id_of(handle));
    } else {
        emit sig_update_clear_ana();
    }
    return true;
}

bool WndChartArea::remove_all_ana(bool b_update_axis)
{
    if (m_map_ana.isEmpty()) {
        return false;
    }
    mh_select_ana = nullptr;
    qDeleteAll(m_map_ana);
    m_map_ana.clear();
    clear_bins();
    if (b_update_axis) {
        recalculation_axis();
    }
    emit sig_update_clear_ana();
    return true;
}

void WndChartArea::clear_bins()
{
    m_bins.clear();
    update();
}

bool WndChartArea::update_ana_temp(void* handle, bool b_update_axis)
{
    AreaAnaInfo* info = m_map_ana.value(handle, nullptr);
    if (mp_ir_wnd == nullptr || handle == nullptr || handle != mh_select_ana || info == nullptr) {
        return false;
    }
    float f_max = 0.0f, f_min = 0.0f, f_avg = 0.0f;
    uint16_t x = 0, y = 0, ad = 0;
    const bool has_max = thermframe_ana_get_max_temp(handle, x, y, ad, f_max);
    const bool has_min = thermframe_ana_get_min_temp(handle, x, y, ad, f_min);
    const bool has_avg = thermframe_ana_get_avg_temp(handle, ad, f_avg);
    if (has_max && has_min && has_avg) {
        info->str_legend = tr("Max:") + ChartAxis::temp_text(f_max) + tr("-Min:") + ChartAxis::temp_text(f_min) +
                           tr("-Avg:") + ChartAxis::temp_text(f_avg);
    }
    if (has_max && has_min) {
        info->f_max = f_max;
        info->f_min = f_min;
    }
    if (!chart_source::read_all_temps(handle, m_temps)) {
        return false;
    }
    float lo = mf_axis_x_min;
    float hi = mf_axis_x_max;
    if (mb_auto_range) {
        lo = info->f_min;
        hi = info->f_max;
        mf_axis_x_min = lo;
        mf_axis_x_max = hi;
    }
    const int bins = HistogramBins::bin_count(lo, hi, mn_area_count);
    m_bins.compute(m_temps.data(), static_cast<int64_t>(m_temps.size()), lo, hi, bins,
                   mb_auto_range || mb_all_in_range);
    if (bins != mn_use_area_count) {
        mn_use_area_count = bins;
        emit sig_update_area_count(bins);
    }
    if (b_update_axis) {
        recalculation_axis();
    }
    update();
    return true;
}

void WndChartArea::check_range()
{
    if (mb_auto_range || mh_select_ana == nullptr) {
        mb_all_in_range = true;
        return;
    }
    float f_max = 0.0f, f_min = 0.0f;
    uint16_t x = 0, y = 0, ad = 0;
    thermframe_ana_get_max_temp(mh_select_ana, x, y, ad, f_max);
    thermframe_ana_get_min_temp(mh_select_ana, x, y, ad, f_min);
    mb_all_in_range = !(f_max > mf_axis_x_max || f_min < mf_axis_x_min);
}

bool WndChartArea::recalculation_axis()
{
    if (mb_auto_range) {
        const AreaAnaInfo* info = m_map_ana.value(mh_select_ana, nullptr);
        mf_axis_x_min = info != nullptr ? info->f_min : 0.0f;
        mf_axis_x_max = info != nullptr ? info->f_max : 100.0f;
    }
    calc_axis_x_step();
    build_axis_x_ticks();
    calc_scroll_bar();
    if (mb_auto_range) {
        emit sig_update_temp_range();
    }
    update();
    return true;
}

bool WndChartArea::update_select_ana(bool b_update_axis)
{
    check_range();
    return update_ana_temp(mh_select_ana, b_update_axis);
}

bool WndChartArea::on_refresh_timer() { return update_select_ana(true); }

bool WndChartArea::is_enable_ana(int h_ana) const { return is_enable_ana(analysis_ids().handle_of(h_ana)); }

bool WndChartArea::enable_ana(int h_ana, bool b_enable)
{
    if (!b_enable) {
        return true;
    }
    void* handle = analysis_ids().handle_of(h_ana);
    if (!m_map_ana.contains(handle)) {
        return false;
    }
    mh_select_ana = handle;
    check_range();
    update_ana_temp(handle, true);
    return true;
}

QString WndChartArea::get_ana_name_and_temp(int n_id_ana) const
{
    void* handle = analysis_ids().handle_of(n_id_ana);
    if (mp_ir_wnd == nullptr || !m_map_ana.contains(handle)) {
        return QStringLiteral("unknow");
    }
    const QString alias = chart_source::alias_of(handle);
    return alias.isEmpty() ? QStringLiteral("unknow") : alias;
}

void WndChartArea::set_use_area_count(int n_count)
{
    if (n_count < 1) {
        return;
    }
    if (mn_area_count != mn_use_area_count && mn_area_count < n_count) {
        return;
    }
    if (n_count == mn_area_count) {
        return;
    }
    mn_area_count = n_count;
    clear_bins();
}

void WndChartArea::calc_axis_x_step()
{
    if (item_width() < 10 || item_height() < 10 || plot_width() < 1) {
        return;
    }
    const int n = std::max(1, mn_use_area_count);
    mf_axis_x_step_px = static_cast<float>(plot_width() / (n + 1));
    mf_axis_x_step = (mf_axis_x_max - mf_axis_x_min) / n;
}

void WndChartArea::build_axis_x_ticks()
{
    m_list_axis_x.clear();
    const int n = std::max(1, mn_use_area_count);
    float offset = std::trunc(mf_axis_x_step_px * 0.5f);
    for (int i = 0; i <= n; ++i) {
        AxisTick tick;
        tick.n_offset = static_cast<int>(offset);
        const float value = mf_axis_x_min + i * mf_axis_x_step;
        tick.f_value = value;
        tick.str_label = QString::asprintf("%.1f", value);
        m_list_axis_x.append(tick);
        offset = std::trunc(offset + mf_axis_x_step_px);
    }
}

void WndChartArea::draw_chart_data(QPainter* painter, const QRect& plot)
{
    const int n = m_bins.bins();
    if (n < 1 || n > mn_area_count || m_list_axis_x.size() < n + 1 || !(mf_axis_y_step > 0.0f)) {
        return;
    }
    const std::vector<int64_t>& counts = m_bins.counts();
    const std::vector<float>& percents = m_bins.percents();
    for (int i = 0; i < n; ++i) {
        const int left = plot.left() + m_list_axis_x[i].n_offset;
        if (m_list_axis_x[i].n_offset == 0 || left >= plot.right()) {
            continue;
        }
        int h = static_cast<int>((percents[i] - mf_axis_y_min) * mn_axis_y_step_px / mf_axis_y_step);
        if (counts[i] > 0 && h < 3) {
            h = 3;
        }
        const QRect bar(QPoint(left, plot.top() + plot.height() - h),
                        QPoint(plot.left() + m_list_axis_x[i + 1].n_offset - 1, plot.bottom()));
        painter->fillRect(bar, chart_colour(i));
        painter->setPen(kClrGrid);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(bar);
    }
}

void WndChartArea::show_hover_tooltip(const QPoint& pos, int hover_index)
{
    (void)hover_index;
    if (m_map_ana.isEmpty() || !plot_rect().contains(pos) || pos == m_pt_tooltip) {
        return;
    }
    m_pt_tooltip = pos;
    const int x = pos.x() - plot_rect().left();
    const int n = m_bins.bins();
    int bin = -1;
    for (int k = 0; k < m_list_axis_x.size(); ++k) {
        if (m_list_axis_x[k].n_offset > x) {
            bin = k - 1;
            break;
        }
    }
    if (bin < 0 || bin >= n || bin + 1 >= m_list_axis_x.size()) {
        emit sig_show_tooltip(QString(), 0, 0);
        return;
    }
    const float percent = std::min(100.0f, m_bins.percents()[bin]);
    const QString text = tr("Temperature range: ") + m_list_axis_x[bin].str_label + " - " +
                         m_list_axis_x[bin + 1].str_label + "\r\n" + tr("Percentage: ") +
                         QString::asprintf("%.2f", percent) + "%" + "\r\n" + tr("Points number: ") +
                         QString::asprintf("%lld", static_cast<long long>(m_bins.counts()[bin]));
    const QPointF scene = mapToScene(pos);
    emit sig_show_tooltip(text, static_cast<int>(scene.x()), static_cast<int>(scene.y()));
}

void WndChartArea::attach_to_view(WndIRShow* view)
{
    if (view != nullptr) {
        view->set_area_chart(this);
    }
}
