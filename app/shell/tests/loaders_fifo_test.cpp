// Every loader of files from outside is handed a named pipe without a
// writer: each refuses it at once instead of waiting for ever.
#include "browse/model_ir_info.h"
#include "message_guard.h"
#include "office.h"
#include "picfold.h"
#include "reports/report_data.h"
#include "reports/report_xml.h"
#include "road_window.h"
#include "rules/detect_rule_import_export.h"
#include "shell/data_config.h"
#include "sources/ana_info_file.h"
#include "test_folders.h"
#include "views/isotherm_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class LoadersFifoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void every_loader_refuses_a_pipe();
    void settings_pipe_is_put_aside();

private:
    static bool make_fifo(const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void LoadersFifoTest::every_loader_refuses_a_pipe()
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe.xml");
    QVERIFY(make_fifo(pipe));

    m_guard.expect(QRegularExpression("open_layout: cannot read"));
    ReportData layout(nullptr);
    QVERIFY(!layout.open_layout(pipe));
    QVERIFY(!ReportXml(QSize(600, 800)).load_file(pipe));
    std::vector<IsothermFileBand> bands;
    QVERIFY(!IsothermFile::read(pipe, bands));
    AnaInfoFile info;
    QVERIFY(!ana_info_file::read(pipe, info));
    void* doc = nullptr;
    QVERIFY(!office_doc_open_w(doc, pipe.toStdWString()));
    QVERIFY(doc == nullptr);
    void* picture = nullptr;
    QVERIFY(picfold_init(picture));
    QVERIFY(!picfold_load_file_w(picture, pipe.toStdWString(), true));
    picfold_uninit(picture);
    const QJsonObject shown = ModelIRInfo().get_ir_image_info(pipe);
    QCOMPARE(shown.value("nFileType").toInt(), 0);
    QVERIFY(shown.value("strSettingResolution").toString().isEmpty());

    m_guard.expect(QRegularExpression("cannot open the package"));
    DetectRuleImportExport job;
    int status = -100;
    connect(&job, &DetectRuleImportExport::sig_import_detect_rules_end, this, [&status](int s) { status = s; });
    job.start_import_detect_rules(pipe);
    roadtest::RoadWindow::wait_for([&status] { return status != -100; }, 30000);
    QCOMPARE(status, int(DetectRuleImportExport::RES_ZIP_OPEN_ERR));
    QVERIFY(QFileInfo(pipe).exists());
}

void LoadersFifoTest::settings_pipe_is_put_aside()
{
    DataConfig::destroy();
    const QString folder = m_folders.config_home() + QStringLiteral("/KorvaneIrReportEU/config");
    QDir(folder).removeRecursively();
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(make_fifo(folder + "/config.json"));
    m_guard.expect(QRegularExpression("cannot be read"));
    QCOMPARE(DataConfig::instance()->get_language_type(), 1);
    QVERIFY(DataConfig::instance()->save_config());
    DataConfig::destroy();
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name);
    QCOMPARE(names.size(), 2);
    QCOMPARE(names[0], QStringLiteral("config.json"));
    QVERIFY(QFileInfo(folder + "/config.json").isFile());
    QVERIFY(names[1].startsWith("config.json.unreadable-"));
}

QTEST_MAIN(LoadersFifoTest)
#include "loaders_fifo_test.moc"
