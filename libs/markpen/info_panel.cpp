// Palette bar, logo, caption box and national-grid parameter panel of
// exported pictures.
#include "paint_renderer.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QPainter>
#include <QTextCodec>

#include <cstdio>

namespace markpen::detail {

namespace {

const QColor kPanelFill(49, 49, 49, 150);

// The captions are kept as the GB18030 bytes they were written in.
const char kEmissivity[] = "\xb7\xf8\xc9\xe4\xc2\xca\xa3\xba";                   // 辐射率：
const char kDistanceShort[] = "\x20\xbe\xe0\xc0\xeb\xa3\xba";                    // " 距离："
const char kDistanceLong[] = "\x20\xc5\xc4\xc9\xe3\xbe\xe0\xc0\xeb\xa3\xba";     // " 拍摄距离："
const char kAmbientShort[] = "\x20\xbb\xb7\xce\xc2\xa3\xba";                     // " 环温："
const char kAmbientLong[] = "\x20\xbb\xb7\xbe\xb3\xce\xc2\xb6\xc8\xa3\xba";      // " 环境温度："
const char kCelsius[] = "\xa1\xe6";                                              // ℃
const char kBarFamily[] = "\xce\xa2\xc8\xed\xd1\xc5\xba\xda";                    // 微软雅黑

QString gb18030(const char* bytes)
{
    static QTextCodec* const codec = QTextCodec::codecForName("GB18030");
    return codec != nullptr ? codec->toUnicode(bytes) : QString();
}

QString printf_text(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromUtf8(text);
}

QString bar_value(float value)
{
    if (value >= 100) {
        return QString::number(static_cast<int>(value));
    }
    return printf_text("%.1f", value);
}

int right_of(const QRect& box)
{
    return box.left() + box.width() - 1;
}

}  // namespace

void PaintRenderer::draw_info_panel(QImage& target, bool window_flag, const std::string& time,
                                    const std::string& caption, bool grid)
{
    if (target.isNull() || !frame_ || !fonts_available()) {
        return;
    }
    QPainter painter;
    if (!painter.begin(&target)) {
        return;
    }
    draw_palette_bar(painter, target, window_flag);
    draw_logo(painter, target);
    if (grid) {
        draw_grid_panel(painter, target, time, caption);
    } else {
        draw_caption_box(painter, caption);
    }
    painter.end();
}

void PaintRenderer::draw_palette_bar(QPainter& painter, const QImage& target, bool window_flag)
{
    PALETTE palette = PAL_IRON;
    if (!frame_->get_palette(palette)) {
        return;
    }
    float low = 5.0f, high = 20.0f;
    uint16_t low_ad = 0, high_ad = 0;
    if (frame_->get_imaging_range(low_ad, high_ad)) {
        float t = 0;
        if (frame_->get_temp_from_ad(low_ad, t)) low = t;
        if (frame_->get_temp_from_ad(high_ad, t)) high = t;
    }
    const int chooser = window_flag ? target.width() : source_.width();
    const bool large = chooser > 320;
    const int point_size = large ? 11 : 9;
    const int strip_width = large ? 16 : 12;
    const int box_width = large ? 50 : 35;
    const int box_height = large ? 25 : 20;
    const int tw = target.width(), th = target.height();

    const QRect high_box(tw - box_width - 5, 5, box_width, box_height);
    const QRect strip(high_box.x() + high_box.width() - strip_width, high_box.y() + box_height + 5,
                      strip_width, th - (2 * box_height + 20));
    const QRect low_box(high_box.x(), strip.y() + strip.height() + 5, box_width, box_height);

    const QFont kept = painter.font();
    QFont font(gb18030(kBarFamily));
    font.setWeight(75);
    font.setPointSize(point_size);
    painter.setPen(Qt::white);
    painter.setFont(font);
    const QString high_text = bar_value(high), low_text = bar_value(low);
    painter.fillRect(high_box, kPanelFill);
    painter.drawRect(high_box);
    painter.drawText(high_box, Qt::AlignCenter, high_text);
    const QImage picture = palette_strip(palette);
    if (!picture.isNull()) {
        painter.drawImage(strip, picture);
    }
    painter.drawRect(strip.left() - 1, strip.top() - 1, strip.width() + 1, strip.height() + 1);
    painter.fillRect(low_box, kPanelFill);
    painter.drawRect(low_box);
    painter.drawText(low_box, Qt::AlignCenter, low_text);
    painter.setFont(kept);
    note("high", high_text, high_box);
    note("strip", QString::number(point_size), strip);
    note("low", low_text, low_box);
}

void PaintRenderer::draw_logo(QPainter& painter, const QImage& target)
{
    const QImage picture = logo();
    if (picture.isNull()) {
        return;
    }
    const QPoint corner(5, target.height() - picture.height() - 5);
    painter.drawImage(corner, picture);
    note("logo", QString(), QRect(corner, picture.size()));
}

void PaintRenderer::draw_caption_box(QPainter& painter, const std::string& caption)
{
    if (caption.empty()) {
        return;
    }
    const QString text = from_local_8bit(caption);
    const QPen kept_pen = painter.pen();
    const QFont kept_font = painter.font();
    QFont font = kept_font;
    font.setPixelSize(12);
    painter.setFont(font);
    const QRect box(5, 5, QFontMetrics(font).horizontalAdvance(text) + 10, 25);
    painter.setPen(Qt::white);
    painter.fillRect(box, kPanelFill);
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.setPen(kept_pen);
    painter.setFont(kept_font);
    note("caption", text, box);
}

void PaintRenderer::draw_grid_panel(QPainter& painter, const QImage& target,
                                    const std::string& time, const std::string& caption)
{
    const int h = target.height();
    const int w = target.width();
    const QImage picture = logo();
    const int l = picture.isNull() ? 0 : picture.width();
    const QString text = from_local_8bit(caption);
    const QFont kept = painter.font();
    QFont font = kept;
    font.setPixelSize(12);
    painter.setFont(font);
    const int cw = text.isEmpty() ? 0 : QFontMetrics(font).horizontalAdvance(text) + 10;
    const QDateTime when = QDateTime::fromString(QString::fromLatin1(time.c_str()),
                                                 QStringLiteral("yyyyMMddhhmmss"));
    float e = 0, d = 0, a = 0;
    frame_->get_emiss(e);
    frame_->get_dist(d);
    frame_->get_env_temp(a);

    QRect params, date, cap;
    QString param_text, date_text;
    if (w <= 320) {
        if (w > 240) {
            params = QRect(l + 10, h - 18, w - 20 - l, 16);
            date = QRect(right_of(params) - 119, 2, 120, 16);
        } else {
            params = QRect(10, 2, w - 20, 16);
            date = QRect(right_of(params) - 119, h - 18, 120, 16);
        }
        if (cw > 0) {
            cap = (w > 240 && cw >= date.x() - 10) ? QRect(2, 2, cw, 16)
                                                    : QRect(right_of(params) - cw, 20, cw, 16);
        }
        param_text = gb18030(kEmissivity) + printf_text("%.2f", e + 0.003) +
                     gb18030(kDistanceShort) + QString::number(static_cast<int>(d + 0.3)) + "m" +
                     gb18030(kAmbientShort) + printf_text("%.1f", a + 0.03) + gb18030(kCelsius);
        date_text = when.toString(QStringLiteral("yyyy/MM/dd hh:mm"));
    } else {
        const QRect base(l + 10, h - 20, w - 70 - l, 15);
        if (w < 640) {
            params = base;
            date = QRect(right_of(base) - 180, 5, 180, 15);
        } else {
            params = QRect(base.left(), base.top(), 2 * base.width() / 3, 15);
            date = QRect(right_of(params), base.top(), right_of(base) - right_of(params), 15);
        }
        if (cw > 0) {
            cap = QRect(5, 5, cw, 16);
        }
        param_text = gb18030(kEmissivity) + printf_text("%.2f", e + 0.003) +
                     gb18030(kDistanceLong) + QString::number(static_cast<int>(d + 0.3)) + "m" +
                     gb18030(kAmbientLong) + printf_text("%.1f", a + 0.03) + gb18030(kCelsius);
        date_text = when.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    }
    auto panel = [&](const char* kind, const QRect& box, const QString& content) {
        painter.fillRect(box, kPanelFill);
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, content);
        note(kind, content, box);
    };
    panel("params", params, param_text);
    panel("date", date, date_text);
    if (cw > 0) {
        panel("caption", cap, text);
    }
    painter.setFont(kept);
}

}  // namespace markpen::detail
