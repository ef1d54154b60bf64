// Writes the built-in report templates into a folder: a title, the picture
// places and a table of labelled fields, every value place a bookmark named
// by its field key. The files are packages whatever their ".dot" name says.
#include "office.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Field {
    const char* key;
    const char* label[3];  // Chinese, English, Hong Kong
};

const Field kFields[] = {
    {"DocumentTitle", {"报告标题", "Title", "報告標題"}},
    {"SubstationName", {"变电站名称", "Substation", "變電站名稱"}},
    {"DeviceArea", {"设备区域", "Device area", "設備區域"}},
    {"DeviceName", {"设备名称", "Device name", "設備名稱"}},
    {"DeviceType", {"设备类型", "Device type", "設備類型"}},
    {"Phase", {"相别", "Phase", "相別"}},
    {"RunningVoltage", {"运行电压", "Running voltage", "運行電壓"}},
    {"LoadCurrent", {"负荷电流", "Load current", "負荷電流"}},
    {"RecordingDate", {"拍摄日期", "Date", "拍攝日期"}},
    {"RecordingTime", {"拍摄时间", "Time", "拍攝時間"}},
    {"Emissivity", {"辐射率", "Emissivity", "輻射率"}},
    {"RecordingDistances", {"距离", "Distance", "距離"}},
    {"AambientTemperature", {"环境温度", "Ambient temperature", "環境溫度"}},
    {"RelativeHumidity", {"相对湿度", "Relative humidity", "相對濕度"}},
    {"FullscreenMaxTemperature", {"全屏最高温", "Maximum", "全屏最高溫"}},
    {"FullscreenMinTemperature", {"全屏最低温", "Minimum", "全屏最低溫"}},
    {"FullscreenAvgTemperature", {"全屏平均温", "Average", "全屏平均溫"}},
    {"IR1Weather", {"天气", "Weather", "天氣"}},
    {"IR1WindSpeed", {"风速", "Wind speed", "風速"}},
    {"IR1Longitude", {"经度", "Longitude", "經度"}},
    {"IR1Latitude", {"纬度", "Latitude", "緯度"}},
    {"IR1Altitude", {"海拔", "Altitude", "海拔"}},
    {"IR1DesMark", {"描述", "Description", "描述"}},
    {"IR1PresetText", {"预置位", "Preset", "預置位"}},
};

const char* const kTitle[3] = {"红外检测报告", "Infrared Inspection Report", "紅外檢測報告"};
const char* const kAnalysis[3][2] = {{"分析对象", "最高温"}, {"Analysis", "Maximum"}, {"分析對象", "最高溫"}};
const char* const kNames[3] = {"DefaultDot", "DefaultDotEn", "DefaultDotHk"};
constexpr int kAnalyses = 5;
constexpr double kBodyPoints = 10.5;
constexpr int kLinePoints = 15;

// Lines a text of the body font takes in a cell `width` points wide: CJK
// characters a full em, others about half an em, 10 points of cell margins.
int lines_needed(const char* text, int width)
{
    double line = 0.0;
    int lines = 1;
    const double room = width - 10.0;
    for (const QChar c : QString::fromUtf8(text)) {
        const double advance = c.unicode() >= 0x2E80 ? kBodyPoints : kBodyPoints * 0.6;
        if (line + advance > room) {
            lines += 1;
            line = 0.0;
        }
        line += advance;
    }
    return lines;
}

bool labelled_cell(void* doc, int table, int row, int column, const char* text, const OfficeFont& font)
{
    return office_cell_append_text(doc, table, row, column, text) && office_cell_set_font(doc, table, row, column, font);
}

bool write_template(const std::string& path, int language, bool visible)
{
    void* doc = nullptr;
    if (!office_doc_init(doc)) {
        return false;
    }
    OfficeFont body;
    body.point_size = kBodyPoints;
    OfficeFont title = body;
    title.point_size = 16;
    title.bold = true;
    bool ok = true;
    int box = -1;
    ok = ok && office_doc_add_text_box(doc, 90, 50, 415, 30, box) && office_box_append_text(doc, box, kTitle[language])
         && office_box_set_font(doc, box, title) && office_box_set_alignment(doc, box, OFFICE_ALIGN_CENTER);
    // Picture places: a box each, bookmarked over its whole content.
    if (visible) {
        ok = ok && office_doc_add_text_box(doc, 90, 90, 205, 155, box) && office_box_bookmark_text(doc, box, "IRPicture");
        ok = ok && office_doc_add_text_box(doc, 300, 90, 205, 155, box) && office_box_bookmark_text(doc, box, "VIPicture");
    } else {
        ok = ok && office_doc_add_text_box(doc, 150, 90, 295, 220, box) && office_box_bookmark_text(doc, box, "IRPicture");
    }
    // One table holds the fields and, below them, the analyses, so that a
    // row that grows with a long value pushes the rows below it down rather
    // than run into another table.
    const int count = static_cast<int>(sizeof(kFields) / sizeof(kFields[0]));
    const int field_rows = (count + 1) / 2;
    const int rows = field_rows + 1 + kAnalyses;
    int table = -1;
    ok = ok && office_doc_add_table(doc, rows, 4, table) && office_table_set_position(doc, table, 90, 330);
    const int widths[4] = {95, 112, 95, 113};
    for (int c = 0; ok && c < 4; ++c) {
        ok = office_table_set_column_width(doc, table, c, widths[c]);
    }
    // Rows are at least as tall as their longest label and grow with the
    // values written into them.
    for (int row = 0; ok && row < rows; ++row) {
        int lines = 1;
        for (int i = row * 2; row < field_rows && i < std::min(count, row * 2 + 2); ++i) {
            lines = std::max(lines, lines_needed(kFields[i].label[language], widths[(i % 2) * 2]));
        }
        ok = office_table_set_min_row_height(doc, table, row, lines * kLinePoints + 3);
    }
    for (int i = 0; ok && i < count; ++i) {
        const int row = i / 2;
        const int column = (i % 2) * 2;
        ok = labelled_cell(doc, table, row, column, kFields[i].label[language], body)
             && office_cell_add_bookmark(doc, table, row, column + 1, kFields[i].key)
             && office_cell_set_font(doc, table, row, column + 1, body);
    }
    ok = ok && labelled_cell(doc, table, field_rows, 0, kAnalysis[language][0], body)
         && labelled_cell(doc, table, field_rows, 2, kAnalysis[language][1], body);
    for (int n = 1; ok && n <= kAnalyses; ++n) {
        const int row = field_rows + n;
        const std::string number = std::to_string(n);
        ok = labelled_cell(doc, table, row, 0, number.c_str(), body)
             && office_cell_add_bookmark(doc, table, row, 1, "AnalyzeName" + number)
             && labelled_cell(doc, table, row, 2, number.c_str(), body)
             && office_cell_add_bookmark(doc, table, row, 3, "AnalyzeTemperature" + number)
             && office_cell_set_font(doc, table, row, 1, body) && office_cell_set_font(doc, table, row, 3, body);
    }
    ok = ok && office_doc_save_w(doc, QString::fromLocal8Bit(path.c_str()).toStdWString());
    office_doc_uninit(doc);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    for (int language = 0; language < 3; ++language) {
        for (const bool visible : {false, true}) {
            const std::string path = std::string(argv[1]) + "/" + kNames[language] + (visible ? "VI" : "") + ".dot";
            if (!write_template(path, language, visible)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
        }
    }
    return 0;
}
