#include "rules/data_sql.h"

#include "rules/bound_statement.h"
#include "rules/rule_package_path.h"
#include "rules/rules_log.h"
#include "rules/sql_connection_pool.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <initializer_list>
#include <memory>
#include <utility>

namespace {

// Null texts (keys the QML left out) are bound as empty texts.
bool run(QSqlQuery& query, const QString& sql, const QVariantList& values = {})
{
    return run_bound(query, sql, values);
}

// A column as text; a NULL reads as the empty text.
QString text(const QSqlQuery& query, const char* column)
{
    return query.value(QString::fromLatin1(column)).toString();
}

qint64 int64(const QSqlQuery& query, const char* column)
{
    return query.value(QString::fromLatin1(column)).toLongLong();
}

// Copies text columns into JSON keys: {key, column} pairs.
void copy_texts(const QSqlQuery& query, QJsonObject& object,
                std::initializer_list<std::pair<const char*, const char*>> keys)
{
    for (const auto& key : keys) {
        object.insert(QString::fromLatin1(key.first), text(query, key.second));
    }
}

// Rule columns shared by the rule summary and the rule detail.
void copy_rule_texts(const QSqlQuery& query, QJsonObject& rule)
{
    copy_texts(query, rule,
               {{"str_dev_type", "dev_type_name"}, {"str_dev_voltage", "dev_voltage"}, {"str_dev_part", "dev_part"},
                {"str_shape", "shape"}, {"str_anas", "anas"}, {"str_file_path", "image_file_name"},
                {"str_judge_des", "des_of_judgement"}});
}

// Takes an open connection for one operation and readies a query on it;
// false (with the operation's "a" line) when there is none.
bool take_connection(const PooledConnection& holder, QSqlQuery& query, const char* what, const QVariant& key = {})
{
    QSqlDatabase* db = holder.open_connection();
    if (db == nullptr) {
        qCDebug(lc_db) << what << "a" << key;
        return false;
    }
    query = QSqlQuery(*db);
    return true;
}

QJsonArray anas_array(const QString& anas)
{
    const QJsonDocument doc = QJsonDocument::fromJson(anas.toUtf8());
    return doc.isArray() ? doc.array() : QJsonArray();
}

// Where rules are chosen for deletion: one rule by id, or a kind and device
// type narrowed by voltage and part when those are given.
struct RuleCondition {
    QString sql;
    QVariantList values;
};

RuleCondition rule_condition(int kind, const QString& dev_type, const QString& voltage, const QString& part,
                             qint64 id)
{
    RuleCondition c;
    if (id > 0) {
        c.sql = QStringLiteral(" id = ?");
        c.values << id;
        return c;
    }
    c.sql = QStringLiteral(" substation_type = ? AND dev_type_name = ?");
    c.values << kind << dev_type;
    if (!voltage.isEmpty()) {
        c.sql += QStringLiteral(" AND dev_voltage = ?");
        c.values << voltage;
    }
    if (!part.isEmpty()) {
        c.sql += QStringLiteral(" AND dev_part = ?");
        c.values << part;
    }
    return c;
}

// The five joined formula texts of an applied rule or a fault.
struct JoinedTexts {
    static constexpr const char* kColumns[5] = {"formula", "des_of_formula", "judgement_result", "thermal_feature",
                                                 "handing_suggestion"};
    QString texts[5];

    void add(const QSqlQuery& query)
    {
        for (int i = 0; i < 5; ++i) {
            if (!texts[i].trimmed().isEmpty()) {
                texts[i] += QStringLiteral(" 或 ");
            }
            const QString column = text(query, kColumns[i]);
            if (!column.trimmed().isEmpty()) {
                texts[i] += QStringLiteral("( ") + column + QStringLiteral(" )");
            }
        }
    }

    void write(QJsonObject& object) const
    {
        for (int i = 0; i < 5; ++i) {
            object.insert(QString::fromLatin1(kColumns[i]), texts[i]);
        }
    }
};

constexpr const char* JoinedTexts::kColumns[5];

const char* const kSelectFormulasOfRule =
    "select id as formula_id,fault_degree_id,fault_degree_name,formula,des_of_formula,judgement_result,"
    "thermal_feature,handing_suggestion from t_formula_of_detect_rules where detect_rule_id = ?";

// A rule row of S4/S6 with its formulas read on a second query.
bool rule_with_formulas(QSqlDatabase& db, const QSqlQuery& rule, QJsonObject& out)
{
    const qint64 id = int64(rule, "detect_rule_id");
    QSqlQuery formulas(db);
    if (!run(formulas, QString::fromLatin1(kSelectFormulasOfRule), {id})) {
        return false;
    }
    QJsonArray items;
    QString degrees;
    while (formulas.next()) {
        QJsonObject item;
        copy_texts(formulas, item,
                   {{"fault_degree", "fault_degree_name"}, {"detect_formula", "formula"},
                    {"des_of_formula", "des_of_formula"}, {"judgement_result", "judgement_result"},
                    {"thermal_feature", "thermal_feature"}, {"handing_suggestion", "handing_suggestion"}});
        item.insert(QStringLiteral("formula_id"), static_cast<int>(int64(formulas, "formula_id")));
        items.append(item);
        degrees += text(formulas, "fault_degree_name") + QStringLiteral(": ") + text(formulas, "formula") +
                   QStringLiteral("\r\n");
    }
    out.insert(QStringLiteral("n_detect_rule_id"), id);
    out.insert(QStringLiteral("str_shape"), text(rule, "shape"));
    out.insert(QStringLiteral("anas"), anas_array(text(rule, "anas")));
    out.insert(QStringLiteral("str_file_path"), text(rule, "image_file_name"));
    out.insert(QStringLiteral("str_judge_des"), text(rule, "des_of_judgement"));
    out.insert(QStringLiteral("formula_arr"), items);
    out.insert(QStringLiteral("formula_fault_degree"), degrees);
    return true;
}

// Whether path names a file strictly inside folder, after links are followed.
bool is_inside(const QString& path, const QString& folder)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    const QString file = QFileInfo(path).canonicalFilePath();
    return !root.isEmpty() && !file.isEmpty() && file.startsWith(root + QLatin1Char('/'));
}

// Deletes the chosen rules, then their picture files: a file goes only
// when its row is gone and it lies inside the rule-picture folder, so a
// stored path can never reach the user's other files.
bool delete_rules(const char* name, const RuleCondition& condition, const QString& image_dir)
{
    PooledConnection holder;
    QSqlDatabase* db = holder.open_connection();
    if (db == nullptr) {
        qCDebug(lc_db) << name << "a";
        return false;
    }
    QSqlQuery query(*db);
    if (!run(query, QStringLiteral("SELECT image_file_name FROM t_detect_rules WHERE") + condition.sql,
             condition.values)) {
        qCDebug(lc_db) << name << "b" << query.lastError().text();
        return false;
    }
    QStringList files;
    while (query.next()) {
        files << query.value(0).toString();
    }
    if (!run(query, QStringLiteral("DELETE FROM t_detect_rules WHERE") + condition.sql, condition.values)) {
        qCDebug(lc_db) << name << "c" << query.lastError().text();
        return false;
    }
    for (const QString& file : files) {
        if (file.isEmpty()) {
            continue;
        }
        if (!is_inside(file, image_dir)) {
            qCWarning(lc_db) << name << "keeps a picture outside the rule-picture folder:" << file;
            continue;
        }
        QFile::remove(file);
    }
    return true;
}

}  // namespace

DataSql::DataSql(QObject* parent)
    : QObject(parent)
    , m_rule_image_dir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/RuleImage"))
{
}

DataSql* DataSql::instance()
{
    static QMutex s_mutex;
    static std::unique_ptr<DataSql> s_instance;
    QMutexLocker lock(&s_mutex);
    if (!s_instance) {
        s_instance.reset(new DataSql());
    }
    return s_instance.get();
}

void DataSql::set_rule_image_dir(const QString& dir)
{
    m_rule_image_dir = dir;
}

QString DataSql::rule_image_dir() const
{
    return m_rule_image_dir;
}

QString DataSql::get_rule_picture_target(int n_substation_type, const QString& str_dev_type,
                                         const QString& str_dev_vol, const QString& str_dev_part,
                                         const QString& str_shape) const
{
    const QString target = RulePackagePath::rule_picture_target(m_rule_image_dir, n_substation_type, str_dev_type,
                                                                str_dev_vol, str_dev_part, str_shape);
    if (target.isEmpty()) {
        qCWarning(lc_db) << "no picture path can be made of the rule's texts";
    }
    return target;
}

QJsonArray DataSql::get_detect_rule_from_substation_type(int n_substation_type)
{
    PooledConnection holder;
    QSqlQuery query;
    if (!take_connection(holder, query, "get_detect_rule_from_substation_type", n_substation_type)) {
        return {};
    }
    if (!run(query,
             QStringLiteral("SELECT * FROM t_detect_rules WHERE substation_type = ? "
                            "ORDER BY dev_type_name, dev_voltage, dev_part, shape"),
             {n_substation_type})) {
        return {};
    }
    QJsonArray rules;
    while (query.next()) {
        QJsonObject rule;
        rule.insert(QStringLiteral("n_id"), int64(query, "id"));
        copy_rule_texts(query, rule);
        rules.append(rule);
    }
    return rules;
}

QJsonArray DataSql::get_detect_rule_formula(int n_id_detect_rule)
{
    if (n_id_detect_rule == -1) {
        return {};
    }
    PooledConnection holder;
    QSqlQuery query;
    if (!take_connection(holder, query, "get_detect_rule_formula", n_id_detect_rule)) {
        return {};
    }
    if (!run(query, QStringLiteral("SELECT * FROM t_formula_of_detect_rules WHERE detect_rule_id = ?"),
             {n_id_detect_rule})) {
        qCDebug(lc_db) << "get_detect_rule_formula b" << n_id_detect_rule << query.lastError().text();
        return {};
    }
    QJsonArray formulas;
    while (query.next()) {
        QJsonObject formula;
        formula.insert(QStringLiteral("n_id"), int64(query, "id"));
        formula.insert(QStringLiteral("n_id_degree"), query.value(QStringLiteral("fault_degree_id")).toInt());
        copy_texts(query, formula,
                   {{"str_fault_degree", "fault_degree_name"}, {"str_formula", "formula"},
                    {"str_des_of_formula", "des_of_formula"}, {"str_judgement_result", "judgement_result"},
                    {"str_thermal_feature", "thermal_feature"}, {"str_handing_suggestion", "handing_suggestion"}});
        formulas.append(formula);
    }
    return formulas;
}

QJsonObject DataSql::get_detect_rule_info(int n_id_detect_rule)
{
    if (n_id_detect_rule == -1) {
        return {};
    }
    PooledConnection holder;
    QSqlQuery query;
    if (!take_connection(holder, query, "get_detect_rule_info", n_id_detect_rule)) {
        return {};
    }
    if (!run(query, QStringLiteral("SELECT * FROM t_detect_rules WHERE id = ?"), {n_id_detect_rule})) {
        qCDebug(lc_db) << "get_detect_rule_info b" << n_id_detect_rule << query.lastError().text();
        return {};
    }
    if (!query.next()) {
        return {};
    }
    QJsonObject rule;
    rule.insert(QStringLiteral("n_id"), int64(query, "id"));
    rule.insert(QStringLiteral("n_substation_type"), query.value(QStringLiteral("substation_type")).toInt());
    copy_rule_texts(query, rule);
    rule.insert(QStringLiteral("anas"), anas_array(text(query, "anas")));
    return rule;
}

QJsonArray DataSql::get_detect_rule_info_with_dev(int n_substation_type, const QString& str_dev_type,
                                                  const QString& str_dev_vol, const QString& str_dev_part)
{
    PooledConnection holder;
    QSqlQuery query;
    if (!take_connection(holder, query, "get_detect_rule_info_with_dev", n_substation_type)) {
        return {};
    }
    if (!run(query,
             QStringLiteral("SELECT id AS detect_rule_id,shape,anas,image_file_name,des_of_judgement "
                            "FROM t_detect_rules WHERE substation_type = ? AND dev_type_name = ? "
                            "AND dev_voltage = ? AND dev_part = ?"),
             {n_substation_type, str_dev_type, str_dev_vol, str_dev_part})) {
        qCDebug(lc_db) << "get_detect_rule_info_with_dev b" << n_substation_type << query.lastError().text();
        return {};
    }
    QJsonArray rules;
    while (query.next()) {
        QJsonObject rule;
        if (!rule_with_formulas(*holder.open_connection(), query, rule)) {
            return {};
        }
        qCDebug(lc_db) << "s_formula_fault_degree: " << rule.value(QStringLiteral("formula_fault_degree")).toString();
        rules.append(rule);
    }
    return rules;
}

QJsonObject DataSql::get_detect_rule_info_with_id(int n_id_detect_rule)
{
    PooledConnection holder;
    QSqlQuery query;
    if (!take_connection(holder, query, "get_detect_rule_info_with_dev", n_id_detect_rule)) {
        return {};
    }
    if (!run(query,
             QStringLiteral("SELECT id AS detect_rule_id,shape,anas,image_file_name,des_of_judgement "
                            "FROM t_detect_rules WHERE id = ?"),
             {n_id_detect_rule})) {
        qCDebug(lc_db) << "get_detect_rule_info_with_dev b" << n_id_detect_rule << query.lastError().text();
        return {};
    }
    QJsonObject rule;
    if (!query.next() || !rule_with_formulas(*holder.open_connection(), query, rule)) {
        return {};
    }
    return rule;
}

int DataSql::insert_detect_rule(int n_substation_type, const QString& str_dev_type, const QString& str_dev_vol,
                                const QString& str_dev_part, const QString& str_shape,
                                const QString& str_judgement_des)
{
    PooledConnection holder;
    QSqlDatabase* db = holder.open_connection();
    if (db == nullptr) {
        qCDebug(lc_db) << "insert_detect_rule a";
        return -1;
    }
    const QString find = QStringLiteral(
        "select id from t_detect_rules where dev_type_name = ? and shape = ? and dev_part = ? "
        "and substation_type = ? and dev_voltage = ?");
    const QVariantList key{str_dev_type, str_shape, str_dev_part, n_substation_type, str_dev_vol};
    QSqlQuery query(*db);
    if (run(query, find, key) && query.next()) {
        return query.value(0).toInt();
    }
    if (!run(query,
             QStringLiteral("insert into t_detect_rules ( substation_type, dev_type_name, dev_voltage, dev_part, "
                            "shape, des_of_judgement ) values( ?, ?, ?, ?, ?, ? )"),
             {n_substation_type, str_dev_type, str_dev_vol, str_dev_part, str_shape, str_judgement_des})) {
        qCDebug(lc_db) << "insert t_detect_rules failed! b:" << query.lastError().text() << query.lastQuery();
        return -1;
    }
    if (!run(query, find, key) || !query.next()) {
        qCDebug(lc_db) << "insert t_detect_rules failed! c:" << query.lastError().text();
        return -1;
    }
    return query.value(0).toInt();
}

bool DataSql::modify_detect_rule(qint64 n_id_rule, const QString& str_save_path, const QString& str_anas)
{
    PooledConnection holder;
    QSqlDatabase* db = holder.open_connection();
    QSqlQuery query(db != nullptr ? *db : QSqlDatabase());
    if (db == nullptr ||
        !run(query, QStringLiteral("UPDATE t_detect_rules SET image_file_name = ?, anas = ? WHERE id = ?"),
             {str_save_path, str_anas, n_id_rule})) {
        qCDebug(lc_db) << "modify_detect_rule a" << n_id_rule << query.lastError().text();
        return false;
    }
    return true;
}

bool DataSql::delete_detect_rule(int n_substation_type, const QString& str_dev_type, const QString& str_dev_vol,
                                 const QString& str_dev_part, qint64 n_id_rule)
{
    return delete_rules("delete_detect_rule",
                        rule_condition(n_substation_type, str_dev_type, str_dev_vol, str_dev_part, n_id_rule),
                        m_rule_image_dir);
}

bool DataSql::delete_all_rule(int n_substation_type)
{
    return delete_rules("delete_all_rule", {QStringLiteral(" substation_type = ?"), {n_substation_type}},
                        m_rule_image_dir);
}

int DataSql::insert_rule_formula(const QJsonObject& obj_info)
{
    PooledConnection holder;
    QSqlDatabase* db = holder.open_connection();
    if (db == nullptr) {
        qCDebug(lc_db) << "insert_rule_formula a";
        return -1;
    }
    const qint64 rule = obj_info.value(QStringLiteral("detect_rules_id")).toVariant().toLongLong();
    const int degree = obj_info.value(QStringLiteral("fault_degree_id")).toInt();
    auto str = [&obj_info](const char* key) { return obj_info.value(QString::fromLatin1(key)).toString(); };
    const QString find = QStringLiteral(
        "select id from t_formula_of_detect_rules where detect_rule_id = ? and fault_degree_id = ? and formula = ? "
        "and des_of_formula = ? and judgement_result = ? and thermal_feature = ? and handing_suggestion = ?");
    const QVariantList key{rule,
                           degree,
                           str("formula"),
                           str("des_of_formula"),
                           str("fault_feature"),
                           str("thermal_feature"),
                           str("handing_suggestion")};
    QSqlQuery query(*db);
    if (run(query, find, key) && query.next()) {
        return query.value(0).toInt();
    }
    if (!run(query,
             QStringLiteral("insert into t_formula_of_detect_rules ( detect_rule_id, fault_degree_id, "
                            "fault_degree_name, formula, des_of_formula, judgement_result, thermal_feature, "
                            "handing_suggestion ) values( ?, ?, ?, ?, ?, ?, ?, ? )"),
             {rule, degree, stored_degree_name(degree, str("fault_degree_name")), str("formula"),
              str("des_of_formula"), str("fault_feature"), str("thermal_feature"), str("handing_suggestion")})) {
        qCDebug(lc_db) << "insert_rule_formula failed! b:" << query.lastError().text() << query.lastQuery();
        return -1;
    }
    if (!run(query, find, key) || !query.next()) {
        qCDebug(lc_db) << "insert_rule_formula failed! c:" << query.lastError().text();
        return -1;
    }
    return query.value(0).toInt();
}

bool DataSql::modify_rule_formula(const QJsonObject& obj_info)
{
    PooledConnection holder;
    QSqlDatabase* db = holder.open_connection();
    QSqlQuery query(db != nullptr ? *db : QSqlDatabase());
    auto str = [&obj_info](const char* key) { return obj_info.value(QString::fromLatin1(key)).toString(); };
    const int degree = obj_info.value(QStringLiteral("fault_degree_id")).toInt();
    if (db == nullptr ||
        !run(query,
             QStringLiteral("UPDATE t_formula_of_detect_rules SET fault_degree_id = ?, fault_degree_name = ?, "
                            "formula = ?, des_of_formula = ?, judgement_result = ?, thermal_feature = ?, "
                            "handing_suggestion = ? WHERE id = ?"),
             {degree, stored_degree_name(degree, str("fault_degree_name")), str("formula"),
              str("des_of_formula"), str("fault_feature"), str("thermal_feature"), str("handing_suggestion"),
              obj_info.value(QStringLiteral("id_formula")).toVariant().toLongLong()})) {
        qCDebug(lc_db) << "modify_rule_formula a" << query.lastError().text();
        return false;
    }
    return true;
}

bool DataSql::delete_rule_formula(qint64 n_id_formula)
{
    PooledConnection holder;
    QSqlQuery query;
    if (!take_connection(holder, query, "delete_rule_formula", n_id_formula)) {
        return false;
    }
    if (!run(query, QStringLiteral("DELETE FROM t_formula_of_detect_rules WHERE id = ?"), {n_id_formula})) {
        qCDebug(lc_db) << "delete_rule_formula b" << n_id_formula << query.lastError().text() << "sql"
                       << query.lastQuery();
        return false;
    }
    return true;
}

QJsonObject DataSql::get_apply_detect_rule_info(qint64 n_id_detect_rule, qint64 n_id_fault)
{
    PooledConnection holder;
    QSqlQuery query;
    if (!take_connection(holder, query, "get_apply_detect_rule_info", n_id_detect_rule)) {
        return {};
    }
    const bool normal = n_id_fault == 5;
    const bool ran =
        normal ? run(query,
                     QStringLiteral("SELECT dev_type_name, dev_voltage, dev_part, shape, image_file_name "
                                    "FROM t_detect_rules WHERE t_detect_rules.id = ?"),
                     {n_id_detect_rule})
               : run(query,
                     QStringLiteral("SELECT dev_type_name, dev_voltage, dev_part, shape, image_file_name, "
                                    "des_of_formula, formula, judgement_result, thermal_feature, "
                                    "handing_suggestion FROM t_detect_rules LEFT JOIN t_formula_of_detect_rules "
                                    "ON t_detect_rules.id = t_formula_of_detect_rules.detect_rule_id "
                                    "WHERE t_detect_rules.id = ? AND t_formula_of_detect_rules.fault_degree_id = ? "
                                    "GROUP BY formula"),
                     {n_id_detect_rule, n_id_fault});
    if (!ran) {
        qCDebug(lc_db) << "get_apply_detect_rule_info b" << n_id_detect_rule << query.lastError().text() << "sql"
                       << query.lastQuery();
        return {};
    }
    QJsonObject applied;
    JoinedTexts joined;
    bool first = true;
    while (query.next()) {
        if (first) {
            copy_texts(query, applied,
                       {{"dev_type", "dev_type_name"}, {"dev_vol", "dev_voltage"}, {"dev_part", "dev_part"},
                        {"dev_shape", "shape"}, {"image_file_name", "image_file_name"}});
            first = false;
        }
        if (!normal) {
            joined.add(query);
        }
    }
    joined.write(applied);
    return applied;
}

QJsonObject DataSql::get_detect_fault_info(qint64 n_id_detect_rule, qint64 n_id_fault)
{
    PooledConnection holder;
    QSqlQuery query;
    if (!take_connection(holder, query, "get_apply_detect_rule_info", n_id_detect_rule)) {
        return {};
    }
    if (!run(query,
             QStringLiteral("SELECT detect_rule_id,fault_degree_id,fault_degree_name,formula,des_of_formula,"
                            "judgement_result,thermal_feature,handing_suggestion FROM t_formula_of_detect_rules "
                            "WHERE detect_rule_id = ?"),
             {n_id_detect_rule})) {
        qCDebug(lc_db) << "get_apply_detect_rule_info b" << n_id_detect_rule << query.lastError().text();
        return {};
    }
    QJsonObject fault;
    JoinedTexts joined;
    QString degrees;
    while (query.next()) {
        degrees += text(query, "fault_degree_name") + QStringLiteral(": ") + text(query, "formula") +
                   QStringLiteral("\r\n");
        if (query.value(QStringLiteral("fault_degree_id")).toLongLong() == n_id_fault) {
            joined.add(query);
        }
    }
    fault.insert(QStringLiteral("formula_fault_degree"), degrees);
    joined.write(fault);
    return fault;
}

QString DataSql::stored_degree_name(int n_id_degree, const QString& str_given)
{
    static const QString names[] = {QStringLiteral("紧急"), QStringLiteral("严重"), QStringLiteral("关注"),
                                    QStringLiteral("一般"), QStringLiteral("正常")};
    return n_id_degree >= 1 && n_id_degree <= 5 ? names[n_id_degree - 1] : str_given;
}

QMap<QString, int> DataSql::fault_degree_map()
{
    return {{QStringLiteral("危急"), 1}, {QStringLiteral("紧急"), 1}, {QStringLiteral("严重"), 2},
            {QStringLiteral("关注"), 3}, {QStringLiteral("一般"), 4}, {QStringLiteral("正常"), 5}};
}
