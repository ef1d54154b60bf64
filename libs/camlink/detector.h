// The Detector: everything that belongs to one physical detector (edges,
// lenses with their per-range parameters, the bad-pixel map, K and
// outer-correction tables), the current lens, range and environment, and
// the file it is kept in. Thread-safe: one lock guards the configuration.
#pragma once

#include "detector_config.h"
#include "vy_lock.h"

#include <string>
#include <vector>

namespace camlink {
namespace detail {

// Measuring parameters of one range.
struct MeasPara {
    uint16_t vsk = 0;
    uint16_t gfid = 0;
    uint8_t gain = 0;
    uint16_t integral = 0;
};

// What the current range selects.
struct CurrentRange {
    int lens = -1;
    int range = -1;
    uint8_t k_index = kNoIndex;
    uint8_t outer_index = kNoIndex;
    float outer_temperature = kNoTemperature;
    RangeEntry entry;
};

// A uniform scene recorded for the two-point correction.
struct UniformScene {
    std::vector<uint16_t> readings;
    uint16_t mean = 0;
};

class Detector {
public:
    Detector();

    void set_resolution(uint16_t width, uint16_t height);
    bool load_data_from_file(const std::string& path);
    // Written to a temporary file beside the target and renamed over it.
    bool save_data_to_file(const std::string& path);

    DetectorConfig config();
    uint16_t left_edge();
    uint16_t top_edge();
    void set_left_edge(uint16_t edge);
    void set_top_edge(uint16_t edge);

    bool add_len(int lens);
    bool delete_len(int lens);
    bool has_len(int lens);
    std::vector<int32_t> lens_types();

    bool get_meas_para(int lens, int range, MeasPara* out);
    bool set_meas_para(int lens, int range, const MeasPara& para);
    bool get_dac(int lens, int range, uint16_t* dac);
    bool set_dac(int lens, int range, uint16_t dac);
    bool get_ndac(int lens, int range, uint16_t* ndac);
    bool set_ndac(int lens, int range, uint16_t ndac);
    bool get_shift_compensation(int lens, int range, uint16_t* value);
    bool set_shift_compensation(int lens, int range, uint16_t value);
    bool get_reverse_type(int lens, uint8_t* type);
    bool set_reverse_type(int lens, uint8_t type);

    void set_environment(int environment);
    int environment();
    // Makes lens and range current; their K index falls back to the nearest
    // lower range that has one, and in environment 1 to environment 0.
    bool select(int lens, int range);
    CurrentRange current();

    // Corrections (current lens, range and environment).
    void set_scene(int which, UniformScene scene);
    bool calc_two_point_correct();
    bool current_k_table(std::vector<int16_t>* out);
    bool calc_compensation_of_outer_correct(const std::vector<uint16_t>& plane, float temperature);
    bool current_outer_table(std::vector<int16_t>* out);
    bool delete_outer_correct(int lens, int range);
    bool has_outer_correct(int lens, int range, bool* has);

    bool add_bad_pt(uint16_t x, uint16_t y);
    bool set_bad_map(const std::vector<uint8_t>& map);
    std::vector<uint8_t> bad_map();

private:
    template <class Fn>
    bool with_entry(int lens, int range, const char* function, Fn fn);
    RangeEntry* entry_locked(int lens, int range);
    RangeEntry* current_entry_locked();
    void select_locked();

    VyLock lock_{"detector"};
    DetectorConfig config_;
    int environment_ = 0;
    int lens_ = -1;
    int range_ = -1;
    CurrentRange current_;
    UniformScene scenes_[2];
};

}  // namespace detail
}  // namespace camlink
