// reelplay over the generated sample recording (tools/make-samples) and
// recordings written here through sensekern.
#include "reelplay.h"

#include "markpen.h"
#include "sensekern.h"
#include "thermframe.h"
#include "failing_writes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <sys/stat.h>
#include <string>
#include <thread>
#include <vector>

namespace {

const char kSample[] = "samples/sample.irv";

std::wstring wide(const QString& path)
{
    return path.toStdWString();
}

struct Player {
    void* h = nullptr;
    Player() { reelplay_init(h); }
    ~Player()
    {
        if (h != nullptr) reelplay_uninit(h);
    }
    void* doc()
    {
        void* d = nullptr;
        reelplay_get_ir_data(h, d);
        return d;
    }
};

std::string mark_at(void* h, uint32_t frame)
{
    uint16_t length = 0;
    if (!reelplay_get_mark_info(h, frame, length, nullptr)) return "<none>";
    std::vector<unsigned char> text(length + 1u, 0xAA);
    if (!reelplay_get_mark_info(h, frame, length, text.data())) return "<failed>";
    EXPECT_EQ(text[length], 0);
    return std::string(reinterpret_cast<char*>(text.data()), length);
}

uint32_t frame_count(void* h)
{
    uint32_t n = 0;
    reelplay_get_total_frames(h, n);
    return n;
}

TEST(reelplay, sample_recording_plays_with_times_and_marks)
{
    if (!QFile::exists(kSample)) GTEST_SKIP() << "samples were not generated";
    EXPECT_TRUE(reelplay_is_valid_file_w(wide(kSample)));
    Player p;
    ASSERT_TRUE(reelplay_load_file_w(p.h, wide(kSample)));
    const uint32_t n = frame_count(p.h);
    ASSERT_GT(n, 1u);
    tagTimeVal start{}, end{}, second{};
    ASSERT_TRUE(reelplay_get_start_time(p.h, start));
    ASSERT_TRUE(reelplay_get_end_time(p.h, end));
    ASSERT_TRUE(reelplay_get_time_of_frame(p.h, 1, second));
    EXPECT_LT(uint64_t{start.sec} * 1000000 + start.usec, uint64_t{second.sec} * 1000000 + second.usec);
    EXPECT_LE(uint64_t{second.sec} * 1000000 + second.usec, uint64_t{end.sec} * 1000000 + end.usec);

    uint32_t marks = 0;
    ASSERT_TRUE(reelplay_get_marks_count(p.h, marks));
    ASSERT_GT(marks, 0u);
    uint32_t frame = 0;
    uint16_t length = 0;
    ASSERT_TRUE(reelplay_get_mark_info_with_index(p.h, 0, frame, length, nullptr));
    EXPECT_NE(mark_at(p.h, frame), "<none>");
    EXPECT_FALSE(reelplay_get_mark_info_with_index(p.h, marks, frame, length, nullptr));

    void* painter = nullptr;
    ASSERT_TRUE(reelplay_get_ir_paint(p.h, painter));
    for (uint32_t shown : {0u, n / 2, n - 1}) {
        ASSERT_TRUE(reelplay_seek_frame(p.h, shown));
        ASSERT_TRUE(markpen_update(painter, true, true));
        uint16_t w = 0, h = 0;
        ASSERT_TRUE(markpen_get_wnd_size(painter, w, h));
        QImage painted(w, h, QImage::Format_RGB32);
        unsigned int length = static_cast<unsigned int>(painted.sizeInBytes());
        ASSERT_TRUE(markpen_get_bits(painter, painted.bits(), length));
        painted.save(QString("../screens/reelplay-frame-%1.png").arg(shown));
    }
    std::string file;
    ASSERT_TRUE(reelplay_get_file(p.h, file));
    EXPECT_EQ(file, kSample);
}

TEST(reelplay, seek_past_the_end_is_refused_and_the_frame_stays)
{
    if (!QFile::exists(kSample)) GTEST_SKIP() << "samples were not generated";
    Player p;
    ASSERT_TRUE(reelplay_load_file_w(p.h, wide(kSample)));
    const uint32_t n = frame_count(p.h);
    ASSERT_TRUE(reelplay_seek_frame(p.h, 1));
    float before = 0;
    ASSERT_TRUE(thermframe_get_temp_from_position(p.doc(), 3, 3, before));
    for (uint32_t past : {n, n + 1, 0xFFFFFFFFu}) {
        EXPECT_FALSE(reelplay_seek_frame(p.h, past)) << past;
        tagTimeVal t{};
        EXPECT_FALSE(reelplay_get_time_of_frame(p.h, past, t)) << past;
    }
    float after = 0;
    ASSERT_TRUE(thermframe_get_temp_from_position(p.doc(), 3, 3, after));
    EXPECT_EQ(before, after);
}

TEST(reelplay, marks_are_added_changed_deleted_and_kept_beside_the_recording)
{
    if (!QFile::exists(kSample)) GTEST_SKIP() << "samples were not generated";
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.irv");
    ASSERT_TRUE(QFile::copy(kSample, copy));
    const unsigned char text[] = "pump start";
    const unsigned char changed[] = "pump stopped";
    uint32_t original = 0;
    uint32_t free_frame = 0;
    {
        Player p;
        ASSERT_TRUE(reelplay_load_file_w(p.h, wide(copy)));
        ASSERT_TRUE(reelplay_get_marks_count(p.h, original));
        while (mark_at(p.h, free_frame) != "<none>") ++free_frame;
        ASSERT_TRUE(reelplay_add_mark_info(p.h, free_frame, 10, text));
        EXPECT_FALSE(reelplay_add_mark_info(p.h, free_frame, 10, text));
        EXPECT_FALSE(reelplay_add_mark_info(p.h, frame_count(p.h), 10, text));
        EXPECT_FALSE(reelplay_update_mark_info(p.h, free_frame + 1000000, 10, text));
        ASSERT_TRUE(reelplay_update_mark_info(p.h, free_frame, 12, changed));
        EXPECT_EQ(mark_at(p.h, free_frame), "pump stopped");
        // On a full disk a change fails, and neither the file nor the marks
        // shown change.
        const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        ASSERT_EQ(files.size(), 2);
        const QString mark_file = dir.filePath(files.at(0) == "copy.irv" ? files.at(1) : files.at(0));
        QFile before(mark_file);
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QByteArray saved = before.readAll();
        {
            vytest::FailingWrites failing;
            ASSERT_TRUE(failing.ok());
            EXPECT_FALSE(reelplay_update_mark_info(p.h, free_frame, 10, text));
        }
        EXPECT_EQ(mark_at(p.h, free_frame), "pump stopped");
        QFile after(mark_file);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), saved);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), files);
    }
    {
        Player p;
        ASSERT_TRUE(reelplay_load_file_w(p.h, wide(copy)));
        uint32_t count = 0;
        ASSERT_TRUE(reelplay_get_marks_count(p.h, count));
        EXPECT_EQ(count, original + 1);
        EXPECT_EQ(mark_at(p.h, free_frame), "pump stopped");
        ASSERT_TRUE(reelplay_delete_mark_info(p.h, free_frame));
        EXPECT_FALSE(reelplay_delete_mark_info(p.h, free_frame));
    }
    Player p;
    ASSERT_TRUE(reelplay_load_file_w(p.h, wide(copy)));
    uint32_t count = 0;
    ASSERT_TRUE(reelplay_get_marks_count(p.h, count));
    EXPECT_EQ(count, original);
}

TEST(reelplay, a_damaged_or_foreign_mark_file_leaves_the_recordings_own_marks)
{
    if (!QFile::exists(kSample)) GTEST_SKIP() << "samples were not generated";
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.irv");
    const QString other = dir.filePath("other.irv");
    ASSERT_TRUE(QFile::copy(kSample, copy));
    ASSERT_TRUE(QFile::copy(kSample, other));
    uint32_t original = 0;
    {
        Player p;
        ASSERT_TRUE(reelplay_load_file_w(p.h, wide(other)));
        ASSERT_TRUE(reelplay_get_marks_count(p.h, original));
        const unsigned char text[] = "x";
        uint32_t frame = 1;
        while (mark_at(p.h, frame) != "<none>") ++frame;
        ASSERT_TRUE(reelplay_add_mark_info(p.h, frame, 1, text));
    }
    QFile marks(other + ".marks");
    ASSERT_TRUE(marks.open(QIODevice::ReadOnly));
    const QByteArray good = marks.readAll();
    QByteArray flipped = good;
    flipped[30] = static_cast<char>(flipped[30] ^ 0x40);
    // Another recording's file (one byte longer), a damaged one, a cut one.
    QFile longer(copy);
    ASSERT_TRUE(longer.open(QIODevice::Append));
    longer.write("!", 1);
    longer.close();
    for (const QByteArray& bytes : {good, flipped, good.left(good.size() - 3), QByteArray("PVMARKS1")}) {
        QFile f(copy + ".marks");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        Player p;
        ASSERT_TRUE(reelplay_load_file_w(p.h, wide(copy)));
        uint32_t count = 0;
        ASSERT_TRUE(reelplay_get_marks_count(p.h, count));
        EXPECT_EQ(count, original);
    }
    // A named pipe in the mark file's place is not waited on.
    ASSERT_TRUE(QFile::remove(copy + ".marks"));
    ASSERT_EQ(::mkfifo((copy + ".marks").toUtf8().constData(), 0600), 0);
    Player p;
    ASSERT_TRUE(reelplay_load_file_w(p.h, wide(copy)));
    uint32_t count = 0;
    ASSERT_TRUE(reelplay_get_marks_count(p.h, count));
    EXPECT_EQ(count, original);
}

TEST(reelplay, truncated_recording_opens_with_its_whole_frames)
{
    if (!QFile::exists(kSample)) GTEST_SKIP() << "samples were not generated";
    QFile sample(kSample);
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QByteArray bytes = sample.readAll();
    QTemporaryDir dir;
    const QString cut = dir.filePath("cut.irv");
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(bytes.size() * 2 / 3));
    out.close();
    Player whole;
    ASSERT_TRUE(reelplay_load_file_w(whole.h, wide(kSample)));
    EXPECT_TRUE(reelplay_is_valid_file_w(wide(cut)));
    Player p;
    ASSERT_TRUE(reelplay_load_file_w(p.h, wide(cut)));
    const uint32_t n = frame_count(p.h);
    EXPECT_GT(n, 0u);
    EXPECT_LT(n, frame_count(whole.h));
    EXPECT_TRUE(reelplay_seek_frame(p.h, n - 1));
}

TEST(reelplay, refused_files_leave_the_open_recording)
{
    if (!QFile::exists(kSample)) GTEST_SKIP() << "samples were not generated";
    QTemporaryDir dir;
    // A complete recording of no frames.
    const QString none = dir.filePath("none.irv");
    {
        Player source;
        ASSERT_TRUE(reelplay_load_file_w(source.h, wide(kSample)));
        void* record = nullptr;
        std::wstring path = wide(none);
        ASSERT_TRUE(thermframe_start_record_w(source.doc(), path, record));
        ASSERT_TRUE(thermframe_stop_record(source.doc(), record, 0, nullptr));
    }
    EXPECT_FALSE(reelplay_is_valid_file_w(wide(none)));
    const QString empty = dir.filePath("empty.irv");
    QFile f(empty);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(reelplay_is_valid_file_w(wide(empty)));
    EXPECT_FALSE(reelplay_is_valid_file_w(wide("samples/sample.jpg")));
    Player p;
    ASSERT_TRUE(reelplay_load_file_w(p.h, wide(kSample)));
    const uint32_t n = frame_count(p.h);
    EXPECT_FALSE(reelplay_load_file_w(p.h, wide(empty)));
    EXPECT_FALSE(reelplay_load_file_w(p.h, wide(none)));
    EXPECT_FALSE(reelplay_load_file_w(p.h, wide("samples/sample.jpg")));
    EXPECT_EQ(frame_count(p.h), n);
    std::wstring path;
    ASSERT_TRUE(reelplay_get_file_w(p.h, path));
    EXPECT_EQ(path, wide(kSample));
}

TEST(reelplay, new_parameters_stay_from_frame_to_frame_when_the_stored_ones_are_off)
{
    if (!QFile::exists(kSample)) GTEST_SKIP() << "samples were not generated";
    Player p;
    ASSERT_TRUE(reelplay_load_file_w(p.h, wide(kSample)));
    float recorded = 0;
    ASSERT_TRUE(thermframe_get_emiss(p.doc(), recorded));
    ASSERT_TRUE(reelplay_seek_frame(p.h, 150));
    uint16_t x = 0, y = 0, ad = 0;
    float before = 0;
    ASSERT_TRUE(thermframe_get_max_temp(p.doc(), x, y, ad, before));
    ASSERT_TRUE(reelplay_set_use_temperature_para(p.h, false));
    // The recording stores its calibration model: its frames take new parameters.
    ASSERT_TRUE(thermframe_set_emiss(p.doc(), 0.6f));
    ASSERT_TRUE(reelplay_seek_frame(p.h, 10));
    ASSERT_TRUE(reelplay_seek_frame(p.h, 150));
    float e = 0, after = 0;
    ASSERT_TRUE(thermframe_get_emiss(p.doc(), e));
    EXPECT_FLOAT_EQ(e, 0.6f);
    ASSERT_TRUE(thermframe_get_temp_from_position(p.doc(), x, y, after));
    EXPECT_GT(after, before + 1.0f);
    ASSERT_TRUE(reelplay_set_use_temperature_para(p.h, true));
    ASSERT_TRUE(reelplay_seek_frame(p.h, 150));
    ASSERT_TRUE(thermframe_get_emiss(p.doc(), e));
    EXPECT_FLOAT_EQ(e, recorded);
    ASSERT_TRUE(thermframe_get_temp_from_position(p.doc(), x, y, after));
    EXPECT_FLOAT_EQ(after, before);
}

TEST(reelplay, current_frame_saves_as_a_radiometric_picture)
{
    if (!QFile::exists(kSample)) GTEST_SKIP() << "samples were not generated";
    QTemporaryDir dir;
    Player p;
    ASSERT_TRUE(reelplay_load_file_w(p.h, wide(kSample)));
    ASSERT_TRUE(reelplay_seek_frame(p.h, 120));
    float t = 0;
    ASSERT_TRUE(thermframe_get_temp_from_position(p.doc(), 40, 30, t));
    for (const char* name : {"frame.jpg", "frame.png"}) {
        const QString target = dir.filePath(name);
        ASSERT_TRUE(QString(name).endsWith("png") ? reelplay_save_png_file_w(p.h, wide(target), true, true)
                                                  : reelplay_save_jpg_file_w(p.h, wide(target), true, true));
        void* frame = nullptr;
        ASSERT_TRUE(sensekern_init(&frame));
        EXPECT_TRUE(sensekern_load_picture_file(frame, target.toUtf8().constData())) << name;
        uint16_t ad = 0;
        float reread = 0;
        EXPECT_TRUE(sensekern_get_temperature_and_ad_from_position(frame, 40, 30, &ad, &reread));
        EXPECT_FLOAT_EQ(reread, t) << name;
        sensekern_uninit(&frame);
    }
    Player closed;
    EXPECT_FALSE(reelplay_save_jpg_file_w(closed.h, wide(dir.filePath("none.jpg")), true, true));
}

TEST(reelplay, two_threads_seek_and_read_one_player)
{
    if (!QFile::exists(kSample)) GTEST_SKIP() << "samples were not generated";
    Player p;
    ASSERT_TRUE(reelplay_load_file_w(p.h, wide(kSample)));
    const uint32_t n = frame_count(p.h);
    std::atomic<int> failures{0};
    auto run = [&](uint32_t step) {
        for (uint32_t i = 0; i < 60; ++i) {
            const uint32_t frame = (i * step) % n;
            tagTimeVal t{};
            uint16_t length = 0;
            float temperature = 0;
            if (!reelplay_seek_frame(p.h, frame) || !reelplay_get_time_of_frame(p.h, frame, t) ||
                !thermframe_get_temp_from_position(p.doc(), 5, 5, temperature)) {
                ++failures;
            }
            reelplay_get_mark_info(p.h, frame, length, nullptr);
        }
    };
    std::thread a(run, 7);
    std::thread b(run, 13);
    a.join();
    b.join();
    EXPECT_EQ(failures.load(), 0);
}

}  // namespace
