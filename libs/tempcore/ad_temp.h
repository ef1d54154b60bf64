// The calibration object behind a tempcore handle and what its source files
// share.
#pragma once

#include "calc_temp.h"
#include "logline.h"
#include "script_runner.h"
#include "stock_vector.h"
#include "vy_base_object.h"
#include "vy_lock.h"
#include "vytypes.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#define TC_LOG(function, ...) \
    logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, "ADTemp::" function, __VA_ARGS__)

namespace tempcore {
namespace detail {

constexpr const char* kTag = "ad_temp";
constexpr int kTableFirstAd = 10000;
constexpr int kTableSize = 28000;
constexpr float kAbsoluteZero = -273.15f;
constexpr uint16_t kBaseAd = 0x4000;
constexpr int kMaxLensType = 5;
// The loader keeps lens type 6 as well; no lens operation selects it.
constexpr int kMaxLoadedLensType = 6;
constexpr int kMaxRange = 3;
constexpr int kMaxLenses = 5;
constexpr int kMaxRangeRecords = 8;
constexpr uint32_t kMaxScriptBytes = 1u << 20;
constexpr int kHeaderSize = 129;
constexpr int kParaRecordSize = 48;

inline int table_index(int ad)
{
    if (ad < kTableFirstAd) {
        return 0;
    }
    if (ad >= kTableFirstAd + kTableSize) {
        return kTableSize - 1;
    }
    return ad - kTableFirstAd;
}

inline float to_fahrenheit(float celsius)
{
    return celsius * 1.8f + 32.0f;
}

struct RangeRecord {
    float detector_temp = kAbsoluteZero;
    int16_t first_temp = 0;
    int16_t last_temp = 0;
    int16_t min_temp = 0;
    int16_t max_temp = 0;
    int16_t base_ad_compensation = 0;
    std::vector<uint16_t> samples;
    bool operator==(const RangeRecord& o) const;
};

struct LensRecord {
    std::string serial;
    std::string description;
    float drift_coefficient = 0.0f;
    std::map<int, RangeRecord> ranges;
};

using LensMap = std::map<int, LensRecord>;

// The fields whose equality makes a load the "same machine".
struct MachineIdentity {
    std::string date_time;
    std::string detector_sn;
    std::string mac_type;
    std::string mac_sn;
    bool operator==(const MachineIdentity& o) const
    {
        return date_time == o.date_time && detector_sn == o.detector_sn && mac_type == o.mac_type &&
               mac_sn == o.mac_sn;
    }
};

// A calibration block parsed in full before anything is committed.
struct CalibrationData {
    uint16_t version = 1;
    std::string productor;
    MachineIdentity identity;
    int detector_type = 0;
    LensMap lenses[2];
    uint32_t script_size = 0;
    uint32_t script_bits = 0;
    std::vector<uint8_t> compressed;
};

// Parses the header (identity, version, texts, detector type). Logs and
// returns false on refusal.
bool parse_calibration_header(const uint8_t* data, uint64_t size, CalibrationData* out);
// Parses the lens blocks and the script trailer after the header.
bool parse_calibration_body(const uint8_t* data, uint64_t size, CalibrationData* out);

// Locks, outer first: env_lock_, calib_base_lock_, lens_lock_, tables_lock_,
// base_ad_lock_; then the leaves script_lock_, readings_lock_ and the model's
// own lock, which are never held while another lock is taken. A VyLock
// refuses to be taken twice by one thread, so internal functions named
// *_locked expect their lock to be held by the caller.
class ADTemp : public _VYBaseObject {
public:
    explicit ADTemp(IRDetectorType type);
    ~ADTemp() override;

    // --- object (ad_temp.cpp)
    IRDetectorType detector_type() const { return detector_type_.load(); }
    void set_detector_type(IRDetectorType type) { detector_type_.store(type); }
    void set_version_prefix(int prefix);
    uint16_t version();
    void reset_version();
    bool is_same_machine() const { return same_machine_.load(); }
    bool is_calibrating() const { return calibrating_.load(); }
    void set_calibrating(bool on) { calibrating_.store(on); }
    bool set_environment(int environment);

    // --- calibration data (calibrate_data.cpp)
    bool load_calibrate_data(const uint8_t* data, uint64_t size);
    bool save_calibrate_data(uint8_t* buffer, int* length, bool with_script);
    bool save_temperature_para(uint8_t* buffer, int* length);
    void get_mac_info(char* productor, char* mac_type, char* mac_sn, char* detector_sn,
                      char* date_time);
    enum class IdentityField { productor, mac_type, mac_sn, detector_sn, date_time };
    bool set_identity_text(IdentityField field, const char* text);

    // --- lenses and ranges (lens_ranges.cpp)
    bool add_len_and_range(int lens, int range);
    bool delete_len(int lens);
    bool delete_range(int lens, int range);
    bool select_len_and_range(int lens, int range);
    bool get_supported_lens_info(tagLenInfo* items, unsigned char* count);
    bool get_cur_len_range_info(tagLenInfo* info);
    bool set_len_sn_and_des(int lens, const char* serial, const char* description);
    bool get_drift_coefficient(int lens, float* coefficient);
    bool set_drift_coefficient(int lens, float coefficient);
    // Runs `fn` on the range record of the current environment under the
    // lens-map lock; false (and logged for a missing lens) when absent.
    template <class Fn>
    bool with_range(int lens, int range, const char* function, Fn fn);
    bool set_base_ad_compensation(int lens, int range, int16_t value);
    bool set_detector_temp_when_calibrate(int lens, int range, float value);

    // --- conversion (temperature_table.cpp)
    bool update_ad_temp_table();
    bool get_temperature(const uint16_t* ad, int count, float* out, bool limited);
    bool get_temperature_ex(const uint16_t* ad, int count, float emissivity, float distance,
                            float* out);
    bool get_ad_from_temp(float temperature, uint16_t* ad);
    enum class Param { emissivity, distance, ambient, humidity };
    bool set_param(Param which, float value);
    bool set_unit(int unit);
    bool set_modify_temp(float modify);
    bool set_reference_temp(float reference);
    bool set_temperature_para(int unit, float e, float d, float ambient, float humidity,
                              float modify, float reference);
    void get_temperature_para(int* unit, float* e, float* d, float* ambient, float* humidity,
                              float* modify, float* reference);

    // --- script, sensors, adjusted table (script_data.cpp)
    int update_temperature_sensor(const float sensors[5]);
    void get_sensor_temp(float* out[8]);
    bool calc_base_temp();
    bool update_adjusted_ad_table(float base, float detector, float modify);
    bool get_adjusted_ad_table(int* count, uint16_t* values);
    int16_t ad_compensation() const { return ad_compensation_.load(); }
    bool get_ad_compensation_coff(int* count, float* values);
    bool set_script_data(const char* text, int length);
    bool get_script_data(void* buffer, int* length, bool compressed);

private:
    // Calls a script function under the script lock. *present is false when
    // the script text does not name the function.
    bool run_script(const char* name, const double* args, int arg_count, double* results,
                    int result_count, bool* present);
    // The seven arguments of the section and base functions.
    void script_arguments(bool third_is_fixed, double args[7]);
    bool refresh_dist_coefficient(float distance, float ambient, float* coefficient,
                                  float* offset);
    bool run_ad_compensation();
    float read_switch_temp();
    // Expects the AD-tables lock to be held.
    bool rebuild_table_locked();
    bool update_adjusted_locked(float base, float detector, float modify);
    bool set_modify_locked(float modify);
    LensMap& current_map() { return lenses_[environment_.load()]; }
    // Runs `fn` on the lens in every environment that has it; false (and
    // logged) when none has.
    template <class Fn>
    bool with_lens_everywhere(int lens, const char* function, Fn fn);
    // Sets one field of a range record, and of the selected copy when the
    // range is the selected one.
    template <class T>
    bool set_range_field(int lens, int range, const char* function, T RangeRecord::*field, T value);

    std::atomic<int16_t> ad_compensation_{0};

    // Guarded by tables_lock_.
    VyLock tables_lock_{"ad tables lock"};
    std::vector<uint16_t> adjusted_;
    bool adjusted_valid_ = false;
    std::vector<float> table_;
    std::vector<int> section_bounds_;
    std::vector<float> section_coffs_;
    // Bumped whenever table_ changes.
    uint64_t table_generation_ = 0;
    // The table spread over every u16 AD value, unlimited and limited, so
    // that a frame converts with one load per pixel. Rebuilt on first use
    // after the table, the unit or the range limits change.
    struct LookupCache {
        uint64_t generation = UINT64_MAX;
        bool limited_valid = false;
        float low = 0.0f;
        float high = 0.0f;
        vybase::StockVector<float> full;
        vybase::StockVector<float> limited;
    };
    LookupCache lookup_;
    const float* lookup_table_locked(bool limited, int unit);
    float dist_coefficient_ = 1.0f;
    float dist_offset_ = 0.0f;
    // Copy of the selected range, read by the conversions.
    RangeRecord current_;

    std::atomic<int> current_lens_{-1};
    std::atomic<int> current_range_{-1};
    std::atomic<IRDetectorType> detector_type_;

    // Guarded by script_lock_ (innermost but for the model and the readings).
    std::mutex script_lock_;
    ScriptRunner script_;
    std::string script_text_;
    std::vector<uint8_t> compressed_script_;
    uint32_t script_bits_ = 0;

    VyLock calib_base_lock_{"calibration base lock"};
    VyLock env_lock_{"environment lock"};

    // Sensor readings and the values derived with them; a leaf lock.
    std::mutex readings_lock_;
    float sensors_[5];
    float base_temp_ = kAbsoluteZero;
    float detector_at_base_ = kAbsoluteZero;
    float modify_temp_ = 0.0f;
    float switch_temp_ = kAbsoluteZero;
    float reference_temp_ = 0.0f;

    // Guarded by lens_lock_; selection nests tables_lock_ inside it.
    VyLock lens_lock_{"lens map lock"};
    LensMap lenses_[2];
    bool identity_loaded_ = false;

    VyLock base_ad_lock_{"base ad lock"};
    uint16_t base_ad_ = kBaseAd;
    uint16_t version_ = 1;

    std::atomic<bool> calibrating_{false};
    std::atomic<int> environment_{0};

    // Identity texts, guarded by lens_lock_.
    std::string productor_;
    MachineIdentity identity_;
    std::atomic<bool> same_machine_{false};

    CalcTemp model_;
};

template <class Fn>
bool ADTemp::with_range(int lens, int range, const char* function, Fn fn)
{
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    LensMap& map = current_map();
    auto lens_it = map.find(lens);
    if (lens_it == map.end()) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, function,
                      "len = %d is not supported", lens);
        return false;
    }
    auto range_it = lens_it->second.ranges.find(range);
    if (range_it == lens_it->second.ranges.end()) {
        return false;
    }
    return fn(range_it->second);
}

}  // namespace detail
}  // namespace tempcore
