// The text component: a fixed text typed by the user, in its font and
// alignment.
#pragma once

#include "reports/report_com_base.h"

#include <QFont>

class ReportComText : public ReportComBase {
    Q_OBJECT

public:
    explicit ReportComText(ReportData* owner, QObject* parent = nullptr);
    ~ReportComText() override;

    bool mouse_double_clicked(int x, int y) override;
    void draw_com(QPainter* painter, bool selected, bool hovered) override;
    bool set_font_setting(const QJsonObject& json) override;
    ReportFont get_com_font() const override;

    // The box keeps its size.
    void set_text(const QString& text) { m_text = text; }
    const QString& text() const { return m_text; }
    const QFont& font() const { return m_font; }
    void set_font(const QFont& font) { m_font = font; }
    int flags() const { return m_flags; }
    void set_flags(int flags) { m_flags = flags; }

private:
    QString m_text;
    QFont m_font;
    int m_flags = report_font::kFlagsLeft;
};
