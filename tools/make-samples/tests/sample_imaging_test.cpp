// The generated samples (make-samples) coloured by each imaging computation
// of palettor: every one must show the scene's structure, not one colour.
// The pictures go to build/screens/samples-<picture>-<computation>.png.
#include "palettor.h"
#include "sensekern.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

struct Computation {
    const char* name;
    int32_t algorithm;  // 0 linear, 1 histogram
    int32_t type;       // 0 automatic, 1 manual, 255 fire-fighting
};

const Computation kComputations[] = {
    {"manual", 0, PALETTOR_IMAGING_MANUAL},
    {"automatic", 0, PALETTOR_IMAGING_AUTO},
    {"histogram", 1, PALETTOR_IMAGING_AUTO},
    {"fire", 0, PALETTOR_IMAGING_FIRE_FIGHTING},
};

struct Plane {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint16_t> ad;
};

bool read_plane(const char* path, Plane* out)
{
    void* frame = nullptr;
    if (!sensekern_init(&frame)) return false;
    SensekernFileKind kind = SENSEKERN_FILE_PLAIN;
    bool ok = sensekern_probe_file(frame, path, &kind) && kind != SENSEKERN_FILE_PLAIN &&
              (kind == SENSEKERN_FILE_RADIOMETRIC ? sensekern_load_picture_file(frame, path)
                                                  : sensekern_load_national_grid_file(frame, path)) &&
              sensekern_get_resolution(frame, &out->width, &out->height);
    uint32_t count = static_cast<uint32_t>(out->width) * out->height;
    out->ad.resize(count);
    ok = ok && sensekern_get_ad_frame(frame, out->ad.data(), &count);
    sensekern_uninit(&frame);
    return ok;
}

QImage colour(const Plane& p, const Computation& c)
{
    void* h = nullptr;
    QImage image(p.width, p.height, QImage::Format_RGB32);
    EXPECT_TRUE(palettor_init(&h, false));
    EXPECT_TRUE(palettor_enable_image_process(h, false));
    EXPECT_TRUE(palettor_set_algorithm_mode(h, c.algorithm));
    EXPECT_TRUE(vy_set_imaging_type(h, c.type));
    if (c.type == PALETTOR_IMAGING_FIRE_FIGHTING) {
        EXPECT_TRUE(palettor_set_fire_fighting(h, true));
    }
    tagPAD max{}, min{};
    uint16_t avg = 0;
    EXPECT_TRUE(palettor_calc_max_min_avg_of_ad(h, p.ad.data(), p.width, p.height, 0, 0, p.width - 1, p.height - 1,
                                                &max, &min, &avg));
    if (c.type == PALETTOR_IMAGING_MANUAL) {
        // Level and span on the body of the scene, as a thermographer sets them.
        std::vector<uint16_t> sorted = p.ad;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_TRUE(palettor_set_range(h, sorted[sorted.size() / 50], sorted[sorted.size() * 49 / 50]));
    } else if (c.type == PALETTOR_IMAGING_FIRE_FIGHTING) {
        // The fire-fighting range is fixed by the camera; here the picture's span.
        EXPECT_TRUE(palettor_set_range(h, min.ad, max.ad));
    }
    EXPECT_TRUE(palettor_calc_pal_no_of_ad(h));
    EXPECT_TRUE(palettor_ad_to_pixel(h, p.ad.data(), p.width, p.height, 0, 0, p.width - 1, p.height - 1,
                                     reinterpret_cast<uint32_t*>(image.bits()), false));
    palettor_uninit(&h);
    return image;
}

class SampleImaging : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleImaging, every_computation_shows_the_structure)
{
    const std::string path = std::string("samples/") + GetParam();
    if (!QFile::exists(QString::fromStdString(path))) GTEST_SKIP() << "samples were not generated";
    Plane plane;
    ASSERT_TRUE(read_plane(path.c_str(), &plane));
    for (const Computation& c : kComputations) {
        SCOPED_TRACE(c.name);
        const QImage image = colour(plane, c);
        std::map<QRgb, int> colours;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                ++colours[row[x] & 0xFFFFFFu];
            }
        }
        int largest = 0;
        for (const auto& entry : colours) {
            largest = std::max(largest, entry.second);
        }
        const int pixels = image.width() * image.height();
        // Many colours, and none that covers most of the picture.
        EXPECT_GT(colours.size(), 40u);
        EXPECT_LT(largest, pixels / 3);
        std::string name = GetParam();
        std::replace(name.begin(), name.end(), '.', '_');
        image.save(QString::fromStdString("../screens/samples-" + name + "-" + c.name + ".png"));
    }
}

INSTANTIATE_TEST_SUITE_P(pictures, SampleImaging,
                         ::testing::Values("sample.jpg", "sample.png", "sample_wall.jpg", "sample_sgcc.jpg"));

}  // namespace
