#include "alarms/warning_condition.h"

#include "alarms/warning_formula.h"
#include "basekit.h"
#include "sources/handle_ids.h"
#include "thermframe.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QMutexLocker>

#include <algorithm>
#include <ctime>
#include <string>

Q_LOGGING_CATEGORY(lc_alarm, "pyravue.alarm")

namespace {

const char* const kFeatures[] = {":Max", ":Min", ":Avg"};

qint64 thread_cpu_ns()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

QJsonObject list_entry(int degree, const QString& formula)
{
    QJsonObject entry;
    entry.insert(QStringLiteral("fault_id"), degree);
    entry.insert(QStringLiteral("fault_formula"), formula);
    return entry;
}

}  // namespace

WarningCondition::WarningCondition(void* frame, QObject* parent)
    : QObject(parent), m_frame(frame), m_clock(thread_cpu_ns)
{
    if (!vy_calc_formula_init(&m_engine)) {
        // Without an engine no condition is ever met; editing still works.
        qCWarning(lc_alarm) << "the formula engine could not start";
    }
}

WarningCondition::~WarningCondition()
{
    if (m_engine != nullptr) {
        vy_calc_formula_uninit(&m_engine);
    }
}

void WarningCondition::set_frame(void* frame)
{
    QMutexLocker lock(&m_mutex);
    m_frame = frame;
}

void* WarningCondition::frame() const
{
    QMutexLocker lock(&m_mutex);
    return m_frame;
}

bool WarningCondition::add_warning_condition(int degree, const QJsonArray& rows, const QString& text)
{
    Q_UNUSED(text);  // the dialog passes the joined row formulas again
    if (rows.isEmpty()) {
        return false;
    }
    Condition condition;
    condition.degree = degree;
    for (const QJsonValue& value : rows) {
        const QJsonObject row = value.toObject();
        const QString formula = row.value(QStringLiteral("str_formula")).toString();
        condition.formula = condition.formula.isEmpty() ? formula : condition.formula + " and " + formula;
        condition.anas.push_back(analysis_ids().handle_of(row.value(QStringLiteral("n_ana_a_handle")).toInt()));
        const int b = row.value(QStringLiteral("n_ana_b_handle")).toInt();
        if (b > 0) {
            condition.anas.push_back(analysis_ids().handle_of(b));
        }
    }
    QMutexLocker lock(&m_mutex);
    m_condition_list.append(list_entry(condition.degree, condition.formula));
    m_conditions.push_back(std::move(condition));
    conditions_changed();
    return true;
}

bool WarningCondition::delete_warning_condition(int index)
{
    QMutexLocker lock(&m_mutex);
    if (index < 0 || index >= static_cast<int>(m_conditions.size())) {
        qCWarning(lc_alarm) << "no condition at index" << index << "of" << m_conditions.size();
        return false;
    }
    m_conditions.erase(m_conditions.begin() + index);
    m_condition_list.removeAt(index);
    conditions_changed();
    // The last check's results stay until the next one, but follow the
    // conditions to their new positions so that no index names another.
    std::map<int, bool> hits;
    for (const auto& hit : m_hit_conditions) {
        if (hit.first != index) {
            hits.emplace(hit.first > index ? hit.first - 1 : hit.first, true);
        }
    }
    m_hit_conditions.swap(hits);
    return true;
}

void WarningCondition::clear_condition()
{
    QMutexLocker lock(&m_mutex);
    m_conditions.clear();
    m_condition_list = QJsonArray();
    m_warning_anas.clear();
    m_hit_conditions.clear();
    conditions_changed();
}

void WarningCondition::delete_condition_of_ana(void* handle)
{
    QMutexLocker lock(&m_mutex);
    m_warning_anas.clear();
    m_hit_conditions.clear();
    for (std::size_t i = 0; i < m_conditions.size();) {
        const std::vector<void*>& anas = m_conditions[i].anas;
        if (std::find(anas.begin(), anas.end(), handle) != anas.end()) {
            m_conditions.erase(m_conditions.begin() + static_cast<std::ptrdiff_t>(i));
            m_condition_list.removeAt(static_cast<int>(i));
        } else {
            ++i;
        }
    }
    conditions_changed();
}

void WarningCondition::replace_ana_alias(const QString& now, const QString& before)
{
    QMutexLocker lock(&m_mutex);
    for (std::size_t i = 0; i < m_conditions.size(); ++i) {
        Condition& condition = m_conditions[i];
        condition.formula = warning_formula::rename_alias(condition.formula, before, now);
        m_condition_list.replace(static_cast<int>(i), list_entry(condition.degree, condition.formula));
    }
    conditions_changed();
}

bool WarningCondition::load_detect_rule_formula(const QJsonArray& formulas)
{
    QMutexLocker lock(&m_mutex);
    m_conditions.clear();
    m_condition_list = QJsonArray();
    m_warning_anas.clear();
    m_hit_conditions.clear();
    for (const QJsonValue& value : formulas) {
        const QJsonObject item = value.toObject();
        const int degree_id = item.value(QStringLiteral("n_id_degree")).toInt();
        Condition condition;
        condition.degree = degree_id == 1 || degree_id == 2 ? 1 : 2;
        condition.formula = item.value(QStringLiteral("str_formula")).toString();
        for (const QString& alias : warning_formula::rule_aliases(condition.formula)) {
            void* ana = nullptr;
            if (m_frame == nullptr || !thermframe_get_ana_handle_from_alias(m_frame, alias.toStdString(), ana)) {
                ana = nullptr;
            }
            condition.anas.push_back(ana);
        }
        m_condition_list.append(list_entry(condition.degree, condition.formula));
        m_conditions.push_back(std::move(condition));
    }
    conditions_changed();
    return true;
}

void WarningCondition::conditions_changed()
{
    m_over_budget = false;
}

void WarningCondition::set_check_budget(qint64 budget_ns, BudgetClock clock)
{
    QMutexLocker lock(&m_mutex);
    m_budget_ns = budget_ns;
    m_clock = clock ? std::move(clock) : BudgetClock(thread_cpu_ns);
}

bool WarningCondition::is_over_budget() const
{
    QMutexLocker lock(&m_mutex);
    return m_over_budget;
}

bool WarningCondition::is_met(const Condition& condition, void* frame)
{
    if (frame == nullptr || m_engine == nullptr || condition.formula.isEmpty()) {
        return false;
    }
    // Rules spanning three pictures (phases A, B and C) cannot hold on one.
    if (condition.formula.contains(QLatin1Char('$')) || condition.formula.contains(QLatin1Char('&'))) {
        return false;
    }
    QByteArray text = condition.formula.toUtf8();
    for (void* ana : condition.anas) {
        if (ana == nullptr || !thermframe_ana_is_valid(frame, ana)) {
            return false;
        }
        uint16_t x = 0, y = 0, ad = 0;
        float max = 0.0f, min = 0.0f, avg = 0.0f;
        std::string alias;
        thermframe_ana_get_max_temp(ana, x, y, ad, max);
        thermframe_ana_get_min_temp(ana, x, y, ad, min);
        thermframe_ana_get_avg_temp(ana, ad, avg);
        thermframe_ana_get_alias(ana, alias);
        if (!warning_formula::put_temperatures(text, QByteArray::fromStdString(alias), max, min, avg)) {
            return false;
        }
    }
    if (!warning_formula::is_number_only(text)) {
        return false;
    }
    bool result = false;
    return vy_calc_formula_bool(m_engine, text.constData(), &result) && result;
}

bool WarningCondition::check_warning_condition()
{
    QMutexLocker lock(&m_mutex);
    m_warning_anas.clear();
    m_hit_conditions.clear();
    if (m_over_budget) {
        return false;
    }
    const qint64 start = m_clock();
    float ambient = 0.0f;
    if (m_frame != nullptr && m_engine != nullptr && thermframe_get_env_temp(m_frame, ambient)) {
        vy_calc_formula_set_env_temp(m_engine, ambient);
    }
    // Hostile or merely costly, such formulas would take this much of every
    // frame: they are taken out as refused ones are.
    const auto over_budget = [&]() {
        if (m_clock() - start <= m_budget_ns) {
            return false;
        }
        qCWarning(lc_alarm) << "the alarm conditions need more than" << m_budget_ns / 1000000
                            << "ms a check; they are not checked again until they change";
        m_over_budget = true;
        m_warning_anas.clear();
        m_hit_conditions.clear();
        return true;
    };
    for (std::size_t i = 0; i < m_conditions.size(); ++i) {
        if (over_budget()) {
            return false;
        }
        const Condition& condition = m_conditions[i];
        if (!is_met(condition, m_frame)) {
            continue;
        }
        for (void* ana : condition.anas) {
            if (ana == nullptr) {
                continue;
            }
            auto it = m_warning_anas.find(ana);
            if (it == m_warning_anas.end()) {
                m_warning_anas.emplace(ana, condition.degree);
            } else if (condition.degree < it->second) {
                it->second = condition.degree;
            }
        }
        m_hit_conditions.emplace(static_cast<int>(i), true);
    }
    if (over_budget()) {
        return false;
    }
    return !m_hit_conditions.empty();
}

bool WarningCondition::get_warning_anas(std::map<void*, int>& anas) const
{
    QMutexLocker lock(&m_mutex);
    if (&anas != &m_warning_anas) {
        anas = m_warning_anas;
    }
    return true;
}

bool WarningCondition::get_hit_condition_index(QVariantList& list) const
{
    QMutexLocker lock(&m_mutex);
    if (m_conditions.empty()) {
        return false;
    }
    for (const auto& hit : m_hit_conditions) {
        list.append(hit.first);
    }
    return true;
}

QString WarningCondition::get_warning_text() const
{
    QMutexLocker lock(&m_mutex);
    QString text;
    int line = 0;
    for (const auto& hit : m_hit_conditions) {
        if (hit.first >= static_cast<int>(m_conditions.size()) || m_conditions[hit.first].formula.isEmpty()) {
            continue;
        }
        if (!text.isEmpty()) {
            text += QLatin1Char('\n');
        }
        text += QString::number(++line) + ". " + m_conditions[hit.first].formula;
    }
    return text;
}

QJsonArray WarningCondition::get_warning_condition() const
{
    QMutexLocker lock(&m_mutex);
    QJsonArray formulas;
    for (const Condition& condition : m_conditions) {
        formulas.append(condition.formula);
    }
    return formulas;
}

QJsonArray WarningCondition::get_warning_condition_info() const
{
    QJsonArray list;
    std::map<int, bool> hits;
    {
        QMutexLocker lock(&m_mutex);
        list = m_condition_list;
        hits = m_hit_conditions;
    }
    for (int i = 0; i < list.size(); ++i) {
        QJsonObject entry = list.at(i).toObject();
        entry.insert(QStringLiteral("warning"), hits.count(i) > 0);
        list.replace(i, entry);
    }
    qCDebug(lc_alarm).noquote() << QJsonDocument(list).toJson(QJsonDocument::Compact);
    return list;
}

QJsonArray WarningCondition::get_warning_condition_anas() const
{
    QJsonArray names;
    void* doc = frame();
    if (doc == nullptr) {
        return names;
    }
    for (AnaType type : {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE}) {
        int32_t count = 0;
        if (!thermframe_get_anas_count(doc, type, count)) {
            continue;
        }
        for (int32_t index = 0; index < count; ++index) {
            void* ana = nullptr;
            std::string alias;
            if (!thermframe_get_ana(doc, type, index, ana) || ana == nullptr) {
                continue;
            }
            thermframe_ana_get_alias(ana, alias);
            const int features = type == ANA_POINT ? 1 : 3;
            for (int f = 0; f < features; ++f) {
                QJsonObject name;
                name.insert(QStringLiteral("n_ana_handle"), analysis_ids().id_of(ana));
                name.insert(QStringLiteral("n_ana_type"), static_cast<int>(type));
                name.insert(QStringLiteral("n_ana_index"), index);
                name.insert(QStringLiteral("n_ana_temp_type"), 1 << f);
                name.insert(QStringLiteral("s_ana_name"), QString::fromStdString(alias) + kFeatures[f]);
                names.append(name);
            }
        }
    }
    return names;
}

QString WarningCondition::get_warning_snap_path() const
{
    QMutexLocker lock(&m_mutex);
    return m_str_snap_path;
}

void WarningCondition::set_warning_snap_path(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_str_snap_path = path;
}
