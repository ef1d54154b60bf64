// reelplay over the generated sample recording (tools/make-samples) and
// recordings written here through sensekern.
#include "reelplay.h"

#include "markpen.h"
#include "sensekern.h"
#include "thermframe.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
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

    ASSERT_TRUE(reelplay_seek_frame(p.h, n - 1));
    ASSERT_TRUE(markpen_update([&] { void* q = nullptr; reelplay_get_ir_paint(p.h, q); return q; }(), true, true));
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
    EXPECT_FALSE(reelplay_load_file_w(p.h, wide("samples/sample.jpg")));
    EXPECT_EQ(frame_count(p.h), n);
    std::wstring path;
    ASSERT_TRUE(reelplay_get_file_w(p.h, path));
    EXPECT_EQ(path, wide(kSample));
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
