// Report layouts: refreshing 50 data marks that name 100 analysis objects
// of the sample picture, beside computing the same 100 texts straight from
// the frame document; and loading a layout of 500 components, beside
// parsing the same file with a bare QDomDocument.
#include "reports/ir_image_picture.h"
#include "reports/report_com_image.h"
#include "reports/report_com_mark.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_data.h"
#include "sources/ir_image.h"
#include "thermframe.h"

#include <QDomDocument>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kObjects = 100;
constexpr int kMarks = 50;

QString sample_path() { return QCoreApplication::applicationDirPath() + "/samples/sample.jpg"; }

// A layout with the sample picture carrying 100 rectangles and 50 marks,
// each naming the name and maximum of a different rectangle.
struct MarkedLayout {
    ReportData data{nullptr};
    ReportComImage* picture = nullptr;
    QList<ReportComMark*> marks;
    bool ok = false;

    MarkedLayout()
    {
        data.set_page_size(800, 1100);
        data.clear_all();
        data.add_page();
        picture = static_cast<ReportComImage*>(data.add_com(0, ReportComBase::kTypePicture, 0, 0, 326, 246));
        if (!picture->open_file(sample_path())) return;
        void* doc = static_cast<IrImagePicture*>(picture->picture())->source()->get_ir_data();
        thermframe_delete_all_ana(doc);
        for (int i = 0; i < kObjects; ++i) {
            const int x = 10 + (i % 10) * 60, y = 10 + (i / 10) * 48;
            const std::string text = "R:" + std::to_string(x) + "," + std::to_string(y) + ";" +
                                     std::to_string(x + 50) + "," + std::to_string(y + 40) + ";-";
            void* ana = nullptr;
            if (!thermframe_add_ana(doc, text, ana)) return;
            thermframe_ana_set_alias(ana, "R" + std::to_string(1000 + i));
        }
        for (int i = 0; i < kMarks; ++i) {
            auto* mark = static_cast<ReportComMark*>(data.add_com(0, ReportComBase::kTypeMark, 400, 300 + i * 15, 10, 10));
            mark->update_mark_text(QString("{IR1AnalyzeName%1} {IR1Analyze%1MaxTemperature}").arg(i * 2 + 1));
            marks << mark;
        }
        data.refresh_all_marks();
        ok = marks.last()->show_text().contains(QChar(0x2103));
    }
};

void BM_refresh_marks(benchmark::State& state)
{
    MarkedLayout layout;
    if (!layout.ok) {
        state.SkipWithError("sample picture missing");
        return;
    }
    for (auto _ : state) {
        layout.data.refresh_all_marks();
        benchmark::DoNotOptimize(layout.marks.last()->show_text().size());
    }
}
BENCHMARK(BM_refresh_marks)->Unit(benchmark::kMillisecond);

// The same 100 texts: every rectangle's alias and maximum read from the
// frame document, ordered by alias, formatted.
void BM_baseline_compute_values(benchmark::State& state)
{
    MarkedLayout layout;
    if (!layout.ok) {
        state.SkipWithError("sample picture missing");
        return;
    }
    void* doc = static_cast<IrImagePicture*>(layout.picture->picture())->source()->get_ir_data();
    for (auto _ : state) {
        QMap<QString, float> maxima;
        int32_t count = 0;
        thermframe_get_anas_count(doc, ANA_RECT, count);
        for (int32_t i = 0; i < count; ++i) {
            void* ana = nullptr;
            thermframe_get_ana(doc, ANA_RECT, i, ana);
            std::string alias;
            thermframe_ana_get_alias(ana, alias);
            uint16_t x = 0, y = 0, ad = 0;
            float t = 0.0f;
            thermframe_ana_get_max_temp(ana, x, y, ad, t);
            maxima.insert(QString::fromStdString(alias), t);
        }
        QStringList texts;
        for (auto it = maxima.constBegin(); it != maxima.constEnd(); ++it) {
            texts << it.key() << QString::asprintf("%.1f", double(it.value())) + QChar(0x2103);
        }
        benchmark::DoNotOptimize(texts.size());
    }
}
BENCHMARK(BM_baseline_compute_values)->Unit(benchmark::kMillisecond);

// A layout file of 500 components: texts, marks and 4 x 3 tables.
QString write_big_layout(const QTemporaryDir& dir)
{
    ReportData data(nullptr);
    data.set_page_size(800, 1100);
    data.clear_all();
    data.add_page();
    for (int i = 0; i < 500; ++i) {
        const int x = (i % 20) * 38, y = (i / 20) * 42;
        switch (i % 3) {
        case 0: static_cast<ReportComText*>(data.add_com(0, ReportComBase::kTypeText, x, y, 36, 40))->set_text("text"); break;
        case 1:
            static_cast<ReportComMark*>(data.add_com(0, ReportComBase::kTypeMark, x, y, 36, 40))
                ->update_mark_text("T {IR1Analyze1MaxTemperature} {IR1DeviceName}");
            break;
        default: {
            auto* table = static_cast<ReportComTable*>(data.add_com(0, ReportComBase::kTypeTable, x, y, 36, 110));
            table->reset_grid(4, 3);
            table->set_cell_mark(1, 1, "{IR1FullscreenMaxTemperature}");
            break;
        }
        }
    }
    const QString path = dir.filePath("big.xml");
    return data.save_layout(path) ? path : QString();
}

void BM_load_layout(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = write_big_layout(dir);
    ReportData data(nullptr);
    data.set_page_size(800, 1100);
    for (auto _ : state) {
        if (!data.open_layout(path)) state.SkipWithError("layout not loaded");
        benchmark::DoNotOptimize(data.coms().size());
    }
}
BENCHMARK(BM_load_layout)->Unit(benchmark::kMillisecond);

void BM_baseline_parse_dom(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = write_big_layout(dir);
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QDomDocument doc;
        doc.setContent(file.readAll(), false);
        benchmark::DoNotOptimize(doc.documentElement().childNodes().size());
    }
}
BENCHMARK(BM_baseline_parse_dom)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
