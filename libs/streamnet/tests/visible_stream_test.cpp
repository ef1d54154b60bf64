// The visible-light stream against the simulated camera.
#include "camera_fixture.h"

#include "stream_timing.h"

#include <cstring>

using namespace streamnet_test;
using streamnet::detail::stream_timing;

namespace {

int32_t cut_file_status(void* stream, uint32_t* length, void* out)
{
    int32_t status = 0;
    EXPECT_TRUE(vy_nvs_get_vi_ir_cut_file(stream, &status, length, out));
    return status;
}

}  // namespace

// The visible link is one ordered stream: once a frame the camera sent after
// its calibration answer has arrived, the answer has been taken in.
static void wait_for_calibration_answer(camsim::CameraSim& camera, Delivered& delivered)
{
    ASSERT_TRUE(camera.wait_for([](const camsim::CamsimStats& s) { return s.answers >= 1; }));
    const int sent = static_cast<int>(camera.stats().frames);
    ASSERT_TRUE(delivered.wait([&] { return delivered.typed_frames >= sent + 1; }));
}

TEST_F(CameraTest, visible_stream_fetches_its_calibration_file_and_video)
{
    stream_timing().visible_keep_alive_ms = 20;
    start_camera();
    ASSERT_TRUE(vy_nvs_init(&stream, NVS_STREAM_VISIBLE));
    ASSERT_TRUE(vy_nvs_set_cb_one_frame_received_with_type(stream, Delivered::on_typed_frame, &delivered));
    ASSERT_TRUE(vy_nvs_connect(stream, camera.address().c_str(), Delivered::on_link, &delivered));
    // Connecting again while connected is refused on this kind of stream.
    EXPECT_FALSE(vy_nvs_connect(stream, camera.address().c_str(), Delivered::on_link, &delivered));

    ASSERT_TRUE(delivered.wait([&] { return delivered.typed_frames >= 3; }));
    ASSERT_TRUE(camera.wait_for([](const camsim::CamsimStats& s) { return s.visible_keep_alives >= 2; }));
    wait_for_calibration_answer(camera, delivered);
    uint32_t length = 0;
    int32_t status = cut_file_status(stream, &length, nullptr);
    ASSERT_EQ(status, NVS_CUT_FILE_COPIED);
    ASSERT_GT(length, 10u);
    std::vector<char> file(length);
    uint32_t small = length - 1;
    EXPECT_EQ(cut_file_status(stream, &small, file.data()), NVS_CUT_FILE_NO_ROOM);
    EXPECT_EQ(small, length);
    EXPECT_EQ(cut_file_status(stream, &length, file.data()), NVS_CUT_FILE_COPIED);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 11), "vi-ir regis");

    // Only the visible operations exist here.
    uint16_t width = 0;
    uint16_t height = 0;
    EXPECT_TRUE(vy_nvs_get_resolution(stream, &width, &height));
    EXPECT_EQ(width, 1920);
    EXPECT_EQ(height, 1080);
    bool flag = false;
    EXPECT_FALSE(vy_nvs_get_temperature_overlay_video_flag(stream, &flag));
    EXPECT_FALSE(vy_nvs_laser_on(stream));
}

TEST_F(CameraTest, visible_stream_reports_a_camera_without_calibration_file)
{
    camsim::CamsimOptions options = small_camera();
    options.cut_file = false;
    start_camera(options);
    ASSERT_TRUE(vy_nvs_init(&stream, NVS_STREAM_VISIBLE));
    uint32_t length = 5;
    EXPECT_EQ(cut_file_status(stream, &length, nullptr), NVS_CUT_FILE_NOT_YET);
    EXPECT_EQ(length, 0u);
    ASSERT_TRUE(vy_nvs_set_cb_one_frame_received_with_type(stream, Delivered::on_typed_frame, &delivered));
    ASSERT_TRUE(vy_nvs_connect(stream, camera.address().c_str(), nullptr, nullptr));
    wait_for_calibration_answer(camera, delivered);
    int32_t status = cut_file_status(stream, &length, nullptr);
    EXPECT_EQ(status, NVS_CUT_FILE_NONE);
}
