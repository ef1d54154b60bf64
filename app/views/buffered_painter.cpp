#include "views/buffered_painter.h"

BufferedPainter::BufferedPainter(QPainter* target, const QRect& rect) : m_target(target), m_rect(rect)
{
    if (m_target == nullptr || m_rect.width() <= 0 || m_rect.height() <= 0) return;
    m_pixmap = QPixmap(m_rect.size());
    if (!m_pixmap.isNull()) m_painter.begin(&m_pixmap);
}

BufferedPainter::~BufferedPainter()
{
    if (!m_painter.isActive()) return;
    m_painter.end();
    m_target->drawPixmap(m_rect.topLeft(), m_pixmap);
}
