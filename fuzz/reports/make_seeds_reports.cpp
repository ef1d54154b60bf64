// Seeds of the report layout reader: layouts written by the layout writer,
// with every component kind, and a few hand-made edge cases.
#include "report_fuzz_app.h"
#include "reports/report_com_mark.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_data.h"
#include "seed_writer.h"

#include <QFile>
#include <QTemporaryDir>

#include <string>

namespace {

bool write_layout(ReportData& layout, const std::string& dir, const std::string& name)
{
    QTemporaryDir temp;
    const QString path = temp.filePath("layout.xml");
    if (!layout.save_layout(path)) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    return seeds::write_seed(dir, name, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 1;
    report_fuzz_app();
    const std::string dir = std::string(argv[1]) + "/fuzz_report_layout";
    ReportData layout(nullptr);
    layout.set_page_size(600, 800);
    layout.clear_all();
    layout.add_page();
    bool ok = write_layout(layout, dir, "empty.xml");
    auto* text = static_cast<ReportComText*>(layout.add_com(0, ReportComBase::kTypeText, 10, 10, 200, 50));
    text->set_text("free text");
    auto* mark = static_cast<ReportComMark*>(layout.add_com(0, ReportComBase::kTypeMark, 10, 100, 10, 10));
    mark->update_mark_text("T {IR1Analyze1MaxTemperature} {IR1Analyze2Minus1MaxTemperature} {IR1DeviceName}");
    auto* table = static_cast<ReportComTable*>(layout.add_com(0, ReportComBase::kTypeTable, 10, 200, 300, 100));
    table->set_column_width(0, 80);
    table->set_row_height(1, 40);
    table->set_cell_mark(0, 0, "{IR1FullscreenMaxTemperature}");
    table->set_cell_mark(1, 1, "cell");
    layout.add_com(0, ReportComBase::kTypePicture, 320, 10, 206, 156);
    ok = write_layout(layout, dir, "every_kind.xml") && ok;
    const std::string logo =
        "<?xml version='1.0'?><Report version=\"1\"><Printer width=\"300\" height=\"400\"/><ReportCom>"
        "<ComPic version=\"1\" page=\"0\" x=\"1\" y=\"1\" width=\"50\" height=\"50\" ir=\"0\" mark=\"LOGO\" "
        "imagebase64=\"iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR4nGP4z8DwHwAFAAH/iZk9HQAAAABJRU5ErkJggg==\"/>"
        "<ComTable version=\"1\" page=\"0\" x=\"1\" y=\"1\" width=\"50\" height=\"50\" rows=\"99999\" columns=\"-3\"/>"
        "</ReportCom></Report>";
    ok = seeds::write_seed(dir, "logo_and_grid.xml", logo) && ok;
    return ok ? 0 : 1;
}
