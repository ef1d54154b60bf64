// Detector settings through the memory bus: read-back and command/status
// handshakes, DAC and NDAC, edges, the resolution sources, the control-word
// switches and the isotherm registers.
#include "device_fixture.h"

#include <sys/stat.h>

using namespace cltest;
using namespace camlink::detail;

namespace {

// Version word whose type bits (0x600) are 0x200: detector type 0, which
// confirms settings through the command/status handshake.
constexpr uint16_t kType0 = 0x200;

}  // namespace

TEST(detector_settings, type_0_handshakes_write_and_confirm_every_parameter)
{
    Device device(true, 0, kType0);
    ASSERT_EQ(0, device.dev().detector_type());
    ASSERT_TRUE(vy_dc_set_meas_para(device.handle, 0, 1, 1500, 2100, 4, 320));
    EXPECT_EQ(1500, device.bus->get(reg::kVsk));
    EXPECT_EQ(2100, device.bus->get(reg::kGfid));
    EXPECT_EQ(4, device.bus->get(reg::kGain));
    EXPECT_EQ(320, device.bus->get(reg::kIntegral));
    // Each handshake ends with the command register cleared.
    EXPECT_EQ(0, device.bus->get(reg::kCommand));
    uint16_t vsk = 0, gfid = 0, integral = 0;
    uint8_t gain = 0;
    ASSERT_TRUE(vy_dc_get_meas_para(device.handle, 0, 1, &vsk, &gfid, &gain, &integral));
    EXPECT_EQ(1500, vsk);
    EXPECT_EQ(2100, gfid);
    EXPECT_EQ(4, gain);
    EXPECT_EQ(320, integral);
}

TEST(detector_settings, a_missing_status_bit_or_read_back_fails_the_setting)
{
    {
        Device device(true, 0, kType0);
        device.bus->ignore_command(command::kGain);
        LogWatch log;
        EXPECT_FALSE(vy_dc_set_meas_para(device.handle, 0, 0, 1500, 2100, 4, 320));
        EXPECT_EQ(1, log.count("set gain = 4 failed, status = 0"));
        // The refused parameters are not stored.
        uint16_t vsk = 0, gfid = 0, integral = 0;
        uint8_t gain = 0;
        ASSERT_TRUE(vy_dc_get_meas_para(device.handle, 0, 0, &vsk, &gfid, &gain, &integral));
        EXPECT_EQ(1200, vsk);
    }
    {
        Device device(true, 0, kType0);
        device.bus->make_read_only(reg::kIntegral);
        LogWatch log;
        EXPECT_FALSE(vy_dc_set_meas_para(device.handle, 0, 0, 1500, 2100, 4, 320));
        EXPECT_EQ(1, log.count("set integral = 320 failed"));
        EXPECT_EQ(5, device.bus->writes(reg::kIntegral));
    }
    {
        // Type 3 reads back once after the write.
        Device device;
        device.bus->make_read_only(reg::kGain);
        EXPECT_FALSE(vy_dc_set_meas_para(device.handle, 0, 0, 1500, 2100, 4, 320));
        EXPECT_EQ(1, device.bus->writes(reg::kGain));
    }
}

TEST(detector_settings, dac_and_ndac)
{
    Device device;
    ASSERT_EQ(3, device.dev().detector_type());
    ASSERT_TRUE(vy_dc_set_ndac(device.handle, LenType{0}, MeasRange{2}, 12, 5));
    EXPECT_EQ(8160 + 5, device.bus->get(reg::kNdac));
    uint16_t index = 0, fine = 0;
    ASSERT_TRUE(vy_dc_get_ndac(device.handle, LenType{0}, MeasRange{2}, index, fine));
    EXPECT_EQ(8, index);
    EXPECT_EQ(5, fine);
    ASSERT_TRUE(vy_dc_set_ndac(device.handle, LenType{0}, MeasRange{2}, 3, 31));
    ASSERT_TRUE(vy_dc_get_ndac(device.handle, LenType{0}, MeasRange{2}, index, fine));
    EXPECT_EQ(3, index);
    EXPECT_EQ(31, fine);
    EXPECT_FALSE(vy_dc_set_ndac(device.handle, LenType{0}, MeasRange{2}, 3, 32));
    EXPECT_FALSE(vy_dc_set_ndac(device.handle, LenType{5}, MeasRange{2}, 3, 1));

    // An 80-wide detector writes the DAC to register 4 and reads it back there.
    ASSERT_TRUE(vy_dc_set_dac(device.handle, LenType{1}, MeasRange{0}, 777));
    EXPECT_EQ(777, device.bus->get(reg::kDacLow));
    int16_t dac = 0;
    ASSERT_TRUE(vy_dc_get_dac(device.handle, LenType{1}, MeasRange{0}, dac));
    EXPECT_EQ(777, dac);
    device.bus->make_read_only(reg::kDacLow);
    LogWatch log;
    EXPECT_FALSE(vy_dc_set_dac(device.handle, LenType{1}, MeasRange{0}, 778));
    EXPECT_EQ(1, log.count("check_fpga_config_finish failed"));
    ASSERT_TRUE(vy_dc_get_dac(device.handle, LenType{1}, MeasRange{0}, dac));
    EXPECT_EQ(777, dac);
}

TEST(detector_settings, dac_and_ndac_belong_to_their_detector_types)
{
    Device device(true, 0, kType0);
    EXPECT_FALSE(vy_dc_set_dac(device.handle, LenType{0}, MeasRange{0}, 5));
    EXPECT_FALSE(vy_dc_set_ndac(device.handle, LenType{0}, MeasRange{0}, 1, 1));
    EXPECT_EQ(0, device.bus->writes(reg::kNdac));
}

TEST(detector_settings, edges_must_lie_inside_the_frame)
{
    Device device;
    int writes = device.bus->writes(reg::kLeftEdge);
    EXPECT_FALSE(vy_dc_set_left_edge(device.handle, 80));
    EXPECT_FALSE(vy_dc_set_top_edge(device.handle, 60));
    EXPECT_EQ(writes, device.bus->writes(reg::kLeftEdge));
    ASSERT_TRUE(vy_dc_set_left_edge(device.handle, 79));
    ASSERT_TRUE(vy_dc_set_top_edge(device.handle, 59));
    uint16_t left = 0, top = 0;
    ASSERT_TRUE(vy_dc_get_left_edge(device.handle, &left));
    ASSERT_TRUE(vy_dc_get_top_dege(device.handle, &top));
    EXPECT_EQ(79, left);
    EXPECT_EQ(59, top);
}

TEST(detector_settings, reverse_and_output_type)
{
    Device device;
    EXPECT_FALSE(vy_dc_set_reverse_type(device.handle, 0, 4));
    EXPECT_FALSE(vy_dc_set_reverse_type(device.handle, 6, 1));
    EXPECT_FALSE(vy_dc_set_reverse_type(device.handle, 2, 1));  // no such lens
    ASSERT_TRUE(vy_dc_set_reverse_type(device.handle, 1, 2));
    uint8_t type = 0;
    ASSERT_TRUE(vy_dc_get_reverse_type(device.handle, 1, &type));
    EXPECT_EQ(2, type);
    ASSERT_TRUE(vy_dc_set_output_data_type(device.handle, 8));
    EXPECT_EQ(8, device.bus->get(reg::kOutputDataType));
}

TEST(detector_settings, the_resolution_file)
{
    TempDir dir;
    struct Case {
        const char* content;
        uint16_t width, height;
    };
    const Case cases[] = {{"0", 80, 60},    {"1", 160, 120},  {"2", 320, 240},  {"4x", 1024, 768},
                          {"3", 640, 480},  {"", 640, 480},   {"9", 640, 480},  {nullptr, 640, 480}};
    for (const Case& c : cases) {
        std::string path = dir.file("simulated-resolution");
        std::filesystem::remove(path);
        if (c.content != nullptr) {
            write_text(path, c.content);
        }
        DeviceOptions options;
        options.resolution_file = path;
        options.program_dir = dir.path();
        DevCap device(options);
        uint16_t width = 0, height = 0;
        ASSERT_TRUE(device.read_detector_resolution(&width, &height));
        EXPECT_EQ(c.width, width) << (c.content ? c.content : "no file");
        EXPECT_EQ(c.height, height);
        if (c.content != nullptr) {
            EXPECT_EQ(c.content, read_file(path));
        }
    }
    // A pipe in the file's place gives the default without waiting.
    std::filesystem::remove(dir.file("simulated-resolution"));
    ASSERT_EQ(0, mkfifo(dir.file("simulated-resolution").c_str(), 0600));
    DeviceOptions options;
    options.resolution_file = dir.file("simulated-resolution");
    options.program_dir = dir.path();
    DevCap device(options);
    uint16_t width = 0, height = 0;
    ASSERT_TRUE(device.read_detector_resolution(&width, &height));
    EXPECT_EQ(640, width);
}

TEST(detector_settings, the_resolution_register)
{
    Device device;
    uint16_t width = 0, height = 0;
    device.bus->set(reg::kResolutionCode, 3);
    ASSERT_TRUE(vy_dc_get_detector_resolution(device.handle, &width, &height));
    EXPECT_EQ(640, width);
    EXPECT_EQ(480, height);
    device.bus->set(reg::kResolutionCode, 5);
    EXPECT_FALSE(vy_dc_get_detector_resolution(device.handle, &width, &height));
}

TEST(detector_settings, the_lens_and_range_switch_checks_its_arguments)
{
    Device device;
    LogWatch log;
    EXPECT_FALSE(vy_dc_set_len_and_meas_range(device.handle, 6, 0));
    EXPECT_FALSE(vy_dc_set_len_and_meas_range(device.handle, 0, 4));
    EXPECT_FALSE(vy_dc_set_len_and_meas_range(device.handle, 3, 0));
    EXPECT_EQ(1, log.count("len = 6 or range = 0 is error"));
    EXPECT_EQ(1, log.count("len = 3 is not exsit"));
    EXPECT_FALSE(device.dev().capture_running());
    // A good switch writes the range's NDAC and the engine's compensation.
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 1, 1));
    EXPECT_EQ(kDefaultNdac, device.bus->get(reg::kNdac));
    EXPECT_TRUE(device.dev().capture_running());
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
}

TEST(detector_settings, opening_capture_clears_the_close_bit_and_corrects)
{
    Device device;
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    device.bus->set(reg::kControl, 0x2001);
    int commands = device.bus->writes(reg::kCommand);
    ASSERT_TRUE(vy_dc_open_infrared_capture(device.handle));
    EXPECT_EQ(0x0001, device.bus->get(reg::kControl));
    EXPECT_EQ(commands + 1, device.bus->writes(reg::kCommand));
    EXPECT_EQ(command::kGain, device.bus->get(reg::kCommand));
}

TEST(detector_settings, control_word_switches)
{
    Device device;
    struct Case {
        const char* name;
        bool (*call)(void*);
        uint16_t before;
        uint16_t after;
    };
    const Case cases[] = {
        {"shutter down", vy_dc_shutter_down, 0x0000, 0x0001},
        {"shutter up", vy_dc_shutter_up, 0xFFFF, 0xFFFE},
        {"buzzer on", vy_dc_buzzer_on, 0x0000, 0x0010},
        {"buzzer off", vy_dc_buzzer_off, 0xFFFF, 0xFFEF},
        {"laser on", vy_dc_lasor_on, 0x0000, 0x0008},
        {"laser off", vy_dc_lasor_off, 0xFFFF, 0xFFF7},
        {"wiper on", vy_dc_wiper_on, 0x0000, 0xC000},
        {"wiper off", vy_dc_wiper_off, 0xFFFF, 0x7FFF},
        {"focus forward", vy_dc_motor_forward, 0x0004, 0x0002},
        {"focus backward", vy_dc_motor_backward, 0x0002, 0x0004},
        {"focus stop", vy_dc_motor_stop, 0xFFFF, 0xFFF9},
        {"zoom forward", vy_dc_zoom_motor_forward, 0x0080, 0x0100},
        {"zoom backward", vy_dc_zoom_motor_backward, 0x0100, 0x0080},
        {"zoom stop", vy_dc_zoom_motor_stop, 0xFFFF, 0xFE7F},
        {"close capture", vy_dc_close_infrared_capture, 0x0000, 0x2000},
    };
    for (const Case& c : cases) {
        device.bus->set(reg::kControl, c.before);
        ASSERT_TRUE(c.call(device.handle)) << c.name;
        EXPECT_EQ(c.after, device.bus->get(reg::kControl)) << c.name;
    }
    device.bus->set(reg::kControl, 0x1234);
    ASSERT_TRUE(vy_dc_set_back_light(device.handle, 5));
    EXPECT_EQ(0xA000 | 0x1234, device.bus->get(reg::kControl));
    EXPECT_FALSE(vy_dc_set_back_light(device.handle, 8));
}

TEST(detector_settings, lens_type_from_the_control_word)
{
    Device device;
    const std::pair<uint16_t, int32_t> cases[] = {{0xC00, 1}, {0x1000, 4}, {0x1400, 3}, {0x1800, 2}, {0x1C00, -1}};
    for (const auto& c : cases) {
        device.bus->set(reg::kControl, c.first);
        int32_t lens = 99;
        ASSERT_TRUE(vy_dc_read_len_type_from_fpga(device.handle, &lens)) << c.first;
        EXPECT_EQ(c.second, lens);
    }
    for (uint16_t word : {0x0000, 0x0400, 0x0800}) {
        device.bus->set(reg::kControl, word);
        int32_t lens = 0;
        EXPECT_FALSE(vy_dc_read_len_type_from_fpga(device.handle, &lens)) << word;
    }
}

TEST(detector_settings, version_texts)
{
    Device device(true, 0, 0x4A56);
    char text[32];
    uint32_t length = sizeof(text);
    ASSERT_TRUE(vy_dc_get_hardware_version(device.handle, text, &length));
    // 01 001 01 00 101 0110
    EXPECT_STREQ("1.1.1.0.5.6", text);
    EXPECT_EQ(12u, length);
    length = 4;
    EXPECT_FALSE(vy_dc_get_hardware_version(device.handle, text, &length));
    EXPECT_EQ(12u, length);
    length = 0;
    ASSERT_TRUE(vy_dc_get_hardware_version(device.handle, nullptr, &length));
    EXPECT_EQ(12u, length);
    bool fire = true;
    ASSERT_TRUE(vy_dc_is_fpga_fire_alg(device.handle, &fire));
    EXPECT_FALSE(fire);
}

TEST(detector_settings, isotherms_fill_their_register_bands)
{
    Device device;
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    int32_t ids[3];
    ASSERT_TRUE(vy_dc_add_isotherm(device.handle, 20.0f, 40.0f, 0x0000FF, 0, &ids[0]));
    EXPECT_EQ(1, device.bus->get(212));
    EXPECT_EQ(180, device.bus->get(224));
    uint16_t low = 0, high = 0;
    ASSERT_TRUE(vy_dc_get_isotherm_related_ad(device.handle, &low, &high));
    EXPECT_EQ(low, device.bus->get(216));
    EXPECT_EQ(high, device.bus->get(220));
    EXPECT_LT(low, high);
    ASSERT_TRUE(vy_dc_add_isotherm(device.handle, 50.0f, 60.0f, 0x00FF00, 0, &ids[1]));
    EXPECT_EQ(220, device.bus->get(244));
    ASSERT_TRUE(vy_dc_add_isotherm(device.handle, 70.0f, 80.0f, 0xFF0000, 0, &ids[2]));
    LogWatch log;
    int32_t fourth = 0;
    EXPECT_FALSE(vy_dc_add_isotherm(device.handle, 90.0f, 95.0f, 0xFFFFFF, 0, &fourth));
    EXPECT_EQ(1, log.count("isotherm is full, 3"));
    ASSERT_TRUE(vy_dc_update_isotherm(device.handle, ids[0], 25.0f, 45.0f, 0x0000FF, 0));
    EXPECT_NE(low, device.bus->get(216));
    EXPECT_FALSE(vy_dc_update_isotherm(device.handle, 999, 25.0f, 45.0f, 0, 0));
    ASSERT_TRUE(vy_dc_delete_isotherm(device.handle, ids[0]));
    EXPECT_EQ(0, device.bus->get(212));
    EXPECT_FALSE(vy_dc_delete_isotherm(device.handle, ids[0]));
    ASSERT_TRUE(vy_dc_add_isotherm(device.handle, 20.0f, 40.0f, 0x0000FF, 0, &ids[0]));
    EXPECT_EQ(1, device.bus->get(212));
}

TEST(detector_settings, three_isotherm_exports_report_false_after_their_work)
{
    Device device;
    EXPECT_FALSE(vy_dc_open_3_isotherm(device.handle));
    EXPECT_EQ(1, device.bus->get(244));
    EXPECT_FALSE(vy_dc_close_3_isotherm(device.handle));
    EXPECT_EQ(0, device.bus->get(244));
    VyDcThreeIsotherm record = {{100, 200, 300, 400}, 0xEE, {7, 8, 9}};
    EXPECT_FALSE(vy_dc_update_3_isotherm(device.handle, &record));
    const std::pair<uint16_t, uint16_t> expected[] = {{200, 7},   {204, 8},   {208, 9},  {228, 100},
                                                      {232, 200}, {236, 300}, {240, 400}};
    for (const auto& e : expected) {
        EXPECT_EQ(e.second, device.bus->get(e.first)) << e.first;
    }
}

TEST(detector_settings, imaging_and_percent_registers)
{
    Device device;
    ASSERT_TRUE(vy_dc_set_imaging_process_status(device.handle, true, true));
    EXPECT_EQ(818, device.bus->get(reg::kImagingProcess));
    ASSERT_TRUE(vy_dc_set_imaging_process_status(device.handle, true, false));
    EXPECT_EQ(256, device.bus->get(reg::kImagingProcess));
    // Only the fire-algorithm FPGA takes the percentages.
    EXPECT_FALSE(vy_dc_set_isotherm_index_percent(device.handle, 0.5f, 0.5f));
    Device fire(true, 0, 0x100);
    EXPECT_FALSE(vy_dc_set_isotherm_index_percent(fire.handle, 1.0f, 0.5f));
    EXPECT_FALSE(vy_dc_set_isotherm_index_percent(fire.handle, 0.5f, 1.5f));
    ASSERT_TRUE(vy_dc_set_isotherm_index_percent(fire.handle, 0.5f, 1.0f));
    EXPECT_EQ((255 << 8) + 127, fire.bus->get(reg::kIsothermPercent));
}
