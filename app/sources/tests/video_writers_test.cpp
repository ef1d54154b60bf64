// The AVI writer's file layout (header fields, chunks, padding, index), its
// size limit and failures; the H.264 writer's files each starting with a
// key frame.
#include "sources/avi_writer.h"
#include "sources/h264_file_writer.h"
#include "video_bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

namespace {

uint32_t u32_at(const QByteArray& data, int at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | uint8_t(data[at + i]);
    }
    return value;
}

}  // namespace

class VideoWritersTest : public QObject {
    Q_OBJECT

private slots:
    void avi_layout_data();
    void avi_layout();
    void avi_cut_off_plays_to_its_last_frame();
    void avi_refuses_a_frame_past_the_size_limit();
    void avi_open_failure();
    void h264_every_file_starts_with_a_key_frame();
    void h264_refuses_bad_parameters();

private:
    QTemporaryDir m_dir;
};

void VideoWritersTest::avi_layout_data()
{
    QTest::addColumn<double>("fps");
    QTest::addColumn<QList<int>>("lengths");
    QTest::addColumn<uint32_t>("usec");
    QTest::addColumn<uint32_t>("rate");
    QTest::newRow("25 fps, odd frame padded") << 25.0 << QList<int>{12, 7, 10} << 40000u << 25u;
    QTest::newRow("fps 0") << 0.0 << QList<int>{4} << 0u << 0u;
    QTest::newRow("no frames") << 30.0 << QList<int>{} << 33333u << 30u;
}

void VideoWritersTest::avi_layout()
{
    QFETCH(double, fps);
    QFETCH(QList<int>, lengths);
    QFETCH(uint32_t, usec);
    QFETCH(uint32_t, rate);
    const QString path = m_dir.filePath(QString("layout-%1.avi").arg(QTest::currentDataTag()));
    // A longer file at the same path is cut to the new one's length.
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();

    AviOutput* avi = avi_open_output_file(path);
    QVERIFY(avi != nullptr);
    avi_set_video(avi, 6, -4, fps, nullptr);
    for (int i = 0; i < lengths.size(); ++i) {
        const QByteArray frame(lengths[i], char('a' + i));
        QCOMPARE(avi_write_frame(avi, frame.constData(), frame.size()), 0);
    }
    const int64_t end_of_movie = avi_bytes_written(avi);
    QCOMPARE(avi_close_output_file(avi), 0);

    const QByteArray file = read_all(path);
    const int index_bytes = 8 + 16 * lengths.size();
    QCOMPARE(int64_t(file.size()), end_of_movie + index_bytes);
    QCOMPARE(file.left(4), QByteArray("RIFF"));
    QCOMPARE(u32_at(file, 4), uint32_t(file.size() - 8));
    QCOMPARE(u32_at(file, 32), usec);
    QCOMPARE(u32_at(file, 44), 0x810u);
    QCOMPARE(u32_at(file, 48), uint32_t(lengths.size()));
    QCOMPARE(int32_t(u32_at(file, 68)), -4);
    QCOMPARE(u32_at(file, 132), rate);
    QCOMPARE(u32_at(file, 192), 6u * 4u * 4u);
    QCOMPARE(u32_at(file, 216), 1816u);
    QCOMPARE(file.mid(2044, 4), QByteArray("movi"));
    QCOMPARE(int64_t(u32_at(file, 2040)), end_of_movie - 2044);

    // Chunks from 2,048 on, each padded to an even length, and an index
    // entry per chunk with its unpadded length and absolute offset.
    int at = 2048;
    const int idx = int(end_of_movie);
    QCOMPARE(file.mid(idx, 4), QByteArray("idx1"));
    QCOMPARE(u32_at(file, idx + 4), uint32_t(16 * lengths.size()));
    for (int i = 0; i < lengths.size(); ++i) {
        QCOMPARE(file.mid(at, 4), QByteArray("00db"));
        QCOMPARE(int(u32_at(file, at + 4)), lengths[i]);
        QCOMPARE(file.mid(at + 8, lengths[i]), QByteArray(lengths[i], char('a' + i)));
        const int entry = idx + 8 + 16 * i;
        QCOMPARE(file.mid(entry, 4), QByteArray("00db"));
        QCOMPARE(u32_at(file, entry + 4), 0x10u);
        QCOMPARE(int(u32_at(file, entry + 8)), at);
        QCOMPARE(int(u32_at(file, entry + 12)), lengths[i]);
        if (lengths[i] % 2 == 1) {
            QCOMPARE(file[at + 8 + lengths[i]], '\0');
        }
        at += 8 + lengths[i] + lengths[i] % 2;
    }
    QCOMPARE(at, idx);
}

void VideoWritersTest::avi_cut_off_plays_to_its_last_frame()
{
    // Read while still open, as a crash would leave it: a valid header
    // without index that counts every frame written.
    const QString path = m_dir.filePath("cut.avi");
    AviOutput* avi = avi_open_output_file(path);
    QVERIFY(avi != nullptr);
    avi_set_video(avi, 2, 2, 25.0, nullptr);
    for (int frames = 0; frames <= 3; ++frames) {
        const QByteArray file = read_all(path);
        QCOMPARE(int64_t(file.size()), avi_bytes_written(avi));
        QCOMPARE(file.left(4), QByteArray("RIFF"));
        QCOMPARE(u32_at(file, 4), uint32_t(file.size() - 8));
        QCOMPARE(u32_at(file, 44), 0x800u);
        QCOMPARE(u32_at(file, 48), uint32_t(frames));
        QCOMPARE(u32_at(file, 140), uint32_t(frames));
        QCOMPARE(u32_at(file, 64), 2u);
        QCOMPARE(file.mid(2044, 4), QByteArray("movi"));
        QCOMPARE(int64_t(u32_at(file, 2040)), int64_t(file.size()) - 2044);
        const QByteArray frame(16, char('a' + frames));
        QCOMPARE(avi_write_frame(avi, frame.constData(), frame.size()), 0);
    }
    QCOMPARE(avi_close_output_file(avi), 0);
}

void VideoWritersTest::avi_refuses_a_frame_past_the_size_limit()
{
    const QString path = m_dir.filePath("limit.avi");
    AviOutput* avi = avi_open_output_file(path);
    QVERIFY(avi != nullptr);
    avi_set_video(avi, 2, 2, 25.0, nullptr);
    const QByteArray frame(16, 'f');
    QCOMPARE(avi_write_frame(avi, frame.constData(), frame.size()), 0);
    // Past the limit (and past 32 bits) nothing is read or written.
    for (int64_t bytes : {kAviMaxBytes, int64_t(3) << 31}) {
        QCOMPARE(avi_write_frame(avi, frame.constData(), bytes), -1);
        QCOMPARE(avi_error(), int(AVI_ERR_SIZELIMIT));
    }
    QCOMPARE(avi_write_frame(avi, frame.constData(), frame.size()), 0);
    QCOMPARE(avi_close_output_file(avi), 0);
    const QByteArray file = read_all(path);
    QCOMPARE(u32_at(file, 48), 2u);
    QCOMPARE(file.size(), 2048 + 2 * (8 + 16) + 8 + 2 * 16);
}

void VideoWritersTest::avi_open_failure()
{
    QVERIFY(avi_open_output_file(m_dir.filePath("missing folder/x.avi")) == nullptr);
    QCOMPARE(avi_error(), int(AVI_ERR_OPEN));
    QCOMPARE(avi_write_frame(nullptr, "x", 1), -1);
    QCOMPARE(avi_close_output_file(nullptr), -1);
}

void VideoWritersTest::h264_every_file_starts_with_a_key_frame()
{
    const int width = 64;
    const int height = 48;
    H264FileWriter writer;
    QVERIFY(writer.init(width, height, 25));
    std::vector<unsigned char> frame(width * height * 4);
    int sent = 0;
    for (int file = 0; file < 3; ++file) {
        const QString path = m_dir.filePath(QString("run-%1.h264").arg(file));
        QVERIFY(writer.open_file(path));
        for (int i = 0; i < 10; ++i, ++sent) {
            for (std::size_t p = 0; p < frame.size(); ++p) {
                frame[p] = static_cast<unsigned char>(p + sent * 7);
            }
            // The encoder queue holds eight frames: a full queue is waited out.
            QVERIFY(QTest::qWaitFor([&] { return writer.encode(frame.data(), int(frame.size())); }, 10000));
        }
        QVERIFY(writer.close_file());
        QCOMPARE(writer.packet_count(), 10);
        QCOMPARE(writer.file_size(), int64_t(0));
        const std::vector<int> types = nal_types(read_all(path), 3);
        // SPS, PPS, then an IDR picture.
        QCOMPARE(types, (std::vector<int>{7, 8, 5}));
    }
    QCOMPARE(writer.frame_count(), 30);
    QVERIFY(writer.deinit());
    QVERIFY(!writer.encode(frame.data(), int(frame.size())));
}

void VideoWritersTest::h264_refuses_bad_parameters()
{
    H264FileWriter writer;
    QVERIFY(!writer.init(0, 48, 25));
    QVERIFY(!writer.encode(nullptr, 0));
    QVERIFY(!writer.open_file(m_dir.filePath("missing folder/x.h264")));
    QVERIFY(writer.close_file());
    QVERIFY(writer.deinit());
}

QTEST_GUILESS_MAIN(VideoWritersTest)
#include "video_writers_test.moc"
