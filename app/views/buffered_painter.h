// Paints a rectangle off screen and puts it onto the target in one draw
// when it goes out of scope. Coordinates inside are relative to the
// rectangle's top left. An empty rectangle paints nothing and gives no
// painter.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QRect>

class BufferedPainter {
public:
    BufferedPainter(QPainter* target, const QRect& rect);
    ~BufferedPainter();
    BufferedPainter(const BufferedPainter&) = delete;
    BufferedPainter& operator=(const BufferedPainter&) = delete;

    // Null when the rectangle is empty or the pixmap could not be painted.
    QPainter* painter() { return m_painter.isActive() ? &m_painter : nullptr; }
    QRect local_rect() const { return QRect(QPoint(0, 0), m_rect.size()); }

private:
    QPainter* m_target = nullptr;
    QRect m_rect;
    QPixmap m_pixmap;
    QPainter m_painter;
};
