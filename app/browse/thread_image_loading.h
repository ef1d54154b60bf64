// Thumbnails of the start page's tiles, made on worker threads and kept in a
// cache shared by all tiles. Each path is counted by the tiles that show it,
// so the cache holds a thumbnail exactly while some tile shows its path.
#pragma once

#include <QHash>
#include <QImage>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <thread>
#include <vector>

class QPainter;

class ThreadImageLoading : public QObject {
    Q_OBJECT
public:
    // The box a thumbnail is scaled into, keeping its aspect ratio.
    static constexpr int kThumbWidth = 232;
    static constexpr int kThumbHeight = 174;
    // Pictures whose header claims more than this are refused undecoded.
    static constexpr int kMaxSide = 32768;
    static constexpr qint64 kMaxPixels = 256LL * 1024 * 1024;

    // The loader of the process, started on first use on the GUI thread.
    static ThreadImageLoading* instance();

    explicit ThreadImageLoading(int threads, QObject* parent = nullptr);
    // Stops and joins the workers.
    ~ThreadImageLoading() override;

    // A tile starts or stops showing path. When the last tile showing a path
    // goes, its request, failure and thumbnail are dropped.
    void attach(const QString& path);
    void detach(const QString& path);

    // Asks for a thumbnail unless it is cached, pending or failed.
    void request(const QString& path, bool jpg);
    // The file changed: a cached thumbnail is made again.
    void refresh(const QString& path, bool jpg);

    bool is_cached(const QString& path) const;
    bool is_pending(const QString& path) const;
    bool has_failed(const QString& path) const;
    QImage cached(const QString& path) const;
    // Draws the cached thumbnail centred in w x h, scaled down when w is
    // narrower than it; false when there is none.
    bool draw_cached(QPainter* painter, int w, int h, const QString& path) const;

    // Makes the thumbnail of a picture (jpg true) or a recording; false when
    // the file cannot give one. Safe on any thread.
    static bool make_thumbnail(const QString& path, bool jpg, QImage& thumbnail);

signals:
    // A thumbnail was made or failed (emitted on a worker thread; tiles get
    // it queued).
    void sig_thumbnail_done(const QString& path);

private:
    void run();

    mutable QMutex m_queue_lock;
    QWaitCondition m_wake;
    std::atomic<bool> m_stop{false};
    QMap<QString, bool> m_pending;
    QSet<QString> m_working;
    QSet<QString> m_failed;
    QHash<QString, int> m_users;

    mutable QMutex m_cache_lock;
    QHash<QString, QImage> m_cache;

    std::vector<std::thread> m_threads;
};
