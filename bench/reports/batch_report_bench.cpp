// Batch report printing: pictures per second of a layout report written
// for 10, 100 and 400 pictures, beside the same pictures only opened, given
// their report values and rendered, with no document written. The cost per
// picture should stay flat as the batch grows. Part of bench_reports.
#include "batch_pictures.h"
#include "markpen.h"
#include "reports/batch_report_picture.h"
#include "reports/report_field_values.h"
#include "reports/thread_print_report.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// 100 distinct pictures; longer batches take them again in turn.
struct Pictures {
    QTemporaryDir dir;
    std::vector<batch_pictures::Expected> files;
    QString layout;
    bool ok = false;

    Pictures()
    {
        ok = dir.isValid() && batch_pictures::make_pictures(dir.path(), 100, files);
        layout = dir.filePath("layout.xml");
        QFile file(layout);
        ok = ok && file.open(QIODevice::WriteOnly) &&
             file.write(R"(<Report version="1"><Printer width="700" height="1000"/><ReportCom>
<ComText version="1" x="20" y="10" width="300" height="30" flags="4">Inspection report</ComText>
<ComMark version="1" x="20" y="50" width="300" height="30"><Mark type="5" mark="IR1DocumentTitle" ir_id="0"/>
<Mark type="0"> </Mark><Mark type="2" mark="IR1Analyze1MaxTemperature" ir_id="0" ana_id="0"/></ComMark>
<ComTable version="1" x="20" y="100" width="300" height="40" rows="1" columns="2">
<Cells><Item row="0" column="0" flags="1"><Text>Voltage</Text></Item>
<Item row="0" column="1" flags="1"><Mark type="8" mark="IR1RunningVoltage" ir_id="0"/></Item></Cells></ComTable>
<ComPic version="1" x="20" y="160" width="320" height="240" file="1" ir="1" mark="IRPicture1"/>
</ReportCom></Report>)") > 0;
    }
    QJsonArray records(int count) const
    {
        QJsonArray list;
        for (int i = 0; i < count; ++i) {
            const auto& picture = files[size_t(i) % files.size()];
            list.append(batch_pictures::record_of(picture.path, picture.name));
        }
        return list;
    }
};

Pictures& pictures()
{
    static Pictures shared;
    return shared;
}

void BM_batch_report(benchmark::State& state)
{
    Pictures& p = pictures();
    if (!p.ok) {
        state.SkipWithError("no pictures");
        return;
    }
    const QJsonArray records = p.records(int(state.range(0)));
    BatchReportSettings settings;
    settings.template_selected = 1;
    settings.template_path = p.layout;
    settings.page_size = QSize(700, 1000);
    const QString out = p.dir.filePath("batch.doc");
    ThreadPrintReport worker;
    int status = -1;
    QObject::connect(&worker, &ThreadPrintReport::sig_report_end, [&status](int n) { status = n; });
    for (auto _ : state) {
        worker.slot_print_report(out, records, settings);
        if (status != ThreadPrintReport::kPrinted) state.SkipWithError("report not written");
    }
    state.SetItemsProcessed(state.iterations() * records.size());
}
BENCHMARK(BM_batch_report)->Arg(10)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_baseline_open_and_render(benchmark::State& state)
{
    Pictures& p = pictures();
    if (!p.ok) {
        state.SkipWithError("no pictures");
        return;
    }
    const QJsonArray records = p.records(int(state.range(0)));
    void* handle = nullptr;
    picfold_init(handle);
    BatchReportPicture picture(handle);
    for (auto _ : state) {
        for (const QJsonValue& record : records) {
            if (!picture.open_file(record.toObject().value("strPicPath").toString())) {
                state.SkipWithError("picture not opened");
            }
            ReportFieldValues values;
            report_field_values::fill_report_info(picture, values, false);
            void* painter = nullptr;
            picfold_get_ir_paint(handle, painter);
            markpen_update(painter, true, true);
            benchmark::DoNotOptimize(values.texts[0].size());
        }
    }
    picfold_uninit(handle);
    state.SetItemsProcessed(state.iterations() * records.size());
}
BENCHMARK(BM_baseline_open_and_render)->Arg(10)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
