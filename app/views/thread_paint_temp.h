// The paint thread of the simplified temperature table: draws the sampled
// temperatures as whole-degree numbers into a back buffer of the table's
// size off the GUI thread and hands the finished picture to the table.
// Each number gets a cell wide enough for the widest number of the frame,
// so neighbours never touch; the table samples the picture as densely as
// such cells fit into its size, at most 120 x 90 numbers.
#pragma once

#include <QImage>
#include <QMutex>
#include <QSize>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <vector>

class ThreadPaintTemp : public QThread {
    Q_OBJECT

public:
    static constexpr int kColumns = 120;
    static constexpr int kRows = 90;
    // Size of the digits and the empty pixels between two numbers.
    static constexpr int kFontPixels = 11;
    static constexpr int kGap = 5;
    // The largest picture drawn; a bigger table shows it at the top left.
    static constexpr int kMaxBufferSide = 4096;

    // Where the numbers of one frame go: every step-th pixel of the picture
    // is a number, numbers are pitch_x and pitch_y pixels apart.
    struct Layout {
        float step = 1.0f;
        int pitch_x = 1;
        int pitch_y = 1;
        int columns = 0;
        int rows = 0;
    };

    ThreadPaintTemp() = default;
    ~ThreadPaintTemp() override;

    // Hands over one frame without waiting: false (the frame is dropped)
    // while the thread is still drawing the previous one.
    bool hand_over(const float* temps, int width, int height, const QImage& picture);
    // The size of the table; the last frame is drawn again for it.
    void set_view_size(const QSize& size);
    // The last finished picture (null before the first).
    QImage front() const;
    // Columns and rows of numbers in that picture (0 x 0 before the first).
    QSize front_grid() const;
    // Asks the thread to end and waits for it.
    void quit_and_wait();

    // The layout of a width x height frame whose numbers lie in
    // coldest..hottest, in a view of the given size.
    static Layout layout_for(int width, int height, float coldest, float hottest, const QSize& view);
    // Draws the numbers of a width x height frame into the back buffer
    // (also used by the benchmark).
    static void draw_numbers(QImage& back, const float* temps, int width, int height, const Layout& layout,
                             const std::atomic<bool>* quit = nullptr);

signals:
    void sig_painted();

protected:
    void run() override;

private:
    void wake();

    std::atomic<bool> m_quit{false};
    std::atomic<int> m_view_width{1200};
    std::atomic<int> m_view_height{900};
    QMutex m_wait_mutex;
    QWaitCondition m_wait;
    // Set under the wait mutex with each hand-over, cleared by the thread:
    // a wake-up given while the thread is busy is not lost.
    bool m_pending = false;
    QMutex m_data_mutex;
    int m_data_width = 0;
    int m_data_height = 0;
    std::vector<float> m_data;
    QImage m_picture;
    mutable QMutex m_result_mutex;
    QImage m_front;
    QSize m_front_grid;
};
