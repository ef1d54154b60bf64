// The view's alarm-condition invokables: each forwards to the source's
// WarningCondition and, after an edit, runs the source's check (with its
// one snapshot per alarm episode) and repaints.
#include "alarms/warning_condition.h"
#include "sources/ir_base.h"
#include "views/wnd_ir_show.h"

#include <QUrl>

namespace {

WarningCondition* condition_of(IRBase* source)
{
    return source != nullptr ? source->warning_condition() : nullptr;
}

}  // namespace

QString WndIRShow::add_warning_condition(int n_type, const QJsonArray& arr, const QString& str_condition)
{
    WarningCondition* condition = condition_of(m_ir);
    if (condition == nullptr) {
        return QString();
    }
    if (condition->add_warning_condition(n_type, arr, str_condition)) {
        m_ir->check_warning_and_snap();
        repaint();
    }
    return str_condition;
}

bool WndIRShow::delete_warning_condition(int n_row)
{
    WarningCondition* condition = condition_of(m_ir);
    if (condition == nullptr || !condition->delete_warning_condition(n_row)) {
        return false;
    }
    m_ir->check_warning_and_snap();
    repaint();
    return true;
}

void WndIRShow::clear_condition()
{
    WarningCondition* condition = condition_of(m_ir);
    if (condition == nullptr) {
        return;
    }
    condition->clear_condition();
    repaint();
    m_ir->check_warning_and_snap();
}

QJsonArray WndIRShow::get_warning_condition()
{
    WarningCondition* condition = condition_of(m_ir);
    return condition != nullptr ? condition->get_warning_condition() : QJsonArray();
}

QJsonArray WndIRShow::get_warning_condition_info()
{
    WarningCondition* condition = condition_of(m_ir);
    return condition != nullptr ? condition->get_warning_condition_info() : QJsonArray();
}

QJsonArray WndIRShow::get_warning_condition_anas()
{
    WarningCondition* condition = condition_of(m_ir);
    return condition != nullptr ? condition->get_warning_condition_anas() : QJsonArray();
}

bool WndIRShow::load_detect_rule_anas(const QString& str_anas)
{
    if (m_ir == nullptr || !m_ir->load_detect_rule_anas(str_anas)) {
        return false;
    }
    repaint();
    return true;
}

bool WndIRShow::load_detect_rule_formula(int n_id_rule)
{
    if (m_ir == nullptr || !m_ir->load_detect_rule_formula(n_id_rule)) {
        return false;
    }
    m_ir->check_warning_and_snap();
    repaint();
    return true;
}

QString WndIRShow::get_warning_snap_path()
{
    WarningCondition* condition = condition_of(m_ir);
    return condition != nullptr ? condition->get_warning_snap_path() : QString();
}

void WndIRShow::set_warning_snap_path(const QString& str_path)
{
    WarningCondition* condition = condition_of(m_ir);
    if (condition != nullptr) {
        // The folder dialog hands over a URL.
        condition->set_warning_snap_path(str_path.startsWith(QLatin1String("file:")) ? QUrl(str_path).toLocalFile()
                                                                                      : str_path);
    }
}
