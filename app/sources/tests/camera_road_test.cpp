// A user's road with two live cameras in the real main window: the cameras
// page lists both simulated cameras that answered discovery, a double click
// opens the second, the record button writes five seconds of AVI (counted
// in frames), a second click stops it, and the tab closes.
//
// The discovery broadcast goes out of the machine's cards and cannot reach
// simulators on loopback addresses, so the simulators' answers are handed to
// the page's discovery object from a thread of their own, as the discovery
// client's receiving thread delivers them.
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_common.h"
#include "shell/data_config.h"
#include "sources/ir_net_device.h"
#include "sources/net_dev_discover.h"
#include "test_camera.h"
#include "test_folders.h"
#include "views/wnd_ir_show.h"

#include <QTemporaryDir>
#include <QtTest>

#include <thread>

using roadtest::RoadWindow;

class CameraRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        // The edition with live cameras, as a user starts it.
        qputenv("PYRAVUE_EDITION", "0");
    }
    void cleanup() { m_guard.verify(); }
    void edition_names();
    void discover_open_record_close();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

namespace {

constexpr int kRecordFrames = 5 * kTestCameraFps;
constexpr int kAviHeaderBytes = 2048;

uint32_t u32_at(const QByteArray& bytes, int at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | uint8_t(bytes[at + i]);
    }
    return value;
}

// The frame chunks written so far after the header, whole ones only: the
// writer is unbuffered, so this counts a file that is still being written.
struct AviChunks {
    int count = 0;
    uint32_t first_length = 0;
    bool same_lengths = true;
};

AviChunks walk_frames(const QString& path)
{
    AviChunks chunks;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kAviHeaderBytes)) {
        return chunks;
    }
    const qint64 size = file.size();
    for (qint64 at = kAviHeaderBytes; at + 8 <= size;) {
        const QByteArray head = file.read(8);
        if (head.size() != 8 || head.left(4) != "00db") {
            break;
        }
        const uint32_t length = u32_at(head, 4);
        const qint64 next = at + 8 + length + (length & 1);
        if (next > size || !file.seek(next)) {
            break;
        }
        if (chunks.count == 0) {
            chunks.first_length = length;
        }
        chunks.same_lengths = chunks.same_lengths && length == chunks.first_length;
        ++chunks.count;
        at = next;
    }
    return chunks;
}

// Whether an item below this one (in the item tree) ends its text so.
bool shows_text(QQuickItem* item, const QString& ending)
{
    for (QQuickItem* child : item->childItems()) {
        if (child->property("text").toString().endsWith(ending) || shows_text(child, ending)) {
            return true;
        }
    }
    return false;
}

// The cells of the cameras page that show this address.
QList<QQuickItem*> cells_showing(const RoadWindow& road, const QString& address)
{
    QList<QQuickItem*> cells;
    for (int i = 0;; ++i) {
        QQuickItem* cell = road.find_item(QString("device_cell_%1").arg(i));
        if (cell == nullptr) {
            return cells;
        }
        if (shows_text(cell, ": " + address)) {
            cells << cell;
        }
    }
}

}  // namespace

void CameraRoadTest::edition_names()
{
    QCOMPARE(DataCommon::edition_from(""), 2);
    QCOMPARE(DataCommon::edition_from("0"), 0);
    QCOMPARE(DataCommon::edition_from(" 1\n"), 1);
    m_guard.expect(QRegularExpression("unknown edition"));
    QCOMPARE(DataCommon::edition_from("7"), 2);
    m_guard.expect(QRegularExpression("unknown edition"));
    QCOMPARE(DataCommon::edition_from("research"), 2);
}

void CameraRoadTest::discover_open_record_close()
{
    camsim::CameraSim first;
    camsim::CameraSim second;
    std::string error;
    QVERIFY2(start_test_camera(first, &error), error.c_str());
    QVERIFY2(start_test_camera(second, &error), error.c_str());
    const QString first_address = QString::fromStdString(first.address());
    const QString second_address = QString::fromStdString(second.address());
    QVERIFY(first_address != second_address);

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QObject* title = road.find_object("title_bar");
    QVERIFY(title != nullptr);
    // The cameras page, from its title button.
    QQuickItem* camera_button = road.find_item("page_camera");
    QVERIFY(camera_button != nullptr && camera_button->isVisible());
    QVERIFY(RoadWindow::click(camera_button));
    QObject* page = nullptr;
    QVERIFY(RoadWindow::wait_for([&] { return (page = road.find_object("area_device_preview")) != nullptr; }));
    auto* discover = page->findChild<NetDevDiscover*>();
    QVERIFY(discover != nullptr);

    // Both cameras answer, the first one twice (two requests in flight).
    std::thread replies([&] {
        for (const camsim::CameraSim* camera : {&first, &second, &first}) {
            const QByteArray text = QByteArray::fromStdString(camera->discovery_text()) +
                                    ";discover mac:02:00:00:00:00:10";
            discover->take_reply(
                NetDevDiscover::parse_reply(QString::fromStdString(camera->address()), 0, text));
        }
    });
    replies.join();
    QVERIFY(RoadWindow::wait_for([&] {
        return !cells_showing(road, first_address).isEmpty() && !cells_showing(road, second_address).isEmpty();
    }));
    QCOMPARE(cells_showing(road, first_address).size(), 1);
    QCOMPARE(cells_showing(road, second_address).size(), 1);
    QVERIFY(!road.save_screen("camera_road", "1-two-cameras").isEmpty());

    // A double click opens the second camera; the first is left alone.
    QVERIFY(RoadWindow::double_click(cells_showing(road, second_address)[0]));
    WndIRShow* view = nullptr;
    QVERIFY(RoadWindow::wait_for([&] { return (view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"))); }));
    auto* source = qobject_cast<IRNetDevice*>(view->source());
    QVERIFY(source != nullptr && source->is_connected());
    QVERIFY(second.stats().connections > 0);
    QCOMPARE(first.stats().connections, uint64_t(0));
    QCOMPARE(view->n_pixel_width(), 160);
    const uint64_t shown = second.stats().temperature_frames;
    QVERIFY(RoadWindow::wait_for([&] { return second.stats().temperature_frames >= shown + 5; }));
    QVERIFY(!road.save_screen("camera_road", "2-open").isEmpty());

    // Five seconds of AVI: every frame of the camera, 125 of them.
    QTemporaryDir records;
    QVERIFY(records.isValid());
    DataConfig* config = DataConfig::instance();
    const QString sn = view->get_capture_sn();
    config->set_record_path(sn, records.path());
    config->set_record_file_type(sn, 2);
    config->set_record_frequency(sn, 0);
    config->set_record_unlimit(sn, true);
    QQuickItem* record = road.find_item("btn_record");
    QVERIFY(record != nullptr);
    QVERIFY(RoadWindow::click(record));
    QVERIFY(source->is_recording());
    QString avi;
    QVERIFY(RoadWindow::wait_for([&] {
        const QFileInfoList days = QDir(records.path()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
        const QFileInfoList files =
            days.isEmpty() ? QFileInfoList() : QDir(days[0].filePath()).entryInfoList({"*.avi"}, QDir::Files);
        avi = files.isEmpty() ? QString() : files[0].filePath();
        return !avi.isEmpty();
    }));
    QVERIFY(RoadWindow::wait_for([&] { return walk_frames(avi).count >= kRecordFrames; }, 30000));
    QVERIFY(!road.save_screen("camera_road", "3-recording").isEmpty());
    QVERIFY(RoadWindow::click(record));
    QVERIFY(!source->is_recording());
    QObject* toolbar = road.find_object("toolbar_net_device");
    QVERIFY(!toolbar->property("bRecording").toBool());
    QCOMPARE(road.find_object("text_record_time")->property("text").toString(), QString("00:00:00"));

    // The file is complete: its header, its index and its chunks agree.
    const AviChunks chunks = walk_frames(avi);
    QVERIFY(chunks.count >= kRecordFrames);
    QVERIFY(chunks.same_lengths);
    QFile file(avi);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.left(4), QByteArray("RIFF"));
    QCOMPARE(u32_at(bytes, 4), uint32_t(bytes.size() - 8));
    QCOMPARE(int(u32_at(bytes, 48)), chunks.count);
    const uint32_t width = u32_at(bytes, 64);
    // A negative height: the rows are stored top first.
    const int32_t height = int32_t(u32_at(bytes, 68));
    QCOMPARE(chunks.first_length, width * uint32_t(std::abs(height)) * 4);
    const int index_at = bytes.indexOf("idx1", kAviHeaderBytes + chunks.count * int(8 + chunks.first_length) - 1);
    QVERIFY(index_at > 0);
    QCOMPARE(int(u32_at(bytes, index_at + 4)), chunks.count * 16);
    QCOMPARE(index_at + 8 + chunks.count * 16, bytes.size());

    // The user closes the tab: the window, its threads and its stream end.
    QVERIFY(close_first_tab(road));
    QVERIFY(!road.save_screen("camera_road", "4-closed").isEmpty());
    first.stop();
    second.stop();
}

QTEST_MAIN(CameraRoadTest)
#include "camera_road_test.moc"
