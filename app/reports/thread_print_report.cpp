#include "reports/thread_print_report.h"

#include "picfold.h"
#include "reports/batch_report_picture.h"
#include "reports/report_field_values.h"
#include "reports/report_log.h"
#include "reports/report_page_writer.h"
#include "reports/report_template.h"
#include "reports/word_print.h"
#include "shell/save_target.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QThread>

namespace {

// Releases the job's picture container whatever way the job ends.
struct PictureHandle {
    void* handle = nullptr;
    PictureHandle() { picfold_init(handle); }
    ~PictureHandle() { picfold_uninit(handle); }
};

}  // namespace

ThreadPrintReport::ThreadPrintReport() : m_thread(new QThread)
{
    m_thread->setObjectName(QStringLiteral("print report"));
    moveToThread(m_thread);
    m_thread->start(QThread::InheritPriority);
}

ThreadPrintReport::~ThreadPrintReport()
{
    m_quitting = true;
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

int ThreadPrintReport::slot_print_report(const QString& str_file_path, const QJsonArray& arr_info,
                                         const BatchReportSettings& settings)
{
    m_stop = false;
    emit sig_report_init(100);
    // Whatever the dialog returned, the report must not replace a picture
    // or a template it is printed from.
    QStringList sources{settings.template_path, settings.template_path_vi};
    for (const QJsonValue& value : arr_info) {
        const QString path = value.toObject().value("strPicPath").toString();
        sources << path << report_page::companion_of(path);
    }
    if (save_target::is_source(str_file_path, sources)) {
        qCWarning(lc_report) << "print report refused: it would replace a file it reads" << str_file_path;
        emit sig_report_info(save_target::refusal_message(str_file_path));
        emit sig_report_end(kSaveFailed);
        return 1;
    }
    QString layout;
    if (settings.template_selected >= 1 && settings.template_selected <= 3) {
        switch (report_template_kind(settings.template_path)) {
        case ReportTemplateKind::kLayout: layout = settings.template_path; break;
        case ReportTemplateKind::kWordTemplate: break;
        default:
            qCWarning(lc_report) << "print report: the custom template is neither a layout nor a template"
                                 << settings.template_path;
            emit sig_report_end(kTemplateWrong);
            return 1;
        }
    }
    PictureHandle picture;
    int status = kNoPicture;
    if (picture.handle == nullptr) {
        qCWarning(lc_report) << "print report: no picture container";
    } else if (layout.isEmpty()) {
        status = print_with_template(picture.handle, str_file_path, arr_info, settings);
    } else {
        status = print_with_layout(picture.handle, str_file_path, arr_info, layout, settings);
    }
    emit sig_report_end(status);
    return 0;
}

int ThreadPrintReport::run_pictures(void* handle, const QJsonArray& arr_info, bool chinese, const WritePicture& write,
                                    int& written)
{
    written = 0;
    BatchReportPicture picture(handle);
    const int count = arr_info.size();
    for (int i = 0; i < count; ++i) {
        if (stopping()) return kStopped;
        const QJsonObject record = arr_info.at(i).toObject();
        const QString name = record.value("strPicName").toString();
        const QString path = record.value("strPicPath").toString();
        if (!picture.open_file(path)) {
            qCWarning(lc_report) << "print report: cannot load" << path;
            emit sig_report_info(tr("File %1 non-infrared image!").arg(name));
        } else {
            ReportFieldValues values;
            report_field_values::fill_report_info(picture, values, chinese);
            int status = kPrinted;
            if (!write(written, values, path, report_page::companion_of(path), status)) return status;
            ++written;
            emit sig_report_info(tr("File %1 is printed.").arg(name));
        }
        emit sig_report_progress(10 + 80 * (i + 1) / count);
    }
    return -1;
}

int ThreadPrintReport::print_with_template(void* handle, const QString& path, const QJsonArray& arr_info,
                                           const BatchReportSettings& settings)
{
    WordPrint print;
    if (!print.open_application()) return kWordFailed;
    emit sig_report_progress(10);
    auto write = [&](int, const ReportFieldValues& values, const QString& picture, const QString& companion,
                     int& status) {
        const QString dot = companion.isEmpty() ? settings.template_path : settings.template_path_vi;
        // A template without a place for the picture still gets its texts.
        if (report_page::write_template(print, dot, values, picture, companion) ==
            report_page::TemplateResult::kTemplateFailed) {
            qCWarning(lc_report) << "print report: cannot open a document on" << dot;
            status = kTemplateFileFailed;
            return false;
        }
        print.append_page_document();
        return true;
    };
    int written = 0;
    const int status = run_pictures(handle, arr_info, settings.chinese, write, written);
    if (status >= 0) return status;
    if (written == 0) return kNoPicture;
    emit sig_report_info(tr("Saving file."));
    const bool saved = print.save_document(path);
    print.close_application();
    if (!saved) {
        qCWarning(lc_report) << "print report: cannot save" << path;
        emit sig_report_info(tr("Saving file %1 failed!").arg(path));
        return kSaveFailed;
    }
    return kPrinted;
}
