// The recording source over the generated sample recording and recordings
// written here: frame timing, speeds, play modes at the end of the list,
// marks, pacing, alarm conditions on the frames played, and the player
// destroyed while its thread plays.
#include "alarms/warning_condition.h"
#include "message_guard.h"
#include "reelplay.h"
#include "sources/handle_ids.h"
#include "sources/ir_player.h"
#include "sources/player_pacing.h"
#include "test_folders.h"
#include "test_recordings.h"
#include "thermframe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <memory>

namespace {

QString sample() { return QDir::current().absoluteFilePath("samples/sample.irv"); }

tagTimeVal at_ms(int64_t ms)
{
    return tagTimeVal{static_cast<uint32_t>(ms / 1000), static_cast<uint32_t>(ms % 1000) * 1000u};
}

// Writes the first `frames` frames of the sample as a new recording.
bool write_recording(const QString& path, uint32_t frames)
{
    return roadtest::write_recording_prefix(sample(), path, frames);
}

// The frames the playback thread announced, received on this thread.
struct FrameLog : QObject {
    explicit FrameLog(IRPlayer* player)
    {
        connect(player, &IRPlayer::sig_update_ctrl_with_frame, this, [this](int frame) { shown.append(frame); });
    }
    int count() const { return shown.size(); }
    QList<int> shown;
};

// Waits until the player's thread has paused.
bool wait_paused(IRPlayer& player)
{
    return QTest::qWaitFor([&] { return !player.is_playing(); }, 20000);
}

}  // namespace

class IRPlayerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        QVERIFY(m_dir.isValid());
    }
    void cleanup() { m_guard.verify(); }

    void frame_interval_follows_duration_within_limits_data();
    void frame_interval_follows_duration_within_limits();
    void pacing_sleeps_the_rest_of_the_frame_time();
    void speeds_outside_the_offered_range_are_refused();
    void play_list_choice_at_the_end_of_a_recording();
    void sample_opens_with_its_frames_and_refused_files_keep_it();
    void seek_stays_inside_the_recording();
    void marks_are_inserted_once_listed_and_removed();
    void list_edits_and_swaps();
    void frame_saves_as_png_or_jpeg_by_suffix_also_from_a_url();
    void sequence_mode_stops_at_the_range_start_after_the_last_entry();
    void list_loop_continues_with_the_first_entry();
    void pause_keeps_the_frame_shown_and_resume_goes_on_from_it();
    void one_frame_recording_plays_and_stops_without_wrapping();
    void player_destroyed_while_playing_never_hangs();
    void alarm_conditions_follow_the_frames_played();

private:
    std::unique_ptr<IRPlayer> open_player(const QString& path)
    {
        auto player = std::make_unique<IRPlayer>(nullptr);
        if (!player->open_file(path)) return nullptr;
        player->add_file(path);
        return player;
    }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
};

void IRPlayerTest::frame_interval_follows_duration_within_limits_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("end");
    QTest::addColumn<uint>("frames");
    QTest::addColumn<float>("interval");
    QTest::newRow("1000 frames over 10 s") << qint64(5000) << qint64(15000) << 1000u << 10.0f;
    QTest::newRow("2 frames over 10 s clamp to 1000 ms") << qint64(5000) << qint64(15000) << 2u << 1000.0f;
    QTest::newRow("10000 frames over 1 s clamp to 3 ms") << qint64(5000) << qint64(6000) << 10000u << 3.0f;
    QTest::newRow("end before start counts 1 ms") << qint64(9000) << qint64(5000) << 1u << 3.0f;
    QTest::newRow("milliseconds of both ends count") << qint64(5250) << qint64(5650) << 10u << 40.0f;
}

void IRPlayerTest::frame_interval_follows_duration_within_limits()
{
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    QFETCH(uint, frames);
    QFETCH(float, interval);
    float got = -1.0f;
    QVERIFY(player_pacing::frame_interval_ms(at_ms(start), at_ms(end), frames, got));
    QCOMPARE(got, interval);
    // A recording without frames has no interval and keeps the previous one.
    float kept = 7.0f;
    QVERIFY(!player_pacing::frame_interval_ms(at_ms(start), at_ms(end), 0, kept));
    QCOMPARE(kept, 7.0f);
}

void IRPlayerTest::pacing_sleeps_the_rest_of_the_frame_time()
{
    struct Case {
        float interval, speed;
        int64_t elapsed, sleep;
    };
    const Case cases[] = {
        {10.0f, 1.0f, 0, 10},      {10.0f, 0.125f, 0, 80},     {10.0f, 0.125f, 30, 50},
        {40.0f, 0.001f, 0, 1000},  {3.0f, 0.001f, 400, 600},   {40.0f, 0.001f, 1500, 0},
        {40.0f, 100.0f, 0, 0},     {40.0f, 2.0f, 25, 0},       {40.0f, 1.0f, 39, 1},
    };
    for (const Case& c : cases) {
        QCOMPARE(player_pacing::sleep_ms(c.interval, c.speed, c.elapsed), c.sleep);
    }
    QCOMPARE(player_pacing::frame_rate(40.0f), 25);
    QCOMPARE(player_pacing::frame_rate(0.0f), 1000);
    QCOMPARE(player_pacing::frame_rate(3.0f), 333);
}

void IRPlayerTest::speeds_outside_the_offered_range_are_refused()
{
    IRPlayer player(nullptr);
    QVERIFY(player.set_speed(100.0f));
    QVERIFY(player.no_pacing());
    QVERIFY(!player.set_speed(100.5f));
    QVERIFY(!player.set_speed(0.0009f));
    QVERIFY(!player.set_speed(-1.0f));
    QCOMPARE(player.speed(), 100.0f);
    QVERIFY(player.set_speed(0.001f));
    QVERIFY(!player.no_pacing());
    QVERIFY(player.set_speed(1.0f));
}

void IRPlayerTest::play_list_choice_at_the_end_of_a_recording()
{
    const QStringList list{"a.irv", "b.irv", "c.irv"};
    struct Case {
        int mode;
        QString current, next;
        bool restart;
    };
    const Case cases[] = {
        {IRPlayer::kModeSequence, "a.irv", "b.irv", false},
        {IRPlayer::kModeSequence, "c.irv", "", false},
        {IRPlayer::kModeListLoop, "b.irv", "c.irv", false},
        {IRPlayer::kModeListLoop, "c.irv", "a.irv", true},
        {IRPlayer::kModeSingle, "a.irv", "", false},
        {IRPlayer::kModeSingleLoop, "b.irv", "b.irv", true},
        {IRPlayer::kModeSequence, "x.irv", "", false},
        {IRPlayer::kModeListLoop, "x.irv", "", false},
    };
    for (const Case& c : cases) {
        bool restart = !c.restart;
        QCOMPARE(IRPlayer::next_file(c.mode, list, c.current, restart), c.next);
        QCOMPARE(restart, c.restart);
    }
    QCOMPARE(IRPlayer::restart_file(IRPlayer::kModeSequence, list, "c.irv"), QString("a.irv"));
    QCOMPARE(IRPlayer::restart_file(IRPlayer::kModeSingle, list, "c.irv"), QString("c.irv"));
    QCOMPARE(IRPlayer::restart_file(IRPlayer::kModeListLoop, {}, "c.irv"), QString("c.irv"));
}

void IRPlayerTest::sample_opens_with_its_frames_and_refused_files_keep_it()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    IRPlayer player(nullptr);
    QVERIFY(player.open_file(sample()));
    QCOMPARE(player.frame_count(), 240u);
    QCOMPARE(player.last_frame(), 239u);
    QCOMPARE(player.frame_interval(), 40.0f - 40.0f / 240.0f);
    QCOMPARE(player.frame_rate(), 25);
    QCOMPARE(player.get_file_name(), QString("sample.irv"));

    // A complete recording of no frames, an empty file and a picture.
    const QString none = m_dir.filePath("none.irv");
    QVERIFY(write_recording(none, 0));
    const QString empty = m_dir.filePath("empty.irv");
    QFile f(empty);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    player.seek_frame(17);
    for (const QString& bad : {none, empty, QDir::current().absoluteFilePath("samples/sample.jpg")}) {
        m_guard.expect(QRegularExpression("recording refused"));
        QVERIFY2(!player.open_file(bad), qPrintable(bad));
    }
    QCOMPARE(player.frame_count(), 240u);
    QCOMPARE(player.get_file_path(), sample());
    QCOMPARE(player.current_frame(), 17u);
}

void IRPlayerTest::seek_stays_inside_the_recording()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    IRPlayer player(nullptr);
    // Nothing open: a seek changes nothing.
    QVERIFY(player.seek_frame(5));
    QCOMPARE(player.current_frame(), 0u);
    QVERIFY(player.open_file(sample()));
    player.seek_frame(5000);
    QCOMPARE(player.current_frame(), 239u);
    player.seek_frame(0);
    QCOMPARE(player.current_frame(), 0u);
}

void IRPlayerTest::marks_are_inserted_once_listed_and_removed()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    const QString copy = m_dir.filePath("marks.irv");
    QFile::remove(copy);
    QFile::remove(copy + ".marks");
    QVERIFY(QFile::copy(sample(), copy));
    IRPlayer player(nullptr);
    QVERIFY(player.open_file(copy));
    const QJsonArray before = player.get_all_mark();
    QCOMPARE(before.size(), 5);
    QCOMPARE(before.at(1).toObject().value("strSettingMarkFrame").toInt(), 20);
    QCOMPARE(before.at(1).toObject().value("strSettingMarkInfo").toString(), QString("pump on"));

    player.seek_frame(20);
    QCOMPARE(player.insert_mark("again"), -1);
    player.seek_frame(33);
    QCOMPARE(player.insert_mark(QString::fromUtf8("阀门 open")), 33);
    QCOMPARE(player.insert_mark("twice"), -1);
    player.seek_frame(34);
    QCOMPARE(player.insert_mark(""), 34);
    QVERIFY(player.update_mark(34, "later text"));
    const QJsonArray after = player.get_all_mark();
    QCOMPARE(after.size(), 7);
    QCOMPARE(after.at(2).toObject().value("strSettingMarkInfo").toString(), QString::fromUtf8("阀门 open"));
    QCOMPARE(after.at(3).toObject().value("strSettingMarkInfo").toString(), QString("later text"));
    QVERIFY(player.remove_mark(33));
    QVERIFY(!player.remove_mark(33));
    QVERIFY(!player.update_mark(35, "none there"));
    QCOMPARE(player.get_all_mark().size(), 6);
}

void IRPlayerTest::list_edits_and_swaps()
{
    IRPlayer player(nullptr);
    QVERIFY(!player.swap_file(0, 0));
    player.add_file("a.irv");
    QVERIFY(player.swap_file(0, 0));
    QCOMPARE(player.play_list(), QStringList{"a.irv"});
    QVERIFY(!player.swap_file(0, 1));
    QVERIFY(!player.swap_file(-1, 0));
    player.add_file("b.irv");
    QVERIFY(player.swap_file(1, 0));
    QCOMPARE(player.play_list(), (QStringList{"b.irv", "a.irv"}));
    QVERIFY(player.delete_file("missing.irv"));
    QVERIFY(player.delete_file("b.irv"));
    QCOMPARE(player.play_list(), QStringList{"a.irv"});
    player.set_player_mode(1234);
    QCOMPARE(player.play_mode(), int(IRPlayer::kModeSequence));
    player.set_player_mode(IRPlayer::kModeSingleLoop);
    QCOMPARE(player.play_mode(), int(IRPlayer::kModeSingleLoop));
}

void IRPlayerTest::frame_saves_as_png_or_jpeg_by_suffix_also_from_a_url()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    IRPlayer player(nullptr);
    QVERIFY(player.open_file(sample()));
    player.seek_frame(110);
    const QString png = m_dir.filePath("frame 110.PNG");
    const QString jpeg = m_dir.filePath("frame 110.bmp");
    // A dialog's URL keeps the path absolute.
    QVERIFY(player.save_as_image_to_file(QUrl::fromLocalFile(png).toString()));
    QVERIFY(player.save_as_image_to_file(jpeg));
    auto head = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.read(4) : QByteArray();
    };
    QCOMPARE(head(png), QByteArray("\x89PNG"));
    QCOMPARE(head(jpeg).left(3), QByteArray("\xFF\xD8\xFF"));
}

void IRPlayerTest::sequence_mode_stops_at_the_range_start_after_the_last_entry()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    auto player = open_player(sample());
    QVERIFY(player != nullptr);
    QVERIFY(player->set_speed(100.0f));
    FrameLog frames(player.get());
    player->seek_frame(200);
    QVERIFY(player->check_frame());
    QVERIFY(QTest::qWaitFor([&] { return frames.count() >= 40; }, 20000));
    QVERIFY(wait_paused(*player));
    // The end is handled on this thread: it stops at the range start.
    QTRY_COMPARE_WITH_TIMEOUT(player->current_frame(), 0u, 20000);
    QVERIFY(!player->is_playing());
    // With step 1 every frame from 200 to the end was shown, in order.
    const QList<int>& shown = frames.shown;
    const int first = shown.indexOf(200);
    QVERIFY(first >= 0);
    for (int i = 0; i < 40; ++i) QCOMPARE(shown.at(first + i), 200 + i);
}

void IRPlayerTest::list_loop_continues_with_the_first_entry()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    const QString second = m_dir.filePath("second.irv");
    QVERIFY(write_recording(second, 3));
    auto player = open_player(sample());
    QVERIFY(player != nullptr);
    player->add_file(second);
    player->set_player_mode(IRPlayer::kModeListLoop);
    QVERIFY(player->set_speed(100.0f));
    player->seek_frame(237);
    QVERIFY(player->check_frame());
    QTRY_COMPARE_WITH_TIMEOUT(player->get_file_path(), second, 20000);
    // After the short second recording the list starts over with the sample.
    QTRY_COMPARE_WITH_TIMEOUT(player->get_file_path(), sample(), 20000);
    QVERIFY(player->save_frame());
    QVERIFY(wait_paused(*player));
}

void IRPlayerTest::pause_keeps_the_frame_shown_and_resume_goes_on_from_it()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    auto player = open_player(sample());
    QVERIFY(player != nullptr);
    QVERIFY(player->set_speed(8.0f));
    FrameLog frames(player.get());
    QVERIFY(player->check_frame());
    QVERIFY(QTest::qWaitFor([&] { return frames.count() >= 5; }, 20000));
    QVERIFY(player->save_frame());
    QVERIFY(wait_paused(*player));
    // The last frame announced is the one shown, and new marks go there.
    QTRY_COMPARE(uint32_t(frames.shown.last()), player->current_frame());
    const uint32_t shown = player->current_frame();
    QVERIFY(shown < 200);
    const int count = frames.count();
    QVERIFY(player->check_frame());
    QVERIFY(QTest::qWaitFor([&] { return frames.count() > count; }, 20000));
    QVERIFY(player->save_frame());
    QVERIFY(wait_paused(*player));
    // A pause that came before the advance shows the same frame once more.
    const uint32_t resumed = uint32_t(frames.shown.at(count));
    QVERIFY2(resumed == shown || resumed == shown + 1, qPrintable(QString("%1 -> %2").arg(shown).arg(resumed)));
}

void IRPlayerTest::one_frame_recording_plays_and_stops_without_wrapping()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    const QString one = m_dir.filePath("one.irv");
    QVERIFY(write_recording(one, 1));
    auto player = open_player(one);
    QVERIFY(player != nullptr);
    QCOMPARE(player->frame_count(), 1u);
    QCOMPARE(player->frame_interval(), 3.0f);
    // Played over and over: every cycle shows frame 0 and ends the recording.
    player->set_player_mode(IRPlayer::kModeSingleLoop);
    QVERIFY(player->set_speed(100.0f));
    FrameLog frames(player.get());
    QVERIFY(player->check_frame());
    QVERIFY(QTest::qWaitFor([&] { return frames.count() >= 3; }, 20000));
    QVERIFY(player->save_frame());
    QVERIFY(wait_paused(*player));
    for (int frame : frames.shown) QCOMPARE(frame, 0);
    QCOMPARE(player->current_frame(), 0u);
}

void IRPlayerTest::player_destroyed_while_playing_never_hangs()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    // Slow playback puts the thread in its pacing sleep, fast playback in
    // its seeks: both end when the player goes.
    for (int i = 0; i < 100; ++i) {
        auto player = open_player(sample());
        QVERIFY(player != nullptr);
        QVERIFY(player->set_speed(i % 2 == 0 ? 0.001f : 100.0f));
        FrameLog frames(player.get());
        QVERIFY(player->check_frame());
        QVERIFY(QTest::qWaitFor([&] { return frames.count() >= 1; }, 20000));
        player.reset();
    }
}

void IRPlayerTest::alarm_conditions_follow_the_frames_played()
{
    if (!QFile::exists(sample())) QSKIP("samples were not generated");
    QTemporaryDir snaps;
    auto player = open_player(sample());
    QVERIFY(player != nullptr);
    WarningCondition* condition = player->warning_condition();
    QVERIFY(condition != nullptr);
    void* box = nullptr;
    QVERIFY(thermframe_add_ana(player->get_ir_data(), "R:10,10;60,60;-", box));
    std::string alias;
    QVERIFY(thermframe_ana_get_alias(box, alias));
    const QString met = QString::fromStdString(alias) + ":Max > -273";
    QJsonObject row{{"n_ana_a_handle", analysis_ids().id_of(box)}, {"n_ana_b_handle", -1}, {"str_formula", met}};
    QVERIFY(condition->add_warning_condition(1, {row}, met));
    condition->set_warning_snap_path(snaps.path());

    // Every frame played meets the condition: one episode, one snapshot.
    QVERIFY(player->set_speed(8.0f));
    FrameLog frames(player.get());
    QVERIFY(player->check_frame());
    QVERIFY(QTest::qWaitFor([&] { return frames.count() >= 3; }, 20000));
    QVERIFY(player->save_frame());
    QVERIFY(wait_paused(*player));
    QCOMPARE(QDir(snaps.path()).entryList(QDir::Files).size(), 1);
    // The timer marks the analysis and sounds the alarm until nothing is met.
    QTRY_VERIFY_WITH_TIMEOUT(player->is_warning_sound_on(), 10000);
    QVERIFY(condition->delete_warning_condition(0));
    player->check_warning_and_snap();  // as the view does after an edit
    QTRY_VERIFY_WITH_TIMEOUT(!player->is_warning_sound_on(), 10000);

    // Destroyed while playing with its conditions set.
    QVERIFY(condition->add_warning_condition(1, {row}, met));
    QVERIFY(player->set_speed(100.0f));
    QVERIFY(player->check_frame());
    QVERIFY(QTest::qWaitFor([&] { return frames.count() >= 6; }, 20000));
    player.reset();
}

QTEST_MAIN(IRPlayerTest)
#include "ir_player_test.moc"
