#include "views/wnd_player_progress_bar.h"

#include "sources/ir_player.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

struct SliderImages {
    QImage pressed{QStringLiteral(":/images/pic_slider_pressed.png")};
    QImage normal{QStringLiteral(":/images/pic_slider_normal.png")};
    QImage hover{QStringLiteral(":/images/pic_slider_pressed.png")};
};

const SliderImages& slider_images()
{
    static const SliderImages images;
    return images;
}

}  // namespace

WndPlayerProgressBar::WndPlayerProgressBar(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::LeftButton);
    connect(this, &WndPlayerProgressBar::sig_update, this, [this] { update(); });
}

// The player keeps a plain pointer to its bar: the bar lets go first.
WndPlayerProgressBar::~WndPlayerProgressBar()
{
    if (m_p_player != nullptr) {
        m_p_player->set_player_progress_bar(nullptr);
    }
}

void WndPlayerProgressBar::set_player(IRPlayer* player) { m_p_player = player; }

int WndPlayerProgressBar::frame_at(int x, int width, int maximum)
{
    const int track = width - 2 * kMargin;
    if (track <= 0 || maximum <= 0) {
        return 0;
    }
    const int along = std::clamp(x - kMargin, 1, track);
    return static_cast<int>(static_cast<double>(maximum) * along / track + 0.5);
}

int WndPlayerProgressBar::slider_x(int current, int width, int maximum)
{
    return current * (width - 2 * kMargin) / std::max(1, maximum) + 5;
}

void WndPlayerProgressBar::set_frame_max(int maximum)
{
    if (maximum >= 0) {
        m_n_max = maximum;
        m_n_cur = std::min(m_n_cur, m_n_max);
    }
}

void WndPlayerProgressBar::set_frame_value(int frame)
{
    if (!m_b_pressed) {
        m_n_cur = std::clamp(frame, 0, std::max(0, m_n_max));
    }
}

void WndPlayerProgressBar::go_to(int frame, bool set_current)
{
    if (set_current && !m_b_pressed) {
        m_n_cur = frame;
    }
    if (m_p_player != nullptr) {
        m_p_player->seek_frame(static_cast<uint32_t>(m_n_cur));
        m_p_player->slot_update_ctrl_with_frame(m_n_cur);
    }
    update();
}

void WndPlayerProgressBar::set_frame_cur(int frame)
{
    if (frame != m_n_cur) {
        go_to(std::clamp(frame, 0, std::max(0, m_n_max)), true);
    }
}

void WndPlayerProgressBar::set_frame_first_cur()
{
    if (m_n_cur != 0) {
        go_to(0, true);
    }
}

void WndPlayerProgressBar::set_frame_last_cur()
{
    if (m_n_cur != m_n_max) {
        go_to(std::max(0, m_n_max), true);
    }
}

void WndPlayerProgressBar::set_frame_next_cur()
{
    if (m_n_cur < m_n_max) {
        go_to(m_n_cur + 1, true);
    }
}

void WndPlayerProgressBar::set_frame_pre_cur()
{
    if (m_n_cur > 0) {
        go_to(m_n_cur - 1, true);
    }
}

void WndPlayerProgressBar::seek_at(int x)
{
    const int frame = frame_at(x, static_cast<int>(width()), m_n_max);
    if (frame == m_n_cur) {
        return;
    }
    m_n_cur = frame;
    go_to(frame, false);
}

void WndPlayerProgressBar::mousePressEvent(QMouseEvent* event)
{
    if (!m_b_enabled) {
        event->ignore();
        return;
    }
    m_b_pressed = true;
    seek_at(event->pos().x());
}

void WndPlayerProgressBar::mouseMoveEvent(QMouseEvent* event)
{
    if (m_b_enabled && m_b_pressed) {
        seek_at(event->pos().x());
    }
}

void WndPlayerProgressBar::mouseReleaseEvent(QMouseEvent*)
{
    if (!m_b_enabled) {
        return;
    }
    m_b_pressed = false;
    if (m_p_player != nullptr) {
        m_p_player->slot_update_ctrl_with_frame(m_n_cur);
    }
    update();
}

void WndPlayerProgressBar::hoverEnterEvent(QHoverEvent*)
{
    m_b_hovered = true;
    update();
}

void WndPlayerProgressBar::hoverLeaveEvent(QHoverEvent*)
{
    m_b_hovered = false;
    update();
}

void WndPlayerProgressBar::paint(QPainter* painter)
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    painter->fillRect(0, 0, w, h, QColor(34, 54, 73, 0));
    const int x = slider_x(m_n_cur, w, m_n_max);
    const int y = (h - 4) / 2;
    painter->fillRect(QRect(5, y, std::max(0, x - 5), 4), QColor(52, 152, 219));
    painter->fillRect(QRect(x, y, std::max(0, w - 5 - x), 4), QColor(7, 16, 23));
    const SliderImages& images = slider_images();
    const QImage& slider = m_b_pressed ? images.pressed : (m_b_hovered ? images.hover : images.normal);
    painter->drawImage(QPoint(x, h / 2 - 8), slider);
}
