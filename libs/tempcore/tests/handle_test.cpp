// Handle checks of every export: null, foreign and freed handles.
#include "engine_fixture.h"

#include <functional>

namespace {

// Calls every export that takes a handle with harmless arguments.
std::vector<std::pair<const char*, std::function<bool(void*)>>> all_exports()
{
    static uint16_t ad[4] = {12000, 13000, 14000, 15000};
    static float out[4];
    static unsigned char bytes[4096];
    static char text[32];
    static tagLenInfo info[8];
    return {
        {"get_detector_type", [](void* h) { IRDetectorType t; return vy_at_get_detector_type(h, &t); }},
        {"set_detector_type", [](void* h) { return vy_at_set_detector_type(h, 1); }},
        {"set_version_prefix", [](void* h) { return vy_at_set_version_prefix(h, 0); }},
        {"get_version", [](void* h) { uint16_t v; return vy_at_get_version(h, &v); }},
        {"reset_version", [](void* h) { return vy_at_reset_version(h); }},
        {"is_same_machine", [](void* h) { bool b; return vy_at_is_same_machine(h, &b); }},
        {"is_calibrating", [](void* h) { bool b; return vy_at_is_calibrating(h, &b); }},
        {"set_is_calibrating", [](void* h) { return vy_at_set_is_calibrating(h, false); }},
        {"set_calibrate_enviroment", [](void* h) { return vy_at_set_calibrate_enviroment(h, 0); }},
        {"load_file", [](void* h) { return vy_at_load_calibrate_data_from_file(h, "ad_temp"); }},
        {"load_buffer", [](void* h) { return vy_at_load_calibrate_data_from_buffer(h, nullptr); }},
        {"save", [](void* h) { int n = sizeof(bytes); return vy_at_save_calibrate_data_to_buffer(h, bytes, &n); }},
        {"save_no_script", [](void* h) { int n = sizeof(bytes); return vy_at_get_calibrate_data_without_script_data(h, bytes, &n); }},
        {"save_para", [](void* h) { int n = sizeof(bytes); return vy_at_save_temperature_para_to_buffer(h, bytes, &n); }},
        {"get_mac_info", [](void* h) { return vy_at_get_mac_info(h, text, nullptr, nullptr, nullptr, nullptr); }},
        {"set_productor", [](void* h) { return vy_at_set_productor(h, "x"); }},
        {"set_mac_type", [](void* h) { return vy_at_set_mac_type(h, "x"); }},
        {"set_mac_sn", [](void* h) { return vy_at_set_mac_sn(h, "x"); }},
        {"set_detector_sn", [](void* h) { return vy_at_set_detector_sn(h, "x"); }},
        {"set_product_date_time", [](void* h) { return vy_at_set_product_date_time(h, "x"); }},
        {"add_len", [](void* h) { return vy_at_add_len_and_meas_range(h, 0, 0); }},
        {"delete_len", [](void* h) { return vy_at_delete_len_type(h, 0); }},
        {"delete_len_ex", [](void* h) { return vy_at_delete_len_type_ex(h, 0, 0); }},
        {"select", [](void* h) { return vy_at_set_len_type_and_meas_range(h, 0, 0); }},
        {"lens_info", [](void* h) { unsigned char c = 0; return vy_at_get_supported_lens_info(h, nullptr, &c); }},
        {"cur_info", [](void* h) { return vy_at_get_cur_len_range_info(h, info); }},
        {"set_len_sn", [](void* h) { return vy_at_set_len_sn_and_des(h, 0, "a", "b"); }},
        {"get_drift", [](void* h) { float f; return vy_at_get_len_temp_drift_compensation(h, 0, &f); }},
        {"set_drift", [](void* h) { return vy_at_set_len_temp_drift_compensation_coff(h, 0, 1.0f); }},
        {"sample_count", [](void* h) { unsigned char c; return vy_at_get_sample_count(h, 0, 0, &c); }},
        {"sample_ad", [](void* h) { return vy_at_get_sample_ad(h, 0, 0, ad); }},
        {"sample_temp", [](void* h) { int16_t a, b; return vy_at_get_sample_temp(h, 0, 0, &a, &b); }},
        {"set_sample_data", [](void* h) { return vy_at_set_sample_data(h, 0, 0, 0, 30, 4, ad); }},
        {"set_sample_range", [](void* h) { return vy_at_set_sample_range(h, 0, 0, 0, 30); }},
        {"get_base_ad_comp", [](void* h) { int16_t v; return vy_at_get_base_ad_compensation(h, 0, 0, &v); }},
        {"set_base_ad_comp", [](void* h) { return vy_at_set_base_ad_compensation(h, 0, 0, 1); }},
        {"get_det_temp", [](void* h) { float v; return vy_at_get_detector_temp_when_calibrate(h, 0, 0, &v); }},
        {"set_det_temp", [](void* h) { return vy_at_set_detector_temp_when_calibrate(h, 0, 0, 20.0f); }},
        {"temperature", [](void* h) { return vy_at_get_temperature_from_ad(h, ad, 4, out); }},
        {"temperature_unlimited", [](void* h) { return vy_at_get_no_limited_temperature_from_ad(h, ad, 4, out); }},
        {"temperature_ex", [](void* h) { return vy_at_get_temperature_from_ad_ex(h, ad, 4, 0.9f, 2.0f, out); }},
        {"ad_from_temperature", [](void* h) { uint16_t v; return vy_at_get_ad_from_temperature(h, 20.0f, &v); }},
        {"set_para", [](void* h) { return vy_at_set_temperature_para(h, 0, 0.9f, 3.0f, 25.0f, 0.5f, 0.0f, 0.0f); }},
        {"get_para", [](void* h) { return vy_at_get_temperature_para(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }},
        {"set_unit", [](void* h) { return vy_at_set_temperature_unit(h, 0); }},
        {"set_emiss", [](void* h) { return vy_at_set_emiss(h, 0.95f); }},
        {"set_dist", [](void* h) { return vy_at_set_dist(h, 3.0f); }},
        {"set_env_temp", [](void* h) { return vy_at_set_env_temp(h, 25.0f); }},
        {"set_rel_hum", [](void* h) { return vy_at_set_rel_hum(h, 0.5f); }},
        {"set_modify", [](void* h) { return vy_at_set_modify_temp(h, 0.0f); }},
        {"set_reference", [](void* h) { return vy_at_set_enviroment_reference_temperature(h, 20.0f); }},
        {"update_table", [](void* h) { return vy_at_update_ad_temp_table(h); }},
        {"update_sensor", [](void* h) { int e; return vy_at_update_temperature_sensor(h, 1, 2, 3, 4, 5, &e); }},
        {"get_sensor", [](void* h) { return vy_at_get_sensor_temp(h, out, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }},
        {"calc_base", [](void* h) { return vy_at_calc_base_temp(h); }},
        {"update_adjusted", [](void* h) { return vy_at_update_adjusted_ad_table(h, 30, 30, 0); }},
        {"get_adjusted", [](void* h) { int n = 0; return vy_at_get_adjusted_ad_table(h, &n, nullptr); }},
        {"get_ad_comp", [](void* h) { int16_t v; return vy_at_get_ad_compensation(h, &v); }},
        {"get_ad_comp_coff", [](void* h) { int n = 0; return vy_at_get_ad_compensation_coff(h, &n, nullptr); }},
        {"set_script", [](void* h) { return vy_at_set_script_data(h, "x = 1", 5); }},
        {"get_script", [](void* h) { int n = 0; return vy_at_get_script_data(h, nullptr, &n); }},
        {"get_compressed", [](void* h) { int n = 0; return vy_at_get_compressed_script_data(h, nullptr, &n); }},
    };
}

// Any registered object of another type: a stand-in for another library's handle.
struct Foreign {
    void* vtable_slot = nullptr;
    char tag[65] = "ad_data";
};

TEST(handle, null_foreign_and_freed_handles_are_refused)
{
    void* freed = nullptr;
    ASSERT_TRUE(vy_at_init(&freed));
    void* stale = freed;
    ASSERT_TRUE(vy_at_uninit(&freed));
    Foreign foreign;
    for (const auto& entry : all_exports()) {
        EXPECT_FALSE(entry.second(nullptr)) << entry.first << " with a null handle";
        EXPECT_FALSE(entry.second(&foreign)) << entry.first << " with a foreign handle";
        EXPECT_FALSE(entry.second(stale)) << entry.first << " with a freed handle";
    }
    EXPECT_EQ(all_exports().size(), 62u);
}

TEST(handle, uninit_clears_the_variable_and_refuses_twice)
{
    void* h = nullptr;
    ASSERT_TRUE(vy_at_init_ex(&h, 3));
    ASSERT_NE(h, nullptr);
    IRDetectorType type = -1;
    EXPECT_TRUE(vy_at_get_detector_type(h, &type));
    EXPECT_EQ(type, 3);
    void* copy = h;
    EXPECT_TRUE(vy_at_uninit(&h));
    EXPECT_EQ(h, nullptr);
    EXPECT_FALSE(vy_at_uninit(&h));
    EXPECT_FALSE(vy_at_uninit(&copy));
    EXPECT_FALSE(vy_at_uninit(nullptr));
    EXPECT_FALSE(vy_at_init(nullptr));
}

TEST(handle, fresh_object_defaults)
{
    tctest::Engine e;
    IRDetectorType type = -1;
    ASSERT_TRUE(vy_at_get_detector_type(e.h(), &type));
    EXPECT_EQ(type, 1);
    uint16_t version = 0;
    ASSERT_TRUE(vy_at_get_version(e.h(), &version));
    EXPECT_EQ(version, 1);
    // The table is zero until a table is built.
    uint16_t ad[3] = {0, 20000, 65535};
    float out[3] = {1, 1, 1};
    ASSERT_TRUE(vy_at_get_no_limited_temperature_from_ad(e.h(), ad, 3, out));
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[1], 0.0f);
    EXPECT_EQ(out[2], 0.0f);
    EXPECT_FALSE(vy_at_set_calibrate_enviroment(e.h(), 2));
    EXPECT_FALSE(vy_at_set_calibrate_enviroment(e.h(), -1));
    EXPECT_TRUE(vy_at_set_calibrate_enviroment(e.h(), 1));
    // The version prefix goes into the high byte; reset brings back 1.
    ASSERT_TRUE(vy_at_set_version_prefix(e.h(), 128));
    ASSERT_TRUE(vy_at_get_version(e.h(), &version));
    EXPECT_EQ(version, 0x8001);
    ASSERT_TRUE(vy_at_reset_version(e.h()));
    ASSERT_TRUE(vy_at_get_version(e.h(), &version));
    EXPECT_EQ(version, 1);
    float s[8];
    ASSERT_TRUE(vy_at_get_sensor_temp(e.h(), &s[0], &s[1], &s[2], &s[3], &s[4], &s[5], &s[6], &s[7]));
    for (float v : s) {
        EXPECT_FLOAT_EQ(v, -273.15f);
    }
}

}  // namespace
