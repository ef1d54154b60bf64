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

void WndChartTrendPixel::collect_sources(std::vector<int>& sources) const
{
    for (const auto& entry : m_map_pixel_series) sources.push_back(entry.first);
}

void WndChartTrendPixel::drop_all_series()
{
    m_map_pixel_series.clear();
    m_map_pixel_samples.clear();
}

bool WndChartTrendPixel::drop_source_series(int h_ir)
{
    m_map_pixel_samples.erase(h_ir);
    return m_map_pixel_series.erase(h_ir) > 0;
}

bool WndChartTrendPixel::fixed_y_range(float& lo, float& hi) const
{
    lo = -10.0f;
    hi = 105.0f;
    return true;
}

void WndChartTrendPixel::collect_series(std::vector<ChartTrendInfo*>& series) const
{
    for (const auto& source : m_map_pixel_series) {
        for (const auto& ana : source.second) {
            for (const auto& range : ana.second) series.push_back(range.second.get());
        }
    }
}

bool WndChartTrendPixel::has_ana(int h_ir, int h_ana, const QString& str_temp)
{
    QMutexLocker lock(&m_mutex_series);
    const auto source = m_map_pixel_series.find(h_ir);
    if (source == m_map_pixel_series.end()) return false;
    const auto ana = source->second.find(h_ana);
    return ana != source->second.end() && ana->second.count(str_temp) > 0;
}

ChartTrendInfo* WndChartTrendPixel::find_series(int h_ana, const QString& str_temp) const
{
    for (const auto& source : m_map_pixel_series) {
        const auto ana = source.second.find(h_ana);
        if (ana == source.second.end()) continue;
        const auto range = ana->second.find(str_temp);
        if (range != ana->second.end()) return range->second.get();
    }
    return nullptr;
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
        sample.n_time = time;
        fill_sample_source(h_ir, sample.str_file, 0, sample.n_time, sample.n_start, sample.n_end);
        auto& samples = m_map_pixel_samples[h_ir][h_ana];
        if (samples.count(key) == 0) {
            samples[key] = {sample};
        }
        auto& ranges = m_map_pixel_series[h_ir][h_ana];
        if (ranges.count(key) == 0) {
            ChartTrendInfo* series = create_pixel_series(h_ir, f_max, f_min, f_ana_max, f_ana_min);
            if (series == nullptr) {
                return false;
            }
            ranges[key].reset(series);
        }
    }
    emit sig_pixel_trend_add_ana(h_ir, h_ana, key, mb_live);
    on_refresh_timer();
    qDebug() << "WndChartTrend::add_ana ana end 1";
    return true;
}

void WndChartTrendPixel::on_trend_frame(int h_ir, int n_frame)
{
    if (!has_ir(h_ir)) {
        return;
    }
    {
        QMutexLocker lock(&m_mutex_series);
        if (!pace_frame(h_ir)) {
            return;
        }
    }
    const int64_t now = now_ms();
    QMutexLocker lock(&m_mutex_series);
    for (auto& source : m_map_pixel_samples) {
        QString file;
        int64_t time = now, start = 0, end = 0;
        fill_sample_source(source.first, file, n_frame, time, start, end);
        QString mark;
        const bool has_mark = mark_of_frame(source.first, n_frame, mark);
        const auto series_source = m_map_pixel_series.find(source.first);
        if (series_source == m_map_pixel_series.end()) continue;
        for (auto& ana : source.second) {
            const auto series_ana = series_source->second.find(ana.first);
            if (ana.first == 0 || series_ana == series_source->second.end()) continue;
            if (!chart_source::read_all_temps(analysis_ids().handle_of(ana.first), m_work)) continue;
            for (auto& range : ana.second) {
                const auto s = series_ana->second.find(range.first);
                if (s == series_ana->second.end()) continue;
                TrendSample sample = band_sample(m_work, *s->second);
                sample.n_frame = n_frame;
                sample.n_time = time;
                sample.n_start = start;
                sample.n_end = end;
                sample.b_mark = has_mark;
                sample.str_mark = mark;
                sample.str_file = file;
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
                    ChartTrendInfo* s = nullptr;
                    const auto ss = m_map_pixel_series.find(source.first);
                    if (ss != m_map_pixel_series.end()) {
                        const auto sa = ss->second.find(ana.first);
                        if (sa != ss->second.end()) {
                            const auto sr = sa->second.find(range.first);
                            if (sr != sa->second.end()) s = sr->second.get();
                        }
                    }
                    if (s != nullptr) {
                        for (const TrendSample& sample : range.second) {
                            if (sample.n_frame < -9998) {
                                mb_trend_started = false;
                                break;
                            }
                            const int index = s->add_sample(sample);
                            if (first_list && sample.b_mark && index >= 0 && m_map_marks.count(index) == 0) {
                                m_map_marks[index] = TrendMark{sample.n_frame, sample.str_file, sample.str_mark};
                            }
                        }
                        first_list = false;
                    }
                    range.second.clear();
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
    for (auto& source : m_map_pixel_series) {
        QString file;
        int64_t t = time, start = 0, end = 0;
        fill_sample_source(source.first, file, 0, t, start, end);
        for (auto& ana : source.second) {
            void* handle = analysis_ids().handle_of(ana.first);
            if (ana.first == 0 || !chart_source::read_all_temps(handle, m_work)) continue;
            for (auto& range : ana.second) {
                range.second->reset();
                TrendSample sample = band_sample(m_work, *range.second);
                sample.n_time = t;
                sample.n_start = start;
                sample.n_end = end;
                sample.str_file = file;
                m_map_pixel_samples[source.first][ana.first][range.first] = {sample};
            }
        }
    }
    m_map_marks.clear();
    return true;
}

void WndChartTrendPixel::forget_source_if_empty(int h_ir, bool& source_gone)
{
    const auto source = m_map_pixel_series.find(h_ir);
    source_gone = source == m_map_pixel_series.end() || source->second.empty();
    if (source_gone) {
        m_map_pixel_series.erase(h_ir);
        m_map_pixel_samples.erase(h_ir);
        m_map_ir_kind.erase(h_ir);
        if (m_map_pixel_series.empty()) {
            mb_trend_started = false;
            m_map_marks.clear();
        }
    }
}

bool WndChartTrendPixel::remove_ana_all(int h_ana, bool b_recalc)
{
    int h_ir = 0;
    bool source_gone = false;
    {
        QMutexLocker lock(&m_mutex_series);
        for (auto& source : m_map_pixel_series) {
            if (source.second.count(h_ana) > 0) {
                h_ir = source.first;
                break;
            }
        }
        if (h_ir == 0) {
            return false;
        }
        m_map_pixel_series[h_ir].erase(h_ana);
        m_map_pixel_samples[h_ir].erase(h_ana);
        forget_source_if_empty(h_ir, source_gone);
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
        for (auto& source : m_map_pixel_series) {
            const auto ana = source.second.find(h_ana);
            if (ana == source.second.end() || ana->second.count(str_temp) == 0) continue;
            h_ir = source.first;
            ana->second.erase(str_temp);
            if (ana->second.empty()) {
                source.second.erase(ana);
                m_map_pixel_samples[h_ir].erase(h_ana);
            } else {
                m_map_pixel_samples[h_ir][h_ana].erase(str_temp);
            }
            break;
        }
        if (h_ir == 0) {
            return false;
        }
        forget_source_if_empty(h_ir, source_gone);
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
    QColor clr;
    clr.setNamedColor(str_clr);
    bool found = false;
    {
        QMutexLocker lock(&m_mutex_series);
        for (auto& source : m_map_pixel_series) {
            const auto ana = source.second.find(h_ana);
            if (ana == source.second.end()) continue;
            const auto range = ana->second.find(str_temp);
            if (range != ana->second.end() && clr.isValid()) {
                range->second->m_clr = clr;
                found = true;
            }
        }
    }
    request_repaint();
    return found;
}

QString WndChartTrendPixel::get_ana_name_and_temp(int h_ana, const QString& str_temp)
{
    QMutexLocker lock(&m_mutex_series);
    if (find_series(h_ana, str_temp) == nullptr) {
        return QStringLiteral("unknow");
    }
    const QString alias = chart_source::alias_of(analysis_ids().handle_of(h_ana));
    return alias.isEmpty() ? QStringLiteral("unknow") : alias;
}

QString WndChartTrendPixel::get_ana_clr_name(int h_ana, const QString& str_temp)
{
    QMutexLocker lock(&m_mutex_series);
    const ChartTrendInfo* s = find_series(h_ana, str_temp);
    return s != nullptr ? s->m_clr.name() : QString();
}

void WndChartTrendPixel::append_trend_end(int h_ir)
{
    IRBase* source = ManagerChartTrend::instance()->find_ir_source(h_ir);
    if (source == nullptr) {
        return;
    }
    const QString name = source->get_file_path();
    QMutexLocker lock(&m_mutex_series);
    if (!mb_trend_started || m_map_pixel_series.count(h_ir) == 0) {
        return;
    }
    TrendSample end;
    end.n_frame = kTrendEndFrame;
    end.str_file = name;
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
    for (const auto& source : m_map_pixel_series) {
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
