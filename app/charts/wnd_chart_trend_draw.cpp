// Presentation of the trend chart: the curves with level-of-detail
// decimation, marks, cursor lines and time labels, the tooltip, the wheel
// zoom and the double-click seek, and the copy to the clipboard. GUI thread;
// the series are read under the series lock, since restarts may come from a
// player thread.
#include "charts/wnd_chart_trend.h"

#include "charts/chart_source.h"
#include "charts/manager_chart_trend.h"
#include "charts/trend_playback.h"
#include "sources/handle_ids.h"
#include "sources/ir_base.h"

#include <QClipboard>
#include <QDateTime>
#include <QDebug>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {

// Beyond this the pyramid holds no level: 2^40 points are never reached.
constexpr int kMaxLevel = 40;

}  // namespace

int WndChartTrend::px_of(double x_index) const
{
    if (!(mf_axis_x_step > 0.0f)) {
        return 0;
    }
    const double x = (x_index - (mb_zoomed ? mf_view_x_min : 0.0)) * mf_axis_x_step_px / mf_axis_x_step;
    return static_cast<int>(std::max(-1e6, std::min(1e6, x)));
}

int WndChartTrend::row_of(const QRect& r, float value) const
{
    if (!(mf_axis_y_step > 0.0f) || !std::isfinite(value)) {
        return r.height();
    }
    const double y = (value - mf_axis_y_min) * static_cast<double>(mn_axis_y_step_px) / mf_axis_y_step;
    return r.height() - static_cast<int>(std::max(-1e6, std::min(1e6, y)));
}

int WndChartTrend::decimation_level(int span, int width) const
{
    if (span <= width || width <= 0) {
        return 0;
    }
    for (int j = 0; j <= kMaxLevel; ++j) {
        if (static_cast<int64_t>(2.0 * span / (std::ldexp(1.0, j) * 10.0)) <= width) {
            return j;
        }
    }
    return kMaxLevel;
}

void WndChartTrend::build_axis_x_ticks()
{
    m_list_axis_x.clear();
    const float end = mb_zoomed ? mf_view_x_max : mf_axis_x_max;
    float value = 0.0f;
    int offset = 0;
    first_axis_x_tick(value, offset);
    if (!(mf_axis_x_step > 0.0f) || !(mf_axis_x_step_px > 0.0f) || !std::isfinite(end)) {
        return;
    }
    QMutexLocker lock(&m_mutex_series);
    const ChartTrendInfo* s = first_series();
    for (int i = 0; i < ChartAxis::kMaxTicks; ++i) {
        const double v = value + static_cast<double>(i) * mf_axis_x_step;
        if (v > end) {
            break;
        }
        AxisTick tick;
        tick.n_offset = static_cast<int>(offset + static_cast<double>(i) * mf_axis_x_step_px);
        tick.f_value = static_cast<float>(v + mf_axis_x_step);
        tick.str_label = s != nullptr
                             ? QString::number(static_cast<int32_t>(s->relative_seconds(static_cast<int>(v))))
                             : QStringLiteral("0");
        m_list_axis_x.append(tick);
    }
}

void WndChartTrend::draw_bottom_area(QPainter* painter, const QRect& strip)
{
    const int i_left = static_cast<int>(mb_zoomed ? mf_view_x_min : mf_axis_x_min);
    const int i_right = static_cast<int>(mb_zoomed ? mf_view_x_max : mf_axis_x_max);
    QString left = QStringLiteral("00:00:00");
    QString right = left;
    {
        QMutexLocker lock(&m_mutex_series);
        const ChartTrendInfo* s = first_series();
        if (s != nullptr) {
            left = s->time_label(i_left);
            right = s->time_label(i_right);
        }
    }
    const QRect r = strip.adjusted(3, 0, -3, -2);
    painter->setPen(kClrAxis);
    painter->drawText(r, Qt::AlignLeft | Qt::AlignBottom, left);
    painter->drawText(r, Qt::AlignRight | Qt::AlignBottom, right);
}

void WndChartTrend::draw_series(QPainter* painter, const QRect& r, const ChartTrendInfo& s, int level)
{
    const int o = s.mn_index_offset;
    const int n = s.point_count();
    const std::vector<TrendPoint>& points = s.points();
    const int k = static_cast<int>(mf_axis_x_step < 1.0f ? 1.0f / mf_axis_x_step : mf_axis_x_step);
    painter->setPen(s.m_clr);
    m_polyline.clear();
    // An end marker breaks the line: the next recording starts a new piece.
    auto add_point = [&](int i) {
        if (points[i].n_frame == kTrendEndFrame) {
            if (m_polyline.size() > 1) painter->drawPolyline(m_polyline);
            m_polyline.clear();
            return;
        }
        const int xi = o + i;
        const int x = px_of(xi);
        m_polyline.append(QPoint(x, row_of(r, points[i].f_value)));
        if (xi == mn_hover_index) mn_cursor_px = x;
        if (xi == mn_play_index) mn_play_px = x == 0 ? 1 : x;
    };
    if (level == 0) {
        int first = 0;
        int last = n - 1;
        if (mb_zoomed) {
            mn_play_px = 0;
            first = std::max(static_cast<int>(mf_view_x_min - k - o - 1), 0);
            last = std::min(static_cast<int>(mf_view_x_max + k - o + 1), n - 1);
        }
        for (int i = first; i <= last; ++i) add_point(i);
    } else {
        const auto found = s.levels().find(level);
        if (found == s.levels().end()) {
            return;
        }
        const std::vector<int>& indices = found->second.indices;
        const int m = static_cast<int>(indices.size());
        const double full = static_cast<double>(mf_axis_x_max) - mf_axis_x_min - o;
        if (m == 0 || !(full > 0.0)) {
            return;
        }
        int first = 0;
        int last = m - 1;
        if (mb_zoomed) {
            first = std::max(static_cast<int>((mf_view_x_min - o) * m / full - k - 1), 0);
            last = std::min(static_cast<int>((mf_view_x_max - o) * m / full + k + 1), m - 1);
        }
        const double half = (full / m) * 0.5;
        for (int p = first; p <= last; ++p) {
            const int i = indices[p];
            if (i >= n) {
                qDebug() << "++++++ERR : Trend Optimized Pt";
                continue;
            }
            const int xi = i + o;
            const bool near_hover = static_cast<int>(xi - half) <= mn_hover_index &&
                                    mn_hover_index <= static_cast<int>(xi + half);
            const bool near_play = static_cast<int>(xi - half) <= mn_play_index &&
                                   mn_play_index <= static_cast<int>(xi + half);
            add_point(i);
            if (!m_polyline.isEmpty()) {
                if (near_hover) mn_cursor_px = m_polyline.last().x();
                if (near_play) mn_play_px = m_polyline.last().x() == 0 ? 1 : m_polyline.last().x();
            }
        }
    }
    if (m_polyline.size() > 1) {
        painter->drawPolyline(m_polyline);
    }
}

void WndChartTrend::draw_marks(QPainter* painter, const QRect& r)
{
    const ChartTrendInfo* s = first_series();
    if (mb_live || m_map_marks.empty() || s == nullptr) {
        return;
    }
    const int o = s->mn_index_offset;
    const int k = static_cast<int>(mf_axis_x_step < 1.0f ? 1.0f / mf_axis_x_step : mf_axis_x_step);
    int first = 0;
    int last = s->point_count() - 1;
    if (mb_zoomed) {
        first = std::max(static_cast<int>(mf_view_x_min - k - o - 1), 0);
        last = std::min(static_cast<int>(mf_view_x_max + k - o + 1), last);
    }
    painter->setPen(QColor(152, 152, 152));
    painter->drawLine(r.left(), r.height() - 9, r.right(), r.height() - 9);
    const QColor cyan(2, 245, 255);
    for (const auto& entry : m_map_marks) {
        if (entry.first < first || entry.first > last) continue;
        painter->fillRect(QRect(px_of(entry.first) - 3, r.height() - 7, 7, 5),
                          entry.first == mn_hover_index ? cyan : QColor(Qt::white));
    }
    if (mn_hover_index >= first && mn_hover_index <= last && m_map_marks.count(mn_hover_index) > 0) {
        painter->fillRect(QRect(px_of(mn_hover_index) - 3, r.height() - 7, 7, 5), cyan);
    }
}

void WndChartTrend::draw_chart_data(QPainter* painter, const QRect& r)
{
    const double span_f = mb_zoomed ? static_cast<double>(mf_view_x_max) - mf_view_x_min
                                    : static_cast<double>(mf_axis_x_max) - mf_axis_x_min;
    const int span = static_cast<int>(std::max(0.0, std::min(2e9, span_f)));
    const int level = decimation_level(span, r.width());
    QMutexLocker lock(&m_mutex_series);
    std::vector<ChartTrendInfo*> series;
    collect_series(series);
    for (ChartTrendInfo* s : series) {
        draw_series(painter, r, *s, level);
    }
    draw_marks(painter, r);
    painter->setPen(QColor(255, 0, 0));
    painter->drawLine(r.left() + mn_cursor_px, r.top(), r.left() + mn_cursor_px, r.bottom());
    if (mn_play_index >= 0) {
        painter->setPen(QColor(0, 255, 0));
        painter->drawLine(r.left() + mn_play_px, r.top(), r.left() + mn_play_px, r.bottom());
    }
}

bool WndChartTrend::hit_mark(const QPoint& pos, const QRect& strip)
{
    (void)strip;
    QMutexLocker lock(&m_mutex_series);
    if (m_map_marks.empty()) {
        return false;
    }
    const int x = pos.x() - mn_axis_y_label_width - 25;
    for (const auto& entry : m_map_marks) {
        const int px = px_of(entry.first);
        if (px - 3 <= x && x <= px + 3) {
            mn_hover_index = entry.first;
            return true;
        }
    }
    return false;
}

void WndChartTrend::show_hover_tooltip(const QPoint& pos, int hover_index)
{
    int index = hover_index;
    if (!mb_live && mark_count() > 0) {
        const int top = item_height() - (mb_zoomed ? 44 : 34) - mn_bottom_height;
        const QRect strip(mn_axis_y_label_width + 24, top, item_width() - 32 - mn_axis_y_label_width, 10);
        if (strip.contains(pos) && hit_mark(pos, strip)) {
            index = mn_hover_index;
        }
    }
    const QString text = tooltip_text(index);
    if (!text.isEmpty()) {
        const QPointF scene = mapToScene(pos);
        emit sig_show_tooltip(text, static_cast<int>(scene.x()), static_cast<int>(scene.y()));
    }
}

QString WndChartTrend::tooltip_text(int index)
{
    if (index <= 0) {
        return QString();
    }
    QMutexLocker lock(&m_mutex_series);
    QString mark_line;
    const auto mark = m_map_marks.find(index);
    if (mark != m_map_marks.end()) {
        mark_line = tr("Mark: ") + mark->second.str_text + "\r\n";
    }
    QString head;
    QString values;
    QString current;
    bool first = true;
    for (const auto& source : m_series.sources()) {
        for (const auto& ana : source.second) {
            const QString alias = chart_source::alias_of(analysis_ids().handle_of(ana.first));
            for (const auto& kind : ana.second) {
                const ChartTrendInfo& s = *kind.second;
                const QString value = s.value_text(index);
                if (value.isEmpty() || s.frame_at(index) == kTrendEndFrame) continue;
                if (first) {
                    first = false;
                    QString name, range;
                    s.source_info(index, name, range);
                    if (!mb_live) {
                        head = tr("Frame number:") + QString::number(s.frame_at(index) + 1) + "\r\n" +
                               tr("Video time:") + range + "\r\n";
                    }
                    values = (mb_live ? tr("Device name:") : tr("Video name:")) + name + "\r\n";
                    current = tr("Current frame time:") + s.time_label_ms(index) + "\r\n";
                }
                values += alias + kind_label(s.mn_kind) + value + "\r\n";
            }
        }
    }
    if (first) {
        return mark_line;
    }
    return mark_line + head + values + current;
}

void WndChartTrend::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (mb_live) {
        show_all_chart();
        return;
    }
    int index = mn_hover_index;
    if (index < 0) {
        index = x_index_at(event->pos());
    }
    if (index < 0) {
        return;
    }
    IRBase* source = ManagerChartTrend::instance()->find_ir_source(first_ir());
    auto* player = dynamic_cast<TrendPlayback*>(source);
    if (player == nullptr) {
        return;
    }
    QString file;
    int frame = 0;
    {
        QMutexLocker lock(&m_mutex_series);
        const ChartTrendInfo* s = first_series();
        if (s == nullptr || !s->source_at(index, file, frame) || file.isEmpty()) {
            return;
        }
    }
    player->show_trend_frame(file, frame);
}

void WndChartTrend::wheelEvent(QWheelEvent* event)
{
    event->accept();
    // High-resolution wheels send parts of a step; they add up to whole ones.
    mn_wheel_rest += event->angleDelta().y();
    const int steps = mn_wheel_rest / 120;
    mn_wheel_rest -= steps * 120;
    if (steps == 0 || (steps >= 1 && !mb_zoomed)) {
        return;
    }
    const bool was_zoomed = mb_zoomed;
    if (!was_zoomed) {
        mf_view_x_min = mf_axis_x_min;
        mf_view_x_max = mf_axis_x_max;
    }
    const float c = static_cast<float>(mn_hover_index);
    const float right = mf_view_x_max - c;
    const float left = c - mf_view_x_min;
    if (steps < 0 && std::fabs((mf_view_x_max - mf_view_x_min) * steps / 10.0f) < 1.0f) {
        return;
    }
    mb_zoomed = true;
    shift_view(-(left * steps / 10.0f), right * steps / 10.0f);
    if (mf_view_x_min <= mf_axis_x_min && mf_view_x_max >= mf_axis_x_max) {
        mb_zoomed = false;
    }
    if (mb_zoomed != was_zoomed) {
        calc_axis_y_step();
        build_axis_y_ticks();
    }
    calc_axis_x_step();
    update_axis_x();
}

void WndChartTrend::show_all_chart()
{
    {
        QMutexLocker lock(&m_mutex_series);
        int n = 0;
        for (const auto& entry : m_map_marks) {
            qDebug() << " -------" << n++ << "-------";
            qDebug() << "      n_pos :" << entry.first;
            qDebug() << "      frame :" << entry.second.n_frame;
            qDebug() << " video path :" << entry.second.str_file;
            qDebug() << "  mark info :" << entry.second.str_text;
        }
    }
    if (mb_zoomed) {
        mb_zoomed = false;
        calc_axis_y_step();
        build_axis_y_ticks();
        calc_axis_x_step();
        build_axis_x_ticks();
        calc_scroll_bar();
        update();
    }
}

bool WndChartTrend::copy_chart_info()
{
    struct Column {
        QString title;
        std::vector<TrendPoint> points;
    };
    std::vector<Column> columns;
    size_t rows = 0;
    {
        QMutexLocker lock(&m_mutex_series);
        for (const auto& source : m_series.sources()) {
            for (const auto& ana : source.second) {
                const QString alias = chart_source::alias_of(analysis_ids().handle_of(ana.first));
                for (const auto& kind : ana.second) {
                    columns.push_back({alias + kind_label(kind.first), kind.second->get_points()});
                    rows = std::max(rows, columns.back().points.size());
                }
            }
        }
    }
    const bool recording = !mb_live;
    QString text = tr("Current frame time:") + "\t";
    if (recording) text += tr("Frame number:") + "\t";
    for (const Column& column : columns) text += column.title + "\t";
    text += "\r\n";
    if (columns.empty() || rows < 2) {
        return false;
    }
    for (size_t r = 1; r < rows; ++r) {
        bool first = true;
        QString line;
        for (const Column& column : columns) {
            if (r >= column.points.size() || column.points[r].n_frame == kTrendEndFrame) {
                line += "\t";
                continue;
            }
            const TrendPoint& p = column.points[r];
            if (first) {
                first = false;
                line += QDateTime::fromMSecsSinceEpoch(p.n_time).toString("yyyy-MM-dd hh:mm:ss zzz") + "\t";
                if (recording) line += QString::number(p.n_frame + 1) + "\t";
            }
            line += QString::asprintf("%.01f", p.f_value) + "\t";
        }
        // A row of end markers alone (where a recording ends) carries no value.
        if (first) continue;
        text += line + "\r\n";
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard != nullptr) {
        clipboard->clear();
        clipboard->setText(text);
    }
    qDebug() << text;
    return true;
}

void WndChartTrend::on_repaint_timer()
{
    const int h = first_ir();
    IRBase* source = (mb_live || h == 0) ? nullptr : ManagerChartTrend::instance()->find_ir_source(h);
    auto* player = dynamic_cast<TrendPlayback*>(source);
    if (player == nullptr) {
        if (mn_play_index != -1) {
            mn_play_index = -1;
            update();
        }
        return;
    }
    const bool playing = player->is_playing();
    const QString file = source->get_file_path();
    const int frame = player->shown_frame();
    int index = -1;
    {
        QMutexLocker lock(&m_mutex_series);
        const ChartTrendInfo* s = first_series();
        if (s != nullptr) index = s->index_of(file, frame);
    }
    if (index == mn_play_index) {
        return;
    }
    mn_play_index = index;
    if (!playing) {
        update();
    }
}
