// The rule exchange job end to end over a fresh database: export and import
// give back every rule, formula and picture; hostile packages are refused
// with their status and write nothing; stop and failures end as they should.
#include "failing_writes.h"
#include "message_guard.h"
#include "road_window.h"
#include "rule_db_fixture.h"
#include "rules/data_sql.h"
#include "rules/detect_rule_import_export.h"
#include "rules/xls_writer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtEndian>
#include <QtTest>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

using Status = DetectRuleImportExport::eRuleEndStatus;

namespace {

struct Entry {
    QString name;
    QByteArray data;
};

// A zip written with QuaZip; names carry the UTF-8 flag unless gb18030.
bool write_package(const QString& path, const QList<Entry>& entries, bool gb18030 = false)
{
    QuaZip zip(path);
    if (gb18030) {
        zip.setFileNameCodec("GB18030");
    } else {
        zip.setUtf8Enabled(true);
    }
    if (!zip.open(QuaZip::mdCreate)) {
        return false;
    }
    for (const Entry& e : entries) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(e.name)) || file.write(e.data) != e.data.size()) {
            return false;
        }
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

QList<Entry> read_package(const QString& path)
{
    QList<Entry> out;
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        return out;
    }
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        file.open(QIODevice::ReadOnly);
        out.append({zip.getCurrentFileName(), file.readAll()});
    }
    return out;
}

// The bytes of a rule sheet: the title row, then the given rows.
QByteArray sheet_bytes(const QList<QStringList>& rows)
{
    XlsWriter writer;
    for (int c = 0; c < 10; ++c) {
        writer.set_text(0, c, QStringLiteral("t%1").arg(c));
    }
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            writer.set_text(r + 1, c, rows[r][c]);
        }
    }
    QByteArray bytes;
    writer.file_bytes(bytes);
    return bytes;
}

QStringList sheet_row(const QString& kind, const QString& picture = QString())
{
    return {"0", kind, "T", "110kV", "P", "S", "[]", picture, "judge", ""};
}

QStringList files_below(const QString& dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(dir).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

QByteArray empty_workbook()
{
    QByteArray bytes;
    XlsWriter().file_bytes(bytes);
    return bytes;
}

}  // namespace

Q_DECLARE_METATYPE(QList<Entry>)

class DetectRuleExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void init();
    void cleanup();
    void exchange_round_trip_gives_everything_back();
    void exchange_import_updates_existing_rules();
    void export_without_types_or_rules();
    void export_stop_between_packages();
    void export_overlong_text_leaves_no_package();
    void export_into_missing_folder();
    void export_full_disk_leaves_no_package();
    void import_hostile_packages_data();
    void import_hostile_packages();
    void import_gb18030_names_and_version_rows();
    void exchange_keeps_levels_of_translated_names();
    void import_chinese_level_names();
    void import_entry_longer_than_declared();
    void import_refused_keeps_old_pictures();
    void import_unwritable_picture_keeps_database_and_pictures();

private:
    int export_rules(const QString& folder, bool station, bool transmission, bool distribution);
    int import_package(const QString& path);
    // A package whose first entry, 0/x.jpg, inflates past the size its
    // headers declare; the job gets limits that let the headers pass.
    bool write_lying_package(const QString& path, const QList<QStringList>& rows, const QList<Entry>& more = {});
    qint64 add_rule(int kind, const QString& type, const QString& shape, const QByteArray& picture, int formulas);
    int count(const char* sql) { return rule_db_scalar(m_db.path(), QString::fromLatin1(sql)).toInt(); }
    QString pictures() const { return m_db.dir() + QStringLiteral("/RuleImage"); }

    roadtest::MessageGuard m_guard;
    RuleDbFixture m_db;
    std::unique_ptr<DetectRuleImportExport> m_job;
    std::unique_ptr<QTemporaryDir> m_out;
};

void DetectRuleExchangeTest::init()
{
    QVERIFY(m_db.start());
    DataSql::instance()->set_rule_image_dir(pictures());
    m_job = std::make_unique<DetectRuleImportExport>();
    m_out = std::make_unique<QTemporaryDir>();
}

void DetectRuleExchangeTest::cleanup()
{
    m_job.reset();  // joins the worker before its connection goes
    m_db.stop();
    m_guard.verify();
}

int DetectRuleExchangeTest::export_rules(const QString& folder, bool station, bool transmission, bool distribution)
{
    int status = -100;
    const auto c = connect(m_job.get(), &DetectRuleImportExport::sig_export_detect_rules_end, this,
                           [&status](int s) { status = s; });
    m_job->start_export_detect_rules(QUrl::fromLocalFile(folder).toString(), station, transmission, distribution);
    roadtest::RoadWindow::wait_for([&status] { return status != -100; }, 30000);
    disconnect(c);
    return status;
}

int DetectRuleExchangeTest::import_package(const QString& path)
{
    int status = -100;
    const auto c = connect(m_job.get(), &DetectRuleImportExport::sig_import_detect_rules_end, this,
                           [&status](int s) { status = s; });
    m_job->start_import_detect_rules(path);
    roadtest::RoadWindow::wait_for([&status] { return status != -100; }, 30000);
    disconnect(c);
    return status;
}

qint64 DetectRuleExchangeTest::add_rule(int kind, const QString& type, const QString& shape,
                                        const QByteArray& picture, int formulas)
{
    DataSql* sql = DataSql::instance();
    const qint64 id = sql->insert_detect_rule(kind, type, "110kV", "套管", shape, "判据 'quoted'\r\n第二行");
    if (!picture.isEmpty()) {
        const QString path =
            QStringLiteral("%1/%2/%3/110kV/套管/%4.jpg").arg(pictures()).arg(kind).arg(type, shape);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(picture);
        file.close();
        sql->modify_detect_rule(id, path, QStringLiteral("[{\"ana_alias\":\"R01\",\"ana_str\":\"R:1,2;3,4;-0\"}]"));
    }
    const char* degrees[] = {"紧急", "严重", "关注", "一般"};
    for (int i = 0; i < formulas; ++i) {
        sql->insert_rule_formula(QJsonObject{{"detect_rules_id", id},
                                             {"fault_degree_id", i % 4 + 1},
                                             {"fault_degree_name", degrees[i % 4]},
                                             {"formula", QStringLiteral("R01:Max > %1 or $R01:Avg").arg(30 + i)},
                                             {"des_of_formula", "d'" + QString::number(i)},
                                             {"fault_feature", "f"},
                                             {"thermal_feature", "t"},
                                             {"handing_suggestion", "h"}});
    }
    return id;
}

void DetectRuleExchangeTest::exchange_round_trip_gives_everything_back()
{
    QByteArray picture_a(70000, '\0');
    for (int i = 0; i < picture_a.size(); ++i) {
        picture_a[i] = static_cast<char>((i * 7919) >> 3);
    }
    add_rule(0, "变压器", "S1", picture_a, 3);
    add_rule(0, "O'Brien 开关", "S2", QByteArray("\xFF\xD8 tiny", 7), 0);
    add_rule(2, "电缆", "S3", QByteArray(), 1);
    add_rule(1, "not exported", "S4", QByteArray(), 1);
    DataSql* sql = DataSql::instance();
    QJsonArray before[3];
    for (int kind = 0; kind < 3; ++kind) {
        before[kind] = sql->get_detect_rule_from_substation_type(kind);
    }
    QList<QJsonArray> formulas_before;
    for (int kind : {0, 2}) {
        for (const QJsonValue& rule : before[kind]) {
            formulas_before << sql->get_detect_rule_formula(rule.toObject().value("n_id").toInt());
        }
    }
    const QStringList pictures_before = files_below(pictures());

    QSignalSpy init(m_job.get(), &DetectRuleImportExport::sig_export_detect_rules_init);
    QSignalSpy progress(m_job.get(), &DetectRuleImportExport::sig_export_detect_rules_progress);
    QCOMPARE(export_rules(m_out->path(), true, false, true), int(Status::RES_SUCCESS));
    QCOMPARE(init.size(), 1);
    QCOMPARE(init.at(0).at(0).toInt(), 5);  // 3 + 1 formula rows, 1 rule without
    QCOMPARE(progress.size(), 5);
    const QStringList packages = QDir(m_out->path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(packages.size(), 2);
    QVERIFY(QRegularExpression("^\\d{14}诊断规则-变电\\.zip$").match(packages[0]).hasMatch());
    QCOMPARE(packages[1], packages[0].left(14) + "诊断规则-配电.zip");
    const QList<Entry> station = read_package(m_out->filePath(packages[0]));
    QCOMPARE(station.size(), 3);
    QCOMPARE(station.last().name, packages[0].left(14) + "DetectRules.xls");
    QCOMPARE(station[0].name, QStringLiteral("0/O'Brien 开关/110kV/套管/S2.jpg"));
    QCOMPARE(station[1].data, picture_a);

    QVERIFY(sql->delete_all_rule(0));
    QVERIFY(sql->delete_all_rule(2));
    QVERIFY(files_below(pictures()).isEmpty());
    QSignalSpy import_init(m_job.get(), &DetectRuleImportExport::sig_import_detect_rules_init);
    QCOMPARE(import_package(m_out->filePath(packages[0])), int(Status::RES_SUCCESS));
    QCOMPARE(import_init.at(0).at(0).toInt(), 3);
    QCOMPARE(import_package(m_out->filePath(packages[1])), int(Status::RES_SUCCESS));

    QCOMPARE(files_below(pictures()), pictures_before);
    QFile back(pictures() + "/0/变压器/110kV/套管/S1.jpg");
    QVERIFY(back.open(QIODevice::ReadOnly));
    QCOMPARE(back.readAll(), picture_a);
    QList<QJsonArray> formulas_after;
    for (int kind : {0, 2}) {
        QJsonArray after = sql->get_detect_rule_from_substation_type(kind);
        QCOMPARE(after.size(), before[kind].size());
        for (int i = 0; i < after.size(); ++i) {
            QJsonObject a = after[i].toObject();
            QJsonObject b = before[kind][i].toObject();
            formulas_after << sql->get_detect_rule_formula(a.value("n_id").toInt());
            a.remove("n_id");
            b.remove("n_id");
            QCOMPARE(a, b);
        }
    }
    QCOMPARE(formulas_after.size(), formulas_before.size());
    for (int r = 0; r < formulas_after.size(); ++r) {
        QCOMPARE(formulas_after[r].size(), formulas_before[r].size());
        for (int i = 0; i < formulas_after[r].size(); ++i) {
            QJsonObject a = formulas_after[r][i].toObject();
            QJsonObject b = formulas_before[r][i].toObject();
            a.remove("n_id");
            b.remove("n_id");
            QCOMPARE(a, b);
        }
    }
    QCOMPARE(sql->get_detect_rule_from_substation_type(1).size(), 1);
}

void DetectRuleExchangeTest::exchange_import_updates_existing_rules()
{
    const qint64 id = add_rule(0, "T", "S", QByteArray("pic", 3), 2);
    QCOMPARE(export_rules(m_out->path(), true, false, false), int(Status::RES_SUCCESS));
    const QString package = m_out->filePath(QDir(m_out->path()).entryList(QDir::Files).first());
    // A changed criterion and one formula more come back to the old state
    // except for the new formula, which stays.
    DataSql* sql = DataSql::instance();
    QVERIFY(sql->insert_detect_rule(0, "T", "110kV", "套管", "S", "x") == id);
    sql->insert_rule_formula(QJsonObject{{"detect_rules_id", id}, {"fault_degree_id", 4}, {"formula", "new"}});
    QCOMPARE(import_package(package), int(Status::RES_SUCCESS));
    QCOMPARE(count("SELECT COUNT(*) FROM t_detect_rules"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM t_formula_of_detect_rules"), 3);
    QCOMPARE(sql->get_detect_rule_info(id).value("str_judge_des").toString(), QStringLiteral("判据 'quoted'\r\n第二行"));
}

void DetectRuleExchangeTest::export_without_types_or_rules()
{
    QCOMPARE(export_rules(m_out->path(), false, false, false), int(Status::RES_SQL_ERR));
    add_rule(1, "T", "S", QByteArray(), 0);
    QCOMPARE(export_rules(m_out->path(), true, false, true), int(Status::RES_DATA_EMPTY));
    QVERIFY(files_below(m_out->path()).isEmpty());
}

void DetectRuleExchangeTest::export_stop_between_packages()
{
    add_rule(0, "A", "S1", QByteArray("a", 1), 1);
    add_rule(2, "B", "S2", QByteArray("b", 1), 2);
    // The first row of the second type opens its package; stopping there
    // ends the job at the next row.
    connect(
        m_job.get(), &DetectRuleImportExport::sig_export_detect_rules_progress, this,
        [this](int pos) {
            if (pos == 2) {
                m_job->stop_export_detect_rules();
            }
        },
        Qt::DirectConnection);
    QCOMPARE(export_rules(m_out->path(), true, false, true), int(Status::RES_EXIT_SUCESS));
    const QStringList left = files_below(m_out->path());
    QCOMPARE(left.size(), 1);
    QVERIFY(left[0].endsWith("诊断规则-变电.zip"));
    QCOMPARE(read_package(m_out->filePath(left[0])).size(), 2);
}

void DetectRuleExchangeTest::export_overlong_text_leaves_no_package()
{
    const qint64 id = add_rule(0, "A", "S1", QByteArray("a", 1), 0);
    QVERIFY(DataSql::instance()->modify_detect_rule(id, pictures() + "/0/A/110kV/套管/S1.jpg",
                                                    QString(XlsWriter::kMaxTextLength + 1, 'x')));
    m_guard.expect(QRegularExpression("sheet text longer than a cell holds"));
    QCOMPARE(export_rules(m_out->path(), true, true, true), int(Status::RES_EXCEL_ERR));
    QVERIFY(files_below(m_out->path()).isEmpty());
}

void DetectRuleExchangeTest::export_into_missing_folder()
{
    add_rule(0, "A", "S1", QByteArray(), 0);
    m_guard.expect(QRegularExpression("cannot create the package"));
    QCOMPARE(export_rules(m_out->filePath("missing"), true, false, false), int(Status::RES_ZIP_CREAT_ERR));
}

void DetectRuleExchangeTest::export_full_disk_leaves_no_package()
{
    // A picture that does not compress makes the package larger than its
    // sheet; the disk then fills while the package ends.
    QByteArray picture(64 * 1024, Qt::Uninitialized);
    quint32 seed = 12345;
    for (char& c : picture) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 24);
    }
    add_rule(0, "A", "S1", picture, 2);
    QCOMPARE(export_rules(m_out->path(), true, false, false), int(Status::RES_SUCCESS));
    const QStringList made = files_below(m_out->path());
    QCOMPARE(made.size(), 1);
    const qint64 size = QFileInfo(m_out->filePath(made[0])).size();
    QVERIFY(QFile::remove(m_out->filePath(made[0])));
    m_guard.expect(QRegularExpression("cannot complete the package|cannot write the entry"));
    {
        vytest::FailingWrites failing(static_cast<rlim_t>(size - 10));
        QVERIFY(failing.ok());
        QCOMPARE(export_rules(m_out->path(), true, false, false), int(Status::RES_ZIP_CREAT_ERR));
    }
    QVERIFY(files_below(m_out->path()).isEmpty());
}

void DetectRuleExchangeTest::import_hostile_packages_data()
{
    QTest::addColumn<QList<Entry>>("entries");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("warning");
    const QByteArray good = sheet_bytes({sheet_row("0", "0/x.jpg")});
    QTest::newRow("parent entry") << QList<Entry>{{"../evil.jpg", "x"}, {"s.xls", good}} << 5 << "unsafe entry";
    QTest::newRow("deep parent entry") << QList<Entry>{{"0/../../evil.jpg", "x"}, {"s.xls", good}} << 5
                                       << "unsafe entry";
    QTest::newRow("absolute entry") << QList<Entry>{{"/tmp/evil.jpg", "x"}, {"s.xls", good}} << 5 << "unsafe entry";
    QTest::newRow("drive entry") << QList<Entry>{{"C:/evil.jpg", "x"}, {"s.xls", good}} << 5 << "unsafe entry";
    QTest::newRow("backslash parent") << QList<Entry>{{"..\\evil.jpg", "x"}, {"s.xls", good}} << 5
                                      << "unsafe entry";
    QTest::newRow("empty component") << QList<Entry>{{"0//x.jpg", "x"}, {"s.xls", good}} << 5 << "unsafe entry";
    QTest::newRow("bomb entry") << QList<Entry>{{"0/x.jpg", QByteArray(3 << 20, '\0')}, {"s.xls", good}} << 5
                                << "declares";
    QTest::newRow("no sheet") << QList<Entry>{{"0/x.jpg", "x"}} << 8 << "";
    QTest::newRow("sheet not a workbook") << QList<Entry>{{"s.xls", QByteArray(5000, 'G')}} << 4
                                          << "cannot read the workbook";
    QTest::newRow("empty sheet") << QList<Entry>{{"s.xls", empty_workbook()}} << 9 << "";
    QTest::newRow("type injection") << QList<Entry>{{"0/x.jpg", "x"},
                                                    {"s.xls", sheet_bytes({sheet_row("0"), sheet_row("0 OR 1=1")})}}
                                    << 3 << "is no number";
    QTest::newRow("empty type") << QList<Entry>{{"s.xls", sheet_bytes({sheet_row(""), sheet_row("1")})}} << 3
                                << "is no number";
    QTest::newRow("picture not in the package") << QList<Entry>{{"s.xls", sheet_bytes({sheet_row("0", "0/absent.jpg")})}}
                                                << 5 << "is not in the package";
    QTest::newRow("picture name escapes") << QList<Entry>{{"s.xls", sheet_bytes({sheet_row("0", "../../evil.jpg")})}}
                                          << 3 << "unsafe picture name";
}

void DetectRuleExchangeTest::import_hostile_packages()
{
    QFETCH(QList<Entry>, entries);
    QFETCH(int, status);
    QFETCH(QString, warning);
    m_job->set_package_limits(1 << 20, 4 << 20);
    const QString package = m_out->filePath("p.zip");
    QVERIFY(write_package(package, entries));
    if (!warning.isEmpty()) {
        m_guard.expect(QRegularExpression(warning));
    }
    QCOMPARE(import_package(package), status);
    QCOMPARE(count("SELECT COUNT(*) FROM t_detect_rules"), 0);
    QVERIFY(files_below(pictures()).isEmpty());
    QCOMPARE(files_below(m_out->path()), QStringList{"p.zip"});
    QCOMPARE(files_below(m_db.dir()), QStringList{QFileInfo(m_db.path()).fileName()});

    m_guard.expect(QRegularExpression("cannot open the package"));
    QCOMPARE(import_package(m_out->filePath("missing.zip")), int(Status::RES_ZIP_OPEN_ERR));
}

void DetectRuleExchangeTest::import_gb18030_names_and_version_rows()
{
    // Names without the UTF-8 flag are GB18030; a row of another version is
    // reported and skipped; a short row is padded.
    QSignalSpy info(m_job.get(), &DetectRuleImportExport::sig_import_detect_rules_info);
    QSignalSpy progress(m_job.get(), &DetectRuleImportExport::sig_import_detect_rules_progress);
    QStringList later = sheet_row("1", "0/图片.jpg");
    later[0] = "1";
    const QList<Entry> entries = {{"0/图片.jpg", "gb"},
                                  {"s.xls", sheet_bytes({sheet_row("0", "0/图片.jpg"), later, {"0", "2", "short"}})}};
    const QString package = m_out->filePath("gb.zip");
    QVERIFY(write_package(package, entries, true));
    QCOMPARE(import_package(package), int(Status::RES_SUCCESS));
    QFile picture(pictures() + "/0/图片.jpg");
    QVERIFY(picture.open(QIODevice::ReadOnly));
    QCOMPARE(picture.readAll(), QByteArray("gb"));
    QCOMPARE(count("SELECT COUNT(*) FROM t_detect_rules"), 2);
    QCOMPARE(DataSql::instance()->get_detect_rule_from_substation_type(0).at(0).toObject().value("str_file_path"),
             QJsonValue(pictures() + "/0/图片.jpg"));
    bool reported = false;
    for (const QList<QVariant>& args : info) {
        reported = reported || args.at(0).toString() == QStringLiteral("Excel第 2 行数据格式错误");
    }
    QVERIFY(reported);
    QCOMPARE(progress.size(), 4);  // sheet extracted, sheet read, two rows
}

void DetectRuleExchangeTest::exchange_keeps_levels_of_translated_names()
{
    // Formulas named in an interface language: as the dialog passes them now,
    // and as rows stored before names were kept language-independent.
    DataSql* sql = DataSql::instance();
    const qint64 id = sql->insert_detect_rule(0, "T", "110kV", "P", "S", "");
    const QList<QPair<int, QString>> given = {{1, "Urgent"}, {4, "General"}, {1, "Срочно"}, {4, "Обычно"}};
    for (int i = 0; i < given.size(); ++i) {
        QVERIFY(sql->insert_rule_formula(QJsonObject{{"detect_rules_id", id},
                                                     {"fault_degree_id", given[i].first},
                                                     {"fault_degree_name", given[i].second},
                                                     {"formula", QStringLiteral("R01:Max > %1").arg(i)}}) > 0);
    }
    rule_db_scalar(m_db.path(), QStringLiteral("insert into t_formula_of_detect_rules (detect_rule_id, fault_degree_id, "
                                               "fault_degree_name, formula) values (%1, 2, 'Serious', 'R01:Min < 0')")
                                    .arg(id));
    QCOMPARE(count("SELECT COUNT(*) FROM t_formula_of_detect_rules"), 5);
    QCOMPARE(count("SELECT COUNT(*) FROM t_formula_of_detect_rules WHERE fault_degree_name = 'Urgent'"), 0);

    QCOMPARE(export_rules(m_out->path(), true, false, false), int(Status::RES_SUCCESS));
    const QStringList packages = QDir(m_out->path()).entryList(QDir::Files);
    QCOMPARE(packages.size(), 1);
    QVERIFY(sql->delete_all_rule(0));
    QCOMPARE(import_package(m_out->filePath(packages[0])), int(Status::RES_SUCCESS));

    const QJsonArray rules = sql->get_detect_rule_from_substation_type(0);
    QCOMPARE(rules.size(), 1);
    const int back = rules.at(0).toObject().value("n_id").toInt();
    QVERIFY(back != id);
    QMap<QString, QPair<int, QString>> levels;
    for (const QJsonValue& value : sql->get_detect_rule_formula(back)) {
        const QJsonObject formula = value.toObject();
        levels.insert(formula.value("str_formula").toString(),
                      {formula.value("n_id_degree").toInt(), formula.value("str_fault_degree").toString()});
    }
    const QMap<QString, QPair<int, QString>> expected = {{"R01:Max > 0", {1, "紧急"}}, {"R01:Max > 1", {4, "一般"}},
                                                         {"R01:Max > 2", {1, "紧急"}}, {"R01:Max > 3", {4, "一般"}},
                                                         {"R01:Min < 0", {2, "严重"}}};
    QCOMPARE(levels, expected);
}

void DetectRuleExchangeTest::import_chinese_level_names()
{
    // A package written before: the levels by their Chinese names, 危急 and
    // 紧急 both urgent; a name of no level is kept with degree 0.
    QJsonArray formulas;
    const QStringList names = {"危急", "紧急", "严重", "关注", "一般", "正常", "Unknown"};
    for (int i = 0; i < names.size(); ++i) {
        formulas.append(QJsonObject{{"fault_degree", names[i]}, {"detect_formula", QStringLiteral("F%1").arg(i)}});
    }
    QStringList row = sheet_row("0");
    row[9] = QString::fromUtf8(QJsonDocument(formulas).toJson(QJsonDocument::Compact));
    const QString package = m_out->filePath("old.zip");
    QVERIFY(write_package(package, {{"s.xls", sheet_bytes({row})}}));
    QCOMPARE(import_package(package), int(Status::RES_SUCCESS));
    const QJsonArray rules = DataSql::instance()->get_detect_rule_from_substation_type(0);
    QCOMPARE(rules.size(), 1);
    QMap<QString, QPair<int, QString>> levels;
    for (const QJsonValue& value : DataSql::instance()->get_detect_rule_formula(rules.at(0).toObject().value("n_id").toInt())) {
        const QJsonObject formula = value.toObject();
        levels.insert(formula.value("str_formula").toString(),
                      {formula.value("n_id_degree").toInt(), formula.value("str_fault_degree").toString()});
    }
    const QMap<QString, QPair<int, QString>> expected = {
        {"F0", {1, "紧急"}}, {"F1", {1, "紧急"}}, {"F2", {2, "严重"}}, {"F3", {3, "关注"}},
        {"F4", {4, "一般"}}, {"F5", {5, "正常"}}, {"F6", {0, "Unknown"}}};
    QCOMPARE(levels, expected);
}

bool DetectRuleExchangeTest::write_lying_package(const QString& path, const QList<QStringList>& rows,
                                                 const QList<Entry>& more)
{
    const QList<Entry> entries = QList<Entry>{{"0/x.jpg", QByteArray(2 << 20, '\0')}} + more +
                                 QList<Entry>{{"s.xls", sheet_bytes(rows)}};
    if (!write_package(path, entries)) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return false;
    }
    QByteArray bytes = file.readAll();
    const quint32 declared = 1000;
    const int central = bytes.indexOf("PK\x01\x02");
    if (!bytes.startsWith("PK\x03\x04") || central <= 0) {
        return false;
    }
    qToLittleEndian(declared, bytes.data() + 22);
    qToLittleEndian(declared, bytes.data() + central + 24);
    m_job->set_package_limits(1 << 20, 4 << 20);
    return file.seek(0) && file.write(bytes) == bytes.size();
}

void DetectRuleExchangeTest::import_entry_longer_than_declared()
{
    // The picture's headers declare 1000 bytes, its data inflates to 2 MiB:
    // extraction stops, the damaged entry writes no file, and the rows
    // already imported are taken back.
    const QString package = m_out->filePath("lying.zip");
    QVERIFY(write_lying_package(package, {sheet_row("0"), sheet_row("0", "0/x.jpg")}));
    m_guard.expect(QRegularExpression("damaged package entry"));
    QCOMPARE(import_package(package), int(Status::RES_ZIP_OPEN_ERR));
    QCOMPARE(count("SELECT COUNT(*) FROM t_detect_rules"), 0);
    QVERIFY(files_below(pictures()).isEmpty());
}

void DetectRuleExchangeTest::import_refused_keeps_old_pictures()
{
    // The first row replaces an existing rule's picture, the second fails:
    // the old picture stays, and a good import then replaces it.
    add_rule(0, "T", "S", QByteArray("old"), 0);
    const QString name = QStringLiteral("0/T/110kV/套管/S.jpg");
    const QStringList before = files_below(pictures());
    const QString package = m_out->filePath("lying.zip");
    QVERIFY(write_lying_package(package, {sheet_row("0", name), sheet_row("0", "0/x.jpg")}, {{name, "new"}}));
    m_guard.expect(QRegularExpression("damaged package entry"));
    QCOMPARE(import_package(package), int(Status::RES_ZIP_OPEN_ERR));
    QFile picture(pictures() + "/" + name);
    QVERIFY(picture.open(QIODevice::ReadOnly));
    QCOMPARE(picture.readAll(), QByteArray("old"));
    picture.close();
    QCOMPARE(files_below(pictures()), before);

    const QString good = m_out->filePath("good.zip");
    QVERIFY(write_package(good, {{name, "new"}, {"s.xls", sheet_bytes({sheet_row("0", name)})}}));
    QCOMPARE(import_package(good), int(Status::RES_SUCCESS));
    QVERIFY(picture.open(QIODevice::ReadOnly));
    QCOMPARE(picture.readAll(), QByteArray("new"));
    QCOMPARE(files_below(pictures()), before);
}

void DetectRuleExchangeTest::import_unwritable_picture_keeps_database_and_pictures()
{
    // Every row is valid, but the second picture cannot take its place (a
    // folder stands there): neither the rows nor the first picture, which
    // replaced an existing one, stay.
    const qint64 id = add_rule(0, "T", "S", QByteArray("old"), 1);
    const QString name = QStringLiteral("0/T/110kV/套管/S.jpg");
    const QString blocked = QStringLiteral("0/T/110kV/套管/U.jpg");
    QVERIFY(QDir().mkpath(pictures() + "/" + blocked));
    const QStringList before = files_below(pictures());
    QStringList changed = sheet_row("0", name);
    changed[8] = "changed";
    QStringList added = sheet_row("0", blocked);
    added[5] = "U";
    const QString package = m_out->filePath("blocked.zip");
    QVERIFY(write_package(package, {{name, "new"}, {blocked, "blocked"},
                                    {"s.xls", sheet_bytes({changed, added})}}));
    m_guard.expect(QRegularExpression("cannot move the imported picture"));
    QCOMPARE(import_package(package), int(Status::RES_DISK_SPACE_ERR));
    QCOMPARE(count("SELECT COUNT(*) FROM t_detect_rules"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM t_formula_of_detect_rules"), 1);
    QCOMPARE(DataSql::instance()->get_detect_rule_info(id).value("str_judge_des").toString(),
             QStringLiteral("判据 'quoted'\r\n第二行"));
    QFile picture(pictures() + "/" + name);
    QVERIFY(picture.open(QIODevice::ReadOnly));
    QCOMPARE(picture.readAll(), QByteArray("old"));
    QCOMPARE(files_below(pictures()), before);
    QVERIFY(QFileInfo(pictures() + "/" + blocked).isDir());
}

QTEST_MAIN(DetectRuleExchangeTest)
#include "detect_rule_exchange_test.moc"
