// The paint thread of the simplified temperature table: draws the sampled
// temperatures as whole-degree numbers into a 1200 x 900 back buffer off the
// GUI thread and hands the finished picture to the table.
#pragma once

#include <QImage>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <vector>

class ThreadPaintTemp : public QThread {
    Q_OBJECT

public:
    static constexpr int kBufferWidth = 1200;
    static constexpr int kBufferHeight = 900;
    static constexpr int kColumns = 120;
    static constexpr int kPitch = 10;

    ThreadPaintTemp() = default;
    ~ThreadPaintTemp() override;

    // Hands over one frame without waiting: false (the frame is dropped)
    // while the thread is still drawing the previous one.
    bool hand_over(const float* temps, int width, int height, const QImage& picture);
    // The last finished picture (null before the first).
    QImage front() const;
    // Asks the thread to end and waits for it.
    void quit_and_wait();

    // Draws the numbers of a width x height frame, sampled every step
    // pixels, into the back buffer (also used by the benchmark).
    static void draw_numbers(QImage& back, const float* temps, int width, int height, float step,
                             const std::atomic<bool>* quit = nullptr);

signals:
    void sig_painted();

protected:
    void run() override;

private:
    std::atomic<bool> m_quit{false};
    QMutex m_wait_mutex;
    QWaitCondition m_wait;
    // Set under the wait mutex with each hand-over, cleared by the thread:
    // a wake-up given while the thread is busy is not lost.
    bool m_pending = false;
    QMutex m_data_mutex;
    float m_step = 1.0f;
    int m_data_width = 0;
    int m_data_height = 0;
    std::vector<float> m_data;
    QImage m_picture;
    mutable QMutex m_result_mutex;
    QImage m_front;
};
