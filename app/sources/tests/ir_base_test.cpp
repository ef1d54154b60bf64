// The source base's alarm snapshot, colours and timer: one snapshot per
// alarm episode, written only once a folder is set, named safely, and merged
// into the picture's user data; an alarmed object drawn in its alarm colour
// tick after tick; the timer starts again after a stop.
#include "alarms/warning_condition.h"
#include "message_guard.h"
#include "picture_pixels.h"
#include "sources/handle_ids.h"
#include "sources/ir_image.h"
#include "sources/source_settings.h"
#include "test_folders.h"
#include "thermframe.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class ScriptedCondition : public WarningCondition {
public:
    bool met = false;
    bool check_warning_condition() override { return met; }
    QString get_warning_text() const override { return QStringLiteral("R1 above 80"); }
};

// A picture source with alarm conditions, as recordings and cameras have.
class AlarmedPicture : public IRImage {
public:
    AlarmedPicture() : IRImage(nullptr) { m_p_warning_condition = &condition; }
    ~AlarmedPicture() override { m_p_warning_condition = nullptr; }
    QString get_file_name() const override { return QStringLiteral("../cam 7/x"); }
    bool save_as_image_to_file(const QString& path) override
    {
        saved << path;
        return IRImage::save_as_image_to_file(path);
    }
    ScriptedCondition condition;
    QStringList saved;
};

}  // namespace

class IRBaseTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        if (!QFile::exists("samples/sample.jpg")) QSKIP("samples were not generated");
    }
    void cleanup() { m_guard.verify(); }
    void one_snapshot_per_alarm_episode();
    void alarmed_object_keeps_its_alarm_colour();
    void timer_starts_again_after_stop();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void IRBaseTest::one_snapshot_per_alarm_episode()
{
    QTemporaryDir dir;
    AlarmedPicture picture;
    QVERIFY(picture.open_file(QDir::current().absoluteFilePath("samples/sample.jpg")));
    picture.condition.met = true;
    picture.check_warning_and_snap();
    QCOMPARE(picture.saved.size(), 0);  // no folder yet
    picture.condition.set_warning_snap_path(dir.path());
    for (int frame = 0; frame < 10; ++frame) {
        picture.check_warning_and_snap();
    }
    QCOMPARE(picture.saved.size(), 1);
    // The camera's name cannot leave the folder.
    const QFileInfo snap(picture.saved[0]);
    QCOMPARE(snap.absolutePath(), QDir(dir.path()).absolutePath());
    QVERIFY2(snap.fileName().startsWith("__cam_7_x-"), qPrintable(snap.fileName()));
    QVERIFY(snap.exists());
    // The warning text joins the picture's user data; its other keys stay.
    IRImage reopened(nullptr);
    QVERIFY(reopened.open_file(snap.filePath()));
    QCOMPARE(reopened.get_user_data_string("VYWarningText"), QString("R1 above 80"));
    QVERIFY(!reopened.get_user_data_string("site").isEmpty());

    picture.condition.met = false;
    picture.check_warning_and_snap();
    picture.condition.met = true;
    picture.check_warning_and_snap();
    picture.check_warning_and_snap();
    QCOMPARE(picture.saved.size(), 2);
}

// The 500 ms tick marks the object again and again while its condition
// holds: every picture drawn in between shows it in the alarm colour.
void IRBaseTest::alarmed_object_keeps_its_alarm_colour()
{
    IRImage picture(nullptr);
    QVERIFY(picture.open_file(QDir::current().absoluteFilePath("samples/sample.jpg")));
    const int w = picture.get_ir_width();
    const int h = picture.get_ir_height();
    QVERIFY(picture.set_show_size(w, h));
    picture.delete_all_ana();
    QVERIFY(picture.add_rect());
    picture.mouse_down(40, 40);
    picture.mouse_move(120, 100);
    picture.mouse_up(120, 100);
    void* box = nullptr;
    QVERIFY(thermframe_get_ana(picture.get_ir_data(), ANA_RECT, 0, box));
    std::string alias;
    QVERIFY(thermframe_ana_get_alias(box, alias));
    const QString formula = QString::fromStdString(alias) + ":Max > -100";
    const QJsonArray rows{QJsonObject{{"n_ana_a_handle", analysis_ids().id_of(box)}, {"str_formula", formula}}};
    QVERIFY(picture.warning_condition()->add_warning_condition(1, rows, formula));
    QVERIFY(picture.warning_condition()->check_warning_condition());

    const QRgb alarm = QColor(source_settings::warning_color(1)).rgb();
    QImage canvas(w, h, QImage::Format_RGB32);
    for (int tick = 0; tick < 5; ++tick) {
        QVERIFY(picture.apply_ana_warnings());
        QPainter painter(&canvas);
        QVERIFY(picture.paint(&painter));
        painter.end();
        QVERIFY2(roadtest::pixels_of_colour(canvas, alarm, 45, 115, 40) >= 35, qPrintable(QString::number(tick)));
    }
}

void IRBaseTest::timer_starts_again_after_stop()
{
    IRImage picture(nullptr);
    QVERIFY(!picture.is_timer_running());
    picture.start_timer();
    QVERIFY(picture.is_timer_running());
    picture.stop_timer();
    QVERIFY(!picture.is_timer_running());
    picture.start_timer();
    QVERIFY(picture.is_timer_running());
    picture.stop_timer();
}

QTEST_MAIN(IRBaseTest)
#include "ir_base_test.moc"
