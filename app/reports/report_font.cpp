#include "reports/report_font.h"

#include "reports/report_fields.h"

namespace report_font {

namespace {
constexpr double kMaxPointSize = 1000.0;
}

QFont default_font()
{
    QFont font;
    font.setPointSizeF(10.5);
    return font;
}

ReportFont from_qfont(const QFont& font, int flags)
{
    ReportFont record;
    record.bold = font.weight() > QFont::Medium ? 1 : 0;
    record.italic = font.style() != QFont::StyleNormal ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.family = report_fields::font_family_display_name(font.family());
    record.point_size = static_cast<float>(font.pointSizeF());
    record.flags = flags;
    return record;
}

QJsonObject to_json(const ReportFont& font)
{
    QJsonObject json;
    json.insert("bBold", font.bold != 0);
    json.insert("bItalic", font.italic != 0);
    json.insert("bUnderline", font.underline != 0);
    json.insert("sFamily", font.family);
    json.insert("fPonitSize", static_cast<double>(font.point_size));
    json.insert("nFlags", font.flags);
    return json;
}

void apply_json(const QJsonObject& json, QFont& font, int& flags)
{
    if (json.contains("bBold")) font.setWeight(json.value("bBold").toBool() ? 75 : 50);
    if (json.contains("bItalic")) font.setItalic(json.value("bItalic").toBool());
    if (json.contains("bUnderline")) font.setUnderline(json.value("bUnderline").toBool());
    if (json.contains("sFamily")) font.setFamily(json.value("sFamily").toString());
    if (json.contains("fPonitSize")) {
        const double size = json.value("fPonitSize").toDouble();
        // Qt refuses sizes below 1 with a warning; the panel never sends them.
        if (size >= 1.0 && size <= kMaxPointSize) font.setPointSize(static_cast<int>(size));
    }
    if (json.contains("nFlags")) {
        switch (json.value("nFlags").toInt(-1)) {
        case 0: flags = kFlagsLeft; break;
        case 1: flags = kFlagsCentre; break;
        case 2: flags = kFlagsRight; break;
        default: break;
        }
    }
}

}  // namespace report_font
