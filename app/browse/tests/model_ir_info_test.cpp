// File information of pictures, plain pictures and recordings; sizes; ids
// the QML holds that name nothing.
#include "browse/model_ir_info.h"
#include "message_guard.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QtTest>

class ModelIRInfoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void size_text_data();
    void size_text();
    void image_info_of_radiometric_picture();
    void image_info_of_plain_picture();
    void video_info_of_recording();
    void unknown_ids_answer_nothing();

private:
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
};

void ModelIRInfoTest::size_text_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0.0 B";
    QTest::newRow("1024") << qint64(1024) << "1024.0 B";
    QTest::newRow("1025") << qint64(1025) << "1.0 KB";
    QTest::newRow("1.5 MB") << qint64(1536 * 1024) << "1.5 MB";
    QTest::newRow("2 GB") << (qint64(2) << 30) << "2.0 GB";
    QTest::newRow("3 TB") << (qint64(3) << 40) << "3.0 TB";
    QTest::newRow("beyond TB") << (qint64(5000) << 40) << "5000.0 TB";
}

void ModelIRInfoTest::size_text()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(ModelIRInfo::size_text(bytes), text);
}

void ModelIRInfoTest::image_info_of_radiometric_picture()
{
    ModelIRInfo model;
    const QString path = QCoreApplication::applicationDirPath() + "/samples/sample.jpg";
    const QJsonObject info = model.get_ir_image_info(path);
    QCOMPARE(info.value("nFileType").toInt(), 1);
    QCOMPARE(info.value("strSettingResolution").toString(), QStringLiteral("640 x 512"));
    QVERIFY(QDateTime::fromString(info.value("strSettingSnapTime").toString(), "yyyy-MM-dd hh:mm:ss").isValid());
    QVERIFY(QDateTime::fromString(info.value("strSettingCreateTime").toString(), "yyyy-MM-dd HH:mm:ss").isValid());
    QVERIFY(info.value("strSize").toString().endsWith("KB"));
}

void ModelIRInfoTest::image_info_of_plain_picture()
{
    const QString path = m_dir.path() + QString::fromUtf8("/plain 图 %3.png");
    QImage image(33, 17, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(path));
    ModelIRInfo model;
    const QJsonObject info = model.get_ir_image_info(path);
    QCOMPARE(info.value("nFileType").toInt(), 0);
    QCOMPARE(info.value("strSettingResolution").toString(), QStringLiteral("33 x 17"));
    QCOMPARE(info.value("strSettingMac").toString(), QString());
    QCOMPARE(info.value("strSettingSnapTime").toString(), QString());
    QVERIFY(!info.value("strSettingCreateTime").toString().isEmpty());
    QCOMPARE(info.keys().size(), 9);
    // A missing file: every key, all empty.
    const QJsonObject missing = model.get_ir_image_info(m_dir.path() + "/gone.jpg");
    QCOMPARE(missing.keys().size(), 9);
    QCOMPARE(missing.value("strSize").toString(), QString());
}

void ModelIRInfoTest::video_info_of_recording()
{
    ModelIRInfo model;
    const QJsonObject info = model.get_ir_video_info(QCoreApplication::applicationDirPath() + "/samples/sample.irv");
    QCOMPARE(info.value("nFileType").toInt(), 2);
    QCOMPARE(info.value("strSettingResolution").toString(), QStringLiteral("160 x 120"));
    const QDateTime start = QDateTime::fromString(info.value("strSettingStartTime").toString(), "yyyy-MM-dd HH:mm:ss");
    const QDateTime end = QDateTime::fromString(info.value("strSettingEndTime").toString(), "yyyy-MM-dd HH:mm:ss");
    QVERIFY(start.isValid());
    QVERIFY(end >= start);
    QCOMPARE(model.get_ir_video_info(m_dir.path() + "/none.irv").value("nFileType").toInt(), -1);
}

void ModelIRInfoTest::unknown_ids_answer_nothing()
{
    ModelIRInfo model;
    for (int id : {0, -1, 12345}) {
        QCOMPARE(model.get_ana_alias(id), QString());
        QCOMPARE(model.get_ana_max_temp(id), -999.0f);
        QCOMPARE(model.get_ana_min_temp(id), -999.0f);
        QVERIFY(model.get_ir_anas(id, 1).isEmpty());
        QVERIFY(model.get_ir_anas(id, 2).isEmpty());
    }
    QVERIFY(model.get_ir_anas(1, 3).isEmpty());
    QCOMPARE(model.get_warning_color(1), QStringLiteral("#ff0000"));
    QCOMPARE(model.get_warning_color(2), QStringLiteral("#ff8000"));
    QCOMPARE(ModelIRInfo::len_type_to_text(25), QString::fromUtf8("25°"));
    QCOMPARE(ModelIRInfo::len_type_to_text(200), QStringLiteral("micro"));
    QCOMPARE(ModelIRInfo::len_type_to_text(150), QString());
}

QTEST_MAIN(ModelIRInfoTest)
#include "model_ir_info_test.moc"
