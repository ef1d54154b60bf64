#include "sources/thread_real_capture.h"

#include "sources/ir_net_device.h"

#include <QLoggingCategory>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

constexpr int kFreeSpaceEvery = 100;
constexpr int kFileSizeEvery = 5;

}  // namespace

int ThreadRealCapture::h264_step(int rate)
{
    return std::max(1, (rate + kMaxH264Rate - 1) / kMaxH264Rate);
}

int ThreadRealCapture::usable_rate(int measured)
{
    return measured > 0 ? measured : kAssumedRate;
}

void ThreadRealCapture::run()
{
    qCInfo(lc_source) << "ThreadRealCapture::run start";
    const int rate = usable_rate(m_device->frame_rate());
    const int type = RecordSettings::read(m_device->get_ir_name()).file_type;
    const int step = type == RecordSettings::H264 ? h264_step(rate) : 1;
    qCInfo(lc_source) << "x capture n_rate:" << rate << "step:" << step;
    if (!open_run(std::max(1, rate / step))) {
        finish();
        return;
    }
    int64_t last_second = -1;
    int64_t frame = 0;
    int frames_in_file = 0;
    while (wait_frame()) {
        ++frame;
        if (frame % step != 0) {
            continue;
        }
        if (frame % kFreeSpaceEvery == 0 && !check_free_space()) {
            break;
        }
        if (frame % kFileSizeEvery == 0 && !switch_if_full(frames_in_file)) {
            break;
        }
        m_file.record_one_frame();
        const int64_t seconds = elapsed_ms() / 1000;
        if (seconds != last_second) {
            emit_time(seconds);
            last_second = seconds;
        }
        if (!m_settings.unlimited && seconds >= int64_t(m_settings.duration_minutes) * 60) {
            break;
        }
        ++frames_in_file;
    }
    finish();
    qCInfo(lc_source) << "ThreadRealCapture::run end";
}
