// The calibration engine both frame sources turn AD values into
// temperatures with.
#include "frame_source.h"

#include "camera_packets.h"

#include "tempcore.h"

#include <algorithm>
#include <vector>

namespace camsim {

bool open_calibration_engine(const std::string& calibration, void** engine, int32_t* lens, int32_t* range)
{
    const float sensor = 25.0f;
    unsigned char count = 0;
    int environment = 0;
    bool ok = vy_at_init(engine) && vy_at_load_calibrate_data_from_file(*engine, calibration.c_str()) &&
              vy_at_get_supported_lens_info(*engine, nullptr, &count) && count > 0;
    std::vector<tagLenInfo> lenses(count);
    ok = ok && vy_at_get_supported_lens_info(*engine, lenses.data(), &count) && lenses[0].range_count > 0;
    if (ok) {
        *lens = lenses[0].len_type;
        *range = lenses[0].ranges[0].meas_range;
    }
    ok = ok && vy_at_set_len_type_and_meas_range(*engine, *lens, *range) &&
         vy_at_update_temperature_sensor(*engine, sensor, sensor, sensor, sensor, sensor, &environment) &&
         vy_at_calc_base_temp(*engine);
    if (!ok && *engine != nullptr) {
        vy_at_uninit(engine);
    }
    return ok;
}

bool read_calibration_lenses(const std::string& calibration, std::vector<LensRanges>* lenses)
{
    void* engine = nullptr;
    unsigned char count = 0;
    bool ok = vy_at_init(&engine) && vy_at_load_calibrate_data_from_file(engine, calibration.c_str()) &&
              vy_at_get_supported_lens_info(engine, nullptr, &count) && count > 0;
    std::vector<tagLenInfo> infos(count);
    ok = ok && vy_at_get_supported_lens_info(engine, infos.data(), &count);
    if (engine != nullptr) {
        vy_at_uninit(&engine);
    }
    if (!ok) {
        return false;
    }
    lenses->clear();
    for (unsigned i = 0; i < count && i < infos.size(); ++i) {
        LensRanges lens;
        lens.lens = static_cast<uint8_t>(infos[i].len_type);
        const unsigned ranges =
            std::min<unsigned>(infos[i].range_count, sizeof(infos[i].ranges) / sizeof(infos[i].ranges[0]));
        for (unsigned r = 0; r < ranges; ++r) {
            lens.ranges.push_back({static_cast<uint8_t>(infos[i].ranges[r].meas_range), infos[i].ranges[r].min_temp,
                                   infos[i].ranges[r].max_temp});
        }
        lenses->push_back(std::move(lens));
    }
    return !lenses->empty() && !lenses->front().ranges.empty();
}

}  // namespace camsim
