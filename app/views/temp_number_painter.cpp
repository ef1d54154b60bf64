#include "views/temp_number_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <cstdio>

TempNumberPainter::TempNumberPainter(int pixel_size, const QColor& colour) : m_colour(colour.rgb())
{
    QFont font;
    font.setPixelSize(pixel_size);
    const QFontMetrics metrics(font);
    const int height = metrics.height();
    for (int i = 0; i < 11; ++i) {
        const QChar ch = i < 10 ? QChar('0' + i) : QChar('-');
        const int width = std::max(1, metrics.horizontalAdvance(ch));
        QImage glyph(width, height, QImage::Format_ARGB32_Premultiplied);
        glyph.fill(Qt::transparent);
        QPainter p(&glyph);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, width, height), Qt::AlignLeft | Qt::AlignTop, QString(ch));
        p.end();
        // Only the coverage is kept; the colour is applied when drawing.
        m_glyphs[static_cast<size_t>(i)] = glyph.convertToFormat(QImage::Format_Alpha8);
    }
}

int TempNumberPainter::text_width(int value) const
{
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%d", value);
    int width = 0;
    for (int k = 0; k < length; ++k) {
        width += m_glyphs[static_cast<size_t>(digits[k] == '-' ? 10 : digits[k] - '0')].width();
    }
    return width;
}

void TempNumberPainter::draw(QImage& target, int x, int y, int value, int box_width) const
{
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%d", value);
    const int pr = qRed(m_colour), pg = qGreen(m_colour), pb = qBlue(m_colour);
    const int right = std::min(target.width(), x + box_width);
    int pen_x = x;
    for (int k = 0; k < length && pen_x < right; ++k) {
        const QImage& glyph = m_glyphs[static_cast<size_t>(digits[k] == '-' ? 10 : digits[k] - '0')];
        const int gw = glyph.width();
        for (int gy = 0; gy < glyph.height(); ++gy) {
            const int ty = y + gy;
            if (ty < 0 || ty >= target.height()) continue;
            const uchar* coverage = glyph.constScanLine(gy);
            auto* line = reinterpret_cast<QRgb*>(target.scanLine(ty));
            for (int gx = 0; gx < gw; ++gx) {
                const int tx = pen_x + gx;
                const int a = coverage[gx];
                if (a == 0 || tx < 0 || tx >= right) continue;
                const QRgb d = line[tx];
                const int r = qRed(d) + (pr - qRed(d)) * a / 255;
                const int g = qGreen(d) + (pg - qGreen(d)) * a / 255;
                const int b = qBlue(d) + (pb - qBlue(d)) * a / 255;
                line[tx] = qRgb(r, g, b);
            }
        }
        pen_x += gw;
    }
}
