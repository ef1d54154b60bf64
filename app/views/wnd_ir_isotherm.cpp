#include "views/wnd_ir_isotherm.h"

#include "shell/h_translator.h"
#include "sources/ir_base.h"
#include "thermframe.h"
#include "views/isotherm_file.h"
#include "views/qml_path.h"
#include "views/tool_icons.h"
#include "views/wnd_ir_show.h"

#include <QCursor>
#include <algorithm>
#include <QFontMetrics>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lc_isotherm, "pyravue.view.isotherm")

const uint32_t WndIRIsotherm::kBandColours[13] = {0x02F1FF, 0xF7F058, 0x9D369C, 0xFE8A8A, 0xF44F1F,
                                                  0x6EE1F4, 0x01FDDA, 0xB0C4DE, 0xDE9E8E, 0xFC9FEF,
                                                  0xE0E0E0, 0x8DCEF8, 0x87CEFA};

namespace {

constexpr int kMargin = 5;
constexpr int kButton = 21;
constexpr int kButtonPitch = 24;
constexpr int kFieldWidth = 39;
constexpr int kFieldHeight = 20;
constexpr int kRepeatMs = 200;

const QColor kButtonFill(27, 40, 56);
const QColor kButtonHover(73, 96, 102);
const QColor kBorder(42, 71, 94);
const QColor kText(102, 192, 244);
const QColor kStrip(7, 16, 23);
const QColor kAxisPen(62, 142, 194);

// The frame document stores colours as 0x00BBGGRR.
uint32_t swap_red_blue(uint32_t rgb)
{
    return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

QFont info_font()
{
    QFont font;
    font.setPixelSize(12);
    return font;
}

QFont field_font()
{
    QFont font;
    font.setPixelSize(10);
    return font;
}

QString one_decimal(float value) { return QString::asprintf("%.1f", value); }

// A value field is 39 pixels wide, wider when its value would not fit
// between the two arrows.
int field_width(float value)
{
    return std::max(kFieldWidth, QFontMetrics(field_font()).horizontalAdvance(one_decimal(value)) + 16);
}

}  // namespace

WndIRIsotherm::WndIRIsotherm(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::AllButtons);
    setFlag(ItemAcceptsInputMethod, true);
    connect(this, &WndIRIsotherm::sig_update, this, [this] { update(); });
    connect(HTranslator::instance(), &HTranslator::sig_language_changed, this, &WndIRIsotherm::slot_language_changed);
}

WndIRIsotherm::~WndIRIsotherm()
{
    stop_repeat();
}

void WndIRIsotherm::set_source(IRBase* source)
{
    m_ir = source;
}

void* WndIRIsotherm::frame() const { return m_ir != nullptr ? m_ir->get_ir_data() : nullptr; }

void WndIRIsotherm::repaint_picture() const
{
    if (m_ir != nullptr && m_ir->owner_view() != nullptr) {
        m_ir->owner_view()->update();
    }
}

IsothermBand* WndIRIsotherm::band_by_id(int id) const
{
    for (const auto& band : m_bands) {
        if (band->id == id) return band.get();
    }
    return nullptr;
}

// --- Layout ---------------------------------------------------------------------------------------

void WndIRIsotherm::relayout()
{
    m_axis.layout(static_cast<int>(width()) - 2 * kMargin);
    for (const auto& band : m_bands) {
        const float low = band->low;
        const float span = band->span;
        m_axis.place(*band);
        // A band the axis cut is shown cut: the picture follows it.
        if (band->low != low || band->span != span) push_band(*band);
    }
    update_marker();
}

void WndIRIsotherm::update_marker()
{
    if (m_cur_band != nullptr) {
        m_marker_x = (m_cur_band->px_start + m_cur_band->px_end) / 2 + kMargin;
    }
}

void WndIRIsotherm::geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry)
{
    QQuickPaintedItem::geometryChanged(new_geometry, old_geometry);
    if (new_geometry.width() >= 10 && new_geometry.height() >= 10) {
        relayout();
    }
    update();
}

void WndIRIsotherm::update_axis_range(bool b_reset)
{
    void* doc = frame();
    uint16_t x = 0, y = 0, ad = 0;
    float coldest = 0.0f, hottest = 0.0f;
    if (doc == nullptr || !thermframe_get_min_temp(doc, x, y, ad, coldest) ||
        !thermframe_get_max_temp(doc, x, y, ad, hottest) || !std::isfinite(coldest) || !std::isfinite(hottest)) {
        return;
    }
    if (hottest < coldest + 1.0f) hottest = coldest + 1.0f;
    if (b_reset) {
        m_axis.min = coldest;
        m_axis.max = hottest;
    } else {
        m_axis.min = std::min(m_axis.min, coldest);
        m_axis.max = std::max(m_axis.max, hottest);
    }
    relayout();
    emit sig_update();
}

// --- Bands and the frame document ----------------------------------------------------------------

bool WndIRIsotherm::push_band(IsothermBand& band) const
{
    return thermframe_isotherm_update(frame(), band.handle, band.low, band.low + band.span,
                                      swap_red_blue(band.colour), band.transparent);
}

bool WndIRIsotherm::add_band(float low, float span, bool transparent, uint32_t colour)
{
    void* doc = frame();
    void* handle = nullptr;
    if (doc == nullptr || !thermframe_isotherm_add(doc, handle, low, low + span, swap_red_blue(colour), transparent) ||
        handle == nullptr) {
        return false;
    }
    auto band = std::make_unique<IsothermBand>();
    band->low = low;
    band->span = span;
    band->transparent = transparent;
    band->colour = colour;
    band->handle = handle;
    band->id = m_next_id++;
    m_bands.push_back(std::move(band));
    return true;
}

bool WndIRIsotherm::add_new_band()
{
    if (frame() == nullptr) return false;
    float start = m_axis.min + (m_axis.max - m_axis.min) / 10.0f;
    for (const auto& band : m_bands) {
        start = std::max(start, band->low + band->span);
    }
    const float low = start + 1.0f;
    const uint32_t colour = kBandColours[m_colour_counter % 13];
    ++m_colour_counter;
    if (!add_band(low, 2.0f, false, colour)) return false;
    if (low + 2.0f > m_axis.max - 2.0f) {
        m_axis.max = low + 4.0f;
    }
    relayout();
    repaint_picture();
    return true;
}

void WndIRIsotherm::delete_cur_band()
{
    if (m_cur_band == nullptr) return;
    void* handle = m_cur_band->handle;
    const bool deleted = thermframe_isotherm_delete_at(frame(), handle);
    qCDebug(lc_isotherm) << "thermframe_isotherm_delete_at :" << deleted;
    repaint_picture();
    const IsothermBand* gone = m_cur_band;
    m_bands.erase(std::remove_if(m_bands.begin(), m_bands.end(),
                                 [gone](const std::unique_ptr<IsothermBand>& b) { return b.get() == gone; }),
                  m_bands.end());
    m_hover_band = nullptr;
    m_cur_band = nullptr;
}

void WndIRIsotherm::free_bands()
{
    m_bands.clear();
    m_hover_band = nullptr;
    m_cur_band = nullptr;
}

bool WndIRIsotherm::delete_all_isotherm()
{
    void* doc = frame();
    if (doc == nullptr || !thermframe_isotherm_delete_all(doc)) return false;
    free_bands();
    repaint_picture();
    update();
    return true;
}

bool WndIRIsotherm::change_item_clr(int n_id_item, const QString& str_clr)
{
    IsothermBand* band = band_by_id(n_id_item);
    const QColor colour(str_clr);
    if (band == nullptr || frame() == nullptr || !colour.isValid()) return false;
    band->colour = colour.rgb() & 0x00FFFFFFu;
    push_band(*band);
    repaint_picture();
    update();
    return true;
}

bool WndIRIsotherm::change_cur_item_clr(const QString& str_clr)
{
    return m_cur_band != nullptr && change_item_clr(m_cur_band->id, str_clr);
}

bool WndIRIsotherm::change_item_range(int n_id_item, float f_min, float f_max)
{
    IsothermBand* band = band_by_id(n_id_item);
    if (band == nullptr || !std::isfinite(f_min) || !std::isfinite(f_max)) return false;
    const float span = std::max(kIsothermMinSpan, f_max - f_min);
    if (f_min + span > m_axis.max) {
        m_axis.max = f_min + span;
        m_axis.layout(static_cast<int>(width()) - 2 * kMargin);
    }
    band->low = f_min;
    band->span = span;
    push_band(*band);
    relayout();
    repaint_picture();
    update();
    return true;
}

bool WndIRIsotherm::change_cur_item_range(float f_min, float f_max)
{
    return m_cur_band != nullptr && change_item_range(m_cur_band->id, f_min, f_max);
}

bool WndIRIsotherm::change_item_transparent(int n_id_item, bool b_tran)
{
    IsothermBand* band = band_by_id(n_id_item);
    if (band == nullptr || frame() == nullptr) return false;
    band->transparent = b_tran;
    push_band(*band);
    repaint_picture();
    update();
    return true;
}

// --- The isotherm file ----------------------------------------------------------------------------

bool WndIRIsotherm::save_to(const QString& str_path)
{
    const QString path = local_path_from_qml(str_path);
    qCDebug(lc_isotherm) << "-------WndIRIsotherm::save_to" << path;
    std::vector<IsothermFileBand> out;
    out.reserve(m_bands.size());
    for (const auto& band : m_bands) {
        out.push_back({band->low, band->span, band->transparent, band->colour});
    }
    if (!IsothermFile::write(path, out)) {
        qCWarning(lc_isotherm) << "cannot write isotherm file" << path;
        return false;
    }
    return true;
}

bool WndIRIsotherm::import_to(const QString& str_path)
{
    const QString path = local_path_from_qml(str_path);
    void* doc = frame();
    if (doc == nullptr) return false;
    // The whole file is read and checked before the bands shown are touched.
    std::vector<IsothermFileBand> read;
    QString error;
    if (!IsothermFile::read(path, read, &error)) {
        qCWarning(lc_isotherm) << "isotherm file refused:" << path << error;
        return false;
    }
    if (!thermframe_isotherm_delete_all(doc)) return false;
    free_bands();
    for (const IsothermFileBand& band : read) {
        if (add_band(band.low, band.span, band.transparent, band.colour) &&
            band.low + band.span > m_axis.max - 2.0f) {
            m_axis.max = band.low + band.span + 2.0f;
        }
    }
    relayout();
    repaint_picture();
    update();
    qCDebug(lc_isotherm) << "-------WndIRIsotherm::import_to" << path;
    return true;
}

// --- Geometry of the rows -------------------------------------------------------------------------

QRect WndIRIsotherm::band_row() const
{
    return QRect(kMargin, static_cast<int>(height()) - 47, static_cast<int>(width()) - 2 * kMargin, 20);
}

QRect WndIRIsotherm::button_rect(int id) const
{
    const int top = static_cast<int>(height()) - 73 + (26 - kButton) / 2;
    static const int kOrder[] = {kAdd, kClear, kImport, kSave, kEditRange, kColour, kTransparent};
    for (int i = 0; i < 7; ++i) {
        if (kOrder[i] != id) continue;
        if (i >= 4 && m_cur_band == nullptr) return QRect();
        return QRect(kMargin + i * kButtonPitch, top, kButton, kButton);
    }
    if (id == kDeleteBand && m_cur_band != nullptr) {
        return QRect(std::max(68, m_cur_band->px_end - 8), static_cast<int>(height()) - 26 + 7, 13, 13);
    }
    return QRect();
}

// The Min (false) or Max (true) field of the information line.
QRect WndIRIsotherm::field_rect(bool max_field) const
{
    const QFontMetrics metrics(info_font());
    const int buttons = m_cur_band != nullptr ? 7 : 4;
    int x = kMargin + buttons * kButtonPitch + 8;
    const QString lead = m_cur_band != nullptr ? tr("Isothrem - Min: ") : tr("Axis - Min: ");
    x += metrics.horizontalAdvance(lead);
    float low = 0.0f, high = 0.0f;
    shown_range(low, high);
    if (max_field) {
        x += field_width(low) + metrics.horizontalAdvance(tr(" Max: "));
    }
    const int top = static_cast<int>(height()) - 73 + (26 - kFieldHeight) / 2;
    return QRect(x, top, field_width(max_field ? high : low), kFieldHeight);
}

// The range the information line shows: the current band's, else the axis'.
void WndIRIsotherm::shown_range(float& low, float& high) const
{
    const bool band = m_cur_band != nullptr;
    low = band ? m_cur_band->low : m_axis.min;
    high = band ? m_cur_band->low + m_cur_band->span : m_axis.max;
}

int WndIRIsotherm::hit_button(int x, int y) const
{
    const QPoint point(x, y);
    for (int id : {kAdd, kClear, kImport, kSave, kEditRange, kColour, kTransparent, kDeleteBand}) {
        if (button_rect(id).contains(point)) return id;
    }
    for (bool max_field : {false, true}) {
        const QRect field = field_rect(max_field);
        if (!field.contains(point)) continue;
        const bool right_half = x >= field.center().x();
        int id = (max_field ? kAxisMaxDown : kAxisMinDown) + (right_half ? 1 : 0);
        if (m_cur_band != nullptr) id += 4;
        return id;
    }
    return kNone;
}

int WndIRIsotherm::hit_band(int x, int y, IsothermBand*& band) const
{
    band = nullptr;
    const QRect row = band_row();
    if (y < row.top() || y > row.bottom()) return kDragNone;
    for (const auto& candidate : m_bands) {
        const int e0 = candidate->px_start + kMargin;
        const int e1 = candidate->px_end + kMargin;
        int mode = kDragNone;
        if (std::abs(x - e0) <= 3) mode = kDragStart;
        else if (std::abs(x - e1) <= 3) mode = kDragEnd;
        else if (x > e0 && x < e1) mode = kDragBand;
        if (mode != kDragNone) {
            band = candidate.get();
            return mode;
        }
    }
    return kDragNone;
}

QString WndIRIsotherm::tip_of(int id) const
{
    switch (id) {
    case kAdd: return tr("Add new isothermal block");
    case kImport: return tr("Load isothermal file");
    case kSave: return m_bands.empty() ? tr("No isothermal information for saving") : tr("Save the isothermal information");
    case kDeleteBand: return tr("Delete current isothermal analysis");
    case kClear: return tr("Clear isothermal block");
    case kColour: return tr("Change current isothermal color");
    case kEditRange: return tr("Edit current isothermal temperature range");
    case kTransparent: return tr("Opaque/Transparent");
    default: return QString();
    }
}

// --- Actions ---------------------------------------------------------------------------------------

bool WndIRIsotherm::run_action(int id)
{
    const float m = static_cast<float>(m_repeat_factor);
    const float d = 0.1f * m;
    auto edit_band = [this](float low_delta, float span_delta) {
        if (m_cur_band == nullptr) return false;
        m_cur_band->low += low_delta;
        m_cur_band->span += span_delta;
        m_axis.place(*m_cur_band);
        push_band(*m_cur_band);
        update_marker();
        repaint_picture();
        return true;
    };
    switch (id) {
    case kAxisMinDown: m_axis.set_min(m_axis.min - m); relayout(); return true;
    case kAxisMinUp: m_axis.set_min(m_axis.min + m); relayout(); return true;
    case kAxisMaxDown: m_axis.set_max(m_axis.max - m); relayout(); return true;
    case kAxisMaxUp: m_axis.set_max(m_axis.max + m); relayout(); return true;
    case kBandLowDown: return edit_band(-d, d);
    case kBandLowUp: return edit_band(d, -d);
    case kBandHighDown: return edit_band(0.0f, -d);
    case kBandHighUp: return edit_band(0.0f, d);
    case kAdd: add_new_band(); return true;
    case kImport: emit sig_import_isotherm(); return true;
    case kSave:
        if (!m_bands.empty()) emit sig_save_isotherm();
        return true;
    case kDeleteBand: delete_cur_band(); return true;
    case kClear: delete_all_isotherm(); return true;
    case kColour:
        if (m_cur_band != nullptr) emit sig_change_isotherm_color(QColor(QRgb(m_cur_band->colour)));
        return true;
    case kEditRange:
        if (m_cur_band != nullptr) {
            emit sig_change_isotherm_temp(one_decimal(m_cur_band->low), one_decimal(m_cur_band->low + m_cur_band->span));
        }
        return true;
    case kTransparent:
        if (m_cur_band != nullptr) {
            m_cur_band->transparent = !m_cur_band->transparent;
            push_band(*m_cur_band);
            repaint_picture();
        }
        return true;
    default:
        return false;
    }
}

// --- Pointer ---------------------------------------------------------------------------------------

void WndIRIsotherm::hoverMoveEvent(QHoverEvent* event)
{
    const int x = event->pos().x();
    const int y = event->pos().y();
    IsothermBand* band = nullptr;
    const int mode = hit_band(x, y, band);
    if (mode != m_drag_mode) {
        m_drag_mode = mode;
        setCursor(mode == kDragNone ? Qt::ArrowCursor : mode == kDragBand ? Qt::SizeAllCursor : Qt::SizeHorCursor);
    }
    if (band != m_hover_band) {
        m_hover_band = band;
        update();
        return;
    }
    const int id = hit_button(x, y);
    if (id != m_hover_id) {
        m_hover_id = id;
        if (id >= kAdd && id <= kTransparent) {
            const QPointF scene = mapToScene(QPointF(x, y));
            emit sig_show_tool_tip(true, tip_of(id), static_cast<int>(scene.x()), static_cast<int>(scene.y()));
        } else {
            emit sig_show_tool_tip(false, QString(), 0, 0);
        }
        update();
    }
}

void WndIRIsotherm::hoverLeaveEvent(QHoverEvent* event)
{
    if (m_hover_id != kNone) emit sig_show_tool_tip(false, QString(), 0, 0);
    m_hover_id = kNone;
    m_hover_band = nullptr;
    update();
    QQuickPaintedItem::hoverLeaveEvent(event);
}

void WndIRIsotherm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const int x = event->pos().x();
    const int y = event->pos().y();
    m_last_x = x;
    m_last_y = y;
    m_pressed = true;
    IsothermBand* band = nullptr;
    m_drag_mode = hit_band(x, y, band);
    m_hover_band = band;
    if (band != nullptr) {
        m_cur_band = band;
        update_marker();
    } else {
        m_hover_id = hit_button(x, y);
        const bool ran = run_action(m_hover_id);
        if (m_hover_id >= kAxisMinDown && m_hover_id <= kBandHighUp && m_repeat_timer == 0) {
            m_repeat_ticks = 0;
            m_repeat_factor = 1;
            m_repeat_timer = startTimer(kRepeatMs, Qt::CoarseTimer);
        }
        if (!ran) m_cur_band = nullptr;
    }
    update();
    event->accept();
}

void WndIRIsotherm::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed || m_hover_band == nullptr) return;
    drag_band(event->pos().x());
    m_last_x = event->pos().x();
    m_last_y = event->pos().y();
    update();
}

void WndIRIsotherm::drag_band(int x)
{
    IsothermBand& band = *m_hover_band;
    const float dpp = m_axis.degrees_per_pixel();
    switch (m_drag_mode) {
    case kDragStart: {
        const float move = dpp * static_cast<float>(x - kMargin - band.px_start);
        float low = band.low + move;
        float span = band.span - move;
        if (low < m_axis.min) {
            span -= m_axis.min - low;
            low = m_axis.min;
        }
        if (span < kIsothermMinSpan) return;
        band.low = low;
        band.span = span;
        break;
    }
    case kDragEnd:
        band.span = std::min(std::max(kIsothermMinSpan, dpp * static_cast<float>(x - kMargin - band.px_start)),
                             m_axis.max - band.low);
        break;
    case kDragBand:
        band.low += dpp * static_cast<float>(x - m_last_x);
        if (band.low + band.span > m_axis.max) band.low = m_axis.max - band.span;
        if (band.low < m_axis.min) band.low = m_axis.min;
        break;
    default:
        return;
    }
    m_axis.place(band);
    push_band(band);
    update_marker();
    repaint_picture();
}

void WndIRIsotherm::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressed = false;
    stop_repeat();
    event->accept();
}

void WndIRIsotherm::stop_repeat()
{
    if (m_repeat_timer != 0) killTimer(m_repeat_timer);
    m_repeat_timer = 0;
    m_repeat_ticks = 0;
    m_repeat_factor = 1;
}

void WndIRIsotherm::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_repeat_timer) {
        QQuickPaintedItem::timerEvent(event);
        return;
    }
    ++m_repeat_ticks;
    if (m_repeat_ticks % 10 == 0) m_repeat_factor *= 2;
    run_action(m_hover_id);
    update();
}

// --- Painting --------------------------------------------------------------------------------------

void WndIRIsotherm::paint(QPainter* painter)
{
    QPainter& p = *painter;
    p.setRenderHint(QPainter::Antialiasing, false);
    paint_buttons(p);
    paint_info(p);
    paint_bands(p);
    paint_axis(p);
}

void WndIRIsotherm::paint_buttons(QPainter& p) const
{
    for (int id : {kAdd, kClear, kImport, kSave, kEditRange, kColour, kTransparent}) {
        const QRect rect = button_rect(id);
        if (rect.isNull()) continue;
        p.fillRect(rect, m_hover_id == id ? kButtonHover : kButtonFill);
        p.setPen(kBorder);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
        ToolIcon icon = ToolIcon::Add;
        switch (id) {
        case kAdd: icon = ToolIcon::Add; break;
        case kClear: icon = ToolIcon::Clear; break;
        case kImport: icon = ToolIcon::Import; break;
        case kSave: icon = ToolIcon::Save; break;
        case kEditRange: icon = ToolIcon::Edit; break;
        case kColour: icon = ToolIcon::Colour; break;
        default:
            icon = m_cur_band != nullptr && m_cur_band->transparent ? ToolIcon::Checked : ToolIcon::Unchecked;
        }
        draw_tool_icon(p, rect.adjusted(4, 4, -4, -4), icon);
    }
}

void WndIRIsotherm::paint_info(QPainter& p) const
{
    p.setFont(info_font());
    const QFontMetrics metrics(p.font());
    const bool band = m_cur_band != nullptr;
    float low = 0.0f, high = 0.0f;
    shown_range(low, high);
    const QRect min_field = field_rect(false);
    const QRect max_field = field_rect(true);
    const int top = min_field.top();
    p.setPen(kText);
    const QString lead = band ? tr("Isothrem - Min: ") : tr("Axis - Min: ");
    p.drawText(QRect(min_field.left() - metrics.horizontalAdvance(lead), top, metrics.horizontalAdvance(lead), kFieldHeight),
               Qt::AlignVCenter | Qt::AlignLeft, lead);
    const QString max_label = tr(" Max: ");
    p.drawText(QRect(max_field.left() - metrics.horizontalAdvance(max_label), top, metrics.horizontalAdvance(max_label),
                     kFieldHeight),
               Qt::AlignVCenter | Qt::AlignLeft, max_label);
    const QString span = tr(" Span: ") + one_decimal(high - low);
    p.drawText(QRect(max_field.right() + 1, top, metrics.horizontalAdvance(span) + 4, kFieldHeight),
               Qt::AlignVCenter | Qt::AlignLeft, span);
    const int first_id = band ? kBandLowDown : kAxisMinDown;
    for (int i = 0; i < 2; ++i) {
        const QRect field = i == 0 ? min_field : max_field;
        const int left_id = first_id + 2 * i;
        const QRect left(field.left(), field.top(), field.width() / 2, field.height());
        const QRect right(field.center().x(), field.top(), field.width() - field.width() / 2, field.height());
        p.fillRect(left, m_hover_id == left_id ? kButtonHover : kButtonFill);
        p.fillRect(right, m_hover_id == left_id + 1 ? kButtonHover : kButtonFill);
        p.setPen(kBorder);
        p.drawRect(field.adjusted(0, 0, -1, -1));
        draw_tool_icon(p, QRect(field.left() + 1, field.top() + 6, 6, 8), ToolIcon::ArrowLeft);
        draw_tool_icon(p, QRect(field.right() - 6, field.top() + 6, 6, 8), ToolIcon::ArrowRight);
        p.setPen(kText);
        p.setFont(field_font());
        p.drawText(field.adjusted(7, 0, -7, 0), Qt::AlignCenter, one_decimal(i == 0 ? low : high));
        p.setFont(info_font());
    }
}

void WndIRIsotherm::paint_bands(QPainter& p) const
{
    const QRect row = band_row();
    p.fillRect(row, kStrip);
    p.setPen(kBorder);
    p.drawRect(row.adjusted(0, 0, -1, -1));
    for (const auto& band : m_bands) {
        QColor colour(QRgb(band->colour));
        colour.setAlpha(band->transparent ? 180 : 255);
        const QRect rect(row.left() + band->px_start, row.top(), band->px_end - band->px_start, row.height() - 1);
        p.fillRect(rect, colour);
        const bool marked = band.get() == m_hover_band || band.get() == m_cur_band;
        p.setPen(marked ? QColor(Qt::white) : kBorder);
        p.drawRect(rect);
    }
}

void WndIRIsotherm::paint_axis(QPainter& p) const
{
    const int top = static_cast<int>(height()) - 26;
    const int left = kMargin;
    const int right = static_cast<int>(width()) - kMargin;
    p.setPen(kAxisPen);
    p.drawLine(left, top, right, top);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    const int minor = m_axis.px_per_step / 5;
    for (size_t i = 0; i < m_axis.labels.size(); ++i) {
        const int x = left + m_axis.labels[i].pixel;
        if (x > right) break;
        p.drawLine(x, top, x, top + 7);
        for (int k = 1; k <= 4 && minor > 0; ++k) {
            if (x + k * minor <= right) p.drawLine(x + k * minor, top, x + k * minor, top + 3);
            if (i == 0 && x - k * minor >= left) p.drawLine(x - k * minor, top, x - k * minor, top + 3);
        }
        p.drawText(QRect(x - 20, top + 8, 40, 16), Qt::AlignHCenter | Qt::AlignTop, m_axis.labels[i].text);
    }
    const QRect del = button_rect(kDeleteBand);
    if (!del.isNull()) {
        p.fillRect(del, kButtonFill);
        p.setPen(kBorder);
        p.drawRect(del.adjusted(0, 0, -1, -1));
        draw_tool_icon(p, del.adjusted(3, 3, -3, -3), ToolIcon::Delete);
        if (m_hover_id == kDeleteBand) p.fillRect(del, QColor(250, 250, 250, 80));
    }
}
