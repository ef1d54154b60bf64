// A user's roads with live cameras in the real main window. The cameras page
// lists the simulated cameras, which answer discovery asked by unicast on
// their loopback addresses (PYRAVUE_DISCOVERY_ADDRESSES).
// - Two cameras: a double click opens the second, the record button writes
//   five seconds of AVI (counted in frames), a second click stops it, and
//   the tab closes.
// - The controls: the user sets the measuring range, switches the automatic
//   range on and sees it switch back, presses F3, holds F5, and shows the
//   sensor temperatures; the camera records every command it receives.
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_common.h"
#include "shell/data_config.h"
#include "sources/ir_net_device.h"
#include "test_camera.h"
#include "test_folders.h"
#include "views/wnd_ir_show.h"

#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest>


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
    void controls_reach_the_camera();

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

// The payloads of one command as the camera received them, in order.
QList<QByteArray> received(camsim::CameraSim& camera, int main_cmd, int vice_cmd)
{
    QList<QByteArray> payloads;
    for (const camsim::RequestRecord& r : camera.requests()) {
        if (r.main_cmd == main_cmd && r.vice_cmd == vice_cmd) {
            payloads << QByteArray(reinterpret_cast<const char*>(r.payload.data()), int(r.payload.size()));
        }
    }
    return payloads;
}

QByteArray lens_and_range(int lens, int range)
{
    return QByteArray(1, char(lens)) + QByteArray(1, char(range));
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
    QVERIFY2(start_test_camera(first, &error, true), error.c_str());
    QVERIFY2(start_test_camera(second, &error, true), error.c_str());
    const QString first_address = QString::fromStdString(first.address());
    const QString second_address = QString::fromStdString(second.address());
    QVERIFY(first_address != second_address);
    qputenv("PYRAVUE_DISCOVERY_ADDRESSES", (first_address + "," + second_address).toLatin1());

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
    QVERIFY(RoadWindow::wait_for([&] { return road.find_object("area_device_preview") != nullptr; }));

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

void CameraRoadTest::controls_reach_the_camera()
{
    camsim::CameraSim camera;
    std::string error;
    QVERIFY2(start_test_camera(camera, &error, true), error.c_str());
    const QString address = QString::fromStdString(camera.address());
    qputenv("PYRAVUE_DISCOVERY_ADDRESSES", address.toLatin1());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QQuickWindow* window = road.window();
    QVERIFY(window != nullptr);

    // The cameras page asks the listed address and shows what answered.
    QVERIFY(RoadWindow::click(road.find_item("page_camera")));
    QVERIFY(RoadWindow::wait_for([&] { return cells_showing(road, address).size() == 1; }));
    QQuickItem* cell = cells_showing(road, address)[0];
    QVERIFY(!road.save_screen("camera_road", "5-found-on-loopback").isEmpty());
    QVERIFY(RoadWindow::double_click(cell));
    WndIRShow* view = nullptr;
    QVERIFY(RoadWindow::wait_for([&] { return (view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"))); }));
    auto* source = qobject_cast<IRNetDevice*>(view->source());
    QVERIFY(source != nullptr && source->is_connected());
    const uint64_t shown = camera.stats().temperature_frames;
    QVERIFY(RoadWindow::wait_for([&] { return camera.stats().temperature_frames >= shown + 5; }));

    // The status bar describes the camera; the property column has the lens
    // and range lists and neither voice notes nor "restore defaults".
    QQuickItem* status = road.find_item("status_text");
    QVERIFY(RoadWindow::wait_for([&] { return status->property("text").toString().contains("160 x 120"); }));
    QVERIFY(road.find_item("ir_lens_setting")->isVisible());
    QVERIFY(!road.find_item("content_ir_pic_setting")->isVisible());
    QVERIFY(!road.find_item("btn_default_param")->isVisible());
    QQuickItem* range_combo = road.find_item("combo_meas_range");
    QCOMPARE(range_combo->property("strCurText").toString(), QString("-20 - 150"));

    // A range chosen by hand reaches the camera.
    QVERIFY(RoadWindow::click(range_combo));
    QVERIFY(!road.save_screen("camera_road", "6-range-list").isEmpty());
    QVERIFY(RoadWindow::click(road.find_item("combo_meas_range_item_1")));
    QCOMPARE(received(camera, 163, 128), QList<QByteArray>{lens_and_range(0, 1)});
    QCOMPARE(source->current_range(), 1);
    QCOMPARE(range_combo->property("strCurText").toString(), QString("100 - 650"));

    // Automatic: the picture stays below 150 degrees, so after 52 frames the
    // camera is switched back to its first range.
    // The switch is announced from the frame thread; it is counted here.
    QList<int> switched;
    QObject counter;
    QObject::connect(view, &WndIRShow::sig_start_check_temp_range, &counter,
                     [&switched](int range) { switched << range; }, Qt::QueuedConnection);
    QVERIFY(RoadWindow::click(road.find_item("check_auto_range")));
    QVERIFY(road.find_item("check_auto_range")->property("checked").toBool());
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 163, 128).size() == 2; }));
    QCOMPARE(received(camera, 163, 128).last(), lens_and_range(0, 0));
    QVERIFY(RoadWindow::wait_for([&] { return switched.size() == 1; }));
    QCOMPARE(switched.at(0), 0);
    QVERIFY(RoadWindow::wait_for([&] {
        return range_combo->property("strCurText").toString() == "-20 - 150" &&
               !road.find_item("text_auto_range")->isVisible();
    }));
    QCOMPARE(source->current_range(), 0);
    QVERIFY(!road.save_screen("camera_road", "7-auto-range").isEmpty());

    // Another lens takes its first range. A range of the calibration that
    // this camera's lens does not have is refused: a message, nothing sent,
    // and the list stays on the camera's range.
    QVERIFY(RoadWindow::click(road.find_item("combo_len_type")));
    QVERIFY(RoadWindow::click(road.find_item("combo_len_type_item_1")));
    QCOMPARE(received(camera, 163, 128).last(), lens_and_range(1, 0));
    m_guard.expect(QRegularExpression("failed vy_nd_plus_set_len_and_meas_range"));
    QVERIFY(RoadWindow::click(range_combo));
    QVERIFY(RoadWindow::click(road.find_item("combo_meas_range_item_1")));
    QCOMPARE(received(camera, 163, 128).size(), 3);
    QCOMPARE(range_combo->property("nCurIndex").toInt(), 0);
    QObject* message = road.find_object("message_box_net_device");
    QVERIFY(message->property("visible").toBool());
    QVERIFY(!road.save_screen("camera_road", "7a-range-refused").isEmpty());
    QVERIFY(QMetaObject::invokeMethod(message, "finish", Q_ARG(QVariant, 1)));

    // F3 corrects; F5 held (the keyboard repeating it) turns the focus motor
    // once and stops it once at the release; F6 turns it the other way.
    QTest::keyClick(window, Qt::Key_F3);
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 164, 139).size() == 1; }));
    QTest::keyPress(window, Qt::Key_F5);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(window, &repeat);
    }
    QTest::keyRelease(window, Qt::Key_F5);
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 164, 132).size() == 1; }));
    QCOMPARE(received(camera, 164, 131).size(), 1);
    QCOMPARE(received(camera, 164, 139).size(), 1);
    QTest::keyPress(window, Qt::Key_F6);
    QTest::keyRelease(window, Qt::Key_F6);
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 164, 132).size() == 2; }));
    QCOMPARE(received(camera, 164, 130).size(), 1);

    // While another page shows, the keys leave the camera alone: back on its
    // tab, F6 reaches the camera after no correction (one link, in order).
    QVERIFY(RoadWindow::click(road.find_item("page_camera")));
    QVERIFY(!road.find_item("wnd_ir_net_device")->isVisible());
    QTest::keyClick(window, Qt::Key_F3);
    QVERIFY(RoadWindow::click(road.find_item("doc_tab_0")));
    QVERIFY(road.find_item("wnd_ir_net_device")->isVisible());
    QTest::keyClick(window, Qt::Key_F6);
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 164, 132).size() == 3; }));
    QCOMPARE(received(camera, 164, 139).size(), 1);

    // Ctrl+T shows the sensor temperatures over the picture.
    // The user comes back to the main window from the message box.
    window->requestActivate();
    QVERIFY(RoadWindow::wait_for([&] { return QGuiApplication::focusWindow() == window; }));
    QTest::keyClick(window, Qt::Key_T, Qt::ControlModifier);
    QQuickItem* sensor = road.find_item("text_sensor_temp");
    QVERIFY(sensor->isVisible());
    QVERIFY(sensor->property("text").toString().contains(QChar(0x2103)));
    QVERIFY(!road.save_screen("camera_road", "8-sensor-temperatures").isEmpty());

    QVERIFY(close_first_tab(road));
    camera.stop();
}

QTEST_MAIN(CameraRoadTest)
#include "camera_road_test.moc"
