#include "renderer_fixture.h"

#include <gtest/gtest.h>

using namespace markpen::detail;
using namespace markpen::test;

namespace {

FakeAna rect(const char* text, uint32_t colour = 0x00000080)
{
    FakeAna a;
    a.type = ANA_RECT;
    a.text = text;
    a.colour = colour;
    return a;
}

// An all-black frame of the given size, with the window at `scale` times it.
void black_frame(RendererFixture& f, uint16_t w, uint16_t h, int scale = 1)
{
    f.frame->bits.assign(static_cast<size_t>(w) * h, 0);
    ASSERT_TRUE(f.renderer->set_image_size(w, h));
    ASSERT_TRUE(f.renderer->set_window_size(w * scale, h * scale));
    ASSERT_TRUE(f.renderer->refresh(true));
}

size_t lit(const QImage& image)
{
    size_t count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += pixel(image, x, y) != 0;
    }
    return count;
}

TEST(overlay, hidden_objects_draw_nothing)
{
    RendererFixture f;
    black_frame(f, 64, 48);
    FakeAna a = rect("R:10,10;30,20;-");
    a.show = false;
    a.show_max = a.show_min = a.cursor = a.cursor_temp = true;
    f.frame->anas.push_back(a);
    ASSERT_TRUE(f.renderer->render_all(true));
    EXPECT_EQ(lit(f.renderer->window_picture()), 0u);
    EXPECT_TRUE(f.items.empty());
}

TEST(overlay, warning_colour_blinks_with_the_count)
{
    struct Case {
        bool warning;
        uint32_t count;
        uint32_t expected;  // pixel order
    } cases[] = {{true, 2, 0x000000ffu}, {true, 3, 0x00800000u}, {false, 2, 0x00800000u}};
    for (const Case& c : cases) {
        RendererFixture f;
        black_frame(f, 64, 48);
        FakeAna a = rect("R:10,10;30,20;-");
        a.warning = c.warning;
        a.warning_colour = 0x00ff0000;  // stored blue
        a.alias = "A";
        a.ax = 30;
        a.ay = 10;
        f.frame->anas.push_back(a);
        f.frame->warning_count = c.count;
        ASSERT_TRUE(f.renderer->render_all(true));
        EXPECT_EQ(pixel(f.renderer->window_picture(), 10, 10), c.expected) << c.count;
        EXPECT_EQ(pixel(f.renderer->window_picture(), 30, 20), c.expected) << c.count;
        ASSERT_EQ(f.items_of("label").size(), 1u);
    }
}

TEST(overlay, outlines_scale_to_the_window_and_mark_selection)
{
    RendererFixture f;
    black_frame(f, 64, 48, 2);
    FakeAna a = rect("R:10,10;30,20;-");
    a.selected = true;
    f.frame->anas.push_back(a);
    f.renderer->draw_shapes(const_cast<QImage&>(f.renderer->window_picture()), true);
    const QImage& window = f.renderer->window_picture();
    EXPECT_EQ(pixel(window, 20, 20), 0x00800000u);
    EXPECT_EQ(pixel(window, 60, 40), 0x00800000u);
    EXPECT_EQ(pixel(window, 40, 18), 0x00800000u);  // grip marker above the top edge
    EXPECT_EQ(pixel(window, 30, 30), 0u);
}

TEST(overlay, cursor_ticks_cross_their_line)
{
    RendererFixture f;
    black_frame(f, 64, 64);
    FakeAna horizontal;
    horizontal.type = ANA_LINE;
    horizontal.text = "L:10,20;50,20;-";
    horizontal.cursor = true;
    horizontal.cursor_x = 30;
    horizontal.cursor_y = 20;
    FakeAna vertical = horizontal;
    vertical.text = "L:1,30;1,60;-";
    vertical.cursor_x = 1;
    vertical.cursor_y = 40;
    f.frame->anas = {horizontal, vertical};
    QImage& window = const_cast<QImage&>(f.renderer->window_picture());
    f.renderer->draw_shapes(window, false);
    for (int y = 16; y <= 24; ++y) EXPECT_NE(pixel(window, 30, y), 0u) << y;
    EXPECT_EQ(pixel(window, 30, 15), 0u);
    EXPECT_EQ(pixel(window, 30, 25), 0u);
    // At the left edge the tick loses its pixels left of column 0.
    for (int x = 0; x <= 5; ++x) EXPECT_NE(pixel(window, x, 40), 0u) << x;
    EXPECT_EQ(pixel(window, 6, 40), 0u);
}

TEST(overlay, triangles_mark_object_and_frame_extremes)
{
    RendererFixture f;
    black_frame(f, 64, 64);
    FakeAna a = rect("R:5,5;60,60;-");
    a.show_max = a.show_min = true;
    a.max_x = 20;
    a.max_y = 20;
    a.min_x = 40;
    a.min_y = 40;
    f.frame->anas.push_back(a);
    f.frame->show_max = true;
    f.frame->max_x = 50;
    f.frame->max_y = 10;
    QImage& window = const_cast<QImage&>(f.renderer->window_picture());
    f.renderer->draw_shapes(window, false);
    EXPECT_EQ(pixel(window, 20, 20), 0x00ff0000u);  // hot apex, red
    EXPECT_EQ(pixel(window, 40, 40), 0x000000ffu);  // cold apex, blue
    EXPECT_EQ(pixel(window, 50, 10), 0x00ff0000u);
    EXPECT_EQ(pixel(window, 40, 28), 0x000000ffu);  // base of the cold triangle above
}

TEST(overlay, labels_arrows_and_clamps)
{
    for (QSize size : {QSize(640, 480), QSize(320, 240)}) {
        RendererFixture f;
        black_frame(f, size.width(), size.height());
        FakeAna left = rect("R:10,10;60,60;-");
        left.alias = "left";
        left.temp_text = " 30.0";
        left.side = 0;
        left.ax = 60;
        left.ay = 30;
        left.dx = 4;
        left.dy = -9;
        FakeAna right = rect("R:100,100;150,150;-");
        right.side = 1;
        right.ax = 100;
        right.ay = 120;
        right.dx = -4;
        FakeAna edge;
        edge.type = ANA_POINT;
        edge.text = "P:5,5;-";
        edge.alias = "far right";
        edge.ax = size.width() - 3;
        FakeAna negative = edge;
        negative.text = "P:6,6;-";
        negative.alias = "far left";
        negative.ax = -50;
        f.frame->anas = {left, right, edge, negative};
        f.renderer->draw_texts(const_cast<QImage&>(f.renderer->window_picture()), true);
        const auto labels = f.items_of("label");
        ASSERT_EQ(labels.size(), 4u);
        // Points come first in drawing order, then rectangles.
        EXPECT_EQ(labels[0]->text, QString("far right"));
        EXPECT_EQ(labels[0]->box.left() + labels[0]->box.width(), size.width());
        EXPECT_EQ(labels[1]->box.left(), 0);
        EXPECT_EQ(labels[2]->text, QString("<-left 30.0"));
        EXPECT_EQ(labels[2]->box.topLeft(), QPoint(64, 21));
        // No alias: the object's index name; side 1 ends the box at the anchor.
        EXPECT_EQ(labels[3]->text, QString("R2->"));
        EXPECT_EQ(labels[3]->box.left() + labels[3]->box.width(), 96);
        EXPECT_EQ(labels[3]->box.top(), 120);
    }
}

TEST(overlay, labels_of_exports_clamp_to_their_own_picture)
{
    RendererFixture f;
    black_frame(f, 640, 480, 2);  // window 1280 x 960
    FakeAna a;
    a.type = ANA_POINT;
    a.text = "P:630,100;-";
    a.alias = "near the edge";
    a.ax = 630;
    a.ay = 100;
    f.frame->anas = {a};
    uint32_t length = 640 * 480 * 4;
    std::vector<uint8_t> out(length);
    ASSERT_TRUE(f.renderer->get_output_bits(out.data(), length));
    const auto labels = f.items_of("label");
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0]->box.left() + labels[0]->box.width(), 640);
}

TEST(overlay, cursor_label_extremes_and_marks)
{
    RendererFixture f;
    black_frame(f, 320, 240);
    FakeAna line;
    line.type = ANA_LINE;
    line.text = "L:10,100;300,100;-";
    line.cursor = line.cursor_temp = true;
    line.cursor_x = 315;
    line.cursor_y = 235;
    line.cursor_t = 36.66f;
    line.alias = "L1";
    f.frame->anas = {line};
    f.frame->show_max = f.frame->show_min = true;
    f.frame->max_x = 5;
    f.frame->max_y = 3;
    f.frame->max_t = 123.4f;
    f.frame->min_x = 100;
    f.frame->min_y = 200;
    f.frame->min_t = -20.5f;
    f.frame->marks = {{20, 20, 1}, {40, 40, 2}, {60, 60, 3}};
    f.renderer->draw_texts(const_cast<QImage&>(f.renderer->window_picture()), true);

    const auto cursor = f.items_of("cursor");
    ASSERT_EQ(cursor.size(), 1u);
    EXPECT_EQ(cursor[0]->text, QString("36.7"));
    EXPECT_EQ(cursor[0]->box.left() + cursor[0]->box.width(), 320);
    EXPECT_EQ(cursor[0]->box.top() + cursor[0]->box.height(), 240);

    const auto max = f.items_of("max"), min = f.items_of("min");
    ASSERT_EQ(max.size(), 1u);
    ASSERT_EQ(min.size(), 1u);
    EXPECT_EQ(max[0]->text, QString("Max:123"));
    EXPECT_EQ(min[0]->text, QString("Min:-20.5"));
    EXPECT_EQ(max[0]->box.left(), 0);
    EXPECT_EQ(min[0]->box.left(), 85);
    const int fh = max[0]->box.height();
    EXPECT_EQ(max[0]->box.top(), 2);                  // baseline at the font height
    EXPECT_EQ(min[0]->box.top(), 180 - fh + 2);       // baseline 20 above

    const auto marks = f.items_of("mark");
    ASSERT_EQ(marks.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(marks[i]->text, QString::number(i + 1));
        EXPECT_EQ(marks[i]->box, QRect(15 + 20 * i, 15 + 20 * i, 10, 10));
    }
}

TEST(overlay, rotation_without_scaling)
{
    RendererFixture f;
    black_frame(f, 64, 48);
    ASSERT_TRUE(f.renderer->set_rotation(ROTATION_270));
    FakeAna a = rect("R:10,5;20,15;-");
    a.show_max = true;
    a.max_x = 30;
    a.max_y = 30;
    f.frame->anas = {a};
    QImage& output = const_cast<QImage&>(f.renderer->output_picture());
    output.fill(Qt::black);
    f.renderer->draw_shapes(output, false);
    // (10, 5) turns to (5, 53) and (20, 15) to (15, 43): corners (5, 43)-(15, 53).
    EXPECT_EQ(pixel(output, 5, 43), 0x00800000u);
    EXPECT_EQ(pixel(output, 15, 53), 0x00800000u);
    // The reported extreme is drawn where thermframe says, not turned again.
    EXPECT_EQ(pixel(output, 30, 30), 0x00ff0000u);
}

TEST(overlay, an_overlay_string_that_does_not_parse_draws_nothing)
{
    RendererFixture f;
    black_frame(f, 64, 48);
    f.renderer->set_overlay("garbage");
    ASSERT_TRUE(f.renderer->render_all(true));
    EXPECT_EQ(lit(f.renderer->window_picture()), 0u);
    f.renderer->set_overlay("L:0,0;63,0;-");
    ASSERT_TRUE(f.renderer->render_all(true));
    EXPECT_EQ(pixel(f.renderer->window_picture(), 10, 0), 0x00ffff00u);  // yellow
}

}  // namespace
