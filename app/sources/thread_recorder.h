// What the two live recorders share: the settings of the run, the file
// being written, the free-space rule, the roll-over to a new file, and a
// wake-up that carries the stop request so that no stop is ever missed.
#pragma once

#include "sources/record_file.h"
#include "sources/record_settings.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

class IRNetDevice;

class ThreadRecorder : public QThread {
    Q_OBJECT

public:
    explicit ThreadRecorder(IRNetDevice* device);
    ~ThreadRecorder() override;

    // From the frame thread: one more frame is there.
    void notify_frame();
    // Ends the run at its next step and joins the thread.
    void stop();

    // Status texts of the recorder (the view shows -1 in a message box).
    static QString low_space_text();

protected:
    // Reads the settings and opens the first file; false (status 2 sent)
    // when the run cannot record.
    bool open_run(int fps);
    // The free-space rule: false when the run has to end.
    bool check_free_space();
    // Rolls over to a new file once the current one is full; false (status
    // 3 sent) when the new file cannot be started.
    bool switch_if_full(int& frames_in_file);
    // Waits for the next frame; false once stopped.
    bool wait_frame();
    // Waits ms milliseconds unless stopped first; false once stopped.
    virtual bool wait_ms(int ms);
    // Milliseconds since the run opened, on a monotonic clock.
    virtual int64_t elapsed_ms();
    bool stopped() const { return m_stop.load(); }
    // Closes the file and the encoder and tells the camera the run ended.
    void finish();
    void emit_time(int64_t seconds);

    IRNetDevice* m_device;
    RecordSettings m_settings;
    RecordFile m_file;
    QString m_file_name;
    int m_fps = 1;

private:
    QMutex m_mutex;
    QWaitCondition m_cond;
    bool m_pending = false;
    std::atomic<bool> m_stop{false};
    QElapsedTimer m_clock;
};
