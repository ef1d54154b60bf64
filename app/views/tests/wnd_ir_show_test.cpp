// The IR view item and its picture source headless: opening every sample,
// painting, properties, parameters, rotation, saving and the analysis-info
// file, checked through the libraries underneath.
#include "message_guard.h"
#include "parameter_probe.h"
#include "sources/ir_image.h"
#include "test_folders.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString sample(const char* name) { return QDir::current().absoluteFilePath(QString("samples/") + name); }

}  // namespace

class WndIRShowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        if (!QFile::exists(sample("sample.jpg"))) QSKIP("samples were not generated");
    }
    void cleanup() { m_guard.verify(); }

    void property_table_data();
    void property_table();

private:
    // A view of kind 1 with the sample opened at 640 x 512.
    bool open_view(WndIRShow& view, const char* name = "sample.jpg")
    {
        view.setSize(QSizeF(640, 512));
        return view.init_wnd(1) && view.open_file(sample(name));
    }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void WndIRShowTest::property_table_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("shown");
    QTest::newRow("emissivity 0.5") << R"({"strSettingEmiss":"0.5"})" << true << "strSettingEmiss" << "0.50";
    QTest::newRow("emissivity 1.5 refused") << R"({"strSettingEmiss":"1.5"})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("emissivity 0 refused") << R"({"strSettingEmiss":"0"})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("emissivity nan refused") << R"({"strSettingEmiss":"nan"})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("emissivity empty refused") << R"({"strSettingEmiss":""})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("emissivity text refused") << R"({"strSettingEmiss":"abc"})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("distance 0 refused") << R"({"strSettingDist":"0"})" << false << "strSettingDist" << "3.0";
    QTest::newRow("distance 12.5") << R"({"strSettingDist":"12.5"})" << true << "strSettingDist" << "12.5";
    QTest::newRow("humidity 45") << R"({"strSettingRelHum":"45"})" << true << "strSettingRelHum" << "45";
    QTest::newRow("humidity 101 refused") << R"({"strSettingRelHum":"101"})" << false << "strSettingRelHum" << "50";
    QTest::newRow("humidity 0.456 refused") << R"({"strSettingRelHum":"0.456"})" << false << "strSettingRelHum" << "50";
    QTest::newRow("ambient empty refused") << R"({"strSettingTemp":""})" << false << "strSettingTemp" << "25.0";
    QTest::newRow("palette kept, emissivity refused")
        << R"({"strSettingPalette":2,"strSettingEmiss":"1.5"})" << false << "strSettingPalette" << "2";
}

void WndIRShowTest::property_table()
{
    QFETCH(QString, json);
    QFETCH(bool, accepted);
    QFETCH(QString, key);
    QFETCH(QString, shown);
    if (accepted && !picture_follows_parameters(sample("sample.jpg"))) {
        QSKIP("the sample picture has no calibration data and keeps its own parameters");
    }
    WndIRShow view;
    QVERIFY(open_view(view));
    QCOMPARE(view.set_ir_property(QJsonDocument::fromJson(json.toUtf8()).object()), accepted);
    const QJsonValue value = view.get_ir_property().value(key);
    QCOMPARE(value.isString() ? value.toString() : QString::number(value.toInt()), shown);
}

QTEST_MAIN(WndIRShowTest)
#include "wnd_ir_show_test.moc"
