#include "reports/wnd_report_client.h"

#include "reports/report_com_image.h"
#include "reports/report_log.h"
#include "reports/report_word.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

namespace {

const char* const kArrowFiles[4] = {
    ":/BtnPng/images/btn_scroll_up_press.png",
    ":/BtnPng/images/btn_scroll_down_press.png",
    ":/BtnPng/images/btn_scroll_left_press.png",
    ":/BtnPng/images/btn_scroll_right_press.png",
};

Qt::CursorShape cursor_of(int hit_code)
{
    switch (hit_code) {
    case ReportComBase::kHitTopLeft:
    case ReportComBase::kHitBottomRight: return Qt::SizeFDiagCursor;
    case ReportComBase::kHitTop:
    case ReportComBase::kHitBottom:
    case ReportComBase::kHitRowBorder: return Qt::SplitVCursor;
    case ReportComBase::kHitTopRight:
    case ReportComBase::kHitBottomLeft: return Qt::SizeBDiagCursor;
    case ReportComBase::kHitRight:
    case ReportComBase::kHitLeft:
    case ReportComBase::kHitColumnBorder: return Qt::SplitHCursor;
    default: return Qt::ArrowCursor;
    }
}

}  // namespace

WndReportClient::WndReportClient(QQuickItem* parent) : QQuickPaintedItem(parent), m_data(this)
{
    for (int i = 0; i < 4; ++i) {
        // Both states of an arrow show the same picture.
        m_arrows[2 * i] = QImage(QString::fromLatin1(kArrowFiles[i]));
        m_arrows[2 * i + 1] = m_arrows[2 * i];
    }
    setAcceptedMouseButtons(Qt::AllButtons);
    setAcceptHoverEvents(true);
    setFlag(ItemAcceptsInputMethod, true);
    m_data.set_word_writer(std::make_unique<ReportWord>());
    m_data.reset_from_printer();
    m_tool.bind(&m_data);
}

WndReportClient::~WndReportClient()
{
    stop_repeat();
    m_data.release_all();
}

QRect WndReportClient::client_rect() const
{
    const int w = static_cast<int>(width()) - (m_vbar.shown() ? ReportScrollAxis::kBarWidth : 0);
    const int h = static_cast<int>(height()) - (m_hbar.shown() ? ReportScrollAxis::kBarWidth : 0);
    return QRect(0, 0, qMax(0, w), qMax(0, h));
}

void WndReportClient::paint(QPainter* painter)
{
    const QRect client = client_rect();
    painter->save();
    painter->setClipRect(client);
    m_data.draw_pages(painter);
    bool dashed = false;
    const QRect drawn = m_tool.drawing_rect(dashed);
    int x = drawn.left();
    int y = drawn.top();
    if (!drawn.isNull() && m_data.page_to_item(x, y)) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(QColor(27, 40, 56), 1, dashed ? Qt::DashLine : Qt::SolidLine));
        painter->drawRect(QRect(QPoint(x, y), drawn.size()));
    }
    painter->restore();
    paint_bars(painter, client);
}

// --- What the document reports -----------------------------------------------------------

void WndReportClient::update_com_property(int selected_count, int selection_type)
{
    emit sig_update_com_property(selected_count, selection_type);
}

void WndReportClient::update_com_table_font(bool has_cell) { emit sig_update_com_table_font(has_cell); }

void WndReportClient::update_com_position() { emit sig_update_com_position(); }

void WndReportClient::add_com_text(int x, int y, int width, int height, const QString& text, qint64 com,
                                   const QJsonObject& font)
{
    emit sig_add_com_text(x, y, width, height, text, com, font);
}

void WndReportClient::change_table_text(int x, int y, int width, int height, const QString& text, qint64 com,
                                        const QJsonObject& font)
{
    emit sig_change_table_text(x, y, width, height, text, com, font);
}

// --- Mouse -------------------------------------------------------------------------------

void WndReportClient::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint position = event->pos();
    m_last_mouse = position;
    if (event->button() == Qt::RightButton) {
        if (area_at(position.x(), position.y()) == kAreaPage) right_press_page(position);
        return;
    }
    m_pressed = true;
    m_mouse_area = area_at(position.x(), position.y());
    if (m_mouse_area != kAreaPage) {
        if (m_mouse_area == kAreaVThumb || m_mouse_area == kAreaHThumb) {
            update();
            return;
        }
        scroll_step(m_mouse_area);
        if (m_first_timer == 0) start_repeat(m_mouse_area);
        return;
    }
    press_page(position);
}

void WndReportClient::press_page(const QPoint& position)
{
    // The hover test may be stale (no hover since the last change): the
    // press finds what lies under it itself.
    m_data.hit_test(position.x(), position.y());
    if (m_data.current_page() < 0) return;
    m_data.set_cur_hit_com();
    m_tool.press(position.x(), position.y());
    if (m_tool.mode() == ReportEditTool::kSelect) m_data.mouse_down(position.x(), position.y());
    update();
}

void WndReportClient::right_press_page(const QPoint& position)
{
    m_data.hit_test(position.x(), position.y());
    if (m_data.current_page() < 0) return;
    ReportComBase* com = m_data.hit_com();
    const QString before = m_data.selection_key_text();
    m_data.set_cur_hit_com();
    if (before != m_data.selection_key_text()) update();
    if (com == nullptr) return;
    m_data.mouse_right_down(position.x(), position.y());
    bool loaded = false;
    bool ir = false;
    bool logo = false;
    if (com->type() == ReportComBase::kTypePicture) {
        const auto* picture = static_cast<const ReportComImage*>(com);
        loaded = picture->is_loaded();
        ir = picture->is_ir();
        logo = picture->is_logo();
    }
    emit sig_show_com_menu(com->type(), loaded, ir, logo);
    qCDebug(lc_report) << " sig_show_com_menu " << com->type();
    update();
}

void WndReportClient::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_pressed) return;
    const QPoint position = event->pos();
    if (m_mouse_area != kAreaPage) {
        drag_thumb(m_mouse_area, position);
        m_last_mouse = position;
        return;
    }
    if (m_data.current_page() < 0) return;
    m_last_mouse = position;
    if (!m_tool.move(position.x(), position.y())) m_data.mouse_move(position.x(), position.y());
    update();
}

void WndReportClient::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const bool left = m_pressed;
    m_pressed = false;
    if (event->button() == Qt::RightButton || !left) return;
    const QPoint position = event->pos();
    if (m_mouse_area != kAreaPage) {
        stop_repeat();
        m_mouse_area = area_at(position.x(), position.y());
        update();
        return;
    }
    if (m_data.current_page() < 0) {
        if (m_tool.pressed()) m_tool.release(position.x(), position.y());
        return;
    }
    if (m_tool.release(position.x(), position.y())) {
        m_data.set_ana_tool(0);
        emit sig_add_com_end();
    } else if (m_data.mouse_up(position.x(), position.y())) {
        emit sig_add_com_end();
    }
    update();
}

void WndReportClient::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint position = event->pos();
    if (event->button() == Qt::RightButton || area_at(position.x(), position.y()) != kAreaPage) return;
    if (m_data.current_page() < 0) return;
    m_tool.release(position.x(), position.y());
    const int code = m_data.hit_code();
    if (code == ReportComBase::kHitSelected || code == ReportComBase::kHitUnselected) {
        m_data.mouse_double_clicked(position.x(), position.y());
    }
    update();
}

void WndReportClient::hoverMoveEvent(QHoverEvent* event)
{
    const QPoint position = event->pos();
    const int area = area_at(position.x(), position.y());
    bool repaint = area != m_mouse_area;
    m_mouse_area = area;
    if (area == kAreaPage) {
        const ReportComBase* hit_before = m_data.hit_com();
        const ReportComBase* current_before = m_data.current_com();
        m_data.hit_test(position.x(), position.y());
        if (m_data.mouse_move(position.x(), position.y())) repaint = true;
        repaint = repaint || hit_before != m_data.hit_com() || current_before != m_data.current_com();
        setCursor(QCursor(cursor_of(m_data.hit_code())));
    } else {
        setCursor(QCursor(Qt::ArrowCursor));
    }
    if (repaint) update();
}

void WndReportClient::hoverLeaveEvent(QHoverEvent*)
{
    if (m_pressed) return;
    if (m_mouse_area != kAreaNone) update();
    m_mouse_area = kAreaNone;
}
