// The frame thread of a live camera: waits for the frames the camera stream
// announces and runs the per-frame work of its source for each frame seen.
// When it falls behind it skips frames rather than queueing them.
#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

class IRNetDevice;

class ThreadNetDeviceShow : public QThread {
    Q_OBJECT

public:
    explicit ThreadNetDeviceShow(IRNetDevice* device);
    ~ThreadNetDeviceShow() override;

    // From the stream's thread: a new frame is there.
    void notify_frame();
    // Ends the loop and joins the thread.
    void stop();

protected:
    void run() override;

private:
    // Waits until a frame was announced or the thread is stopped; false on stop.
    bool wait_frame();

    IRNetDevice* m_device;
    QMutex m_mutex;
    QWaitCondition m_cond;
    bool m_pending = false;
    bool m_stop = false;
};
