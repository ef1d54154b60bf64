#include "message_guard.h"
#include "shell/data_config.h"
#include "test_folders.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <atomic>
#include <thread>

class DataConfigTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void init();
    void cleanup();

    void config_defaults_without_file();
    void config_absent_null_and_wrong_types();
    void config_history_moves_to_front_and_keeps_five();
    void config_history_names_data();
    void config_history_names();
    void config_recording_per_camera();
    void config_read_keys_are_written_as_null();
    void config_report_template_paths_data();
    void config_report_template_paths();
    void config_selected_report_template_data();
    void config_selected_report_template();
    void config_interrupted_save_keeps_old_file();
    void config_unwritable_folder_fails_save();
    void config_language_change_signal();
    void config_recording_read_while_written();

private:
    void write_file(const QByteArray& bytes);
    QJsonObject read_file();

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void DataConfigTest::init()
{
    DataConfig::destroy();
    QDir(m_folders.config_home()).removeRecursively();
    QDir().mkpath(m_folders.config_home());
}

void DataConfigTest::cleanup()
{
    DataConfig::destroy();
    m_guard.verify();
}

void DataConfigTest::write_file(const QByteArray& bytes)
{
    const QString folder = m_folders.config_home() + QStringLiteral("/KorvaneIrReportEU/config");
    QVERIFY(QDir().mkpath(folder));
    QFile file(folder + QStringLiteral("/config.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QJsonObject DataConfigTest::read_file()
{
    QFile file(m_folders.config_home() + QStringLiteral("/KorvaneIrReportEU/config/config.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        return QJsonObject();
    }
    return QJsonDocument::fromJson(file.readAll()).object();
}

void DataConfigTest::config_defaults_without_file()
{
    DataConfig* config = DataConfig::instance();
    QCOMPARE(config->config_file_path(),
             m_folders.config_home() + QStringLiteral("/KorvaneIrReportEU/config/config.json"));
    QCOMPARE(config->get_language_type(), 1);
    // English when nothing is stored, and the Chinese test agrees with it.
    QVERIFY(!config->is_chinese_language());
    QCOMPARE(config->get_add_ana_mode(), 1);
    QVERIFY(config->get_enable_image_logo());
    QCOMPARE(config->get_report_template_selected(), 0);
    QCOMPARE(config->get_warning_color(1), QStringLiteral("#ff0000"));
    QCOMPARE(config->get_warning_color(2), QStringLiteral("#ff8000"));
    QCOMPARE(config->get_warning_color(5), QStringLiteral("#ff8000"));
    QCOMPARE(config->get_preview_path(), QString());
    QCOMPARE(config->get_browsing_history().size(), 0);
    QVERIFY(config->get_app_path().endsWith(QLatin1Char('/')));
}

void DataConfigTest::config_absent_null_and_wrong_types()
{
    write_file(R"({"language_type": "zero", "add_ana_mode": null, "b_enable_image_logo": 0,
                   "warning_color_1": "", "warning_color_3": "#123456", "path_preview": 7,
                   "path_browsing_history": "not a list", "CAM1": {"recording_duration": -5,
                   "record_file_type": "2"}, "CAM2": {"recording_duration": 0}})");
    DataConfig* config = DataConfig::instance();
    QCOMPARE(config->get_language_type(), 1);
    QCOMPARE(config->get_add_ana_mode(), 1);
    QVERIFY(config->get_enable_image_logo());
    QCOMPARE(config->get_warning_color(1), QStringLiteral("#ff0000"));
    QCOMPARE(config->get_warning_color(3), QStringLiteral("#123456"));
    QCOMPARE(config->get_preview_path(), QString());
    QCOMPARE(config->get_browsing_history().size(), 0);
    QCOMPARE(config->get_record_duration(QStringLiteral("CAM1")), 100);
    QCOMPARE(config->get_record_duration(QStringLiteral("CAM2")), 100);
    QCOMPARE(config->get_record_file_type(QStringLiteral("CAM1")), 0);

    // Text that is no JSON object, or a file larger than any settings, leaves
    // every default; the file is kept aside, byte for byte, before the exit
    // save writes the defaults.
    QByteArray huge = "{\"language_type\": 0, \"x\": \"" + QByteArray(DataConfig::kMaxConfigBytes, 'x') + "\"}";
    for (const QByteArray& bytes : {QByteArray("[1, 2]"), QByteArray("{\"language_type\": 0"), QByteArray(), huge}) {
        DataConfig::destroy();
        QDir folder(m_folders.config_home() + QStringLiteral("/KorvaneIrReportEU/config"));
        folder.removeRecursively();
        write_file(bytes);
        m_guard.expect(QRegularExpression(QStringLiteral("cannot be read.*kept as")));
        QCOMPARE(DataConfig::instance()->get_language_type(), 1);
        DataConfig::destroy();
        const QStringList aside = folder.entryList({QStringLiteral("config.json.unreadable-*")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QFile kept(folder.filePath(aside[0]));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QVERIFY(kept.readAll() == bytes);
        // The exit save wrote the defaults: the key read, as null.
        const QJsonObject saved = read_file();
        QVERIFY(saved.contains(QStringLiteral("language_type")) && saved.value(QStringLiteral("language_type")).isNull());
    }
}

void DataConfigTest::config_history_moves_to_front_and_keeps_five()
{
    DataConfig* config = DataConfig::instance();
    for (const char* path : {"/a", "/b", "/c", "/d", "/e"}) {
        QVERIFY(config->add_browsing_history(QString::fromLatin1(path)));
    }
    auto paths = [] {
        QStringList list;
        for (const QJsonValue& entry : DataConfig::instance()->get_browsing_history()) {
            list.append(entry.toObject().value(QStringLiteral("strSettingHistoryPath")).toString());
        }
        return list.join(QLatin1Char(' '));
    };
    QCOMPARE(paths(), QStringLiteral("/e /d /c /b /a"));
    config->add_browsing_history(QStringLiteral("/c"));
    QCOMPARE(paths(), QStringLiteral("/c /e /d /b /a"));
    config->add_browsing_history(QStringLiteral("/f"));
    QCOMPARE(paths(), QStringLiteral("/f /c /e /d /b"));
    // Case counts: /F is another folder.
    config->add_browsing_history(QStringLiteral("/F"));
    QCOMPARE(paths(), QStringLiteral("/F /f /c /e /d"));

    DataConfig::destroy();
    QCOMPARE(read_file().value(QStringLiteral("path_browsing_history")).toArray().size(), 5);
    QCOMPARE(paths(), QStringLiteral("/F /f /c /e /d"));
}

void DataConfigTest::config_history_names_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("trailing slash") << "D:/pictures/" << "pictures";
    QTest::newRow("no slash") << "E:" << "E:";
    QTest::newRow("plain") << "/home/user/ir" << "ir";
    QTest::newRow("root") << "/" << "";
}

void DataConfigTest::config_history_names()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    DataConfig* config = DataConfig::instance();
    config->add_browsing_history(path);
    const QJsonObject entry = config->get_browsing_history().first().toObject();
    QCOMPARE(entry.value(QStringLiteral("strSettingHistoryPath")).toString(), path);
    QCOMPARE(entry.value(QStringLiteral("strSettingHistoryName")).toString(), name);
}

void DataConfigTest::config_recording_per_camera()
{
    DataConfig* config = DataConfig::instance();
    const QString cam = QStringLiteral("SN-0042");
    // A known camera without keys, and the empty serial number.
    config->set_record_path(cam, QStringLiteral("/rec"));
    QCOMPARE(config->get_record_file_type(cam), 0);
    QCOMPARE(config->get_record_frequency(cam), 0);
    QCOMPARE(config->get_record_duration(cam), 100);
    QCOMPARE(config->get_record_file_size(cam), QString());
    QVERIFY(!config->get_record_unlimit(cam));
    QVERIFY(!config->get_record_stop_mode(cam));
    QCOMPARE(config->get_record_file_type(QString()), 1);
    QCOMPARE(config->get_record_frequency(QString()), 1);
    QCOMPARE(config->get_record_duration(QString()), 100);

    config->set_record_file_size(cam, QStringLiteral("500MB"));
    config->set_record_frequency(cam, 5);
    config->set_record_unlimit(cam, true);
    config->set_record_duration(cam, 30);
    config->set_record_stop_mode(cam, true);
    config->set_record_file_type(cam, 2);
    // The empty serial number stores under "" but its getters never look.
    config->set_record_file_type(QString(), 7);
    QCOMPARE(config->get_record_file_type(QString()), 1);

    DataConfig::destroy();
    config = DataConfig::instance();
    QCOMPARE(config->get_record_path(cam), QStringLiteral("/rec"));
    QCOMPARE(config->get_record_file_size(cam), QStringLiteral("500MB"));
    QCOMPARE(config->get_record_frequency(cam), 5);
    QVERIFY(config->get_record_unlimit(cam));
    QCOMPARE(config->get_record_duration(cam), 30);
    QVERIFY(config->get_record_stop_mode(cam));
    QCOMPARE(config->get_record_file_type(cam), 2);
    // Another camera is untouched.
    QCOMPARE(config->get_record_path(QStringLiteral("SN-0043")), QString());
    QCOMPARE(read_file().value(QString()).toObject().value(QStringLiteral("record_file_type")).toInt(), 7);
}

void DataConfigTest::config_read_keys_are_written_as_null()
{
    DataConfig* config = DataConfig::instance();
    config->get_preview_path();
    config->get_add_ana_mode();
    config->is_chinese_language();
    config->set_ana_path(QStringLiteral("/anas"));
    config->set_report_save_path(QStringLiteral("file:///home/u/my%20reports"));
    DataConfig::destroy();
    const QJsonObject saved = read_file();
    QVERIFY(saved.value(QStringLiteral("path_preview")).isNull());
    QVERIFY(saved.value(QStringLiteral("add_ana_mode")).isNull());
    QVERIFY(saved.value(QStringLiteral("language_type")).isNull());
    QCOMPARE(saved.value(QStringLiteral("path_ana")).toString(), QStringLiteral("/anas"));
    // A folder given as a file: URL is stored as a path.
    QCOMPARE(saved.value(QStringLiteral("path_save_report")).toString(), QStringLiteral("/home/u/my reports"));
    QCOMPARE(saved.value(QStringLiteral("path_browsing_history")).toArray().size(), 0);
    // A key never read is not invented.
    QVERIFY(!saved.contains(QStringLiteral("path_isotherm")));
}

void DataConfigTest::config_report_template_paths_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("name");
    QTest::newRow("file url") << "file:///home/u/tpl/report.dot" << "/home/u/tpl/report.dot" << "report.dot";
    QTest::newRow("url with space") << "file:///home/u/my%20tpl/a.xml" << "/home/u/my tpl/a.xml" << "a.xml";
    QTest::newRow("plain path") << "/srv/t.dot" << "/srv/t.dot" << "t.dot";
    QTest::newRow("backslashes") << "C:\\tpl\\b.dot" << "C:\\tpl\\b.dot" << "b.dot";
    QTest::newRow("no separator") << "t.dot" << "" << "";
}

void DataConfigTest::config_report_template_paths()
{
    QFETCH(QString, given);
    QFETCH(QString, stored);
    QFETCH(QString, name);
    DataConfig* config = DataConfig::instance();
    QCOMPARE(config->set_report_template(2, given), name);
    QCOMPARE(config->get_report_template_path(2), stored);
    QCOMPARE(config->get_report_template_name(2), name);
}

void DataConfigTest::config_selected_report_template_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("visible");
    QTest::newRow("chinese") << 0 << "DefaultDot.dot" << "DefaultDotVI.dot";
    QTest::newRow("english") << 1 << "DefaultDotEn.dot" << "DefaultDotEnVI.dot";
    QTest::newRow("traditional") << 2 << "DefaultDotHk.dot" << "DefaultDotHkVI.dot";
    QTest::newRow("russian") << 3 << "DefaultDotEn.dot" << "DefaultDotEnVI.dot";
    QTest::newRow("hungarian") << 4 << "DefaultDotEn.dot" << "DefaultDotEnVI.dot";
    QTest::newRow("unknown") << 9 << "DefaultDot.dot" << "DefaultDotVI.dot";
}

void DataConfigTest::config_selected_report_template()
{
    QFETCH(int, language);
    QFETCH(QString, plain);
    QFETCH(QString, visible);
    DataConfig* config = DataConfig::instance();
    config->set_language_type(language);
    QCOMPARE(config->get_selected_report_template(false), config->get_app_path() + plain);
    QCOMPARE(config->get_selected_report_template(true), config->get_app_path() + visible);
    config->set_report_template(3, QStringLiteral("/t/custom.xml"));
    config->set_report_template_selected(3);
    QCOMPARE(config->get_selected_report_template(true), QStringLiteral("/t/custom.xml"));
    config->set_report_template_selected(4);
    QCOMPARE(config->get_selected_report_template(false), config->get_app_path() + plain);
}

void DataConfigTest::config_interrupted_save_keeps_old_file()
{
    DataConfig* config = DataConfig::instance();
    config->set_preview_path(QStringLiteral("/first"));
    QVERIFY(config->save_config());
    const QString folder = QFileInfo(config->config_file_path()).absolutePath();
    QFile file(config->config_file_path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    // The save is cut off after its bytes are written: the old file is whole
    // and untouched, and no partial file is left beside it.
    config->set_preview_path(QStringLiteral("/second"));
    bool target_untouched_while_writing = false;
    QVERIFY(!config->save_config([&] {
        QFile current(config->config_file_path());
        target_untouched_while_writing = current.open(QIODevice::ReadOnly) && current.readAll() == before;
        return false;
    }));
    QVERIFY(target_untouched_while_writing);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    file.close();
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("config.json")});

    // The partial file of a save killed long ago goes at the next save; a
    // recent one may belong to a save still running and stays.
    QFile stale(folder + QStringLiteral("/config.json.Ab12Cd"));
    QFile recent(folder + QStringLiteral("/config.json.Ef34Gh"));
    QVERIFY(stale.open(QIODevice::WriteOnly) && recent.open(QIODevice::WriteOnly));
    QVERIFY(stale.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    stale.close();
    recent.close();
    QVERIFY(config->save_config());
    QVERIFY(!stale.exists());
    QVERIFY(recent.exists());
    QVERIFY(recent.remove());
    DataConfig::destroy();
    QCOMPARE(read_file().value(QStringLiteral("path_preview")).toString(), QStringLiteral("/second"));
}

void DataConfigTest::config_unwritable_folder_fails_save()
{
    DataConfig* config = DataConfig::instance();
    // A file where the config folder belongs.
    const QString settings = config->get_config_path();
    QFile blocker(settings + QStringLiteral("config"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_guard.expect(QRegularExpression(QStringLiteral("cannot create the configuration folder")));
    QVERIFY(!config->save_config());
    m_guard.expect(QRegularExpression(QStringLiteral("cannot create the configuration folder")));
    DataConfig::destroy();
    QVERIFY(QFileInfo(blocker.fileName()).isFile());
}

void DataConfigTest::config_language_change_signal()
{
    DataConfig* config = DataConfig::instance();
    QSignalSpy spy(config, &DataConfig::sig_change_language);
    config->set_language_type(0);
    config->set_language_type(0);
    QCOMPARE(spy.count(), 2);
    QVERIFY(config->is_chinese_language());
    config->set_language_type(2);
    QVERIFY(config->is_chinese_language());
    config->set_language_type(3);
    QVERIFY(!config->is_chinese_language());
    QCOMPARE(config->property("n_language_type").toInt(), 3);
}

void DataConfigTest::config_recording_read_while_written()
{
    DataConfig* config = DataConfig::instance();
    std::atomic<bool> stop{false};
    std::atomic<bool> torn{false};
    std::atomic<int> reads{0};
    auto reader = [&] {
        while (!stop.load()) {
            const QString path = config->get_record_path(QStringLiteral("CAM"));
            if (!path.isEmpty() && !path.startsWith(QStringLiteral("/rec"))) {
                torn = true;
                break;
            }
            config->get_record_duration(QStringLiteral("CAM"));
            ++reads;
        }
    };
    std::thread first(reader);
    std::thread second(reader);
    // Keep writing until the readers have really overlapped the writes, however
    // the threads are scheduled; the deadline only ends a hang.
    QDeadlineTimer deadline(60000);
    int last = 0;
    for (int i = 0; (i < 2000 || reads.load() < 200) && !torn.load() && !deadline.hasExpired(); ++i) {
        config->set_record_path(QStringLiteral("CAM"), QStringLiteral("/rec/") + QString::number(i));
        config->set_preview_path(QString::number(i));
        last = i;
    }
    stop = true;
    first.join();
    second.join();
    QVERIFY(!torn.load());
    QVERIFY(reads.load() >= 200);
    QCOMPARE(config->get_record_path(QStringLiteral("CAM")), QStringLiteral("/rec/") + QString::number(last));
}

QTEST_GUILESS_MAIN(DataConfigTest)
#include "data_config_test.moc"
