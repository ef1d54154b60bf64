// Clip editing: the mark rules and the time bar arithmetic, the split of a
// clip into parts, real clips cut from the sample recording into .irv, AVI
// and H.264 files, a one-frame recording, a job cancelled midway and jobs
// whose writes or later parts fail.
#include "message_guard.h"
#include "reelplay.h"
#include "shell/cjk_font.h"
#include "sources/ir_player.h"
#include "test_folders.h"
#include "test_recordings.h"
#include "thermframe.h"
#include "views/clip_output.h"
#include "views/clip_plan.h"
#include "views/thread_clip_video.h"
#include "views/wnd_video_edit.h"
#include "views/wnd_video_edit_progress.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(ClipMark)

namespace {

QString sample() { return QDir::current().absoluteFilePath("samples/sample.irv"); }

// Writes the first `frames` frames of the sample as a new recording.
bool write_recording(const QString& path, uint32_t frames)
{
    return roadtest::write_recording_prefix(sample(), path, frames);
}

uint32_t frames_of(const QString& path)
{
    void* h = nullptr;
    uint32_t count = 0;
    reelplay_init(h);
    if (!reelplay_load_file_w(h, path.toStdWString()) || !reelplay_get_total_frames(h, count)) count = 0;
    reelplay_uninit(h);
    return count;
}

QVector<ClipRecording> recordings(std::initializer_list<int> frames)
{
    QVector<ClipRecording> list;
    int i = 0;
    for (int count : frames) {
        ClipRecording entry;
        entry.path = QStringLiteral("/r/%1.irv").arg(i);
        entry.file_name = QStringLiteral("%1.irv").arg(i);
        entry.start_ms = 1000u * static_cast<uint64_t>(i);
        entry.frames = count;
        list.append(entry);
        ++i;
    }
    return list;
}

// Counts the frames each part gets instead of writing them; parts are
// still opened and finished for real.
class CountingOutput : public ClipOutput {
public:
    using ClipOutput::ClipOutput;
    QVector<int> per_part;

protected:
    bool append_frame(uint32_t) override
    {
        const int part = targets().size();
        if (per_part.size() < part) per_part.resize(part);
        ++per_part[part - 1];
        return true;
    }
};

// Writes real frames until `good` were written; then every write fails, or
// with `drop_folder` the output's folder disappears so the next part
// cannot be opened.
class FailingOutput : public ClipOutput {
public:
    FailingOutput(IRPlayer* player, int type, const QString& base, int per_part, int good, bool drop_folder)
        : ClipOutput(player, type, base, per_part), m_good(good), m_drop_folder(drop_folder)
    {
    }
    int attempts = 0;

protected:
    bool append_frame(uint32_t frame) override
    {
        ++attempts;
        if (attempts <= m_good) {
            const bool ok = ClipOutput::append_frame(frame);
            if (attempts == m_good && m_drop_folder) QDir(QFileInfo(targets().last()).path()).removeRecursively();
            return ok;
        }
        return m_drop_folder;
    }

private:
    int m_good;
    bool m_drop_folder;
};

// A player on a recording with a clip editor bound and showing its camera.
struct EditorOn {
    EditorOn(const QString& path, int width)
    {
        edit.setSize(QSizeF(width, 40));
        player->set_video_edit_wnd(&edit);
        opened = player->open_file(path) && edit.update_edit_area();
    }
    // The editor goes first and lets the player go.
    std::unique_ptr<IRPlayer> player = std::make_unique<IRPlayer>(nullptr);
    WndVideoEdit edit;
    bool opened = false;
};

// The progress item with a failing writer.
class FailingProgress : public WndVideoEditProgress {
public:
    int good = 3;
    bool drop_folder = false;

protected:
    std::unique_ptr<ClipOutput> make_output(IRPlayer* player, const ClipJob& job) override
    {
        return std::make_unique<FailingOutput>(player, job.type, job.base_path, job.frames_per_part, good, drop_folder);
    }
};

QStringList files_in(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

class ClipEditTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        QVERIFY(m_dir.isValid());
        if (!QFile::exists(sample())) QSKIP("samples were not generated");
        m_one = m_dir.filePath("one frame.irv");
        QVERIFY(write_recording(m_one, 1));
    }
    void cleanup() { m_guard.verify(); }

    void clip_end_rule_data();
    void clip_end_rule();
    void clip_start_rule_data();
    void clip_start_rule();
    void clip_default_marks_and_totals();
    void clip_bar_positions_never_divide_by_zero();
    void clip_output_names_and_types_data();
    void clip_output_names_and_types();
    void clip_progress_of_a_one_frame_job();
    void clip_parts_split_data();
    void clip_parts_split();
    void clip_editor_keeps_recordings_per_camera();
    void clip_editor_mark_buttons_refuse_crossing_marks();
    void clip_cut_from_the_sample_data();
    void clip_cut_from_the_sample();
    void clip_of_a_one_frame_recording();
    void clip_cancelled_midway_leaves_no_file();
    void clip_write_failure_ends_with_record_err();
    void clip_later_part_failure_ends_with_record_err();
    void clip_refused_without_frames_or_marks();
    void clip_output_paths_count_the_parts();
    void clip_refused_onto_its_recordings();
    void clip_frame_time_font_is_installed();

private:
    std::unique_ptr<IRPlayer> open_player(const QString& path)
    {
        auto player = std::make_unique<IRPlayer>(nullptr);
        if (!player->open_file(path)) return nullptr;
        return player;
    }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
    QString m_one;
};

void ClipEditTest::clip_end_rule_data()
{
    QTest::addColumn<QVector<int>>("frames");
    QTest::addColumn<ClipMark>("start");
    QTest::addColumn<ClipMark>("wanted");
    QTest::addColumn<ClipMark>("end");
    const QVector<int> three{100, 50, 80};
    QTest::newRow("later recording as wanted") << three << ClipMark{0, 10} << ClipMark{2, 5} << ClipMark{2, 5};
    QTest::newRow("start on its last frame: next recording") << three << ClipMark{0, 99} << ClipMark{0, 3}
                                                             << ClipMark{1, 0};
    QTest::newRow("same recording before the start") << three << ClipMark{1, 20} << ClipMark{1, 4} << ClipMark{1, 21};
    QTest::newRow("same recording after the start") << three << ClipMark{1, 20} << ClipMark{1, 40} << ClipMark{1, 40};
    QTest::newRow("earlier recording") << three << ClipMark{2, 30} << ClipMark{0, 40} << ClipMark{2, 31};
    QTest::newRow("start on the very last frame stays a one-frame clip")
        << three << ClipMark{2, 79} << ClipMark{2, 10} << ClipMark{2, 79};
    QTest::newRow("one-frame recording") << QVector<int>{1} << ClipMark{0, 0} << ClipMark{0, 0} << ClipMark{0, 0};
}

void ClipEditTest::clip_end_rule()
{
    QFETCH(QVector<int>, frames);
    QFETCH(ClipMark, start);
    QFETCH(ClipMark, wanted);
    QFETCH(ClipMark, end);
    QVector<ClipRecording> list;
    for (int count : frames) list.append(ClipRecording{QString::number(list.size()), QString(), 0, 0, count});
    const ClipMark got = clip_plan::end_mark_for(list, start, wanted);
    QCOMPARE(got.video, end.video);
    QCOMPARE(got.frame, end.frame);
    QVERIFY(got.video < list.size());
    QVERIFY(clip_plan::total_frames(list, start, got) >= 1);
}

void ClipEditTest::clip_start_rule_data()
{
    QTest::addColumn<QVector<int>>("frames");
    QTest::addColumn<ClipMark>("end");
    QTest::addColumn<ClipMark>("wanted");
    QTest::addColumn<ClipMark>("start");
    const QVector<int> three{100, 50, 80};
    QTest::newRow("earlier recording as wanted") << three << ClipMark{2, 10} << ClipMark{0, 5} << ClipMark{0, 5};
    QTest::newRow("end on frame 0: last frame before") << three << ClipMark{1, 0} << ClipMark{2, 3} << ClipMark{0, 99};
    QTest::newRow("same recording after the end") << three << ClipMark{1, 20} << ClipMark{1, 30} << ClipMark{1, 19};
    QTest::newRow("same recording before the end") << three << ClipMark{1, 20} << ClipMark{1, 3} << ClipMark{1, 3};
    QTest::newRow("later recording") << three << ClipMark{0, 30} << ClipMark{2, 40} << ClipMark{0, 29};
    QTest::newRow("end on the very first frame stays a one-frame clip")
        << three << ClipMark{0, 0} << ClipMark{1, 10} << ClipMark{0, 0};
}

void ClipEditTest::clip_start_rule()
{
    QFETCH(QVector<int>, frames);
    QFETCH(ClipMark, end);
    QFETCH(ClipMark, wanted);
    QFETCH(ClipMark, start);
    QVector<ClipRecording> list;
    for (int count : frames) list.append(ClipRecording{QString::number(list.size()), QString(), 0, 0, count});
    const ClipMark got = clip_plan::start_mark_for(list, end, wanted);
    QCOMPARE(got.video, start.video);
    QCOMPARE(got.frame, start.frame);
    QVERIFY(got.video >= 0);
    QVERIFY(clip_plan::total_frames(list, got, end) >= 1);
}

void ClipEditTest::clip_default_marks_and_totals()
{
    struct Case {
        QVector<ClipRecording> list;
        ClipMark start, end;
        int64_t total;
    } cases[] = {
        {recordings({90, 60, 30}), {0, 30}, {2, 20}, 60 + 60 + 21},
        {recordings({90}), {0, 30}, {0, 60}, 31},
        // Too short for thirds: the whole recording, up to its last frame.
        {recordings({2}), {0, 0}, {0, 1}, 2},
        {recordings({1}), {0, 0}, {0, 0}, 1},
    };
    for (const Case& c : cases) {
        ClipMark start{-1, -1};
        ClipMark end{-1, -1};
        clip_plan::default_marks(c.list, start, end);
        QVERIFY(start == c.start);
        QVERIFY(end == c.end);
        QCOMPARE(clip_plan::total_frames(c.list, start, end), c.total);
    }
    // A mark outside the recordings or an end before the start: no clip.
    const auto list = recordings({10, 10});
    QCOMPARE(clip_plan::total_frames(list, ClipMark{0, 5}, ClipMark{2, 0}), int64_t{0});
    QCOMPARE(clip_plan::total_frames(list, ClipMark{-1, 5}, ClipMark{1, 0}), int64_t{0});
    QCOMPARE(clip_plan::total_frames(list, ClipMark{1, 5}, ClipMark{0, 9}), int64_t{0});
    QCOMPARE(clip_plan::total_frames(list, ClipMark{0, 9}, ClipMark{1, 10}), int64_t{0});
    // Steps cross recording boundaries and stop at both ends.
    QVERIFY(clip_plan::stepped(list, ClipMark{0, 9}, 1) == (ClipMark{1, 0}));
    QVERIFY(clip_plan::stepped(list, ClipMark{1, 0}, -1) == (ClipMark{0, 9}));
    QVERIFY(clip_plan::stepped(list, ClipMark{0, 0}, -4) == (ClipMark{0, 0}));
    QVERIFY(clip_plan::stepped(list, ClipMark{1, 9}, 8) == (ClipMark{1, 9}));
}

void ClipEditTest::clip_bar_positions_never_divide_by_zero()
{
    const auto list = recordings({1, 101});
    // 400 pixels: two slots of 200.
    QCOMPARE(clip_plan::mark_x(list, ClipMark{0, 0}, 400.0), 0);
    QCOMPARE(clip_plan::mark_x(list, ClipMark{1, 0}, 400.0), 200);
    QCOMPARE(clip_plan::mark_x(list, ClipMark{1, 50}, 400.0), 300);
    QCOMPARE(clip_plan::mark_x(list, ClipMark{1, 100}, 400.0), 400);
    QVERIFY(clip_plan::mark_at(list, 100.0, 400.0) == (ClipMark{0, 0}));
    QVERIFY(clip_plan::mark_at(list, 300.0, 400.0) == (ClipMark{1, 50}));
    QVERIFY(clip_plan::mark_at(list, 9999.0, 400.0) == (ClipMark{1, 100}));
    QVERIFY(clip_plan::mark_at(list, -50.0, 400.0) == (ClipMark{0, 0}));
    // An item not laid out yet, or no recordings.
    QCOMPARE(clip_plan::mark_x(list, ClipMark{1, 50}, 0.0), 0);
    QVERIFY(clip_plan::mark_at(list, 10.0, 0.0) == (ClipMark{0, 0}));
    QVERIFY(clip_plan::mark_at({}, 10.0, 400.0) == (ClipMark{0, 0}));
}

void ClipEditTest::clip_output_names_and_types_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("third");
    QTest::newRow("H264 in capitals") << "/c/pump.H264" << 1 << "/c/pump.h264" << "/c/pump_03.h264";
    QTest::newRow("avi") << "/c/pump.Avi" << 2 << "/c/pump.avi" << "/c/pump_03.avi";
    QTest::newRow("mp4 becomes irv") << "/c/pump.mp4" << 0 << "/c/pump.irv" << "/c/pump_03.irv";
    QTest::newRow("dot in a folder, none in the name") << "/c/v1.avi/pump" << 0 << "/c/v1.avi/pump.irv"
                                                       << "/c/v1.avi/pump_03.irv";
    QTest::newRow("dots in the name") << "/c/pump.2024.avi" << 2 << "/c/pump.2024.avi" << "/c/pump.2024_03.avi";
}

void ClipEditTest::clip_output_names_and_types()
{
    QFETCH(QString, path);
    QFETCH(int, type);
    QFETCH(QString, first);
    QFETCH(QString, third);
    QCOMPARE(clip_plan::output_type(path), type);
    const QString base = clip_plan::base_path(path);
    QCOMPARE(clip_plan::part_path(base, 1, type), first);
    QCOMPARE(clip_plan::part_path(base, 3, type), third);
}

void ClipEditTest::clip_progress_of_a_one_frame_job()
{
    QCOMPARE(clip_plan::progress_fraction(0, 1), 0.0);
    QCOMPARE(clip_plan::progress_fraction(1, 1), 1.0);
    QCOMPARE(clip_plan::progress_fraction(0, 0), 0.0);
    QCOMPARE(clip_plan::progress_fraction(50, 101), 0.5);
    QCOMPARE(clip_plan::progress_fraction(101, 101), 1.0);
    QCOMPARE(clip_plan::frames_per_part_for_width(1024), 1200);
    QCOMPARE(clip_plan::frames_per_part_for_width(768), 1200);
    QCOMPARE(clip_plan::frames_per_part_for_width(640), 3000);
}

void ClipEditTest::clip_parts_split_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("per_part");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QVector<int>>("parts");
    QTest::newRow("AVI 2500") << 2 << 3000 << 2500 << 1 << QVector<int>{1000, 1000, 500};
    QTest::newRow("irv 1024 wide 2500") << 0 << 1200 << 2500 << 1 << QVector<int>{1200, 1200, 100};
    QTest::newRow("AVI 2000: no empty third part") << 2 << 3000 << 2000 << 1 << QVector<int>{1000, 1000};
    QTest::newRow("interval 3 samples frames 0, 3, 6 ...") << 0 << 5 << 30 << 3 << QVector<int>{5, 5};
    QTest::newRow("H.264 one part") << 1 << 1200 << 250 << 1 << QVector<int>{250};
}

void ClipEditTest::clip_parts_split()
{
    QFETCH(int, type);
    QFETCH(int, per_part);
    QFETCH(int, frames);
    QFETCH(int, interval);
    QFETCH(QVector<int>, parts);
    auto player = open_player(sample());
    QVERIFY(player != nullptr);
    QTemporaryDir out;
    ClipJob job;
    // The sample again and again, from frame 0 of the first to the last
    // frame the clip needs.
    const int per_recording = static_cast<int>(player->frame_count());
    for (int i = 0; i * per_recording < frames; ++i) {
        job.recordings.append(ClipRecording{sample(), "sample.irv", 0, 0, per_recording});
    }
    job.start = ClipMark{0, 0};
    job.end = ClipMark{job.recordings.size() - 1, (frames - 1) % per_recording};
    job.total = clip_plan::total_frames(job.recordings, job.start, job.end);
    QCOMPARE(job.total, int64_t{frames});
    job.interval = interval;
    job.frames_per_part = per_part;
    job.type = type;
    job.base_path = out.filePath("clip");
    auto output = std::make_unique<CountingOutput>(player.get(), type, job.base_path, per_part);
    CountingOutput* counting = output.get();
    QObject context;
    ThreadClipVideo thread(job, player.get(), &context, std::move(output));
    thread.set_frame_pause_ms(0);
    QSignalSpy finished(&thread, &ThreadClipVideo::sig_finished);
    thread.start();
    QVERIFY(finished.wait(120000));
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(thread.frames_done(), int64_t{frames});
    QCOMPARE(counting->per_part, parts);
    QStringList names;
    for (int i = 1; i <= parts.size(); ++i) names << QFileInfo(clip_plan::part_path(job.base_path, i, type)).fileName();
    QCOMPARE(files_in(out.path()), names);
}

void ClipEditTest::clip_editor_keeps_recordings_per_camera()
{
    auto player = open_player(sample());
    QVERIFY(player != nullptr);
    WndVideoEdit edit;
    edit.setSize(QSizeF(480, 40));
    player->set_video_edit_wnd(&edit);
    const QString key = player->device_key();
    QVERIFY(key.endsWith(";160x120"));
    // Without a device chosen the editor learns recordings but shows none.
    QVERIFY(player->open_file(m_one));
    QVERIFY(player->open_file(sample()));
    QVERIFY(edit.recordings().isEmpty());
    ClipRecording other{"/x/other.irv", "other.irv", 5, 6, 10};
    edit.add_recording("camera-b-1;640x480", other);
    const QJsonArray devices = edit.get_device_list();
    QCOMPARE(devices.size(), 2);
    QCOMPARE(devices.at(1).toObject().value("strDeviceName").toString(), QString("camera-b-1"));
    QCOMPARE(devices.at(0).toObject().value("bDeviceChoice").toBool(), false);

    // The player stands on the sample: its camera becomes the one shown.
    QVERIFY(player->seek_frame(42));
    QVERIFY(edit.update_edit_area());
    QCOMPARE(edit.recordings().size(), 2);
    QCOMPARE(edit.get_device_list().at(0).toObject().value("bDeviceChoice").toBool(), true);
    const int sample_index = edit.recordings().at(0).path == sample() ? 0 : 1;
    QCOMPARE(edit.current_mark().video, sample_index);
    QCOMPARE(edit.get_cur_video_frame(), 42);
    QCOMPARE(edit.get_all_video_frame(), 241);
    QCOMPARE(edit.get_video_resolution(), QString("160 x 120"));
    QCOMPARE(edit.get_clip_simple_video_max_frame(), 3000);
    // Opening a recording again adds nothing.
    QVERIFY(player->open_file(sample()));
    QCOMPARE(edit.recordings().size(), 2);
    // Out-of-range getters.
    QCOMPARE(edit.get_cur_video_total_frame(), edit.recordings().at(sample_index).frames);
    QVERIFY(!edit.check_device_index(2));
    // The other camera's recording is gone from disk: the editor still
    // shows its entry, the player keeps its recording.
    m_guard.expect(QRegularExpression("recording refused"));
    m_guard.expect(QRegularExpression("recording not opened for the clip editor"));
    QVERIFY(edit.check_device_index(1));
    QCOMPARE(player->get_file_path(), sample());
    QCOMPARE(edit.recordings().size(), 1);
    QCOMPARE(edit.recordings().at(0).path, QString("/x/other.irv"));
    QCOMPARE(edit.get_start_video_file_name(), QString("other.irv"));
    QCOMPARE(edit.get_end_video_total_frame(), 10);
    QVERIFY(edit.get_clip_video_total_frame() > 0);
    // The clip editor goes before the player: the player lets it go.
    player->set_video_edit_wnd(nullptr);
}

void ClipEditTest::clip_editor_mark_buttons_refuse_crossing_marks()
{
    EditorOn on(sample(), 480);
    QVERIFY(on.opened);
    IRPlayer* player = on.player.get();
    WndVideoEdit& edit = on.edit;
    QVERIFY(edit.start_mark() == (ClipMark{0, 80}));
    QVERIFY(edit.end_mark() == (ClipMark{0, 160}));
    QCOMPARE(edit.get_clip_video_total_frame(), 81);
    QSignalSpy cur(&edit, &WndVideoEdit::sig_cur_frame_changed);
    QSignalSpy start(&edit, &WndVideoEdit::sig_start_clip_frame_changed);
    QSignalSpy end(&edit, &WndVideoEdit::sig_end_clip_frame_changed);

    // The current frame after the end cannot start the clip, nor one
    // before the start end it.
    edit.set_current(ClipMark{0, 200});
    QCOMPARE(player->current_frame(), 200u);
    QVERIFY(!edit.set_clip_start_frame());
    QVERIFY(edit.set_clip_end_frame());
    QVERIFY(edit.end_mark() == (ClipMark{0, 200}));
    edit.set_current(ClipMark{0, 10});
    QVERIFY(!edit.set_clip_end_frame());
    QVERIFY(edit.set_clip_start_frame());
    QCOMPARE(edit.get_clip_video_total_frame(), 191);
    // The end dragged before the start lands just after it.
    edit.set_end_mark(ClipMark{0, 3});
    QVERIFY(edit.end_mark() == (ClipMark{0, 11}));
    QCOMPARE(player->current_frame(), 11u);
    QVERIFY(edit.increase_clip_end_frame(-5));
    QVERIFY(edit.end_mark() == (ClipMark{0, 11}));
    QVERIFY(edit.increase_clip_start_frame(-20));
    QVERIFY(edit.start_mark() == (ClipMark{0, 0}));
    QCOMPARE(start.count(), 2);
    QCOMPARE(end.count(), 3);
    QVERIFY(cur.count() >= 5);
    // Marks on the bar: 480 pixels, 240 frames.
    QCOMPARE(edit.mark_position(1), 0);
    QCOMPARE(edit.mark_position(2), int(11 * 480.0 / 239));
    edit.set_clip_interval(40);
    QCOMPARE(edit.get_clip_interval(), 15);
    edit.set_clip_interval(0);
    QCOMPARE(edit.get_clip_interval(), 1);
}

void ClipEditTest::clip_cut_from_the_sample_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("irv") << "cut.irv";
    QTest::newRow("avi") << "cut.avi";
    QTest::newRow("h264") << "cut.H264";
}

void ClipEditTest::clip_cut_from_the_sample()
{
    QFETCH(QString, name);
    EditorOn on(sample(), 480);
    QVERIFY(on.opened);
    IRPlayer* player = on.player.get();
    WndVideoEdit& edit = on.edit;
    edit.set_current(ClipMark{0, 100});
    QVERIFY(edit.set_clip_start_frame());
    edit.set_current(ClipMark{0, 119});
    QVERIFY(edit.set_clip_end_frame());
    QCOMPARE(edit.get_clip_video_total_frame(), 20);

    QTemporaryDir out;
    WndVideoEditProgress progress;
    progress.set_frame_pause_ms(0);
    QSignalSpy ok(&progress, &WndVideoEditProgress::sig_record_ok);
    QSignalSpy err(&progress, &WndVideoEditProgress::sig_record_err);
    QSignalSpy shown(player, &IRPlayer::sig_update_ctrl_with_frame);
    const QString url = QUrl::fromLocalFile(out.filePath(name)).toString();
    QVERIFY(progress.set_video_clip_info(&edit, url));
    QVERIFY(ok.wait(60000));
    QCOMPARE(err.count(), 0);
    QCOMPARE(progress.frames_done(), int64_t{20});
    QCOMPARE(shown.first().at(0).toInt(), 100);
    QCOMPARE(shown.last().at(0).toInt(), 119);
    const QString written = clip_plan::part_path(out.filePath("cut"), 1, clip_plan::output_type(name));
    QCOMPARE(files_in(out.path()), QStringList{QFileInfo(written).fileName()});
    QVERIFY(QFileInfo(written).size() > 0);
    if (name.endsWith(".irv")) QCOMPARE(frames_of(written), 20u);
    if (name.endsWith(".avi")) QVERIFY(QFileInfo(written).size() > 20 * 160 * 120 * 4);
}

void ClipEditTest::clip_of_a_one_frame_recording()
{
    EditorOn on(m_one, 300);
    QVERIFY(on.opened);
    IRPlayer* player = on.player.get();
    WndVideoEdit& edit = on.edit;
    QVERIFY(edit.start_mark() == (ClipMark{0, 0}));
    QVERIFY(edit.end_mark() == (ClipMark{0, 0}));
    QCOMPARE(edit.get_clip_video_total_frame(), 1);
    QVERIFY(edit.increase_clip_end_frame(1));
    QVERIFY(edit.end_mark() == (ClipMark{0, 0}));
    QCOMPARE(edit.mark_position(2), 0);

    QTemporaryDir out;
    WndVideoEditProgress progress;
    progress.setSize(QSizeF(480, 80));
    progress.set_frame_pause_ms(0);
    QSignalSpy ok(&progress, &WndVideoEditProgress::sig_record_ok);
    QVERIFY(progress.set_video_clip_info(&edit, out.filePath("single.irv")));
    QVERIFY(ok.wait(30000));
    QCOMPARE(frames_of(out.filePath("single.irv")), 1u);
    // The finished one-frame job paints as done.
    QImage image(480, 80, QImage::Format_ARGB32);
    QPainter painter(&image);
    progress.paint(&painter);
    painter.end();
    QCOMPARE(QColor(image.pixel(20, 40)), QColor(0, 122, 204));
    QCOMPARE(QColor(image.pixel(460, 75)), QColor(0, 122, 204));
}

void ClipEditTest::clip_cancelled_midway_leaves_no_file()
{
    EditorOn on(sample(), 480);
    QVERIFY(on.opened);
    IRPlayer* player = on.player.get();
    WndVideoEdit& edit = on.edit;
    edit.set_start_mark(ClipMark{0, 0});
    edit.set_end_mark(ClipMark{0, 239});
    QTemporaryDir out;
    WndVideoEditProgress progress;
    progress.set_frame_pause_ms(0);
    QSignalSpy ok(&progress, &WndVideoEditProgress::sig_record_ok);
    QSignalSpy err(&progress, &WndVideoEditProgress::sig_record_err);
    QVERIFY(progress.set_video_clip_info(&edit, out.filePath("cancel.avi")));
    QTRY_VERIFY(progress.frames_done() >= 20);
    QVERIFY(!files_in(out.path()).isEmpty());
    progress.cancel_clip();
    QVERIFY(!progress.is_running());
    QVERIFY(progress.frames_done() < 240);
    QCOMPARE(files_in(out.path()), QStringList());
    // Nothing is reported for a cancelled job.
    QCoreApplication::processEvents();
    QCOMPARE(ok.count() + err.count(), 0);
}

void ClipEditTest::clip_write_failure_ends_with_record_err()
{
    EditorOn on(sample(), 480);
    QVERIFY(on.opened);
    IRPlayer* player = on.player.get();
    WndVideoEdit& edit = on.edit;
    QTemporaryDir out;
    // An existing file of the same name is the user's: it stays as it was.
    QFile existing(out.filePath("fail.avi"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    FailingProgress progress;
    progress.set_frame_pause_ms(0);
    QSignalSpy ok(&progress, &WndVideoEditProgress::sig_record_ok);
    QSignalSpy err(&progress, &WndVideoEditProgress::sig_record_err);
    m_guard.expect(QRegularExpression("not written after 20 attempts"));
    m_guard.expect(QRegularExpression("sig_record_err"));
    QVERIFY(progress.set_video_clip_info(&edit, out.filePath("fail.avi")));
    QVERIFY(err.wait(30000));
    QCOMPARE(ok.count(), 0);
    QCOMPARE(progress.frames_done(), int64_t{3});
    QCOMPARE(files_in(out.path()), QStringList{"fail.avi"});
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("keep me"));
}

void ClipEditTest::clip_later_part_failure_ends_with_record_err()
{
    auto player = open_player(sample());
    QVERIFY(player != nullptr);
    QTemporaryDir out;
    const QString folder = out.filePath("parts");
    QVERIFY(QDir().mkpath(folder));
    ClipJob job;
    job.recordings.append(ClipRecording{sample(), "sample.irv", 0, 0, 240});
    job.start = ClipMark{0, 0};
    job.end = ClipMark{0, 11};
    job.total = 12;
    job.frames_per_part = 5;
    job.type = clip_plan::kIrv;
    job.base_path = folder + "/clip";
    QObject context;
    ThreadClipVideo thread(job, player.get(), &context,
                           std::make_unique<FailingOutput>(player.get(), job.type, job.base_path, 5, 5, true));
    thread.set_frame_pause_ms(0);
    QSignalSpy finished(&thread, &ThreadClipVideo::sig_finished);
    m_guard.expect(QRegularExpression("clip part not opened"));
    m_guard.expect(QRegularExpression("sig_record_err"));
    thread.start();
    QVERIFY(finished.wait(30000));
    QCOMPARE(finished.at(0).at(0).toBool(), false);
    QCOMPARE(thread.frames_done(), int64_t{5});
}

void ClipEditTest::clip_refused_without_frames_or_marks()
{
    auto player = open_player(sample());
    QVERIFY(player != nullptr);
    WndVideoEditProgress progress;
    m_guard.expect(QRegularExpression("clip refused"));
    QVERIFY(!progress.set_video_clip_info(nullptr, "/tmp/x.irv"));
    // An editor that never saw a recording has no clip.
    WndVideoEdit edit;
    player->set_video_edit_wnd(&edit);
    m_guard.expect(QRegularExpression("clip refused"));
    QVERIFY(!progress.set_video_clip_info(&edit, m_dir.filePath("none.irv")));
    QVERIFY(!QFile::exists(m_dir.filePath("none.irv")));
    player->set_video_edit_wnd(nullptr);
}

void ClipEditTest::clip_output_paths_count_the_parts()
{
    ClipJob job;
    job.base_path = "/c/pump";
    job.type = clip_plan::kAvi;
    job.total = 2500;
    QCOMPARE(clip_plan::output_paths(job), QStringList({"/c/pump.avi", "/c/pump_02.avi", "/c/pump_03.avi"}));
    job.interval = 3;  // 834 frames written
    QCOMPARE(clip_plan::output_paths(job), QStringList{"/c/pump.avi"});
    job.type = clip_plan::kIrv;
    job.interval = 1;
    job.total = 1201;
    job.frames_per_part = 1200;
    QCOMPARE(clip_plan::output_paths(job), QStringList({"/c/pump.irv", "/c/pump_02.irv"}));
}

void ClipEditTest::clip_refused_onto_its_recordings()
{
    // Two recordings of one camera; the clip is cut from the second.
    QTemporaryDir dir;
    const QString first = dir.filePath("rec.irv");
    const QString second = dir.filePath("rec_02.irv");
    QVERIFY(write_recording(first, 30));
    QVERIFY(write_recording(second, 30));
    QFile source(second);
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    source.close();
    EditorOn on(first, 480);
    QVERIFY(on.opened);
    QVERIFY(on.player->open_file(second) && on.edit.update_edit_area());
    QCOMPARE(on.edit.get_all_video_frame(), 60);
    const QStringList before = files_in(dir.path());
    const QStringList targets{second, QUrl::fromLocalFile(second).toString(), dir.filePath("x/../rec_02.irv"),
                              dir.filePath("rec_02.IRV"), first};
    for (const QString& target : targets) {
        WndVideoEditProgress progress;
        m_guard.expect(QRegularExpression("clip refused"));
        QVERIFY2(!progress.set_video_clip_info(&on.edit, target), qPrintable(target));
        QVERIFY(!progress.get_refusal().isEmpty());
        QVERIFY(!progress.is_running());
    }
    QCOMPARE(files_in(dir.path()), before);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QCOMPARE(source.readAll(), bytes);
}

void ClipEditTest::clip_frame_time_font_is_installed()
{
    const QString family = cjk_font_family();
    QVERIFY(!family.isEmpty());
    const QStringList cjk = QFontDatabase().families(QFontDatabase::SimplifiedChinese);
    QVERIFY(cjk.isEmpty() || cjk.contains(family));
    // Drawing the frame time with it raises no font warning (the guard).
    auto player = open_player(sample());
    QVERIFY(player != nullptr);
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QVERIFY(player->draw_frame_time(&painter, image.height()));
    painter.end();
    QCOMPARE(QColor(image.pixel(6, 120 - 27)), QColor(5, 5, 5));
}

QTEST_MAIN(ClipEditTest)
#include "clip_edit_test.moc"
