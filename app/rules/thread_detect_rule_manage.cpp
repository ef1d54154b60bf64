#include "rules/thread_detect_rule_manage.h"

#include "rules/ce_excel.h"
#include "rules/detect_rule_import_export.h"
#include "rules/rules_log.h"
#include "save_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QUrl>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace {

const char* const kTitles[10] = {"版本", "适用专业", "设备类型", "电压等级", "部位角度",
                                 "设备形状", "分析字符串", "图片", "诊断判据", "诊断公式内容"};

}  // namespace

QString rule_exchange_local_path(const QString& text)
{
    if (text.startsWith(QLatin1String("file:"))) {
        return QUrl(text).toLocalFile();
    }
    return text;
}

ThreadDetectRuleManage::ThreadDetectRuleManage(DetectRuleImportExport* owner) : m_owner(owner)
{
    m_thread.setObjectName(QStringLiteral("rule exchange"));
    moveToThread(&m_thread);
    m_thread.start();
}

ThreadDetectRuleManage::~ThreadDetectRuleManage()
{
    m_exit = true;
    m_thread.quit();
    m_thread.wait();
}

void ThreadDetectRuleManage::set_limits(qint64 entry_bytes, qint64 total_bytes)
{
    m_entry_limit = entry_bytes;
    m_total_limit = total_bytes;
}

int ThreadDetectRuleManage::end_export(int status)
{
    emit m_owner->sig_export_detect_rules_end(status);
    return status == DetectRuleImportExport::RES_SUCCESS ? 0 : status == DetectRuleImportExport::RES_EXIT_SUCESS ? 1
                                                                                                               : -1;
}

int ThreadDetectRuleManage::end_import(int status)
{
    emit m_owner->sig_import_detect_rules_end(status);
    return status == DetectRuleImportExport::RES_SUCCESS ? 0 : status == DetectRuleImportExport::RES_EXIT_SUCESS ? 1
                                                                                                               : -1;
}

int ThreadDetectRuleManage::slot_export_detect_rules(const QString& str_file_path, bool b_export_station,
                                                     bool b_export_translation, bool b_export_distribution)
{
    if (m_owner == nullptr) {
        return -1;
    }
    m_stop = false;
    return run_export(rule_exchange_local_path(str_file_path), b_export_station, b_export_translation,
                      b_export_distribution);
}

int ThreadDetectRuleManage::slot_import_detect_rules(const QString& str_zip_path)
{
    if (m_owner == nullptr) {
        return -1;
    }
    m_stop = false;
    return run_import(rule_exchange_local_path(str_zip_path));
}

bool ThreadDetectRuleManage::thread_export_detect_rules_init_excel(CEexcel& exc)
{
    for (int c = 0; c < 10; ++c) {
        if (!exc.set_cell_text(1, c + 1, QString::fromUtf8(kTitles[c]))) {
            return false;
        }
    }
    return true;
}

bool ThreadDetectRuleManage::thread_export_detect_rules_insert_item(
    int n_row, CEexcel& exc, int& n_sub_type, QString& str_dev_type, QString& str_dev_vol, QString& str_dev_part,
    QString& str_shape, QString& str_anas, QString& str_image_path, QString& str_des_of_judgement,
    QJsonArray& json_arr)
{
    const QString formulas =
        json_arr.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(json_arr).toJson(QJsonDocument::Compact));
    const QString cells[10] = {QStringLiteral("0"), QString::number(n_sub_type), str_dev_type, str_dev_vol,
                               str_dev_part,        str_shape,                   str_anas,     str_image_path,
                               str_des_of_judgement, formulas};
    for (int c = 0; c < 10; ++c) {
        if (!exc.set_cell_text(n_row, c + 1, cells[c])) {
            return false;
        }
    }
    return true;
}

bool ThreadDetectRuleManage::extract_current_file(QuaZip* zip, const QString& target, qint64 limit)
{
    QuaZipFile entry(zip);
    if (!entry.open(QIODevice::ReadOnly)) {
        qCWarning(lc_db) << "cannot open the package entry" << zip->getCurrentFileName() << entry.getZipError();
        return false;
    }
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) {
        qCWarning(lc_db) << "cannot make the folder" << folder;
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        qCWarning(lc_db) << "cannot write" << target << out.errorString();
        return false;
    }
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        if (m_exit) {
            return false;
        }
        const qint64 got = entry.read(buffer.data(), buffer.size());
        if (got < 0) {
            qCWarning(lc_db) << "damaged package entry" << zip->getCurrentFileName();
            return false;
        }
        if (got == 0) {
            break;
        }
        total += got;
        if (total > limit) {
            qCWarning(lc_db) << "package entry" << zip->getCurrentFileName() << "is longer than" << limit << "bytes";
            return false;
        }
        if (out.write(buffer.constData(), got) != got) {
            qCWarning(lc_db) << "cannot write" << target << out.errorString();
            return false;
        }
    }
    entry.close();
    // The checksum is compared when a whole entry has been read.
    if (entry.getZipError() != UNZ_OK) {
        qCWarning(lc_db) << "damaged package entry" << zip->getCurrentFileName() << entry.getZipError();
        return false;
    }
    QString error;
    if (!vy::commit_save_file(out, &error)) {
        qCWarning(lc_db) << "cannot write" << target << error;
        return false;
    }
    return true;
}
