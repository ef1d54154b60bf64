#include "sources/record_file.h"

#include "markpen.h"
#include "sources/avi_writer.h"
#include "sources/record_settings.h"
#include "thermframe.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QThread>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

// Per-frame overhead of a frame recording when its length is not known.
constexpr int64_t kIrvFrameOverhead = 40960;
constexpr int kEncodeRetries = 100;
constexpr int kEncodeRetryMs = 2;
constexpr int kMaxFilesPerSecond = 1000;

}  // namespace

RecordFile::~RecordFile()
{
    stop_record();
    end();
}

QString RecordFile::extension(int type)
{
    switch (type) {
    case RecordSettings::H264:
        return QStringLiteral(".h264");
    case RecordSettings::Avi:
        return QStringLiteral(".avi");
    default:
        return QStringLiteral(".irv");
    }
}

QString RecordFile::make_file_name(const QString& folder, const QString& sn, int type, const QDateTime& at)
{
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\'))) {
        path += QLatin1Char('/');
    }
    path += at.toString(QStringLiteral("yyyyMMdd"));
    if (!QDir().mkpath(path)) {
        qCWarning(lc_source) << "recording folder not made:" << path;
        return QString();
    }
    // Files opened within one second (a quick roll-over, a restarted run)
    // get "-2", "-3"... so that none replaces another.
    const QString stem = path + QLatin1Char('/') + sn + QLatin1Char('-') + at.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    const QString ext = extension(type);
    QString name = stem + ext;
    for (int n = 2; QFileInfo::exists(name); ++n) {
        if (n > kMaxFilesPerSecond) {
            qCWarning(lc_source) << "recording file name taken:" << stem;
            return QString();
        }
        name = stem + QLatin1Char('-') + QString::number(n) + ext;
    }
    return name;
}

bool RecordFile::begin(void* frame_doc, void* paint, int type, int fps)
{
    m_frame = frame_doc;
    m_paint = paint;
    m_type = type;
    uint16_t width = 0;
    uint16_t height = 0;
    if (thermframe_get_show_resolution(m_frame, width, height) && width > 0 && height > 0) {
        m_width = width;
        m_height = height;
    }
    if (m_type == RecordSettings::H264) {
        return m_h264.init(m_width, m_height, fps);
    }
    return true;
}

bool RecordFile::start_record(const QString& file, int fps)
{
    if (file.isEmpty()) {
        return false;
    }
    if (m_type == RecordSettings::H264) {
        m_h264_open = m_h264.open_file(file);
        return m_h264_open;
    }
    if (m_type == RecordSettings::Avi) {
        m_avi = avi_open_output_file(file);
        if (m_avi == nullptr) {
            qCWarning(lc_source) << "AVI file not opened:" << file << "error" << avi_error();
            return false;
        }
        // A negative height: the rendered rows come top row first.
        avi_set_video(m_avi, m_width, -m_height, double(fps), nullptr);
        return true;
    }
    std::wstring wide = file.toStdWString();
    if (!thermframe_start_record_w(m_frame, wide, m_record) || m_record == nullptr) {
        m_record = nullptr;
        qCWarning(lc_source) << " failed thermframe_start_record" << file;
        return false;
    }
    return true;
}

bool RecordFile::record_one_frame()
{
    if (m_type == RecordSettings::H264 || m_type == RecordSettings::Avi) {
        unsigned int length = 0;
        if (!markpen_get_org_bits(m_paint, nullptr, length) || length == 0) {
            return false;
        }
        if (m_buffer.size() < length) {
            m_buffer.resize(length);
        }
        if (!markpen_get_org_bits(m_paint, m_buffer.data(), length)) {
            return false;
        }
        if (m_type == RecordSettings::H264) {
            return m_h264_open && encode_h264(length);
        }
        return m_avi != nullptr && avi_write_frame(m_avi, m_buffer.data(), length) == 0;
    }
    if (m_record == nullptr || !thermframe_record_one_frame(m_frame, m_record, 0, nullptr)) {
        qCWarning(lc_source) << "failed thermframe_record_one_frame";
        return false;
    }
    return true;
}

bool RecordFile::encode_h264(unsigned int length)
{
    // A full encoder queue is waited out briefly: a dropped frame would
    // make the stream play faster than it was recorded.
    for (int i = 0; i < kEncodeRetries; ++i) {
        if (m_h264.encode(m_buffer.data(), int(length))) {
            return true;
        }
        QThread::msleep(kEncodeRetryMs);
    }
    qCWarning(lc_source) << "H.264 frame dropped: the encoder is behind";
    return false;
}

bool RecordFile::is_file_full(int frames_in_file, int64_t limit_bytes)
{
    if (m_type == RecordSettings::H264) {
        return m_h264.file_size() >= limit_bytes;
    }
    if (m_type == RecordSettings::Avi) {
        // The writer refuses frames past its own limit: roll over before.
        return m_avi != nullptr && (avi_bytes_written(m_avi) >= limit_bytes ||
                                    avi_bytes_written(m_avi) + int64_t(m_buffer.size()) > kAviMaxBytes);
    }
    uint32_t length = 0;
    if (m_record != nullptr && thermframe_get_record_file_length(m_frame, m_record, length)) {
        return int64_t(length) >= limit_bytes;
    }
    return (int64_t(m_width) * m_height + kIrvFrameOverhead) * frames_in_file >= limit_bytes;
}

void RecordFile::stop_record()
{
    if (m_type == RecordSettings::H264) {
        if (m_h264_open) {
            m_h264.close_file();
            m_h264_open = false;
        }
    } else if (m_type == RecordSettings::Avi) {
        if (m_avi != nullptr) {
            avi_close_output_file(m_avi);
            m_avi = nullptr;
        }
    } else if (m_record != nullptr) {
        thermframe_stop_record(m_frame, m_record, 0, nullptr);
        m_record = nullptr;
    }
}

void RecordFile::end()
{
    m_h264.deinit();
}
