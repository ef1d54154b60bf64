// A sample radiometric picture from tools/make-samples, opened through
// sensekern and thermframe, annotated and saved by markpen, then read back.
#include "sample_picture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
