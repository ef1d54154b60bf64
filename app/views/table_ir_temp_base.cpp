#include "views/table_ir_temp_base.h"

#include "sources/ir_base.h"
#include "thermframe.h"

#include <QTimerEvent>

namespace {

// Pictures beyond this many pixels are not tabulated.
constexpr int64_t kMaxCells = 16LL << 20;

}  // namespace

int64_t temp_table_index(int rotation, int w, int h, int r, int c)
{
    const int64_t W = w, H = h;
    switch (rotation) {
    case ROTATION_90: return (W - c - 1) * H + r;
    case ROTATION_270: return (c + 1) * H - r - 1;
    case ROTATION_180:
    case ROTATION_180_ALT: return (H - r) * W - c - 1;
    default: return W * r + c;
    }
}

TableIRTempBase::TableIRTempBase(QQuickItem* parent) : QQuickPaintedItem(parent), m_temps(1024 * 1024, 0.0f)
{
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::AllButtons);
}

TableIRTempBase::~TableIRTempBase()
{
    stop_temp_info();
}

void TableIRTempBase::bind_source(bool enabled, IRBase* source)
{
    m_enabled = enabled;
    m_source = source;
}

void* TableIRTempBase::frame() const
{
    return m_enabled && m_source != nullptr ? m_source->get_ir_data() : nullptr;
}

void TableIRTempBase::start_temp_info(int n)
{
    if (n < 1) return;
    if (m_refresh_timer == 0) {
        m_refresh_timer = startTimer(tick_ms(), Qt::CoarseTimer);
        m_ticks = 0;
    }
    m_interval = n;
}

void TableIRTempBase::stop_temp_info()
{
    if (m_refresh_timer != 0) killTimer(m_refresh_timer);
    m_refresh_timer = 0;
}

void TableIRTempBase::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_refresh_timer) {
        QQuickPaintedItem::timerEvent(event);
        return;
    }
    // The first tick refreshes, then every n-th.
    if (m_ticks++ % m_interval == 0) refresh();
}

bool TableIRTempBase::read_frame(bool show_resolution)
{
    void* doc = frame();
    uint16_t w = 0, h = 0;
    if (doc == nullptr) return false;
    const bool sized = show_resolution ? thermframe_get_show_resolution(doc, w, h) : thermframe_get_resolution(doc, w, h);
    if (!sized || w == 0 || h == 0 || static_cast<int64_t>(w) * h > kMaxCells) return false;
    RotationAngle angle = ROTATION_NONE;
    thermframe_get_rotation_angle(doc, angle);
    m_rotation = angle;
    const size_t cells = static_cast<size_t>(w) * h;
    // The buffer grows to the largest picture seen and is never read past
    // its own size.
    if (cells > m_temps.size()) m_temps.assign(cells, 0.0f);
    if (w != m_width || h != m_height) {
        m_width = w;
        m_height = h;
        size_changed();
    }
    return thermframe_get_all_temp(doc, m_temps.data());
}
