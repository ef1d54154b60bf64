// The .irv reader: header, trailer or recovery scan, and every frame.
#include "reseal.h"
#include "sensekern.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static void* frame = [] {
        void* h = nullptr;
        sensekern_init(&h);
        return h;
    }();
    int fd = memfd_create("irv", 0);
    if (fd < 0) {
        return 0;
    }
    std::vector<uint8_t> bytes(data, data + size);
    skfuzz::reseal_recording(&bytes);
    if (size == 0 || write(fd, bytes.data(), size) == static_cast<ssize_t>(size)) {
        char path[64];
        std::snprintf(path, sizeof(path), "/proc/self/fd/%d", fd);
        void* reader = nullptr;
        if (sensekern_record_open(&reader, path)) {
            uint32_t count = 0;
            sensekern_record_get_info(reader, &count, nullptr, nullptr, nullptr);
            for (uint32_t i = 0; i < count && i < 8; ++i) {
                uint32_t length = 0;
                sensekern_record_load_frame(reader, i, frame, nullptr);
                sensekern_record_get_frame_mark(reader, i, nullptr, &length);
            }
            sensekern_record_close(&reader);
        }
    }
    close(fd);
    return 0;
}
