#include "reports/report_com_mark.h"

#include "reports/report_data.h"
#include "reports/report_fields.h"

#include <QFontMetrics>
#include <QJsonArray>
#include <QPainter>

namespace {
constexpr int kTextMargin = 12;
constexpr int kMeasureBox = 1000;
const QString kNull = QStringLiteral("Null");
}  // namespace

ReportComMark::ReportComMark(ReportData* owner, QObject* parent)
    : ReportComBase(owner, parent), m_font(report_font::default_font())
{
    m_type = kTypeMark;
    m_resizable = false;
}

ReportComMark::~ReportComMark() = default;

void ReportComMark::draw_com(QPainter* painter, bool selected, bool hovered)
{
    ReportComBase::draw_com(painter, selected, hovered);
    const QFont font = painter->font();
    painter->setFont(m_font);
    painter->drawText(m_rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin), m_flags, m_show_text);
    painter->setFont(font);
}

bool ReportComMark::init_com(int page, const QRect& rect)
{
    m_page = page;
    m_rect = rect;
    fit_to_text();
    return true;
}

void ReportComMark::fit_to_text()
{
    const QFontMetrics metrics(m_font);
    const QRect measured =
        metrics.boundingRect(QRect(0, 0, kMeasureBox, kMeasureBox), Qt::AlignLeft | Qt::AlignTop, m_show_text);
    m_rect.setSize(QSize(measured.width() + 2 * kTextMargin, measured.height() + 2 * kTextMargin));
    m_work_rect = m_rect;
}

void ReportComMark::set_show_text(const QString& text)
{
    m_show_text = text;
    fit_to_text();
}

void ReportComMark::set_plain_text(const QString& text)
{
    m_entries.clear();
    m_mark_text = text;
    m_value_text = text;
    set_show_text(text.isEmpty() ? kNull : text);
}

void ReportComMark::set_font(const QFont& font)
{
    m_font = font;
    fit_to_text();
}

bool ReportComMark::set_font_setting(const QJsonObject& json)
{
    report_font::apply_json(json, m_font, m_flags);
    fit_to_text();
    return true;
}

bool ReportComMark::set_mark_setting(const QJsonObject& json)
{
    if (!json.contains("strMark")) return false;
    m_error_text.clear();
    const QString text = json.value("strMark").toString();
    ReportMarkEntries entries;
    const int result = report_fields::parse_mark_text(text, entries, m_error_text);
    if (result < 0) {
        m_entries.clear();
        m_value_text.clear();
        set_show_text(kNull);
        return true;
    }
    m_entries = entries;
    m_mark_text = text;
    refresh_marks();
    return false;
}

int ReportComMark::update_mark_text(const QString& text)
{
    m_error_text.clear();
    ReportMarkEntries entries;
    const int result = report_fields::parse_mark_text(text, entries, m_error_text);
    if (result < 0) return result;
    m_entries = entries;
    m_mark_text = text;
    refresh_marks();
    return result;
}

bool ReportComMark::refresh_marks()
{
    if (m_entries.isEmpty()) {
        m_value_text = m_mark_text;
    } else {
        for (ReportMarkEntry& entry : m_entries) {
            if (entry.is_field()) entry.value = m_owner != nullptr ? m_owner->get_mark_value(entry) : QString();
        }
        m_value_text = report_fields::joined_values(m_entries);
    }
    set_show_text(m_value_text.isEmpty() ? kNull : m_value_text);
    return true;
}

ReportFont ReportComMark::get_com_font() const { return report_font::from_qfont(m_font, m_flags); }

QJsonObject ReportComMark::get_mark_property() const
{
    QJsonArray described;
    for (const ReportMarkEntry& entry : m_entries) {
        QJsonObject item;
        item.insert("nIDIR", entry.ir_id);
        item.insert("nIDAna", entry.ana_id);
        item.insert("nIDAnaMinus", entry.ana_id_minus);
        item.insert("nMarkType", entry.mark_type);
        item.insert("strValue", entry.value);
        described.append(item);
    }
    QJsonObject json;
    json.insert("bShowFormat", m_show_format);
    json.insert("strMark", m_mark_text);
    json.insert("strValue", m_value_text);
    json.insert("strErr", m_error_text);
    json.insert("jsonDes", described);
    return json;
}
