#include "charts/wnd_chart_trend.h"

#include "charts/chart_source.h"
#include "charts/manager_chart_trend.h"
#include "reelplay.h"
#include "sources/handle_ids.h"
#include "sources/ir_base.h"
#include "thermframe.h"

#include <QDateTime>
#include <QDebug>
#include <QMutexLocker>
#include <QThread>
#include <QTimerEvent>

#include <cmath>
#include <algorithm>

namespace {

constexpr int kKindRecording = 2;
constexpr int kKindCamera = 3;

int64_t ms_of(const tagTimeVal& t)
{
    return static_cast<int64_t>(t.sec) * 1000 + t.usec / 1000;
}

}  // namespace

WndChartTrend::WndChartTrend(QQuickItem* parent) : WndChartBase(parent)
{
    mn_bottom_height = 15;
    update_language();
    mn_timer_id = startTimer(500, Qt::CoarseTimer);
    mn_repaint_timer_id = startTimer(100, Qt::CoarseTimer);
}

WndChartTrend::~WndChartTrend()
{
    detach_from_registry();
    std::vector<int> sources;
    {
        QMutexLocker lock(&m_mutex_series);
        collect_sources(sources);
    }
    for (int h : sources) {
        ManagerChartTrend::instance()->update_ctrl_with_trend(h);
    }
    if (mn_repaint_timer_id != 0) {
        killTimer(mn_repaint_timer_id);
    }
}

void WndChartTrend::detach_from_registry()
{
    if (!mb_detached) {
        mb_detached = true;
        // Waits for a frame walk in progress; no walk sees the chart after.
        ManagerChartTrend::instance()->remove_wnd_chart(this);
    }
}

void WndChartTrend::update_language()
{
    m_str_title = tr(" Y: Percentage; X: first line, relative time(s); second line, absolute time");
}

void WndChartTrend::set_clock(std::function<int64_t()> clock)
{
    QMutexLocker lock(&m_mutex_series);
    m_clock = std::move(clock);
}

int64_t WndChartTrend::now_ms() const
{
    QMutexLocker lock(&m_mutex_series);
    return m_clock ? m_clock() : QDateTime::currentMSecsSinceEpoch();
}

void WndChartTrend::request_repaint()
{
    if (QThread::currentThread() == thread()) {
        update();
    } else {
        QMetaObject::invokeMethod(this, "update", Qt::QueuedConnection);
    }
}

// --- Queries -----------------------------------------------------------------------

void WndChartTrend::collect_sources(std::vector<int>& sources) const { m_series.collect_sources(sources); }

bool WndChartTrend::has_ir(int h_ir)
{
    QMutexLocker lock(&m_mutex_series);
    std::vector<int> sources;
    collect_sources(sources);
    return std::find(sources.begin(), sources.end(), h_ir) != sources.end();
}

ChartTrendInfo* WndChartTrend::first_series()
{
    QMutexLocker lock(&m_mutex_series);
    std::vector<ChartTrendInfo*> series;
    collect_series(series);
    return series.empty() ? nullptr : series.front();
}

int WndChartTrend::first_ir()
{
    QMutexLocker lock(&m_mutex_series);
    std::vector<int> sources;
    collect_sources(sources);
    return sources.empty() ? 0 : sources.front();
}

void WndChartTrend::collect_series(std::vector<ChartTrendInfo*>& series) const { m_series.collect_series(series); }

int WndChartTrend::pending_samples()
{
    QMutexLocker lock(&m_mutex_series);
    int count = 0;
    for (const auto& entry : m_map_ana_samples) count += static_cast<int>(entry.second.size());
    return count;
}

int WndChartTrend::mark_count()
{
    QMutexLocker lock(&m_mutex_series);
    return static_cast<int>(m_map_marks.size());
}

QJsonArray WndChartTrend::get_ir_list()
{
    QMutexLocker lock(&m_mutex_series);
    std::vector<int> sources;
    collect_sources(sources);
    QJsonArray list;
    for (int h : sources) list.append(h);
    return list;
}

bool WndChartTrend::is_enable_ana(int h_ana, int n_type)
{
    QMutexLocker lock(&m_mutex_series);
    return m_series.find(h_ana, n_type) != nullptr;
}

QString WndChartTrend::kind_label(int kind) const
{
    switch (kind) {
    case TREND_MAX: return tr("-Max:");
    case TREND_MIN: return tr("-Min:");
    case TREND_AVG: return tr("-Avg:");
    default: return QString();
    }
}

bool WndChartTrend::set_ana_clr(int h_ana, int n_type, const QString& str_clr)
{
    return recolour(m_series, h_ana, n_type, str_clr);
}

QString WndChartTrend::get_ana_name_and_temp(int h_ana, int n_type)
{
    if (!is_enable_ana(h_ana, n_type)) {
        return QStringLiteral("unknow");
    }
    switch (n_type) {
    case TREND_MAX: return tr(" - Max ");
    case TREND_MIN: return tr(" - Min ");
    case TREND_AVG: return tr(" - Avg ");
    default: return QString();
    }
}

QString WndChartTrend::get_ana_clr_name(int h_ana, int n_type)
{
    QMutexLocker lock(&m_mutex_series);
    const ChartTrendInfo* s = m_series.find(h_ana, n_type);
    return s != nullptr ? s->m_clr.name() : QString();
}

QString WndChartTrend::get_ir_name(int h_ir) { return ManagerChartTrend::instance()->get_ir_name(h_ir); }

int WndChartTrend::find_ir_id(int h_ir)
{
    IRBase* source = ManagerChartTrend::instance()->find_ir_source(h_ir);
    std::vector<int> sources;
    QMutexLocker lock(&m_mutex_series);
    collect_sources(sources);
    if (sources.empty() || std::find(sources.begin(), sources.end(), h_ir) != sources.end()) return 0;
    if (source == nullptr) return 1;
    if (source->ir_type() == kKindCamera && mb_live) return 0;
    return 2;
}

void WndChartTrend::set_record_rate(int n_rate)
{
    if (mb_live && n_rate >= 1 && n_rate <= 1000) {
        QMutexLocker lock(&m_mutex_series);
        mn_record_rate = n_rate;
    }
}

// --- Adding ------------------------------------------------------------------------

void WndChartTrend::note_source(int h_ir, IRBase* source)
{
    m_map_ir_kind[h_ir] = source->ir_type();
    if (!mb_live) {
        m_map_ir_name.clear();
    }
    if (source->ir_type() != kKindRecording && m_map_ir_name.count(h_ir) == 0) {
        m_map_ir_name[h_ir] = source->get_file_path();
    }
}

void WndChartTrend::reset_x_axis()
{
    mb_zoomed = false;
    mf_axis_x_min = 0.0f;
    mf_axis_x_max = 20.0f;
    calc_axis_x_step();
    build_axis_x_ticks();
    calc_scroll_bar();
}

IRBase* WndChartTrend::begin_add(int h_ana, int h_ir)
{
    IRBase* source = ManagerChartTrend::instance()->find_ir_source(h_ir);
    if (source == nullptr) {
        return nullptr;
    }
    qDebug() << metaObject()->className() << "::add_ana ana" << h_ana;
    if (h_ir == 0 || h_ana == 0 || analysis_ids().handle_of(h_ana) == nullptr) {
        return nullptr;
    }
    const bool b_net = source->ir_type() == kKindCamera;
    bool is_new = false;
    if ((b_net && mb_live) || has_ir(h_ir)) {
        restart_series();
    } else {
        clear_all(false);
        is_new = true;
    }
    QMutexLocker lock(&m_mutex_series);
    mb_live = b_net;
    if (b_net || is_new) {
        reset_x_axis();
    }
    mb_trend_started = !mb_live;
    note_source(h_ir, source);
    return source;
}

bool WndChartTrend::add_ana(int h_ana, int h_ir, int n_type)
{
    if (begin_add(h_ana, h_ir) == nullptr) {
        return false;
    }
    const int64_t time = now_ms();
    {
        QMutexLocker lock(&m_mutex_series);
        TrendSample sample;
        stamp_of(h_ir, 0, time, false).apply(sample);
        chart_source::read_temps(analysis_ids().handle_of(h_ana), sample.f_max, sample.f_min, sample.f_avg);
        if (m_map_ana_samples.count(h_ana) == 0) {
            m_map_ana_samples[h_ana].push_back(sample);
        }
        if (!m_series.has(h_ir, h_ana, n_type)) {
            auto series = std::make_unique<ChartTrendInfo>(n_type);
            series->m_clr = chart_colour(mn_colour_index++);
            m_series.insert(h_ir, h_ana, n_type, std::move(series));
        }
    }
    emit sig_trend_add_ana(h_ir, h_ana, n_type, mb_live);
    on_refresh_timer();
    qDebug() << "WndChartTrend::add_ana ana end 1";
    return true;
}

// --- Sampling ------------------------------------------------------------------------

void WndChartTrend::timerEvent(QTimerEvent* event)
{
    WndChartBase::timerEvent(event);
    if (event->timerId() == mn_repaint_timer_id) {
        on_repaint_timer();
    } else if (event->timerId() == mn_timer_id) {
        on_pace_tick();
    }
}

void WndChartTrend::on_pace_tick()
{
    QMutexLocker lock(&m_mutex_series);
    if (!mb_live) {
        return;
    }
    mn_tick_count += 1;
    if (mn_tick_count % (2 * mn_record_rate) == 0) {
        mn_tick_count = 0;
        mb_sample_due = true;
    }
}

bool WndChartTrend::pace_frame(int h_ir)
{
    if (mb_live) {
        if (!mb_sample_due) {
            if (mn_condition_frame % 5 != 0) {
                mn_condition_frame += 1;
                return false;
            }
            if (!check_conditions(h_ir)) {
                mb_condition_met = false;
                mn_condition_frame = 0;
                return false;
            }
            mn_condition_frame = 1;
        }
        mb_sample_due = false;
        return true;
    }
    return mb_trend_started;
}

bool WndChartTrend::fill_sample_source(int h, QString& file, int n_frame, int64_t& time, int64_t& start,
                                       int64_t& end)
{
    if (h == 0) {
        return false;
    }
    const auto kind = m_map_ir_kind.find(h);
    if (kind == m_map_ir_kind.end() || kind->second != kKindRecording) {
        const auto name = m_map_ir_name.find(h);
        if (name != m_map_ir_name.end()) file = name->second;
        return true;
    }
    void* player = library_ids().handle_of(h);
    tagTimeVal t{};
    if (n_frame >= 0 && reelplay_get_time_of_frame(player, static_cast<uint32_t>(n_frame), t)) {
        time = ms_of(t);
    }
    if (reelplay_get_start_time(player, t)) start = ms_of(t);
    if (reelplay_get_end_time(player, t)) end = ms_of(t);
    std::string path;
    if (reelplay_get_file(player, path) && !path.empty()) {
        file = QString::fromStdString(path);
    } else {
        std::wstring wide;
        if (reelplay_get_file_w(player, wide)) file = QString::fromStdWString(wide);
    }
    return true;
}

bool WndChartTrend::mark_of_frame(int h, int n_frame, QString& text)
{
    const auto kind = m_map_ir_kind.find(h);
    if (mb_live || h == 0 || n_frame < 0 || kind == m_map_ir_kind.end() || kind->second != kKindRecording) {
        return false;
    }
    void* player = library_ids().handle_of(h);
    uint16_t length = 0;
    if (!reelplay_get_mark_info(player, static_cast<uint32_t>(n_frame), length, nullptr)) {
        return false;
    }
    text.clear();
    if (length == 0) {
        return true;
    }
    // A 16-bit length bounds the buffer; one more byte keeps the text ended.
    m_mark_buffer.assign(static_cast<size_t>(length) + 1, 0);
    uint16_t got = length;
    if (!reelplay_get_mark_info(player, static_cast<uint32_t>(n_frame), got, m_mark_buffer.data())) {
        return false;
    }
    const char* bytes = reinterpret_cast<const char*>(m_mark_buffer.data());
    text = QString::fromUtf8(bytes, static_cast<int>(qstrnlen(bytes, length)));
    return true;
}

void WndChartTrend::SampleStamp::apply(TrendSample& sample) const
{
    sample.n_frame = n_frame;
    sample.n_time = time;
    sample.n_start = start;
    sample.n_end = end;
    sample.b_mark = has_mark;
    sample.str_mark = mark;
    sample.str_file = file;
}

WndChartTrend::SampleStamp WndChartTrend::stamp_of(int h, int n_frame, int64_t now, bool with_mark)
{
    SampleStamp stamp;
    stamp.n_frame = n_frame;
    stamp.time = now;
    fill_sample_source(h, stamp.file, n_frame, stamp.time, stamp.start, stamp.end);
    if (with_mark) {
        stamp.has_mark = mark_of_frame(h, n_frame, stamp.mark);
    }
    return stamp;
}

void WndChartTrend::take_samples(std::vector<TrendSample>& pending, const std::vector<ChartTrendInfo*>& curves,
                                 bool& first_group, bool keep_end)
{
    for (const TrendSample& sample : pending) {
        if (sample.n_frame < -9998) {
            mb_trend_started = false;
            if (!keep_end) break;
        }
        int index = -1;
        for (ChartTrendInfo* s : curves) index = s->add_sample(sample);
        if (first_group && sample.b_mark && index >= 0 && m_map_marks.count(index) == 0) {
            m_map_marks[index] = TrendMark{sample.n_frame, sample.str_file, sample.str_mark};
        }
    }
    pending.clear();
    first_group = false;
}

void WndChartTrend::on_trend_frame(int h_ir, int n_frame)
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
    sample_frame(n_frame, now);
}

void WndChartTrend::sample_frame(int n_frame, int64_t now)
{
    for (const auto& source : m_series.sources()) {
        const SampleStamp stamp = stamp_of(source.first, n_frame, now, true);
        for (const auto& ana : source.second) {
            const auto pending = m_map_ana_samples.find(ana.first);
            if (pending == m_map_ana_samples.end()) continue;
            TrendSample sample;
            chart_source::read_temps(analysis_ids().handle_of(ana.first), sample.f_max, sample.f_min, sample.f_avg);
            if (sample.f_max < kTrendNoTemp || sample.f_min < kTrendNoTemp || sample.f_avg < kTrendNoTemp) {
                continue;
            }
            stamp.apply(sample);
            pending->second.push_back(sample);
        }
    }
}

bool WndChartTrend::on_refresh_timer()
{
    {
        QMutexLocker lock(&m_mutex_series);
        if (!mb_live && !mb_trend_started) {
            return false;
        }
        bool first_ana = true;
        std::vector<ChartTrendInfo*> curves;
        for (auto& source : m_series.sources()) {
            for (auto& ana : source.second) {
                auto pending = m_map_ana_samples.find(ana.first);
                if (pending == m_map_ana_samples.end()) continue;
                curves.clear();
                for (int kind : {TREND_MAX, TREND_MIN, TREND_AVG}) {
                    const auto s = ana.second.find(kind);
                    if (s != ana.second.end()) curves.push_back(s->second.get());
                }
                take_samples(pending->second, curves, first_ana, true);
            }
        }
    }
    return recalculation_axis();
}

bool WndChartTrend::recalculation_axis()
{
    bool empty = false;
    float lo = 99999.0f, hi = -999999.0f;
    int longest = -999999;
    {
        QMutexLocker lock(&m_mutex_series);
        std::vector<int> sources;
        collect_sources(sources);
        empty = sources.empty();
        std::vector<ChartTrendInfo*> series;
        collect_series(series);
        for (const ChartTrendInfo* s : series) {
            lo = std::min(lo, s->mf_value_min);
            hi = std::max(hi, s->mf_value_max);
            longest = std::max(longest, s->point_count());
        }
    }
    if (empty && mb_zoomed) {
        mb_zoomed = false;
        calc_axis_x_step();
        build_axis_x_ticks();
        calc_scroll_bar();
        update();
        return true;
    }
    float fixed_lo = 0.0f, fixed_hi = 0.0f;
    if (mb_axis_y_auto && fixed_y_range(fixed_lo, fixed_hi)) {
        mf_axis_y_min = fixed_lo;
        mf_axis_y_max = fixed_hi;
        calc_axis_y_step();
        build_axis_y_ticks();
    } else if (mb_axis_y_auto && !(lo >= 99999.0f && hi <= -99999.0f)) {
        if (lo > hi) std::swap(lo, hi);
        const float margin = std::max((hi - lo) / 10.0f, 2.0f);
        mf_axis_y_min = lo - margin;
        mf_axis_y_max = hi + margin;
        calc_axis_y_step();
        build_axis_y_ticks();
    }
    if (longest > mf_axis_x_max) {
        mf_axis_x_max = static_cast<float>(longest);
        calc_axis_x_step();
    }
    build_axis_x_ticks();
    calc_scroll_bar();
    emit sig_update_temp_range();
    update();
    return true;
}

// --- Record conditions -------------------------------------------------------------

float WndChartTrend::condition_value(const RecordCondition& condition)
{
    float value = 0.0f;
    uint16_t x = 0, y = 0, ad = 0;
    if (condition.h_ana != 0) {
        void* ana = analysis_ids().handle_of(condition.h_ana);
        if (condition.n_ana_temp_type == 0) thermframe_ana_get_max_temp(ana, x, y, ad, value);
        else if (condition.n_ana_temp_type == 1) thermframe_ana_get_min_temp(ana, x, y, ad, value);
        else thermframe_ana_get_avg_temp(ana, ad, value);
        return value;
    }
    IRBase* source = ManagerChartTrend::instance()->find_ir_source(condition.h_ir);
    void* frame = source != nullptr ? source->get_ir_data() : nullptr;
    if (frame == nullptr) {
        return 0.0f;
    }
    if (condition.n_ana_temp_type == 0) thermframe_get_max_temp(frame, x, y, ad, value);
    else if (condition.n_ana_temp_type == 1) thermframe_get_min_temp(frame, x, y, ad, value);
    else thermframe_get_avg_temp(frame, ad, value);
    return value;
}

bool WndChartTrend::add_record_condition(int h_ir, const QString& str_condition, int h_ana, int n_ana_temp_type,
                                         int n_ana_attach, int n_operator, float f_operator_temp)
{
    if (h_ir <= 0 || h_ana < 0) {
        return false;
    }
    const QString key = h_ana != 0 ? QString::number(h_ana) + str_condition : str_condition;
    qDebug() << " ------------------------- add_record_condition " << key;
    RecordCondition condition;
    condition.h_ana = h_ana;
    condition.h_ir = h_ir;
    condition.n_ana_temp_type = n_ana_temp_type;
    condition.n_ana_attach = n_ana_attach;
    condition.n_operator = n_operator;
    condition.f_operator_temp = f_operator_temp;
    // Read before the condition lock: the reading may ask the registry.
    condition.f_last = condition_value(condition);
    QMutexLocker lock(&m_mutex_condition);
    auto& conditions = m_map_ir_conditions[h_ir];
    if (conditions.count(key) > 0) {
        return false;
    }
    conditions[key] = condition;
    return true;
}

bool WndChartTrend::remove_record_condition(int h_ir, int h_ana, const QString& str_condition)
{
    const QString key = h_ana != 0 ? QString::number(h_ana) + str_condition : str_condition;
    qDebug() << " +++++++++++++++++++++++++ remove_record_condition " << key;
    QMutexLocker lock(&m_mutex_condition);
    const auto source = m_map_ir_conditions.find(h_ir);
    if (source == m_map_ir_conditions.end()) {
        return false;
    }
    source->second.erase(key);
    if (source->second.empty()) {
        m_map_ir_conditions.erase(source);
    }
    return true;
}

bool WndChartTrend::check_conditions(int h_ir)
{
    QMutexLocker lock(&m_mutex_condition);
    const auto source = m_map_ir_conditions.find(h_ir);
    if (source == m_map_ir_conditions.end()) {
        return false;
    }
    for (auto& entry : source->second) {
        RecordCondition& c = entry.second;
        const float v = condition_value(c);
        float x = v;
        if (c.n_ana_attach == 1) {
            x = std::fabs(v - c.f_last);
            c.f_last = v;
        } else if (c.n_ana_attach == 2) {
            x = std::fabs(v);
        }
        if (c.n_operator == 0 ? x > c.f_operator_temp : x < c.f_operator_temp) {
            return true;
        }
    }
    return false;
}

void WndChartTrend::erase_conditions(int h_ir, int h_ana_only, bool all_of_source)
{
    QMutexLocker lock(&m_mutex_condition);
    const auto source = m_map_ir_conditions.find(h_ir);
    if (source == m_map_ir_conditions.end()) {
        return;
    }
    if (all_of_source) {
        m_map_ir_conditions.erase(source);
        return;
    }
    for (auto it = source->second.begin(); it != source->second.end();) {
        it = it->second.h_ana == h_ana_only ? source->second.erase(it) : std::next(it);
    }
    if (source->second.empty()) {
        m_map_ir_conditions.erase(source);
    }
}

// --- Restarts and marks ------------------------------------------------------------

bool WndChartTrend::restart_series()
{
    const int64_t time = now_ms();
    QMutexLocker lock(&m_mutex_series);
    m_map_ana_samples.clear();
    for (auto& source : m_series.sources()) {
        const SampleStamp stamp = stamp_of(source.first, 0, time, false);
        for (auto& ana : source.second) {
            TrendSample sample;
            chart_source::read_temps(analysis_ids().handle_of(ana.first), sample.f_max, sample.f_min, sample.f_avg);
            stamp.apply(sample);
            m_map_ana_samples[ana.first] = {sample};
            for (auto& kind : ana.second) kind.second->reset();
        }
    }
    m_map_marks.clear();
    return true;
}

void WndChartTrend::reset_x_axis_and_repaint()
{
    reset_x_axis();
    update();
}

void WndChartTrend::restart_trend(int h_ir)
{
    if (!has_ir(h_ir)) {
        return;
    }
    restart_series();
    mb_trend_started = true;
    // The axes belong to the GUI thread; a player thread queues their reset.
    if (QThread::currentThread() == thread()) {
        reset_x_axis_and_repaint();
    } else {
        QMetaObject::invokeMethod(this, "reset_x_axis_and_repaint", Qt::QueuedConnection);
    }
}

void WndChartTrend::append_trend_end(int h_ir)
{
    IRBase* source = ManagerChartTrend::instance()->find_ir_source(h_ir);
    if (source == nullptr) {
        return;
    }
    const QString name = source->get_file_path();
    QMutexLocker lock(&m_mutex_series);
    if (!mb_trend_started || !has_ir(h_ir)) {
        return;
    }
    TrendSample end;
    end.n_frame = kTrendEndFrame;
    end.str_file = name;
    queue_end_marker(h_ir, end);
}

void WndChartTrend::queue_end_marker(int h_ir, const TrendSample& end)
{
    (void)h_ir;
    for (auto& pending : m_map_ana_samples) {
        pending.second.push_back(end);
    }
}

void WndChartTrend::add_mark(int h_ir, const QString& str_file, int n_frame, const QString& str_text)
{
    (void)h_ir;
    {
        QMutexLocker lock(&m_mutex_series);
        ChartTrendInfo* s = first_series();
        if (s == nullptr) return;
        const int index = s->index_of(str_file, n_frame);
        if (index < 0 || m_map_marks.count(index) > 0) return;
        m_map_marks[index] = TrendMark{n_frame, str_file, str_text};
    }
    request_repaint();
}

void WndChartTrend::delete_mark(int h_ir, const QString& str_file, int n_frame)
{
    (void)h_ir;
    {
        QMutexLocker lock(&m_mutex_series);
        for (auto it = m_map_marks.begin(); it != m_map_marks.end(); ++it) {
            if (it->second.n_frame == n_frame && it->second.str_file == str_file) {
                m_map_marks.erase(it);
                break;
            }
        }
    }
    request_repaint();
}

void WndChartTrend::update_mark(int h_ir, const QString& str_file, int n_frame, const QString& str_text)
{
    (void)h_ir;
    {
        QMutexLocker lock(&m_mutex_series);
        for (auto& entry : m_map_marks) {
            if (entry.second.n_frame == n_frame && entry.second.str_file == str_file) {
                entry.second.str_text = str_text;
                break;
            }
        }
    }
    request_repaint();
}

// --- Removal -------------------------------------------------------------------------
// Each removal changes the maps under the series lock and calls the registry
// and emits only after releasing it.

bool WndChartTrend::clear_all(bool b_recalc)
{
    std::vector<int> sources;
    {
        QMutexLocker lock(&m_mutex_series);
        collect_sources(sources);
        mb_trend_started = false;
        drop_all_series();
        m_map_marks.clear();
        m_map_ir_kind.clear();
    }
    if (b_recalc) {
        recalculation_axis();
    }
    {
        QMutexLocker lock(&m_mutex_condition);
        m_map_ir_conditions.clear();
    }
    for (int h : sources) {
        ManagerChartTrend::instance()->update_ctrl_with_trend(h);
    }
    emit sig_update_clear_ana();
    return true;
}

bool WndChartTrend::remove_ir_data(int h_ir, bool b_recalc)
{
    {
        QMutexLocker lock(&m_mutex_series);
        if (!drop_source_series(h_ir)) {
            return false;
        }
        m_map_ir_name.erase(h_ir);
        forget_source(h_ir);
    }
    erase_conditions(h_ir, 0, true);
    if (b_recalc) {
        recalculation_axis();
    }
    ManagerChartTrend::instance()->update_ctrl_with_trend(h_ir);
    emit_source_removed(h_ir);
    return true;
}

void WndChartTrend::drop_all_series()
{
    m_series.clear();
    m_map_ana_samples.clear();
}

bool WndChartTrend::drop_source_series(int h_ir)
{
    const auto source = m_series.sources().find(h_ir);
    if (source == m_series.sources().end()) {
        return false;
    }
    for (const auto& ana : source->second) m_map_ana_samples.erase(ana.first);
    return m_series.erase_source(h_ir);
}

void WndChartTrend::forget_source(int h_ir)
{
    m_map_ir_kind.erase(h_ir);
    std::vector<int> sources;
    collect_sources(sources);
    if (sources.empty()) {
        mb_trend_started = false;
        m_map_marks.clear();
    }
}

bool WndChartTrend::remove_ana_all(int h_ana, bool b_recalc)
{
    int h_ir = 0;
    bool source_gone = false;
    {
        QMutexLocker lock(&m_mutex_series);
        const std::vector<int> holders = m_series.sources_of(h_ana);
        if (holders.empty()) {
            return false;
        }
        h_ir = holders.front();
        bool ana_gone = false;
        m_series.erase(h_ir, h_ana, nullptr, ana_gone, source_gone);
        m_map_ana_samples.erase(h_ana);
        if (source_gone) forget_source(h_ir);
    }
    erase_conditions(h_ir, h_ana, source_gone);
    if (b_recalc) {
        recalculation_axis();
    }
    if (source_gone) {
        ManagerChartTrend::instance()->update_ctrl_with_trend(h_ir);
        emit sig_trend_del_ir(h_ir);
    } else {
        emit sig_trend_del_ana(h_ir, h_ana);
    }
    return true;
}

bool WndChartTrend::remove_ana(int h_ana, int n_type)
{
    std::vector<int> kept;
    std::vector<int> gone;
    {
        QMutexLocker lock(&m_mutex_series);
        for (int h_ir : m_series.sources_of(h_ana, &n_type)) {
            bool ana_gone = false, source_gone = false;
            m_series.erase(h_ir, h_ana, &n_type, ana_gone, source_gone);
            if (ana_gone) m_map_ana_samples.erase(h_ana);
            if (source_gone) {
                gone.push_back(h_ir);
                forget_source(h_ir);
            } else {
                kept.push_back(h_ir);
            }
        }
    }
    if (kept.empty() && gone.empty()) {
        return false;
    }
    for (int h_ir : gone) {
        erase_conditions(h_ir, 0, true);
        ManagerChartTrend::instance()->update_ctrl_with_trend(h_ir);
        emit sig_trend_del_ir(h_ir);
    }
    for (int h_ir : kept) {
        emit sig_trend_del_ana_type(h_ir, h_ana, n_type);
    }
    recalculation_axis();
    return true;
}
