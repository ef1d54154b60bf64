#include "charts/wnd_chart_trend_pixel.h"

#include "charts/chart_source.h"
#include "charts/manager_chart_trend.h"
#include "charts/pixel_band_count.h"
#include "sources/handle_ids.h"
#include "sources/ir_base.h"

#include <QDebug>
#include <QMutexLocker>

WndChartTrendPixel::WndChartTrendPixel(QQuickItem* parent) : WndChartTrend(parent) { update_language(); }

WndChartTrendPixel::~WndChartTrendPixel()
{
    // Out of the registry before the curves go, so no frame thread samples
    // into a half-destroyed chart; the series are owned and freed with it.
    detach_from_registry();
}

void WndChartTrendPixel::update_language()
{
    m_str_title = tr(" Y: Percentage; X: first line, relative time(s); second line, absolute time");
}

QString WndChartTrendPixel::range_text(float f_max, float f_min, float f_ana_max, float f_ana_min)
{
    return QString::asprintf("(%.1f-%.1f)/(%.1f-%.1f)", f_ana_min, f_ana_max, f_min, f_max);
}

TrendSample WndChartTrendPixel::band_sample(const std::vector<float>& temps, float f_max, float f_min,
                                            float f_ana_max, float f_ana_min)
{
    const PixelBandCount c = PixelBandCount::count(temps.data(), static_cast<int64_t>(temps.size()), f_ana_min,
                                                   f_ana_max, f_min, f_max);
    TrendSample sample;
    sample.f_max = c.percentage();
    sample.f_min = static_cast<float>(c.n_focus);
    return sample;
}

TrendSample WndChartTrendPixel::band_sample(const std::vector<float>& temps, const ChartTrendInfo& series)
{
    float f_max = 0, f_min = 0, f_ana_max = 0, f_ana_min = 0;
    series.get_pixel_band(f_max, f_min, f_ana_max, f_ana_min);
    return band_sample(temps, f_max, f_min, f_ana_max, f_ana_min);
}

void WndChartTrendPixel::collect_sources(std::vector<int>& sources) const { m_pixel_series.collect_sources(sources); }

void WndChartTrendPixel::drop_all_series()
{
    m_pixel_series.clear();
    m_map_pixel_samples.clear();
}

bool WndChartTrendPixel::drop_source_series(int h_ir)
{
    m_map_pixel_samples.erase(h_ir);
    return m_pixel_series.erase_source(h_ir);
}

void WndChartTrendPixel::drop_samples(int h_ir, int h_ana, const QString* str_temp, bool ana_gone, bool source_gone)
{
    if (source_gone) {
        m_map_pixel_samples.erase(h_ir);
    } else if (ana_gone) {
        m_map_pixel_samples[h_ir].erase(h_ana);
    } else if (str_temp != nullptr) {
        m_map_pixel_samples[h_ir][h_ana].erase(*str_temp);
    }
}

bool WndChartTrendPixel::fixed_y_range(float& lo, float& hi) const
{
    lo = -10.0f;
    hi = 105.0f;
    return true;
}

void WndChartTrendPixel::collect_series(std::vector<ChartTrendInfo*>& series) const
{
    m_pixel_series.collect_series(series);
}

bool WndChartTrendPixel::has_ana(int h_ir, int h_ana, const QString& str_temp)
{
    QMutexLocker lock(&m_mutex_series);
    return m_pixel_series.has(h_ir, h_ana, str_temp);
}

ChartTrendInfo* WndChartTrendPixel::create_pixel_series(int h_ir, float f_max, float f_min, float f_ana_max,
                                                        float f_ana_min)
{
    (void)h_ir;
    auto* series = new ChartTrendInfo(TREND_MAX);
    series->set_pixel_band(f_max, f_min, f_ana_max, f_ana_min);
    series->m_clr = chart_colour(mn_colour_index++);
    return series;
}

bool WndChartTrendPixel::add_ana(int h_ana, int h_ir, float f_max, float f_min, float f_ana_max, float f_ana_min)
{
    if (begin_add(h_ana, h_ir) == nullptr) {
        return false;
    }
    const int64_t time = now_ms();
    const QString key = range_text(f_max, f_min, f_ana_max, f_ana_min);
    {
        QMutexLocker lock(&m_mutex_series);
        // A failed read counts no pixels: the first point is 0 percent.
        if (!chart_source::read_all_temps(analysis_ids().handle_of(h_ana), m_work)) {
            m_work.clear();
        }
        TrendSample sample = band_sample(m_work, f_max, f_min, f_ana_max, f_ana_min);
        stamp_of(h_ir, 0, time, false).apply(sample);
        auto& samples = m_map_pixel_samples[h_ir][h_ana];
        if (samples.count(key) == 0) {
            samples[key] = {sample};
        }
        if (!m_pixel_series.has(h_ir, h_ana, key)) {
            ChartTrendInfo* series = create_pixel_series(h_ir, f_max, f_min, f_ana_max, f_ana_min);
            if (series == nullptr) {
                return false;
            }
            m_pixel_series.insert(h_ir, h_ana, key, std::unique_ptr<ChartTrendInfo>(series));
        }
    }
    emit sig_pixel_trend_add_ana(h_ir, h_ana, key, mb_live);
    on_refresh_timer();
    qDebug() << "WndChartTrend::add_ana ana end 1";
    return true;
}

void WndChartTrendPixel::sample_frame(int n_frame, int64_t now)
{
    for (auto& source : m_map_pixel_samples) {
        const auto series_source = m_pixel_series.sources().find(source.first);
        if (series_source == m_pixel_series.sources().end()) continue;
        const SampleStamp stamp = stamp_of(source.first, n_frame, now, true);
        for (auto& ana : source.second) {
            const auto series_ana = series_source->second.find(ana.first);
            if (ana.first == 0 || series_ana == series_source->second.end()) continue;
            if (!chart_source::read_all_temps(analysis_ids().handle_of(ana.first), m_work)) continue;
            for (auto& range : ana.second) {
                const auto s = series_ana->second.find(range.first);
                if (s == series_ana->second.end()) continue;
                TrendSample sample = band_sample(m_work, *s->second);
                stamp.apply(sample);
                range.second.push_back(sample);
            }
        }
    }
}

bool WndChartTrendPixel::on_refresh_timer()
{
    {
        QMutexLocker lock(&m_mutex_series);
        if (!mb_live && !mb_trend_started) {
            return false;
        }
        bool first_list = true;
        for (auto& source : m_map_pixel_samples) {
            for (auto& ana : source.second) {
                for (auto& range : ana.second) {
                    if (!m_pixel_series.has(source.first, ana.first, range.first)) {
                        range.second.clear();
                        continue;
                    }
                    ChartTrendInfo* s = m_pixel_series.sources().at(source.first).at(ana.first).at(range.first).get();
                    take_samples(range.second, {s}, first_list, false);
                }
            }
        }
    }
    return recalculation_axis();
}

bool WndChartTrendPixel::restart_series()
{
    const int64_t time = now_ms();
    QMutexLocker lock(&m_mutex_series);
    m_map_pixel_samples.clear();
    for (auto& source : m_pixel_series.sources()) {
        const SampleStamp stamp = stamp_of(source.first, 0, time, false);
        for (auto& ana : source.second) {
            void* handle = analysis_ids().handle_of(ana.first);
            if (ana.first == 0 || !chart_source::read_all_temps(handle, m_work)) continue;
            for (auto& range : ana.second) {
                range.second->reset();
                TrendSample sample = band_sample(m_work, *range.second);
                stamp.apply(sample);
                m_map_pixel_samples[source.first][ana.first][range.first] = {sample};
            }
        }
    }
    m_map_marks.clear();
    return true;
}

bool WndChartTrendPixel::remove_ana_all(int h_ana, bool b_recalc)
{
    int h_ir = 0;
    bool source_gone = false;
    {
        QMutexLocker lock(&m_mutex_series);
        const std::vector<int> holders = m_pixel_series.sources_of(h_ana);
        if (holders.empty()) {
            return false;
        }
        h_ir = holders.front();
        bool ana_gone = false;
        m_pixel_series.erase(h_ir, h_ana, nullptr, ana_gone, source_gone);
        drop_samples(h_ir, h_ana, nullptr, ana_gone, source_gone);
        if (source_gone) forget_source(h_ir);
    }
    erase_conditions(h_ir, h_ana, false);
    if (b_recalc) {
        recalculation_axis();
    }
    if (!source_gone) {
        emit sig_pixel_trend_del_ana(h_ir, h_ana);
    } else {
        ManagerChartTrend::instance()->update_ctrl_with_trend(h_ir);
        emit sig_pixel_trend_del_ir(h_ir);
    }
    return true;
}

bool WndChartTrendPixel::remove_ana(int h_ana, const QString& str_temp)
{
    int h_ir = 0;
    bool source_gone = false;
    {
        QMutexLocker lock(&m_mutex_series);
        const std::vector<int> holders = m_pixel_series.sources_of(h_ana, &str_temp);
        if (holders.empty()) {
            return false;
        }
        h_ir = holders.front();
        bool ana_gone = false;
        m_pixel_series.erase(h_ir, h_ana, &str_temp, ana_gone, source_gone);
        drop_samples(h_ir, h_ana, &str_temp, ana_gone, source_gone);
        if (source_gone) forget_source(h_ir);
    }
    if (!source_gone) {
        emit sig_pixel_trend_del_ana_type(h_ir, h_ana, str_temp);
    } else {
        ManagerChartTrend::instance()->update_ctrl_with_trend(h_ir);
        emit sig_pixel_trend_del_ir(h_ir);
    }
    recalculation_axis();
    return true;
}

bool WndChartTrendPixel::set_ana_clr(int h_ana, const QString& str_temp, const QString& str_clr)
{
    return recolour(m_pixel_series, h_ana, str_temp, str_clr);
}

QString WndChartTrendPixel::get_ana_name_and_temp(int h_ana, const QString& str_temp)
{
    QMutexLocker lock(&m_mutex_series);
    if (m_pixel_series.find(h_ana, str_temp) == nullptr) {
        return QStringLiteral("unknow");
    }
    const QString alias = chart_source::alias_of(analysis_ids().handle_of(h_ana));
    return alias.isEmpty() ? QStringLiteral("unknow") : alias;
}

QString WndChartTrendPixel::get_ana_clr_name(int h_ana, const QString& str_temp)
{
    QMutexLocker lock(&m_mutex_series);
    const ChartTrendInfo* s = m_pixel_series.find(h_ana, str_temp);
    return s != nullptr ? s->m_clr.name() : QString();
}

void WndChartTrendPixel::queue_end_marker(int h_ir, const TrendSample& end)
{
    for (auto& ana : m_map_pixel_samples[h_ir]) {
        for (auto& range : ana.second) range.second.push_back(end);
    }
}

QString WndChartTrendPixel::tooltip_text(int index)
{
    if (index <= 0) {
        return QString();
    }
    QMutexLocker lock(&m_mutex_series);
    QString mark_part;
    const auto mark = m_map_marks.find(index);
    if (mark != m_map_marks.end()) {
        mark_part = tr("Mark:") + mark->second.str_text + "\r\n";
    }
    QString frame_part, time_part, current_part, lines;
    bool first_of_all = true;
    for (const auto& source : m_pixel_series.sources()) {
        bool first_of_source = true;
        for (const auto& ana : source.second) {
            const QString alias = chart_source::alias_of(analysis_ids().handle_of(ana.first));
            for (const auto& range : ana.second) {
                const ChartTrendInfo& s = *range.second;
                const QString value = s.value_text(index);
                if (value.isEmpty()) continue;
                QString prefix;
                if (first_of_source) {
                    first_of_source = false;
                    QString name, span;
                    s.source_info(index, name, span);
                    prefix = (mb_live ? tr("Device name:") : tr("Video name:")) + name + "\r\n";
                    if (first_of_all) {
                        first_of_all = false;
                        time_part = tr("Video time:") + span + "\r\n";
                        if (!mb_live) frame_part = tr("Frame number:") + QString::number(s.frame_at(index) + 1) + "\r\n";
                        current_part = tr("Current frame time:") + s.time_label_ms(index);
                    }
                }
                lines += prefix + alias + range.first + value + "\r\n";
            }
        }
    }
    return mark_part + frame_part + (mb_live ? QString() : time_part) + lines + current_part;
}
