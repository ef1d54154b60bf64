#include "views/thread_paint_temp.h"

#include "views/temp_number_painter.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lc_paint_temp, "pyravue.view.tables")

ThreadPaintTemp::~ThreadPaintTemp()
{
    quit_and_wait();
}

bool ThreadPaintTemp::hand_over(const float* temps, int width, int height, const QImage& picture)
{
    if (width <= 0 || height <= 0) return false;
    if (!m_data_mutex.tryLock()) {
        qCDebug(lc_paint_temp) << "Err m_mutex_data.tryLock()!";
        return false;
    }
    m_picture = picture;
    const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (m_data.size() < cells) m_data.resize(cells);
    std::copy(temps, temps + cells, m_data.begin());
    m_data_width = width;
    m_data_height = height;
    m_step = std::max(1.0f, static_cast<float>(width) / kColumns);
    m_data_mutex.unlock();
    QMutexLocker lock(&m_wait_mutex);
    m_pending = true;
    m_wait.wakeOne();
    return true;
}

QImage ThreadPaintTemp::front() const
{
    QMutexLocker lock(&m_result_mutex);
    return m_front;
}

void ThreadPaintTemp::quit_and_wait()
{
    {
        QMutexLocker lock(&m_wait_mutex);
        m_quit = true;
        m_wait.wakeAll();
    }
    wait();
}

void ThreadPaintTemp::draw_numbers(QImage& back, const float* temps, int width, int height, float step,
                                   const std::atomic<bool>* quit)
{
    static thread_local TempNumberPainter painter(9, QColor(62, 142, 194));
    int screen_y = 0;
    for (float row = 0.0f; row < static_cast<float>(height) && screen_y < back.height();
         row += step, screen_y += kPitch) {
        int screen_x = 0;
        const size_t base = static_cast<size_t>(row) * static_cast<size_t>(width);
        for (float col = 0.0f; col < static_cast<float>(width) && screen_x < back.width();
             col += step, screen_x += kPitch) {
            if (quit != nullptr && quit->load()) return;
            painter.draw(back, screen_x, screen_y, static_cast<int>(temps[base + static_cast<size_t>(col)]), 11);
        }
    }
}

void ThreadPaintTemp::run()
{
    QImage back(kBufferWidth, kBufferHeight, QImage::Format_RGB32);
    for (;;) {
        {
            QMutexLocker lock(&m_wait_mutex);
            while (!m_pending && !m_quit) m_wait.wait(&m_wait_mutex);
            if (m_quit) break;
            m_pending = false;
        }
        {
            QMutexLocker data(&m_data_mutex);
            if (m_data_width <= 0 || m_data_height <= 0) continue;
            back.fill(QColor(7, 16, 23));
            draw_numbers(back, m_data.data(), m_data_width, m_data_height, m_step, &m_quit);
        }
        if (m_quit) break;
        {
            QMutexLocker result(&m_result_mutex);
            m_front = back.copy();
        }
        emit sig_painted();
    }
    qCDebug(lc_paint_temp) << "ThreadPaintTemp::run() end";
}
