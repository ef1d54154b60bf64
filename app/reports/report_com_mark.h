// The data mark: a text whose placeholders in braces name report fields of
// an IR picture of the layout; it shows the current values, or "Null" when
// they are all empty. The box always fits its shown text.
#pragma once

#include "reports/report_com_base.h"
#include "reports/report_mark_entry.h"

#include <QFont>

class ReportComMark : public ReportComBase {
    Q_OBJECT

public:
    explicit ReportComMark(ReportData* owner, QObject* parent = nullptr);
    ~ReportComMark() override;

    void draw_com(QPainter* painter, bool selected, bool hovered) override;
    bool init_com(int page, const QRect& rect) override;
    bool set_font_setting(const QJsonObject& json) override;
    // True when the text was refused (and "Null" is shown), false when it
    // was taken or the JSON has no "strMark".
    bool set_mark_setting(const QJsonObject& json) override;
    int update_mark_text(const QString& text) override;
    QString get_mark_error() const override { return m_error_text; }
    bool refresh_marks() override;
    ReportFont get_com_font() const override;

    // Shows the text and fits the box to it.
    void set_show_text(const QString& text);
    // A text without placeholders, shown as it stands (the layout reader's
    // "Text" content).
    void set_plain_text(const QString& text);
    // The mark JSON of the property panel.
    QJsonObject get_mark_property() const;

    const QString& show_text() const { return m_show_text; }
    const QString& mark_text() const { return m_mark_text; }
    const QString& value_text() const { return m_value_text; }
    const ReportMarkEntries& entries() const { return m_entries; }
    const QFont& font() const { return m_font; }
    void set_font(const QFont& font);
    int flags() const { return m_flags; }

private:
    void fit_to_text();

    QFont m_font;
    int m_flags = report_font::kFlagsLeft;
    QString m_show_text = QStringLiteral("Null");
    QString m_mark_text;
    QString m_value_text;
    QString m_error_text;
    bool m_show_format = false;
    ReportMarkEntries m_entries;
};
