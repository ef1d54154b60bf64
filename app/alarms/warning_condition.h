// Alarm conditions of a source as the source base calls them. Pictures have
// none; recordings and cameras make one. The formulas are built later; until
// then no condition is ever met.
#pragma once

#include <QJsonArray>
#include <QString>
#include <QVariantList>

#include <map>

class WarningCondition {
public:
    virtual ~WarningCondition() = default;
    virtual bool check_warning_condition() { return false; }
    // analysis handle -> warning degree (1 alarm, 2 early warning).
    virtual bool get_warning_anas(std::map<void*, int>& anas)
    {
        anas.clear();
        return true;
    }
    virtual bool get_hit_condition_index(QVariantList& list)
    {
        list.clear();
        return false;
    }
    virtual QString get_warning_text() const { return QString(); }
    virtual QString get_warning_snap_path() const { return m_str_snap_path; }
    virtual void set_warning_snap_path(const QString& path) { m_str_snap_path = path; }
    virtual void delete_condition_of_ana(void* handle) { (void)handle; }
    virtual void clear_condition() {}
    virtual void replace_ana_alias(const QString& now, const QString& before) { (void)now, (void)before; }
    virtual bool load_detect_rule_formula(const QJsonArray& formulas)
    {
        (void)formulas;
        return false;
    }

private:
    QString m_str_snap_path;
};
