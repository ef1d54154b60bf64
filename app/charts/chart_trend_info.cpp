#include "charts/chart_trend_info.h"

#include <QDateTime>

#include <cmath>

namespace {

QString date_text(int64_t ms, const char* format)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QString::fromLatin1(format));
}

QString range_text(const FileSegment& segment)
{
    return date_text(segment.n_start, "yyyy-MM-dd hh:mm:ss") + " - " +
           date_text(segment.n_end, "yyyy-MM-dd hh:mm:ss");
}

}  // namespace

ChartTrendInfo::ChartTrendInfo(int n_kind) : mn_kind(n_kind) {}

int ChartTrendInfo::add_sample(const TrendSample& sample)
{
    float value = 0.0f;
    switch (mn_kind) {
    case TREND_MAX: value = sample.f_max; break;
    case TREND_MIN: value = sample.f_min; break;
    case TREND_AVG: value = sample.f_avg; break;
    default: return -1;
    }
    const int index = point_count();
    const bool end_marker = sample.n_frame == kTrendEndFrame;
    TrendPoint point;
    point.f_value = value;
    point.n_value2 = mb_percentage ? static_cast<int>(std::lround(sample.f_min)) : 0;
    point.n_frame = sample.n_frame;
    // The end marker carries no time: it stands at the time of the point
    // before it, so the labels at the end of a trend read the last sample.
    point.n_time = end_marker && index > 0 ? m_vec_points.back().n_time : sample.n_time;
    m_vec_points.push_back(point);
    // Nor a temperature: it must not stretch the range.
    if (!end_marker) {
        if (value > mf_value_max) mf_value_max = value;
        if (value < mf_value_min) mf_value_min = value;
    }

    const QString& file = sample.str_file;
    if (end_marker) {
        // It closes the stretch of its recording and opens none.
        if (m_cur_segment.str_file == file) {
            m_cur_segment.n_last = index;
        }
    } else if (!file.isEmpty()) {
        if (m_cur_segment.str_file.isEmpty()) {
            m_cur_segment = {index, index, sample.n_time, sample.n_start, sample.n_end, file};
            if (sample.n_start == 0) {
                m_cur_segment.n_start = sample.n_time;
            }
        } else if (m_cur_segment.str_file == file) {
            m_cur_segment.n_last = index;
            m_cur_segment.n_last_time = sample.n_time;
        } else {
            m_vec_segments.push_back(m_cur_segment);
            m_cur_segment = {index, index, sample.n_time, sample.n_start, sample.n_end, file};
        }
    }

    const int n = point_count();
    if (n % 10 == 0) {
        std::vector<int> ten(10);
        for (int i = 0; i < 10; ++i) ten[i] = n - 10 + i;
        int first = 0, second = 0;
        extremes(ten.data(), 10, first, second);
        push_level(1, first);
        push_level(1, second);
    }
    return index;
}

void ChartTrendInfo::extremes(const int* indices, int count, int& first, int& second) const
{
    int i_min = indices[0];
    int i_max = indices[0];
    for (int k = 1; k < count; ++k) {
        const float v = m_vec_points[indices[k]].f_value;
        if (v < m_vec_points[i_min].f_value) i_min = indices[k];
        if (v >= m_vec_points[i_max].f_value) i_max = indices[k];
    }
    first = i_min < i_max ? i_min : i_max;
    second = i_min < i_max ? i_max : i_min;
}

void ChartTrendInfo::push_level(int level, int index)
{
    if (level < 1) {
        return;
    }
    Level& l = m_map_levels[level];
    l.indices.push_back(index);
    l.n_count += 1;
    if (l.n_count % 4 != 0) {
        return;
    }
    l.n_count = 0;
    const int* last4 = l.indices.data() + l.indices.size() - 4;
    int first = 0, second = 0;
    extremes(last4, 4, first, second);
    push_level(level + 1, first);
    push_level(level + 1, second);
}

bool ChartTrendInfo::reset()
{
    mf_value_min = 99999.9f;
    mf_value_max = -99999.9f;
    mn_index_offset = 0;
    m_vec_segments.clear();
    m_cur_segment = FileSegment();
    m_map_levels.clear();
    m_vec_points.clear();
    return true;
}

int ChartTrendInfo::find_frame(int frame, int from, int to) const
{
    for (int i = std::max(from, 1); i < point_count() && i <= to; ++i) {
        if (m_vec_points[i].n_frame == frame) {
            return i;
        }
    }
    return -1;
}

int ChartTrendInfo::index_of(const QString& file, int frame) const
{
    for (const FileSegment& segment : m_vec_segments) {
        if (!segment.is_empty() && segment.str_file == file) {
            return find_frame(frame, segment.n_first, segment.n_last);
        }
    }
    if (m_cur_segment.str_file == file) {
        return find_frame(frame, m_cur_segment.n_first, m_cur_segment.n_last);
    }
    return -1;
}

bool ChartTrendInfo::source_at(int index, QString& file, int& frame) const
{
    if (index < 0 || index >= point_count()) {
        return false;
    }
    file.clear();
    if (m_cur_segment.contains(index)) {
        file = m_cur_segment.str_file;
    } else {
        for (const FileSegment& segment : m_vec_segments) {
            if (!segment.is_empty() && segment.contains(index)) {
                file = segment.str_file;
                break;
            }
        }
    }
    if (file.isEmpty()) {
        return false;
    }
    frame = m_vec_points[index].n_frame;
    return true;
}

int ChartTrendInfo::frame_at(int index) const
{
    if (index < 0 || index >= point_count()) {
        return -1;
    }
    return m_vec_points[index].n_frame;
}

QString ChartTrendInfo::time_label(int index) const
{
    if (m_vec_points.empty()) {
        return QStringLiteral("0");
    }
    const int i = std::max(0, std::min(index, point_count() - 1));
    return date_text(m_vec_points[i].n_time, "yyyy-MM-dd hh:mm:ss");
}

QString ChartTrendInfo::time_label_ms(int index) const
{
    if (index < 0 || index >= point_count()) {
        return QString();
    }
    return date_text(m_vec_points[index].n_time, "yyyy-MM-dd hh:mm:ss zzz");
}

int64_t ChartTrendInfo::relative_seconds(int index) const
{
    if (index < 0) {
        index = 0;
    }
    if (index >= point_count()) {
        return total_seconds();
    }
    const int64_t t = m_vec_points[index].n_time;
    int64_t acc = 0;
    bool first = true;
    for (const FileSegment& segment : m_vec_segments) {
        if (segment.is_empty()) {
            continue;
        }
        if (first) {
            first = false;
            if (index < segment.n_first) return 0;
            if (index <= segment.n_last) return (t - segment.n_start) / 1000;
        } else if (index <= segment.n_last) {
            return (acc - segment.n_start + t) / 1000;
        }
        acc += segment.n_end - segment.n_start;
    }
    return (acc - m_cur_segment.n_start + t) / 1000;
}

int64_t ChartTrendInfo::total_seconds() const
{
    // A live segment has no end: its last point is where it stands.
    const int64_t cur_end = m_cur_segment.n_end != 0 ? m_cur_segment.n_end : m_cur_segment.n_last_time;
    const int64_t current = (cur_end - m_cur_segment.n_start) / 1000;
    int64_t sum = 0;
    for (const FileSegment& segment : m_vec_segments) {
        if (!segment.is_empty()) {
            const int64_t end = segment.n_end != 0 ? segment.n_end : segment.n_last_time;
            sum += (end - segment.n_start) / 1000;
        }
    }
    return sum + current;
}

bool ChartTrendInfo::source_info(int index, QString& name, QString& range) const
{
    if (index < 0 || index >= point_count()) {
        return false;
    }
    name.clear();
    if (m_cur_segment.contains(index) && !m_cur_segment.str_file.isEmpty()) {
        name = m_cur_segment.str_file;
        if (m_cur_segment.n_start != 0) range = range_text(m_cur_segment);
    } else {
        for (const FileSegment& segment : m_vec_segments) {
            if (!segment.is_empty() && segment.contains(index)) {
                name = segment.str_file;
                if (segment.n_start != 0) range = range_text(segment);
            }
        }
    }
    return !name.isEmpty();
}

QString ChartTrendInfo::value_text(int index) const
{
    if (index < 0 || index >= point_count()) {
        return QString();
    }
    const TrendPoint& p = m_vec_points[index];
    if (mb_percentage) {
        return tr(" Percentage: ") + QString::asprintf("%.2f", p.f_value) + "%" + tr(" Pixels number: ") +
               QString::asprintf("%d", p.n_value2);
    }
    return QString::asprintf(p.f_value < 100.0f ? "%.1f" : "%.0f", p.f_value);
}

bool ChartTrendInfo::set_pixel_band(float f_max, float f_min, float f_ana_max, float f_ana_min)
{
    mf_max = f_max;
    mf_min = f_min;
    mf_ana_max = f_ana_max;
    mf_ana_min = f_ana_min;
    mb_percentage = true;
    return true;
}

bool ChartTrendInfo::get_pixel_band(float& f_max, float& f_min, float& f_ana_max, float& f_ana_min) const
{
    f_max = mf_max;
    f_min = mf_min;
    f_ana_max = mf_ana_max;
    f_ana_min = mf_ana_min;
    return true;
}
