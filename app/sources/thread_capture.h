// The timed recorder: records the camera's newest picture at a fixed
// frequency (1 to 50 frames per second) whatever rate the camera delivers.
#pragma once

#include "sources/thread_recorder.h"

class ThreadCapture : public ThreadRecorder {
    Q_OBJECT

public:
    using ThreadRecorder::ThreadRecorder;

    // Milliseconds between two frames of a frequency (below 1 counts as 1).
    static int interval_ms(int frequency);

protected:
    void run() override;
};
