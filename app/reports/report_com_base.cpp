#include "reports/report_com_base.h"

#include "reports/report_data.h"
#include "reports/report_log.h"

#include <QPainter>

#include <atomic>

namespace {

// Ids are unique within the process and never reused.
std::atomic<int> g_next_com_id{0};

constexpr int kHitHandleSize = 10;
constexpr int kHitHandleDistance = 7;
constexpr int kDrawHandleSize = 13;
constexpr int kDrawHandleDistance = 8;
const QColor kFrameColour(38, 128, 235);

}  // namespace

ReportComBase::ReportComBase(ReportData* owner, QObject* parent)
    : QObject(parent), m_owner(owner), m_id(g_next_com_id.fetch_add(1))
{
}

ReportComBase::~ReportComBase() = default;

bool ReportComBase::mouse_right_down(int, int) { return true; }
bool ReportComBase::mouse_down(int, int) { return true; }
bool ReportComBase::mouse_move(int, int) { return true; }
bool ReportComBase::mouse_up(int, int) { return true; }
bool ReportComBase::mouse_double_clicked(int, int) { return true; }

void ReportComBase::draw_com(QPainter* painter, bool, bool)
{
    const QRect inner(m_rect.x(), m_rect.y(), m_rect.width() - 1, m_rect.height() - 1);
    painter->fillRect(inner, Qt::white);
    const QPen pen = painter->pen();
    painter->setPen(Qt::black);
    painter->drawRect(inner);
    painter->setPen(pen);
}

bool ReportComBase::init_com(int page, const QRect& rect)
{
    m_page = page;
    m_rect = rect;
    m_work_rect = rect;
    return true;
}

void ReportComBase::apply_com_rect()
{
    m_work_rect = m_work_rect.normalized();
    m_rect = m_work_rect;
}

void ReportComBase::clamp_to_page(int& x, int& y) const
{
    if (m_owner == nullptr) return;
    x = qBound(0, x, qMax(0, m_owner->page_width() - 1));
    y = qBound(0, y, qMax(0, m_owner->page_height() - 1));
}

bool ReportComBase::move_hit_com_size(int hit_code, int dx, int dy)
{
    int left = m_work_rect.left();
    int top = m_work_rect.top();
    int right = m_work_rect.right();
    int bottom = m_work_rect.bottom();
    qCDebug(lc_report) << "move_hit_com_size 1" << m_work_rect.width();
    switch (hit_code) {
    case kHitTopLeft: left += dx; top += dy; break;
    case kHitTop: top += dy; break;
    case kHitTopRight: top += dy; right += dx; break;
    case kHitRight: right += dx; break;
    case kHitBottomRight: right += dx; bottom += dy; break;
    case kHitBottom: bottom += dy; break;
    case kHitBottomLeft: left += dx; bottom += dy; break;
    case kHitLeft: left += dx; break;
    default: break;
    }
    clamp_to_page(left, top);
    clamp_to_page(right, bottom);
    m_work_rect = QRect(left, top, right - left + 1, bottom - top + 1);
    qCDebug(lc_report) << "move_hit_com_size 2" << m_work_rect.width();
    return true;
}

void ReportComBase::handle_centres(const QRect& rect, int d, QPoint centres[8])
{
    const int cx = (rect.left() + rect.right()) / 2;
    const int cy = (rect.top() + rect.bottom()) / 2;
    centres[0] = QPoint(rect.left() - d, rect.top() - d);       // 31
    centres[1] = QPoint(cx, rect.top() - d);                    // 32
    centres[2] = QPoint(rect.right() + d, rect.top() - d);      // 33
    centres[3] = QPoint(rect.right() + d, cy);                  // 34
    centres[4] = QPoint(rect.right() + d, rect.bottom() + d);   // 35
    centres[5] = QPoint(cx, rect.bottom() + d);                 // 36
    centres[6] = QPoint(rect.left() - d, rect.bottom() + d);    // 37
    centres[7] = QPoint(rect.left() - d, cy);                   // 38
}

bool ReportComBase::hit_test_com(int x, int y, bool selected, int& hit_code)
{
    const QPoint point(x, y);
    if (!selected) {
        if (!m_rect.contains(point)) return false;
        hit_code = kHitUnselected;
        return true;
    }
    if (m_resizable) {
        QPoint centres[8];
        handle_centres(m_rect, kHitHandleDistance, centres);
        // Tested in the order 31, 32, 33, 38, 34, 37, 36, 35.
        static const int kOrder[8] = {0, 1, 2, 7, 3, 6, 5, 4};
        for (int i : kOrder) {
            QRect square(0, 0, kHitHandleSize, kHitHandleSize);
            square.moveCenter(centres[i]);
            if (square.contains(point)) {
                hit_code = kHitTopLeft + i;
                return true;
            }
        }
    }
    if (!m_rect.contains(point)) return false;
    hit_code = kHitSelected;
    return true;
}

bool ReportComBase::set_font_setting(const QJsonObject&) { return false; }
bool ReportComBase::set_mark_setting(const QJsonObject&) { return false; }
bool ReportComBase::set_ir_setting(const QJsonObject&) { return false; }
int ReportComBase::update_mark_text(const QString&) { return -1; }
QString ReportComBase::get_mark_error() const { return QString(); }
bool ReportComBase::refresh_marks() { return false; }
QString ReportComBase::get_hit_cell_key() const { return QString(); }
ReportFont ReportComBase::get_com_font() const { return ReportFont(); }

void ReportComBase::draw_com_with_frame(QPainter* painter, bool selected, bool hovered)
{
    draw_com(painter, selected, hovered);
    if (selected) draw_handles(painter, m_rect);
    if (hovered) {
        painter->drawRect(QRect(m_work_rect.x(), m_work_rect.y(), m_work_rect.width() - 1, m_work_rect.height() - 1));
    }
}

void ReportComBase::draw_handles(QPainter* painter, const QRect& rect)
{
    const QPen pen = painter->pen();
    painter->setPen(kFrameColour);
    painter->drawRect(QRect(rect.x(), rect.y(), rect.width() - 1, rect.height() - 1).adjusted(-1, -1, 1, 1));
    painter->setPen(pen);
    if (!m_resizable) return;
    QPoint centres[8];
    handle_centres(rect, kDrawHandleDistance, centres);
    for (int i = 0; i < 8; ++i) {
        if (m_type == kTypeTable && kHitTopLeft + i != kHitBottomRight) continue;
        QRect square(0, 0, kDrawHandleSize, kDrawHandleSize);
        square.moveCenter(centres[i]);
        const QRect inner(square.x(), square.y(), square.width() - 1, square.height() - 1);
        painter->fillRect(inner, Qt::white);
        painter->drawRect(inner);
    }
}

bool ReportComBase::take_rect_if_intersects(const QRect& rect)
{
    if (!m_rect.intersects(rect)) return false;
    m_work_rect = m_rect;
    return true;
}

bool ReportComBase::align_with(const QRect& rect)
{
    m_rect = rect;
    m_work_rect = rect;
    apply_com_rect();
    return true;
}

bool ReportComBase::align_left_to(int v) { QRect r = m_rect; r.moveLeft(v); return align_with(r); }
bool ReportComBase::align_right_to(int v) { QRect r = m_rect; r.moveRight(v); return align_with(r); }
bool ReportComBase::align_top_to(int v) { QRect r = m_rect; r.moveTop(v); return align_with(r); }
bool ReportComBase::align_bottom_to(int v) { QRect r = m_rect; r.moveBottom(v); return align_with(r); }

bool ReportComBase::align_centre_x_to(int v)
{
    const int shift = v - m_rect.center().x();
    return align_with(m_rect.adjusted(shift, 0, shift, 0));
}

bool ReportComBase::align_centre_y_to(int v)
{
    const int shift = v - m_rect.center().y();
    return align_with(m_rect.adjusted(0, shift, 0, shift));
}

bool ReportComBase::shift_x(int v) { return align_with(m_rect.adjusted(v, 0, v, 0)); }
bool ReportComBase::shift_y(int v) { return align_with(m_rect.adjusted(0, v, 0, v)); }
bool ReportComBase::set_width(int v) { QRect r = m_rect; r.setWidth(v); return align_with(r); }
bool ReportComBase::set_height(int v) { QRect r = m_rect; r.setHeight(v); return align_with(r); }
