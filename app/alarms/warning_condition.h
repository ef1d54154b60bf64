// The alarm conditions of one IR source: formulas over the maximum, minimum
// and average temperatures of analysis objects, each with a degree (1 alarm,
// 2 early warning), and which of them the last check found met.
//
// How a source uses it. The source makes one for its frame document, as a
// child QObject stored in IRBase::m_p_warning_condition, starts the 500 ms
// IRBase timer, and points it at a new frame document with set_frame when
// that changes (a camera opened again keeps its conditions). The view
// forwards the QML's edits (add, delete, clear, load a detection rule) and
// then runs IRBase::check_warning_and_snap. A camera or player runs
// IRBase::check_warning_and_snap on its frame thread after each frame, with
// no lock of its own held; the timer reads get_warning_anas and
// get_hit_condition_index on the GUI thread. Every operation may be called
// from any thread; one evaluation runs at a time. The object must outlive
// every thread that checks it: on close and in its destructor a source
// stops and joins its frame thread first, then clears
// m_p_warning_condition and deletes the object.
//
// EnvTemp in a formula is the ambient temperature of the frame document
// (its environment temperature parameter), read at every check.
//
// One check spends at most kCheckBudgetNs of its thread's processor time on
// formulas (the engine stops each formula on its own limit): conditions
// that exceed it are logged once and from then on never met nor evaluated,
// as refused formulas are, until the conditions change.
#pragma once

#include <QJsonArray>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVariantList>

#include <functional>
#include <map>
#include <vector>

class WarningCondition : public QObject {
    Q_OBJECT

public:
    explicit WarningCondition(void* frame = nullptr, QObject* parent = nullptr);
    ~WarningCondition() override;

    void set_frame(void* frame);
    void* frame() const;

    // One condition from the dialog's rows (keys n_ana_a_handle,
    // n_ana_b_handle: analysis ids of the view; str_formula); the rows'
    // formulas are joined with " and ". False, nothing changed, when rows is
    // empty.
    bool add_warning_condition(int degree, const QJsonArray& rows, const QString& text);
    // False, nothing changed, for an index outside the conditions.
    bool delete_warning_condition(int index);
    void clear_condition();
    // Removes every condition that names the object (it was deleted).
    void delete_condition_of_ana(void* handle);
    // Renames the whole tokens of alias `before` in every formula.
    void replace_ana_alias(const QString& now, const QString& before);
    // Replaces all conditions by a detection rule's formulas (n_id_degree,
    // str_formula); rule degrees 1 and 2 are alarms, all others early
    // warnings.
    bool load_detect_rule_formula(const QJsonArray& formulas);

    // Evaluates every condition and keeps the met ones; true when one is.
    // Virtual so a source can be tested with scripted conditions.
    virtual bool check_warning_condition();
    // analysis handle -> smallest degree among the met conditions naming it.
    bool get_warning_anas(std::map<void*, int>& anas) const;
    // Appends the met indices, ascending; false when there are no conditions.
    bool get_hit_condition_index(QVariantList& list) const;
    // "1. formula" lines of the met conditions.
    virtual QString get_warning_text() const;
    QJsonArray get_warning_condition() const;
    QJsonArray get_warning_condition_info() const;
    // The tokens of the frame's objects for the dialog's choice lists.
    QJsonArray get_warning_condition_anas() const;

    QString get_warning_snap_path() const;
    void set_warning_snap_path(const QString& path);

    static constexpr qint64 kCheckBudgetNs = 250 * 1000 * 1000;
    // Nanoseconds of some clock; by default the calling thread's processor
    // time, which a loaded machine does not stretch.
    using BudgetClock = std::function<qint64()>;
    // Replaces the budget of one check and the clock it is read on (tests
    // count instead of timing).
    void set_check_budget(qint64 budget_ns, BudgetClock clock);
    // True once the conditions exceeded the budget; false again when they
    // change.
    bool is_over_budget() const;

private:
    struct Condition {
        std::vector<void*> anas;  // null entries: an alias that named no object
        int degree = 1;
        QString formula;
    };

    // Run under m_mutex.
    bool is_met(const Condition& condition, void* frame);
    void conditions_changed();

    void* m_engine = nullptr;
    mutable QMutex m_mutex;
    void* m_frame = nullptr;
    std::vector<Condition> m_conditions;
    QJsonArray m_condition_list;
    std::map<void*, int> m_warning_anas;
    std::map<int, bool> m_hit_conditions;
    QString m_str_snap_path;
    qint64 m_budget_ns = kCheckBudgetNs;
    BudgetClock m_clock;
    bool m_over_budget = false;
};
