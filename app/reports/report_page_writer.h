// One picture's part of a word-processor report, written the same way by the
// picture window's report and by the batch report: a document made from a
// template with texts and pictures at its bookmarks, or the components of a
// report layout.
#pragma once

#include <QString>

class ReportWordWriter;
class ReportXml;
class WordPrint;
struct ReportFieldValues;

namespace report_page {

// The visible-light picture saved beside an IR picture "name-ir.jpg":
// "name-vi.jpg", else "name-vi.png"; empty when there is none.
QString companion_of(const QString& path);

enum class TemplateResult { kWritten = 0, kTemplateFailed = 1, kPictureFailed = 2 };

// A new document from the template (dot) with the IR picture at "IRPicture"
// (else "IRPicture1"), the companion at "VIPicture" and "VIPicture1" and the
// texts at their bookmarks. kPictureFailed: the document was made and filled
// but has no place for the IR picture.
TemplateResult write_template(WordPrint& print, const QString& dot, const ReportFieldValues& values,
                              const QString& picture, const QString& companion);

// The components of a read layout: tables first, then pictures, data marks
// and texts. Components the reader refuses are left out.
void write_layout(ReportXml& xml, ReportWordWriter& word, const ReportFieldValues& values, const QString& picture,
                  const QString& companion);

}  // namespace report_page
