#include "renderer_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace markpen::detail;
using namespace markpen::test;

namespace {

TEST(renderer, fresh_state)
{
    RendererFixture f;
    EXPECT_EQ(f.renderer->rotation(), ROTATION_UNSET);
    EXPECT_EQ(f.renderer->zoom(), 1);
    uint32_t length = 0, w = 0, h = 0;
    EXPECT_FALSE(f.renderer->get_bits(nullptr, length));
    EXPECT_FALSE(f.renderer->get_output_bits(nullptr, length));
    EXPECT_FALSE(f.renderer->image_size(w, h));
    int32_t x1 = -5, y1 = 0, x2 = 5, y2 = 5;
    EXPECT_FALSE(f.renderer->keep_box_inside(x1, y1, x2, y2));
}

TEST(renderer, sizes_and_bit_lengths)
{
    RendererFixture f;
    ASSERT_TRUE(f.renderer->set_image_size(384, 288));
    uint32_t length = 0;
    ASSERT_TRUE(f.renderer->get_bits(nullptr, length));
    EXPECT_EQ(length, 442368u);
    ASSERT_TRUE(f.renderer->set_window_size(100, 50));
    ASSERT_TRUE(f.renderer->get_bits(nullptr, length));
    EXPECT_EQ(length, 20000u);

    // The length is a capacity: a short buffer is refused untouched.
    std::vector<uint8_t> buffer(19999 + 8, 0xab);
    length = 19999;
    EXPECT_FALSE(f.renderer->get_bits(buffer.data(), length));
    EXPECT_EQ(length, 20000u);
    EXPECT_EQ(buffer[0], 0xab);
    buffer.resize(20000);
    EXPECT_TRUE(f.renderer->get_bits(buffer.data(), length));

    // Sizes of 0 are refused and keep the factors usable as divisors.
    EXPECT_FALSE(f.renderer->set_window_size(0, 50));
    EXPECT_FALSE(f.renderer->set_window_size(50, 0));
    EXPECT_FALSE(f.renderer->set_image_size(0, 0));
    EXPECT_FALSE(f.renderer->set_image_size(20000, 10));
    const Geometry g = f.renderer->geometry();
    EXPECT_GT(g.scale_x, 0);
    EXPECT_GT(g.scale_y, 0);
    ASSERT_TRUE(f.renderer->get_bits(nullptr, length));
    EXPECT_EQ(length, 20000u);
}

TEST(renderer, scale_factors_follow_rotation)
{
    RendererFixture f;
    ASSERT_TRUE(f.renderer->set_image_size(384, 288));
    ASSERT_TRUE(f.renderer->set_window_size(768, 576));
    EXPECT_DOUBLE_EQ(f.renderer->geometry().scale_x, 2.0);
    EXPECT_DOUBLE_EQ(f.renderer->geometry().scale_y, 2.0);
    ASSERT_TRUE(f.renderer->set_rotation(ROTATION_90));
    ASSERT_TRUE(f.renderer->set_window_size(576, 768));
    EXPECT_DOUBLE_EQ(f.renderer->geometry().scale_x, 2.0);
    EXPECT_DOUBLE_EQ(f.renderer->geometry().scale_y, 2.0);

    // A turn recomputes the factors at once, without a new window size.
    RendererFixture g;
    ASSERT_TRUE(g.renderer->set_image_size(400, 200));
    ASSERT_TRUE(g.renderer->set_window_size(800, 200));
    ASSERT_TRUE(g.renderer->set_rotation(ROTATION_270));
    EXPECT_EQ(g.renderer->window_picture().size(), QSize(200, 800));
    EXPECT_EQ(g.renderer->output_picture().size(), QSize(200, 400));
    EXPECT_DOUBLE_EQ(g.renderer->geometry().scale_x, 1.0);
    EXPECT_DOUBLE_EQ(g.renderer->geometry().scale_y, 2.0);
}

TEST(renderer, rotation_and_zoom_values)
{
    RendererFixture f;
    ASSERT_TRUE(f.renderer->set_image_size(40, 30));
    EXPECT_FALSE(f.renderer->set_rotation(5));
    EXPECT_FALSE(f.renderer->set_rotation(-2));
    EXPECT_EQ(f.renderer->rotation(), ROTATION_UNSET);
    ASSERT_TRUE(f.renderer->set_rotation(ROTATION_180));
    const uchar* window = f.renderer->window_picture().constBits();
    const uchar* output = f.renderer->output_picture().constBits();
    ASSERT_TRUE(f.renderer->set_rotation(ROTATION_180_ALT));
    EXPECT_EQ(f.renderer->window_picture().constBits(), window);
    EXPECT_EQ(f.renderer->output_picture().constBits(), output);

    EXPECT_FALSE(f.renderer->set_zoom(0));
    EXPECT_FALSE(f.renderer->set_zoom(17));
    EXPECT_EQ(f.renderer->zoom(), 1);
    EXPECT_TRUE(f.renderer->set_zoom(16));
    EXPECT_EQ(f.renderer->zoom(), 16);
}

TEST(renderer, coordinate_maps_round_trip)
{
    RendererFixture f;
    ASSERT_TRUE(f.renderer->set_image_size(384, 288));
    ASSERT_TRUE(f.renderer->set_rotation(ROTATION_90));
    ASSERT_TRUE(f.renderer->set_window_size(288, 384));
    uint16_t x = 0, y = 0;
    f.renderer->rotate_point(x, y);
    EXPECT_EQ(x, 287);
    EXPECT_EQ(y, 0);
    x = 383;
    y = 287;
    f.renderer->rotate_point(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 383);
    int32_t ix = 287, iy = 0;
    f.renderer->to_image(ix, iy);
    EXPECT_EQ(ix, 0);
    EXPECT_EQ(iy, 0);

    const int points[][2] = {{0, 0}, {383, 287}, {10, 200}, {300, 5}};
    for (int rotation = ROTATION_UNSET; rotation <= ROTATION_180_ALT; ++rotation) {
        RendererFixture r;
        ASSERT_TRUE(r.renderer->set_image_size(384, 288));
        ASSERT_TRUE(r.renderer->set_rotation(rotation));
        const bool quarter = rotation == ROTATION_90 || rotation == ROTATION_270;
        ASSERT_TRUE(r.renderer->set_window_size(quarter ? 576 : 768, quarter ? 768 : 576));
        for (const auto& p : points) {
            int32_t px = p[0], py = p[1];
            r.renderer->rotate_point(px, py);
            r.renderer->to_window(px, py);
            r.renderer->to_image(px, py);
            EXPECT_EQ(px, p[0]) << "rotation " << rotation;
            EXPECT_EQ(py, p[1]) << "rotation " << rotation;
        }
    }
}

TEST(renderer, keep_box_inside_and_fit_radius)
{
    RendererFixture f;
    ASSERT_TRUE(f.renderer->set_image_size(100, 80));
    struct Box {
        int in[4];
        int out[4];
    } boxes[] = {
        {{-5, -3, 20, 10}, {0, 0, 25, 13}},
        {{90, -4, 110, 10}, {79, 0, 99, 14}},
        {{90, 70, 105, 85}, {84, 64, 99, 79}},
        {{-2, 75, 10, 82}, {0, 72, 12, 79}},
        {{10, -5, 20, 5}, {10, 0, 20, 10}},
        {{95, 10, 102, 20}, {92, 10, 99, 20}},
        {{10, 75, 20, 81}, {10, 73, 20, 79}},
        {{-7, 10, 3, 20}, {0, 10, 10, 20}},
        {{10, 10, 20, 20}, {10, 10, 20, 20}},
        {{-10, 5, 150, 20}, {0, 5, 99, 20}},  // wider than the image: cut
    };
    for (const Box& b : boxes) {
        int32_t x1 = b.in[0], y1 = b.in[1], x2 = b.in[2], y2 = b.in[3];
        ASSERT_TRUE(f.renderer->keep_box_inside(x1, y1, x2, y2));
        EXPECT_EQ(x1, b.out[0]) << b.in[0] << "," << b.in[1];
        EXPECT_EQ(y1, b.out[1]) << b.in[0] << "," << b.in[1];
        EXPECT_EQ(x2, b.out[2]) << b.in[0] << "," << b.in[1];
        EXPECT_EQ(y2, b.out[3]) << b.in[0] << "," << b.in[1];
    }

    struct Radius {
        int x, y, r, expected;
        bool fits;
    } radii[] = {{2, 50, 10, 2, false}, {50, 40, 10, 10, true}, {97, 40, 10, 2, false},
                 {50, 76, 10, 3, true}};
    for (const Radius& c : radii) {
        int32_t r = c.r;
        EXPECT_EQ(f.renderer->fit_radius(c.x, c.y, r), c.fits) << c.x << "," << c.y;
        EXPECT_EQ(r, c.expected) << c.x << "," << c.y;
    }
    int32_t x = -4, y = 200;
    EXPECT_TRUE(f.renderer->clamp_point(x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 79);
}

TEST(renderer, compose_under_each_rotation)
{
    for (int rotation = ROTATION_UNSET; rotation <= ROTATION_180_ALT; ++rotation) {
        for (int scale : {1, 2}) {
            RendererFixture f;
            f.set_frame(3, 2);
            ASSERT_TRUE(f.renderer->set_rotation(rotation));
            const bool quarter = rotation == ROTATION_90 || rotation == ROTATION_270;
            const int ww = (quarter ? 2 : 3) * scale, wh = (quarter ? 3 : 2) * scale;
            ASSERT_TRUE(f.renderer->set_window_size(ww, wh));
            ASSERT_TRUE(f.renderer->refresh(true));
            const QImage& window = f.renderer->window_picture();
            ASSERT_EQ(window.size(), QSize(ww, wh));
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < 3; ++x) {
                    uint16_t rx = x, ry = y;
                    f.renderer->rotate_point(rx, ry);
                    for (int dy = 0; dy < scale; ++dy) {
                        for (int dx = 0; dx < scale; ++dx) {
                            EXPECT_EQ(pixel(window, rx * scale + dx, ry * scale + dy),
                                      RendererFixture::pixel_of(x, y))
                                << "rotation " << rotation << " scale " << scale << " at " << x
                                << "," << y;
                        }
                    }
                }
            }
            // The output picture is the same turn at image size.
            uint32_t length = 0;
            ASSERT_TRUE(f.renderer->get_output_bits(nullptr, length));
            ASSERT_EQ(length, 24u);
            std::vector<uint32_t> out(6);
            ASSERT_TRUE(f.renderer->get_output_bits(reinterpret_cast<uint8_t*>(out.data()), length));
            const int ow = quarter ? 2 : 3;
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < 3; ++x) {
                    uint16_t rx = x, ry = y;
                    f.renderer->rotate_point(rx, ry);
                    EXPECT_EQ(out[ry * ow + rx] & 0xffffff, RendererFixture::pixel_of(x, y));
                }
            }
        }
    }
}

// Pictures take their memory from the block stock, where the last
// renderer's pictures of the same size left their pixels: a new picture must
// still read as black until something is drawn into it.
TEST(renderer, new_pictures_are_black_until_drawn)
{
    const int w = 200, h = 100;  // large enough for the stock to keep
    auto black = [&](const uint8_t* bytes, size_t count) {
        for (size_t i = 0; i < count; i += 4) {
            uint32_t v = 0;
            std::memcpy(&v, bytes + i, 4);
            if (v != 0xFF000000u) {
                return false;
            }
        }
        return true;
    };
    auto black_picture = [&](const QImage& p) {
        return black(p.constBits(), static_cast<size_t>(p.sizeInBytes()));
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        {
            RendererFixture drawn;
            drawn.set_frame(w, h);
            ASSERT_TRUE(drawn.renderer->set_window_size(w, h));
            ASSERT_TRUE(drawn.renderer->refresh(true));
            std::vector<uint8_t> out(static_cast<size_t>(w) * h * 4);
            uint32_t length = static_cast<uint32_t>(out.size());
            ASSERT_TRUE(drawn.renderer->get_output_bits(out.data(), length));
            ASSERT_FALSE(black(out.data(), out.size()));
        }
        RendererFixture f;
        ASSERT_TRUE(f.renderer->set_image_size(w, h));
        ASSERT_TRUE(f.renderer->set_window_size(w, h));
        std::vector<uint8_t> bits(static_cast<size_t>(w) * h * 4, 0xab);
        uint32_t length = static_cast<uint32_t>(bits.size());
        ASSERT_TRUE(f.renderer->get_bits(bits.data(), length));
        EXPECT_TRUE(black(bits.data(), bits.size()));
        EXPECT_TRUE(black_picture(f.renderer->output_picture()));
        // Composed from a frame that has no pixels yet, and turned.
        ASSERT_TRUE(f.renderer->refresh(true));
        EXPECT_TRUE(black_picture(f.renderer->window_picture()));
        ASSERT_TRUE(f.renderer->set_rotation(ROTATION_90));
        EXPECT_TRUE(black_picture(f.renderer->window_picture()));
        EXPECT_TRUE(black_picture(f.renderer->output_picture()));
    }
}

TEST(renderer, frame_pixels_reload_and_failures)
{
    RendererFixture f;
    f.set_frame(4, 4);
    ASSERT_TRUE(f.renderer->refresh(false));
    EXPECT_EQ(pixel(f.renderer->window_picture(), 1, 2), RendererFixture::pixel_of(1, 2));
    // Without reload the pixels already read are composed again.
    f.frame->bits.assign(16, 0x00abcdef);
    ASSERT_TRUE(f.renderer->refresh(false));
    EXPECT_EQ(pixel(f.renderer->window_picture(), 1, 2), RendererFixture::pixel_of(1, 2));
    ASSERT_TRUE(f.renderer->refresh(true));
    EXPECT_EQ(pixel(f.renderer->window_picture(), 1, 2), 0x00abcdefu);
    // A frame that delivers nothing leaves the last pixels; a shorter one
    // replaces only its own bytes.
    f.frame->bits.clear();
    ASSERT_TRUE(f.renderer->refresh(true));
    EXPECT_EQ(pixel(f.renderer->window_picture(), 3, 3), 0x00abcdefu);
    f.frame->bits.assign(2, 0x00111111);
    ASSERT_TRUE(f.renderer->refresh(true));
    EXPECT_EQ(pixel(f.renderer->window_picture(), 1, 0), 0x00111111u);
    EXPECT_EQ(pixel(f.renderer->window_picture(), 2, 0), 0x00abcdefu);
}

}  // namespace
