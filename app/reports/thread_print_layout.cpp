// The layout writer of a print job: every picture gets the components of
// one layout file, tables first, then pictures, data marks and texts.
#include "reports/thread_print_report.h"

#include "reports/report_log.h"
#include "reports/report_page_writer.h"
#include "reports/report_word.h"
#include "reports/report_xml.h"

int ThreadPrintReport::print_with_layout(void* handle, const QString& path, const QJsonArray& arr_info,
                                         const QString& layout, const BatchReportSettings& settings)
{
    ReportWord word(settings.dpi);
    if (!word.open_word()) return kWordFailed;
    ReportXml xml(settings.page_size);
    xml.set_logo_folder(settings.logo_folder);
    if (!xml.load_file(layout) || !xml.read_printer() || !xml.read_com_list()) {
        qCWarning(lc_report) << "print report: cannot read the layout" << layout;
        word.close_word();
        return kTemplateFileFailed;
    }
    emit sig_report_progress(10);
    // The first picture written goes into the report document itself; each
    // later one into a page document appended after a page break, so that a
    // picture that cannot be loaded leaves no empty page.
    auto write = [&](int written, const ReportFieldValues& values, const QString& picture, const QString& companion,
                     int&) {
        if (written > 0) word.add_page_document();
        report_page::write_layout(xml, word, values, picture, companion);
        if (written > 0) word.append_page_document();
        return true;
    };
    int written = 0;
    int status = run_pictures(handle, arr_info, settings.chinese, write, written);
    if (status < 0 && written == 0) status = kNoPicture;
    if (status >= 0) {
        word.close_word();
        return status;
    }
    emit sig_report_info(tr("Saving file."));
    const bool saved = word.save_document(path);
    word.close_word();
    if (!saved) {
        qCWarning(lc_report) << "print report: cannot save" << path;
        emit sig_report_info(tr("Saving file %1 failed!").arg(path));
        return kSaveFailed;
    }
    return kPrinted;
}
