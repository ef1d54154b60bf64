// The per-frame recorder: records each frame the camera's frame thread
// announces. An H.264 run keeps at most 50 frames per second by writing
// every n-th frame and declares the rate it really writes.
#pragma once

#include "sources/thread_recorder.h"

class ThreadRealCapture : public ThreadRecorder {
    Q_OBJECT

public:
    using ThreadRecorder::ThreadRecorder;

    // The rate assumed when the camera's rate is not measured yet.
    static constexpr int kAssumedRate = 25;
    static constexpr int kMaxH264Rate = 50;

    // Every step-th delivered frame is written to an H.264 stream at
    // rate / step frames per second.
    static int h264_step(int rate);
    // The measured rate, or the assumed one when none was measured.
    static int usable_rate(int measured);

protected:
    void run() override;
};
