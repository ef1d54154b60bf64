// Helpers shared by the tempcore tests: engines built from the sample
// description or from a small synthetic range.
#pragma once

#include "calibration_description.h"
#include "tempcore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tctest {

inline std::string read_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string sample_description()
{
    return read_text(std::string(TEMPCORE_SAMPLE_DIR) + "/sample.desc");
}

inline std::string sample_script()
{
    return read_text(std::string(TEMPCORE_SAMPLE_DIR) + "/sample_script.lua");
}

inline std::vector<uint8_t> sample_data()
{
    std::vector<uint8_t> data;
    std::string error;
    EXPECT_TRUE(calibration::build_calibration_data(sample_description(), sample_script(), &data,
                                                    &error))
        << error;
    return data;
}

// A script whose section functions keep every coefficient at 1, so that the
// adjusted table is the sample table moved to the base AD.
inline std::string plain_script(const std::string& extra = "")
{
    return "-- synthetic calibration script for the tests\n"
           "function calc_base_temp(s1, s2, s3, s4, s5, lens, range) return s1 end\n"
           "function get_ad_compensation(s1, s2, s3, s4, s5, lens, range) return 7 end\n"
           "function get_dist_coff(distance, lens, range, ambient) return 1.0, 0.0 end\n"
           "function division_temp(s1, s2, s3, s4, s5, lens, range) return 50 end\n"
           "function get_numbers_of_section(s1, s2, s3, s4, s5, lens, range) return 2 end\n"
           "function vals_of_section(s1, s2, s3, s4, s5, lens, range) return 50 end\n"
           "function coff_of_ad_compensation(s1, s2, s3, s4, s5, lens, range) return 1.0, 1.0 end\n"
           "function get_switch_temp_of_calibrate_enviroment() return 20.0 end\n" +
           extra;
}

// Owns one engine; frees it at the end of the test.
class Engine {
public:
    Engine() { EXPECT_TRUE(vy_at_init(&handle_)); }
    ~Engine()
    {
        if (handle_ != nullptr) {
            vy_at_uninit(&handle_);
        }
    }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    void* h() const { return handle_; }

private:
    void* handle_ = nullptr;
};

// Lens 0, range 0: samples every 10 degrees from 0 to 100 with AD steps that
// grow like a detector's, the given script, selected, base temperature 30.
inline void make_synthetic(void* h, const std::string& script = plain_script())
{
    std::vector<uint16_t> samples;
    for (int i = 0; i <= 10; ++i) {
        samples.push_back(static_cast<uint16_t>(12000 + 400 * i + 20 * i * i));
    }
    ASSERT_TRUE(vy_at_add_len_and_meas_range(h, 0, 0));
    ASSERT_TRUE(vy_at_set_sample_data(h, 0, 0, 0, 100, static_cast<unsigned char>(samples.size()),
                                      samples.data()));
    ASSERT_TRUE(vy_at_set_sample_range(h, 0, 0, -20, 150));
    ASSERT_TRUE(vy_at_set_detector_temp_when_calibrate(h, 0, 0, 30.0f));
    ASSERT_TRUE(vy_at_set_script_data(h, script.data(), static_cast<int>(script.size())));
    ASSERT_TRUE(vy_at_set_len_type_and_meas_range(h, 0, 0));
    int environment = -1;
    ASSERT_TRUE(vy_at_update_temperature_sensor(h, 30.0f, 30.0f, 30.0f, 30.0f, 30.0f, &environment));
    ASSERT_TRUE(vy_at_calc_base_temp(h));
}

inline std::vector<uint16_t> adjusted_table(void* h)
{
    int count = 0;
    EXPECT_TRUE(vy_at_get_adjusted_ad_table(h, &count, nullptr));
    std::vector<uint16_t> values(static_cast<std::size_t>(count));
    EXPECT_TRUE(vy_at_get_adjusted_ad_table(h, &count, values.data()));
    return values;
}

}  // namespace tctest
