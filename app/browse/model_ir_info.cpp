#include "browse/model_ir_info.h"

#include "browse/browse_log.h"
#include "picfold.h"
#include "reelplay.h"
#include "shell/input_file.h"
#include "sources/camera_streams.h"
#include "thermframe.h"
#include "wirereel.h"

#include <QColor>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTextCodec>

#include <cstring>

namespace {

const char* const kTimeFormat = "yyyy-MM-dd HH:mm:ss";

// Lens texts are stored as GB18030 bytes in fixed 16-byte fields, not
// always terminated.
QString gb18030_field(const char* bytes, int capacity)
{
    const int length = int(qstrnlen(bytes, uint(capacity)));
    QTextCodec* codec = QTextCodec::codecForName("GB18030");
    return codec != nullptr ? codec->toUnicode(bytes, length) : QString::fromLatin1(bytes, length);
}

QString time_text(uint32_t seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QString::fromLatin1(kTimeFormat));
}

}  // namespace

ModelIRInfo::ModelIRInfo(QObject* parent)
    : QObject(parent)
{
    void* doc = nullptr;
    if (picfold_init(m_picture) && picfold_get_ir_data(m_picture, doc)) {
        thermframe_enable_image_process(doc, false);
    }
    if (reelplay_init(m_recording) && reelplay_get_ir_data(m_recording, doc)) {
        thermframe_enable_image_process(doc, false);
    }
}

ModelIRInfo::~ModelIRInfo()
{
    if (m_picture != nullptr) {
        picfold_uninit(m_picture);
    }
    if (m_recording != nullptr) {
        reelplay_uninit(m_recording);
    }
}

HandleTable<void>& ModelIRInfo::ana_table()
{
    static HandleTable<void> s_table;
    return s_table;
}

HandleTable<void>& ModelIRInfo::picture_source_table()
{
    static HandleTable<void> s_table;
    return s_table;
}

HandleTable<void>& ModelIRInfo::recording_source_table()
{
    static HandleTable<void> s_table;
    return s_table;
}

QString ModelIRInfo::size_text(qint64 bytes)
{
    static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB"};
    double size = double(qMax<qint64>(0, bytes));
    int unit = 0;
    while (size > 1024 && unit < 4) {
        size /= 1024;
        ++unit;
    }
    return QString::asprintf("%.1f %s", size, kUnits[unit]);
}

QString ModelIRInfo::len_type_to_text(int type)
{
    if (type > 100) {
        return type == 200 ? QStringLiteral("micro") : QString();
    }
    return QString::number(type) + QChar(0x00B0);
}

QString ModelIRInfo::get_ana_alias(int ana)
{
    void* object = ana_table().get(ana);
    std::string alias;
    if (object == nullptr || !thermframe_ana_get_alias(object, alias)) {
        return QString();
    }
    return QString::fromStdString(alias);
}

float ModelIRInfo::get_ana_max_temp(int ana)
{
    void* object = ana_table().get(ana);
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0;
    return (object != nullptr && thermframe_ana_get_max_temp(object, x, y, ad, t)) ? t : -999.0f;
}

float ModelIRInfo::get_ana_min_temp(int ana)
{
    void* object = ana_table().get(ana);
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0;
    return (object != nullptr && thermframe_ana_get_min_temp(object, x, y, ad, t)) ? t : -999.0f;
}

QJsonArray ModelIRInfo::get_ir_anas(int source, int kind)
{
    void* doc = nullptr;
    if (kind == 1) {
        void* picture = picture_source_table().get(source);
        if (picture == nullptr || !picfold_get_ir_data(picture, doc)) {
            return {};
        }
    } else if (kind == 2) {
        void* recording = recording_source_table().get(source);
        if (recording == nullptr || !reelplay_get_ir_data(recording, doc)) {
            return {};
        }
    } else {
        return {};
    }
    return ana_entries(doc, [](void* ana) { return ana_table().add(ana); });
}

QJsonArray ModelIRInfo::ana_entries(void* doc, const std::function<int(void*)>& id_of)
{
    QJsonArray result;
    result.append(QJsonObject{{"n_ana_id", 0}, {"n_ana_type", -1}, {"s_ana_name", tr("FullScreen")}});
    for (int type : {0, 10, 20, 30, 40, 50}) {
        int32_t count = 0;
        if (!thermframe_get_anas_count(doc, AnaType(type), count)) {
            continue;
        }
        for (int32_t i = 0; i < count; ++i) {
            void* ana = nullptr;
            if (!thermframe_get_ana(doc, AnaType(type), i, ana) || ana == nullptr) {
                continue;
            }
            std::string alias;
            thermframe_ana_get_alias(ana, alias);
            result.append(QJsonObject{{"n_ana_id", id_of(ana)},
                                      {"n_ana_type", type},
                                      {"s_ana_name", QString::fromStdString(alias)}});
        }
    }
    return result;
}

void ModelIRInfo::add_file_fields(const QString& path, QJsonObject& info) const
{
    const QFileInfo file(path);
    if (!file.isFile()) {
        return;
    }
    // Many Linux file systems record no creation time; the modification
    // time stands in for it.
    QDateTime created = file.birthTime();
    if (!created.isValid()) {
        created = file.lastModified();
    }
    info.insert("strSize", size_text(file.size()));
    info.insert("strSettingCreateTime", created.toString(QString::fromLatin1(kTimeFormat)));
    info.insert("strSettingChangeTime", file.lastModified().toString(QString::fromLatin1(kTimeFormat)));
}

bool ModelIRInfo::device_text(void* doc, QString& text)
{
    std::string first, second, third;
    if (!thermframe_get_mac_info(doc, first, second, third)) {
        return false;
    }
    text = QString::fromStdString(first + "-" + third + "-" + second);
    return true;
}

void ModelIRInfo::add_frame_fields(void* doc, QJsonObject& info) const
{
    QString device;
    if (device_text(doc, device)) {
        info.insert("strSettingMac", device);
    }
    uint16_t width = 0, height = 0;
    if (thermframe_get_show_resolution(doc, width, height)) {
        info.insert("strSettingResolution", QString::asprintf("%d x %d", width, height));
    }
    tagLenInfo lens;
    std::memset(&lens, 0, sizeof(lens));
    if (thermframe_get_cur_len_range_info(doc, &lens)) {
        const QString description = gb18030_field(lens.description, int(sizeof(lens.description)));
        info.insert("strSettingLenType", description.isEmpty() ? len_type_to_text(lens.len_type) : description);
        info.insert("strSettingLenSN",
                    QString::fromUtf8(lens.serial, int(qstrnlen(lens.serial, sizeof(lens.serial)))));
    }
}

QJsonObject ModelIRInfo::get_ir_image_info(const QString& path)
{
    QJsonObject info;
    for (const char* key : {"strSize", "strSettingResolution", "strSettingChangeTime", "strSettingCreateTime",
                            "strSettingSnapTime", "strSettingMac", "strSettingLenType", "strSettingLenSN"}) {
        info.insert(key, QString());
    }
    void* doc = nullptr;
    const bool ir = m_picture != nullptr && picfold_load_file_w(m_picture, path.toStdWString(), true) &&
                    picfold_get_ir_data(m_picture, doc);
    info.insert("nFileType", ir ? 1 : 0);
    if (ir) {
        std::string stored;
        if (picfold_get_storage_time(m_picture, stored)) {
            const QDateTime snap = QDateTime::fromString(QString::fromStdString(stored), "yyyyMMddhhmmss");
            info.insert("strSettingSnapTime", snap.toString("yyyy-MM-dd hh:mm:ss"));
        }
        add_frame_fields(doc, info);
    }
    add_file_fields(path, info);
    if (!ir) {
        // Only the header is read: a plain picture's size needs no decoding.
        QFile file;
        const QSize size = open_input_file(file, path) ? QImageReader(&file).size() : QSize();
        if (size.isValid()) {
            info.insert("strSettingResolution", QString::asprintf("%d x %d", size.width(), size.height()));
        }
    }
    return info;
}

QJsonObject ModelIRInfo::get_ir_video_info(const QString& path)
{
    QJsonObject info;
    for (const char* key : {"strSize", "strSettingStartTime", "strSettingEndTime", "strSettingResolution",
                            "strSettingMac", "strSettingLenType", "strSettingLenSN", "strSettingCreateTime",
                            "strSettingChangeTime"}) {
        info.insert(key, QString());
    }
    const bool loaded = m_recording != nullptr && reelplay_load_file_w(m_recording, path.toStdWString());
    info.insert("nFileType", loaded ? 2 : -1);
    if (loaded) {
        for (uint32_t frame = 0; frame < 3; ++frame) {
            if (reelplay_seek_frame(m_recording, frame)) {
                break;
            }
        }
        void* doc = nullptr;
        if (reelplay_get_ir_data(m_recording, doc)) {
            add_frame_fields(doc, info);
        }
        tagTimeVal start{0, 0};
        tagTimeVal end{0, 0};
        if (reelplay_get_start_time(m_recording, start)) {
            info.insert("strSettingStartTime", time_text(start.sec));
        }
        if (reelplay_get_end_time(m_recording, end)) {
            info.insert("strSettingEndTime", time_text(end.sec));
        }
    }
    add_file_fields(path, info);
    return info;
}

int ModelIRInfo::connect_net_device(const QString& address)
{
    void* stream = nullptr;
    if (!wirereel_init(&stream) || stream == nullptr) {
        qCWarning(lc_browse) << "camera stream not made for" << address;
        return 0;
    }
    if (!wirereel_connect(stream, address.toLatin1().constData())) {
        qCWarning(lc_browse) << "camera not reached at" << address;
        wirereel_uninit(&stream);
        return 0;
    }
    // The camera window's source takes it by this id.
    const int id = camera_streams().add(stream);
    if (id == 0) {
        wirereel_uninit(&stream);
    }
    return id;
}

bool ModelIRInfo::release_net_device(int id)
{
    return release_camera_stream(id);
}

QString ModelIRInfo::get_warning_color(int level)
{
    return QColor(level == 1 ? QStringLiteral("#FF0000") : QStringLiteral("#FF8000")).name();
}

void ModelIRInfo::set_warning_color(int level, const QString& colour)
{
    // The QML keeps warning colours in its configuration.
    Q_UNUSED(level);
    Q_UNUSED(colour);
}
