#include "renderer_fixture.h"
#include "scaled_draw.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace markpen::detail;
using namespace markpen::test;

namespace {

// Every pixel different, alpha bytes included: the painter copies RGB32
// pixels as they are.
QImage numbered(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<uint32_t*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = static_cast<uint32_t>(x * 977 + y * 131 + 7) * 2654435761u;
        }
    }
    return picture;
}

QImage filled(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(0xff123456u);
    return picture;
}

TEST(scaled_draw, pixels_are_the_painters)
{
    // Up and down, exact and odd factors, one-pixel pictures, and sizes whose
    // sampling runs past the source, which are left to the painter.
    const int sizes[][4] = {
        {640, 512, 1280, 960}, {640, 480, 1280, 960}, {384, 288, 768, 576}, {640, 512, 1000, 700},
        {640, 512, 320, 256},  {640, 512, 641, 513},  {640, 512, 639, 511}, {7, 5, 1280, 960},
        {1, 1, 5, 5},          {3, 7, 2, 2},          {495, 567, 1280, 171}, {400, 200, 800, 200},
        {640, 512, 1920, 1080}, {5, 3, 1, 1},         {333, 77, 1001, 999},  {640, 512, 640, 512},
    };
    int drawn = 0;
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message() << s[0] << "x" << s[1] << " -> " << s[2] << "x" << s[3]);
        const QImage source = numbered(s[0], s[1]);
        QImage painted = filled(s[2], s[3]);
        {
            QPainter painter(&painted);
            painter.drawImage(painted.rect(), source);
        }
        QImage ours = filled(s[2], s[3]);
        if (draw_scaled(source, ours)) {
            ++drawn;
            EXPECT_TRUE(ours == painted);
        } else {
            EXPECT_TRUE(ours == filled(s[2], s[3]));
        }
    }
    EXPECT_GE(drawn, 12);
}

TEST(scaled_draw, other_formats_are_left_to_the_painter)
{
    const QImage source = numbered(4, 4);
    QImage target(8, 8, QImage::Format_ARGB32);
    target.fill(0);
    EXPECT_FALSE(draw_scaled(source, target));
    EXPECT_FALSE(draw_scaled(source.convertToFormat(QImage::Format_ARGB32_Premultiplied), target));
    QImage null;
    EXPECT_FALSE(draw_scaled(source, null));
}

}  // namespace
