#include "sources/thread_capture.h"

#include "sources/ir_net_device.h"

#include <QLoggingCategory>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

int ThreadCapture::interval_ms(int frequency)
{
    return 1000 / std::max(1, frequency);
}

void ThreadCapture::run()
{
    qCInfo(lc_source) << "ThreadRecording::run start";
    const int frequency = std::max(1, RecordSettings::read(m_device->get_ir_name()).frequency);
    const int interval = interval_ms(frequency);
    if (!open_run(frequency)) {
        finish();
        return;
    }
    // The time counts recorded frames, so a run of n minutes holds n
    // minutes of pictures at the chosen frequency.
    int64_t seconds = 0;
    int frames_this_second = 0;
    int frames_in_file = 0;
    while (!stopped()) {
        const int64_t t0 = elapsed_ms();
        if (!check_free_space() || !switch_if_full(frames_in_file)) {
            break;
        }
        m_file.record_one_frame();
        if (frames_this_second % frequency == 0) {
            ++seconds;
            emit_time(seconds);
            frames_this_second = 0;
        }
        if (!m_settings.unlimited && seconds >= int64_t(m_settings.duration_minutes) * 60) {
            break;
        }
        int64_t rest = interval - (elapsed_ms() - t0);
        if (rest <= 0) {
            qCDebug(lc_source) << "--------- Change record sleep tm --------";
            rest = 1;
        }
        ++frames_this_second;
        ++frames_in_file;
        if (!wait_ms(int(rest))) {
            break;
        }
    }
    finish();
    qCInfo(lc_source) << "ThreadRecording::run end";
}
