// The calibration-data loader on arbitrary bytes, through its length-checked
// path. Data that loads is also saved, selected and run through the script.
#include "ad_temp.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tempcore::detail::ADTemp engine(1);
    if (!engine.load_calibrate_data(data, size)) {
        return 0;
    }
    int length = 0;
    if (engine.save_calibrate_data(nullptr, &length, true)) {
        std::vector<uint8_t> saved(static_cast<std::size_t>(length));
        engine.save_calibrate_data(saved.data(), &length, true);
        tempcore::detail::ADTemp again(1);
        again.load_calibrate_data(saved.data(), saved.size());
    }
    unsigned char count = 0;
    engine.get_supported_lens_info(nullptr, &count);
    std::vector<tagLenInfo> lenses(count);
    if (count > 0 && engine.get_supported_lens_info(lenses.data(), &count)) {
        const tagLenInfo& lens = lenses[0];
        if (lens.range_count > 0 && engine.select_len_and_range(lens.len_type, lens.ranges[0].meas_range)) {
            const float sensors[5] = {30, 30, 30, 30, 30};
            engine.update_temperature_sensor(sensors);
            engine.calc_base_temp();
            uint16_t ad[4] = {0, 12000, 16384, 65535};
            float out[4];
            engine.get_temperature(ad, 4, out, true);
            engine.get_temperature_ex(ad, 4, 0.9f, 5.0f, out);
            uint16_t back;
            engine.get_ad_from_temp(25.0f, &back);
        }
    }
    return 0;
}
