// Thumbnails of every sample kind, pictures refused before decoding, and
// the cache counted per path across tiles.
#include "browse/thread_image_loading.h"
#include "message_guard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>

#include <zlib.h>

namespace {

QString sample(const char* name)
{
    return QCoreApplication::applicationDirPath() + "/samples/" + QString::fromLatin1(name);
}

void append_chunk(QByteArray& png, const char* type, const QByteArray& data)
{
    uchar length[4];
    qToBigEndian<quint32>(quint32(data.size()), length);
    png.append(reinterpret_cast<const char*>(length), 4);
    const QByteArray body = QByteArray(type, 4) + data;
    png.append(body);
    uchar crc[4];
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))), crc);
    png.append(reinterpret_cast<const char*>(crc), 4);
}

// A well-formed PNG header claiming width x height, followed by too little
// data for any such picture.
QByteArray png_claiming(quint32 width, quint32 height)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(width, reinterpret_cast<uchar*>(ihdr.data()));
    qToBigEndian<quint32>(height, reinterpret_cast<uchar*>(ihdr.data()) + 4);
    ihdr[8] = 8;  // bit depth
    ihdr[9] = 2;  // RGB
    append_chunk(png, "IHDR", ihdr);
    append_chunk(png, "IDAT", QByteArray(64, '\0'));
    append_chunk(png, "IEND", QByteArray());
    return png;
}

bool write_file(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class ThreadImageLoadingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void thumbnail_of_every_sample_data();
    void thumbnail_of_every_sample();
    void thumbnail_refuses_huge_header();
    void thumbnail_fails_on_bad_files_data();
    void thumbnail_fails_on_bad_files();
    void cache_counted_per_path();
    void failed_path_not_retried_while_shown();

private:
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
};

void ThreadImageLoadingTest::thumbnail_of_every_sample_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("jpg");
    QTest::newRow("jpeg") << sample("sample.jpg") << true;
    QTest::newRow("png") << sample("sample.png") << true;
    QTest::newRow("national grid") << sample("sample_sgcc.jpg") << true;
    QTest::newRow("recording") << sample("sample.irv") << false;
}

void ThreadImageLoadingTest::thumbnail_of_every_sample()
{
    QFETCH(QString, path);
    QFETCH(bool, jpg);
    QImage thumbnail;
    QVERIFY(ThreadImageLoading::make_thumbnail(path, jpg, thumbnail));
    QVERIFY(!thumbnail.isNull());
    QVERIFY(thumbnail.width() <= ThreadImageLoading::kThumbWidth);
    QVERIFY(thumbnail.height() <= ThreadImageLoading::kThumbHeight);
    // The box is filled along one side: 640 x 512 shrinks to 217 x 174, the
    // 160 x 120 recording grows to 232 x 174.
    QCOMPARE(thumbnail.height(), ThreadImageLoading::kThumbHeight);
    if (!jpg) {
        QCOMPARE(thumbnail.size(), QSize(232, 174));
    }
    // Not a flat picture: the scene has hot and cold parts.
    QSet<QRgb> colours;
    for (int y = 0; y < thumbnail.height(); y += 8) {
        for (int x = 0; x < thumbnail.width(); x += 8) {
            colours.insert(thumbnail.pixel(x, y));
        }
    }
    QVERIFY(colours.size() >= 2);
}

void ThreadImageLoadingTest::thumbnail_refuses_huge_header()
{
    const QString path = m_dir.path() + "/huge.png";
    QVERIFY(write_file(path, png_claiming(60000, 60000)));
    m_guard.expect(QRegularExpression("too many pixels"));
    QImage thumbnail;
    QVERIFY(!ThreadImageLoading::make_thumbnail(path, true, thumbnail));
    QVERIFY(thumbnail.isNull());
}

void ThreadImageLoadingTest::thumbnail_fails_on_bad_files_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("jpg");
    QTest::newRow("text named jpg") << QByteArray("not a picture at all") << true;
    QTest::newRow("empty jpg") << QByteArray() << true;
    QTest::newRow("truncated jpeg") << QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF", 10) << true;
    QTest::newRow("text named irv") << QByteArray("not a recording") << false;
    QTest::newRow("empty irv") << QByteArray() << false;
}

void ThreadImageLoadingTest::thumbnail_fails_on_bad_files()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, jpg);
    const QString path = m_dir.path() + (jpg ? "/bad.jpg" : "/bad.irv");
    if (bytes.startsWith("\xff\xd8")) {
        // Qt's JPEG reader says so on reading the header and the pixels.
        m_guard.expect(QRegularExpression("JPEG datastream contains no image"));
        m_guard.expect(QRegularExpression("JPEG datastream contains no image"));
    }
    QVERIFY(write_file(path, bytes));
    QImage thumbnail;
    QVERIFY(!ThreadImageLoading::make_thumbnail(path, jpg, thumbnail));
}

void ThreadImageLoadingTest::cache_counted_per_path()
{
    ThreadImageLoading loader(2);
    // Counted on this thread: the signal crosses to it queued.
    int done_count = 0;
    QObject receiver;  // declared after the loader: goes first, with its queued calls
    connect(&loader, &ThreadImageLoading::sig_thumbnail_done, &receiver, [&done_count] { ++done_count; },
            Qt::QueuedConnection);
    // A copy of the sample, changed on disk before the refresh below.
    const QString path = m_dir.path() + "/refreshed.jpg";
    QVERIFY(QFile::copy(sample("sample.jpg"), path));
    loader.attach(path);  // first tile
    loader.attach(path);  // second tile of the same file
    loader.request(path, true);
    loader.request(path, true);
    QTRY_VERIFY_WITH_TIMEOUT(loader.is_cached(path), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(done_count, 1, 30000);
    loader.detach(path);
    QVERIFY(loader.is_cached(path));  // the other tile still shows it
    loader.detach(path);
    QVERIFY(!loader.is_cached(path));
    // Shown again: made again.
    loader.attach(path);
    loader.request(path, true);
    QTRY_VERIFY_WITH_TIMEOUT(loader.is_cached(path), 30000);
    // The file changes and is refreshed: the old thumbnail is gone at once
    // (a worker may already have made the new one) and the new one follows.
    const QSize old_size = loader.cached(path).size();
    QImage changed(200, 50, QImage::Format_RGB32);
    changed.fill(Qt::darkRed);
    QVERIFY(changed.save(path, "JPG"));
    QImage expected;
    QVERIFY(ThreadImageLoading::make_thumbnail(path, true, expected));
    QVERIFY(expected.size() != old_size);
    loader.refresh(path, true);
    const QImage right_after = loader.cached(path);
    QVERIFY(right_after.isNull() || right_after.size() == expected.size());
    QTRY_COMPARE_WITH_TIMEOUT(loader.cached(path).size(), expected.size(), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(done_count, 3, 30000);
    loader.detach(path);
}

void ThreadImageLoadingTest::failed_path_not_retried_while_shown()
{
    const QString path = m_dir.path() + "/junk.jpg";
    QVERIFY(write_file(path, "junk"));
    ThreadImageLoading loader(1);
    loader.attach(path);
    loader.request(path, true);
    QTRY_VERIFY_WITH_TIMEOUT(loader.has_failed(path), 30000);
    loader.request(path, true);
    QVERIFY(!loader.is_pending(path));
    loader.detach(path);
    QVERIFY(!loader.has_failed(path));
}

QTEST_MAIN(ThreadImageLoadingTest)
#include "thread_image_loading_test.moc"
