// heatreel's thumbnail of the generated sample recording.
#include "heatreel.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace {

const wchar_t kSample[] = L"samples/sample.irv";

TEST(heatreel, thumbnail_of_the_sample_recording)
{
    if (!QFile::exists("samples/sample.irv")) GTEST_SKIP() << "samples were not generated";
    EXPECT_TRUE(vy_ts_is_valid_file_w(kSample));
    int w = 0, h = 0;
    ASSERT_TRUE(vy_ts_get_thumbnail_bits_w(kSample, w, h, nullptr));
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    EXPECT_LE(w, HEATREEL_MAX_THUMBNAIL_SIDE);
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(0);
    ASSERT_TRUE(vy_ts_get_thumbnail_bits_w(kSample, w, h, image.bits()));
    std::set<QRgb> colours;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 255);
            colours.insert(image.pixel(x, y));
        }
    }
    // A coloured scene, not one flat colour.
    EXPECT_GT(colours.size(), 20u);
    image.save("../screens/heatreel-thumbnail.png");
}

TEST(heatreel, requests_other_than_the_thumbnail_size_are_refused)
{
    if (!QFile::exists("samples/sample.irv")) GTEST_SKIP() << "samples were not generated";
    int w = 0, h = 0;
    ASSERT_TRUE(vy_ts_get_thumbnail_bits_w(kSample, w, h, nullptr));
    unsigned char pixel[4];
    for (auto size : {std::pair<int, int>{w + 1, h}, {w, h + 1}, {100000, 100000}, {-1, h}, {0, 0}}) {
        int asked_w = size.first, asked_h = size.second;
        EXPECT_FALSE(vy_ts_get_thumbnail_bits_w(kSample, asked_w, asked_h, pixel));
    }
    EXPECT_FALSE(vy_ts_is_valid_file_w(L"samples/sample.jpg"));
    EXPECT_FALSE(vy_ts_get_thumbnail_bits_w(L"samples/missing.irv", w, h, nullptr));
}

}  // namespace
