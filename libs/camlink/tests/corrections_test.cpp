// Two-point gains, outer corrections, the bad-pixel map and the automatic
// scan, and the uniform-scene recording behind the two-point correction.
#include "device_fixture.h"

#include "basekit.h"
#include "framekit.h"

using namespace cltest;
using namespace camlink::detail;

namespace {

// A Detector of the sample configuration at width x height, lens 0 range 0 current.
void load_sample(Detector& detector, uint16_t width, uint16_t height, const TempDir& dir)
{
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(detector_sample::sample_file(width, height, 4, &bytes));
    ASSERT_TRUE(detector_sample::write_file(dir.file("detector"), bytes));
    detector.set_resolution(width, height);
    ASSERT_TRUE(detector.load_data_from_file(dir.file("detector")));
    ASSERT_TRUE(detector.select(0, 0));
}

UniformScene scene(std::vector<uint16_t> readings, uint16_t mean)
{
    UniformScene s;
    s.readings = std::move(readings);
    s.mean = mean;
    return s;
}

// A raw frame of a flat scene with the given pixels changed.
std::vector<uint8_t> raw_frame(uint16_t width, uint16_t height,
                               const std::vector<std::pair<std::pair<int, int>, uint16_t>>& spots)
{
    std::size_t n = static_cast<std::size_t>(width) * height;
    std::vector<uint16_t> plane(n, 16300);
    for (const auto& s : spots) {
        plane[static_cast<std::size_t>(s.first.second) * width + s.first.first] = s.second;
    }
    std::vector<uint8_t> packed(2 * n);
    uint32_t length = static_cast<uint32_t>(packed.size());
    EXPECT_EQ(VY_OK, vy_high_low_compress(plane.data(), static_cast<int>(n), packed.data(), &length));
    std::vector<uint8_t> frame(n, 0);
    const uint8_t header[10] = {0, 0, 0, 0, 1, 0, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                                static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
    frame.insert(frame.end(), header, header + 10);
    frame.insert(frame.end(), packed.begin(), packed.begin() + length);
    return frame;
}

}  // namespace

TEST(corrections, two_point_gains)
{
    TempDir dir;
    Detector detector;
    load_sample(detector, 8, 1, dir);
    // Scene means 1000 and 3000: gain = 2000 * 8192 / d.
    struct Case {
        int d;
        int16_t gain;
    };
    const Case cases[] = {
        {0, 8192},      // flat
        {9, 8192},      // within 9: unit gain
        {-9, 8192},
        {-10, 0},       // high below low: gain 0
        {10, 32767},    // 1,638,400 held at the largest gain instead of wrapping
        {2000, 8192},
        {4000, 4096},
        {600, 27306},
    };
    std::vector<uint16_t> low(8), high(8);
    for (int i = 0; i < 8; ++i) {
        low[i] = 20000;
        high[i] = static_cast<uint16_t>(20000 + cases[i].d);
    }
    detector.set_scene(0, scene(low, 1000));
    detector.set_scene(1, scene(high, 3000));
    ASSERT_TRUE(detector.calc_two_point_correct());
    std::vector<int16_t> table;
    ASSERT_TRUE(detector.current_k_table(&table));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(cases[i].gain, table[i]) << "d = " << cases[i].d;
    }
    EXPECT_EQ(table_check(table), detector.config().k_tables.at(detector.current().k_index).check);
}

TEST(corrections, two_point_needs_distinct_scenes)
{
    TempDir dir;
    Detector detector;
    load_sample(detector, 8, 1, dir);
    std::vector<uint16_t> plane(8, 1000);
    detector.set_scene(0, scene(plane, 1000));
    detector.set_scene(1, scene(plane, 1003));
    LogWatch log;
    EXPECT_FALSE(detector.calc_two_point_correct());
    EXPECT_EQ(1, log.count("avg ad of high = 1003, low = 1000"));
}

TEST(corrections, outer_correction_values)
{
    TempDir dir;
    Detector detector;
    load_sample(detector, 8, 4, dir);
    // 21 pixels at or below 500 make 500 the base level.
    std::vector<uint16_t> plane(32, 600);
    for (int i = 0; i < 21; ++i) {
        plane[i] = static_cast<uint16_t>(480 + i);
    }
    plane[30] = 65535;
    ASSERT_TRUE(detector.calc_compensation_of_outer_correct(plane, 36.5f));
    std::vector<int16_t> table;
    ASSERT_TRUE(detector.current_outer_table(&table));
    EXPECT_EQ(0, table[0]);
    EXPECT_EQ(0, table[20]);
    EXPECT_EQ(100, table[21]);
    EXPECT_EQ(32767, table[30]);  // 65,035 held at 16 bits
    EXPECT_FLOAT_EQ(36.5f, detector.current().outer_temperature);
}

TEST(corrections, outer_correction_of_a_tiny_frame_is_zero)
{
    TempDir dir;
    Detector detector;
    load_sample(detector, 4, 5, dir);
    std::vector<uint16_t> plane(20);
    for (int i = 0; i < 20; ++i) {
        plane[i] = static_cast<uint16_t>(1000 * i);
    }
    ASSERT_TRUE(detector.calc_compensation_of_outer_correct(plane, 20.0f));
    std::vector<int16_t> table;
    ASSERT_TRUE(detector.current_outer_table(&table));
    for (int16_t v : table) {
        EXPECT_EQ(0, v);
    }
}

TEST(corrections, bad_pixel_codes)
{
    Device device;
    struct Case {
        uint16_t x, y;
        uint8_t code;
    };
    const Case cases[] = {{0, 0, 17},  {0, 59, 18},  {79, 59, 19}, {79, 0, 20}, {0, 30, 21},
                          {40, 59, 22}, {79, 30, 23}, {40, 0, 24},  {1, 1, 25},  {78, 30, 25},
                          {40, 58, 25}, {40, 30, 26}};
    for (const Case& c : cases) {
        ASSERT_TRUE(vy_dc_add_bad_pt(device.handle, c.x, c.y));
        EXPECT_EQ(c.code, device.dev().detector().bad_map()[c.y * 80 + c.x]) << c.x << "," << c.y;
    }
    std::vector<uint8_t> before = device.dev().detector().bad_map();
    EXPECT_TRUE(vy_dc_add_bad_pt(device.handle, 80, 0));
    EXPECT_TRUE(vy_dc_add_bad_pt(device.handle, 0, 60));
    EXPECT_EQ(before, device.dev().detector().bad_map());
    EXPECT_EQ(bad_map_check(before), device.dev().detector().config().bad_check);
}

TEST(corrections, the_scan_finds_a_planted_hot_pixel)
{
    struct Case {
        bool strict;
        bool with_warm_neighbour;
        bool found;
    };
    // A warm right-hand neighbour leaves 7 of 8 neighbours differing: bad for
    // the lenient test (6 of 8), not for the strict one (all 8).
    const Case cases[] = {{true, false, true}, {false, false, true}, {true, true, false}, {false, true, true}};
    for (const Case& c : cases) {
        Device device;
        std::vector<std::pair<std::pair<int, int>, uint16_t>> spots = {{{37, 31}, 17000}};
        if (c.with_warm_neighbour) {
            spots.push_back({{38, 31}, 16990});
        }
        std::vector<uint8_t> frame = raw_frame(80, 60, spots);
        ASSERT_TRUE(vy_ad_set_data_checked(device.dev().frame(), frame.data(), static_cast<uint32_t>(frame.size())));
        ASSERT_TRUE(vy_dc_modify_bad_repairs_algorithm(device.handle, c.strict, 10));
        device.dev().start_bad_pixel_scan();
        LogWatch log;
        device.dev().repair_bad_pts();
        uint8_t code = device.dev().detector().bad_map()[31 * 80 + 37];
        EXPECT_EQ(c.found ? 26 : 0, code) << c.strict << c.with_warm_neighbour;
        EXPECT_EQ(c.found ? 1 : 0, log.count("[37, 31] is a bad point"));
        // The warm neighbour itself is never reported.
        EXPECT_EQ(0, device.dev().detector().bad_map()[31 * 80 + 38]);
        // Nothing found ends the scan.
        EXPECT_EQ(c.found, device.dev().bad_pixel_scan_active());
    }
}

TEST(corrections, the_scan_leaves_the_last_column_alone)
{
    Device device;
    std::vector<uint8_t> frame = raw_frame(80, 60, {{{79, 31}, 17000}});
    ASSERT_TRUE(vy_ad_set_data_checked(device.dev().frame(), frame.data(), static_cast<uint32_t>(frame.size())));
    device.dev().start_bad_pixel_scan();
    device.dev().repair_bad_pts();
    EXPECT_EQ(23, device.dev().detector().bad_map()[31 * 80 + 79]);  // its border code, unchanged
    EXPECT_FALSE(device.dev().bad_pixel_scan_active());
}

TEST(corrections, the_scan_runs_every_twentieth_pass_and_can_be_ended)
{
    Device device;
    std::vector<uint8_t> frame = raw_frame(80, 60, {{{37, 31}, 17000}});
    ASSERT_TRUE(vy_ad_set_data_checked(device.dev().frame(), frame.data(), static_cast<uint32_t>(frame.size())));
    device.dev().start_bad_pixel_scan();
    LogWatch log;
    for (int pass = 0; pass < 21; ++pass) {
        device.dev().repair_bad_pts();
    }
    EXPECT_EQ(1, log.count("num: 1 scan bpt"));
    EXPECT_EQ(1, log.count("num: 2 scan bpt"));
    ASSERT_TRUE(vy_dc_disable_repair_bad_pts(device.handle));
    device.dev().repair_bad_pts();
    EXPECT_FALSE(device.dev().bad_pixel_scan_active());
}

TEST(corrections, uniform_scenes_are_recorded_from_live_frames)
{
    Device device;
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    ASSERT_TRUE(vy_dc_two_pts_correct(device.handle, 0));
    // The recording switches to output type 2, which ends the size check.
    EXPECT_EQ(2, device.bus->get(reg::kOutputDataType));
    // Both scenes of the moving ramp have the same mean: no gains from them.
    ASSERT_TRUE(vy_dc_two_pts_correct(device.handle, 1));
    LogWatch log;
    EXPECT_FALSE(vy_dc_calc_k(device.handle));
    EXPECT_EQ(1, log.count("avg ad of high"));
    EXPECT_FALSE(vy_dc_two_pts_correct(device.handle, 2));
}

TEST(corrections, a_recording_without_frames_times_out)
{
    Device device;
    EXPECT_FALSE(vy_dc_two_pts_correct(device.handle, 0));  // capture not started
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    ASSERT_TRUE(vy_dc_disable_reboot_sys(device.handle));
    LogWatch log;
    EXPECT_FALSE(vy_dc_two_pts_correct(device.handle, 0));
    EXPECT_EQ(1, log.count("recording the uniform scene 0 timed out"));
    // Capture back on, the next recording succeeds.
    ASSERT_TRUE(vy_dc_enable_reboot_sys(device.handle));
    EXPECT_TRUE(vy_dc_two_pts_correct(device.handle, 0));
}

TEST(corrections, outer_correction_from_the_newest_frame)
{
    FrameCounter counter;
    Device device;
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 1, 0));
    ASSERT_TRUE(counter.wait_for(1));
    bool has = true;
    ASSERT_TRUE(vy_dc_has_outer_correct(device.handle, 1, 0, &has));
    EXPECT_FALSE(has);
    EXPECT_FALSE(vy_dc_apply_outer_correct(device.handle, true));
    ASSERT_TRUE(vy_dc_calc_outer_correct(device.handle, 30.0f));
    ASSERT_TRUE(vy_dc_has_outer_correct(device.handle, 1, 0, &has));
    EXPECT_TRUE(has);
    EXPECT_TRUE(vy_dc_apply_outer_correct(device.handle, true));
    EXPECT_TRUE(vy_dc_apply_outer_correct(device.handle, false));
    ASSERT_TRUE(vy_dc_delete_outer_correct(device.handle, 1, 0));
    ASSERT_TRUE(vy_dc_has_outer_correct(device.handle, 1, 0, &has));
    EXPECT_FALSE(has);
    LogWatch log;
    EXPECT_FALSE(vy_dc_delete_outer_correct(device.handle, 4, 0));
    EXPECT_EQ(1, log.count("len = 4 is not exsit when delete outer correct"));
    // The K table written with the current range is the lens's own.
    EXPECT_TRUE(vy_dc_write_k(device.handle));
}

TEST(corrections, the_fpga_bad_pixel_map_is_taken_and_saved)
{
    FrameCounter counter;
    Device device;
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    ASSERT_TRUE(counter.wait_for(1));
    std::string before = read_file(device.dir.file("detector"));
    ASSERT_TRUE(vy_dc_bad_pts_op_of_fpga(device.handle, 16));
    EXPECT_EQ(5, device.bus->get(reg::kOutputDataType));
    std::string after = read_file(device.dir.file("detector"));
    EXPECT_EQ(before.size(), after.size());
    EXPECT_NE(before, after);
    EXPECT_TRUE(vy_dc_bad_pts_op_of_fpga(device.handle, 32));
    LogWatch log;
    EXPECT_FALSE(vy_dc_bad_pts_op_of_fpga(device.handle, 7));
    EXPECT_EQ(1, log.count("write bad pts op = 7 failed"));
}

TEST(corrections, threshold_registers)
{
    Device device;
    device.bus->set(reg::kOrgRangeLow, 11);
    device.bus->set(reg::kOrgRangeHigh, 22);
    ASSERT_TRUE(vy_dc_set_bad_pts_threshold(device.handle, 77));
    ASSERT_TRUE(vy_dc_set_org_data_threshold(device.handle, 88));
    uint16_t a = 0, b = 0;
    ASSERT_TRUE(vy_dc_get_bad_pts_threshold(device.handle, &a));
    EXPECT_EQ(77, a);
    ASSERT_TRUE(vy_dc_get_org_data_threshold(device.handle, &a));
    EXPECT_EQ(88, a);
    ASSERT_TRUE(vy_dc_get_org_data_range(device.handle, &a, &b));
    EXPECT_EQ(11, a);
    EXPECT_EQ(22, b);
    EXPECT_FALSE(vy_dc_get_ad_num_beyond(device.handle, &a, &b));
}
