#include "sources/h264_file_writer.h"

#include "clipenc.h"

#include <QFile>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

// Key frames only where a file opens: the rest are predicted pictures.
constexpr int32_t kKeySeconds = 0;
constexpr int32_t kBitRate = 3584000;

}  // namespace

H264FileWriter::~H264FileWriter()
{
    close_file();
    deinit();
}

bool H264FileWriter::init(int width, int height, int fps)
{
    QMutexLocker lock(&m_mutex);
    if (m_handle != nullptr) {
        qCWarning(lc_source) << "H.264 encoder already running";
        return false;
    }
    m_closing.store(false);
    const VyVideoEncodeParam param{width, height, 0, kKeySeconds, kBitRate, 0, fps, 0};
    if (!vy_video_encode_init(&m_handle, &H264FileWriter::on_packet, param, &H264FileWriter::on_log, this) ||
        m_handle == nullptr) {
        qCWarning(lc_source) << "H.264 encoder did not start:" << width << "x" << height << "at" << fps << "fps";
        m_handle = nullptr;
        return false;
    }
    return true;
}

bool H264FileWriter::encode(const unsigned char* bytes, int length)
{
    // Never waits for the encoder: the packet callback, which takes this
    // mutex, runs on the encoder's own thread.
    QMutexLocker lock(&m_mutex);
    if (m_handle == nullptr || !vy_video_encode_data(m_handle, bytes, length)) {
        return false;
    }
    ++m_frames;
    return true;
}

void H264FileWriter::on_packet(const unsigned char* data, int size, int /*flags*/, void* user)
{
    auto* writer = static_cast<H264FileWriter*>(user);
    if (writer == nullptr || writer->m_closing.load()) {
        return;
    }
    QMutexLocker lock(&writer->m_mutex);
    if (writer->m_file != nullptr && size > 0) {
        ++writer->m_packets;
        if (std::fwrite(data, 1, std::size_t(size), writer->m_file) != std::size_t(size)) {
            qCWarning(lc_source) << "H.264 packet not written:" << size << "bytes";
        }
    }
}

void H264FileWriter::on_log(int /*level*/, const char* text)
{
    qCInfo(lc_source).noquote() << " --- VideoRecord::on_calback_log --- " << QString::fromLocal8Bit(text);
}

bool H264FileWriter::open_file(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (m_file == nullptr) {
        qCWarning(lc_source) << "H.264 file not opened:" << path;
        return false;
    }
    m_packets = 0;
    if (m_handle != nullptr) {
        vy_video_encode_force_key_frame(m_handle);
    }
    return true;
}

bool H264FileWriter::close_file()
{
    void* handle = nullptr;
    {
        QMutexLocker lock(&m_mutex);
        handle = m_handle;
    }
    // The frames queued for this file reach it before it closes; the flush
    // runs without the mutex, which the packet callback takes.
    if (handle != nullptr) {
        vy_video_encode_flush(handle);
    }
    QMutexLocker lock(&m_mutex);
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
        qCInfo(lc_source) << "-----------stop_record " << m_frames << " -- " << m_packets;
    }
    return true;
}

int64_t H264FileWriter::file_size()
{
    QMutexLocker lock(&m_mutex);
    if (m_file == nullptr) {
        return 0;
    }
    std::fflush(m_file);
    const long at = std::ftell(m_file);
    return at < 0 ? 0 : int64_t(at);
}

bool H264FileWriter::deinit()
{
    void* handle = nullptr;
    {
        QMutexLocker lock(&m_mutex);
        if (m_handle == nullptr) {
            return true;
        }
        m_closing.store(true);
        handle = m_handle;
        m_handle = nullptr;
        m_frames = 0;
        m_packets = 0;
    }
    // Deinit waits for a packet callback in progress, which may be waiting
    // for the mutex: it runs with the mutex free.
    vy_video_encode_deinit(&handle);
    return true;
}

int H264FileWriter::frame_count()
{
    QMutexLocker lock(&m_mutex);
    return m_frames;
}

int H264FileWriter::packet_count()
{
    QMutexLocker lock(&m_mutex);
    return m_packets;
}
