// Batch report printing over a long inspection: 2,000 pictures into one
// report through the built-in template and through a layout. For each block
// of 100 pictures it prints the clock and process CPU time per picture and
// the resident memory at the block's end; the last block is set beside the
// first, which is the baseline: a writer whose pages cost the same however
// many came before shows a ratio near 1. The peak memory is printed beside
// the document's own media bytes. Part of bench_reports.
#include "batch_pictures.h"
#include "reports/thread_print_report.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPictures = 2000;
constexpr int kBlock = 100;
// Distinct pictures made; the batch takes them again in turn.
constexpr int kDistinct = 200;

struct Inspection {
    QTemporaryDir dir;
    std::vector<batch_pictures::Expected> files;
    QString layout;
    qint64 media_bytes = 0;
    bool ok = false;

    Inspection()
    {
        // A debug line per picture would time the terminal, not the writer.
        QLoggingCategory::setFilterRules(QStringLiteral("pyravue.*.debug=false"));
        ok = dir.isValid() && batch_pictures::make_pictures(dir.path(), kDistinct, files);
        for (const auto& f : files) media_bytes += QFileInfo(f.path).size();
        media_bytes = media_bytes * kPictures / kDistinct;
        layout = dir.filePath("layout.xml");
        QFile file(layout);
        ok = ok && file.open(QIODevice::WriteOnly) &&
             file.write(R"(<Report version="1"><Printer width="700" height="1000"/><ReportCom>
<ComText version="1" x="20" y="10" width="300" height="30" flags="4">Inspection report</ComText>
<ComMark version="1" x="20" y="50" width="300" height="30"><Mark type="5" mark="IR1DocumentTitle" ir_id="0"/></ComMark>
<ComTable version="1" x="20" y="100" width="300" height="40" rows="2" columns="2">
<Cells><Item row="0" column="0" flags="1"><Text>Voltage</Text></Item>
<Item row="0" column="1" flags="1"><Mark type="8" mark="IR1RunningVoltage" ir_id="0"/></Item>
<Item row="1" column="0" flags="1"><Text>Maximum</Text></Item>
<Item row="1" column="1" flags="1"><Mark type="2" mark="IR1Analyze1MaxTemperature" ir_id="0" ana_id="0"/></Item>
</Cells></ComTable>
<ComPic version="1" x="20" y="160" width="320" height="240" file="1" ir="1" mark="IRPicture1"/>
</ReportCom></Report>)") > 0;
    }
    QJsonArray records() const
    {
        QJsonArray list;
        for (int i = 0; i < kPictures; ++i) {
            const auto& picture = files[size_t(i) % files.size()];
            list.append(batch_pictures::record_of(picture.path, picture.name));
        }
        return list;
    }
};

Inspection& inspection()
{
    static Inspection shared;
    return shared;
}

double cpu_seconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double resident_mb()
{
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm != nullptr) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double peak_mb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// One report of kPictures pictures; prints a line per block.
void run(benchmark::State& state, bool layout)
{
    Inspection& p = inspection();
    if (!p.ok) {
        state.SkipWithError("no pictures");
        return;
    }
    const QJsonArray records = p.records();
    BatchReportSettings settings;
    settings.chinese = false;
    if (layout) {
        settings.template_selected = 1;
        settings.template_path = p.layout;
    } else {
        settings.template_path = QCoreApplication::applicationDirPath() + "/DefaultDotEn.dot";
        settings.template_path_vi = QCoreApplication::applicationDirPath() + "/DefaultDotEnVI.dot";
    }
    settings.page_size = QSize(700, 1000);
    const QString out = p.dir.filePath(layout ? "layout.doc" : "template.doc");
    for (auto _ : state) {
        ThreadPrintReport worker;
        int status = -1;
        int printed = 0;
        std::vector<double> block_ms, block_cpu_ms, block_mb;
        auto block_start = std::chrono::steady_clock::now();
        double block_cpu = cpu_seconds();
        QObject::connect(&worker, &ThreadPrintReport::sig_report_end, [&status](int n) { status = n; });
        QObject::connect(&worker, &ThreadPrintReport::sig_report_info, [&](const QString&) {
            if (++printed % kBlock != 0) return;
            const auto now = std::chrono::steady_clock::now();
            const double cpu = cpu_seconds();
            block_ms.push_back(std::chrono::duration<double, std::milli>(now - block_start).count() / kBlock);
            block_cpu_ms.push_back((cpu - block_cpu) * 1000.0 / kBlock);
            block_mb.push_back(resident_mb());
            block_start = now;
            block_cpu = cpu;
        });
        const auto start = std::chrono::steady_clock::now();
        worker.slot_print_report(out, records, settings);
        const double total_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (status != ThreadPrintReport::kPrinted || block_ms.empty()) {
            state.SkipWithError("report not written");
            return;
        }
        std::printf("\n%s report of %d pictures (%.1f s, document %.1f MB, its media %.1f MB)\n",
                    layout ? "layout" : "template", kPictures, total_s, QFileInfo(out).size() / 1048576.0,
                    p.media_bytes / 1048576.0);
        std::printf("%10s %14s %14s %14s\n", "pictures", "ms/picture", "cpu ms/picture", "resident MB");
        for (size_t b = 0; b < block_ms.size(); ++b) {
            std::printf("%4zu-%-5zu %14.2f %14.2f %14.1f\n", b * kBlock + 1, (b + 1) * kBlock, block_ms[b],
                        block_cpu_ms[b], block_mb[b]);
        }
        const double ratio = block_ms.back() / block_ms.front();
        const double cpu_ratio = block_cpu_ms.back() / block_cpu_ms.front();
        std::printf("last 100 / first 100: %.2f clock, %.2f cpu (aim <= 1.2); peak resident %.1f MB\n", ratio,
                    cpu_ratio, peak_mb());
        std::fflush(stdout);
        state.counters["first_ms"] = block_ms.front();
        state.counters["last_ms"] = block_ms.back();
        state.counters["last_over_first"] = ratio;
        state.counters["cpu_last_over_first"] = cpu_ratio;
        state.counters["cpu_first_ms"] = block_cpu_ms.front();
        state.counters["cpu_last_ms"] = block_cpu_ms.back();
        state.counters["resident_growth_mb"] = block_mb.back() - block_mb.front();
        state.counters["peak_mb"] = peak_mb();
    }
}

void BM_batch_report_scaling_template(benchmark::State& state) { run(state, false); }
void BM_batch_report_scaling_layout(benchmark::State& state) { run(state, true); }
BENCHMARK(BM_batch_report_scaling_template)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_batch_report_scaling_layout)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
