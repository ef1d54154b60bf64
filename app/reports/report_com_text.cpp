#include "reports/report_com_text.h"

#include "reports/report_data.h"

#include <QPainter>

namespace {
constexpr int kTextMargin = 12;
}

ReportComText::ReportComText(ReportData* owner, QObject* parent)
    : ReportComBase(owner, parent), m_font(report_font::default_font())
{
    m_type = kTypeText;
}

ReportComText::~ReportComText() = default;

bool ReportComText::mouse_double_clicked(int x, int y)
{
    if (m_rect.contains(x, y) && m_owner != nullptr) m_owner->edit_com_text(this, m_rect, m_text);
    return true;
}

void ReportComText::draw_com(QPainter* painter, bool selected, bool hovered)
{
    ReportComBase::draw_com(painter, selected, hovered);
    const QFont font = painter->font();
    painter->setFont(m_font);
    painter->drawText(m_rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin), m_flags, m_text);
    painter->setFont(font);
}

bool ReportComText::set_font_setting(const QJsonObject& json)
{
    report_font::apply_json(json, m_font, m_flags);
    return true;
}

ReportFont ReportComText::get_com_font() const { return report_font::from_qfont(m_font, m_flags); }
