// The exported functions: each checks its handle, then forwards to the object.
#include "tempcore.h"

#include "ad_temp.h"
#include "handle_registry.h"

#include "basekit.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

using tempcore::detail::ADTemp;

namespace {

ADTemp* object_of(void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, tempcore::detail::kTag)) {
        return nullptr;
    }
    return static_cast<ADTemp*>(static_cast<_VYBaseObject*>(handle));
}

// An upper bound of a valid calibration block, for the loader that is given
// no length: the header, five lenses of eight full ranges, the largest script.
constexpr uint64_t kLargestCalibration =
    tempcore::detail::kHeaderSize + 5ull * (36 + 8ull * (14 + 2 * 255)) + 8 +
    tempcore::detail::kMaxScriptBytes;

}  // namespace

#define TC_OBJECT(handle)          \
    ADTemp* at = object_of(handle); \
    if (at == nullptr) {           \
        return false;              \
    }

bool vy_at_init(void** handle)
{
    return vy_at_init_ex(handle, 1);
}

bool vy_at_init_ex(void** handle, IRDetectorType type)
{
    return vy::create_handle<ADTemp>(handle, type);
}

bool vy_at_uninit(void** handle)
{
    return vy::destroy_handle(handle, tempcore::detail::kTag);
}

bool vy_at_get_detector_type(void* handle, IRDetectorType* type)
{
    TC_OBJECT(handle);
    if (type == nullptr) {
        return false;
    }
    *type = at->detector_type();
    return true;
}

bool vy_at_set_detector_type(void* handle, IRDetectorType type)
{
    TC_OBJECT(handle);
    at->set_detector_type(type);
    return true;
}

bool vy_at_set_version_prefix(void* handle, int prefix)
{
    TC_OBJECT(handle);
    at->set_version_prefix(prefix);
    return true;
}

bool vy_at_get_version(void* handle, uint16_t* version)
{
    TC_OBJECT(handle);
    if (version == nullptr) {
        return false;
    }
    *version = at->version();
    return true;
}

bool vy_at_reset_version(void* handle)
{
    TC_OBJECT(handle);
    at->reset_version();
    return true;
}

bool vy_at_is_same_machine(void* handle, bool* same)
{
    TC_OBJECT(handle);
    if (same == nullptr) {
        return false;
    }
    *same = at->is_same_machine();
    return true;
}

bool vy_at_is_calibrating(void* handle, bool* calibrating)
{
    TC_OBJECT(handle);
    if (calibrating == nullptr) {
        return false;
    }
    *calibrating = at->is_calibrating();
    return true;
}

bool vy_at_set_is_calibrating(void* handle, bool calibrating)
{
    TC_OBJECT(handle);
    at->set_calibrating(calibrating);
    return true;
}

bool vy_at_set_calibrate_enviroment(void* handle, int environment)
{
    TC_OBJECT(handle);
    return at->set_environment(environment);
}

bool vy_at_load_calibrate_data_from_file(void* handle, const char* path)
{
    TC_OBJECT(handle);
    if (path == nullptr) {
        return false;
    }
    int fd = -1;
    FILE* file = nullptr;
    if (vy_open_input_file(path, &fd, nullptr) != VY_OK || (file = ::fdopen(fd, "rb")) == nullptr) {
        TC_LOG("load_calibrate_data_from_file", "%s is not a readable file: %s", path, std::strerror(errno));
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    // Read no more than the largest valid block and one byte to spare.
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0 &&
           bytes.size() <= kLargestCalibration) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(file);
    return at->load_calibrate_data(bytes.data(), bytes.size());
}

bool vy_at_load_calibrate_data_from_buffer(void* handle, const unsigned char* data)
{
    TC_OBJECT(handle);
    return at->load_calibrate_data(data, kLargestCalibration);
}

bool vy_at_load_calibrate_data_from_bytes(void* handle, const unsigned char* data, uint32_t length)
{
    TC_OBJECT(handle);
    return length <= kLargestCalibration && at->load_calibrate_data(data, length);
}

bool vy_at_save_calibrate_data_to_buffer(void* handle, unsigned char* buffer, int* length)
{
    TC_OBJECT(handle);
    return at->save_calibrate_data(buffer, length, true);
}

bool vy_at_get_calibrate_data_without_script_data(void* handle, unsigned char* buffer, int* length)
{
    TC_OBJECT(handle);
    return at->save_calibrate_data(buffer, length, false);
}

bool vy_at_save_temperature_para_to_buffer(void* handle, unsigned char* buffer, int* length)
{
    TC_OBJECT(handle);
    return at->save_temperature_para(buffer, length);
}

bool vy_at_get_mac_info(void* handle, char* productor, char* mac_type, char* mac_sn,
                        char* detector_sn, char* product_date_time)
{
    TC_OBJECT(handle);
    at->get_mac_info(productor, mac_type, mac_sn, detector_sn, product_date_time);
    return true;
}

bool vy_at_set_productor(void* handle, const char* text)
{
    TC_OBJECT(handle);
    return at->set_identity_text(ADTemp::IdentityField::productor, text);
}

bool vy_at_set_mac_type(void* handle, const char* text)
{
    TC_OBJECT(handle);
    return at->set_identity_text(ADTemp::IdentityField::mac_type, text);
}

bool vy_at_set_mac_sn(void* handle, const char* text)
{
    TC_OBJECT(handle);
    return at->set_identity_text(ADTemp::IdentityField::mac_sn, text);
}

bool vy_at_set_detector_sn(void* handle, const char* text)
{
    TC_OBJECT(handle);
    return at->set_identity_text(ADTemp::IdentityField::detector_sn, text);
}

bool vy_at_set_product_date_time(void* handle, const char* text)
{
    TC_OBJECT(handle);
    return at->set_identity_text(ADTemp::IdentityField::date_time, text);
}

bool vy_at_add_len_and_meas_range(void* handle, int32_t lens, int32_t range)
{
    TC_OBJECT(handle);
    return at->add_len_and_range(lens, range);
}

bool vy_at_delete_len_type(void* handle, int32_t lens)
{
    TC_OBJECT(handle);
    return at->delete_len(lens);
}

bool vy_at_delete_len_type_ex(void* handle, int32_t lens, int32_t range)
{
    TC_OBJECT(handle);
    return at->delete_range(lens, range);
}

bool vy_at_set_len_type_and_meas_range(void* handle, int32_t lens, int32_t range)
{
    TC_OBJECT(handle);
    return at->select_len_and_range(lens, range);
}

bool vy_at_get_supported_lens_info(void* handle, tagLenInfo* items, unsigned char* count)
{
    TC_OBJECT(handle);
    return at->get_supported_lens_info(items, count);
}

bool vy_at_get_cur_len_range_info(void* handle, tagLenInfo* info)
{
    TC_OBJECT(handle);
    return at->get_cur_len_range_info(info);
}

bool vy_at_set_len_sn_and_des(void* handle, int32_t lens, const char* serial,
                              const char* description)
{
    TC_OBJECT(handle);
    return at->set_len_sn_and_des(lens, serial, description);
}

bool vy_at_get_len_temp_drift_compensation(void* handle, int32_t lens, float* coefficient)
{
    TC_OBJECT(handle);
    return at->get_drift_coefficient(lens, coefficient);
}

bool vy_at_set_len_temp_drift_compensation_coff(void* handle, int32_t lens, float coefficient)
{
    TC_OBJECT(handle);
    return at->set_drift_coefficient(lens, coefficient);
}

using tempcore::detail::RangeRecord;

bool vy_at_get_sample_count(void* handle, int32_t lens, int32_t range, unsigned char* count)
{
    TC_OBJECT(handle);
    if (count == nullptr) {
        return false;
    }
    return at->with_range(lens, range, "ADTemp::get_sample_count", [&](RangeRecord& r) {
        *count = static_cast<unsigned char>(r.samples.size());
        return true;
    });
}

bool vy_at_get_sample_ad(void* handle, int32_t lens, int32_t range, uint16_t* values)
{
    TC_OBJECT(handle);
    if (values == nullptr) {
        return false;
    }
    return at->with_range(lens, range, "ADTemp::get_sample_ad", [&](RangeRecord& r) {
        std::copy(r.samples.begin(), r.samples.end(), values);
        return true;
    });
}

bool vy_at_get_sample_temp(void* handle, int32_t lens, int32_t range, int16_t* first,
                           int16_t* last)
{
    TC_OBJECT(handle);
    if (first == nullptr || last == nullptr) {
        return false;
    }
    return at->with_range(lens, range, "ADTemp::get_sample_temp", [&](RangeRecord& r) {
        *first = r.first_temp;
        *last = r.last_temp;
        return true;
    });
}

bool vy_at_set_sample_data(void* handle, int32_t lens, int32_t range, int16_t first,
                           int16_t last, unsigned char count, const uint16_t* values)
{
    TC_OBJECT(handle);
    if (values == nullptr && count > 0) {
        return false;
    }
    return at->with_range(lens, range, "ADTemp::set_sample_data", [&](RangeRecord& r) {
        r.first_temp = first;
        r.last_temp = last;
        r.samples.assign(values, values + count);
        return true;
    });
}

bool vy_at_set_sample_range(void* handle, int32_t lens, int32_t range, int16_t min_temp,
                            int16_t max_temp)
{
    TC_OBJECT(handle);
    return at->with_range(lens, range, "ADTemp::set_sample_range", [&](RangeRecord& r) {
        r.min_temp = min_temp;
        r.max_temp = max_temp;
        return true;
    });
}

bool vy_at_get_base_ad_compensation(void* handle, int32_t lens, int32_t range,
                                    int16_t* compensation)
{
    TC_OBJECT(handle);
    if (compensation == nullptr) {
        return false;
    }
    return at->with_range(lens, range, "ADTemp::get_base_ad_compensation", [&](RangeRecord& r) {
        *compensation = r.base_ad_compensation;
        return true;
    });
}

bool vy_at_set_base_ad_compensation(void* handle, int32_t lens, int32_t range,
                                    int16_t compensation)
{
    TC_OBJECT(handle);
    return at->set_base_ad_compensation(lens, range, compensation);
}

bool vy_at_get_detector_temp_when_calibrate(void* handle, int32_t lens, int32_t range,
                                            float* temperature)
{
    TC_OBJECT(handle);
    if (temperature == nullptr) {
        return false;
    }
    return at->with_range(lens, range, "ADTemp::get_detector_temp_when_calibrate",
                          [&](RangeRecord& r) {
                              *temperature = r.detector_temp;
                              return true;
                          });
}

bool vy_at_set_detector_temp_when_calibrate(void* handle, int32_t lens, int32_t range,
                                            float temperature)
{
    TC_OBJECT(handle);
    return at->set_detector_temp_when_calibrate(lens, range, temperature);
}

bool vy_at_get_temperature_from_ad(void* handle, const uint16_t* ad, int count, float* out)
{
    TC_OBJECT(handle);
    return at->get_temperature(ad, count, out, true);
}

bool vy_at_get_no_limited_temperature_from_ad(void* handle, const uint16_t* ad, int count,
                                              float* out)
{
    TC_OBJECT(handle);
    return at->get_temperature(ad, count, out, false);
}

bool vy_at_get_temperature_from_ad_ex(void* handle, const uint16_t* ad, int count,
                                      float emissivity, float distance, float* out)
{
    TC_OBJECT(handle);
    return at->get_temperature_ex(ad, count, emissivity, distance, out);
}

bool vy_at_get_ad_from_temperature(void* handle, float temperature, uint16_t* ad)
{
    TC_OBJECT(handle);
    return at->get_ad_from_temp(temperature, ad);
}

bool vy_at_set_temperature_para(void* handle, int unit, float emissivity, float distance,
                                float ambient, float humidity, float modify, float reference)
{
    TC_OBJECT(handle);
    return at->set_temperature_para(unit, emissivity, distance, ambient, humidity, modify,
                                    reference);
}

bool vy_at_get_temperature_para(void* handle, int* unit, float* emissivity, float* distance,
                                float* ambient, float* humidity, float* modify, float* reference)
{
    TC_OBJECT(handle);
    at->get_temperature_para(unit, emissivity, distance, ambient, humidity, modify, reference);
    return true;
}

bool vy_at_set_temperature_unit(void* handle, int unit)
{
    TC_OBJECT(handle);
    return at->set_unit(unit);
}

bool vy_at_set_emiss(void* handle, float emissivity)
{
    TC_OBJECT(handle);
    return at->set_param(ADTemp::Param::emissivity, emissivity);
}

bool vy_at_set_dist(void* handle, float distance)
{
    TC_OBJECT(handle);
    return at->set_param(ADTemp::Param::distance, distance);
}

bool vy_at_set_env_temp(void* handle, float ambient)
{
    TC_OBJECT(handle);
    return at->set_param(ADTemp::Param::ambient, ambient);
}

bool vy_at_set_rel_hum(void* handle, float humidity)
{
    TC_OBJECT(handle);
    return at->set_param(ADTemp::Param::humidity, humidity);
}

bool vy_at_set_modify_temp(void* handle, float modify)
{
    TC_OBJECT(handle);
    return at->set_modify_temp(modify);
}

bool vy_at_set_enviroment_reference_temperature(void* handle, float reference)
{
    TC_OBJECT(handle);
    return at->set_reference_temp(reference);
}

bool vy_at_update_ad_temp_table(void* handle)
{
    TC_OBJECT(handle);
    return at->update_ad_temp_table();
}

bool vy_at_update_temperature_sensor(void* handle, float s1, float s2, float s3, float s4,
                                     float s5, int* environment)
{
    TC_OBJECT(handle);
    if (environment == nullptr) {
        return false;
    }
    const float sensors[5] = {s1, s2, s3, s4, s5};
    *environment = at->update_temperature_sensor(sensors);
    return true;
}

bool vy_at_get_sensor_temp(void* handle, float* s1, float* s2, float* s3, float* s4, float* s5,
                           float* base, float* detector_at_base, float* detector_at_calibration)
{
    TC_OBJECT(handle);
    float* out[8] = {s1, s2, s3, s4, s5, base, detector_at_base, detector_at_calibration};
    at->get_sensor_temp(out);
    return true;
}

bool vy_at_calc_base_temp(void* handle)
{
    TC_OBJECT(handle);
    return at->calc_base_temp();
}

bool vy_at_update_adjusted_ad_table(void* handle, float base, float detector, float modify)
{
    TC_OBJECT(handle);
    return at->update_adjusted_ad_table(base, detector, modify);
}

bool vy_at_get_adjusted_ad_table(void* handle, int* count, uint16_t* values)
{
    TC_OBJECT(handle);
    return at->get_adjusted_ad_table(count, values);
}

bool vy_at_get_ad_compensation(void* handle, int16_t* compensation)
{
    TC_OBJECT(handle);
    if (compensation == nullptr) {
        return false;
    }
    *compensation = at->ad_compensation();
    return true;
}

bool vy_at_get_ad_compensation_coff(void* handle, int* count, float* values)
{
    TC_OBJECT(handle);
    return at->get_ad_compensation_coff(count, values);
}

bool vy_at_set_script_data(void* handle, const char* text, int length)
{
    TC_OBJECT(handle);
    return at->set_script_data(text, length);
}

bool vy_at_get_script_data(void* handle, void* buffer, int* length)
{
    TC_OBJECT(handle);
    return at->get_script_data(buffer, length, false);
}

bool vy_at_get_compressed_script_data(void* handle, void* buffer, int* length)
{
    TC_OBJECT(handle);
    return at->get_script_data(buffer, length, true);
}
