#include "reports/report_com_image.h"

#include "reports/ir_image_picture.h"
#include "reports/picture_number_pool.h"
#include "reports/report_data.h"
#include "reports/report_fields.h"
#include "reports/report_log.h"
#include "reports/report_settings.h"
#include "reports/report_values.h"

#include <QMap>
#include <QPainter>

#include <cmath>

namespace {

constexpr int kMargin = 3;
const QString kDegree = QString(QChar(0x2103));

using picture_number_pool::kIR;
using picture_number_pool::kVI;

}  // namespace

ReportComImage::ReportComImage(ReportData* owner, QObject* parent)
    : ReportComImage(owner, std::make_unique<IrImagePicture>(), parent)
{
}

ReportComImage::ReportComImage(ReportData* owner, std::unique_ptr<ReportPicture> picture, QObject* parent)
    : ReportComBase(owner, parent), m_picture(std::move(picture))
{
    m_type = kTypePicture;
}

ReportComImage::~ReportComImage()
{
    m_picture.reset();
    if (m_ir_number >= 0) picture_number_pool::give_back(kIR, m_ir_number);
    if (m_vi_number >= 0) picture_number_pool::give_back(kVI, m_vi_number);
}

QString ReportComImage::label() const
{
    if (m_is_logo) return QStringLiteral("LOGO");
    return m_is_ir ? QString("IR%1").arg(m_ir_number + 1) : QString("VI%1").arg(m_vi_number + 1);
}

bool ReportComImage::mouse_down(int x, int y)
{
    if (m_picture) m_picture->mouse_down(x - m_rect.left() - kMargin, y - m_rect.top() - kMargin);
    return true;
}

bool ReportComImage::mouse_move(int x, int y)
{
    if (m_picture) m_picture->mouse_move(x - m_rect.left() - kMargin, y - m_rect.top() - kMargin);
    return true;
}

bool ReportComImage::mouse_up(int x, int y)
{
    if (!m_picture) return true;
    m_picture->mouse_up(x - m_rect.left() - kMargin, y - m_rect.top() - kMargin);
    if (m_picture->is_ana_changed()) {
        m_values_valid = false;
        if (m_owner != nullptr) m_owner->refresh_all_marks();
    }
    return true;
}

bool ReportComImage::mouse_double_clicked(int x, int y)
{
    if (m_picture) m_picture->mouse_double_clicked(x - m_rect.left() - kMargin, y - m_rect.top() - kMargin);
    return true;
}

void ReportComImage::draw_com(QPainter* painter, bool selected, bool hovered)
{
    ReportComBase::draw_com(painter, selected, hovered);
    if (!m_picture || !m_loaded) return;
    const QRect inner = m_rect.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    m_picture->paint_in_rect(painter, inner);
    const QPen pen = painter->pen();
    const QRect label_rect(inner.left() + kMargin, inner.top() + kMargin, 40, 30);
    painter->fillRect(label_rect, QColor(0, 0, 0, 120));
    painter->setPen(QColor(255, 255, 255, 255));
    painter->drawText(label_rect, Qt::AlignCenter, label());
    painter->setPen(pen);
}

void ReportComImage::apply_com_rect()
{
    ReportComBase::apply_com_rect();
    if (m_picture) m_picture->set_show_size(m_rect.width() - 2 * kMargin, m_rect.height() - 2 * kMargin);
}

void ReportComImage::aspect_size(int& width, int& height, bool larger) const
{
    const float a = static_cast<float>(width - 2 * kMargin);
    const float b = static_cast<float>(height - 2 * kMargin);
    const bool follow_width = larger ? a * m_aspect > b : b > a * m_aspect;
    if (follow_width) {
        height = static_cast<int>(a * m_aspect + 2 * kMargin);
    } else {
        width = static_cast<int>(b / m_aspect + 2 * kMargin);
    }
}

bool ReportComImage::move_hit_com_size(int hit_code, int dx, int dy)
{
    if (!m_loaded) return ReportComBase::move_hit_com_size(hit_code, dx, dy);
    if (hit_code < kHitTopLeft || hit_code > kHitLeft) return true;
    int x1 = m_work_rect.left();
    int y1 = m_work_rect.top();
    int x2 = m_work_rect.right();
    int y2 = m_work_rect.bottom();
    int width = x2 - x1 + 1;
    int height = y2 - y1 + 1;
    bool larger = false;
    const bool corner_grows = dx >= 1 && dy >= 1;
    switch (hit_code) {
    case kHitTopLeft: width = x2 - (x1 + dx) + 1; height = y2 - (y1 + dy) + 1; larger = corner_grows; break;
    case kHitTop: height = y2 - (y1 + dy) + 1; larger = dy < 0; break;
    case kHitTopRight: width = (x2 + dx) - x1 + 1; height = y2 - (y1 + dy) + 1; larger = corner_grows; break;
    case kHitRight: width = (x2 + dx) - x1 + 1; larger = dx >= 1; break;
    case kHitBottomRight: width = (x2 + dx) - x1 + 1; height = (y2 + dy) - y1 + 1; larger = corner_grows; break;
    case kHitBottom: height = (y2 + dy) - y1 + 1; larger = dy >= 1; break;
    case kHitBottomLeft: width = x2 - (x1 + dx) + 1; height = (y2 + dy) - y1 + 1; larger = corner_grows; break;
    case kHitLeft: width = x2 - (x1 + dx) + 1; larger = dx < 0; break;
    default: break;
    }
    aspect_size(width, height, larger);
    switch (hit_code) {
    case kHitTopLeft: x1 = x2 - width + 1; y1 = y2 - height + 1; break;
    case kHitTop:
    case kHitTopRight: y1 = y2 - height + 1; x2 = x1 + width - 1; break;
    case kHitRight:
    case kHitBottomRight:
    case kHitBottom: x2 = x1 + width - 1; y2 = y1 + height - 1; break;
    default: x1 = x2 - width + 1; y2 = y1 + height - 1; break;
    }
    m_work_rect = QRect(QPoint(x1, y1), QPoint(x2, y2));
    return true;
}

bool ReportComImage::hit_test_com(int x, int y, bool selected, int& hit_code)
{
    if (!m_picture || !m_loaded || !m_rect.contains(x, y) || !m_is_ir) {
        return ReportComBase::hit_test_com(x, y, selected, hit_code);
    }
    if (m_adding_shape) return true;
    int kind = 100;
    if (!m_picture->ana_kind_at(x - m_rect.left() - kMargin, y - m_rect.top() - kMargin, kind)) return false;
    if (kind < 100) {
        hit_code = kHitNothing;
        return true;
    }
    return ReportComBase::hit_test_com(x, y, selected, hit_code);
}

bool ReportComImage::set_ir_setting(const QJsonObject& json)
{
    if (!m_picture || !m_loaded || !m_is_ir) return false;
    m_values_valid = false;
    return m_picture->set_ir_property(json);
}

bool ReportComImage::open_file(const QString& path)
{
    qCDebug(lc_report) << " ReportComImage::open_file :" << path;
    if (!m_picture || !m_picture->open_file(path)) return false;
    qCDebug(lc_report) << " ReportComImage::open_file okkkkkkk";
    m_values_valid = false;
    fit_to_picture();
    m_is_ir = !m_picture->is_visible_picture();
    if (m_is_ir) {
        if (m_ir_number < 0) m_ir_number = picture_number_pool::take_lowest(kIR);
        if (m_vi_number >= 0) {
            picture_number_pool::give_back(kVI, m_vi_number);
            m_vi_number = -1;
        }
        m_is_logo = false;
    } else if (!m_is_logo) {
        if (m_vi_number < 0) m_vi_number = picture_number_pool::take_lowest(kVI);
        if (m_ir_number >= 0) {
            picture_number_pool::give_back(kIR, m_ir_number);
            m_ir_number = -1;
        }
    }
    m_file_path = path;
    m_loaded = true;
    return true;
}

void ReportComImage::set_ir_number(int n)
{
    int taken = picture_number_pool::take(kIR, n);
    if (taken < 0) taken = picture_number_pool::take_lowest(kIR);
    m_ir_number = taken;
    m_is_ir = true;
}

void ReportComImage::set_vi_number(int n)
{
    int taken = picture_number_pool::take(kVI, n);
    if (taken < 0) taken = picture_number_pool::take_lowest(kVI);
    m_vi_number = taken;
    m_is_ir = false;
}

void ReportComImage::set_logo(bool on)
{
    if (on) {
        if (m_vi_number >= 0) picture_number_pool::give_back(kVI, m_vi_number);
        m_vi_number = -1;
        m_is_logo = true;
    } else {
        m_vi_number = picture_number_pool::take_lowest(kVI);
        m_is_logo = false;
    }
}

void ReportComImage::fit_to_picture()
{
    if (!m_picture) return;
    const int picture_width = m_picture->width();
    const int picture_height = m_picture->height();
    // A picture without size keeps the box (and the aspect) it had.
    if (picture_width <= 0 || picture_height <= 0) return;
    m_aspect = static_cast<float>(picture_height) / static_cast<float>(picture_width);
    const float w = static_cast<float>(m_rect.width() - 2 * kMargin);
    const float h = static_cast<float>(m_rect.height() - 2 * kMargin);
    if (w * m_aspect > h) {
        m_rect.setHeight(static_cast<int>(w * m_aspect + 2 * kMargin));
    } else {
        m_rect.setWidth(static_cast<int>(h / m_aspect + 2 * kMargin));
    }
    m_work_rect = m_rect;
    m_picture->set_show_size(m_rect.width() - 2 * kMargin, m_rect.height() - 2 * kMargin);
}

QString ReportComImage::get_picture_file()
{
    if (!m_picture || !m_loaded) return QString();
    if (!m_is_ir) return m_picture->file_path();
    const bool sgcc = m_picture->is_sgcc_picture();
    const QString path = report_settings::config_path() + (sgcc ? "temp.jpg" : "temp.png");
    const bool saved = sgcc ? m_picture->save_as_sgcc_image_to_file(path) : m_picture->save_as_image_to_file(path);
    return saved ? path : QString();
}

const QVector<ReportAnalysis>& ReportComImage::ordered_analyses()
{
    if (m_values_valid) return m_ordered;
    m_ordered.clear();
    if (m_picture && m_loaded) {
        for (int kind : report_values::kKindOrder) {
            QMap<QString, ReportAnalysis> by_alias;
            for (const ReportAnalysis& analysis : m_picture->analyses_of_kind(kind)) by_alias.insert(analysis.alias, analysis);
            for (const ReportAnalysis& analysis : by_alias) m_ordered.append(analysis);
        }
    }
    m_values_valid = true;
    return m_ordered;
}

bool ReportComImage::get_ana_info_list(QJsonArray& list)
{
    if (!m_picture || !m_loaded || !m_is_ir) return false;
    const QString name = QString::asprintf("IR%02d", m_ir_number + 1);
    QJsonObject picture_row;
    picture_row.insert("nType", -1);
    picture_row.insert("nIRID", m_ir_number);
    picture_row.insert("strIRName", name);
    picture_row.insert("strAnaName", QString());
    picture_row.insert("nAnaID", -1);
    list.append(picture_row);
    m_values_valid = false;
    const QVector<ReportAnalysis>& analyses = ordered_analyses();
    for (int i = 0; i < analyses.size(); ++i) {
        QJsonObject row;
        row.insert("nType", analyses.at(i).kind);
        row.insert("nIRID", m_ir_number);
        row.insert("strIRName", name);
        row.insert("strAnaName", analyses.at(i).alias);
        row.insert("nAnaID", i);
        list.append(row);
    }
    return true;
}

QJsonObject ReportComImage::get_pic_property()
{
    QJsonObject json;
    if (m_picture && m_loaded) {
        if (m_is_ir) json = m_picture->get_ir_property();
        json.insert("bIR", m_is_ir);
        json.insert("bSgcc", m_picture->is_sgcc_picture());
    }
    json.insert("bFile", m_loaded);
    return json;
}

QString ReportComImage::get_mark_value(const ReportMarkEntry& entry)
{
    if (!m_picture || !m_loaded) return QString();
    return entry.ana_id >= 0 ? analysis_value(entry) : picture_value(entry.mark_type);
}

QString ReportComImage::analysis_value(const ReportMarkEntry& entry)
{
    using namespace report_fields;
    const QVector<ReportAnalysis>& analyses = ordered_analyses();
    if (entry.ana_id >= analyses.size()) return QString();
    const ReportAnalysis& analysis = analyses.at(entry.ana_id);
    switch (entry.mark_type) {
    case kAnalyzeName: return analysis.alias;
    case kAnalyzeMaxTemperature: return analysis.max_ok ? report_values::temperature_text(analysis.max) : QString();
    case kAnalyzeMinTemperature: return analysis.min_ok ? report_values::temperature_text(analysis.min) : QString();
    case kAnalyzeAvgTemperature: return analysis.avg_ok ? report_values::temperature_text(analysis.avg) : QString();
    case kAnalyzeMinusMaxTemperature: {
        if (!analysis.max_ok) return QString();
        float second = 0.0f;
        if (entry.ana_id_minus >= 0 && entry.ana_id_minus < analyses.size()) {
            if (!analyses.at(entry.ana_id_minus).max_ok) return QString();
            second = analyses.at(entry.ana_id_minus).max;
        }
        return report_values::temperature_text(std::fabs(analysis.max - second));
    }
    default: return QString();
    }
}

namespace {

QString with_unit(const QString& text, const char* unit) { return text.isEmpty() ? text : text + unit; }

QString weather_word(const QString& stored)
{
    static const char* const kPairs[][2] = {
        {"晴朗", "Sunny"}, {"多云", "Cloudy"}, {"小雨", "Drizzle"}, {"中雨", "Rain"},
        {"大雨", "Heavy Rain"}, {"雾", "Fog"}, {"雪", "Snow"},
    };
    for (const auto& pair : kPairs) {
        const QString chinese = QString::fromUtf8(pair[0]);
        const QString english = QString::fromLatin1(pair[1]);
        if (stored == chinese || stored == english) {
            return report_settings::is_chinese_language() ? chinese : english;
        }
    }
    return QString();
}

}  // namespace

QString ReportComImage::picture_value(int mark_type)
{
    using namespace report_fields;
    ReportPicture& picture = *m_picture;
    float value = 0.0f;
    switch (mark_type) {
    case kDocumentTitle:
    case kDeviceArea:
    case kSubstationName:
    case kDeviceType:
    case kDeviceName:
    case kPhase:
    case kParPosition: {
        const QString name = report_values::picture_name(picture.file_path());
        const QStringList parts = report_values::name_parts(name);
        if (parts.size() != 6) return mark_type == kDocumentTitle ? name : QString();
        switch (mark_type) {
        case kDocumentTitle: return parts.join(QString());
        case kSubstationName: return parts.at(0);
        case kDeviceArea: return parts.at(1);
        case kDeviceType: return parts.at(2);
        case kDeviceName: return parts.at(3);
        case kParPosition: return parts.at(4);
        default: return parts.at(5);
        }
    }
    case kRecordingDate: return report_values::storage_date(picture.storage_time());
    case kRecordingTime: return report_values::storage_clock(picture.storage_time());
    case kRunningVoltage: return with_unit(picture.user_data_string("VYVoltage"), " kV");
    case kLoadCurrent: return with_unit(picture.user_data_string("VYLoadCurrent"), " A");
    case kWindSpeed: return with_unit(picture.user_data_string("VYWindSpeed"), " m/s");
    case kEmissivity:
        return picture.read_emissivity(value) ? QString::asprintf("%.2f", static_cast<double>(value)) : QString();
    case kRecordingDistances:
        return picture.read_distance(value) ? QString::asprintf("%.1f", static_cast<double>(value)) : QString();
    case kAmbientTemperature:
        return picture.read_ambient_temperature(value) ? report_values::fixed_temperature_text(value) : QString();
    case kRelativeHumidity:
        // In single precision, so that a stored 0.65 reads 65 % and not 64 %.
        return picture.read_relative_humidity(value) ? QString::number(static_cast<qint64>(value * 100.0f)) + "%"
                                                     : QString();
    case kFullscreenMaxTemperature:
        return picture.read_max_temperature(value) ? report_values::temperature_text(value) : QString();
    case kFullscreenMinTemperature:
        return picture.read_min_temperature(value) ? report_values::temperature_text(value) : QString();
    case kFullscreenAvgTemperature:
        return picture.read_avg_temperature(value) ? report_values::temperature_text(value) : QString();
    case kMeasurementPointTemperature:
    case kNormalPointTemperature:
    case kTemperatureRise:
    case kTemperatureDifference:
    case kRelativeTemperatureDifference: {
        const report_values::HotCool extremes = report_values::hot_and_cool(picture);
        if (!(extremes.hot > report_values::kAbsentLow) || !(extremes.cool < report_values::kAbsentHigh)) {
            return QString();
        }
        float reference = report_values::kAbsentLow;
        if (!picture.read_reference_temperature(reference)) reference = report_values::kAbsentLow;
        if (!(reference > report_values::kAbsentLow)) reference = 0.0f;
        const float rise = extremes.hot - reference;
        const float difference = extremes.hot - extremes.cool;
        switch (mark_type) {
        case kMeasurementPointTemperature: return report_values::fixed_temperature_text(extremes.hot);
        case kNormalPointTemperature: return report_values::fixed_temperature_text(extremes.cool);
        case kTemperatureRise: return report_values::fixed_temperature_text(rise);
        case kTemperatureDifference: return report_values::fixed_temperature_text(difference);
        default: {
            if (!(rise > 0.0f)) return QString();
            float relative = difference * 100.0f / rise;
            if (relative > 100.0f) relative = 100.0f;
            return QString::number(static_cast<qint64>(relative)) + "%";
        }
        }
    }
    case kWeather: return weather_word(picture.user_data_string("VYWeather"));
    case kDesMark: return picture.user_data_string("VYDescriptionText");
    case kPresetText: return picture.preset_text();
    case kLatitude: return picture.latitude_text();
    case kLongitude: return picture.longitude_text();
    case kAltitude: return picture.altitude_text();
    default: return QString();
    }
}

bool ReportComImage::add_ana(int shape)
{
    m_adding_shape = true;
    if (m_picture && shape >= 0 && shape <= 3) m_picture->add_shape(shape);
    return true;
}

bool ReportComImage::end_add_ana()
{
    m_adding_shape = false;
    if (m_picture) m_picture->end_add_shape();
    return true;
}

bool ReportComImage::delete_all_ana()
{
    if (!m_picture) return false;
    m_values_valid = false;
    return m_picture->delete_all_ana();
}

bool ReportComImage::delete_ana()
{
    if (!m_picture) return false;
    m_values_valid = false;
    return m_picture->delete_ana();
}
