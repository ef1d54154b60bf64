// picfold over the generated sample pictures (tools/make-samples).
#include "picfold.h"

#include "markpen.h"
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
