// The designer's scroll bars: their geometry, hit areas, steps, thumb
// drags, auto-repeat and painting.
#include "reports/wnd_report_client.h"

#include "views/buffered_painter.h"

#include <QTimerEvent>
#include <QWheelEvent>

#include <climits>
#include <cstdint>

namespace {

constexpr int kPageGap = 24;

int clamp_int(int64_t value) { return static_cast<int>(qBound<int64_t>(0, value, INT_MAX / 2)); }

// Item areas of the parts of a bar, indexed by ReportScrollAxis::Part.
const int kVerticalAreas[6] = {WndReportClient::kAreaNone,      WndReportClient::kAreaUp,
                               WndReportClient::kAreaUpTrack,   WndReportClient::kAreaVThumb,
                               WndReportClient::kAreaDownTrack, WndReportClient::kAreaDown};
const int kHorizontalAreas[6] = {WndReportClient::kAreaNone,       WndReportClient::kAreaLeft,
                                 WndReportClient::kAreaLeftTrack,  WndReportClient::kAreaHThumb,
                                 WndReportClient::kAreaRightTrack, WndReportClient::kAreaRight};

ReportScrollAxis::Part part_of(const int areas[6], int area)
{
    for (int i = 1; i < 6; ++i) {
        if (areas[i] == area) return static_cast<ReportScrollAxis::Part>(i);
    }
    return ReportScrollAxis::kNone;
}

}  // namespace

void WndReportClient::geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry)
{
    QQuickPaintedItem::geometryChanged(new_geometry, old_geometry);
    update_scroll_geometry();
    layout_pages();
    update();
}

void WndReportClient::update_scroll_geometry()
{
    const float scale = m_data.zoom();
    const int64_t gap = static_cast<int>(kPageGap * scale);
    const int64_t page_height = static_cast<int>(m_data.page_height() * scale);
    const int64_t page_width = static_cast<int>(m_data.page_width() * scale);
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    const int64_t total_height = int64_t(m_data.pages().size()) * (page_height + gap) + gap;
    const int64_t total_width = page_width + 2 * gap;
    const bool vertical = h < total_height;
    const bool horizontal = w < total_width;
    const int bar = ReportScrollAxis::kBarWidth;
    if (vertical) {
        m_vbar.set_extent(clamp_int(total_height + 1), horizontal ? h - bar : h);
    } else {
        m_vbar.hide();
    }
    if (horizontal) {
        m_hbar.set_extent(clamp_int(total_width + 1), vertical ? w - bar : w);
    } else {
        m_hbar.hide();
    }
}

void WndReportClient::layout_pages() { m_data.layout_pages(m_hbar.offset(), m_vbar.offset(), client_rect()); }

int WndReportClient::area_at(int x, int y) const
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    const int bar = ReportScrollAxis::kBarWidth;
    if (x < w - bar && y < h - bar) return kAreaPage;
    if (m_vbar.shown() && x >= w - bar && x <= w) return kVerticalAreas[m_vbar.part_at(y, h)];
    if (m_hbar.shown() && y >= h - bar && y <= h) return kHorizontalAreas[m_hbar.part_at(x, w)];
    return kAreaNone;
}

bool WndReportClient::scroll_step(int area)
{
    bool changed = false;
    const ReportScrollAxis::Part vertical = part_of(kVerticalAreas, area);
    const ReportScrollAxis::Part horizontal = part_of(kHorizontalAreas, area);
    if (vertical != ReportScrollAxis::kNone && m_vbar.shown()) changed = m_vbar.step(vertical);
    if (horizontal != ReportScrollAxis::kNone && m_hbar.shown()) changed = m_hbar.step(horizontal);
    if (changed) {
        layout_pages();
        update();
    }
    return changed;
}

bool WndReportClient::drag_thumb(int area, const QPoint& position)
{
    bool changed = false;
    if (area == kAreaVThumb && m_vbar.shown()) changed = m_vbar.drag(position.y() - m_last_mouse.y());
    if (area == kAreaHThumb && m_hbar.shown()) changed = m_hbar.drag(position.x() - m_last_mouse.x());
    if (changed) {
        layout_pages();
        update();
    }
    return changed;
}

void WndReportClient::start_repeat(int area)
{
    if (part_of(kVerticalAreas, area) == ReportScrollAxis::kNone &&
        part_of(kHorizontalAreas, area) == ReportScrollAxis::kNone) {
        return;
    }
    m_repeat_area = area;
    m_first_timer = startTimer(kFirstRepeatMs);
}

void WndReportClient::stop_repeat()
{
    if (m_first_timer != 0) killTimer(m_first_timer);
    if (m_repeat_timer != 0) killTimer(m_repeat_timer);
    m_first_timer = 0;
    m_repeat_timer = 0;
}

void WndReportClient::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_first_timer) {
        killTimer(m_first_timer);
        m_first_timer = 0;
        m_repeat_timer = startTimer(kRepeatMs);
        return;
    }
    if (event->timerId() == m_repeat_timer) {
        // The repeat pauses while the mouse is off the part it started on.
        if (area_at(m_last_mouse.x(), m_last_mouse.y()) == m_mouse_area) scroll_step(m_repeat_area);
        return;
    }
    QQuickPaintedItem::timerEvent(event);
}

void WndReportClient::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (!m_vbar.shown()) return;
    if (m_vbar.scroll_by(-event->angleDelta().y())) {
        layout_pages();
        update();
    }
}

// --- Painting ---------------------------------------------------------------------------------

void WndReportClient::paint_bars(QPainter* painter, const QRect& client)
{
    const int bar = ReportScrollAxis::kBarWidth;
    if (m_vbar.shown()) {
        BufferedPainter buffer(painter, QRect(client.right() + 1, 0, bar, client.height() + 1));
        if (buffer.painter() != nullptr) paint_bar(buffer.painter(), m_vbar, true);
    }
    if (m_hbar.shown()) {
        BufferedPainter buffer(painter, QRect(0, client.bottom() + 1, client.width() + 1, bar));
        if (buffer.painter() != nullptr) paint_bar(buffer.painter(), m_hbar, false);
    }
}

void WndReportClient::paint_bar(QPainter* painter, const ReportScrollAxis& axis, bool vertical)
{
    const QRect device(0, 0, painter->device()->width(), painter->device()->height());
    painter->fillRect(device, QColor(7, 16, 23));
    const int length = vertical ? device.height() : device.width();
    const int across = vertical ? device.width() : device.height();
    // A rectangle given along the bar (pos, size) and across it (pos, size).
    const auto rect = [vertical](int pos, int size, int across_pos, int across_size) {
        return vertical ? QRect(across_pos, pos, across_size, size) : QRect(pos, across_pos, size, across_size);
    };
    const QRect back_box = rect(0, 19, 0, across - 1);
    const QRect forward_box = rect(length - 39, 19, 0, across - 1);
    const int track_start = 19;
    const int track_length = length - 58;
    const int back_area = vertical ? kAreaUp : kAreaLeft;
    const int thumb_area = vertical ? kAreaVThumb : kAreaHThumb;
    const int forward_area = vertical ? kAreaDown : kAreaRight;
    const int first = vertical ? 0 : 4;
    painter->drawImage(back_box.topLeft() + QPoint(1, 1), m_arrows[first + (m_mouse_area == back_area ? 1 : 0)]);
    painter->drawImage(forward_box.topLeft() + QPoint(1, 1),
                       m_arrows[first + 2 + (m_mouse_area == forward_area ? 1 : 0)]);
    if (axis.thumb() <= 0 || track_length <= 0) return;
    const int offset = axis.thumb_offset(track_length - 1 - axis.thumb());
    QColor colour(42, 71, 94);
    if (m_mouse_area == thumb_area) colour = m_pressed ? QColor(152, 193, 223) : QColor(52, 93, 123);
    painter->fillRect(rect(track_start + offset + 1, axis.thumb(), 1, across - 1), colour);
}
