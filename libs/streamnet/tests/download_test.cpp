// Download of the camera's recordings: completion, refusal, stall.
#include "camera_fixture.h"
#include "log_watch.h"
#include "temp_folder.h"

#include <fstream>

using namespace streamnet_test;
using streamnet::detail::stream_timing;

TEST_F(CameraTest, downloads_complete_with_the_camera_bytes)
{
    start_camera();
    connect_ir();
    TempFolder folder;
    // Several chunks, exactly one chunk, and a small file.
    for (const auto& file : camsim::CameraSim::recordings()) {
        std::string local = folder.file(file.first);
        ASSERT_TRUE(vy_nvs_download_machine_record_file(stream, file.first.c_str(), local.c_str())) << file.first;
        EXPECT_EQ(TempFolder::read(local), file.second) << file.first;
    }
    EXPECT_EQ(folder.names().size(), 3u);
}

TEST_F(CameraTest, a_refused_download_fails_and_leaves_no_file)
{
    start_camera();
    connect_ir();
    TempFolder folder;
    std::string local = folder.file("missing.ps");
    EXPECT_FALSE(vy_nvs_download_machine_record_file(stream, "missing.ps", local.c_str()));
    EXPECT_TRUE(folder.names().empty());
    // Names that are no plain file names never leave the client.
    uint64_t downloads = camera.stats().downloads;
    for (const char* name : {"../rec_0001.ps", "sub/rec_0001.ps", "..", ""}) {
        EXPECT_FALSE(vy_nvs_download_machine_record_file(stream, name, local.c_str())) << name;
    }
    EXPECT_EQ(camera.stats().downloads, downloads);
}

TEST_F(CameraTest, a_stalled_download_times_out_and_keeps_the_previous_file)
{
    camsim::CamsimOptions options = small_camera();
    options.stall_download = true;
    start_camera(options);
    connect_ir();
    stream_timing().download_idle_ms = 200;
    TempFolder folder;
    std::string local = folder.file("rec.ps");
    {
        std::ofstream previous(local);
        previous << "kept";
    }
    LogWatch log;
    EXPECT_FALSE(vy_nvs_download_machine_record_file(stream, "rec_0001.ps", local.c_str()));
    EXPECT_TRUE(log.saw("download of rec_0001.ps stalled"));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"rec.ps"});
    std::vector<uint8_t> kept = TempFolder::read(local);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "kept");
}

TEST_F(CameraTest, a_silent_camera_fails_the_download_at_the_first_chunk_limit)
{
    start_camera();
    connect_ir();
    stream_timing().download_first_chunk_ms = 200;
    camera.set_answer_delay(60000);
    TempFolder folder;
    LogWatch log;
    EXPECT_FALSE(vy_nvs_download_machine_record_file(stream, "rec_0003.ps", folder.file("r.ps").c_str()));
    EXPECT_TRUE(log.saw("no answer to the download of rec_0003.ps"));
    EXPECT_TRUE(folder.names().empty());
}
