// The local recorder: key-frame start, roll-over and its names, failing writes.
#include "file_record.h"

#include "camera_packets.h"
#include "log_watch.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using streamnet::detail::FileRecord;
using streamnet_test::TempFolder;

namespace {

std::vector<uint8_t> frame(bool key, std::size_t picture_size, uint8_t fill)
{
    std::vector<uint8_t> picture(picture_size, fill);
    return camsim::video_frame(key, picture.data(), picture.size());
}

}  // namespace

TEST(file_record, recording_starts_only_at_a_key_frame)
{
    TempFolder folder;
    FileRecord recorder;
    streamnet_test::LogWatch log;
    ASSERT_TRUE(recorder.start_record(folder.file("rec.ps").c_str()));

    std::vector<uint8_t> key = frame(true, 10, 1);
    std::vector<uint8_t> short_key(key.begin(), key.begin() + 23);
    EXPECT_FALSE(recorder.record_one_frame(short_key.data(), short_key.size()));
    EXPECT_TRUE(log.saw("frame length less than 24"));
    std::vector<uint8_t> other = frame(false, 40, 2);
    EXPECT_FALSE(recorder.record_one_frame(other.data(), other.size()));
    EXPECT_TRUE(log.saw("first frame is not i frame"));
    EXPECT_FALSE(recorder.record_one_frame(other.data(), 3));

    // Exactly 24 bytes with both start codes is a key frame.
    std::vector<uint8_t> minimal(key.begin(), key.begin() + 24);
    EXPECT_TRUE(recorder.record_one_frame(minimal.data(), minimal.size()));
    EXPECT_TRUE(recorder.record_one_frame(other.data(), other.size()));
    EXPECT_TRUE(recorder.stop_record());
    EXPECT_FALSE(recorder.stop_record());

    std::vector<uint8_t> expected = minimal;
    expected.insert(expected.end(), other.begin(), other.end());
    EXPECT_EQ(TempFolder::read(folder.file("rec.ps")), expected);
    EXPECT_FALSE(recorder.record_one_frame(key.data(), key.size()));
}

TEST(file_record, roll_over_names_the_next_part_after_the_file_name)
{
    struct Case {
        const char* base;
        const char* part2;
    };
    const Case cases[] = {
        {"record.ps", "record_2.ps"},
        {"/data/cam.1/record", "/data/cam.1/record_2"},
        {"/data/cam.1/rec.tar.ps", "/data/cam.1/rec.tar_2.ps"},
        {"record", "record_2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileRecord::part_path(c.base, 2), c.part2) << c.base;
    }
}

TEST(file_record, a_full_file_rolls_over_and_the_next_starts_at_a_key_frame)
{
    TempFolder folder;
    std::vector<uint8_t> key = frame(true, 60, 1);
    std::vector<uint8_t> other = frame(false, 60, 2);
    // The limit is reached by the key frame and one more.
    FileRecord recorder(static_cast<int64_t>(key.size() + other.size()));
    ASSERT_TRUE(recorder.start_record(folder.file("rec.ps").c_str()));
    ASSERT_TRUE(recorder.record_one_frame(key.data(), key.size()));
    ASSERT_TRUE(recorder.record_one_frame(other.data(), other.size()));
    // The first file is full: this frame goes to rec_1.ps, which needs a key frame.
    EXPECT_FALSE(recorder.record_one_frame(other.data(), other.size()));
    EXPECT_TRUE(recorder.record_one_frame(key.data(), key.size()));
    EXPECT_TRUE(recorder.stop_record());

    std::vector<std::string> names = folder.names();
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names, (std::vector<std::string>{"rec.ps", "rec_1.ps"}));
    EXPECT_EQ(TempFolder::read(folder.file("rec.ps")).size(), key.size() + other.size());
    EXPECT_EQ(TempFolder::read(folder.file("rec_1.ps")), key);
}

TEST(file_record, a_failing_disk_stops_the_recording_after_bounded_failures)
{
    FileRecord recorder;
    streamnet_test::LogWatch log;
    // Every write to this device fails for lack of space.
    ASSERT_TRUE(recorder.start_record("/dev/full"));
    std::vector<uint8_t> key = frame(true, 100, 1);
    EXPECT_FALSE(recorder.record_one_frame(key.data(), key.size()));
    EXPECT_TRUE(log.saw("recording stopped"));
    // The recorder closed its file: nothing more is taken until a new start.
    EXPECT_FALSE(recorder.record_one_frame(key.data(), key.size()));
    EXPECT_FALSE(recorder.stop_record());
}

TEST(file_record, refuses_a_null_path_and_an_unopenable_one)
{
    FileRecord recorder;
    EXPECT_FALSE(recorder.start_record(nullptr));
    EXPECT_FALSE(recorder.start_record("/nonexistent-folder/rec.ps"));
}
