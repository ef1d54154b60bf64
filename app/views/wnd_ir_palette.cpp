#include "views/wnd_ir_palette.h"

#include "shell/h_translator.h"
#include "sources/ir_base.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QCursor>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lc_palette_bar, "pyravue.view.palette")

namespace {

constexpr int kBox = 24;
constexpr int kStripTop = 25;
constexpr int kMaxAd = 0xFFFF;
const QColor kDark(7, 16, 23);
const QColor kText(102, 192, 244);
const QColor kOutline(42, 71, 94);

}  // namespace

// Outside any namespace, as the resource initialiser requires.
static void init_palette_strips() { Q_INIT_RESOURCE(pyravue_palette_strips); }

namespace palette_bar {

void strip_range(int coldest, int hottest, int& min_range, int& max_range)
{
    const int d = (hottest - coldest) / 2;
    min_range = std::max(0, coldest - d);
    max_range = std::min(kMaxAd, hottest + d);
}

int level_at(int min_range, int max_range, int yy, int length)
{
    const int span = max_range - min_range;
    return max_range - static_cast<int>(static_cast<int64_t>(span) * yy / length);
}

bool shift_levels(int& low, int& high, int step)
{
    const int new_low = low - step;
    const int new_high = high - step;
    if (new_low < 0 || new_high < 0 || new_low > kMaxAd || new_high > kMaxAd) {
        return false;
    }
    low = new_low;
    high = new_high;
    return true;
}

QString temp_text(float value)
{
    return value > 100.0f ? QString::asprintf("%d", static_cast<int>(value)) : QString::asprintf("%.1f", value);
}

}  // namespace palette_bar

WndIRPalette::WndIRPalette(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    init_palette_strips();
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::AllButtons);
    setFlag(ItemAcceptsInputMethod, true);
    static const char* const kNames[10] = {"clr_iron", "clr_rainbow", "clr_feather", "clr_gray", "clr_cwfeather",
                                           "clr_iron_reverse", "clr_rainbow_reverse", "clr_feather_reverse",
                                           "clr_gray_reverse", "clr_cwfeather_reverse"};
    for (int i = 0; i < 10; ++i) {
        m_images.insert(i, QStringLiteral(":/images/%1.png").arg(QLatin1String(kNames[i])));
    }
    load_image(0);
    // The "Auto" text is translated when painting.
    connect(HTranslator::instance(), &HTranslator::sig_language_changed, this, [this] { update(); });
}

WndIRPalette::~WndIRPalette() = default;

void WndIRPalette::set_ir_wnd(WndIRShow* p_ir_wnd) { m_ir_wnd = p_ir_wnd; }

void* WndIRPalette::frame() const
{
    return m_ir_wnd != nullptr && m_ir_wnd->source() != nullptr ? m_ir_wnd->source()->get_ir_data() : nullptr;
}

void WndIRPalette::repaint_picture() const
{
    if (m_ir_wnd != nullptr) m_ir_wnd->update();
}

void WndIRPalette::load_image(int palette)
{
    const QString path = m_images.value(palette);
    if (path.isEmpty()) return;
    m_pi = palette;
    if (!m_image.load(path, "PNG")) {
        qCWarning(lc_palette_bar) << "palette strip missing:" << path;
    }
}

float WndIRPalette::temp_of(int ad) const
{
    float t = 0.0f;
    thermframe_get_temp_from_ad(frame(), static_cast<uint16_t>(std::max(0, std::min(kMaxAd, ad))), t);
    return t;
}

// Reads the range, palette and scene extremes of the analysis with its own
// palette or of the frame; full also re-reads whether the range is automatic:
// imaged once or on every frame (a live camera's frames are), the bar
// follows the frames.
bool WndIRPalette::read_range(bool full, int& low, int& high, int& pal, int& coldest, int& hottest)
{
    void* doc = frame();
    if (doc == nullptr) return false;
    void* ana = nullptr;
    bool own = false;
    std::string alias;
    uint16_t l = 0, h = 0, x = 0, y = 0, ad_min = 0, ad_max = 0;
    float t = 0.0f;
    PALETTE palette = PAL_IRON;
    PaletteType type = PALETTE_TYPE_MANUAL;
    if (thermframe_get_select_ana(doc, ana) && ana != nullptr && thermframe_ana_has_self_palette(ana, own) && own &&
        thermframe_ana_get_alias(ana, alias)) {
        m_ana = ana;
        m_ana_alias = QString::fromStdString(alias);
        thermframe_ana_get_palette_param(ana, l, h);
        thermframe_ana_get_palette(ana, palette);
        if (full && thermframe_ana_get_palette_type(ana, type)) m_auto_range = type != PALETTE_TYPE_MANUAL;
        thermframe_ana_get_min_temp(ana, x, y, ad_min, t);
        thermframe_ana_get_max_temp(ana, x, y, ad_max, t);
    } else {
        m_ana = nullptr;
        m_ana_alias.clear();
        thermframe_get_imaging_range(doc, l, h);
        thermframe_get_palette(doc, palette);
        if (full && thermframe_get_palette_type(doc, type)) m_auto_range = type != PALETTE_TYPE_MANUAL;
        thermframe_get_min_temp(doc, x, y, ad_min, t);
        thermframe_get_max_temp(doc, x, y, ad_max, t);
    }
    low = l;
    high = h;
    pal = palette;
    coldest = ad_min;
    hottest = ad_max;
    return true;
}

void WndIRPalette::update_palette_info()
{
    int low = 0, high = 0, pal = 0, coldest = 0, hottest = 0;
    if (!read_range(true, low, high, pal, coldest, hottest)) return;
    emit sig_palette_change_btn(m_ana != nullptr);
    int min_range = 0, max_range = 0;
    palette_bar::strip_range(coldest, hottest, min_range, max_range);
    if (low != 0 && high != 0) {
        update_adjust(0, pal, min_range, max_range, low, high, temp_of(low), temp_of(high));
    }
}

void WndIRPalette::update_palette_levelspan_only()
{
    if (m_dragging || !m_auto_range) return;
    int low = 0, high = 0, pal = 0, coldest = 0, hottest = 0;
    if (!read_range(false, low, high, pal, coldest, hottest)) return;
    emit sig_palette_change_btn(m_ana != nullptr);
    int min_range = 0, max_range = 0;
    palette_bar::strip_range(coldest, hottest, min_range, max_range);
    update_adjust(0, pal, min_range, max_range, low, high, temp_of(low), temp_of(high));
}

void WndIRPalette::update_adjust(int n_type, int pi, int n_min_range, int n_max_range, int n_level, int n_level_span,
                                 float f_level_temp, float f_level_span_temp)
{
    (void)n_type;
    m_min_range = std::min(n_min_range, n_level);
    m_max_range = std::max(n_max_range, n_level_span);
    m_level = n_level;
    m_level_span = n_level_span;
    const int span = m_max_range - m_min_range;
    if (span <= 0) {
        qCDebug(lc_palette_bar) << " xxxx update_adjust 1 << " << span << m_max_range << m_min_range;
        return;
    }
    recompute_positions();
    m_level_temp = f_level_temp;
    m_level_span_temp = f_level_span_temp;
    if (m_images.contains(pi)) load_image(pi);
    update();
}

void WndIRPalette::recompute_positions()
{
    const float span = static_cast<float>(m_max_range - m_min_range);
    m_low_pos = 1.0f - static_cast<float>(m_level - m_min_range) / span;
    m_high_pos = 1.0f - static_cast<float>(m_level_span - m_min_range) / span;
}

void WndIRPalette::set_palette_range(int n_level, int n_level_span, float f_level_temp, float f_level_span_temp)
{
    (void)f_level_temp;
    (void)f_level_span_temp;
    m_level = n_level;
    m_level_span = n_level_span;
    if (m_max_range > m_min_range) {
        recompute_positions();
        update();
    } else {
        qCDebug(lc_palette_bar) << " xxxx set_palette_range 2 << " << m_max_range - m_min_range << m_max_range
                                << m_min_range;
    }
}

void WndIRPalette::set_color_index(int n_clr)
{
    if (m_images.contains(n_clr) && n_clr != m_pi) {
        load_image(n_clr);
        update();
    }
}

// --- Writing the range ------------------------------------------------------------------------------

bool WndIRPalette::write_low(int ad)
{
    const auto value = static_cast<uint16_t>(ad);
    const bool ok = m_ana != nullptr ? thermframe_ana_set_palette_param_min(m_ana, value)
                                     : thermframe_set_low_of_imaging_range(frame(), value);
    if (ok) repaint_picture();
    return ok;
}

bool WndIRPalette::write_high(int ad)
{
    const auto value = static_cast<uint16_t>(ad);
    const bool ok = m_ana != nullptr ? thermframe_ana_set_palette_param_max(m_ana, value)
                                     : thermframe_set_high_of_imaging_range(frame(), value);
    if (ok) repaint_picture();
    return ok;
}

bool WndIRPalette::write_both(int low, int high)
{
    const auto l = static_cast<uint16_t>(low);
    const auto h = static_cast<uint16_t>(high);
    const bool ok = m_ana != nullptr ? thermframe_ana_set_palette_param(m_ana, l, h)
                                     : thermframe_set_imaging_range(frame(), l, h);
    if (ok) repaint_picture();
    return ok;
}

void WndIRPalette::set_auto()
{
    if (m_ir_wnd == nullptr) return;
    const bool ok = m_ana != nullptr ? thermframe_ana_auto_palette(m_ana)
                                     : thermframe_set_palette_type(frame(), PALETTE_TYPE_AUTO_ONCE);
    if (ok) repaint_picture();
    update_palette_info();
    m_auto_range = true;
}

// --- Pointer -------------------------------------------------------------------------------------------

void WndIRPalette::geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry)
{
    QQuickPaintedItem::geometryChanged(new_geometry, old_geometry);
    update();
}

void WndIRPalette::hoverMoveEvent(QHoverEvent* event)
{
    const float length = static_cast<float>(strip_length());
    const float yy = static_cast<float>(event->pos().y() - kStripTop);
    int part = kPartNone;
    if (std::fabs(yy - m_high_pos * length) < 5.0f) part = kPartHigh;
    else if (std::fabs(yy - m_low_pos * length) < 5.0f) part = kPartLow;
    else if (yy > m_high_pos * length && yy < m_low_pos * length) part = kPartBoth;
    if (!m_dragging) m_drag_part = part;
    const Qt::CursorShape shape =
        part == kPartNone ? Qt::ArrowCursor : part == kPartBoth ? Qt::SizeAllCursor : Qt::SizeVerCursor;
    if (shape != m_cursor_shape) {
        m_cursor_shape = shape;
        setCursor(shape);
    }
}

void WndIRPalette::mousePressEvent(QMouseEvent* event)
{
    const int y = event->pos().y();
    const int bottom = static_cast<int>(height());
    if (y <= bottom - kBox) {
        // A press without a hover before it (touch, tests) finds its part here.
        QHoverEvent hover(QEvent::HoverMove, event->localPos(), event->localPos());
        hoverMoveEvent(&hover);
        m_last_x = event->pos().x();
        m_last_y = y;
        m_dragging = true;
    } else {
        set_auto();
    }
    event->accept();
}

void WndIRPalette::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    event->accept();
}

void WndIRPalette::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || m_ir_wnd == nullptr) return;
    drag_to(event->pos().y());
    update();
}

void WndIRPalette::drag_to(int y)
{
    const int length = strip_length();
    const int span = m_max_range - m_min_range;
    if (length <= 0 || span == 0) return;
    const int yy = y - kStripTop;
    const float lf = static_cast<float>(length);
    switch (m_drag_part) {
    case kPartHigh:
        if (yy > 0 && yy < m_low_pos * lf - 5.0f) {
            m_level_span = palette_bar::level_at(m_min_range, m_max_range, yy, length);
            m_high_pos = static_cast<float>(yy) / lf;
            if (write_high(m_level_span)) m_level_span_temp = temp_of(m_level_span);
        }
        break;
    case kPartLow:
        if (yy < length && yy > m_high_pos * lf + 5.0f) {
            m_level = palette_bar::level_at(m_min_range, m_max_range, yy, length);
            m_low_pos = static_cast<float>(yy) / lf;
            if (write_low(m_level)) m_level_temp = temp_of(m_level);
        }
        break;
    case kPartBoth: {
        const int dy = y - m_last_y;
        if (static_cast<int>(m_high_pos * lf + dy + 0.5f) < 0 || static_cast<int>(m_low_pos * lf + dy + 0.5f) >= length) {
            break;
        }
        const double exact = static_cast<double>(span) * dy / length;
        const int d = static_cast<int>(dy > 0 ? std::trunc(exact + 0.5) : std::trunc(exact - 0.5));
        if (std::abs(d) < 1 && std::abs(dy) > 1) {
            m_high_pos += static_cast<float>(dy) / lf;
            m_low_pos += static_cast<float>(dy) / lf;
        } else if (palette_bar::shift_levels(m_level, m_level_span, d)) {
            recompute_positions();
            if (write_both(m_level, m_level_span)) {
                m_level_temp = temp_of(m_level);
                m_level_span_temp = temp_of(m_level_span);
            }
        }
        m_last_x = 0;
        m_last_y = y;
        break;
    }
    default:
        break;
    }
}

// --- Painting ------------------------------------------------------------------------------------------

void WndIRPalette::paint(QPainter* painter)
{
    QPainter& p = *painter;
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    const int length = strip_length();
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);
    auto box = [&](const QRect& rect, const QString& text) {
        p.fillRect(rect, kDark);
        p.setPen(kDark);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
        p.setPen(kText);
        p.drawText(rect, Qt::AlignCenter, text);
    };
    box(QRect(0, 0, w, kBox), palette_bar::temp_text(m_level_span_temp));
    if (length > 0) {
        p.fillRect(QRect(0, kStripTop, w, length), kDark);
        if (m_auto_range || std::isnan(m_low_pos) || std::isnan(m_high_pos)) {
            if (m_max_range - m_min_range <= 0) {
                qCDebug(lc_palette_bar) << " xxxx draw_palette_rect 3<< ";
            } else {
                recompute_positions();
            }
        }
        int yl = std::min(length - 1, static_cast<int>(length * m_low_pos));
        const int yh = std::max(1, static_cast<int>(length * m_high_pos));
        if (yl < 1) yl = yh + 1;
        const int top = yh < yl ? yh : yl - 1;
        if (m_max_range - m_min_range > 0 && !m_image.isNull()) {
            p.drawImage(QRect(2, kStripTop + top, w - 4, yl - top + 1), m_image);
            p.setPen(kOutline);
            p.drawRect(QRect(1, kStripTop + top, w - 3, yl - top + 1));
        }
    }
    const int low_top = kStripTop + std::max(0, length) + 2;
    box(QRect(0, low_top, w, kBox), palette_bar::temp_text(m_level_temp));
    const QString auto_text = m_ana != nullptr && !m_ana_alias.isEmpty() ? m_ana_alias : tr("Auto");
    box(QRect(0, h - kBox, w, kBox), auto_text);
    p.setPen(kDark);
    p.drawLine(w - 1, 0, w - 1, h);
}
