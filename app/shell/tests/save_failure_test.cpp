// Every saver of the program answers false and leaves the old file whole
// when its writes fail (a full disk), with no temporary file left behind.
#include "failing_writes.h"
#include "message_guard.h"
#include "reports/report_data.h"
#include "rules/xls_writer.h"
#include "shell/data_config.h"
#include "sources/ana_info_file.h"
#include "test_folders.h"
#include "views/isotherm_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <functional>
#include <vector>

class SaveFailureTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }

    void save_failure_keeps_old_file();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

namespace {

struct Saver {
    const char* name;
    QString path;
    std::function<bool(const QString&)> save;
    const char* warning;  // the log line of a failed save, if any
};

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

}  // namespace

void SaveFailureTest::save_failure_keeps_old_file()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    AnaInfoFile objects;
    objects.width = 320;
    objects.height = 240;
    objects.records.resize(2);
    objects.records[0].str = "R:10,10;50,50;-";
    objects.records[1].str = "P:5,5;-";
    XlsWriter sheet;
    QVERIFY(sheet.set_text(0, 0, QStringLiteral("rule")));
    ReportData layout(nullptr);
    const std::vector<Saver> savers = {
        {"isotherm", dir.filePath("isotherm/bands.iso"),
         [](const QString& path) { return IsothermFile::write(path, {{20.0f, 5.0f, false, 0xFF0000}}); }, nullptr},
        {"analysis info", dir.filePath("objects/objects.ana"),
         [&](const QString& path) { return ana_info_file::write(path, objects); }, nullptr},
        {"rule sheet", dir.filePath("sheet/rules.xls"), [&](const QString& path) { return sheet.save(path); },
         "cannot write the sheet"},
        {"report layout", dir.filePath("layout/layout.xml"),
         [&](const QString& path) { return layout.save_layout(path); }, "save_layout: writing failed"},
        {"config.json", DataConfig::instance()->config_file_path(),
         [](const QString&) { return DataConfig::instance()->save_config(); }, "cannot replace"},
    };
    for (const Saver& saver : savers) {
        QVERIFY(QDir().mkpath(QFileInfo(saver.path).absolutePath()));
        QFile old(saver.path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the user's old file");
        old.close();
        if (saver.warning != nullptr) {
            m_guard.expect(QRegularExpression(QString::fromLatin1(saver.warning)));
        }
        {
            vytest::FailingWrites failing;
            QVERIFY(failing.ok());
            QVERIFY2(!saver.save(saver.path), saver.name);
        }
        QVERIFY2(read_all(saver.path) == "the user's old file", saver.name);
        const QStringList left = QFileInfo(saver.path).dir().entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(left == QStringList{QFileInfo(saver.path).fileName()}, qPrintable(left.join(' ')));
        // The same save succeeds once the writes do.
        QVERIFY2(saver.save(saver.path), saver.name);
        QVERIFY2(read_all(saver.path) != "the user's old file", saver.name);
    }
    DataConfig::destroy();
}

QTEST_MAIN(SaveFailureTest)
#include "save_failure_test.moc"
