// Live recording against a simulated camera: the settings rules, the three
// file types rolled over by size, every H.264 file starting with a key
// frame, failures that end a run loudly, and the disk clean-up that keeps
// whatever the recorders did not write.
#include "camera_sim.h"
#include "live_camera.h"
#include "markpen.h"
#include "message_guard.h"
#include "shell/data_config.h"
#include "stream_tools.h"
#include "sources/ir_net_device.h"
#include "sources/record_file.h"
#include "sources/record_settings.h"
#include "sources/thread_capture.h"
#include "sources/thread_delete_irv.h"
#include "sources/thread_real_capture.h"
#include "test_folders.h"
#include "video_bytes.h"
#include "wirereel.h"

#include <QDirIterator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int64_t kMiB = 1048576;

QStringList files_under(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << it.next();
    }
    files.sort();
    return files;
}

// Files in the order a run wrote them: by name, and within one second by
// the "-2", "-3"... the recorder adds.
QStringList in_recording_order(QStringList files)
{
    static const QRegularExpression suffix(QStringLiteral("-(\\d{6})(?:-(\\d+))?\\.\\w+$"));
    const auto key = [](const QString& file) {
        const QRegularExpressionMatch m = suffix.match(file);
        return std::make_pair(file.left(m.capturedStart(1) + 6), m.captured(2).toInt());
    };
    std::sort(files.begin(), files.end(), [&](const QString& a, const QString& b) { return key(a) < key(b); });
    return files;
}

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// The recorders signal from their own threads: the log takes the signals
// queued onto the test's thread, as the view does.
struct StatusLog : QObject {
    QList<int> status;
    QStringList texts;
    int stopped = 0;
    explicit StatusLog(IRNetDevice* device)
    {
        connect(
            device, &IRNetDevice::sig_capture_status, this,
            [this](const QString& text, int n) {
                texts << text;
                status << n;
            },
            Qt::QueuedConnection);
        connect(device, &IRNetDevice::sig_stop_capture, this, [this] { ++stopped; }, Qt::QueuedConnection);
    }
};

// A timed recorder whose waits pass at once on a clock of its own.
class InstantCapture : public ThreadCapture {
public:
    using ThreadCapture::ThreadCapture;

protected:
    bool wait_ms(int ms) override
    {
        m_now += ms;
        return !stopped();
    }
    int64_t elapsed_ms() override { return m_now; }

private:
    int64_t m_now = 0;
};

// A per-frame recorder on which every recorded frame takes one second.
class SecondPerFrameCapture : public ThreadRealCapture {
public:
    using ThreadRealCapture::ThreadRealCapture;

protected:
    int64_t elapsed_ms() override { return 1000 * m_reads++; }

private:
    int64_t m_reads = 0;
};

}  // namespace

class RecordingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void settings_and_names();
    void clean_up_keeps_foreign_folders_and_files();
    void clean_up_stops_when_only_the_current_file_is_left();
    void clean_up_never_follows_links();
    void every_h264_file_starts_with_a_key_frame();
    void records_and_rolls_over_by_size_data();
    void records_and_rolls_over_by_size();
    void failed_start_and_failed_switch_end_the_run();
    void start_refused_without_a_folder();
    void limited_runs_end_after_their_duration();

private:
    void set_settings(const QString& sn, const QString& path, int type, int frequency);

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void RecordingTest::set_settings(const QString& sn, const QString& path, int type, int frequency)
{
    DataConfig* config = DataConfig::instance();
    config->set_record_path(sn, path);
    config->set_record_file_size(sn, QStringLiteral("1MB"));
    config->set_record_file_type(sn, type);
    config->set_record_frequency(sn, frequency);
    config->set_record_unlimit(sn, true);
    config->set_record_stop_mode(sn, false);
}

void RecordingTest::settings_and_names()
{
    QCOMPARE(RecordSettings::parse_size_limit("250MB"), 250 * kMiB);
    // Past 32 bits.
    QCOMPARE(RecordSettings::parse_size_limit("5000MB"), 5000 * kMiB);
    QCOMPARE(RecordSettings::parse_size_limit("1GB"), 100 * kMiB);
    QCOMPARE(RecordSettings::parse_size_limit(""), 100 * kMiB);
    QCOMPARE(RecordSettings::parse_size_limit("-3MB"), 100 * kMiB);
    QCOMPARE(RecordSettings::file_type_of(7), int(RecordSettings::Irv));

    QCOMPARE(ThreadCapture::interval_ms(3), 333);
    QCOMPARE(ThreadCapture::interval_ms(0), 1000);
    // H.264 keeps at most 50 written frames a second and declares what it
    // writes: 60 delivered → every second frame at 30.
    QCOMPARE(ThreadRealCapture::h264_step(60), 2);
    QCOMPARE(60 / ThreadRealCapture::h264_step(60), 30);
    QCOMPARE(ThreadRealCapture::h264_step(50), 1);
    QCOMPARE(ThreadRealCapture::h264_step(25), 1);
    QCOMPARE(ThreadRealCapture::h264_step(101), 3);
    // No measured rate yet is not a rate of 0.
    QCOMPARE(ThreadRealCapture::usable_rate(0), ThreadRealCapture::kAssumedRate);
    QCOMPARE(ThreadRealCapture::usable_rate(12), 12);

    QTemporaryDir dir;
    const QDateTime at(QDate(2024, 3, 9), QTime(7, 5, 2));
    const QString name = RecordFile::make_file_name(dir.path(), "SN1", RecordSettings::H264, at);
    QCOMPARE(name, dir.path() + "/20240309/SN1-20240309-070502.h264");
    QVERIFY(QFileInfo(dir.path() + "/20240309").isDir());
    QVERIFY(ThreadDeleteIRV::is_record_file(QFileInfo(name).fileName()));
    QCOMPARE(RecordFile::make_file_name(dir.path() + "/", "SN1", RecordSettings::Avi, at),
             dir.path() + "/20240309/SN1-20240309-070502.avi");
    // A second file within the same second does not replace the first.
    touch(name);
    const QString second = RecordFile::make_file_name(dir.path(), "SN1", RecordSettings::H264, at);
    QCOMPARE(second, dir.path() + "/20240309/SN1-20240309-070502-2.h264");
    touch(second);
    QCOMPARE(RecordFile::make_file_name(dir.path(), "SN1", RecordSettings::H264, at),
             dir.path() + "/20240309/SN1-20240309-070502-3.h264");
    QVERIFY(ThreadDeleteIRV::is_record_file(QFileInfo(second).fileName()));
    QVERIFY(!ThreadDeleteIRV::is_record_file("SN1-20240309-070502-.h264"));
    QVERIFY(!ThreadDeleteIRV::is_record_file("SN1-20240309-070502-x.h264"));

    // Free space comes from the file system of the folder itself, even
    // before the folder is made.
    QVERIFY(record_free_space_gb(dir.path() + "/not/yet/made") > 0.0f);
    QVERIFY(record_free_space_gb(QString()) < 0.0f);
}

void RecordingTest::clean_up_keeps_foreign_folders_and_files()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    touch(root + "/20240101/SN-20240101-080000.irv");
    touch(root + "/20240101/notes.txt");
    touch(root + "/20240102/SN-20240102-080000.avi");
    touch(root + "/20240102/SN-20240102-090000.H264");
    touch(root + "/20240103/SN-20240103-080000.h264");
    touch(root + "/20240103/SN-20240103-090000.h264");
    touch(root + "/20240103/own.irv");
    touch(root + "/photos/SN-20230101-080000.irv");
    touch(root + "/2024010/SN-20230101-080000.irv");
    touch(root + "/SN-20230101-080000.irv");
    const QString current = root + "/20240103/SN-20240103-090000.h264";

    ThreadDeleteIRV cleaner(false);
    QSignalSpy stop(&cleaner, &ThreadDeleteIRV::sig_stop_capture);
    // The oldest day keeps what the recorders did not write, and with it
    // its folder; the next request goes on to the next day.
    cleaner.slot_delete_old_video(root, current);
    QVERIFY(!QFile::exists(root + "/20240101/SN-20240101-080000.irv"));
    QVERIFY(QFile::exists(root + "/20240101/notes.txt"));
    cleaner.slot_delete_old_video(root, current);
    QVERIFY(!QFileInfo::exists(root + "/20240102"));
    QVERIFY(QFileInfo::exists(root + "/20240101/notes.txt"));
    // Today: the oldest own file that is not being written.
    cleaner.slot_delete_old_video(root, current);
    QVERIFY(!QFile::exists(root + "/20240103/SN-20240103-080000.h264"));
    QVERIFY(QFile::exists(current));
    QCOMPARE(stop.count(), 0);

    const QStringList kept = {root + "/2024010/SN-20230101-080000.irv", root + "/20240101/notes.txt",
                              root + "/20240103/SN-20240103-090000.h264", root + "/20240103/own.irv",
                              root + "/SN-20230101-080000.irv", root + "/photos/SN-20230101-080000.irv"};
    QCOMPARE(files_under(root), kept);
}

// A linked day folder or recording leads outside the recording folder: what
// it points to stays. Interrupted recordings go with their day once old.
void RecordingTest::clean_up_never_follows_links()
{
    QTemporaryDir dir;
    const QString root = dir.path() + "/records";
    const QString elsewhere = dir.path() + "/elsewhere";
    touch(elsewhere + "/SN-20240101-080000.irv");
    touch(elsewhere + "/SN-20240102-070000.irv");
    QVERIFY(QDir().mkpath(root + "/20240102"));
    QVERIFY(QFile::link(elsewhere, root + "/20240101"));
    QVERIFY(QFile::link(elsewhere + "/SN-20240102-070000.irv", root + "/20240102/SN-20240102-070000.irv"));
    touch(root + "/20240102/SN-20240102-080000.irv");
    touch(root + "/20240103/.SN-20240103-080000.irv.Ab12Cd");
    touch(root + "/20240103/.SN-20240103-090000.irv.Ef34Gh");
    QFile old(root + "/20240103/.SN-20240103-080000.irv.Ab12Cd");
    QVERIFY(old.open(QIODevice::Append));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    old.close();
    touch(root + "/20240103/SN-20240103-100000.irv");
    const QString current = root + "/20240103/SN-20240103-100000.irv";

    ThreadDeleteIRV cleaner(false);
    m_guard.expect(QRegularExpression("a link is no day folder"));
    QVERIFY(!cleaner.delete_dir(root + "/20240101"));
    cleaner.slot_delete_old_video(root, current);
    cleaner.slot_delete_old_video(root, current);
    // The real day lost its own recording; the link in it stays, and so
    // does the folder.
    QVERIFY(!QFile::exists(root + "/20240102/SN-20240102-080000.irv"));
    QVERIFY(QFileInfo(root + "/20240102/SN-20240102-070000.irv").isSymLink());
    // Today: the old interrupted recording went; the recent one may still
    // be written.
    QVERIFY(!QFile::exists(root + "/20240103/.SN-20240103-080000.irv.Ab12Cd"));
    QVERIFY(QFile::exists(root + "/20240103/.SN-20240103-090000.irv.Ef34Gh"));
    QVERIFY(QFile::exists(current));
    QCOMPARE(files_under(elsewhere), (QStringList{elsewhere + "/SN-20240101-080000.irv",
                                                  elsewhere + "/SN-20240102-070000.irv"}));
    QVERIFY(ThreadDeleteIRV::is_interrupted_record(".SN-20240103-080000.irv.Ab12Cd"));
    QVERIFY(!ThreadDeleteIRV::is_interrupted_record("SN-20240103-080000.irv.Ab12Cd"));
    QVERIFY(!ThreadDeleteIRV::is_interrupted_record(".notes.txt.Ab12Cd"));
    QVERIFY(!ThreadDeleteIRV::is_interrupted_record(".SN-20240103-080000.irv.Ab12C"));
}

void RecordingTest::clean_up_stops_when_only_the_current_file_is_left()
{
    QTemporaryDir dir;
    const QString current = dir.path() + "/20240103/SN-20240103-090000.avi";
    touch(current);
    ThreadDeleteIRV cleaner(false);
    QSignalSpy stop(&cleaner, &ThreadDeleteIRV::sig_stop_capture);
    QSignalSpy status(&cleaner, &ThreadDeleteIRV::sig_capture_status);
    m_guard.expect(QRegularExpression("Delete Err"));
    cleaner.slot_delete_old_video(dir.path(), current);
    QCOMPARE(stop.count(), 1);
    QCOMPARE(status.count(), 1);
    QCOMPARE(status[0][1].toInt(), -1);
    QVERIFY(QFile::exists(current));
}

void RecordingTest::every_h264_file_starts_with_a_key_frame()
{
    roadtest::LiveCamera camera;
    QVERIFY(camera.open("SNH", 160, 120, 25));
    QTemporaryDir dir;
    RecordFile file;
    QVERIFY(file.begin(camera.device->get_ir_data(), camera.device->get_ir_paint(), RecordSettings::H264, 25));
    for (int n = 0; n < 3; ++n) {
        const QString path = dir.filePath(QString("part%1.h264").arg(n));
        QVERIFY(file.start_record(path, 25));
        for (int i = 0; i < 12; ++i) {
            QVERIFY(file.record_one_frame());
        }
        QVERIFY(!file.is_file_full(12, kMiB));
        file.stop_record();
        const QByteArray bytes = read_all(path);
        QCOMPARE(nal_types(bytes, 3), (std::vector<int>{7, 8, 5}));
        // Each part plays on its own, from its first byte.
        std::vector<clipenc_test::Picture> pictures;
        QVERIFY(clipenc_test::decode_stream(bytes.toStdString(), &pictures));
        QCOMPARE(int(pictures.size()), 12);
        QCOMPARE(pictures[0].width, 160);
    }
    file.end();
}

void RecordingTest::records_and_rolls_over_by_size_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("frequency");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("frame data, every frame") << int(RecordSettings::Irv) << 0 << QByteArray();
    QTest::newRow("AVI, every frame") << int(RecordSettings::Avi) << 0 << QByteArray("RIFF");
    QTest::newRow("AVI, timed at 50") << int(RecordSettings::Avi) << 50 << QByteArray("RIFF");
    QTest::newRow("H.264, every frame") << int(RecordSettings::H264) << 0 << QByteArray("\0\0\0\1", 4);
}

void RecordingTest::records_and_rolls_over_by_size()
{
    QFETCH(int, type);
    QFETCH(int, frequency);
    QFETCH(QByteArray, magic);
    const QString sn = QString("SNR%1-%2").arg(type).arg(frequency);
    roadtest::LiveCamera camera;
    QVERIFY(camera.open(sn, 320, 240, 50));
    QTemporaryDir dir;
    set_settings(sn, dir.path(), type, frequency);
    StatusLog log(camera.device.get());
    QVERIFY(camera.device->start_capture());
    QVERIFY(camera.device->is_recording());
    // A second start while recording makes no second recorder.
    QVERIFY(camera.device->start_capture());
    const int wanted = type == RecordSettings::H264 ? 1 : 3;
    QVERIFY(QTest::qWaitFor([&] { return files_under(dir.path()).size() >= wanted; }, 30000));
    QVERIFY(QTest::qWaitFor([&] { return !log.status.isEmpty(); }, 10000));
    camera.device->stop_capture();
    QVERIFY(!camera.device->is_recording());
    for (int n : log.status) {
        QCOMPARE(n, 0);
    }

    const QStringList files = in_recording_order(files_under(dir.path()));
    const QString ext = RecordFile::extension(type);
    for (int i = 0; i < files.size(); ++i) {
        const QFileInfo info(files[i]);
        QVERIFY2(info.fileName().startsWith(sn + "-") && info.fileName().endsWith(ext), qPrintable(files[i]));
        QVERIFY(ThreadDeleteIRV::is_day_folder(info.dir().dirName()));
        const QByteArray bytes = read_all(files[i]);
        QVERIFY(bytes.startsWith(magic));
        if (type == RecordSettings::H264) {
            QCOMPARE(nal_types(bytes, 3), (std::vector<int>{7, 8, 5}));
        }
        // Rolled files stop near the limit: at most a check period past it.
        if (i + 1 < files.size()) {
            QVERIFY2(info.size() >= kMiB && info.size() < 2 * kMiB, qPrintable(QString::number(info.size())));
        }
    }
}

void RecordingTest::failed_start_and_failed_switch_end_the_run()
{
    roadtest::LiveCamera camera;
    QVERIFY(camera.open("SNF", 320, 240, 50));
    QTemporaryDir dir;
    // A file where the folder should be: nothing can be made under it.
    const QString blocked = dir.filePath("blocked");
    touch(blocked);
    for (int type : {int(RecordSettings::Irv), int(RecordSettings::Avi), int(RecordSettings::H264)}) {
        set_settings("SNF", blocked, type, 0);
        StatusLog log(camera.device.get());
        m_guard.expect(QRegularExpression("recording folder not made"));
        m_guard.expect(QRegularExpression("recording not started"));
        QVERIFY(camera.device->start_capture());
        QVERIFY(QTest::qWaitFor([&] { return !camera.device->is_recording() && log.stopped == 1; }, 10000));
        QCOMPARE(log.status, QList<int>{2});
        m_guard.verify();
    }

    // The folder vanishes under a running recording and a file takes its
    // place: the next file cannot be made, and the run says so and ends.
    const QString root = dir.filePath("records");
    set_settings("SNF", root, RecordSettings::Avi, 0);
    StatusLog log(camera.device.get());
    QVERIFY(camera.device->start_capture());
    QVERIFY(QTest::qWaitFor([&] { return files_under(root).size() == 1; }, 10000));
    m_guard.expect(QRegularExpression("recording folder not made"));
    m_guard.expect(QRegularExpression("recording file not switched"));
    QVERIFY(QDir(root).removeRecursively());
    touch(root);
    QVERIFY(QTest::qWaitFor([&] { return !camera.device->is_recording() && log.stopped == 1; }, 30000));
    QVERIFY(!log.status.isEmpty());
    QCOMPARE(log.status.last(), 3);
}

void RecordingTest::start_refused_without_a_folder()
{
    roadtest::LiveCamera camera;
    QVERIFY(camera.open("SNE", 160, 120, 25));
    set_settings("SNE", QString(), RecordSettings::Avi, 0);
    QSignalSpy status(camera.device.get(), &IRNetDevice::sig_capture_status);
    QVERIFY(!camera.device->start_capture());
    QVERIFY(!camera.device->is_recording());
    QCOMPARE(status.count(), 1);
    QCOMPARE(status[0][1].toInt(), -1);
    QCOMPARE(status[0][0].toString(), QString("Please select a video storage path!"));
    // Stopping with nothing running, and many quick start/stop pairs while
    // frames flow, return at once.
    camera.device->stop_capture();
    QTemporaryDir dir;
    set_settings("SNE", dir.path(), RecordSettings::Irv, 0);
    for (int i = 0; i < 20; ++i) {
        QVERIFY(camera.device->start_capture());
        camera.device->stop_capture();
        QVERIFY(!camera.device->is_recording());
    }
}

void RecordingTest::limited_runs_end_after_their_duration()
{
    roadtest::LiveCamera camera;
    QVERIFY(camera.open("SNL", 320, 240, 25));
    QTemporaryDir dir;
    set_settings("SNL", dir.path(), RecordSettings::Avi, 1);
    DataConfig::instance()->set_record_unlimit("SNL", false);
    DataConfig::instance()->set_record_duration("SNL", 1);

    // A minute at one frame a second: 60 frames of 300 KiB roll over every
    // few frames, all within a second of the wall clock.
    {
        StatusLog log(camera.device.get());
        InstantCapture recorder(camera.device.get());
        recorder.start();
        QVERIFY(QTest::qWaitFor([&] { return log.stopped == 1; }, 30000));
        QVERIFY(recorder.wait(10000));
        QCOMPARE(log.texts.last(), QString("00:01:00"));
        const QStringList files = files_under(dir.path());
        QCOMPARE(files.size(), 15);
        int64_t bytes = 0;
        for (const QString& file : files) {
            QVERIFY(read_all(file).startsWith("RIFF"));
            bytes += QFileInfo(file).size();
        }
        QVERIFY(bytes > 60 * 320 * 240 * 4);
    }

    // The per-frame recorder counts its minute on its clock, not in frames.
    QVERIFY(QDir(dir.path()).removeRecursively());
    set_settings("SNL", dir.path(), RecordSettings::Irv, 0);
    DataConfig::instance()->set_record_file_size("SNL", QStringLiteral("300MB"));
    DataConfig::instance()->set_record_unlimit("SNL", false);
    StatusLog log(camera.device.get());
    SecondPerFrameCapture recorder(camera.device.get());
    recorder.start();
    while (!QTest::qWaitFor([&] { return log.stopped == 1; }, 5)) {
        recorder.notify_frame();
    }
    QVERIFY(recorder.wait(10000));
    QCOMPARE(log.texts.last(), QString("00:01:00"));
    QCOMPARE(log.texts.size(), 61);
    QCOMPARE(files_under(dir.path()).size(), 1);
}

QTEST_MAIN(RecordingTest)
#include "recording_test.moc"
