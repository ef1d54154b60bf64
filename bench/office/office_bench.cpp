// A 20-page report with 40 pictures (two per page, beside a table and six
// text boxes) written through the office layer, against zipping the very
// parts of that report with QuaZip alone, deflated and stored the same way.
#include "office.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kPages = 20;
constexpr int kPicturesPerPage = 2;

struct Fixture {
    QTemporaryDir dir;
    QStringList pictures;

    Fixture()
    {
        // Pictures with detail, so that they do not shrink to nothing.
        for (int i = 0; i < kPages * kPicturesPerPage; ++i) {
            QImage image(320, 240, QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    line[x] = qRgb((x * 7 + i * 13) & 0xff, (y * 5 + x * x) & 0xff, (x ^ y ^ i) & 0xff);
                }
            }
            const QString path = dir.filePath(QStringLiteral("p%1.png").arg(i));
            image.save(path, "PNG");
            pictures << path;
        }
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void write_page(void* doc, int page)
{
    int table = -1;
    office_doc_add_table(doc, 5, 4, table);
    office_table_set_position(doc, table, 72, 500);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 4; ++c) {
            office_cell_append_text(doc, table, r, c, "value " + std::to_string(r * 4 + c));
        }
    }
    OfficeFont font;
    font.family = "WenQuanYi Micro Hei";
    font.point_size = 10.5;
    for (int b = 0; b < 6; ++b) {
        int box = -1;
        office_doc_add_text_box(doc, 72, 650 + b * 20, 400, 18, box);
        office_box_append_text(doc, box, "Page " + std::to_string(page) + " line " + std::to_string(b) + " 最高温 36.5℃");
        office_box_set_font(doc, box, font);
    }
    for (int p = 0; p < kPicturesPerPage; ++p) {
        int box = -1;
        office_doc_add_text_box(doc, 72 + p * 230, 100, 220, 170, box);
        office_box_add_picture_w(doc, box, fixture().pictures[page * kPicturesPerPage + p].toStdWString());
    }
}

bool write_report(const QString& path)
{
    void* doc = nullptr;
    office_doc_init(doc);
    write_page(doc, 0);
    for (int page = 1; page < kPages; ++page) {
        void* next = nullptr;
        office_doc_init(next);
        write_page(next, page);
        office_doc_append(doc, next);
    }
    const bool ok = office_doc_save_w(doc, path.toStdWString());
    office_doc_uninit(doc);
    return ok;
}

void BM_office_write_report(benchmark::State& state)
{
    const QString path = fixture().dir.filePath(QStringLiteral("report.docx"));
    for (auto _ : state) {
        if (!write_report(path)) {
            state.SkipWithError("the report was not written");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

void BM_quazip_same_parts(benchmark::State& state)
{
    const QString source = fixture().dir.filePath(QStringLiteral("source.docx"));
    if (!write_report(source)) {
        state.SkipWithError("the report was not written");
        return;
    }
    QMap<QString, QByteArray> parts;
    {
        QuaZip zip(source);
        zip.open(QuaZip::mdUnzip);
        for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
            QuaZipFile file(&zip);
            file.open(QIODevice::ReadOnly);
            parts.insert(zip.getCurrentFileName(), file.readAll());
        }
    }
    const QString path = fixture().dir.filePath(QStringLiteral("plain.zip"));
    for (auto _ : state) {
        QuaZip zip(path);
        zip.open(QuaZip::mdCreate);
        for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
            const bool stored = it.key().endsWith(QLatin1String(".png"));
            QuaZipFile out(&zip);
            out.open(QIODevice::WriteOnly, QuaZipNewInfo(it.key()), nullptr, 0, stored ? 0 : Z_DEFLATED,
                     stored ? 0 : Z_DEFAULT_COMPRESSION);
            out.write(it.value());
            out.close();
        }
        zip.close();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

BENCHMARK(BM_office_write_report)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_quazip_same_parts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
