// picfold over the generated sample pictures (tools/make-samples).
#include "picfold.h"

#include "markpen.h"
#include "tempcore.h"
#include "thermframe.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring wide(const QString& path)
{
    return path.toStdWString();
}

struct Handle {
    void* h = nullptr;
    Handle() { picfold_init(h); }
    ~Handle()
    {
        if (h != nullptr) picfold_uninit(h);
    }
    void* doc()
    {
        void* d = nullptr;
        picfold_get_ir_data(h, d);
        return d;
    }
    void* painter()
    {
        void* p = nullptr;
        picfold_get_ir_paint(h, p);
        return p;
    }
};

std::string anas_of(void* doc)
{
    std::string all;
    for (AnaType type : {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE}) {
        int32_t count = 0;
        thermframe_get_anas_count(doc, type, count);
        for (int32_t i = 0; i < count; ++i) {
            std::string text;
            thermframe_get_ana(doc, type, i, text);
            all += text;
        }
    }
    return all;
}

struct SampleCase {
    const char* file;
    bool sgcc;
    int stored_objects;
};

class PicfoldSample : public ::testing::TestWithParam<SampleCase> {};

TEST_P(PicfoldSample, loads_with_document_painter_and_stored_objects)
{
    const SampleCase c = GetParam();
    const QString path = QString("samples/") + c.file;
    if (!QFile::exists(path)) GTEST_SKIP() << "samples were not generated";
    Handle p;
    ASSERT_NE(p.h, nullptr);
    ASSERT_TRUE(picfold_load_file_w(p.h, wide(path), true));
    bool sgcc = !c.sgcc;
    ASSERT_TRUE(picfold_is_sgcc_file(p.h, sgcc));
    EXPECT_EQ(sgcc, c.sgcc);
    uint16_t w = 0, h = 0;
    ASSERT_TRUE(thermframe_get_resolution(p.doc(), w, h));
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 512);
    int32_t count = -1;
    ASSERT_TRUE(thermframe_get_anas_count(p.doc(), ANA_ALL, count));
    EXPECT_EQ(count, c.stored_objects);
    std::string stored;
    ASSERT_TRUE(picfold_get_anas_saved_in_file(p.h, stored));
    EXPECT_EQ(stored.empty(), c.stored_objects == 0);
    // The painter draws the loaded picture at its size.
    ASSERT_TRUE(markpen_update(p.painter(), true, true));
    unsigned int length = 0;
    ASSERT_TRUE(markpen_get_bits(p.painter(), nullptr, length));
    EXPECT_EQ(length, 640u * 512u * 4u);
    QImage painted(640, 512, QImage::Format_RGB32);
    ASSERT_TRUE(markpen_get_bits(p.painter(), painted.bits(), length));
    painted.save(QString("../screens/picfold-") + QString(c.file).replace('.', '_') + ".png");
}

INSTANTIATE_TEST_SUITE_P(kinds, PicfoldSample,
                         ::testing::Values(SampleCase{"sample.jpg", false, 6}, SampleCase{"sample.png", false, 6},
                                           SampleCase{"sample_sgcc.jpg", true, 0}));

TEST(picfold, stored_alias_and_storage_time_come_back)
{
    if (!QFile::exists("samples/sample.jpg")) GTEST_SKIP() << "samples were not generated";
    Handle p;
    ASSERT_TRUE(picfold_load_file_w(p.h, wide("samples/sample.jpg"), true));
    void* ana = nullptr;
    ASSERT_TRUE(thermframe_get_ana_handle_from_alias(p.doc(), "hot spot", ana));
    std::string time;
    ASSERT_TRUE(picfold_get_storage_time(p.h, time));
    EXPECT_EQ(time.size(), 14u);
    EXPECT_EQ(time.substr(0, 6), "202603");
}

TEST(picfold, plain_picture_is_refused_and_the_loaded_one_stays)
{
    if (!QFile::exists("samples/sample.jpg")) GTEST_SKIP() << "samples were not generated";
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.jpg");
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::gray);
    ASSERT_TRUE(image.save(plain, "JPG"));
    Handle p;
    ASSERT_TRUE(picfold_load_file_w(p.h, wide("samples/sample.jpg"), true));
    EXPECT_FALSE(picfold_load_file_w(p.h, wide(plain), true));
    EXPECT_FALSE(picfold_load_file_w(p.h, wide(dir.filePath("missing.jpg")), true));
    EXPECT_FALSE(picfold_load_file_w(p.h, std::wstring(L"a\0b", 3), true));
    uint16_t w = 0, h = 0;
    ASSERT_TRUE(thermframe_get_resolution(p.doc(), w, h));
    EXPECT_EQ(w, 640);
    int32_t count = 0;
    thermframe_get_anas_count(p.doc(), ANA_ALL, count);
    EXPECT_EQ(count, 6);
}

TEST(picfold, nothing_loaded_answers_false)
{
    Handle p;
    bool sgcc = true;
    std::string text;
    EXPECT_FALSE(picfold_is_sgcc_file(p.h, sgcc));
    EXPECT_FALSE(picfold_get_storage_time(p.h, text));
    EXPECT_FALSE(picfold_add_anas_saved_in_file(p.h));
    EXPECT_FALSE(picfold_save_jpg_file_w(p.h, L"/tmp/never.jpg", text, true, true));
    EXPECT_NE(p.doc(), nullptr);
    void* freed = p.h;
    ASSERT_TRUE(picfold_uninit(p.h));
    EXPECT_EQ(p.h, nullptr);
    EXPECT_FALSE(picfold_uninit(freed));
    EXPECT_FALSE(picfold_is_sgcc_file(freed, sgcc));
}

TEST(picfold, view_changes_of_the_document_reach_the_painter)
{
    if (!QFile::exists("samples/sample.jpg")) GTEST_SKIP() << "samples were not generated";
    Handle p;
    ASSERT_TRUE(picfold_load_file_w(p.h, wide("samples/sample.jpg"), true));
    ASSERT_TRUE(thermframe_set_wnd_show_resolution(p.doc(), 320, 256));
    uint16_t w = 0, h = 0;
    ASSERT_TRUE(markpen_get_wnd_size(p.painter(), w, h));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 256);
    ASSERT_TRUE(thermframe_set_rotation_angle(p.doc(), ROTATION_90));
    RotationAngle angle = ROTATION_NONE;
    ASSERT_TRUE(markpen_get_rotation_angle(p.painter(), angle));
    EXPECT_EQ(angle, ROTATION_90);
    ASSERT_TRUE(thermframe_set_zoom_factor(p.doc(), static_cast<ImageZoomFactor>(2)));
    ImageZoomFactor zoom{};
    ASSERT_TRUE(markpen_get_zoom_factor(p.painter(), zoom));
    EXPECT_EQ(static_cast<int>(zoom), 2);
}

TEST(picfold, saved_picture_reloads_with_objects_alias_and_temperatures)
{
    QTemporaryDir dir;
    for (const char* name : {"sample.jpg", "sample.png"}) {
        const QString source = QString("samples/") + name;
        if (!QFile::exists(source)) GTEST_SKIP() << "samples were not generated";
        const QString target = dir.filePath(name);
        Handle p;
        ASSERT_TRUE(picfold_load_file_w(p.h, wide(source), true));
        ASSERT_TRUE(thermframe_add_ana(p.doc(), "R:10,10;60,40;-"));
        ASSERT_TRUE(thermframe_ana_set_line_clr(p.doc(), "R:10,10;60,40;-", 0x123456u));
        float before = 0;
        ASSERT_TRUE(thermframe_get_temp_from_position(p.doc(), 448, 179, before));
        const std::string objects = anas_of(p.doc());
        const bool png = QString(name).endsWith("png");
        std::string text = "N 1 E 2";
        ASSERT_TRUE(png ? picfold_save_png_file_w(p.h, wide(target), text, true, true)
                        : picfold_save_jpg_file_w(p.h, wide(target), text, true, true));

        Handle q;
        ASSERT_TRUE(picfold_load_file_w(q.h, wide(target), true)) << name;
        EXPECT_EQ(anas_of(q.doc()), objects) << name;
        uint32_t colour = 0;
        ASSERT_TRUE(thermframe_ana_get_line_clr(q.doc(), "R:10,10;60,40;-", colour));
        EXPECT_EQ(colour, 0x123456u);
        void* ana = nullptr;
        EXPECT_TRUE(thermframe_get_ana_handle_from_alias(q.doc(), "hot spot", ana)) << name;
        float after = 0;
        ASSERT_TRUE(thermframe_get_temp_from_position(q.doc(), 448, 179, after));
        EXPECT_FLOAT_EQ(after, before) << name;
    }
}

// The temperature tempcore's model gives for an AD of the picture's
// detector, computed here from the calibration data file with the lens,
// range, sensor readings and parameters the document reports.
float model_temperature(void* doc, uint16_t ad)
{
    tagLenInfo lens{};
    float s[5] = {};
    float e = 0, d = 0, ambient = 0, humidity = 0, modify = 0, reference = 0;
    if (!thermframe_get_cur_len_range_info(doc, &lens) ||
        !thermframe_get_sensor_temp(doc, &s[0], &s[1], &s[2], &s[3], &s[4], nullptr, nullptr, nullptr) ||
        !thermframe_get_emiss(doc, e) || !thermframe_get_dist(doc, d) || !thermframe_get_env_temp(doc, ambient) ||
        !thermframe_get_rel_hum(doc, humidity) || !thermframe_get_modify_temp(doc, modify) ||
        !thermframe_get_enviroment_reference_temperature(doc, reference)) {
        return -1000.0f;
    }
    void* engine = nullptr;
    int environment = 0;
    float t = -1000.0f;
    if (vy_at_init(&engine) && vy_at_load_calibrate_data_from_file(engine, "ad_temp") &&
        vy_at_set_len_type_and_meas_range(engine, static_cast<LenType>(lens.len_type),
                                          static_cast<MeasRange>(lens.ranges[0].meas_range)) &&
        vy_at_update_temperature_sensor(engine, s[0], s[1], s[2], s[3], s[4], &environment) &&
        vy_at_calc_base_temp(engine) &&
        vy_at_set_temperature_para(engine, 0, e, d, ambient, humidity, modify, reference)) {
        vy_at_get_temperature_from_ad(engine, &ad, 1, &t);
    }
    vy_at_uninit(&engine);
    return t;
}

TEST(picfold, new_parameters_give_the_temperatures_of_the_model_and_are_saved)
{
    QTemporaryDir dir;
    for (const char* name : {"sample.jpg", "sample.png", "sample_sgcc.jpg"}) {
        const QString source = QString("samples/") + name;
        if (!QFile::exists(source)) GTEST_SKIP() << "samples were not generated";
        const bool sgcc = QString(name).contains("sgcc");
        Handle p;
        ASSERT_TRUE(picfold_load_file_w(p.h, wide(source), true));
        uint16_t x = 0, y = 0, ad = 0;
        float stored = 0;
        ASSERT_TRUE(thermframe_get_max_temp(p.doc(), x, y, ad, stored));
        EXPECT_NEAR(stored, model_temperature(p.doc(), ad), 0.01f) << name;

        ASSERT_TRUE(thermframe_set_emiss(p.doc(), 0.70f)) << name;
        ASSERT_TRUE(thermframe_set_dist(p.doc(), 12.0f));
        ASSERT_TRUE(thermframe_set_env_temp(p.doc(), 5.0f));
        float changed = 0;
        ASSERT_TRUE(thermframe_get_temp_from_position(p.doc(), x, y, changed));
        EXPECT_NEAR(changed, model_temperature(p.doc(), ad), 0.01f) << name;
        // A lower emissivity makes a hot object hotter than it looked.
        EXPECT_GT(changed, stored + 1.0f) << name;

        const QString target = dir.filePath(name);
        const std::string text;
        std::string time;
        ASSERT_TRUE(picfold_get_storage_time(p.h, time)) << name;
        if (sgcc) {
            ASSERT_TRUE(markpen_save_sgcc_file_w(p.painter(), wide(target), time, text));
        } else {
            ASSERT_TRUE(QString(name).endsWith("png") ? picfold_save_png_file_w(p.h, wide(target), text, true, true)
                                                      : picfold_save_jpg_file_w(p.h, wide(target), text, true, true));
        }
        Handle q;
        ASSERT_TRUE(picfold_load_file_w(q.h, wide(target), true));
        bool reloaded_sgcc = !sgcc;
        ASSERT_TRUE(picfold_is_sgcc_file(q.h, reloaded_sgcc));
        EXPECT_EQ(reloaded_sgcc, sgcc);
        std::string reloaded_time;
        ASSERT_TRUE(picfold_get_storage_time(q.h, reloaded_time));
        EXPECT_EQ(reloaded_time, time);
        float e = 0, d = 0, reread = 0;
        ASSERT_TRUE(thermframe_get_emiss(q.doc(), e));
        ASSERT_TRUE(thermframe_get_dist(q.doc(), d));
        EXPECT_FLOAT_EQ(e, 0.70f);
        EXPECT_FLOAT_EQ(d, 12.0f);
        ASSERT_TRUE(thermframe_get_temp_from_position(q.doc(), x, y, reread));
        EXPECT_FLOAT_EQ(reread, changed) << name;
        // The reloaded picture is re-measurable too: back to the first parameters.
        ASSERT_TRUE(thermframe_set_emiss(q.doc(), 0.95f));
        ASSERT_TRUE(thermframe_set_dist(q.doc(), 3.0f));
        ASSERT_TRUE(thermframe_set_env_temp(q.doc(), 22.0f));
        ASSERT_TRUE(thermframe_get_temp_from_position(q.doc(), x, y, reread));
        EXPECT_NEAR(reread, model_temperature(q.doc(), ad), 0.01f) << name;
    }
}

TEST(picfold, picture_reopens_with_its_palette_and_range_when_asked)
{
    if (!QFile::exists("samples/sample.jpg")) GTEST_SKIP() << "samples were not generated";
    QTemporaryDir dir;
    const QString target = dir.filePath("gray.jpg");
    {
        Handle p;
        ASSERT_TRUE(picfold_load_file_w(p.h, wide("samples/sample.jpg"), true));
        ASSERT_TRUE(thermframe_set_palette(p.doc(), PAL_GRAY));
        ASSERT_TRUE(thermframe_set_imaging_range(p.doc(), 15000, 19000));
        ASSERT_TRUE(picfold_save_jpg_file_w(p.h, wide(target), std::string(), true, true));
    }
    Handle p;
    PALETTE palette = PAL_IRON;
    uint16_t low = 0, high = 0;
    ASSERT_TRUE(picfold_load_file_w(p.h, wide(target), true));
    ASSERT_TRUE(thermframe_get_palette(p.doc(), palette));
    ASSERT_TRUE(thermframe_get_imaging_range(p.doc(), low, high));
    EXPECT_EQ(palette, PAL_GRAY);
    EXPECT_EQ(low, 15000);
    EXPECT_EQ(high, 19000);
    // Without the view the document keeps what it shows.
    ASSERT_TRUE(thermframe_set_palette(p.doc(), PAL_RAINBOW));
    ASSERT_TRUE(picfold_load_file_w(p.h, wide(target), false));
    ASSERT_TRUE(thermframe_get_palette(p.doc(), palette));
    EXPECT_EQ(palette, PAL_RAINBOW);
}

TEST(picfold, stored_parameters_on_or_off)
{
    if (!QFile::exists("samples/sample.jpg")) GTEST_SKIP() << "samples were not generated";
    Handle p;
    ASSERT_TRUE(picfold_load_file_w(p.h, wide("samples/sample.jpg"), true));
    float stored = 0;
    ASSERT_TRUE(thermframe_get_emiss(p.doc(), stored));
    ASSERT_TRUE(thermframe_set_emiss(p.doc(), 0.5f));
    // Off: the document's parameters carry over to the next picture.
    ASSERT_TRUE(picfold_set_use_temperature_para(p.h, false));
    ASSERT_TRUE(picfold_load_file_w(p.h, wide("samples/sample.png"), true));
    float e = 0;
    ASSERT_TRUE(thermframe_get_emiss(p.doc(), e));
    EXPECT_FLOAT_EQ(e, 0.5f);
    // On: the picture's own parameters come back at once.
    ASSERT_TRUE(picfold_set_use_temperature_para(p.h, true));
    ASSERT_TRUE(thermframe_get_emiss(p.doc(), e));
    EXPECT_FLOAT_EQ(e, stored);
}

std::vector<unsigned char> user_data_of(void* doc)
{
    uint32_t length = 0;
    std::vector<unsigned char> bytes;
    if (thermframe_get_user_data(doc, nullptr, length) && length > 0) {
        bytes.resize(length);
        thermframe_get_user_data(doc, bytes.data(), length);
    }
    return bytes;
}

// The user data and voice note stored with a picture reach the document, so
// a picture saved again keeps them.
TEST(picfold, stored_user_data_and_voice_note_survive_saving_again)
{
    QTemporaryDir dir;
    for (const char* name : {"sample.jpg", "sample.png"}) {
        const QString source = QString("samples/") + name;
        if (!QFile::exists(source)) GTEST_SKIP() << "samples were not generated";
        Handle p;
        ASSERT_TRUE(picfold_load_file_w(p.h, wide(source), true));
        const std::vector<unsigned char> user = user_data_of(p.doc());
        ASSERT_FALSE(user.empty()) << name;
        uint32_t sound = 0;
        ASSERT_TRUE(thermframe_get_sound_data(p.doc(), nullptr, sound));
        const QString target = dir.filePath(name);
        std::string text;
        ASSERT_TRUE(QString(name).endsWith("png") ? picfold_save_png_file_w(p.h, wide(target), text, true, true)
                                                  : picfold_save_jpg_file_w(p.h, wide(target), text, true, true));
        Handle q;
        ASSERT_TRUE(picfold_load_file_w(q.h, wide(target), true));
        EXPECT_EQ(user_data_of(q.doc()), user) << name;
        uint32_t sound_again = 0;
        ASSERT_TRUE(thermframe_get_sound_data(q.doc(), nullptr, sound_again));
        EXPECT_EQ(sound_again, sound) << name;
    }
}

}  // namespace
