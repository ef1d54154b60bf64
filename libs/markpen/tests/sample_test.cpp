// A sample radiometric picture from tools/make-samples, opened through
// sensekern and thermframe, annotated and saved by markpen, then read back.
#include "sample_picture.h"

#include "basekit.h"
#include "label_font.h"
#include "scene.h"

#include <QDir>
#include <QFontMetrics>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kSample = markpen::test::kSamplePicture;
const char kRect[] = "R:200,150;400,300;-";
const char kLine[] = "L:40,420;600,440;-";
const char kEllipse[] = "E:60,60;180,140;-";
const char kPoint[] = "P:500,100;-";
const char kUser[] = "{\"VYPalette\":0,\"site\":\"markpen round trip\"}";

std::vector<float> all_temperatures(void* frame)
{
    uint16_t w = 0, h = 0;
    if (!sensekern_get_resolution(frame, &w, &h)) return {};
    std::vector<float> temps(static_cast<size_t>(w) * h);
    if (!sensekern_get_all_pixel_temperature(frame, temps.data())) return {};
    return temps;
}

std::string attached(void* frame, SensekernAttached which)
{
    uint32_t length = 0;
    if (!sensekern_get_attached_data(frame, which, nullptr, &length)) return "?";
    std::string bytes(length, '\0');
    if (length != 0 && !sensekern_get_attached_data(frame, which, reinterpret_cast<uint8_t*>(&bytes[0]), &length)) {
        return "?";
    }
    return bytes;
}

int channel_distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

TEST(sample, annotated_picture_keeps_its_data_and_shows_the_bar)
{
    if (!QFile::exists(kSample)) {
        GTEST_SKIP() << kSample << " was not generated (tools/make-samples)";
    }
    markpen::test::Opened picture;
    ASSERT_EQ(picture.open(kSample), "");
    const std::vector<float> before = all_temperatures(picture.frame);
    ASSERT_FALSE(before.empty());

    void* doc = picture.doc;
    for (const char* ana : {kRect, kLine, kEllipse, kPoint}) {
        ASSERT_TRUE(thermframe_add_ana(doc, std::string(ana))) << ana;
    }
    ASSERT_TRUE(thermframe_ana_set_alias(doc, std::string(kRect), std::string("warm box")));
    ASSERT_TRUE(thermframe_ana_show_max(doc, std::string(kRect), true));
    ASSERT_TRUE(thermframe_ana_show_min(doc, std::string(kRect), true));
    ASSERT_TRUE(thermframe_ana_show_cursor(doc, std::string(kLine), true));
    ASSERT_TRUE(thermframe_ana_show_cursor_temp(doc, std::string(kLine), true));
    ASSERT_TRUE(thermframe_show_max(doc, true));
    ASSERT_TRUE(thermframe_show_min(doc, true));
    ASSERT_TRUE(thermframe_add_temp_mark(doc, 320, 60, 30.0f));
    std::string user = kUser;
    ASSERT_TRUE(thermframe_set_user_data(doc, reinterpret_cast<unsigned char*>(&user[0]),
                                         static_cast<uint32_t>(user.size())));

    ASSERT_TRUE(markpen_update(picture.paint, true, true));
    unsigned int length = 0;
    ASSERT_TRUE(markpen_get_bits(picture.paint, nullptr, length));
    std::vector<unsigned char> bits(length);
    ASSERT_TRUE(markpen_get_bits(picture.paint, bits.data(), length));

    QTemporaryDir dir;
    const std::string out = dir.filePath("annotated.jpg").toStdString();
    ASSERT_TRUE(markpen_save_jpg_file(picture.paint, out, std::string("substation 3, bay 2"), true,
                                      true));
    // For a look by eye: MARKPEN_KEEP_PICTURE=<name.png> keeps a copy.
    if (const char* keep = std::getenv("MARKPEN_KEEP_PICTURE")) {
        QImage(QString::fromStdString(out)).save(QString::fromLocal8Bit(keep));
    }

    // Read back through sensekern: the same temperatures, objects and data.
    markpen::test::Opened back;
    ASSERT_EQ(back.open(out.c_str()), "");
    EXPECT_EQ(all_temperatures(back.frame), before);
    EXPECT_EQ(attached(back.frame, SENSEKERN_USER), user);
    for (const char* ana : {kRect, kLine, kEllipse}) {
        tagPAD a{}, b{};
        float ta = 0, tb = 0;
        ASSERT_TRUE(sensekern_ana_get_max_temperature(picture.frame, ana, &a, &ta)) << ana;
        ASSERT_TRUE(sensekern_ana_get_max_temperature(back.frame, ana, &b, &tb)) << ana;
        EXPECT_EQ(ta, tb) << ana;
    }

    // The picture shows the bar: the top and bottom of the strip carry the
    // iron palette's hot and cold ends (JPEG keeps them close).
    QImage saved(QString::fromStdString(out));
    ASSERT_EQ(saved.size(), QSize(picture.width, picture.height));
    const QImage strip(":/images/clr_iron.png");
    const int x = picture.width - 5 - 8;
    if (!strip.isNull()) {
        EXPECT_LE(channel_distance(saved.pixel(x, 40), strip.pixel(13, 0)), 40);
        EXPECT_LE(channel_distance(saved.pixel(x, picture.height - 40), strip.pixel(13, 164)), 40);
    }
    EXPECT_LE(channel_distance(saved.pixel(x, 40), qRgb(255, 255, 230)), 60);

    // The national-grid form carries its own block.
    const std::wstring grid = dir.filePath("grid.jpg").toStdWString();
    ASSERT_TRUE(markpen_save_sgcc_file_w(picture.paint, grid, std::string("20250315093000"),
                                         std::string("bay 2")));
    if (const char* keep = std::getenv("MARKPEN_KEEP_PICTURE")) {
        QImage(dir.filePath("grid.jpg")).save(QString::fromLocal8Bit(keep) + ".grid.png");
    }
    SensekernFileKind kind = SENSEKERN_FILE_PLAIN;
    ASSERT_TRUE(sensekern_probe_file(back.frame, dir.filePath("grid.jpg").toUtf8().constData(), &kind));
    EXPECT_EQ(kind, SENSEKERN_FILE_NATIONAL_GRID);
}

TEST(sample, hidden_analyses_are_not_drawn)
{
    if (!QFile::exists(kSample)) {
        GTEST_SKIP() << kSample << " was not generated (tools/make-samples)";
    }
    markpen::test::Opened picture;
    ASSERT_EQ(picture.open(kSample), "");
    unsigned int length = 0;
    ASSERT_TRUE(markpen_update(picture.paint, true, true));
    ASSERT_TRUE(markpen_get_bits(picture.paint, nullptr, length));
    std::vector<unsigned char> bare(length), hidden(length), shown(length);
    ASSERT_TRUE(markpen_get_bits(picture.paint, bare.data(), length));
    ASSERT_TRUE(thermframe_add_ana(picture.doc, std::string(kRect)));
    ASSERT_TRUE(markpen_set_all_ana_show(picture.paint, false));
    ASSERT_TRUE(markpen_update(picture.paint, true, true));
    ASSERT_TRUE(markpen_get_bits(picture.paint, hidden.data(), length));
    EXPECT_EQ(hidden, bare);
    ASSERT_TRUE(markpen_set_all_ana_show(picture.paint, true));
    ASSERT_TRUE(markpen_update(picture.paint, true, true));
    ASSERT_TRUE(markpen_get_bits(picture.paint, shown.data(), length));
    EXPECT_NE(shown, bare);
}

}  // namespace

namespace {

// build/screens, beside the program directory the tests run in.
QString screen_path(const char* name)
{
    char buffer[4096];
    int length = sizeof(buffer);
    if (vy_get_exe_path(buffer, &length) != 0) return QString();
    QDir dir(QString::fromUtf8(buffer) + "/../screens");
    dir.mkpath(".");
    return dir.absoluteFilePath(QString::fromLatin1(name));
}

// Rows of the palette bar in a saved picture: from 35 to height - 36.
constexpr int kBarTop = 35;
constexpr int kBarBottomMargin = 36;

// Row of the palette bar's column whose colour lies nearest to c, and how
// near it is.
std::pair<int, int> bar_row_of(const QImage& picture, int bar_x, QRgb c)
{
    int best_row = -1, best = 1000;
    for (int y = kBarTop; y <= picture.height() - kBarBottomMargin; ++y) {
        const int d = channel_distance(picture.pixel(bar_x, y), c);
        if (d < best) {
            best = d;
            best_row = y;
        }
    }
    return {best_row, best};
}

bool is_yellow(QRgb c)
{
    return qRed(c) >= 200 && qGreen(c) >= 200 && qBlue(c) <= 80;
}

}  // namespace

// Region colours of a saved picture, read inside each region away from
// outlines, labels and the filter's edges.
struct RegionColours {
    QRgb hot, warm, background, cold;
};

RegionColours region_colours(const QImage& picture, const samples::Scene& s)
{
    return RegionColours{picture.pixel(s.hottest_x + 1, s.hottest_y + 1),
                         picture.pixel((s.warm_box.x0 + s.warm_box.x1) / 2, s.warm_box.y1 - 10),
                         picture.pixel(s.width / 2, s.height / 12),
                         picture.pixel(s.width / 8, s.cold_band.y1 - 10)};
}

// Saves the picture as a user does (JPEG, the screenshot) and as PNG for
// exact pixels.
QImage save_both(void* paint, const QTemporaryDir& dir, const char* screen)
{
    const std::string jpg = dir.filePath("shapes.jpg").toStdString();
    const std::string png = dir.filePath("shapes.png").toStdString();
    if (!markpen_update(paint, true, true) ||
        !markpen_save_jpg_file(paint, jpg, std::string("sample with shapes"), true, true) ||
        !markpen_save_png_file(paint, png, std::string("sample with shapes"), true, true)) {
        return QImage();
    }
    QImage(QString::fromStdString(jpg)).save(screen_path(screen));
    return QImage(QString::fromStdString(png));
}

// The picture a user saves after drawing on the sample: with a range over the
// whole scene, background, warm box, hot spot and cold band keep colours of
// their own that sit on the palette bar in the order of their temperatures;
// with the range -5..45 the warm box and the hot spot take the bar's top and
// the cold band its bottom. New outlines are yellow.
TEST(sample, drawn_picture_shows_the_scene_with_yellow_outlines)
{
    // The flat scene with exact regions, made through the sample calibration.
    const samples::Scene s = samples::make_scene(640, 512);
    void* made = nullptr;
    ASSERT_TRUE(samples::make_scene_frame("ad_temp", s, &made));
    markpen::test::Opened picture;
    ASSERT_EQ(picture.adopt(made), "");
    void* doc = picture.doc;

    const std::string rect = "R:" + std::to_string(s.warm_box.x0 + 20) + "," + std::to_string(s.warm_box.y0 + 20) +
                             ";" + std::to_string(s.warm_box.x1 - 20) + "," + std::to_string(s.warm_box.y1 - 40) + ";-";
    const std::string ellipse = "E:" + std::to_string(s.hot_box.x0 - 15) + "," + std::to_string(s.hot_box.y0 - 15) +
                                ";" + std::to_string(s.hot_box.x1 + 15) + "," + std::to_string(s.hot_box.y1 + 15) + ";-";
    const int band_y = (s.cold_band.y0 + s.cold_band.y1) / 2;
    const std::string line = "L:" + std::to_string(s.width / 3) + "," + std::to_string(band_y) + ";" +
                             std::to_string(s.width * 2 / 3) + "," + std::to_string(band_y) + ";-";
    const int px = s.width / 2, py = s.height * 60 / 100;
    const std::string point = "P:" + std::to_string(px) + "," + std::to_string(py) + ";-";
    for (const std::string& ana : {rect, ellipse, line, point}) {
        ASSERT_TRUE(thermframe_add_ana(doc, ana)) << ana;
    }
    ASSERT_TRUE(thermframe_ana_set_alias(doc, rect, std::string("warm box")));
    ASSERT_TRUE(thermframe_ana_set_alias(doc, ellipse, std::string("hot spot")));
    ASSERT_TRUE(thermframe_ana_set_alias(doc, line, std::string("cold band")));
    // A colour set through thermframe reads back as it was set: stored with
    // red in bits 0-7, so 0x0000FF is red.
    ASSERT_TRUE(thermframe_ana_set_line_clr(doc, point, 0x0000FFu));
    uint32_t colour = 0;
    ASSERT_TRUE(thermframe_ana_get_line_clr(doc, point, colour));
    EXPECT_EQ(colour, 0x0000FFu);

    // A range over the whole scene, as the sample generator chose it.
    uint16_t low = 0, high = 0;
    ASSERT_TRUE(thermframe_get_ad_from_temp(doc, s.coldest - 5.0f, low));
    ASSERT_TRUE(thermframe_get_ad_from_temp(doc, s.hottest + 5.0f, high));
    ASSERT_TRUE(thermframe_set_imaging_range(doc, low, high));
    QTemporaryDir dir;
    const QImage whole = save_both(picture.paint, dir, "sample-shapes.png");
    ASSERT_FALSE(whole.isNull());
    const int bar_x = picture.width - 5 - 8;
    const RegionColours c = region_colours(whole, s);
    const QRgb ordered[] = {c.hot, c.warm, c.background, c.cold};
    const char* names[] = {"hot spot", "warm box", "background", "cold band"};
    int previous_row = -1;
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(names[i]);
        for (int j = 0; j < i; ++j) {
            EXPECT_GE(channel_distance(ordered[i], ordered[j]), 40)
                << std::hex << ordered[i] << " like " << names[j] << " " << ordered[j];
        }
        const std::pair<int, int> row = bar_row_of(whole, bar_x, ordered[i]);
        EXPECT_LE(row.second, 12) << "not a colour of the bar: " << std::hex << ordered[i];
        EXPECT_GT(row.first, previous_row) << "hotter regions sit higher on the bar";
        std::printf("%s: %08x at bar row %d\n", names[i], ordered[i], row.first);
        previous_row = row.first;
    }

    // Outlines: the rectangle's, ellipse's and line's yellow, the point's
    // cross red.
    const int mid_x = (s.warm_box.x0 + s.warm_box.x1) / 2;
    EXPECT_TRUE(is_yellow(whole.pixel(mid_x, s.warm_box.y0 + 20))) << std::hex << whole.pixel(mid_x, s.warm_box.y0 + 20);
    EXPECT_TRUE(is_yellow(whole.pixel(s.warm_box.x0 + 20, s.warm_box.y0 + 60)));
    EXPECT_TRUE(is_yellow(whole.pixel(s.hottest_x, s.hot_box.y1 + 15))) << std::hex << whole.pixel(s.hottest_x, s.hot_box.y1 + 15);
    EXPECT_TRUE(is_yellow(whole.pixel(s.width / 2, band_y)));
    const QRgb cross = whole.pixel(px + 10, py);
    EXPECT_TRUE(qRed(cross) >= 200 && qGreen(cross) <= 60 && qBlue(cross) <= 60) << std::hex << cross;

    // The range -5..45: the bar's top for the warm box and the hotter spot,
    // its bottom for the cold band, the background in between.
    ASSERT_TRUE(thermframe_get_ad_from_temp(doc, s.cold, low));
    ASSERT_TRUE(thermframe_get_ad_from_temp(doc, s.warm, high));
    ASSERT_TRUE(thermframe_set_imaging_range(doc, low, high));
    const QImage narrow = save_both(picture.paint, dir, "sample-shapes-narrow-range.png");
    ASSERT_FALSE(narrow.isNull());
    const RegionColours n = region_colours(narrow, s);
    const int first_row = kBarTop, last_row = picture.height - kBarBottomMargin;
    for (QRgb top : {n.hot, n.warm}) {
        const std::pair<int, int> row = bar_row_of(narrow, bar_x, top);
        EXPECT_LE(row.second, 12) << std::hex << top;
        EXPECT_LE(row.first, first_row + 4) << std::hex << top;
    }
    const std::pair<int, int> cold_row = bar_row_of(narrow, bar_x, n.cold);
    EXPECT_LE(cold_row.second, 12) << std::hex << n.cold;
    EXPECT_GE(cold_row.first, last_row - 4);
    const std::pair<int, int> middle = bar_row_of(narrow, bar_x, n.background);
    EXPECT_LE(middle.second, 12);
    EXPECT_GT(middle.first, first_row + 100);
    EXPECT_LT(middle.first, last_row - 100);
}

// thermframe lays labels out with the font markpen draws them with. A
// rectangle whose gap to the right edge is a little narrower than its drawn
// label must not get the label on its right: measured too narrow, the label
// would be accepted there and then pushed back over the rectangle to fit the
// picture.
TEST(sample, long_label_near_the_right_edge_stays_clear_of_its_rectangle)
{
    if (!QFile::exists(kSample)) {
        GTEST_SKIP() << kSample << " was not generated (tools/make-samples)";
    }
    markpen::test::Opened picture;
    ASSERT_EQ(picture.open(kSample), "");
    auto drawn = [&]() {
        std::vector<unsigned char> bits;
        unsigned int length = 0;
        if (markpen_update(picture.paint, true, true) && markpen_get_bits(picture.paint, nullptr, length)) {
            bits.resize(length);
            markpen_get_bits(picture.paint, bits.data(), length);
        }
        return QImage(bits.data(), picture.width, picture.height, QImage::Format_RGB32).copy();
    };
    const QImage bare = drawn();
    ASSERT_FALSE(bare.isNull());

    // The drawn width of the label with its arrow, from the font it is drawn with.
    const std::string probe = "R:300,280;360,340;-";
    ASSERT_TRUE(thermframe_add_ana(picture.doc, probe));
    ASSERT_TRUE(thermframe_ana_set_alias(picture.doc, probe, std::string("bushing L3")));
    ASSERT_TRUE(thermframe_ana_set_text_type(picture.doc, probe, static_cast<ShowTextType>(7)));
    std::string temps;
    ASSERT_TRUE(thermframe_ana_get_temp_text(picture.doc, probe, temps));
    const int drawn_width =
        QFontMetrics(vy::label_font()).horizontalAdvance(QString::fromUtf8(("<-bushing L3" + temps).c_str()));
    ASSERT_TRUE(thermframe_delete_ana(picture.doc, probe));

    const int x1 = picture.width - 1 - (drawn_width - 6), x0 = x1 - 80, y0 = 280, y1 = 340;
    const std::string rect = "R:" + std::to_string(x0) + "," + std::to_string(y0) + ";" + std::to_string(x1) + "," +
                             std::to_string(y1) + ";-";
    ASSERT_TRUE(thermframe_add_ana(picture.doc, rect));
    // The alias lays the labels out again, with the full text.
    ASSERT_TRUE(thermframe_ana_set_text_type(picture.doc, rect, static_cast<ShowTextType>(7)));
    ASSERT_TRUE(thermframe_ana_set_alias(picture.doc, rect, std::string("bushing L3")));
    const QImage with_label = drawn();
    with_label.save(screen_path("sample-long-label.png"));

    int changed_inside = 0, changed_outside = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (with_label.pixel(x, y) == bare.pixel(x, y)) {
                continue;
            }
            const bool outline = (x == x0 || x == x1) && y >= y0 && y <= y1;
            const bool edge = (y == y0 || y == y1) && x >= x0 && x <= x1;
            const bool inside = x > x0 && x < x1 && y > y0 && y < y1;
            if (inside) {
                ++changed_inside;
            } else if (!outline && !edge) {
                ++changed_outside;
            }
        }
    }
    EXPECT_EQ(changed_inside, 0) << "the label runs into its rectangle";
    EXPECT_GT(changed_outside, 200) << "no label was drawn";
}
