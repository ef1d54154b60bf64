// The calibration script: sandbox, failures, environment switch, base
// temperature and the adjusted AD table.
#include "engine_fixture.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

bool set_script(void* h, const std::string& text)
{
    return vy_at_set_script_data(h, text.data(), static_cast<int>(text.size()));
}

// Pads a short script with a comment so that it compresses.
std::string padded(const std::string& text)
{
    return text + "\n-- padding padding padding padding padding padding padding padding padding\n";
}

TEST(script, sandbox_has_no_files_loaders_or_os)
{
    tctest::Engine e;
    EXPECT_TRUE(set_script(e.h(), padded("assert(os == nil and io == nil and require == nil and dofile == nil "
                                         "and loadfile == nil and load == nil and loadstring == nil "
                                         "and package == nil and debug == nil)\n"
                                         "assert(math.floor and string.format and table.insert)")));
    EXPECT_FALSE(set_script(e.h(), padded("os.exit(1)")));
    EXPECT_FALSE(set_script(e.h(), padded("io.open('/tmp/x', 'w')")));
    EXPECT_FALSE(set_script(e.h(), padded("require('os')")));
}

TEST(script, runaway_and_failing_scripts_return_false)
{
    tctest::Engine e;
    EXPECT_FALSE(set_script(e.h(), padded("while true do end")));
    EXPECT_FALSE(set_script(e.h(), padded("local function f() return f() + 1 end f()")));
    EXPECT_FALSE(set_script(e.h(), padded("local t = {} for i = 1, 1e9 do t[i] = i end")));
    EXPECT_FALSE(set_script(e.h(), padded("local s = string.rep('x', 2^30)")));
    EXPECT_FALSE(set_script(e.h(), padded("this is not lua")));
    EXPECT_FALSE(set_script(e.h(), padded("while true do pcall(function() while true do end end) end")));
    EXPECT_FALSE(set_script(e.h(), padded("local function f() pcall(f) f() end f()")));
    EXPECT_FALSE(set_script(e.h(), padded("for i = 1, 1e7 do local s = string.rep(tostring(i), 1e5) end")));
    EXPECT_FALSE(set_script(e.h(), padded("string.find(string.rep('a', 50000), string.rep('a?', 50000))")));
    EXPECT_TRUE(set_script(e.h(), padded("assert(('v1.25'):match('%d+%.%d+') == '1.25')")));

    // The same failures inside a script function fail that operation only.
    const std::string bodies[] = {
        "function calc_base_temp() while true do end end",
        "function calc_base_temp() error('broken') end",
        "function calc_base_temp() return 'thirty' end",
        "function calc_base_temp() return os.time() end",
        "calc_base_temp = 30",
        "calc_base_temp = nil",
    };
    for (const std::string& body : bodies) {
        tctest::Engine f;
        tctest::make_synthetic(f.h());
        ASSERT_TRUE(set_script(f.h(), tctest::plain_script() + body + "\n")) << body;
        EXPECT_FALSE(vy_at_calc_base_temp(f.h())) << body;
        float base = 1;
        ASSERT_TRUE(vy_at_get_sensor_temp(f.h(), nullptr, nullptr, nullptr, nullptr, nullptr, &base, nullptr, nullptr));
        EXPECT_EQ(base, 0.0f) << body;
        // Conversions still work with the tables built before.
        uint16_t ad = 16384;
        float t = 0;
        EXPECT_TRUE(vy_at_get_temperature_from_ad(f.h(), &ad, 1, &t));
        EXPECT_NEAR(t, 30.0f, 0.5f) << body;
    }
}

TEST(script, storage_and_compression)
{
    tctest::Engine e;
    const std::string script = tctest::plain_script();
    ASSERT_TRUE(set_script(e.h(), script));
    EXPECT_TRUE(set_script(e.h(), script));  // the same text: nothing to do
    int length = 0;
    ASSERT_TRUE(vy_at_get_script_data(e.h(), nullptr, &length));
    std::string back(static_cast<std::size_t>(length), '\0');
    ASSERT_TRUE(vy_at_get_script_data(e.h(), &back[0], &length));
    EXPECT_EQ(back, script);
    int compressed = 0;
    ASSERT_TRUE(vy_at_get_compressed_script_data(e.h(), nullptr, &compressed));
    EXPECT_GT(compressed, 0);
    EXPECT_LT(compressed, length);
    int small = compressed - 1;
    std::vector<uint8_t> buffer(static_cast<std::size_t>(compressed));
    EXPECT_FALSE(vy_at_get_compressed_script_data(e.h(), buffer.data(), &small));
    EXPECT_EQ(small, compressed);
    EXPECT_FALSE(vy_at_get_script_data(e.h(), nullptr, nullptr));

    // A script that would grow when compressed cannot be stored in the format.
    EXPECT_FALSE(set_script(e.h(), "x = 1"));
    EXPECT_FALSE(vy_at_set_script_data(e.h(), nullptr, 5));
    EXPECT_FALSE(vy_at_set_script_data(e.h(), "x", 0));
    std::string huge((1u << 20) + 1, ' ');
    EXPECT_FALSE(set_script(e.h(), huge));
    // A refused script leaves the held one.
    ASSERT_TRUE(vy_at_get_script_data(e.h(), &back[0], &length));
    EXPECT_EQ(back, script);
}

TEST(script, environment_switch_with_hysteresis)
{
    tctest::Engine e;
    ASSERT_TRUE(set_script(e.h(), tctest::plain_script()));  // switch temperature 20
    struct Step {
        float s1;
        int environment;
    };
    const Step steps[] = {{25, 0}, {18.5f, 0}, {17.9f, 1}, {21.9f, 1}, {22.0f, 1}, {22.1f, 0}, {18.0f, 0}};
    for (const Step& step : steps) {
        int environment = -1;
        ASSERT_TRUE(vy_at_update_temperature_sensor(e.h(), step.s1, 1, 2, 3, 4, &environment));
        EXPECT_EQ(environment, step.environment) << "s1 = " << step.s1;
    }
    // Calibration mode holds the environment.
    bool calibrating = false;
    ASSERT_TRUE(vy_at_set_is_calibrating(e.h(), true));
    ASSERT_TRUE(vy_at_is_calibrating(e.h(), &calibrating));
    EXPECT_TRUE(calibrating);
    int environment = -1;
    ASSERT_TRUE(vy_at_update_temperature_sensor(e.h(), -40, 1, 2, 3, 4, &environment));
    EXPECT_EQ(environment, 0);
    EXPECT_FALSE(vy_at_update_temperature_sensor(e.h(), -40, 1, 2, 3, 4, nullptr));

    // Without the switch function the engine stays in environment 0.
    tctest::Engine plain;
    ASSERT_TRUE(set_script(plain.h(), padded("function calc_base_temp() return 1 end")));
    ASSERT_TRUE(vy_at_update_temperature_sensor(plain.h(), -200, 1, 2, 3, 4, &environment));
    EXPECT_EQ(environment, 0);
}

// The adjusted table of the sample calibration: strictly increasing with
// steps of at least 10, and the AD at x = base + modify equal to the base AD.
TEST(script, adjusted_table_of_the_sample)
{
    std::vector<uint8_t> data = tctest::sample_data();
    for (int range = 0; range < 2; ++range) {
        for (float detector : {5.0f, 30.5f, 45.0f}) {
            tctest::Engine e;
            ASSERT_TRUE(vy_at_set_version_prefix(e.h(), 128));
            ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(e.h(), data.data()));
            ASSERT_TRUE(vy_at_set_len_type_and_meas_range(e.h(), 0, range));
            int environment;
            ASSERT_TRUE(vy_at_update_temperature_sensor(e.h(), detector, detector + 2, 30, 28, 27, &environment));
            ASSERT_TRUE(vy_at_calc_base_temp(e.h()));
            std::vector<uint16_t> adj = tctest::adjusted_table(e.h());
            for (std::size_t i = 1; i < adj.size(); ++i) {
                EXPECT_GE(adj[i] - adj[i - 1], 10) << "range " << range << " step " << i;
            }
            float base = 0;
            ASSERT_TRUE(vy_at_get_sensor_temp(e.h(), nullptr, nullptr, nullptr, nullptr, nullptr, &base, nullptr, nullptr));
            int16_t t0, t1;
            ASSERT_TRUE(vy_at_get_sample_temp(e.h(), 0, range, &t0, &t1));
            std::size_t n = adj.size();
            float s = static_cast<float>((t1 - t0) / static_cast<int>(n - 1));
            std::size_t h = std::min(n - 2, static_cast<std::size_t>((n - 1) * (base - t0) / (t1 - t0)));
            int at_x = adj[h] + static_cast<int>(std::trunc((base - (h * s + t0)) * (adj[h + 1] - adj[h]) / s + 0.5f));
            // The file's version prefix is 0: the base AD is 0x4000 again.
            EXPECT_EQ(at_x, 0x4000) << "range " << range << " detector " << detector;
        }
    }
}

TEST(script, small_sample_steps_are_widened_to_ten)
{
    tctest::Engine e;
    std::vector<uint16_t> samples;
    for (int i = 0; i < 11; ++i) {
        samples.push_back(static_cast<uint16_t>(15000 + 4 * i));
    }
    ASSERT_TRUE(vy_at_add_len_and_meas_range(e.h(), 0, 0));
    ASSERT_TRUE(vy_at_set_sample_data(e.h(), 0, 0, 0, 100, 11, samples.data()));
    ASSERT_TRUE(set_script(e.h(), tctest::plain_script()));
    ASSERT_TRUE(vy_at_set_len_type_and_meas_range(e.h(), 0, 0));
    ASSERT_TRUE(vy_at_update_adjusted_ad_table(e.h(), 30, 30, 0));
    std::vector<uint16_t> adj = tctest::adjusted_table(e.h());
    for (std::size_t i = 1; i < adj.size(); ++i) {
        EXPECT_EQ(adj[i] - adj[i - 1], 10);
    }
    EXPECT_EQ(adj[3], 0x4000);
    ASSERT_TRUE(vy_at_update_ad_temp_table(e.h()));
}

TEST(script, unusable_ranges_and_sections_are_refused)
{
    struct Case {
        const char* name;
        int16_t first;
        int16_t last;
        unsigned char count;
        std::string extra;
    };
    const Case cases[] = {
        {"one section", 0, 100, 11, "function get_numbers_of_section() return 1 end"},
        {"zero sections", 0, 100, 11, "function get_numbers_of_section() return 0 end"},
        {"coefficient 0", 0, 100, 11, "function coff_of_ad_compensation() return 1.0, 0 end"},
        {"too few boundaries", 0, 100, 11, "function vals_of_section() return end"},
        {"last not above first", 100, 100, 11, ""},
        {"last below first", 100, 0, 11, ""},
        {"step below one degree", 0, 5, 11, ""},
        {"one sample", 0, 100, 1, ""},
    };
    for (const Case& c : cases) {
        tctest::Engine e;
        std::vector<uint16_t> samples;
        for (int i = 0; i < c.count; ++i) {
            samples.push_back(static_cast<uint16_t>(12000 + 500 * i));
        }
        ASSERT_TRUE(vy_at_add_len_and_meas_range(e.h(), 0, 0));
        ASSERT_TRUE(vy_at_set_sample_data(e.h(), 0, 0, c.first, c.last, c.count, samples.data()));
        ASSERT_TRUE(set_script(e.h(), tctest::plain_script(c.extra + "\n")));
        ASSERT_TRUE(vy_at_set_len_type_and_meas_range(e.h(), 0, 0));
        // Straight after the selection the adjusted table is unset: no rebuild.
        EXPECT_FALSE(vy_at_update_ad_temp_table(e.h())) << c.name;
        EXPECT_FALSE(vy_at_update_adjusted_ad_table(e.h(), 30, 30, 0)) << c.name;
        EXPECT_FALSE(vy_at_calc_base_temp(e.h())) << c.name;
    }
}

TEST(script, base_temperature_and_compensation)
{
    tctest::Engine e;
    tctest::make_synthetic(e.h());
    int16_t compensation = 0;
    ASSERT_TRUE(vy_at_get_ad_compensation(e.h(), &compensation));
    EXPECT_EQ(compensation, 7);
    EXPECT_FALSE(vy_at_get_ad_compensation(e.h(), nullptr));

    // The format version is 1, so the second coefficient is replaced by the third.
    ASSERT_TRUE(set_script(e.h(), tctest::plain_script(
        "function get_numbers_of_section() return 3 end\n"
        "function vals_of_section() return 30, 60 end\n"
        "function coff_of_ad_compensation() return 1.0, 1.5, 2.0 end\n")));
    ASSERT_TRUE(vy_at_calc_base_temp(e.h()));
    int count = 0;
    ASSERT_TRUE(vy_at_get_ad_compensation_coff(e.h(), &count, nullptr));
    ASSERT_EQ(count, 3);
    float coffs[3];
    ASSERT_TRUE(vy_at_get_ad_compensation_coff(e.h(), &count, coffs));
    EXPECT_FLOAT_EQ(coffs[1], 2.0f);
    count = 2;
    EXPECT_FALSE(vy_at_get_ad_compensation_coff(e.h(), &count, coffs));

    // A base temperature outside the samples fails and is kept as 0.
    int environment;
    ASSERT_TRUE(vy_at_update_temperature_sensor(e.h(), 120, 0, 0, 0, 0, &environment));
    EXPECT_FALSE(vy_at_calc_base_temp(e.h()));
    float s[8];
    ASSERT_TRUE(vy_at_get_sensor_temp(e.h(), &s[0], &s[1], &s[2], &s[3], &s[4], &s[5], &s[6], &s[7]));
    EXPECT_EQ(s[0], 120.0f);
    EXPECT_EQ(s[5], 0.0f);
    EXPECT_EQ(s[6], 30.0f);  // detector temperature of the last good base temperature
    EXPECT_EQ(s[7], 30.0f);  // detector temperature at calibration
}

// Sensor readings are written and read as one set.
TEST(script, sensor_readings_are_never_torn)
{
    tctest::Engine e;
    tctest::make_synthetic(e.h());
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        int environment;
        for (int i = 0; i < 20000; ++i) {
            float v = static_cast<float>(i % 50);
            vy_at_update_temperature_sensor(e.h(), v, v, v, v, v, &environment);
        }
        stop.store(true);
    });
    int torn = 0;
    int reads = 0;
    while (!stop.load() || reads == 0) {
        float s[5];
        ASSERT_TRUE(vy_at_get_sensor_temp(e.h(), &s[0], &s[1], &s[2], &s[3], &s[4], nullptr, nullptr, nullptr));
        for (int k = 1; k < 5; ++k) {
            torn += s[k] != s[0];
        }
        ++reads;
        vy_at_calc_base_temp(e.h());
    }
    writer.join();
    EXPECT_EQ(torn, 0);
}

}  // namespace

namespace {

// Every kind of call from several threads at once: no deadlock between the
// locks, and every conversion stays inside the range limits.
TEST(script, concurrent_calls_finish)
{
    std::vector<uint8_t> data = tctest::sample_data();
    tctest::Engine e;
    ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(e.h(), data.data()));
    ASSERT_TRUE(vy_at_set_len_type_and_meas_range(e.h(), 0, 0));
    int environment;
    ASSERT_TRUE(vy_at_update_temperature_sensor(e.h(), 30, 30, 30, 30, 30, &environment));
    ASSERT_TRUE(vy_at_calc_base_temp(e.h()));
    std::atomic<int> out_of_range{0};
    std::vector<std::thread> threads;
    threads.emplace_back([&] {
        for (int i = 0; i < 200; ++i) {
            vy_at_set_modify_temp(e.h(), static_cast<float>(i % 5));
            vy_at_set_emiss(e.h(), 0.9f + 0.01f * (i % 5));
        }
    });
    threads.emplace_back([&] {
        for (int i = 0; i < 200; ++i) {
            vy_at_update_temperature_sensor(e.h(), 30.0f + i % 3, 30, 30, 30, 30, &environment);
            vy_at_calc_base_temp(e.h());
            vy_at_set_len_type_and_meas_range(e.h(), i % 2, 0);
        }
    });
    threads.emplace_back([&] {
        std::vector<uint16_t> ad(1000);
        for (std::size_t k = 0; k < ad.size(); ++k) {
            ad[k] = static_cast<uint16_t>(9000 + 30 * k);
        }
        std::vector<float> out(ad.size());
        for (int i = 0; i < 200; ++i) {
            if (vy_at_get_temperature_from_ad_ex(e.h(), ad.data(), 1000, 0.8f, 10.0f, out.data())) {
                for (float t : out) {
                    out_of_range += !(t >= -20.0f && t <= 150.0f);
                }
            }
            vy_at_get_temperature_from_ad(e.h(), ad.data(), 1000, out.data());
            uint8_t record[48];
            int length = 48;
            vy_at_save_temperature_para_to_buffer(e.h(), record, &length);
        }
    });
    for (std::thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(out_of_range.load(), 0);
}

}  // namespace

namespace {

// v + 0.05 written with no decimals and read back, as the engine rounds.
int nearest(double v)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%.0f", v + 0.05);
    return static_cast<int16_t>(std::atoi(text));
}

}  // namespace

// The drift-compensated table against the steps of its construction,
// computed here: sections with their coefficients below and above the
// division temperature, the steps' minimum of 10 and the anchor between two
// samples.
TEST(script, drift_compensated_table_follows_its_steps)
{
    const std::string script = tctest::plain_script(
        "function get_numbers_of_section() return 4 end\n"
        "function vals_of_section() return 25, 50, 75 end\n"
        "function coff_of_ad_compensation() return 1.0, 1.2, 1.5, 0.8 end\n"
        "function division_temp() return 55 end\n");
    struct Case {
        const char* name;
        int kb;
        float base, detector;
        int detector_type;
    };
    const Case cases[] = {
        {"detector warmer than at calibration", 500, 43.0f, 36.0f, 0},
        {"detector colder", 800, 61.5f, 21.0f, 0},
        {"detector type 1 turns the difference", 800, 61.5f, 21.0f, 1},
        {"steps held at 10", 30000, 12.0f, 20.0f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tctest::Engine e;
        tctest::make_synthetic(e.h(), script);
        ASSERT_TRUE(vy_at_set_detector_type(e.h(), c.detector_type));
        ASSERT_TRUE(vy_at_set_base_ad_compensation(e.h(), 0, 0, static_cast<int16_t>(c.kb)));
        ASSERT_TRUE(vy_at_set_len_type_and_meas_range(e.h(), 0, 0));
        ASSERT_TRUE(vy_at_update_adjusted_ad_table(e.h(), c.base, c.detector, 0.0f));

        std::vector<int> sample;
        for (int i = 0; i <= 10; ++i) {
            sample.push_back(12000 + 400 * i + 20 * i * i);
        }
        const int n = 11, t0 = 0, t1 = 100;
        const std::vector<int> v = {25, 50, 75};
        const std::vector<float> q = {1.0f, 1.5f, 1.5f, 0.8f};  // format version 1: Q[1] becomes Q[2]
        const float s = static_cast<float>(static_cast<unsigned>(t1 - t0) / (n - 1));
        const int si = nearest(s);
        const int k = 3;  // 1 + index of the first boundary not below 55
        const int m = std::min((n - 1) * 55 / (t1 - t0), n - 1);
        const float dt = c.detector_type == 0 ? 30.0f - c.detector : c.detector - 30.0f;
        std::vector<int> adj(n);
        adj[m] = sample[m];
        int j = k - 1;
        float coefficient = q[j];
        float f = static_cast<float>(c.kb) / 1000.0f;
        float t = static_cast<float>(si * (m - 1) + t0);
        for (int i = m - 1; i >= 0; --i) {
            if (t < static_cast<float>(v[j])) {
                j = std::max(j - 1, 0);
                coefficient = q[j];
            }
            f = f / coefficient;
            const int d = nearest(dt * f);
            const int w = std::max(static_cast<int>(static_cast<int16_t>(sample[i + 1] - sample[i] - d)), 10);
            adj[i] = adj[i + 1] - w;
            t -= static_cast<float>(si);
        }
        j = k;
        coefficient = q[j];
        f = static_cast<float>(c.kb) / 1000.0f;
        t = static_cast<float>(si * m + t0);
        for (int i = m + 1; i < n; ++i) {
            if (j < static_cast<int>(v.size()) && static_cast<float>(v[j]) <= t) {
                ++j;
                coefficient = q[j];
            }
            f = f * coefficient;
            const int d = nearest(dt * f);
            const int w = std::max(static_cast<int>(static_cast<int16_t>(sample[i] - sample[i - 1] - d)), 10);
            adj[i] = adj[i - 1] + w;
            t += static_cast<float>(si);
        }
        const float x = c.base;
        const int h = std::min(static_cast<int>((n - 1) * (x - t0) / (t1 - t0)), n - 2);
        const int ax = adj[h] + static_cast<int>((x - (static_cast<float>(h) * s + t0)) *
                                                     static_cast<float>(adj[h + 1] - adj[h]) / s +
                                                 0.5f);
        std::vector<uint16_t> expected;
        for (int a : adj) {
            expected.push_back(static_cast<uint16_t>(a + (0x4000 - ax)));
        }
        EXPECT_EQ(tctest::adjusted_table(e.h()), expected);
    }
}
