// The decoders of the packages a camera sends unasked. The first byte picks
// the decoder.
#include "data_packages.h"

#include <cstdint>
#include <vector>

using namespace streamnet::detail;

namespace {

void check_inside(const uint8_t* part, std::size_t length, const std::vector<uint8_t>& payload)
{
    if (length > 0 && (part < payload.data() || part + length > payload.data() + payload.size())) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const uint8_t which = data[0] % 9;
    std::vector<uint8_t> payload(data + 1, data + size);
    const uint8_t* p = payload.data();
    const std::size_t n = payload.size();
    switch (which) {
    case 0: {
        PsPackage package;
        decode_ps_package(p, n, &package);
        if (package.has_video) {
            check_inside(package.video, package.video_size, payload);
        }
        break;
    }
    case 1: {
        PsPackage package;
        if (decode_visible_video(p, n, &package)) {
            check_inside(package.video, package.video_size, payload);
        }
        break;
    }
    case 2: {
        std::vector<float> temperatures(n / 2);
        convert_temperature_frame(p, n, (n & 1) != 0, temperatures.data());
        break;
    }
    case 3: {
        ImagingInfo info;
        decode_imaging_info(p, n, &info);
        break;
    }
    case 4: {
        RuleTemperatures rules;
        decode_rule_temperatures(p, n, &rules);
        break;
    }
    case 5: {
        RuleAlarms alarms;
        decode_rule_alarms(p, n, &alarms);
        break;
    }
    case 6: {
        RuleDiffAlarms alarms;
        decode_rule_diff_alarms(p, n, &alarms);
        break;
    }
    case 7: {
        PresetChange change;
        decode_preset_change(p, n, &change);
        break;
    }
    default: {
        DownloadChunk chunk;
        if (decode_download_chunk(p, n, &chunk)) {
            check_inside(chunk.data, chunk.size, payload);
        }
        break;
    }
    }
    return 0;
}
