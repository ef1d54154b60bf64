#include "reports/report_page.h"

#include "reports/report_com_base.h"
#include "reports/report_data.h"

#include <QPainter>
#include <QPainterPath>

bool ReportComIdLess::operator()(const ReportComBase* a, const ReportComBase* b) const { return a->id() < b->id(); }

ReportPage::ReportPage(ReportData* owner, QObject* parent) : QObject(parent), m_owner(owner) {}

bool ReportPage::remove_com(ReportComBase* com)
{
    return com != nullptr && m_coms.removeOne(com);
}

int ReportPage::select_in_rect(const QRect& rect, ReportSelection& selection)
{
    int type = -1;
    bool any = false;
    bool mixed = false;
    for (ReportComBase* com : m_coms) {
        if (!com->take_rect_if_intersects(rect)) continue;
        selection.emplace(com, QRect());
        if (!any) {
            type = com->type();
            any = true;
        } else if (com->type() != type) {
            mixed = true;
        }
    }
    return any && !mixed ? type : -1;
}

void ReportPage::draw_page(QPainter* painter)
{
    if (m_view_rect.bottom() < -5) return;
    if (!m_canvas.isNull() && m_owner != nullptr) {
        QPainter canvas_painter;
        if (canvas_painter.begin(&m_canvas)) {
            const QRect page(0, 0, m_owner->page_width(), m_owner->page_height());
            canvas_painter.fillRect(page, Qt::white);
            canvas_painter.setPen(QColor(27, 40, 56));
            canvas_painter.drawRect(page);
            for (ReportComBase* com : m_coms) {
                const bool hovered = com->type() == ReportComBase::kTypeTable ? com == m_owner->current_com()
                                                                                : com == m_owner->hit_com();
                com->draw_com_with_frame(&canvas_painter, m_owner->is_selected(com), hovered);
            }
            canvas_painter.end();
        }
    }
    painter->drawPixmap(m_view_rect.topLeft(), m_canvas);
    static const int kAlpha[10] = {150, 120, 80, 50, 40, 30, 20, 10, 5, 5};
    const QPen pen = painter->pen();
    for (int i = 0; i < 10; ++i) {
        painter->setPen(QColor(50, 95, 122, kAlpha[i]));
        const QRect ring(m_view_rect.x() - i - 1, m_view_rect.y() - i - 1, m_view_rect.width() + 2 * i + 2,
                         m_view_rect.height() + 2 * i + 2);
        if (i < 5) {
            painter->drawRect(ring);
        } else {
            QPainterPath path;
            path.setFillRule(Qt::WindingFill);
            path.addRoundedRect(ring, 2, 2);
            painter->drawPath(path);
        }
    }
    painter->setPen(pen);
}
