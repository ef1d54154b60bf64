#include "views/wnd_table_ir_temp.h"

#include "views/tool_icons.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>

namespace {

const QColor kBackground(52, 73, 94);
const QColor kPen(102, 192, 244);
const QColor kBarFill(7, 16, 23);
const QColor kThumb(42, 71, 94);
const QColor kThumbActive(73, 110, 140);
constexpr int kButtonLength = 19;
constexpr int kButtonStep = 6;
// The track is the view less the two buttons, the thumb and a margin.
constexpr int kTrackLoss = 84;

}  // namespace

// --- Scroll bars ---------------------------------------------------------------------------------

void TableScrollBar::layout(int item_length, bool other_needed)
{
    view = item_length - (other_needed ? WndTableIRTemp::kBar : 0);
    const int over = content - view;
    if (position > std::max(0, over)) position = 0;
    const int track = view - kTrackLoss;
    if (track <= 0) {
        // No room for a track: the bar still scrolls through its buttons.
        thumb = 0;
        ratio = 1.0f;
    } else if (over >= track) {
        thumb = 50;
        ratio = static_cast<float>(over) / static_cast<float>(track);
    } else {
        ratio = 1.0f;
        thumb = view - content + view - 34;
    }
}

bool TableScrollBar::scroll_by(int delta)
{
    const int moved = std::max(0, std::min(position + delta, std::max(0, overflow())));
    if (moved == position) return false;
    position = moved;
    return true;
}

int TableScrollBar::thumb_top(int item_length) const
{
    const int over = overflow();
    if (over <= 0) return 0;
    return static_cast<int>(static_cast<int64_t>(item_length - thumb - 59) * position / over);
}

// --- The table -----------------------------------------------------------------------------------

WndTableIRTemp::WndTableIRTemp(QQuickItem* parent) : TableIRTempBase(parent)
{
    relayout();
}

WndTableIRTemp::~WndTableIRTemp()
{
    kill_press_timers();
}

QString WndTableIRTemp::value_text(float value)
{
    return value >= 100.0f ? QString::asprintf("%.0f", value) : QString::asprintf("%.1f", value);
}

QString WndTableIRTemp::cell_text(int r, int c) const
{
    const int64_t index = temp_table_index(m_rotation, m_width, m_height, r, c);
    if (index < 0 || index >= static_cast<int64_t>(m_temps.size())) return QString();
    return value_text(m_temps[static_cast<size_t>(index)]);
}

void WndTableIRTemp::refresh()
{
    if (read_frame(true)) update();
}

void WndTableIRTemp::relayout()
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    m_v.content = m_height * kCellHeight + kColumnHeader;
    m_h.content = m_width * kCellWidth + kRowHeader;
    m_v.needed = h < m_height * kCellHeight + 23;
    m_h.needed = w < (m_width + 1) * kCellWidth;
    m_v.layout(h, m_h.needed);
    m_h.layout(w, m_v.needed);
}

void WndTableIRTemp::geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry)
{
    TableIRTempBase::geometryChanged(new_geometry, old_geometry);
    relayout();
    update();
}

int WndTableIRTemp::hit_region(int x, int y) const
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    if (x < w - kBar && y < h - kBar) return kTable;
    if (m_v.needed && x >= w - kBar && y < h - kBar) {
        const int t = m_v.thumb_top(h);
        if (y < 21) return kUp;
        if (y < t + 20) return kTrackAbove;
        if (y <= m_v.thumb + 21 + t) return kVThumb;
        if (y <= h - 37) return kTrackBelow;
        return kDown;
    }
    if (m_h.needed && y >= h - kBar && x < w - kBar) {
        const int t = m_h.thumb_top(w);
        if (x < 21) return kLeft;
        if (x < t + 20) return kTrackBefore;
        if (x <= m_h.thumb + 21 + t) return kHThumb;
        if (x <= w - 37) return kTrackAfter;
        return kRight;
    }
    return kOutside;
}

bool WndTableIRTemp::step_region(int region, const QPoint& at)
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    // Tracks page toward the pointer and stop when the thumb reaches it.
    switch (region) {
    case kUp: return m_v.needed && m_v.scroll_by(-kButtonStep);
    case kDown: return m_v.needed && m_v.scroll_by(kButtonStep);
    case kLeft: return m_h.needed && m_h.scroll_by(-kButtonStep);
    case kRight: return m_h.needed && m_h.scroll_by(kButtonStep);
    case kTrackAbove: return at.y() < m_v.thumb_top(h) + 20 && m_v.scroll_by(-(h - kBar));
    case kTrackBelow: return at.y() > m_v.thumb + 21 + m_v.thumb_top(h) && m_v.scroll_by(h - kBar);
    case kTrackBefore: return at.x() < m_h.thumb_top(w) + 20 && m_h.scroll_by(-(w - kBar));
    case kTrackAfter: return at.x() > m_h.thumb + 21 + m_h.thumb_top(w) && m_h.scroll_by(w - kBar);
    default: return false;
    }
}

void WndTableIRTemp::kill_press_timers()
{
    if (m_press_timer != 0) killTimer(m_press_timer);
    if (m_repeat_timer != 0) killTimer(m_repeat_timer);
    m_press_timer = 0;
    m_repeat_timer = 0;
}

void WndTableIRTemp::mousePressEvent(QMouseEvent* event)
{
    m_last = event->pos();
    m_pressed_region = hit_region(m_last.x(), m_last.y());
    if (step_region(m_pressed_region, m_last)) update();
    kill_press_timers();
    m_press_timer = startTimer(500, Qt::CoarseTimer);
    event->accept();
}

void WndTableIRTemp::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->pos();
    const QPoint travel = pos - m_last;
    m_last = pos;
    bool moved = false;
    if (m_pressed_region == kVThumb) {
        moved = m_v.scroll_by(static_cast<int>(travel.y() * m_v.ratio));
    } else if (m_pressed_region == kHThumb) {
        moved = m_h.scroll_by(static_cast<int>(travel.x() * m_h.ratio));
    } else if (m_pressed_region == kTable) {
        // The content follows the pointer.
        moved = m_v.scroll_by(-travel.y()) | m_h.scroll_by(-travel.x());
    }
    if (moved) update();
}

void WndTableIRTemp::mouseReleaseEvent(QMouseEvent* event)
{
    kill_press_timers();
    m_pressed_region = kOutside;
    update();
    event->accept();
}

void WndTableIRTemp::hoverMoveEvent(QHoverEvent* event)
{
    const int region = hit_region(event->pos().x(), event->pos().y());
    if (region != m_hover_region) {
        m_hover_region = region;
        update();
    }
}

void WndTableIRTemp::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_press_timer) {
        killTimer(m_press_timer);
        m_press_timer = 0;
        m_repeat_timer = startTimer(100, Qt::CoarseTimer);
        return;
    }
    if (event->timerId() == m_repeat_timer) {
        if (hit_region(m_last.x(), m_last.y()) == m_pressed_region && step_region(m_pressed_region, m_last)) update();
        return;
    }
    TableIRTempBase::timerEvent(event);
}

// --- Painting ------------------------------------------------------------------------------------

void WndTableIRTemp::paint(QPainter* painter)
{
    QPainter& p = *painter;
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    p.fillRect(QRect(0, 0, w, h), kBackground);
    p.setPen(kPen);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    const int view_w = w - (m_v.needed ? kBar : 0);
    const int view_h = h - (m_h.needed ? kBar : 0);
    const int first_col = std::max(0, m_h.position / kCellWidth);
    const int first_row = std::max(0, m_v.position / kCellHeight);
    p.setClipRect(QRect(kRowHeader, kColumnHeader, view_w - kRowHeader, view_h - kColumnHeader));
    for (int r = first_row; r < m_height; ++r) {
        const int y = kColumnHeader + r * kCellHeight - m_v.position;
        if (y > view_h) break;
        for (int c = first_col; c < m_width; ++c) {
            const int x = kRowHeader + c * kCellWidth - m_h.position;
            if (x > view_w) break;
            const QRect cell(x, y, kCellWidth + 1, kCellHeight + 1);
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            p.drawText(cell, Qt::AlignCenter, cell_text(r, c));
        }
    }
    // Headers: column numbers along the top, row numbers down the left.
    p.setClipRect(QRect(kRowHeader, 0, view_w - kRowHeader, kColumnHeader));
    for (int c = first_col; c < m_width; ++c) {
        const int x = kRowHeader + c * kCellWidth - m_h.position;
        if (x > view_w) break;
        const QRect cell(x, 0, kCellWidth + 1, kColumnHeader + 1);
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.drawText(cell, Qt::AlignCenter, QString::asprintf("%d", c));
    }
    p.setClipRect(QRect(0, kColumnHeader, kRowHeader, view_h - kColumnHeader));
    for (int r = first_row; r < m_height; ++r) {
        const int y = kColumnHeader + r * kCellHeight - m_v.position;
        if (y > view_h) break;
        const QRect cell(0, y, kRowHeader + 1, kCellHeight + 1);
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.drawText(cell, Qt::AlignCenter, QString::asprintf("%d", r));
    }
    p.setClipping(false);
    const QRect corner(0, 0, kRowHeader + 1, kColumnHeader + 1);
    p.fillRect(corner, kBackground);
    p.drawRect(corner.adjusted(0, 0, -1, -1));
    p.drawText(corner, Qt::AlignCenter, QStringLiteral("℃"));
    if (m_v.needed) paint_bar(p, true);
    if (m_h.needed) paint_bar(p, false);
}

void WndTableIRTemp::paint_bar(QPainter& p, bool vertical_bar) const
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    const TableScrollBar& bar = vertical_bar ? m_v : m_h;
    const int length = vertical_bar ? h - (m_h.needed ? kBar : 0) : w - (m_v.needed ? kBar : 0);
    const QRect area = vertical_bar ? QRect(w - kBar, 0, kBar, length) : QRect(0, h - kBar, length, kBar);
    p.fillRect(area, kBarFill);
    const QRect first = vertical_bar ? QRect(area.left(), 0, kBar, kButtonLength) : QRect(0, area.top(), kButtonLength, kBar);
    const QRect last = vertical_bar ? QRect(area.left(), length - kButtonLength, kBar, kButtonLength)
                                    : QRect(length - kButtonLength, area.top(), kButtonLength, kBar);
    draw_tool_icon(p, first.adjusted(4, 5, -4, -5), vertical_bar ? ToolIcon::ArrowUp : ToolIcon::ArrowLeft);
    draw_tool_icon(p, last.adjusted(4, 5, -4, -5), vertical_bar ? ToolIcon::ArrowDown : ToolIcon::ArrowRight);
    if (bar.thumb <= 0) return;
    const int top = kButtonLength + 1 + bar.thumb_top(vertical_bar ? h : w);
    const QRect thumb = vertical_bar ? QRect(area.left() + 2, top, kBar - 4, bar.thumb)
                                     : QRect(top, area.top() + 2, bar.thumb, kBar - 4);
    const int active = vertical_bar ? kVThumb : kHThumb;
    p.fillRect(thumb, m_pressed_region == active || m_hover_region == active ? kThumbActive : kThumb);
}
