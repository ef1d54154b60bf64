// The pan-tilt control against a simulated head on loopback: the Pelco-D
// frames of speeds, directions, presets and wiper, a failed connect that
// starts nothing, and the reconnect after the head dropped its link.
#include "head_simulator.h"
#include "message_guard.h"
#include "sources/ptz_control.h"

#include <QtTest>

namespace {

QString head_address(const headsim::HeadSimulator& head)
{
    return QString("127.0.0.1:%1").arg(head.port());
}

}  // namespace

class PtzControlTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void commands_reach_the_head_as_pelco_d();
    void failed_connect_starts_no_timer();
    void reconnects_after_the_head_dropped_the_link();

private:
    roadtest::MessageGuard m_guard;
};

void PtzControlTest::commands_reach_the_head_as_pelco_d()
{
    headsim::HeadSimulator head;
    QVERIFY(head.start());
    PtzControl ptz;
    QVERIFY(ptz.connect_ptz(head_address(head)));
    QVERIFY(ptz.is_connected());
    // The panel's speeds 1 and 64 go out as 0 and 63.
    QVERIFY(ptz.ptz_set_horizontal_speed(1));
    QVERIFY(ptz.ptz_set_vertical_speed(64));
    QVERIFY(ptz.ptz_direction(0));  // left
    QVERIFY(ptz.ptz_direction(1));  // up
    QVERIFY(ptz.ptz_direction(8));  // stop
    QVERIFY(ptz.ptz_set_preset(7));
    QVERIFY(ptz.ptz_goto_preset(255));
    QVERIFY(ptz.ptz_wiper_on());
    QVERIFY(head.wait_for_bytes(7 * 6));
    const std::vector<headsim::Frame> frames = head.frames();
    QVERIFY(frames.size() >= 6);
    for (const headsim::Frame& f : frames) {
        QCOMPARE(int(f[0]), 0xFF);
        QCOMPARE(int(f[1]), 1);
        QCOMPARE(int(f[6]), (f[1] + f[2] + f[3] + f[4] + f[5]) & 0xFF);
    }
    // Left at pan speed 0, up at tilt speed 63, stop, preset 7 set, 255 called.
    QCOMPARE(int(frames[0][3]), 0x04);
    QCOMPARE(int(frames[0][4]), 0);
    QCOMPARE(int(frames[1][3]), 0x08);
    QCOMPARE(int(frames[1][5]), 63);
    QCOMPARE(int(frames[2][3]), 0x00);
    QCOMPARE(int(frames[3][3]), 0x03);
    QCOMPARE(int(frames[3][5]), 7);
    QCOMPARE(int(frames[4][3]), 0x07);
    QCOMPARE(int(frames[4][5]), 255);
}

void PtzControlTest::failed_connect_starts_no_timer()
{
    headsim::HeadSimulator head;
    QVERIFY(head.start());
    const QString address = head_address(head);
    head.stop();
    PtzControl ptz;
    QVERIFY(!ptz.connect_ptz(address));
    QVERIFY(!ptz.is_connected());
    QVERIFY(!ptz.is_reconnect_timer_running());
    QVERIFY(!ptz.ptz_direction(1));
}

void PtzControlTest::reconnects_after_the_head_dropped_the_link()
{
    headsim::HeadSimulator head;
    QVERIFY(head.start());
    auto ptz = std::make_unique<PtzControl>();
    QVERIFY(ptz->connect_ptz(head_address(head)));
    QVERIFY(ptz->is_reconnect_timer_running());
    // The head has to hold the link before it can drop it.
    QVERIFY(head.wait_for_connections(1));
    head.drop_link();
    QVERIFY(QTest::qWaitFor([&] { return !ptz->is_connected(); }, 10000));
    // The timer's tick: the stored address again.
    ptz->slot_time_out();
    QVERIFY(ptz->is_connected());
    QVERIFY(head.wait_for_connections(2));
    QVERIFY(ptz->ptz_wiper_off());
    // After destruction no status callback may reach the object: the head
    // dropping the link now must not touch freed memory (ASan).
    ptz.reset();
    head.drop_link();
    QVERIFY(head.wait_until_unlinked());
}

QTEST_MAIN(PtzControlTest)
#include "ptz_control_test.moc"
