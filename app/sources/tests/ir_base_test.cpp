// The source base's alarm snapshot and timer: one snapshot per alarm
// episode, written only once a folder is set, named safely, and merged into
// the picture's user data; the timer starts again after a stop.
#include "alarms/warning_condition.h"
#include "message_guard.h"
#include "sources/ir_image.h"
#include "test_folders.h"
#include "thermframe.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
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
