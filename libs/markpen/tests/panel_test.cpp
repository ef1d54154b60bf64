#include "palette_tables.h"
#include "renderer_fixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace markpen::detail;
using namespace markpen::test;

namespace {

const DrawnItem* only(const RendererFixture& f, const char* kind)
{
    const auto found = f.items_of(kind);
    return found.size() == 1 ? found[0] : nullptr;
}

struct Panel : RendererFixture {
    explicit Panel(QSize size)
    {
        frame->bits.assign(static_cast<size_t>(size.width()) * size.height(), 0);
        EXPECT_TRUE(renderer->set_image_size(size.width(), size.height()));
        EXPECT_TRUE(renderer->refresh(true));
    }
    void draw(bool grid, const std::string& caption, const std::string& time = "20240506070809")
    {
        items.clear();
        renderer->draw_info_panel(const_cast<QImage&>(renderer->output_picture()), false, time,
                                  caption, grid);
    }
};

struct LogoFile {
    QTemporaryDir dir;
    explicit LogoFile(int width, int height)
    {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::red);
        // No suffix: the format is taken from the content.
        EXPECT_TRUE(picture.save(dir.filePath("logo"), "PNG"));
        EXPECT_TRUE(set_logo(dir.filePath("logo")));
    }
    ~LogoFile() { clear_logo(); }
};

TEST(panel, palette_bar_boxes)
{
    struct Case {
        QSize size;
        QRect high, strip, low;
        const char* point_size;
    } cases[] = {
        {{640, 480}, {585, 5, 50, 25}, {619, 35, 16, 410}, {585, 450, 50, 25}, "11"},
        {{320, 240}, {280, 5, 35, 20}, {303, 30, 12, 180}, {280, 215, 35, 20}, "9"},
    };
    for (const Case& c : cases) {
        Panel p(c.size);
        p.draw(false, "");
        ASSERT_NE(only(p, "high"), nullptr);
        EXPECT_EQ(only(p, "high")->box, c.high);
        EXPECT_EQ(only(p, "high")->text, QString("105"));
        EXPECT_EQ(only(p, "strip")->box, c.strip);
        EXPECT_EQ(only(p, "strip")->text, QString(c.point_size));
        EXPECT_EQ(only(p, "low")->box, c.low);
        EXPECT_EQ(only(p, "low")->text, QString("21.3"));
        EXPECT_EQ(only(p, "caption"), nullptr);
    }
    Panel failing({640, 480});
    failing.frame->has_range = false;
    failing.draw(false, "");
    EXPECT_EQ(only(failing, "high")->text, QString("20.0"));
    EXPECT_EQ(only(failing, "low")->text, QString("5.0"));
    failing.frame->has_palette = false;
    failing.draw(false, "");
    EXPECT_EQ(only(failing, "high"), nullptr);
}

TEST(panel, strips_follow_palettor_colours)
{
    using namespace palettor::detail;
    for (int palette = 0; palette < PAL_COUNT; ++palette) {
        const QImage strip = palette_strip(palette);
        if (palette >= 10) {
            EXPECT_TRUE(strip.isNull());
            continue;
        }
        const int height = (palette == PAL_GRAY || palette == PAL_GRAY_REVERSED) ? 164 : 165;
        ASSERT_EQ(strip.size(), QSize(27, height)) << palette;
        int table = 0;
        bool reversed = false;
        ASSERT_TRUE(palette_source(palette, &table, &reversed));
        const uint32_t hot = kStoredPalettes[table][reversed ? 0 : kPaletteSize - 1];
        const uint32_t cold = kStoredPalettes[table][reversed ? kPaletteSize - 1 : 0];
        EXPECT_EQ(strip.pixel(13, 0) & 0xffffff, hot) << palette;
        EXPECT_EQ(strip.pixel(0, height - 1) & 0xffffff, cold) << palette;
    }
    // The bar shows the strip of the frame's palette.
    Panel p({640, 480});
    p.frame->palette = PAL_RAINBOW;
    p.draw(false, "");
    const QImage& output = p.renderer->output_picture();
    EXPECT_EQ(pixel(output, 627, 36), palette_strip(PAL_RAINBOW).pixel(13, 0) & 0xffffff);
    EXPECT_EQ(pixel(output, 627, 443), palette_strip(PAL_RAINBOW).pixel(13, 164) & 0xffffff);
}

TEST(panel, caption_box_and_logo)
{
    Panel p({640, 480});
    p.draw(false, "site 3");
    const DrawnItem* caption = only(p, "caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text, QString("site 3"));
    EXPECT_EQ(caption->box.topLeft(), QPoint(5, 5));
    EXPECT_EQ(caption->box.height(), 25);
    EXPECT_GT(caption->box.width(), 10);
    EXPECT_EQ(only(p, "logo"), nullptr);

    LogoFile logo(60, 20);
    p.draw(false, "");
    ASSERT_NE(only(p, "logo"), nullptr);
    EXPECT_EQ(only(p, "logo")->box, QRect(5, 455, 60, 20));
    EXPECT_EQ(pixel(p.renderer->output_picture(), 5, 455), 0x00ff0000u);

    EXPECT_FALSE(set_logo(QStringLiteral("/nonexistent/logo.png")));
    p.draw(false, "");
    EXPECT_EQ(only(p, "logo"), nullptr);
    // A named pipe without a writer is refused at once, not waited on.
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("logo.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(set_logo(pipe));
    // A picture of the program's resources, as the program hands its default
    // logo; a resource name that does not exist is refused.
    ASSERT_TRUE(QFile::exists(QStringLiteral(":/images/clr_iron.png")));
    EXPECT_TRUE(set_logo(QStringLiteral(":/images/clr_iron.png")));
    EXPECT_FALSE(set_logo(QStringLiteral(":/images/no_such_logo.png")));
}

TEST(panel, national_grid_full_layout)
{
    Panel p({640, 480});
    p.draw(true, "line 7");
    const DrawnItem* params = only(p, "params");
    ASSERT_NE(params, nullptr);
    EXPECT_EQ(params->text, QString::fromUtf8("辐射率：0.95 拍摄距离：5m 环境温度：25.0℃"));
    EXPECT_EQ(params->box, QRect(10, 460, 380, 15));
    EXPECT_EQ(only(p, "date")->box, QRect(389, 460, 190, 15));
    EXPECT_EQ(only(p, "date")->text, QString("2024/05/06 07:08:09"));
    EXPECT_EQ(only(p, "caption")->box.topLeft(), QPoint(5, 5));

    {
        LogoFile logo(60, 20);
        p.draw(true, "");
        EXPECT_EQ(only(p, "params")->box.left(), 70);
        EXPECT_EQ(only(p, "caption"), nullptr);
    }

    Panel medium({480, 360});
    medium.draw(true, "", "not a time");
    EXPECT_EQ(only(medium, "params")->box, QRect(10, 340, 410, 15));
    EXPECT_EQ(only(medium, "date")->box, QRect(239, 5, 180, 15));
    EXPECT_TRUE(only(medium, "date")->text.isEmpty());
}

TEST(panel, national_grid_compact_layouts)
{
    Panel wide({320, 240});
    wide.draw(true, "x");
    EXPECT_EQ(only(wide, "params")->text, QString::fromUtf8("辐射率：0.95 距离：5m 环温：25.0℃"));
    EXPECT_EQ(only(wide, "params")->box, QRect(10, 222, 300, 16));
    EXPECT_EQ(only(wide, "date")->box, QRect(190, 2, 120, 16));
    EXPECT_EQ(only(wide, "date")->text, QString("2024/05/06 07:08"));
    // A short caption goes to the second row under the date.
    const DrawnItem* caption = only(wide, "caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->box.top(), 20);
    EXPECT_EQ(caption->box.left() + caption->box.width(), 309);

    Panel narrow({240, 180});
    narrow.draw(true, "");
    EXPECT_EQ(only(narrow, "params")->box, QRect(10, 2, 220, 16));
    EXPECT_EQ(only(narrow, "date")->box, QRect(110, 162, 120, 16));
    EXPECT_EQ(only(narrow, "caption"), nullptr);
}

}  // namespace

// The panels as drawn: on a black frame every painted pixel lies in one of
// the panel's boxes, and every box has painted pixels, so the boxes the
// renderer records are where the pixels went.
TEST(panel, drawn_pixels_match_the_boxes)
{
    struct Case {
        const char* name;
        QSize size;
        bool grid;
        const char* caption;
    } cases[] = {
        {"bar and caption", {640, 480}, false, "site 3"},
        {"national grid", {640, 480}, true, "line 7"},
        {"national grid, compact", {320, 240}, true, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Panel p(c.size);
        p.draw(c.grid, c.caption);
        const QImage& output = p.renderer->output_picture();
        std::vector<QRect> boxes;
        for (const DrawnItem& item : p.items) {
            boxes.push_back(item.box.adjusted(-1, -1, 1, 1));
        }
        ASSERT_FALSE(boxes.empty());
        std::vector<int> painted(boxes.size(), 0);
        int stray = 0;
        for (int y = 0; y < output.height(); ++y) {
            for (int x = 0; x < output.width(); ++x) {
                if (pixel(output, x, y) == 0) {
                    continue;
                }
                bool inside = false;
                for (std::size_t i = 0; i < boxes.size(); ++i) {
                    if (boxes[i].contains(x, y)) {
                        ++painted[i];
                        inside = true;
                    }
                }
                stray += inside ? 0 : 1;
            }
        }
        EXPECT_EQ(stray, 0);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_GT(painted[i], 0) << p.items[i].kind;
        }
    }
}
