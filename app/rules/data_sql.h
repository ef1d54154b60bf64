// The program's service for detection rules and their fault formulas, called
// by the QML on the GUI thread (context property "DataSql"). Every value goes
// into its statement as a bound value; failures answer an empty result and a
// log line.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QString>

class DataSql : public QObject {
    Q_OBJECT
public:
    static DataSql* instance();

    // Folder that holds the rules' sample pictures; deleting rules removes
    // only picture files inside it. Start-up sets it beside the database;
    // RuleImage in the application-data folder until then.
    void set_rule_image_dir(const QString& dir);
    QString rule_image_dir() const;

    Q_INVOKABLE QJsonArray get_detect_rule_from_substation_type(int n_substation_type);
    Q_INVOKABLE QJsonArray get_detect_rule_formula(int n_id_detect_rule);
    Q_INVOKABLE QJsonObject get_detect_rule_info(int n_id_detect_rule);
    Q_INVOKABLE QJsonArray get_detect_rule_info_with_dev(int n_substation_type, const QString& str_dev_type,
                                                         const QString& str_dev_vol, const QString& str_dev_part);
    Q_INVOKABLE QJsonObject get_detect_rule_info_with_id(int n_id_detect_rule);
    Q_INVOKABLE int insert_detect_rule(int n_substation_type, const QString& str_dev_type, const QString& str_dev_vol,
                                       const QString& str_dev_part, const QString& str_shape,
                                       const QString& str_judgement_des);
    Q_INVOKABLE bool modify_detect_rule(qint64 n_id_rule, const QString& str_save_path, const QString& str_anas);
    Q_INVOKABLE bool delete_detect_rule(int n_substation_type, const QString& str_dev_type, const QString& str_dev_vol,
                                        const QString& str_dev_part, qint64 n_id_rule);
    Q_INVOKABLE bool delete_all_rule(int n_substation_type);
    Q_INVOKABLE int insert_rule_formula(const QJsonObject& obj_info);
    Q_INVOKABLE bool modify_rule_formula(const QJsonObject& obj_info);
    Q_INVOKABLE bool delete_rule_formula(qint64 n_id_formula);
    Q_INVOKABLE QJsonObject get_apply_detect_rule_info(qint64 n_id_detect_rule, qint64 n_id_fault);
    Q_INVOKABLE QJsonObject get_detect_fault_info(qint64 n_id_detect_rule, qint64 n_id_fault);

    // Where a rule's sample picture is kept (without extension): the
    // picture folder, the type number and the four texts, each text one
    // encoded path component; empty when a text cannot be one.
    Q_INVOKABLE QString get_rule_picture_target(int n_substation_type, const QString& str_dev_type,
                                                const QString& str_dev_vol, const QString& str_dev_part,
                                                const QString& str_shape) const;

    // Degree names of imported sheets to fault_degree_id.
    static QMap<QString, int> fault_degree_map();
    // The level of a formula is its fault_degree_id. The name kept beside it
    // in the database and in packages is the degree's source-language name,
    // whatever the interface language, so that fault_degree_map reads it
    // back; a degree outside 1..5 keeps the name it was given.
    static QString stored_degree_name(int n_id_degree, const QString& str_given);

private:
    explicit DataSql(QObject* parent = nullptr);
    QString m_rule_image_dir;
};
