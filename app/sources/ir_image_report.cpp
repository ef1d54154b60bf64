// The report of one picture: its texts gathered into one record and written
// with the picture through the word-processor template or the report layout
// chosen in the settings.
#include "sources/ir_image.h"

#include "picfold.h"
#include "reports/batch_report_settings.h"
#include "reports/ir_image_picture.h"
#include "reports/report_field_values.h"
#include "reports/report_page_writer.h"
#include "reports/report_template.h"
#include "reports/report_word.h"
#include "reports/report_xml.h"
#include "reports/word_print.h"
#include "shell/data_config.h"
#include "shell/save_target.h"

#include <QLoggingCategory>
#include <QUrl>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

// kRefused: the document would replace a file the report is made from.
enum ReportResult {
    kWritten = 0,
    kFailed = 1,
    kNoWordProcessor = 2,
    kBadTemplate = 3,
    kNoPicturePlace = 4,
    kRefused = 5
};

}  // namespace

bool IRImage::fill_report_info(ReportFieldValues& values)
{
    if (get_ir_data() == nullptr) return false;
    IrImagePicture picture(this);
    return report_field_values::fill_report_info(picture, values, DataConfig::instance()->is_chinese_language());
}

int IRImage::print_report(const QString& document_path)
{
    const QString document =
        document_path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ? QUrl(document_path).toLocalFile()
                                                                                : document_path;
    const QString companion = report_page::companion_of(m_str_file_path);
    const DataConfig* config = DataConfig::instance();
    const QString picture = config->get_config_path() + QStringLiteral("temp.png");
    const QString chosen = config->get_selected_report_template(!companion.isEmpty());
    const ReportTemplateKind kind = report_template_kind(chosen);
    int result = kBadTemplate;
    if (save_target::is_source(document, {m_str_file_path, companion, chosen, picture})) {
        qCWarning(lc_source) << "report refused: it would replace a file it reads" << document;
        return kRefused;
    }
    m_str_report_path = document;
    if (kind == ReportTemplateKind::kUnknown) {
        qCWarning(lc_source) << "report template is neither a layout nor a template:" << chosen;
    } else if (get_ir_data() == nullptr ||
               !picfold_save_png_file_w(m_h_ir, picture.toStdWString(), get_gps_text(m_user_data).toStdString(),
                                        true, false)) {
        qCWarning(lc_source) << "report: cannot write the picture" << picture;
        result = kFailed;
    } else if (kind == ReportTemplateKind::kWordTemplate) {
        result = print_report_dot(chosen, document, picture, companion);
    } else {
        result = print_report_xml(chosen, document, picture, companion);
    }
    qCDebug(lc_source) << "print_report" << document << result;
    return result;
}

int IRImage::print_report_dot(const QString& dot, const QString& document, const QString& picture,
                              const QString& companion)
{
    WordPrint print;
    if (!print.open_application()) return kNoWordProcessor;
    ReportFieldValues values;
    fill_report_info(values);
    switch (report_page::write_template(print, dot, values, picture, companion)) {
    case report_page::TemplateResult::kTemplateFailed:
        qCWarning(lc_source) << "report: cannot open a document on" << dot;
        return kBadTemplate;
    case report_page::TemplateResult::kPictureFailed:
        qCWarning(lc_source) << "report: the template has no place for the picture" << dot;
        return kNoPicturePlace;
    case report_page::TemplateResult::kWritten: break;
    }
    const bool saved = print.save_document(document);
    print.close_application();
    if (!saved) {
        qCWarning(lc_source) << "report: cannot save" << document;
        return kFailed;
    }
    return kWritten;
}

int IRImage::print_report_xml(const QString& layout, const QString& document, const QString& picture,
                              const QString& companion)
{
    const BatchReportSettings settings = BatchReportSettings::from_config();
    ReportWord word(settings.dpi);
    if (!word.open_word()) return kNoWordProcessor;
    ReportXml xml(settings.page_size);
    xml.set_logo_folder(settings.logo_folder);
    if (!xml.load_file(layout) || !xml.read_printer() || !xml.read_com_list()) {
        qCWarning(lc_source) << "report: cannot read the layout" << layout;
        word.close_word();
        return kBadTemplate;
    }
    ReportFieldValues values;
    fill_report_info(values);
    report_page::write_layout(xml, word, values, picture, companion);
    const bool saved = word.save_document(document);
    word.close_word();
    if (!saved) {
        qCWarning(lc_source) << "report: cannot save" << document;
        return kFailed;
    }
    return kWritten;
}
