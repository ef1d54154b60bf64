// A renderer over a fake frame whose pixels are a given picture.
#pragma once

#include "fake_frame.h"
#include "paint_renderer.h"

#include <gtest/gtest.h>

#include <memory>

namespace markpen::test {

struct RendererFixture {
    FakeFrame* frame;
    std::unique_ptr<detail::PaintRenderer> renderer;
    std::vector<detail::DrawnItem> items;

    RendererFixture()
    {
        auto fake = std::make_unique<FakeFrame>();
        frame = fake.get();
        renderer = std::make_unique<detail::PaintRenderer>(std::move(fake));
        renderer->record_items(&items);
    }

    // A frame of width x height whose pixel (x, y) is 0x00yyxx01 + offset,
    // so that every pixel differs and turns are visible.
    void set_frame(uint16_t width, uint16_t height)
    {
        frame->bits.resize(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                frame->bits[static_cast<size_t>(y) * width + x] = pixel_of(x, y);
            }
        }
        ASSERT_TRUE(renderer->set_image_size(width, height));
    }

    static uint32_t pixel_of(int x, int y) { return 0x00000001u | (x << 8) | (y << 16); }

    std::vector<const detail::DrawnItem*> items_of(const std::string& kind) const
    {
        std::vector<const detail::DrawnItem*> found;
        for (const detail::DrawnItem& item : items) {
            if (item.kind == kind) found.push_back(&item);
        }
        return found;
    }
};

inline uint32_t pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0x00ffffffu;
}

}  // namespace markpen::test
