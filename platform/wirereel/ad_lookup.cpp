#include "ad_lookup.h"

#include "wirereel_log.h"

#include "tempcore.h"


namespace wirereel {
namespace detail {

namespace {

constexpr std::size_t kWireValues = 65536;
constexpr uint32_t kUnknown = 0xFFFFFFFFu;  // no AD value has this

}  // namespace

bool choose_selection(const std::vector<tagLenInfo>& lenses, Selection camera, Selection* chosen)
{
    if (lenses.empty() || lenses[0].range_count == 0) {
        return false;
    }
    for (const tagLenInfo& lens : lenses) {
        for (int i = 0; i < lens.range_count && i < 4; ++i) {
            if (lens.len_type == camera.lens && lens.ranges[i].meas_range == camera.range) {
                *chosen = camera;
                return true;
            }
        }
    }
    chosen->lens = lenses[0].len_type;
    chosen->range = lenses[0].ranges[0].meas_range;
    return true;
}

uint16_t wire_value_of(float temperature)
{
    const float wire = (temperature + 300.0f) * 10.0f + 0.5f;
    if (!(wire >= 1.0f)) {  // NaN too
        return 0;
    }
    if (wire >= 65535.0f) {
        return 65535;
    }
    return static_cast<uint16_t>(wire);
}

AdLookup::~AdLookup()
{
    if (engine_ != nullptr) {
        vy_at_uninit(&engine_);
    }
}

bool AdLookup::prepare(const std::string& calibration, Selection selection)
{
    if (engine_ != nullptr && calibration == path_ && selection == selection_) {
        return true;
    }
    // A refusal is logged once, not at every frame.
    if (calibration == failed_path_ && selection == failed_selection_) {
        return false;
    }
    failed_path_ = calibration;
    failed_selection_ = selection;
    if (engine_ == nullptr || calibration != path_) {
        if (engine_ != nullptr) {
            vy_at_uninit(&engine_);
        }
        path_.clear();
        if (!vy_at_init(&engine_) || !vy_at_load_calibrate_data_from_file(engine_, calibration.c_str())) {
            WR_ERROR("calibration data %s can not be loaded", calibration.c_str());
            if (engine_ != nullptr) {
                vy_at_uninit(&engine_);
            }
            return false;
        }
        path_ = calibration;
    }
    int environment = 0;
    table_.assign(kWireValues, kUnknown);
    selection_ = Selection();
    if (!vy_at_set_len_type_and_meas_range(engine_, selection.lens, selection.range) ||
        !vy_at_update_temperature_sensor(engine_, kSensorTemperature, kSensorTemperature, kSensorTemperature,
                                         kSensorTemperature, kSensorTemperature, &environment) ||
        !vy_at_calc_base_temp(engine_)) {
        WR_ERROR("lens %d range %d of %s can not be selected", selection.lens, selection.range, path_.c_str());
        return false;
    }
    selection_ = selection;
    failed_path_.clear();
    return true;
}

uint16_t AdLookup::ad_of(uint16_t wire)
{
    uint32_t& entry = table_[wire];
    if (entry == kUnknown) {
        uint16_t ad = 0;
        // Outside the calibration's table the nearest end is the best answer.
        if (!vy_at_get_ad_from_temperature(engine_, wire / 10.0f - 300.0f, &ad)) {
            ad = wire < 3000 ? 0 : 65535;
        }
        entry = ad;
    }
    return static_cast<uint16_t>(entry);
}

void AdLookup::convert(const float* temperatures, std::size_t count, uint16_t* ad)
{
    for (std::size_t i = 0; i < count; ++i) {
        ad[i] = ad_of(wire_value_of(temperatures[i]));
    }
}

}  // namespace detail
}  // namespace wirereel
