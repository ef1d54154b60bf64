// The rule service over a fresh template copy: bound texts, insert-or-find,
// deletion of rules and their pictures, joined formula texts.
#include "message_guard.h"
#include "rule_db_fixture.h"
#include "rules/data_sql.h"
#include "rules/sql_connection_pool.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class DataSqlTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void init()
    {
        QVERIFY(m_db.start());
        DataSql::instance()->set_rule_image_dir(m_db.dir() + QStringLiteral("/RuleImage"));
    }
    void cleanup()
    {
        m_db.stop();
        m_guard.verify();
    }
    void rule_texts_round_trip_data();
    void rule_texts_round_trip();
    void rule_insert_or_find();
    void formula_insert_or_find_ignores_degree_name();
    void rule_minus_one_answers_empty();
    void rule_anas_not_array();
    void delete_removes_rows_then_pictures_inside_folder_only();
    void delete_by_id_ignores_texts();
    void fault_info_joins_matching_degrees();
    void apply_rule_degree_five_has_no_formula_text();
    void broken_database_fails_every_call();

private:
    int count(const QString& sql) { return rule_db_scalar(m_db.path(), sql).toInt(); }
    static QJsonObject formula(qint64 rule, int degree, const QString& name, const QString& text);

    roadtest::MessageGuard m_guard;
    RuleDbFixture m_db;
};

QJsonObject DataSqlTest::formula(qint64 rule, int degree, const QString& name, const QString& text)
{
    return QJsonObject{{"detect_rules_id", rule},       {"fault_degree_id", degree}, {"fault_degree_name", name},
                       {"formula", text},               {"des_of_formula", "d"},     {"fault_feature", "f"},
                       {"thermal_feature", "t"},        {"handing_suggestion", "h"}};
}

void DataSqlTest::rule_texts_round_trip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("quote") << QStringLiteral("O'Brien's \"box\"");
    QTest::newRow("placeholder") << QStringLiteral("%1 %3 %%2 ?");
    QTest::newRow("injection") << QStringLiteral("x'); DROP TABLE t_detect_rules; --");
    QTest::newRow("chinese") << QStringLiteral("变压器 套管 ℃");
    QTest::newRow("backslash and newline") << QStringLiteral("a\\b\r\nc\td");
}

void DataSqlTest::rule_texts_round_trip()
{
    QFETCH(QString, value);
    DataSql* sql = DataSql::instance();
    const int id = sql->insert_detect_rule(2, value, value + "kV", value, value, value);
    QVERIFY(id > 0);
    const QJsonObject rule = sql->get_detect_rule_info(id);
    QCOMPARE(rule.value("str_dev_type").toString(), value);
    QCOMPARE(rule.value("str_dev_voltage").toString(), value + "kV");
    QCOMPARE(rule.value("str_judge_des").toString(), value);
    QCOMPARE(rule.value("n_substation_type").toInt(), 2);
    QCOMPARE(sql->get_detect_rule_info_with_dev(2, value, value + "kV", value).size(), 1);
    QVERIFY(sql->modify_detect_rule(id, value, value));
    QCOMPARE(sql->get_detect_rule_from_substation_type(2).at(0).toObject().value("str_file_path").toString(), value);

    const int formula_id = sql->insert_rule_formula(formula(id, 3, value, value));
    QVERIFY(formula_id > 0);
    QJsonObject changed = formula(id, 4, value + "!", value + "!");
    changed.insert("id_formula", formula_id);
    QVERIFY(sql->modify_rule_formula(changed));
    const QJsonArray formulas = sql->get_detect_rule_formula(id);
    QCOMPARE(formulas.size(), 1);
    QCOMPARE(formulas.at(0).toObject().value("str_formula").toString(), value + "!");
    // The level is the degree id; the name beside it is the degree's own,
    // whatever name the caller gave.
    QCOMPARE(formulas.at(0).toObject().value("str_fault_degree").toString(), QStringLiteral("一般"));
    QCOMPARE(formulas.at(0).toObject().value("n_id_degree").toInt(), 4);
    QCOMPARE(count("SELECT COUNT(*) FROM t_detect_rules"), 1);
}

void DataSqlTest::rule_insert_or_find()
{
    DataSql* sql = DataSql::instance();
    const int a = sql->insert_detect_rule(0, "breaker", "110kV", "joint", "round", "first");
    const int again = sql->insert_detect_rule(0, "breaker", "110kV", "joint", "round", "other criterion");
    const int other_shape = sql->insert_detect_rule(0, "breaker", "110kV", "joint", "square", "");
    const int other_kind = sql->insert_detect_rule(1, "breaker", "110kV", "joint", "round", "");
    QVERIFY(a > 0);
    QCOMPARE(again, a);
    QVERIFY(other_shape != a && other_shape > 0);
    QVERIFY(other_kind != a && other_kind != other_shape);
    QCOMPARE(count("SELECT COUNT(*) FROM t_detect_rules"), 3);
    // Ordered by device type, voltage, part and shape.
    const QJsonArray kind0 = sql->get_detect_rule_from_substation_type(0);
    QCOMPARE(kind0.size(), 2);
    QCOMPARE(kind0.at(0).toObject().value("str_shape").toString(), QStringLiteral("round"));
    QCOMPARE(kind0.at(0).toObject().value("n_id").toInt(), a);
}

void DataSqlTest::formula_insert_or_find_ignores_degree_name()
{
    DataSql* sql = DataSql::instance();
    const int rule = sql->insert_detect_rule(0, "cable", "", "", "", "");
    const int first = sql->insert_rule_formula(formula(rule, 1, "紧急", "R01:Max > 80"));
    QVERIFY(first > 0);
    QCOMPARE(sql->insert_rule_formula(formula(rule, 1, "危急", "R01:Max > 80")), first);
    QVERIFY(sql->insert_rule_formula(formula(rule, 2, "严重", "R01:Max > 80")) != first);
    QCOMPARE(count("SELECT COUNT(*) FROM t_formula_of_detect_rules"), 2);
    QVERIFY(sql->delete_rule_formula(first));
    QVERIFY(sql->delete_rule_formula(987654));  // no such row still counts as run
    QCOMPARE(count("SELECT COUNT(*) FROM t_formula_of_detect_rules"), 1);
}

void DataSqlTest::rule_minus_one_answers_empty()
{
    m_db.stop();  // no connection at all: the -1 answers must not need one
    DataSql* sql = DataSql::instance();
    QVERIFY(sql->get_detect_rule_formula(-1).isEmpty());
    QVERIFY(sql->get_detect_rule_info(-1).isEmpty());
}

void DataSqlTest::rule_anas_not_array()
{
    DataSql* sql = DataSql::instance();
    const int id = sql->insert_detect_rule(0, "a", "", "", "", "");
    for (const QString& anas : {QString(), QStringLiteral("{\"x\":1}"), QStringLiteral("[{\"ana_alias\":\"R01\"}]")}) {
        QVERIFY(sql->modify_detect_rule(id, QString(), anas));
        const QJsonObject rule = sql->get_detect_rule_info(id);
        QCOMPARE(rule.value("str_anas").toString(), anas);
        QCOMPARE(rule.value("anas").toArray().size(), anas.startsWith('[') ? 1 : 0);
        QCOMPARE(sql->get_detect_rule_info_with_id(id).value("anas").toArray().size(), anas.startsWith('[') ? 1 : 0);
    }
}

void DataSqlTest::delete_removes_rows_then_pictures_inside_folder_only()
{
    DataSql* sql = DataSql::instance();
    const QDir root(m_db.dir());
    QVERIFY(root.mkpath("RuleImage/0/breaker"));
    const QString inside = root.filePath("RuleImage/0/breaker/a.jpg");
    const QString outside = root.filePath("user-photo.jpg");
    const QString escaping = root.filePath("RuleImage/../user-notes.jpg");
    for (const QString& path : {inside, outside, root.filePath("user-notes.jpg")}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const int a = sql->insert_detect_rule(0, "breaker", "110kV", "joint", "", "");
    const int b = sql->insert_detect_rule(0, "breaker", "220kV", "head", "", "");
    const int c = sql->insert_detect_rule(0, "breaker", "35kV", "", "", "");
    const int kept = sql->insert_detect_rule(0, "cable", "110kV", "", "", "");
    QVERIFY(sql->modify_detect_rule(a, inside, ""));
    QVERIFY(sql->modify_detect_rule(b, outside, ""));
    QVERIFY(sql->modify_detect_rule(c, escaping, ""));
    QVERIFY(sql->insert_rule_formula(formula(a, 1, "", "x")) > 0);

    m_guard.expect(QRegularExpression("outside the rule-picture folder"));
    m_guard.expect(QRegularExpression("outside the rule-picture folder"));
    // Empty voltage and part: every rule of the kind and type goes.
    QVERIFY(sql->delete_detect_rule(0, "breaker", "", "", -1));
    QCOMPARE(count("SELECT COUNT(*) FROM t_detect_rules"), 1);
    QCOMPARE(sql->get_detect_rule_from_substation_type(0).at(0).toObject().value("n_id").toInt(), kept);
    QVERIFY(!QFile::exists(inside));
    QVERIFY(QFile::exists(outside));
    QVERIFY(QFile::exists(root.filePath("user-notes.jpg")));
    // Formula rows stay behind; a new rule never takes the old id.
    QCOMPARE(count("SELECT COUNT(*) FROM t_formula_of_detect_rules"), 1);
    QVERIFY(sql->insert_detect_rule(0, "breaker", "110kV", "joint", "", "") > kept);
}

void DataSqlTest::delete_by_id_ignores_texts()
{
    DataSql* sql = DataSql::instance();
    const int a = sql->insert_detect_rule(1, "x", "1", "p", "", "");
    const int b = sql->insert_detect_rule(1, "x", "2", "p", "", "");
    const int blank = sql->insert_detect_rule(1, "", "", "", "", "");
    QVERIFY(sql->delete_detect_rule(0, "nothing", "matches", "here", b));
    QCOMPARE(sql->get_detect_rule_info(b), QJsonObject());
    QVERIFY(!sql->get_detect_rule_info(a).isEmpty());
    // Id 0 with empty texts: only the rules of that kind with an empty type.
    QVERIFY(sql->delete_detect_rule(1, "", "", "", 0));
    QVERIFY(sql->get_detect_rule_info(blank).isEmpty());
    QVERIFY(!sql->get_detect_rule_info(a).isEmpty());
    QVERIFY(sql->delete_all_rule(1));
    QCOMPARE(count("SELECT COUNT(*) FROM t_detect_rules"), 0);
}

void DataSqlTest::fault_info_joins_matching_degrees()
{
    DataSql* sql = DataSql::instance();
    const int rule = sql->insert_detect_rule(0, "t", "", "", "", "");
    QVERIFY(sql->insert_rule_formula(formula(rule, 3, "关注", "A")) > 0);
    QVERIFY(sql->insert_rule_formula(formula(rule, 1, "紧急", "B")) > 0);
    QJsonObject third = formula(rule, 3, "关注", "C");
    third.insert("des_of_formula", "  ");
    QVERIFY(sql->insert_rule_formula(third) > 0);

    const QJsonObject fault = sql->get_detect_fault_info(rule, 3);
    QCOMPARE(fault.value("formula_fault_degree").toString(),
             QStringLiteral("关注: A\r\n紧急: B\r\n关注: C\r\n"));
    QCOMPARE(fault.value("formula").toString(), QStringLiteral("( A ) 或 ( C )"));
    // The blank third description adds a separator and nothing after it.
    QCOMPARE(fault.value("des_of_formula").toString(), QStringLiteral("( d ) 或 "));

    const QJsonObject applied = sql->get_apply_detect_rule_info(rule, 3);
    QCOMPARE(applied.value("dev_type").toString(), QStringLiteral("t"));
    QCOMPARE(applied.value("formula").toString(), QStringLiteral("( A ) 或 ( C )"));

    const QJsonObject with_id = sql->get_detect_rule_info_with_id(rule);
    QCOMPARE(with_id.value("formula_arr").toArray().size(), 3);
    QCOMPARE(with_id.value("formula_fault_degree").toString(), fault.value("formula_fault_degree").toString());
}

void DataSqlTest::apply_rule_degree_five_has_no_formula_text()
{
    DataSql* sql = DataSql::instance();
    const int rule = sql->insert_detect_rule(0, "t", "10kV", "p", "s", "");
    QVERIFY(sql->insert_rule_formula(formula(rule, 5, "正常", "A")) > 0);
    const QJsonObject applied = sql->get_apply_detect_rule_info(rule, 5);
    QCOMPARE(applied.value("dev_vol").toString(), QStringLiteral("10kV"));
    QCOMPARE(applied.value("dev_shape").toString(), QStringLiteral("s"));
    for (const char* key : {"formula", "des_of_formula", "judgement_result", "thermal_feature", "handing_suggestion"}) {
        QVERIFY(applied.contains(key));
        QCOMPARE(applied.value(key).toString(), QString());
    }
    QCOMPARE(DataSql::fault_degree_map().value(QStringLiteral("危急")), 1);
    QCOMPARE(DataSql::fault_degree_map().size(), 6);
}

void DataSqlTest::broken_database_fails_every_call()
{
    // A file that is not a database: every call answers its failure value.
    m_db.stop();
    const QString junk = m_db.dir() + "/junk.db";
    {
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'j'));
    }
    QVERIFY(SqlConnectionPool::instance()->open(junk));
    DataSql* sql = DataSql::instance();
    QCOMPARE(sql->insert_detect_rule(0, "a", "", "", "", ""), -1);
    QCOMPARE(sql->insert_rule_formula(formula(1, 1, "", "x")), -1);
    QVERIFY(sql->get_detect_rule_from_substation_type(0).isEmpty());
    QVERIFY(sql->get_detect_rule_info(1).isEmpty());
    QVERIFY(!sql->modify_detect_rule(1, "", ""));
    QVERIFY(!sql->delete_all_rule(0));
    m_guard.expect(QRegularExpression("heartbeat failed"));
    QVERIFY(!SqlConnectionPool::instance()->heartbeat());
    QFile file(junk);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(4096, 'j'));
}

QTEST_MAIN(DataSqlTest)
#include "data_sql_test.moc"
