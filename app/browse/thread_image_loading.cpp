#include "browse/thread_image_loading.h"

#include "browse/browse_log.h"
#include "shell/input_file.h"
#include "heatreel.h"
#include "picfold.h"
#include "reelplay.h"
#include "thermframe.h"

#include <QFile>
#include <QImageReader>
#include <QMutexLocker>
#include <QPainter>
#include <QThread>

#include <memory>

namespace {

QImage fit_box(const QImage& image)
{
    // Small pictures and recording thumbnails are enlarged to the tile too.
    const QSize box(ThreadImageLoading::kThumbWidth, ThreadImageLoading::kThumbHeight);
    if (image.size() == image.size().scaled(box, Qt::KeepAspectRatio)) {
        return image;
    }
    return image.scaled(box, Qt::KeepAspectRatio, Qt::FastTransformation);
}

bool size_allowed(const QSize& size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= ThreadImageLoading::kMaxSide &&
           size.height() <= ThreadImageLoading::kMaxSide &&
           qint64(size.width()) * size.height() <= ThreadImageLoading::kMaxPixels;
}

// Decodes at thumbnail size where the format allows it (JPEG decodes
// scaled). The header's size is checked before any pixel is decoded.
enum class Decode { ok, refused, failed };

Decode decode_scaled(QImageReader& reader, QImage& image)
{
    const QSize size = reader.size();
    if (!size.isValid()) {
        return Decode::failed;
    }
    if (!size_allowed(size)) {
        return Decode::refused;
    }
    const QSize box(ThreadImageLoading::kThumbWidth, ThreadImageLoading::kThumbHeight);
    if (size.width() > box.width() || size.height() > box.height()) {
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    }
    image = reader.read();
    return image.isNull() ? Decode::failed : Decode::ok;
}

// A radiometric picture whose visible part will not decode is coloured from
// its temperature data.
bool colour_radiometric(const QString& path, QImage& image)
{
    void* handle = nullptr;
    if (!picfold_init(handle)) {
        return false;
    }
    bool ok = false;
    void* doc = nullptr;
    uint16_t width = 0;
    uint16_t height = 0;
    if (picfold_load_file_w(handle, path.toStdWString(), true) && picfold_get_ir_data(handle, doc) &&
        thermframe_get_resolution(doc, width, height) && width > 0 && height > 0) {
        QImage frame(width, height, QImage::Format_RGB32);
        uint32_t length = uint32_t(frame.sizeInBytes());
        if (frame.bytesPerLine() == width * 4 && thermframe_get_bits(doc, frame.bits(), length)) {
            image = frame;
            ok = true;
        }
    }
    picfold_uninit(handle);
    return ok;
}

bool starts_like_jpeg(QFile& file)
{
    return file.seek(0) && file.read(3) == QByteArray("\xff\xd8\xff", 3) && file.seek(0);
}

bool picture_thumbnail(const QString& path, QImage& thumbnail)
{
    // Opened once, so a named pipe is refused before any reader waits on it.
    QFile file;
    if (!open_input_file(file, path)) {
        return false;
    }
    QImage image;
    QImageReader reader(&file);
    Decode result = decode_scaled(reader, image);
    // A JPEG stream the content check missed is read as JPEG once more; a
    // file already taken for JPEG, or not starting like one, is not retried.
    if (result == Decode::failed && reader.format() != "jpeg" && starts_like_jpeg(file)) {
        QImageReader as_jpeg(&file, "JPG");
        result = decode_scaled(as_jpeg, image);
    }
    if (result == Decode::refused) {
        qCWarning(lc_browse) << "thumbnail refused, the picture claims too many pixels:" << path;
        return false;
    }
    if (result == Decode::failed && !colour_radiometric(path, image)) {
        return false;
    }
    thumbnail = fit_box(image);
    return true;
}

bool recording_thumbnail(const QString& path, QImage& thumbnail)
{
    const std::wstring wide = path.toStdWString();
    if (!reelplay_is_valid_file_w(wide)) {
        return false;
    }
    int width = 0;
    int height = 0;
    if (!vy_ts_get_thumbnail_bits_w(wide, width, height, nullptr) || width <= 0 || height <= 0 ||
        width > HEATREEL_MAX_THUMBNAIL_SIDE || height > HEATREEL_MAX_THUMBNAIL_SIDE) {
        return false;
    }
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull() || image.bytesPerLine() != width * 4 ||
        !vy_ts_get_thumbnail_bits_w(wide, width, height, image.bits())) {
        return false;
    }
    thumbnail = fit_box(image);
    return true;
}

}  // namespace

ThreadImageLoading* ThreadImageLoading::instance()
{
    // Two workers: tiles fill about twice as fast as with one, and the GUI
    // thread keeps a core on a two-core machine.
    static ThreadImageLoading s_loader(qBound(1, QThread::idealThreadCount() - 1, 2));
    return &s_loader;
}

ThreadImageLoading::ThreadImageLoading(int threads, QObject* parent)
    : QObject(parent)
{
    for (int i = 0; i < qMax(1, threads); ++i) {
        m_threads.emplace_back([this] { run(); });
    }
}

ThreadImageLoading::~ThreadImageLoading()
{
    {
        QMutexLocker lock(&m_queue_lock);
        m_stop = true;
        m_wake.wakeAll();
    }
    for (std::thread& thread : m_threads) {
        thread.join();
    }
}

void ThreadImageLoading::attach(const QString& path)
{
    QMutexLocker lock(&m_queue_lock);
    ++m_users[path];
}

void ThreadImageLoading::detach(const QString& path)
{
    {
        QMutexLocker lock(&m_queue_lock);
        auto it = m_users.find(path);
        if (it == m_users.end()) {
            return;
        }
        if (--it.value() > 0) {
            return;
        }
        m_users.erase(it);
        m_pending.remove(path);
        m_failed.remove(path);
    }
    QMutexLocker lock(&m_cache_lock);
    m_cache.remove(path);
}

void ThreadImageLoading::request(const QString& path, bool jpg)
{
    if (is_cached(path)) {
        return;
    }
    QMutexLocker lock(&m_queue_lock);
    if (m_pending.contains(path) || m_working.contains(path) || m_failed.contains(path)) {
        return;
    }
    m_pending.insert(path, jpg);
    m_wake.wakeOne();
}

void ThreadImageLoading::refresh(const QString& path, bool jpg)
{
    {
        QMutexLocker lock(&m_cache_lock);
        m_cache.remove(path);
    }
    QMutexLocker lock(&m_queue_lock);
    m_failed.remove(path);
    if (!m_pending.contains(path)) {
        m_pending.insert(path, jpg);
        m_wake.wakeOne();
    }
}

bool ThreadImageLoading::is_cached(const QString& path) const
{
    QMutexLocker lock(&m_cache_lock);
    return m_cache.contains(path);
}

bool ThreadImageLoading::is_pending(const QString& path) const
{
    QMutexLocker lock(&m_queue_lock);
    return m_pending.contains(path) || m_working.contains(path);
}

bool ThreadImageLoading::has_failed(const QString& path) const
{
    QMutexLocker lock(&m_queue_lock);
    return m_failed.contains(path);
}

QImage ThreadImageLoading::cached(const QString& path) const
{
    QMutexLocker lock(&m_cache_lock);
    return m_cache.value(path);
}

bool ThreadImageLoading::draw_cached(QPainter* painter, int w, int h, const QString& path) const
{
    QImage image = cached(path);
    if (image.isNull()) {
        return false;
    }
    if (w < image.width()) {
        image = image.scaled(QSize(qMax(1, w), qMax(1, h)), Qt::KeepAspectRatio, Qt::FastTransformation);
    }
    painter->drawImage((w - image.width()) / 2, (h - image.height()) / 2, image);
    return true;
}

bool ThreadImageLoading::make_thumbnail(const QString& path, bool jpg, QImage& thumbnail)
{
    return jpg ? picture_thumbnail(path, thumbnail) : recording_thumbnail(path, thumbnail);
}

void ThreadImageLoading::run()
{
    for (;;) {
        QString path;
        bool jpg = true;
        {
            QMutexLocker lock(&m_queue_lock);
            while (!m_stop && m_pending.isEmpty()) {
                m_wake.wait(&m_queue_lock);
            }
            if (m_stop) {
                return;
            }
            // Path order, so a folder's tiles fill from the first name on.
            auto first = m_pending.begin();
            path = first.key();
            jpg = first.value();
            m_pending.erase(first);
            m_working.insert(path);
        }
        // Decoding runs outside every lock: tiles keep asking and painting.
        QImage thumbnail;
        const bool made = make_thumbnail(path, jpg, thumbnail);
        {
            QMutexLocker lock(&m_queue_lock);
            m_working.remove(path);
            if (!m_users.contains(path)) {
                continue;  // every tile of the path went meanwhile
            }
            if (!made) {
                m_failed.insert(path);
            } else {
                QMutexLocker cache(&m_cache_lock);
                m_cache.insert(path, thumbnail);
            }
        }
        emit sig_thumbnail_done(path);
    }
}
