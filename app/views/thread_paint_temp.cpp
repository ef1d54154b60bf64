#include "views/thread_paint_temp.h"

#include "views/temp_number_painter.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lc_paint_temp, "pyravue.view.tables")

namespace {

const TempNumberPainter& number_painter()
{
    static thread_local TempNumberPainter painter(ThreadPaintTemp::kFontPixels, QColor(62, 142, 194));
    return painter;
}

// The whole-degree number shown for a temperature; out-of-range values are
// held at the ends of int.
int shown_value(float t)
{
    if (!(t > -1.0e9f)) return t != t ? 0 : -1000000000;
    return t < 1.0e9f ? static_cast<int>(t) : 1000000000;
}

}  // namespace

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
    m_data_mutex.unlock();
    wake();
    return true;
}

void ThreadPaintTemp::set_view_size(const QSize& size)
{
    const int w = std::max(1, std::min(kMaxBufferSide, size.width()));
    const int h = std::max(1, std::min(kMaxBufferSide, size.height()));
    const bool same_width = m_view_width.exchange(w) == w;
    const bool same_height = m_view_height.exchange(h) == h;
    if (same_width && same_height) return;
    wake();
}

void ThreadPaintTemp::wake()
{
    QMutexLocker lock(&m_wait_mutex);
    m_pending = true;
    m_wait.wakeOne();
}

QImage ThreadPaintTemp::front() const
{
    QMutexLocker lock(&m_result_mutex);
    return m_front;
}

QSize ThreadPaintTemp::front_grid() const
{
    QMutexLocker lock(&m_result_mutex);
    return m_front_grid;
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

ThreadPaintTemp::Layout ThreadPaintTemp::layout_for(int width, int height, float coldest, float hottest,
                                                    const QSize& view)
{
    const TempNumberPainter& painter = number_painter();
    Layout layout;
    const int widest = std::max({painter.text_width(shown_value(coldest)), painter.text_width(shown_value(hottest)),
                                 painter.text_width(0)});
    layout.pitch_x = widest + kGap;
    layout.pitch_y = painter.height() + 1;
    const int columns = std::max(1, std::min(kColumns, view.width() / layout.pitch_x));
    const int rows = std::max(1, std::min(kRows, view.height() / layout.pitch_y));
    layout.step = std::max({1.0f, static_cast<float>(width) / static_cast<float>(columns),
                            static_cast<float>(height) / static_cast<float>(rows)});
    layout.columns = std::min(columns, static_cast<int>(std::ceil(static_cast<float>(width) / layout.step)));
    layout.rows = std::min(rows, static_cast<int>(std::ceil(static_cast<float>(height) / layout.step)));
    return layout;
}

void ThreadPaintTemp::draw_numbers(QImage& back, const float* temps, int width, int height, const Layout& layout,
                                   const std::atomic<bool>* quit)
{
    const TempNumberPainter& painter = number_painter();
    const int box = layout.pitch_x - kGap;
    for (int r = 0; r < layout.rows; ++r) {
        const int row = std::min(height - 1, static_cast<int>(static_cast<float>(r) * layout.step));
        const size_t base = static_cast<size_t>(row) * static_cast<size_t>(width);
        for (int c = 0; c < layout.columns; ++c) {
            if (quit != nullptr && quit->load()) return;
            const int col = std::min(width - 1, static_cast<int>(static_cast<float>(c) * layout.step));
            painter.draw(back, c * layout.pitch_x, r * layout.pitch_y,
                         shown_value(temps[base + static_cast<size_t>(col)]), box);
        }
    }
}

void ThreadPaintTemp::run()
{
    QImage back;
    for (;;) {
        {
            QMutexLocker lock(&m_wait_mutex);
            while (!m_pending && !m_quit) m_wait.wait(&m_wait_mutex);
            if (m_quit) break;
            m_pending = false;
        }
        const QSize view(m_view_width.load(), m_view_height.load());
        QSize grid;
        {
            QMutexLocker data(&m_data_mutex);
            if (m_data_width <= 0 || m_data_height <= 0) continue;
            const size_t cells = static_cast<size_t>(m_data_width) * static_cast<size_t>(m_data_height);
            const auto extremes = std::minmax_element(m_data.begin(), m_data.begin() + static_cast<ptrdiff_t>(cells));
            const Layout layout = layout_for(m_data_width, m_data_height, *extremes.first, *extremes.second, view);
            if (back.size() != view) back = QImage(view, QImage::Format_RGB32);
            back.fill(QColor(7, 16, 23));
            draw_numbers(back, m_data.data(), m_data_width, m_data_height, layout, &m_quit);
            grid = QSize(layout.columns, layout.rows);
        }
        if (m_quit) break;
        {
            QMutexLocker result(&m_result_mutex);
            m_front = back.copy();
            m_front_grid = grid;
        }
        emit sig_painted();
    }
    qCDebug(lc_paint_temp) << "ThreadPaintTemp::run() end";
}
