// Seeds of the rule-sheet fuzz target, written by the program's own sheet
// writer: a rule sheet, long texts over continuation records, an empty sheet.
#include "rules/xls_writer.h"
#include "seed_writer.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <string>

namespace {

bool write(const std::string& dir, const char* name, const XlsWriter& writer)
{
    QByteArray bytes;
    return writer.file_bytes(bytes) && seeds::write_seed(dir, name, bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/fuzz_rules_sheet";
    XlsWriter sheet;
    const char* titles[] = {"版本", "适用专业", "设备类型", "电压等级", "部位角度",
                            "设备形状", "分析字符串", "图片", "诊断判据", "诊断公式内容"};
    for (int c = 0; c < 10; ++c) {
        sheet.set_text(0, c, QString::fromUtf8(titles[c]));
        sheet.set_text(1, c, QStringLiteral("%1").arg(c));
    }
    sheet.set_text(2, 9, QStringLiteral("[{\"detect_formula\":\"R01:Max > 40\",\"fault_degree\":\"严重\"}]"));
    XlsWriter longest;
    longest.set_text(0, 0, QString(XlsWriter::kMaxTextLength, QChar(0x6C34)));
    longest.set_text(1, 1, QString(5000, QLatin1Char('x')));
    bool ok = write(dir, "rule_sheet.xls", sheet) && write(dir, "long_texts.xls", longest) &&
              write(dir, "empty.xls", XlsWriter());
    return ok ? 0 : 1;
}
