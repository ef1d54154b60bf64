// Draws whole-degree numbers ("%d") into a 32-bit RGB picture from glyphs
// rendered once, which is far cheaper than laying text out for each of the
// thousands of numbers of the simplified temperature table. Safe to use on
// any thread once made; one painter per thread.
#pragma once

#include <QColor>
#include <QImage>

#include <array>

class TempNumberPainter {
public:
    TempNumberPainter(int pixel_size, const QColor& colour);

    // Draws the value's digits with their top left at (x, y), clipped to
    // the picture and to a box of box_width pixels.
    void draw(QImage& target, int x, int y, int value, int box_width) const;
    // Width in pixels of the value's digits as draw lays them out.
    int text_width(int value) const;
    // Height of every glyph.
    int height() const { return m_glyphs[0].height(); }

private:
    // Glyph coverage (0..255) of '0'..'9' and '-', all of one height.
    std::array<QImage, 11> m_glyphs;
    QRgb m_colour;
};
