// Parameters and properties of a source as the property panel exchanges
// them: JSON objects with "strSetting..." keys.
#include "sources/ir_base.h"

#include "browse/model_ir_info.h"
#include "markpen.h"
#include "sources/line_colour.h"
#include "thermframe.h"
#include "views/wnd_ir_companions.h"
#include "views/wnd_ir_show.h"

#include <QColor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextCodec>
#include <QUrl>

#include <cmath>
#include <cstring>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

// A typed number: the whole text must be one finite number.
bool parse_number(const QJsonValue& value, double& out)
{
    bool ok = false;
    const double number = value.isDouble() ? value.toDouble() : value.toString().trimmed().toDouble(&ok);
    if (value.isDouble()) {
        ok = true;
    }
    if (!ok || !std::isfinite(number)) {
        return false;
    }
    out = number;
    return true;
}

bool parse_integer(const QJsonValue& value, int& out)
{
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (d != std::trunc(d) || std::fabs(d) > 1e9) return false;
        out = static_cast<int>(d);
        return true;
    }
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok, 10);
    if (!ok) return false;
    out = number;
    return true;
}

bool valid_emissivity(double e) { return e > 0.0 && e <= 1.0; }
bool valid_distance(double d) { return d > 0.0 && d < 1e6; }

QString fmt(const char* format, double value) { return QString::asprintf(format, value); }

QString gb18030_text(const char* bytes, std::size_t field)
{
    const std::size_t length = strnlen(bytes, field);
    QTextCodec* codec = QTextCodec::codecForName("GB18030");
    const QByteArray raw(bytes, static_cast<int>(length));
    return codec != nullptr ? codec->toUnicode(raw) : QString::fromUtf8(raw);
}

QString len_type_to_text(int len_type)
{
    if (len_type <= 100) return QString::number(len_type) + QChar(0x00B0);
    if (len_type == 200) return QStringLiteral("micro");
    return QString();
}

}  // namespace

// --- Picture parameters ---------------------------------------------------------------------

bool IRBase::set_frame_palette(void* frame, PALETTE palette)
{
    // The frame document leaves continuous automatic imaging for a manual
    // range when its palette is set; only the colours are to change, so the
    // imaging in force is taken up again.
    PaletteType type = PALETTE_TYPE_MANUAL;
    const bool automatic = thermframe_get_palette_type(frame, type) && type == PALETTE_TYPE_AUTO_EVERY_FRAME;
    if (!thermframe_set_palette(frame, palette)) return false;
    if (automatic) thermframe_set_palette_type(frame, PALETTE_TYPE_AUTO_EVERY_FRAME);
    return true;
}

bool IRBase::set_ir_property(const QJsonObject& json)
{
    void* frame = get_ir_data();
    if (frame == nullptr) {
        return false;
    }
    bool changed = false;
    int integer = 0;
    double number = 0.0;
    if (json.contains("strSettingPalette")) {
        if (!parse_integer(json.value("strSettingPalette"), integer) || integer < 0 || integer >= PAL_COUNT) {
            return false;
        }
        if (set_frame_palette(frame, static_cast<PALETTE>(integer)) && m_p_wnd_palette != nullptr) {
            m_p_wnd_palette->set_color_index(integer);
        }
    }
    if (json.contains("strSettingDefaultParam")) {
        if (set_use_temperature_para(true)) {
            refresh_palette_bar();
        }
        if (m_p_wnd_ir_show != nullptr) {
            emit m_p_wnd_ir_show->sig_update_ir_param_info();
        }
    }
    if (json.contains("strSettingKeyTempUnit")) {
        if (!parse_integer(json.value("strSettingKeyTempUnit"), integer) || integer < 0 || integer > 1) {
            return false;
        }
        if (thermframe_set_temperature_unit(frame, static_cast<TemperatureUnit>(integer))) {
            refresh_palette_bar();
        }
    }
    if (json.contains("strSettingEmiss")) {
        if (!parse_number(json.value("strSettingEmiss"), number) || !valid_emissivity(number) ||
            !thermframe_set_emiss(frame, static_cast<float>(number))) {
            return false;
        }
        changed = true;
    }
    if (json.contains("strSettingDist")) {
        if (!parse_number(json.value("strSettingDist"), number) || !valid_distance(number) ||
            !thermframe_set_dist(frame, static_cast<float>(number))) {
            return false;
        }
        changed = true;
    }
    if (json.contains("strSettingTemp")) {
        if (!parse_number(json.value("strSettingTemp"), number) ||
            !thermframe_set_env_temp(frame, static_cast<float>(number))) {
            return false;
        }
        changed = true;
    }
    if (json.contains("strSettingKeyEnviromentReference")) {
        if (!parse_number(json.value("strSettingKeyEnviromentReference"), number) ||
            !thermframe_set_enviroment_reference_temperature(frame, static_cast<float>(number))) {
            return false;
        }
    }
    if (json.contains("strSettingRelHum")) {
        if (!parse_integer(json.value("strSettingRelHum"), integer) || integer < 0 || integer > 100 ||
            !thermframe_set_rel_hum(frame, static_cast<float>(integer / 100.0))) {
            return false;
        }
        changed = true;
    }
    if (json.contains("strSettingMdf")) {
        if (!parse_number(json.value("strSettingMdf"), number) ||
            !thermframe_set_modify_temp(frame, static_cast<float>(number))) {
            return false;
        }
        changed = true;
    }
    if (json.contains("strSettingMaxPoint")) {
        thermframe_show_max(frame, json.value("strSettingMaxPoint").toBool());
    }
    if (json.contains("strSettingMinPoint")) {
        thermframe_show_min(frame, json.value("strSettingMinPoint").toBool());
    }
    if (json.contains("strSettingMouseTemp")) {
        m_b_show_mouse_temp = json.value("strSettingMouseTemp").toBool();
    }
    // Lens and measuring range belong to a live camera; the camera source
    // switches them (a picture or recording has no range to switch).
    if (m_n_ir_type == 3 && json.contains("strSettingLenTypeIndex") &&
        json.contains("strSettingTempRangeIndex")) {
        int range = 0;
        if (!parse_integer(json.value("strSettingLenTypeIndex"), integer) ||
            !parse_integer(json.value("strSettingTempRangeIndex"), range)) {
            return false;
        }
        qCDebug(lc_source) << "wirereel_set_len_and_meas_range";
        if (!set_len_and_meas_range(integer, range)) {
            qCWarning(lc_source) << "failed vy_nd_plus_set_len_and_meas_range: " << integer << "," << range;
            return false;
        }
        qCDebug(lc_source) << "successed p_nd_plus_set_len_and_meas_range";
        changed = true;
    }
    if (json.contains("strSettingAutoTempRange")) {
        m_b_auto_temp_range = json.value("strSettingAutoTempRange").toBool();
    }
    set_source_property(json);
    if (changed) {
        set_use_temperature_para(false);
        // The same levels stand for other temperatures now.
        refresh_palette_bar();
        if (m_p_wnd_ir_show != nullptr) {
            emit m_p_wnd_ir_show->sig_update_ir_temp_info();
        }
    }
    return true;
}

QJsonObject IRBase::get_ir_param_info() const
{
    QJsonObject json;
    void* frame = get_ir_data();
    TemperatureUnit unit = TEMP_UNIT_CELSIUS;
    float value = 0.0f;
    if (thermframe_get_temperature_unit(frame, unit)) json.insert("strSettingKeyTempUnit", int(unit));
    if (thermframe_get_emiss(frame, value)) json.insert("strSettingEmiss", fmt("%.2f", value));
    if (thermframe_get_dist(frame, value)) json.insert("strSettingDist", fmt("%.1f", value));
    if (thermframe_get_env_temp(frame, value)) json.insert("strSettingTemp", fmt("%.1f", value));
    if (thermframe_get_rel_hum(frame, value))
        json.insert("strSettingRelHum", QString::number(static_cast<int>(value * 100.0f + 1e-4f)));
    if (thermframe_get_modify_temp(frame, value)) json.insert("strSettingMdf", fmt("%.1f", value));
    return json;
}

QJsonObject IRBase::get_ir_temp_info() const
{
    QJsonObject json;
    void* frame = get_ir_data();
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0.0f;
    if (thermframe_get_max_temp(frame, x, y, ad, t))
        json.insert("strSettingMaxTemp", QString::asprintf("(%d, %d)%.1f", x, y, t));
    if (thermframe_get_min_temp(frame, x, y, ad, t))
        json.insert("setSettingMinTemp", QString::asprintf("(%d, %d)%.1f", x, y, t));
    return json;
}

QJsonObject IRBase::get_ir_property()
{
    void* frame = get_ir_data();
    if (frame == nullptr) {
        return QJsonObject();
    }
    QJsonObject json;
    uint16_t w = 0, h = 0;
    if (thermframe_get_show_resolution(frame, w, h))
        json.insert("strSettingResolution", QString::asprintf("%d x %d", w, h));
    QString device;
    if (ModelIRInfo::device_text(frame, device))
        json.insert("strSettingMac", device);
    tagLenInfo lens;
    std::memset(&lens, 0, sizeof(lens));
    if (thermframe_get_cur_len_range_info(frame, &lens)) {
        json.insert("strSettingLenType", m_b_sgcc_image ? len_type_to_text(lens.len_type)
                                                        : gb18030_text(lens.description, 16));
        json.insert("strSettingLenTypeIndex", lens.len_type);
        json.insert("strSettingTempRangeIndex", lens.ranges[0].meas_range);
        if (!m_b_sgcc_image)
            json.insert("strSettingTempRange", QString::asprintf("%d - %d", lens.ranges[0].min_temp,
                                                                 lens.ranges[0].max_temp));
        json.insert("strSettingLenSN", gb18030_text(lens.serial, 16));
    }
    PALETTE palette = PAL_IRON;
    if (thermframe_get_palette(frame, palette)) json.insert("strSettingPalette", int(palette));
    const QJsonObject params = get_ir_param_info();
    for (auto it = params.begin(); it != params.end(); ++it) json.insert(it.key(), it.value());
    float value = 0.0f;
    if (thermframe_get_enviroment_reference_temperature(frame, value))
        json.insert("strSettingKeyEnviromentReference", fmt("%.1f", value));
    bool on = false;
    if (thermframe_is_show_max(frame, on)) json.insert("strSettingMaxPoint", on);
    if (thermframe_is_show_min(frame, on)) json.insert("strSettingMinPoint", on);
    json.insert("strSettingMouseTemp", m_b_show_mouse_temp);
    const QJsonObject temps = get_ir_temp_info();
    for (auto it = temps.begin(); it != temps.end(); ++it) json.insert(it.key(), it.value());
    // The panel shows an SGCC picture's parameters read-only.
    json.insert("bSgcc", m_b_sgcc_image);
    add_source_property(json);
    return json;
}

// --- Selected analysis object --------------------------------------------------------------------

bool IRBase::set_ana_property(const QJsonObject& json)
{
    void* ana = selected_ana();
    if (get_ir_data() == nullptr || ana == nullptr) {
        return false;
    }
    bool changed = false;
    bool own = false;
    float emissivity = 0.0f;
    float distance = 0.0f;
    if (json.contains("strSettingAnaDefaultParam") && !json.value("strSettingAnaDefaultParam").toBool()) {
        thermframe_ana_set_self_para(ana, false, 0.8f, 3.0f);
    }
    double number = 0.0;
    if (json.contains("strSettingAnaEmiss")) {
        if (!parse_number(json.value("strSettingAnaEmiss"), number) || !valid_emissivity(number)) {
            return false;
        }
        thermframe_ana_get_self_para(ana, own, emissivity, distance);
        changed = thermframe_ana_set_self_para(ana, true, static_cast<float>(number), distance);
    }
    if (json.contains("strSettingAnaDist")) {
        if (!parse_number(json.value("strSettingAnaDist"), number) || !valid_distance(number)) {
            return false;
        }
        thermframe_ana_get_self_para(ana, own, emissivity, distance);
        changed = thermframe_ana_set_self_para(ana, true, emissivity, static_cast<float>(number));
    }
    if (json.contains("strSettingAnaSelfPalette")) {
        thermframe_ana_set_self_palette(ana, json.value("strSettingAnaSelfPalette").toBool());
        refresh_palette_bar();
    }
    if (json.contains("strSettingAnaPalette")) {
        const int palette = json.value("strSettingAnaPalette").toInt();
        if (palette >= 0 && palette < PAL_COUNT) {
            thermframe_ana_set_palette(ana, static_cast<PALETTE>(palette));
        }
        refresh_palette_bar();
    }
    ShowTextType text_type = SHOW_TEXT_MAX;
    thermframe_ana_get_text_type(ana, text_type);
    int mask = text_type;
    const struct { const char* key; int bit; } kBits[] = {
        {"strSettingAnaMaxTemp", SHOW_TEXT_MAX}, {"strSettingAnaMinTemp", SHOW_TEXT_MIN},
        {"strSettingAnaAvgTemp", SHOW_TEXT_AVG}};
    for (const auto& bit : kBits) {
        if (json.contains(bit.key)) {
            mask = json.value(bit.key).toBool() ? (mask | bit.bit) : (mask & ~bit.bit);
        }
    }
    if (mask != text_type) {
        thermframe_ana_set_text_type(ana, static_cast<ShowTextType>(mask));
    }
    if (json.contains("strSettingAnaMaxPoint")) thermframe_ana_show_max(ana, json.value("strSettingAnaMaxPoint").toBool());
    if (json.contains("strSettingAnaMinPoint")) thermframe_ana_show_min(ana, json.value("strSettingAnaMinPoint").toBool());
    if (json.contains("strSettingAnaCursorShow")) {
        const bool show = json.value("strSettingAnaCursorShow").toBool();
        thermframe_ana_show_cursor(ana, show);
        thermframe_ana_show_cursor_temp(ana, show);
    }
    if (json.contains("strSettingAnaLineColor")) {
        const QColor colour(json.value("strSettingAnaLineColor").toString());
        if (colour.isValid()) {
            thermframe_ana_set_line_clr(ana, to_stored_colour(colour));
        }
    }
    if (changed && m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_ana_temp_info();
    }
    return true;
}

QJsonObject IRBase::get_cur_ana_temp_info() const
{
    QJsonObject json;
    void* ana = selected_ana();
    if (get_ir_data() == nullptr || ana == nullptr) {
        return json;
    }
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0.0f;
    if (thermframe_ana_get_max_temp(ana, x, y, ad, t)) {
        json.insert("strSettingAnaTextMax", fmt("[%.1f]", t));
        json.insert("strSettingAnaTextMaxPos", QString::asprintf("(%d,%d)", x, y));
    }
    if (thermframe_ana_get_min_temp(ana, x, y, ad, t)) {
        json.insert("strSettingAnaTextMin", fmt("[%.1f]", t));
        json.insert("strSettingAnaTextMinPos", QString::asprintf("(%d,%d)", x, y));
    }
    if (thermframe_ana_get_avg_temp(ana, ad, t)) json.insert("strSettingAnaTextAvg", fmt("[%.1f]", t));
    if (thermframe_ana_get_temperature_of_cursor(ana, x, y, t))
        json.insert("strSettingAnaCursorTemp", fmt("[%.1f]", t));
    return json;
}

QJsonObject IRBase::get_cur_ana_param_info() const
{
    QJsonObject json;
    void* ana = selected_ana();
    bool own = false;
    float emissivity = 0.0f, distance = 0.0f;
    if (get_ir_data() != nullptr && ana != nullptr &&
        thermframe_ana_get_self_para(ana, own, emissivity, distance)) {
        json.insert("strSettingAnaEmiss", fmt("%.2f", emissivity));
        json.insert("strSettingAnaDist", fmt("%.1f", distance));
    }
    return json;
}

QJsonObject IRBase::get_cur_ana_property() const
{
    void* ana = selected_ana();
    if (get_ir_data() == nullptr || ana == nullptr) {
        return QJsonObject();
    }
    QJsonObject json;
    AnaType type = ANA_ALL;
    if (thermframe_ana_get_type(ana, type)) json.insert("strSettingAnaType", int(type));
    bool own = false, on = false;
    float emissivity = 0.0f, distance = 0.0f;
    if (thermframe_ana_get_self_para(ana, own, emissivity, distance)) {
        json.insert("strSettingAnaDefaultParam", own);
    }
    const QJsonObject params = get_cur_ana_param_info();
    for (auto it = params.begin(); it != params.end(); ++it) json.insert(it.key(), it.value());
    if (thermframe_ana_has_self_palette(ana, on)) json.insert("strSettingAnaSelfPalette", on);
    PALETTE palette = PAL_IRON;
    if (thermframe_ana_get_palette(ana, palette)) json.insert("strSettingAnaPalette", int(palette));
    uint32_t colour = 0;
    if (thermframe_ana_get_line_clr(ana, colour))
        json.insert("strSettingAnaLineColor", from_stored_colour(colour).name());
    ShowTextType text_type = SHOW_TEXT_MAX;
    if (thermframe_ana_get_text_type(ana, text_type)) {
        json.insert("strSettingAnaMaxTemp", (text_type & SHOW_TEXT_MAX) != 0);
        json.insert("strSettingAnaMinTemp", (text_type & SHOW_TEXT_MIN) != 0);
        json.insert("strSettingAnaAvgTemp", (text_type & SHOW_TEXT_AVG) != 0);
    }
    if (thermframe_ana_is_show_max(ana, on)) json.insert("strSettingAnaMaxPoint", on);
    if (thermframe_ana_is_show_min(ana, on)) json.insert("strSettingAnaMinPoint", on);
    if (thermframe_ana_is_show_cursor(ana, on)) {
        json.insert("strSettingAnaCursorShow", on);
        json.insert("strSettingAnaCursorTempShow", on);
    }
    const QJsonObject temps = get_cur_ana_temp_info();
    for (auto it = temps.begin(); it != temps.end(); ++it) json.insert(it.key(), it.value());
    std::string alias;
    if (thermframe_ana_get_alias(ana, alias)) json.insert("strSettingAnaAlias", QString::fromStdString(alias));
    return json;
}

// --- Other readings -----------------------------------------------------------------------------

QJsonObject IRBase::get_sensor_temp() const
{
    QJsonObject json;
    float s1 = 0.0f, s2 = 0.0f, s3 = 0.0f;
    if (thermframe_get_sensor_temp(get_ir_data(), &s1, &s2, &s3, nullptr, nullptr, nullptr, nullptr, nullptr)) {
        json.insert("strSettingMovement", fmt("%.1f", s1) + QString::fromUtf8("℃"));
        json.insert("strSettingMotherboard", fmt("%.1f", s2) + QString::fromUtf8("℃"));
    }
    return json;
}

QString IRBase::get_mouse_temp_text(int x, int y) const
{
    if (!is_show_mouse_temp() || m_b_normal_image) {
        return QString();
    }
    void* frame = get_ir_data();
    uint16_t w = 0, h = 0, ww = 0, wh = 0;
    if (!thermframe_get_show_resolution(frame, w, h) || !markpen_get_wnd_size(get_ir_paint(), ww, wh) ||
        w == 0 || h == 0 || ww == 0 || wh == 0 || x < 0 || y < 0) {
        return QString();
    }
    const int px = std::min<int>(static_cast<int>(static_cast<int64_t>(w) * x / ww), w - 1);
    const int py = std::min<int>(static_cast<int>(static_cast<int64_t>(h) * y / wh), h - 1);
    float t = 0.0f;
    if (!thermframe_get_temp_from_position(frame, static_cast<uint16_t>(px), static_cast<uint16_t>(py), t)) {
        return QString();
    }
    return QString::asprintf("[%d,%d]%.1f", px, py, t);
}

bool IRBase::rorate_90_degrees(bool clockwise)
{
    void* frame = get_ir_data();
    if (frame == nullptr) {
        return false;
    }
    RotationAngle angle = ROTATION_NONE;
    if (!thermframe_get_rotation_angle(frame, angle)) angle = ROTATION_NONE;
    RotationAngle next = ROTATION_NONE;
    switch (angle) {
    case ROTATION_90: next = clockwise ? ROTATION_180 : ROTATION_NONE; break;
    case ROTATION_180:
    case ROTATION_180_ALT: next = clockwise ? ROTATION_270 : ROTATION_90; break;
    case ROTATION_270: next = clockwise ? ROTATION_NONE : ROTATION_180_ALT; break;
    default: next = clockwise ? ROTATION_90 : ROTATION_270; break;
    }
    if (!thermframe_set_rotation_angle(frame, next)) {
        return false;
    }
    read_ir_size();
    update_image_size();
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_rotate();
    }
    return true;
}

QJsonArray IRBase::get_array_len_type() const
{
    QJsonArray array;
    void* frame = get_ir_data();
    unsigned char count = 0;
    if (!thermframe_get_supported_lens_info(frame, nullptr, &count) || count == 0) {
        qCDebug(lc_source) << "failed thermframe_get_supported_lens_info 1";
        return array;
    }
    std::vector<tagLenInfo> lenses(count);
    if (!thermframe_get_supported_lens_info(frame, lenses.data(), &count)) {
        qCDebug(lc_source) << "failed thermframe_get_supported_lens_info 2";
        return array;
    }
    for (unsigned i = 0; i < count && i < lenses.size(); ++i) {
        array.append(QJsonObject{{"n_index", lenses[i].len_type},
                                 {"name", QString::fromUtf8(lenses[i].description,
                                                            static_cast<int>(strnlen(lenses[i].description, 16)))}});
    }
    return array;
}

QJsonArray IRBase::get_array_meas_range(int len_type) const
{
    QJsonArray array;
    void* frame = get_ir_data();
    unsigned char count = 0;
    if (!thermframe_get_supported_lens_info(frame, nullptr, &count) || count == 0) {
        return array;
    }
    std::vector<tagLenInfo> lenses(count);
    if (!thermframe_get_supported_lens_info(frame, lenses.data(), &count)) {
        return array;
    }
    for (unsigned i = 0; i < count && i < lenses.size(); ++i) {
        if (lenses[i].len_type != len_type) continue;
        for (int r = 0; r < lenses[i].range_count && r < 4; ++r) {
            const tagMeasRangeInfo& range = lenses[i].ranges[r];
            array.append(QJsonObject{{"n_index", range.meas_range},
                                     {"name", QString("%1 - %2").arg(range.min_temp).arg(range.max_temp)}});
        }
    }
    return array;
}

int IRBase::get_imaging_algorithm_mode() const
{
    ImagingAlgorithmMode mode = IMAGING_ALGORITHM_0;
    return thermframe_get_imaging_algorithm_mode(get_ir_data(), &mode) ? int(mode) : 0;
}

bool IRBase::set_imaging_algorithm_mode(int mode)
{
    void* frame = get_ir_data();
    if (mode < IMAGING_ALGORITHM_0 || mode > IMAGING_ALGORITHM_3) {
        return false;
    }
    if (m_n_ir_type == 2) {
        thermframe_set_palette_type(frame, PALETTE_TYPE_MANUAL);
    }
    return thermframe_set_imaging_algorithm_mode(frame, static_cast<ImagingAlgorithmMode>(mode));
}

QString IRBase::get_gps_text(const QJsonObject& user_data)
{
    if (!user_data.contains("VYLongitudeDegree") || !user_data.contains("VYLatitudeDegree") ||
        !user_data.contains("VYLatitudeDirection")) {
        return QString();
    }
    const QString lng = user_data.value("VYLongitudeDegree").toString();
    const QString lat = user_data.value("VYLatitudeDegree").toString();
    const QString lng_dir = user_data.value("VYLongitudeDirection").toString();
    const QString lat_dir = user_data.value("VYLatitudeDirection").toString();
    if (lng.isEmpty() || lat.isEmpty() || lng_dir.isEmpty() || lat_dir.isEmpty()) {
        return QString();
    }
    bool ok_lng = false, ok_lat = false;
    const double lng_value = lng.toDouble(&ok_lng);
    const double lat_value = lat.toDouble(&ok_lat);
    if (!ok_lng || !ok_lat || !(lng_value >= 0.0 && lng_value <= 180.0) ||
        !(lat_value >= 0.0 && lat_value <= 90.0)) {
        return QString();
    }
    const QString lng_up = lng_dir.toUpper();
    const QString lat_up = lat_dir.toUpper();
    if ((lng_up != "W" && lng_up != "E") || (lat_up != "N" && lat_up != "S")) {
        return QString();
    }
    return "lng(" + lng_dir + "):" + QString::asprintf("%.03f", lng_value) + " " + "lat(" + lat_dir +
           "):" + QString::asprintf("%.03f", lat_value);
}

bool IRBase::open_report()
{
    if (m_str_report_path.isEmpty()) {
        return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(m_str_report_path).absoluteFilePath()));
}
