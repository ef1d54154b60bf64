#include "views/wnd_table_ir_temp_simplified.h"

#include "thermframe.h"
#include "views/thread_paint_temp.h"

#include <QPainter>

WndTableIRTempSimplified::WndTableIRTempSimplified(QQuickItem* parent) : TableIRTempBase(parent)
{
    connect(this, &WndTableIRTempSimplified::sig_update, this, [this] {
        const QSize grid = m_thread->front_grid();
        if (grid != m_grid) {
            m_grid = grid;
            emit sig_grid_changed();
        }
        update();
    });
    m_thread = new ThreadPaintTemp;
    // The thread's signal arrives queued on the GUI thread.
    connect(m_thread, &ThreadPaintTemp::sig_painted, this, &WndTableIRTempSimplified::sig_update,
            Qt::QueuedConnection);
    m_thread->start();
}

WndTableIRTempSimplified::~WndTableIRTempSimplified()
{
    stop_temp_info();
    m_thread->quit_and_wait();
    delete m_thread;
}

QImage WndTableIRTempSimplified::front() const { return m_thread->front(); }

void WndTableIRTempSimplified::size_changed()
{
    m_picture = QImage(m_width, m_height, QImage::Format_RGB32);
}

void WndTableIRTempSimplified::geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry)
{
    TableIRTempBase::geometryChanged(new_geometry, old_geometry);
    // The numbers are laid out again for the new size.
    m_thread->set_view_size(new_geometry.size().toSize());
    update();
}

void WndTableIRTempSimplified::refresh()
{
    if (!read_frame(false)) return;
    if (m_picture.size() != QSize(m_width, m_height)) size_changed();
    uint32_t length = static_cast<uint32_t>(m_picture.sizeInBytes());
    thermframe_get_bits(frame(), m_picture.bits(), length);
    if (m_thread->hand_over(m_temps.data(), m_width, m_height, m_picture)) ++m_handed_over;
}

void WndTableIRTempSimplified::paint(QPainter* painter)
{
    const QImage image = m_thread->front();
    if (image.isNull()) {
        painter->fillRect(QRect(0, 0, static_cast<int>(width()), static_cast<int>(height())), QColor(7, 16, 23));
        return;
    }
    painter->drawImage(0, 0, image);
}
