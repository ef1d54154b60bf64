// The radiometric block reader on a picture's bytes.
#include "reseal.h"
#include "sensekern.h"

#include <cstdint>
#include <cstddef>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static void* frame = [] {
        void* h = nullptr;
        sensekern_init(&h);
        return h;
    }();
    std::vector<uint8_t> bytes(data, data + size);
    skfuzz::reseal_picture(&bytes);
    if (sensekern_load_picture_buffer(frame, bytes.data(), bytes.size())) {
        uint16_t w = 0;
        uint16_t h = 0;
        float t = 0.0f;
        sensekern_get_resolution(frame, &w, &h);
        sensekern_get_max_temperature(frame, nullptr, &t);
        uint32_t length = 0;
        sensekern_get_attached_data(frame, SENSEKERN_USER, nullptr, &length);
    }
    return 0;
}
