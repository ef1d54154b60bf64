// The picture user data: a JSON object stored with the picture, read at
// opening, edited by the property panel and written back before a save.
#include "sources/ir_image.h"

#include "picfold.h"
#include "sources/ana_string.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

const char* const kWeatherNames[] = {"Sunny", "Cloudy", "Drizzle", "Rain", "Heavy Rain", "Fog", "Snow"};

int weather_index(const QString& name)
{
    for (int i = 0; i < 7; ++i) {
        if (name == QLatin1String(kWeatherNames[i])) return i + 1;
    }
    return 0;
}

// A key's value as an integer; JSON of another type gives the default.
int int_value(const QJsonObject& json, const char* key, int fallback)
{
    const QJsonValue value = json.value(QLatin1String(key));
    return value.isDouble() ? value.toInt(fallback) : fallback;
}

QString direction_text(const QJsonObject& user, const char* degree_key, const char* dir_key,
                       const char* a, const char* b)
{
    const QString dir = user.value(QLatin1String(dir_key)).toString();
    if (dir.compare(QLatin1String(a), Qt::CaseInsensitive) != 0 &&
        dir.compare(QLatin1String(b), Qt::CaseInsensitive) != 0) {
        return QString();
    }
    return user.value(QLatin1String(degree_key)).toString() + dir;
}

QString fmt1(float value) { return QString::asprintf("%.1f", value); }

}  // namespace

QJsonObject IRImage::parse_user_data(const QByteArray& bytes)
{
    const int nul = bytes.indexOf('\0');
    return QJsonDocument::fromJson(nul < 0 ? bytes : bytes.left(nul)).object();
}

QJsonObject IRImage::read_user_data(void* frame)
{
    uint32_t length = 0;
    if (frame == nullptr || !thermframe_get_user_data(frame, nullptr, length) || length == 0) {
        return QJsonObject();
    }
    if (length > kMaxUserDataBytes) {
        qCWarning(lc_source) << "user data of" << length << "bytes not read";
        return QJsonObject();
    }
    QByteArray bytes(static_cast<int>(length), '\0');
    if (!thermframe_get_user_data(frame, reinterpret_cast<unsigned char*>(bytes.data()), length)) {
        return QJsonObject();
    }
    bytes.truncate(static_cast<int>(length));
    qCDebug(lc_source) << "user data :" << QString::fromUtf8(bytes);
    return parse_user_data(bytes);
}

bool IRImage::load_user_data()
{
    m_user_data = read_user_data(get_ir_data());
    apply_view_settings();
    return !m_user_data.isEmpty();
}

bool IRImage::apply_view_settings()
{
    void* frame = get_ir_data();
    if (!m_b_sgcc_image || frame == nullptr) {
        return false;
    }
    if (apply_view_settings_to(frame, m_user_data)) {
        read_ir_size();
        update_image_size();
        if (m_p_wnd_ir_show != nullptr) {
            emit m_p_wnd_ir_show->sig_update_rotate();
        }
    }
    return true;
}

bool IRImage::apply_view_settings_to(void* frame, const QJsonObject& user_data)
{
    if (user_data.contains("VYPalette")) {
        const int palette = int_value(user_data, "VYPalette", 0);
        set_frame_palette(frame, static_cast<PALETTE>(palette >= 0 && palette <= 17 ? palette : 0));
    }
    if (user_data.contains("VYAutoImaging")) {
        const int automatic = int_value(user_data, "VYAutoImaging", 0);
        if (automatic == kAutoImagingContinuous) {
            thermframe_set_palette_type(frame, PALETTE_TYPE_AUTO_EVERY_FRAME);
        } else if (automatic != 0) {
            thermframe_set_palette_type(frame, PALETTE_TYPE_AUTO_ONCE);
        } else {
            // Levels are 16-bit AD values; anything else is ignored.
            const int low = int_value(user_data, "VYImagingLow", 0);
            const int high = int_value(user_data, "VYImagingHigh", 0);
            if (low > 0 && low <= 0xFFFF) thermframe_set_low_of_imaging_range(frame, static_cast<uint16_t>(low));
            if (high > 0 && high <= 0xFFFF) thermframe_set_high_of_imaging_range(frame, static_cast<uint16_t>(high));
        }
    }
    int rotation = 0;
    if (user_data.contains("VYRotationAngle")) {
        rotation = int_value(user_data, "VYRotationAngle", 0);
        if (rotation < 0 || rotation > 4) rotation = 0;
    } else {
        RotationAngle current = ROTATION_NONE;
        if (!thermframe_get_rotation_angle(frame, current) || current == ROTATION_NONE) {
            return false;
        }
    }
    return thermframe_set_rotation_angle(frame, static_cast<RotationAngle>(rotation));
}

bool IRImage::store_view_settings()
{
    void* frame = get_ir_data();
    if (!m_b_sgcc_image || frame == nullptr) {
        return false;
    }
    PALETTE palette = PAL_IRON;
    if (thermframe_get_palette(frame, palette)) m_user_data.insert("VYPalette", int(palette));
    PaletteType type = PALETTE_TYPE_MANUAL;
    if (thermframe_get_palette_type(frame, type)) {
        // A picture shown with continuous automatic imaging comes back with
        // it: stored as a manual range it would open in other colours.
        m_user_data.insert("VYAutoImaging", type == PALETTE_TYPE_AUTO_ONCE           ? 1
                                            : type == PALETTE_TYPE_AUTO_EVERY_FRAME ? kAutoImagingContinuous
                                                                                    : 0);
    }
    uint16_t low = 0, high = 0;
    if (thermframe_get_imaging_range(frame, low, high)) {
        m_user_data.insert("VYImagingLow", int(low));
        m_user_data.insert("VYImagingHigh", int(high));
    }
    RotationAngle rotation = ROTATION_NONE;
    if (thermframe_get_rotation_angle(frame, rotation)) m_user_data.insert("VYRotationAngle", int(rotation));
    return true;
}

bool IRImage::save_anas_to_user_data(QJsonObject& user_data)
{
    void* frame = get_ir_data();
    if (frame == nullptr) {
        return true;
    }
    PALETTE palette = PAL_IRON;
    if (thermframe_get_palette(frame, palette)) user_data.insert("VYPalette", int(palette));
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0.0f;
    if (thermframe_get_max_temp(frame, x, y, ad, t)) user_data.insert("VYFullscreenMaxTemperature", fmt1(t));
    if (thermframe_get_min_temp(frame, x, y, ad, t)) user_data.insert("VYFullscreenMinTemperature", fmt1(t));
    const int zoom = int_value(user_data, "VYZoomFactor", 1);
    uint16_t width = 0, height = 0;
    thermframe_get_resolution(frame, width, height);
    float scale = 1.0f;
    int x_offset = 0, y_offset = 0;
    ana_string::zoom_crop(width, height, zoom, scale, x_offset, y_offset);
    QJsonArray records;
    for (AnaType type : {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE}) {
        int32_t count = 0;
        thermframe_get_anas_count(frame, type, count);
        for (int32_t i = 0; i < count; ++i) {
            void* ana = nullptr;
            if (!thermframe_get_ana(frame, type, i, ana) || ana == nullptr) continue;
            std::string text, alias;
            thermframe_get_ana_str_from_handle(frame, ana, text);
            thermframe_ana_get_alias(ana, alias);
            ShowTextType mask = SHOW_TEXT_MAX;
            thermframe_ana_get_text_type(ana, mask);
            QJsonObject record;
            record.insert("ana_alias", QString::fromStdString(alias));
            record.insert("ana_str", QString::fromStdString(text));
            record.insert("show_max", (mask & SHOW_TEXT_MAX) != 0);
            if (type != ANA_POINT) {
                record.insert("show_min", (mask & SHOW_TEXT_MIN) != 0);
                record.insert("show_avg", (mask & SHOW_TEXT_AVG) != 0);
            }
            if (thermframe_ana_get_max_temp(ana, x, y, ad, t)) record.insert("max", fmt1(t));
            if (type != ANA_POINT) {
                if (thermframe_ana_get_min_temp(ana, x, y, ad, t)) record.insert("min", fmt1(t));
                if (thermframe_ana_get_avg_temp(ana, ad, t)) record.insert("avg", fmt1(t));
            }
            if (zoom == 1) {
                record.insert("ana_zoom_str", QString::fromStdString(text));
            } else {
                std::vector<tagVYPoint> nodes;
                std::string zoomed;
                if (thermframe_ana_get_node(ana, nodes)) {
                    // The zoomed view is the picture's size: a node outside
                    // it is clamped to its edge instead of wrapping around.
                    const float max_x = width > 0 ? width - 1.0f : 0.0f;
                    const float max_y = height > 0 ? height - 1.0f : 0.0f;
                    for (tagVYPoint& node : nodes) {
                        const float zx = (static_cast<int>(node.x) - x_offset) * scale;
                        const float zy = (static_cast<int>(node.y) - y_offset) * scale;
                        node.x = static_cast<uint16_t>(std::min(std::max(zx, 0.0f), max_x));
                        node.y = static_cast<uint16_t>(std::min(std::max(zy, 0.0f), max_y));
                    }
                    if (ana_string::format(type, nodes, zoomed)) {
                        record.insert("ana_zoom_str", QString::fromStdString(zoomed));
                    }
                }
            }
            records.append(record);
        }
    }
    user_data.insert("VYAnas", records);
    return true;
}

void IRImage::set_source_property(const QJsonObject& json)
{
    const struct { const char* from; const char* to; } kTexts[] = {
        {"strSettingEmiss", "VYEmissivity"},
        {"strSettingDist", "VYDistance"},
        {"strSettingTemp", "VYAtmosphericTemperature"},
        {"strSettingKeyEnviromentReference", "VYReferenceTemperature"},
        {"strSettingRelHum", "VYRelativeHumidity"}};
    for (const auto& key : kTexts) {
        if (json.contains(key.from)) m_user_data.insert(key.to, json.value(key.from).toString());
    }
    if (json.contains("strSettingWeather")) {
        const int index = json.value("strSettingWeather").toInt();
        m_user_data.insert("VYWeather", index >= 1 && index <= 7 ? QString(kWeatherNames[index - 1]) : QString());
    }
    if (json.contains("strSettingWindSpeed")) m_user_data.insert("VYWindSpeed", json.value("strSettingWindSpeed").toString());
    if (json.contains("strSettingVoltage")) m_user_data.insert("VYVoltage", json.value("strSettingVoltage").toString());
    if (json.contains("strSettingCurrent")) m_user_data.insert("VYLoadCurrent", json.value("strSettingCurrent").toString());
    if (json.contains("strSettingAudioPlay")) m_audio_tool.start_play();
    if (json.contains("strSettingAudioDelete")) m_audio_tool.clear_sound();
    if (json.contains("strSettingAudioRecordStart")) m_audio_tool.start_record();
    if (json.contains("strSettingAudioRecordStop")) {
        m_audio_tool.stop_record();
        if (m_p_wnd_ir_show != nullptr) emit m_p_wnd_ir_show->sig_update_sound_sec(m_audio_tool.sound_seconds());
    }
    if (json.contains("strSettingPicText")) m_user_data.insert("VYDescriptionText", json.value("strSettingPicText").toString());
}

bool IRImage::add_source_property(QJsonObject& json)
{
    std::string time;
    if (picfold_get_storage_time(m_h_ir, time)) {
        const QDateTime when = QDateTime::fromString(QString::fromStdString(time), "yyyyMMddhhmmss");
        if (when.isValid()) json.insert("strSettingSnapTime", when.toString("yyyy-MM-dd hh:mm:ss"));
    }
    const QFileInfo file(m_str_file_path);
    if (!m_str_file_path.isEmpty() && file.exists())
        json.insert("strSettingChangeTime", file.lastModified().toString("yyyy-MM-dd hh:mm:ss"));
    if (m_user_data.contains("VYWeather"))
        json.insert("strSettingWeather", weather_index(m_user_data.value("VYWeather").toString()));
    if (m_user_data.contains("VYWindSpeed")) json.insert("strSettingWindSpeed", m_user_data.value("VYWindSpeed").toString());
    if (m_user_data.contains("VYVoltage")) json.insert("strSettingVoltage", m_user_data.value("VYVoltage").toString());
    if (m_user_data.contains("VYLoadCurrent")) json.insert("strSettingCurrent", m_user_data.value("VYLoadCurrent").toString());
    if (m_user_data.contains("VYDescriptionText")) json.insert("strSettingPicText", m_user_data.value("VYDescriptionText").toString());
    if (m_user_data.contains("VYPresetText")) json.insert("strSettingPresetText", get_preset_text());
    if (m_user_data.contains("VYWarningText")) json.insert("strSettingPicWarningInfo", m_user_data.value("VYWarningText").toString());
    const QString longitude = get_longitude_text();
    if (!longitude.isEmpty()) json.insert("strSettingLongitude", longitude);
    const QString latitude = get_latitude_text();
    if (!latitude.isEmpty()) json.insert("strSettingLatitude", latitude);
    if (m_user_data.contains("VYAltitude")) json.insert("strSettingAltitude", get_altitude_text());
    if (m_audio_tool.sound_length() != 0) json.insert("strSettingAudioPlay", QString::number(m_audio_tool.sound_length()));
    return true;
}

bool IRImage::load_sound_data()
{
    m_sound_length = 0;
    void* frame = get_ir_data();
    uint32_t length = 0;
    if (frame == nullptr || !thermframe_get_sound_data(frame, nullptr, length) || length == 0 ||
        length > kMaxUserDataBytes) {
        return false;
    }
    if (static_cast<uint32_t>(m_sound_bytes.size()) < length) {
        m_sound_bytes.resize(static_cast<int>(length));
    }
    if (!thermframe_get_sound_data(frame, reinterpret_cast<unsigned char*>(m_sound_bytes.data()), length)) {
        return false;
    }
    m_sound_length = length;
    return true;
}

QString IRImage::altitude_text_of(const QJsonObject& user_data)
{
    if (!user_data.contains("VYAltitude")) return QString();
    return QString::number(int_value(user_data, "VYAltitude", 0));
}

QString IRImage::longitude_text_of(const QJsonObject& user_data)
{
    return direction_text(user_data, "VYLongitudeDegree", "VYLongitudeDirection", "W", "E");
}

QString IRImage::latitude_text_of(const QJsonObject& user_data)
{
    return direction_text(user_data, "VYLatitudeDegree", "VYLatitudeDirection", "N", "S");
}

QString IRImage::preset_text_of(const QJsonObject& user_data)
{
    QStringList texts;
    for (const QJsonValue& value : user_data.value("VYPresetText").toArray()) texts << value.toString();
    return texts.join("\n");
}

QString IRImage::get_altitude_text() const { return altitude_text_of(m_user_data); }
QString IRImage::get_longitude_text() const { return longitude_text_of(m_user_data); }
QString IRImage::get_latitude_text() const { return latitude_text_of(m_user_data); }
QString IRImage::get_preset_text() const { return preset_text_of(m_user_data); }

QString IRImage::get_user_data_string(const QString& key) const { return m_user_data.value(key).toString(); }
