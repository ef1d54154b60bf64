#include "rules/detect_rule_import_export.h"

#include "rules/thread_detect_rule_manage.h"

DetectRuleImportExport::DetectRuleImportExport(QQuickItem* parent)
    : QQuickItem(parent),
      m_entry_limit(ThreadDetectRuleManage::kEntryLimit),
      m_total_limit(ThreadDetectRuleManage::kTotalLimit)
{
}

DetectRuleImportExport::~DetectRuleImportExport()
{
    delete m_worker;
}

bool DetectRuleImportExport::ensure_worker()
{
    if (m_worker != nullptr) {
        return true;
    }
    m_worker = new ThreadDetectRuleManage(this);
    m_worker->set_limits(m_entry_limit, m_total_limit);
    connect(this, &DetectRuleImportExport::sig_export_detect_rules, m_worker,
            &ThreadDetectRuleManage::slot_export_detect_rules);
    connect(this, &DetectRuleImportExport::sig_import_detect_rules, m_worker,
            &ThreadDetectRuleManage::slot_import_detect_rules);
    return true;
}

int DetectRuleImportExport::start_export_detect_rules(const QString& str_file_path, bool b_export_station,
                                                      bool b_export_translation, bool b_export_distribution)
{
    if (ensure_worker()) {
        emit sig_export_detect_rules(str_file_path, b_export_station, b_export_translation, b_export_distribution);
    }
    return 0;
}

int DetectRuleImportExport::start_import_detect_rules(const QString& str_zip_path)
{
    if (ensure_worker()) {
        emit sig_import_detect_rules(str_zip_path);
    }
    return 0;
}

int DetectRuleImportExport::stop_export_detect_rules()
{
    if (m_worker == nullptr) {
        return -1;
    }
    m_worker->request_stop();
    return 0;
}

int DetectRuleImportExport::stop_import_detect_rules()
{
    return stop_export_detect_rules();
}

void DetectRuleImportExport::set_package_limits(qint64 entry_bytes, qint64 total_bytes)
{
    m_entry_limit = entry_bytes;
    m_total_limit = total_bytes;
    if (m_worker != nullptr) {
        m_worker->set_limits(entry_bytes, total_bytes);
    }
}
