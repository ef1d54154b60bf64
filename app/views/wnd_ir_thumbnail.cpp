#include "views/wnd_ir_thumbnail.h"

#include "sources/handle_ids.h"
#include "thermframe.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Pictures turned by 90 or 270 degrees are drawn between these margins.
constexpr int kTurnedMargin = 35;

bool turned(int rotation) { return rotation == ROTATION_90 || rotation == ROTATION_270; }

}  // namespace

WndIRThumbnail::WndIRThumbnail(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::LeftButton);
}

WndIRThumbnail::~WndIRThumbnail() = default;

void WndIRThumbnail::set_ir_data_handle(int n_id) { set_frame(library_ids().handle_of(n_id)); }

void WndIRThumbnail::set_frame(void* frame)
{
    m_frame = frame;
    make_images();
    update();
}

int WndIRThumbnail::rotation() const
{
    RotationAngle angle = ROTATION_NONE;
    thermframe_get_rotation_angle(m_frame, angle);
    return angle;
}

bool WndIRThumbnail::make_images()
{
    uint16_t w = 0, h = 0, sw = 0, sh = 0;
    if (!thermframe_get_resolution(m_frame, w, h) || !thermframe_get_show_resolution(m_frame, sw, sh) || w == 0 ||
        h == 0) {
        return false;
    }
    if (m_picture.size() != QSize(w, h)) m_picture = QImage(w, h, QImage::Format_RGB32);
    if (m_shown.size() != QSize(sw, sh)) m_shown = QImage(sw, sh, QImage::Format_RGB32);
    return true;
}

bool WndIRThumbnail::update_ir_thumbnail()
{
    uint16_t w = 0, h = 0;
    if (!thermframe_get_resolution(m_frame, w, h)) return false;
    if (m_picture.size() == QSize(w, h)) {
        update();
        return false;
    }
    make_images();
    update();
    return true;
}

void WndIRThumbnail::do_scale(float f_x, float f_w, float f_y, float f_h)
{
    m_x_ratio = f_x;
    m_w_ratio = f_w;
    m_y_ratio = f_y;
    m_h_ratio = f_h;
    update();
}

QRect WndIRThumbnail::target_rect() const
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    return turned(rotation()) ? QRect(kTurnedMargin, 0, w - 2 * kTurnedMargin, h) : QRect(0, 0, w, h);
}

QRect WndIRThumbnail::visible_rect() const
{
    const QRect target = target_rect();
    const int h = static_cast<int>(height());
    // The outline is drawn one pixel wider than the rectangle, hence the - 1.
    QRect visible(target.left() + static_cast<int>(m_x_ratio * target.width()), static_cast<int>(m_y_ratio * h),
                  static_cast<int>(m_w_ratio * target.width() - 1), static_cast<int>(m_h_ratio * h - 1));
    return visible.normalized() & target;
}

void WndIRThumbnail::paint(QPainter* painter)
{
    if (m_picture.isNull() || m_shown.isNull()) return;
    uint32_t length = static_cast<uint32_t>(m_picture.sizeInBytes());
    if (!thermframe_get_bits(m_frame, m_picture.bits(), length)) return;
    const int angle = rotation();
    {
        QPainter turn(&m_shown);
        switch (angle) {
        case ROTATION_90: turn.translate(m_picture.height(), 0); turn.rotate(90); break;
        case ROTATION_270: turn.translate(0, m_picture.width()); turn.rotate(270); break;
        case ROTATION_180:
        case ROTATION_180_ALT: turn.translate(m_picture.width(), m_picture.height()); turn.rotate(180); break;
        default: break;
        }
        turn.drawImage(0, 0, m_picture);
    }
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->drawImage(target_rect(), m_shown);
    painter->setPen(QPen(QColor(0, 255, 0), 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(visible_rect());
}

void WndIRThumbnail::mousePressEvent(QMouseEvent* event)
{
    const QRect visible = visible_rect();
    m_dragging = visible.contains(event->pos());
    if (m_dragging) {
        m_press = event->pos();
        m_corner_at_press = visible.topLeft();
    }
    event->accept();
}

void WndIRThumbnail::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || (m_w_ratio == 1.0f && m_h_ratio == 1.0f)) return;
    const bool side_margins = turned(rotation());
    const int offset = side_margins ? kTurnedMargin : 0;
    const int usable = static_cast<int>(width()) - 2 * offset;
    const int h = static_cast<int>(height());
    if (usable <= 0 || h <= 0) return;
    const QPoint travel = event->pos() - m_press;
    const float x = static_cast<float>(m_corner_at_press.x() + travel.x() - offset) / static_cast<float>(usable);
    const float y = static_cast<float>(m_corner_at_press.y() + travel.y()) / static_cast<float>(h);
    m_x_ratio = std::max(0.0f, std::min(x, 1.0f - m_w_ratio));
    m_y_ratio = std::max(0.0f, std::min(y, 1.0f - m_h_ratio));
    emit sig_wnd_assist_move(m_x_ratio, m_y_ratio);
    update();
}

void WndIRThumbnail::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    event->accept();
}

void WndIRThumbnail::hoverEnterEvent(QHoverEvent* event)
{
    setCursor(Qt::PointingHandCursor);
    QQuickPaintedItem::hoverEnterEvent(event);
}

void WndIRThumbnail::hoverLeaveEvent(QHoverEvent* event)
{
    setCursor(Qt::ArrowCursor);
    QQuickPaintedItem::hoverLeaveEvent(event);
}
