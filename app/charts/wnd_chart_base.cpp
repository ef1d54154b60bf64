#include "charts/wnd_chart_base.h"

#include "charts/chart_source.h"
#include "shell/h_translator.h"
#include "sources/handle_ids.h"

#include <QFontMetrics>
#include <QHoverEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>

namespace {

const QRgb kChartColours[13] = {0x02F1FF, 0xF7F058, 0x9D369C, 0xFE8A8A, 0xF44F1F, 0x6EE1F4, 0x01FDDA,
                                0xB0C4DE, 0xDE9E8E, 0xFC9FEF, 0xE0E0E0, 0x8DCEF8, 0x87CEFA};

}  // namespace

const QColor WndChartBase::kClrBackground(7, 16, 23);
const QColor WndChartBase::kClrGrid(42, 71, 94);
const QColor WndChartBase::kClrAxis(62, 142, 194);
const QColor WndChartBase::kClrTitle(102, 192, 244);

QColor WndChartBase::chart_colour(int n)
{
    const int i = ((n % 13) + 13) % 13;
    return QColor(kChartColours[i]);
}

WndChartBase::WndChartBase(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::AllButtons);
    setFlag(ItemAcceptsInputMethod, true);
    m_font_axis.setPixelSize(12);
    m_font_title.setPixelSize(12);
    connect(HTranslator::instance(), &HTranslator::sig_language_changed, this, &WndChartBase::slot_language_changed);
}

WndChartBase::~WndChartBase()
{
    if (mn_timer_id != 0) {
        killTimer(mn_timer_id);
    }
}

// --- Geometry --------------------------------------------------------------------

int WndChartBase::plot_height() const
{
    return item_height() - 56 - mn_bottom_height - (mb_zoomed ? 10 : 0);
}

int WndChartBase::plot_width() const { return item_width() - 33 - mn_axis_y_label_width; }

QRect WndChartBase::plot_rect() const
{
    return QRect(mn_axis_y_label_width + 24, 29, plot_width() + 1, plot_height() + 1);
}

QRect WndChartBase::axis_x_rect() const
{
    return QRect(mn_axis_y_label_width + 24, 30 + plot_height() + (mb_zoomed ? 10 : 0), plot_width(), 14);
}

QRect WndChartBase::bottom_rect() const
{
    return QRect(0, item_height() - 14 - mn_bottom_height, item_width(), mn_bottom_height + 14);
}

// --- Axes ------------------------------------------------------------------------

void WndChartBase::calc_axis_x_step()
{
    if (item_width() < 10 || item_height() < 10 || plot_width() < 1) {
        return;
    }
    const double range = mb_zoomed ? static_cast<double>(mf_view_x_max) - mf_view_x_min
                                   : static_cast<double>(mf_axis_x_max) - mf_axis_x_min;
    float step = mf_axis_x_step;
    int step_px = 0;
    if (ChartAxis::search_step(range, plot_width(), 39, 101, 0.0001, step, step_px)) {
        mf_axis_x_step = step;
        mf_axis_x_step_px = static_cast<float>(step_px);
    }
}

void WndChartBase::first_axis_x_tick(float& value, int& offset) const
{
    float f_offset = 0.0f;
    ChartAxis::first_tick(mb_zoomed ? mf_view_x_min : mf_axis_x_min, mf_axis_x_step, mf_axis_x_step_px, value,
                          f_offset);
    offset = static_cast<int>(f_offset);
}

void WndChartBase::build_axis_x_ticks()
{
    m_list_axis_x = ChartAxis::x_ticks(mb_zoomed ? mf_view_x_min : mf_axis_x_min,
                                       mb_zoomed ? mf_view_x_max : mf_axis_x_max, mf_axis_x_step,
                                       mf_axis_x_step_px);
}

void WndChartBase::calc_axis_y_step()
{
    if (item_width() < 10 || item_height() < 10 || plot_height() < 1) {
        return;
    }
    float step = mf_axis_y_step;
    int step_px = mn_axis_y_step_px;
    if (ChartAxis::search_step(static_cast<double>(mf_axis_y_max) - mf_axis_y_min, plot_height(), 19, 51, 1e-6,
                               step, step_px)) {
        mf_axis_y_step = step;
        mn_axis_y_step_px = step_px;
    }
}

void WndChartBase::build_axis_y_ticks()
{
    m_list_axis_y = ChartAxis::y_ticks(mf_axis_y_min, mf_axis_y_max, mf_axis_y_step, mn_axis_y_step_px);
    const QFontMetrics metrics(m_font_axis);
    int widest = 0;
    for (const AxisTick& tick : m_list_axis_y) {
        widest = std::max(widest, metrics.horizontalAdvance(tick.str_label));
    }
    mn_axis_y_label_width = widest;
}

void WndChartBase::calc_scroll_bar()
{
    if (!mb_zoomed) {
        return;
    }
    const int track = item_width() - 37 - mn_axis_y_label_width;
    const double range = static_cast<double>(mf_axis_x_max) - mf_axis_x_min;
    const double view = static_cast<double>(mf_view_x_max) - mf_view_x_min;
    if (track <= 0 || !(range > 0.0)) {
        mn_scroll_len = 17;
        mn_scroll_pos = 0;
        return;
    }
    mn_scroll_len = std::max(17, static_cast<int>(std::min(1.0, view / range) * track));
    const double slack = range - view;
    mn_scroll_pos = slack > 0.0 ? static_cast<int>((track - mn_scroll_len) * (mf_view_x_min / slack)) : 0;
    mn_scroll_pos = std::max(0, std::min(mn_scroll_pos, std::max(0, track - mn_scroll_len)));
}

int WndChartBase::x_index_at(const QPoint& pos) const
{
    if (!(mf_axis_x_step_px > 0.0f) || !std::isfinite(mf_axis_x_step)) {
        return -1;
    }
    const double index = (pos.x() - mn_axis_y_label_width - 25) * static_cast<double>(mf_axis_x_step) /
                             mf_axis_x_step_px +
                         (mb_zoomed ? mf_view_x_min : mf_axis_x_min) + 0.5;
    if (!(index > -1e9 && index < 1e9)) {
        return -1;
    }
    return static_cast<int>(index);
}

bool WndChartBase::hit_test_x_index(const QPoint& pos)
{
    if (pos.y() > item_height() - 26 - mn_bottom_height - (mb_zoomed ? 10 : 0)) {
        return false;
    }
    const int index = x_index_at(pos);
    if (index == mn_hover_index || index < 0) {
        return false;
    }
    mn_hover_index = index;
    return true;
}

void WndChartBase::clamp_view()
{
    if (mf_view_x_min < mf_axis_x_min) {
        mf_view_x_max += mf_axis_x_min - mf_view_x_min;
        mf_view_x_min = mf_axis_x_min;
    } else if (mf_view_x_max > mf_axis_x_max) {
        mf_view_x_min -= mf_view_x_max - mf_axis_x_max;
        mf_view_x_max = mf_axis_x_max;
    }
    mf_view_x_min = std::max(mf_axis_x_min, mf_view_x_min);
    mf_view_x_max = std::min(mf_axis_x_max, mf_view_x_max);
}

void WndChartBase::shift_view(float d_min, float d_max)
{
    mf_view_x_min += d_min;
    mf_view_x_max += d_max;
    clamp_view();
}

void WndChartBase::update_axis_x()
{
    build_axis_x_ticks();
    calc_scroll_bar();
    update();
}

QString WndChartBase::get_ana_alias(int n_ana_id) const
{
    return chart_source::alias_of(analysis_ids().handle_of(n_ana_id));
}

void WndChartBase::update_axis_y()
{
    calc_axis_y_step();
    build_axis_y_ticks();
    update();
}

void WndChartBase::set_ir_wnd(WndIRShow* p_ir_wnd)
{
    if (mp_ir_wnd == p_ir_wnd) {
        return;
    }
    mp_ir_wnd = p_ir_wnd;
    attach_to_view(p_ir_wnd);
}

bool WndChartBase::start_refresh_timer()
{
    if (mn_timer_id == 0) {
        mn_timer_id = startTimer(200, Qt::CoarseTimer);
    }
    return true;
}

void WndChartBase::slot_language_changed()
{
    update_language();
    update();
}

// --- Events ----------------------------------------------------------------------

void WndChartBase::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == mn_timer_id) {
        on_refresh_timer();
    }
}

void WndChartBase::mousePressEvent(QMouseEvent* event)
{
    if (mb_zoomed) {
        const QPoint pos = event->pos();
        const QRect handle_track(mn_axis_y_label_width + 24, item_height() - 26 - mn_bottom_height - 10, plot_width(),
                                 10);
        if (plot_rect().contains(pos)) {
            mn_drag_state = 1;
        } else if (handle_track.contains(pos)) {
            mn_drag_state = 2;
        }
        m_pt_last = pos;
    }
    event->accept();
}

void WndChartBase::mouseReleaseEvent(QMouseEvent* event)
{
    mn_drag_state = 0;
    event->accept();
}

void WndChartBase::mouseMoveEvent(QMouseEvent* event) { handle_move(event->pos()); }

void WndChartBase::hoverEnterEvent(QHoverEvent* event) { handle_move(event->pos()); }

void WndChartBase::hoverMoveEvent(QHoverEvent* event) { handle_move(event->pos()); }

void WndChartBase::hoverLeaveEvent(QHoverEvent* event)
{
    (void)event;
    emit sig_show_tooltip(QString(), 0, 0);
}

void WndChartBase::handle_move(const QPoint& pos)
{
    if (mn_drag_state == 1 || mn_drag_state == 2) {
        double shift = 0.0;
        if (mn_drag_state == 1) {
            if (mf_axis_x_step_px > 0.0f) {
                shift = (m_pt_last.x() - pos.x()) * static_cast<double>(mf_axis_x_step) / mf_axis_x_step_px;
            }
        } else {
            const int track = item_width() - 37 - mn_axis_y_label_width - mn_scroll_len;
            const double slack = (static_cast<double>(mf_axis_x_max) - mf_axis_x_min) -
                                 (static_cast<double>(mf_view_x_max) - mf_view_x_min);
            if (track > 0) {
                shift = (pos.x() - m_pt_last.x()) * slack / track;
            }
        }
        if (std::isfinite(shift)) {
            shift_view(static_cast<float>(shift), static_cast<float>(shift));
        }
        build_axis_x_ticks();
        calc_scroll_bar();
        update();
        m_pt_last = pos;
        return;
    }
    if (hit_test_x_index(pos)) {
        show_hover_tooltip(pos, mn_hover_index);
        update();
    }
}

void WndChartBase::geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry)
{
    QQuickPaintedItem::geometryChanged(new_geometry, old_geometry);
    calc_axis_y_step();
    build_axis_y_ticks();
    calc_axis_x_step();
    build_axis_x_ticks();
    calc_scroll_bar();
}

// --- Painting --------------------------------------------------------------------

void WndChartBase::paint(QPainter* painter)
{
    const int w = item_width();
    const int h = item_height();
    if (w < 60 || h < 60 || plot_width() < 1 || plot_height() < 1) {
        return;
    }
    painter->setFont(m_font_title);
    painter->setPen(kClrTitle);
    painter->drawText(QRect(8, 3, w - 8, 26), Qt::AlignLeft | Qt::AlignVCenter, m_str_title);

    const QRect plot = plot_rect();
    QImage image(plot.size(), QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setFont(m_font_axis);
        const QRect r(0, 0, plot.width(), plot.height());
        draw_grid(&p, r);
        draw_chart_data(&p, r);
    }
    painter->drawImage(plot.topLeft(), image);

    painter->setFont(m_font_axis);
    draw_axis_y(painter);
    draw_scroll_bar(painter);
    draw_axis_x(painter, axis_x_rect());
    draw_bottom_area(painter, bottom_rect());
}

void WndChartBase::draw_grid(QPainter* painter, const QRect& r) const
{
    painter->fillRect(r, kClrBackground);
    painter->setPen(QPen(kClrGrid, 1, Qt::DotLine));
    for (const AxisTick& tick : m_list_axis_y) {
        const int y = r.bottom() - tick.n_offset;
        if (tick.n_offset != 0 && y > r.top()) {
            painter->drawLine(r.left(), y, r.right(), y);
        }
    }
    for (const AxisTick& tick : m_list_axis_x) {
        const int x = r.left() + tick.n_offset;
        if (tick.n_offset != 0 && x < r.right()) {
            painter->drawLine(x, r.top(), x, r.bottom());
        }
    }
    painter->setPen(QPen(kClrGrid, 1, Qt::SolidLine));
    painter->drawLine(r.topLeft(), r.topRight());
    painter->drawLine(r.topRight(), r.bottomRight());
}

void WndChartBase::draw_axis_y(QPainter* painter) const
{
    const int right = mn_axis_y_label_width + 24;
    const int bottom = 29 + plot_height();
    painter->setPen(kClrAxis);
    painter->drawLine(right, 30, right, bottom);
    const int minor = mn_axis_y_step_px / 3;
    for (const AxisTick& tick : m_list_axis_y) {
        const int y = bottom - tick.n_offset;
        painter->drawLine(right - 7, y, right, y);
        for (int k = 1; k <= 2 && minor > 0; ++k) {
            const int ym = y - k * minor;
            if (ym < 30) break;
            painter->drawLine(right - 3, ym, right, ym);
        }
        painter->drawText(QRect(right - 11 - mn_axis_y_label_width, y - 6, mn_axis_y_label_width, 12),
                          Qt::AlignRight | Qt::AlignVCenter, tick.str_label);
    }
}

void WndChartBase::draw_axis_x(QPainter* painter, const QRect& strip)
{
    painter->setPen(kClrAxis);
    painter->drawLine(strip.left(), strip.top(), strip.right(), strip.top());
    const int minor = static_cast<int>(mf_axis_x_step_px / 5);
    for (int i = 0; i < m_list_axis_x.size(); ++i) {
        const AxisTick& tick = m_list_axis_x[i];
        const int x = strip.left() + tick.n_offset;
        painter->drawLine(x, strip.top(), x, strip.top() + 7);
        for (int k = 1; k <= 4 && minor > 0; ++k) {
            if (x + k * minor > strip.right()) break;
            painter->drawLine(x + k * minor, strip.top(), x + k * minor, strip.top() + 3);
        }
        for (int k = 1; i == 0 && k <= 4 && minor > 0; ++k) {
            if (x - k * minor < strip.left()) break;
            painter->drawLine(x - k * minor, strip.top(), x - k * minor, strip.top() + 3);
        }
        if (mb_show_x_label) {
            painter->drawText(QRect(x - 20, strip.top() + 7, 40, 14), Qt::AlignHCenter | Qt::AlignTop, tick.str_label);
        }
    }
}

void WndChartBase::draw_scroll_bar(QPainter* painter) const
{
    if (!mb_zoomed) {
        return;
    }
    const QRect strip(mn_axis_y_label_width + 24, 30 + plot_height() - 1, plot_width(), 10);
    painter->setPen(kClrAxis);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(strip);
    const QRect handle(strip.left() + mn_scroll_pos + 2, strip.top() + 2, mn_scroll_len, strip.height() - 3);
    painter->fillRect(handle, kClrAxis);
    painter->setPen(Qt::white);
    const int cx = handle.center().x();
    const int cy = handle.center().y();
    for (int dx : {-2, 0, 2}) {
        painter->drawLine(cx + dx, cy - 1, cx + dx, cy + 1);
    }
}
