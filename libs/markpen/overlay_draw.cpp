// Analysis objects, labels, cursor temperatures, extremes and temperature
// marks drawn over the composed picture.
#include "paint_renderer.h"
#include "text_widths.h"

#include "basekit.h"
#include "label_font.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdio>

namespace markpen::detail {

namespace {

constexpr uint32_t kOverlayColour = 0x0000FFFF;  // yellow on screen
constexpr uint32_t kHotColour = 0x000000FF;      // red
constexpr uint32_t kColdColour = 0x00FF0000;     // blue
constexpr AnaType kTypes[] = {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE};

RasterTarget target_of(QImage& picture)
{
    RasterTarget target;
    target.pixels = reinterpret_cast<uint32_t*>(picture.bits());
    target.bits_per_pixel = 32;
    target.width = static_cast<uint16_t>(picture.width());
    target.height = static_cast<uint16_t>(picture.height());
    target.line_width = 1;
    return target;
}

QColor pen_colour(uint32_t stored)
{
    return QColor::fromRgb(0xff000000u | swap_red_blue(stored));
}

QString degrees_text(const char* prefix, float t)
{
    char text[64];
    std::snprintf(text, sizeof text, t < 100 ? "%s%.1f" : "%s%.0f", prefix, static_cast<double>(t));
    return QString::fromUtf8(text);
}

}  // namespace

void PaintRenderer::note(const char* kind, const QString& text, const QRect& box)
{
    if (sink_ != nullptr) {
        sink_->push_back({kind, text, box});
    }
}

void PaintRenderer::for_each_shown(const ShownVisitor& visit)
{
    uint32_t warnings = 0;
    if (!frame_->get_warning_count(warnings)) {
        warnings = 0;
    }
    for (AnaType type : kTypes) {
        int32_t count = 0;
        if (!frame_->get_anas_count(type, count)) {
            continue;
        }
        for (int32_t i = 0; i < count; ++i) {
            std::string text;
            uint32_t colour = 0;
            if (frame_->get_ana(type, i, text) && uses_colour(text, warnings, colour)) {
                visit(type, i, text, colour);
            }
        }
    }
}

bool PaintRenderer::uses_colour(const std::string& text, uint32_t warning_count, uint32_t& colour)
{
    bool show = false;
    if (!frame_->ana_is_show(text, show) || !show) {
        return false;
    }
    bool warning = false;
    if (!frame_->ana_get_warning(text, warning)) {
        warning = false;
    }
    colour = 0;
    // An object in warning blinks: warning colour on even counts.
    if (warning && warning_count % 2 == 0) {
        frame_->ana_get_warning_line_clr(text, colour);
    } else {
        frame_->ana_get_line_clr(text, colour);
    }
    return true;
}

std::string PaintRenderer::to_view(const std::string& text, bool scale) const
{
    AnaType type;
    NodeList nodes;
    if (text.empty() || vy_parse_ana_type_of_char(text[0], &type) != 0 ||
        !parse_ana_nodes(text, nodes)) {
        return std::string();
    }
    if (!scale && rotation_.load() == ROTATION_UNSET) {
        return text;
    }
    for (tagVYPoint& node : nodes) {
        rotate_point(node.x, node.y);
        if (scale) {
            int32_t x = node.x, y = node.y;
            to_window(x, y);
            node.x = static_cast<uint16_t>(x);
            node.y = static_cast<uint16_t>(y);
        }
    }
    char buffer[VY_ANA_STR_CAPACITY];
    int length = sizeof buffer;
    if (vy_format_ana_str(type, nodes.data(), static_cast<int>(nodes.size()), buffer, &length) != 0) {
        return std::string();
    }
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

void PaintRenderer::draw_shapes(QImage& target, bool scale)
{
    if (!frame_ || target.isNull()) {
        return;
    }
    RasterTarget raster = target_of(target);
    for_each_shown([&](AnaType, int32_t, const std::string& text, uint32_t colour) {
        bool selected = false;
        raster.show_nodes = frame_->ana_has_select(text, selected) && selected;
        raster.colour = colour;
        const std::string view = to_view(text, scale);
        if (view.empty() || !draw_anas(view, raster)) {
            raster.colour = swap_red_blue(colour);
        }
        draw_cursor_tick(text, raster, scale);
        draw_object_extremes(text, raster, scale);
    });
    if (!overlay_ana_.empty()) {
        raster.show_nodes = 0;
        raster.colour = kOverlayColour;
        const std::string view = to_view(overlay_ana_, scale);
        if (!view.empty()) {
            draw_anas(view, raster);
        }
    }
    raster.show_nodes = 0;
    draw_frame_extremes(raster, scale);
}

bool PaintRenderer::cursor_view(const std::string& text, bool scale, CursorView& view)
{
    bool show = false;
    uint16_t ux = 0, uy = 0;
    if (!frame_->ana_is_show_cursor(text, show) || !show ||
        !frame_->ana_get_temperature_of_cursor(text, ux, uy, view.t)) {
        return false;
    }
    // The cursor comes in display orientation already: scaled, not rotated.
    view.cx = ux;
    view.cy = uy;
    scaled(view.cx, view.cy, scale);
    NodeList nodes;
    if (!parse_ana_nodes(text, nodes) || nodes.size() != 2) {
        return false;
    }
    for (int n = 0; n < 2; ++n) {
        view.x[n] = nodes[n].x;
        view.y[n] = nodes[n].y;
        rotate_point(view.x[n], view.y[n]);
        scaled(view.x[n], view.y[n], scale);
    }
    return true;
}

void PaintRenderer::draw_cursor_tick(const std::string& text, RasterTarget& target, bool scale)
{
    CursorView view;
    if (!cursor_view(text, scale, view)) {
        return;
    }
    const double k = view.y[0] != view.y[1]
                         ? static_cast<double>(view.x[0] - view.x[1]) / (view.y[1] - view.y[0])
                         : 999999.0;
    for (int i = -4; i <= 4; ++i) {
        int32_t x, y;
        if (k >= -1 && k <= 1) {
            x = view.cx + i;
            y = static_cast<int32_t>(i * k + view.cy + 0.05);
        } else {
            x = static_cast<int32_t>(i / k + view.cx + 0.05);
            y = view.cy + i;
        }
        put_pixel(target, x, y);
    }
}

void PaintRenderer::draw_extreme_mark(uint16_t x, uint16_t y, bool hot, RasterTarget& target,
                                      bool scale)
{
    // Extremes come in display orientation already: scaled, not rotated.
    int32_t px = x, py = y;
    scaled(px, py, scale);
    target.colour = hot ? kHotColour : kColdColour;
    if (hot) {
        draw_triangle_below(px, py, target);
    } else {
        draw_triangle_above(px, py, target);
    }
}

void PaintRenderer::draw_object_extremes(const std::string& text, RasterTarget& target, bool scale)
{
    bool show_max = false, show_min = false;
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0;
    if (frame_->ana_is_show_max(text, show_max) && show_max &&
        frame_->ana_get_max_temp(text, x, y, ad, t)) {
        draw_extreme_mark(x, y, true, target, scale);
    }
    if (frame_->ana_is_show_min(text, show_min) && show_min &&
        frame_->ana_get_min_temp(text, x, y, ad, t)) {
        draw_extreme_mark(x, y, false, target, scale);
    }
}

void PaintRenderer::draw_frame_extremes(RasterTarget& target, bool scale)
{
    bool show_max = false, show_min = false;
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0;
    if (frame_->is_show_max(show_max) && show_max && frame_->get_max_temp(x, y, ad, t)) {
        draw_extreme_mark(x, y, true, target, scale);
    }
    if (frame_->is_show_min(show_min) && show_min && frame_->get_min_temp(x, y, ad, t)) {
        draw_extreme_mark(x, y, false, target, scale);
    }
}

bool PaintRenderer::render_all(bool scale)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    settle(window_, window_blank_);
    draw_shapes(window_, scale);
    draw_texts(window_, scale);
    return true;
}

void PaintRenderer::draw_texts(QImage& target, bool scale)
{
    if (!frame_ || target.isNull() || !fonts_available()) {
        return;
    }
    QPainter painter;
    if (!painter.begin(&target)) {
        return;
    }
    draw_labels(painter, target, scale);
    draw_extreme_texts(painter, target, scale);
    draw_temp_marks(painter, scale);
    painter.end();
}

void PaintRenderer::draw_labels(QPainter& painter, const QImage& target, bool scale)
{
    const QFont kept = painter.font();
    const QFont font = vy::label_font();
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QString font_key = font.key();
    // Clamped to the picture drawn into, which for exports is not the window.
    const int width = target.width();
    for_each_shown([&](AnaType type, int32_t i, const std::string& text, uint32_t colour) {
        std::string alias;
        if (!frame_->ana_get_alias(text, alias) || alias.empty()) {
            char buffer[32] = {0};
            int length = sizeof buffer;
            if (vy_format_ana_index(type, i + 1, buffer, &length) == 0) {
                alias.assign(buffer, strnlen(buffer, sizeof buffer));
            }
        }
        std::string temperatures;
        if (frame_->ana_get_temp_text(text, temperatures)) {
            alias += temperatures;
        }
        QString label = from_local_8bit(alias);
        int32_t ax = 0, ay = 0, side = 0, dx = 0, dy = 0;
        if (!frame_->get_text_loc(text, ax, ay, side, dx, dy)) {
            return;
        }
        rotate_point(ax, ay);
        scaled(ax, ay, scale);
        if (type == ANA_RECT || type == ANA_ELLIPSE) {
            if (side == 0) {
                label.prepend(QStringLiteral("<-"));
            } else if (side == 1) {
                label.append(QStringLiteral("->"));
            }
        }
        const int tw = vy::TextWidths::shared().width(font_key, metrics, label);
        int left = ax + dx - (side == 1 ? tw : 0);
        left = left < 0 ? 0 : std::min(left, width - tw);
        painter.setPen(pen_colour(colour));
        const QRect box(left, ay + dy, 400, 400);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, label);
        note("label", label, QRect(left, ay + dy, tw, metrics.height()));
        draw_cursor_label(painter, target, text, scale);
    });
    painter.setFont(kept);
}

void PaintRenderer::draw_cursor_label(QPainter& painter, const QImage& target,
                                      const std::string& text, bool scale)
{
    const QFont font = painter.font();
    const QFontMetrics metrics(font);
    const int fh = metrics.height();
    const int lowest = target.height() - fh;
    bool show_temp = false;
    CursorView view;
    if (!frame_->ana_is_show_cursor_temp(text, show_temp) || !show_temp ||
        !cursor_view(text, scale, view)) {
        return;
    }
    const double k = view.y[0] != view.y[1]
                         ? static_cast<double>(view.x[0] - view.x[1]) / (view.y[1] - view.y[0])
                         : 1.0;
    const int32_t cx = view.cx, cy = view.cy;
    const float t = view.t;
    const QString label = degrees_text("", t);
    const int tw = vy::TextWidths::shared().width(font.key(), metrics, label);
    const int left = std::min(cx + 10, target.width() - tw);
    int top = k > 0 ? cy + 10 : cy - 15;
    top = std::min(std::max(top, 0), lowest);
    painter.drawText(QRect(left, top, 400, 400), Qt::AlignLeft | Qt::AlignTop, label);
    note("cursor", label, QRect(left, top, tw, fh));
}

void PaintRenderer::draw_extreme_texts(QPainter& painter, const QImage& target, bool scale)
{
    const int width = target.width();
    bool show_max = false, show_min = false;
    frame_->is_show_max(show_max);
    frame_->is_show_min(show_min);
    painter.setPen(QColor(255, 255, 255));
    const QFontMetrics metrics(painter.font());
    const int fh = metrics.height();
    auto draw = [&](const char* kind, const char* prefix, int above, uint16_t x, uint16_t y,
                    float t) {
        const QString text = degrees_text(prefix, t);
        const int tw = metrics.horizontalAdvance(text);
        int32_t px = x, py = y;
        scaled(px, py, scale);
        const int baseline = std::max(fh, py - above);
        const int left = px - 15 < 0 ? 0 : std::min(width - tw, px - 15);
        const QRect box(left, baseline - fh + 2, tw, fh);
        painter.fillRect(box, QColor(10, 10, 10, 100));
        painter.drawText(QPoint(left, baseline), text);
        note(kind, text, box);
    };
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0;
    if (show_max && frame_->get_max_temp(x, y, ad, t)) {
        draw("max", "Max:", 10, x, y, t);
    }
    if (show_min && frame_->get_min_temp(x, y, ad, t)) {
        draw("min", "Min:", 20, x, y, t);
    }
}

void PaintRenderer::draw_temp_marks(QPainter& painter, bool scale)
{
    int32_t count = 0;
    if (!frame_->get_temp_mark_count(count) || count < 1) {
        return;
    }
    const QPen kept = painter.pen();
    painter.setPen(QPen(QColor(255, 0, 0), 3));
    for (int32_t i = 0; i < count; ++i) {
        uint16_t ux = 0, uy = 0;
        float t = 0;
        if (!frame_->get_temp_mark_info(i, ux, uy, t)) {
            continue;
        }
        int32_t x = ux, y = uy;
        scaled(x, y, scale);
        painter.drawEllipse(QPoint(x, y), 10, 10);
        const QRect box(x - 5, y - 5, 10, 10);
        const QString number = QString::number(i + 1);
        painter.drawText(box, Qt::AlignCenter, number);
        note("mark", number, box);
    }
    painter.setPen(kept);
}

}  // namespace markpen::detail
