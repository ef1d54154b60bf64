#include "reports/report_edit_tool.h"

#include "reports/report_com_base.h"
#include "reports/report_data.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

bool moves_selection(int code)
{
    return code == ReportComBase::kHitSelected ||
           (code >= ReportComBase::kHitUnselected && code <= ReportComBase::kHitLeft);
}

}  // namespace

void ReportComMover::move_to(int hit_code, const QPoint& point)
{
    const QPoint delta = point - m_last;
    if (m_data != nullptr && !delta.isNull()) m_data->move_hit_com(hit_code, delta.x(), delta.y());
    m_last = point;
}

ReportEditTool::ReportEditTool()
{
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != nullptr) {
            m_dpi = static_cast<int>(screen->physicalDotsPerInch());
            break;
        }
    }
}

void ReportEditTool::bind(ReportData* data)
{
    m_data = data;
    m_mover.bind(data);
}

bool ReportEditTool::to_page(int& x, int& y) const
{
    if (m_data == nullptr || !m_data->item_to_page(x, y)) return false;
    x = qMax(0, x);
    y = qMax(0, y);
    return true;
}

bool ReportEditTool::press(int x, int y)
{
    m_pressed = true;
    if (!to_page(x, y)) return false;
    const QPoint point(x, y);
    m_press_code = m_data->hit_code();
    if (drawing()) {
        m_press = m_current = point;
        return true;
    }
    if (m_press_code == ReportComBase::kHitPage) {
        m_press = m_current = point;
        return true;
    }
    if (m_press_code >= ReportComBase::kHitNothing) return false;
    if (moves_selection(m_press_code)) m_mover.start(point);
    return true;
}

QRect ReportEditTool::band_rect() const
{
    int x1 = m_press.x();
    int y1 = m_press.y();
    int x2 = m_current.x();
    int y2 = m_current.y();
    ReportData::normalize_corners(x1, y1, x2, y2);
    m_data->clamp_to_page(x1, y1);
    m_data->clamp_to_page(x2, y2);
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

bool ReportEditTool::move(int x, int y)
{
    if (!m_pressed || !to_page(x, y)) return false;
    const QPoint point(x, y);
    if (drawing()) {
        m_current = point;
        return true;
    }
    if (m_press_code == ReportComBase::kHitPage) {
        m_current = point;
        m_data->select_in_rect(band_rect());
        return true;
    }
    if (!moves_selection(m_press_code)) return false;
    m_mover.move_to(m_press_code, point);
    return true;
}

bool ReportEditTool::release(int x, int y)
{
    m_pressed = false;
    if (drawing()) {
        end_drawing();
        m_mode = kSelect;
        return true;
    }
    if (!to_page(x, y)) return false;
    if (m_press_code == ReportComBase::kHitPage) {
        m_current = QPoint(x, y);
        m_data->select_in_rect(band_rect());
    } else if (moves_selection(m_press_code)) {
        m_data->apply_selection_rects();
    }
    m_press_code = 0;
    return false;
}

void ReportEditTool::end_drawing()
{
    if (m_data == nullptr) return;
    if (m_mode == kMark) {
        const int side = mark_side();
        const QRect square(m_current, QSize(side, side));
        if (m_data->add_com_in_rect(ReportComBase::kTypeMark, square.left(), square.top(), square.right(),
                                    square.bottom())) {
            m_last_added = square;
        }
        return;
    }
    const int dx = m_current.x() - m_press.x();
    const int dy = m_current.y() - m_press.y();
    if (dx == 0 || dy == 0 || (qAbs(dx) < 5 && qAbs(dy) < 5)) return;
    int x1 = m_press.x();
    int y1 = m_press.y();
    int x2 = m_current.x();
    int y2 = m_current.y();
    ReportData::normalize_corners(x1, y1, x2, y2);
    if (m_data->add_com_in_rect(m_mode - 1, x1, y1, x2, y2)) m_last_added = QRect(QPoint(x1, y1), QPoint(x2, y2));
}

QRect ReportEditTool::drawing_rect(bool& dashed) const
{
    dashed = false;
    if (!m_pressed || m_data == nullptr) return QRect();
    if (m_mode == kMark) return QRect(m_current, QSize(mark_side(), mark_side()));
    if (drawing()) return band_rect();
    if (m_press_code != ReportComBase::kHitPage) return QRect();
    dashed = true;
    return band_rect();
}
