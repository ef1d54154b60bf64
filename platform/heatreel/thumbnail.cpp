// The exports of heatreel: a recording's validity and the thumbnail of its
// first frame.
#include "heatreel.h"

#include "doc_stack.h"
#include "logline.h"
#include "sensekern.h"

#include <algorithm>
#include <vector>

namespace {

// The thumbnail's size for a frame: the frame's, scaled down to fit the cap.
void thumbnail_size(uint16_t width, uint16_t height, int* out_w, int* out_h)
{
    const int side = std::max(width, height);
    if (side <= HEATREEL_MAX_THUMBNAIL_SIDE) {
        *out_w = width;
        *out_h = height;
        return;
    }
    *out_w = std::max(1, width * HEATREEL_MAX_THUMBNAIL_SIDE / side);
    *out_h = std::max(1, height * HEATREEL_MAX_THUMBNAIL_SIDE / side);
}

// The first frame's colours at frame size, automatic imaging.
bool first_frame_pixels(void* reader, uint16_t width, uint16_t height, std::vector<uint32_t>* pixels)
{
    void* frame = nullptr;
    if (!sensekern_init(&frame)) {
        return false;
    }
    pixels->assign(static_cast<std::size_t>(width) * height, 0);
    uint32_t length = static_cast<uint32_t>(pixels->size() * 4);
    const bool ok = sensekern_record_load_frame(reader, 0, frame, nullptr) && sensekern_auto_imaging(frame) &&
                    sensekern_get_bits(frame, reinterpret_cast<unsigned char*>(pixels->data()), &length);
    sensekern_uninit(&frame);
    return ok;
}

}  // namespace

bool vy_ts_is_valid_file_w(const std::wstring& path)
{
    return docstack::is_recording(docstack::utf8_of(path));
}

bool vy_ts_get_thumbnail_bits_w(const std::wstring& path, int& width, int& height, unsigned char* bits)
{
    const std::string utf8 = docstack::utf8_of(path);
    void* reader = nullptr;
    if (utf8.empty() || !sensekern_record_open(&reader, utf8.c_str())) {
        return false;
    }
    uint32_t count = 0;
    uint16_t frame_w = 0;
    uint16_t frame_h = 0;
    int thumb_w = 0;
    int thumb_h = 0;
    bool ok = sensekern_record_get_info(reader, &count, &frame_w, &frame_h, nullptr) && count != 0;
    if (ok) {
        thumbnail_size(frame_w, frame_h, &thumb_w, &thumb_h);
    }
    if (ok && bits == nullptr) {
        width = thumb_w;
        height = thumb_h;
    } else if (ok && (width != thumb_w || height != thumb_h)) {
        logline_print(LOGLINE_ERROR, "heatreel", __FILE__, __LINE__, "vy_ts_get_thumbnail_bits_w",
                      "a %dx%d thumbnail was asked of a %dx%d one", width, height, thumb_w, thumb_h);
        ok = false;
    } else if (ok) {
        std::vector<uint32_t> pixels;
        ok = first_frame_pixels(reader, frame_w, frame_h, &pixels);
        // Nearest pixel of the frame for each thumbnail pixel; alpha opaque.
        auto* out = reinterpret_cast<uint32_t*>(bits);
        for (int y = 0; ok && y < thumb_h; ++y) {
            const std::size_t sy = static_cast<std::size_t>(y) * frame_h / thumb_h;
            for (int x = 0; x < thumb_w; ++x) {
                const std::size_t sx = static_cast<std::size_t>(x) * frame_w / thumb_w;
                out[static_cast<std::size_t>(y) * thumb_w + x] = 0xFF000000u | pixels[sy * frame_w + sx];
            }
        }
    }
    sensekern_record_close(&reader);
    return ok;
}
