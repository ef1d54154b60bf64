// The detector configuration reader on arbitrary bytes, for the detector
// size the file itself names (capped small so the fuzzer reaches the
// tables). A file that loads is saved again and must read back the same.
#include "detector_config.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace camlink::detail;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 26) {
        DetectorConfig ignored;
        decode_detector_file(data, size, 8, 6, &ignored);
        return 0;
    }
    uint16_t width = static_cast<uint16_t>(data[22] | data[23] << 8);
    uint16_t height = static_cast<uint16_t>(data[24] | data[25] << 8);
    if (width == 0 || height == 0 || width > 64 || height > 64) {
        width = 8;
        height = 6;
    }
    DetectorConfig config;
    if (!decode_detector_file(data, size, width, height, &config)) {
        return 0;
    }
    std::vector<uint8_t> saved;
    if (!encode_detector_file(config, kNewestFileVersion, &saved)) {
        return 0;
    }
    DetectorConfig again;
    if (!decode_detector_file(saved.data(), saved.size(), width, height, &again)) {
        std::abort();
    }
    std::vector<uint8_t> twice;
    if (!encode_detector_file(again, kNewestFileVersion, &twice) || twice != saved) {
        std::abort();
    }
    return 0;
}
