// The start page's heavy paths, each beside a baseline of the same run:
// listing a folder of 10,000 files through the model against
// QDir::entryList; the thumbnail of a 1280x1024 JPEG decoded scaled against a
// full load and scale; thumbnails of 500 radiometric pictures through the
// loader (until every tile's thumbnail is cached) against decoding the same
// JPEGs bare on as many threads.
#include "browse/model_dir_info.h"
#include "browse/thread_image_loading.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr int kListedFiles = 10000;
constexpr int kFolderPictures = 500;
constexpr int kLoaderThreads = 2;

struct ListedFolder {
    ListedFolder()
    {
        for (int i = 0; i < kListedFiles; ++i) {
            QFile file(dir.filePath(QString::asprintf("IR_%05d.%s", i, i % 10 == 0 ? "irv" : "jpg")));
            file.open(QIODevice::WriteOnly);
        }
    }
    QTemporaryDir dir;
};

ListedFolder& listed_folder()
{
    static ListedFolder folder;
    return folder;
}

void BM_ListFolder_Model(benchmark::State& state)
{
    ModelDirInfo model;
    const QString path = listed_folder().dir.path();
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.get_path_files(path, true, true));
    }
    state.SetItemsProcessed(state.iterations() * kListedFiles);
}
BENCHMARK(BM_ListFolder_Model)->Unit(benchmark::kMillisecond);

void BM_ListFolder_EntryListBaseline(benchmark::State& state)
{
    const QDir dir(listed_folder().dir.path());
    const QStringList filters{"*.jpg", "*.png", "*.irv"};
    for (auto _ : state) {
        benchmark::DoNotOptimize(dir.entryList(filters, QDir::Files | QDir::NoDotAndDotDot, QDir::Name));
    }
    state.SetItemsProcessed(state.iterations() * kListedFiles);
}
BENCHMARK(BM_ListFolder_EntryListBaseline)->Unit(benchmark::kMillisecond);

struct LargeJpeg {
    LargeJpeg()
    {
        QImage image(1280, 1024, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 1280, 1024);
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(0.5, Qt::red);
        gradient.setColorAt(1, Qt::yellow);
        painter.fillRect(image.rect(), gradient);
        for (int i = 0; i < 200; ++i) {
            painter.fillRect((i * 97) % 1200, (i * 61) % 980, 40, 30, QColor::fromHsv(i % 360, 200, 220));
        }
        painter.end();
        path = dir.filePath("large.jpg");
        image.save(path, "JPG", 90);
    }
    QTemporaryDir dir;
    QString path;
};

LargeJpeg& large_jpeg()
{
    static LargeJpeg jpeg;
    return jpeg;
}

void BM_Thumbnail_ScaledDecode(benchmark::State& state)
{
    const QString path = large_jpeg().path;
    for (auto _ : state) {
        QImage thumbnail;
        benchmark::DoNotOptimize(ThreadImageLoading::make_thumbnail(path, true, thumbnail));
    }
}
BENCHMARK(BM_Thumbnail_ScaledDecode)->Unit(benchmark::kMillisecond);

void BM_Thumbnail_FullLoadAndScaleBaseline(benchmark::State& state)
{
    const QString path = large_jpeg().path;
    for (auto _ : state) {
        QImage image(path);
        benchmark::DoNotOptimize(image.scaled(ThreadImageLoading::kThumbWidth, ThreadImageLoading::kThumbHeight,
                                              Qt::KeepAspectRatio, Qt::FastTransformation));
    }
}
BENCHMARK(BM_Thumbnail_FullLoadAndScaleBaseline)->Unit(benchmark::kMillisecond);

struct PictureFolder {
    PictureFolder()
    {
        const QString sample = QCoreApplication::applicationDirPath() + "/samples/sample.jpg";
        for (int i = 0; i < kFolderPictures; ++i) {
            const QString path = dir.filePath(QString::asprintf("IR_%04d.jpg", i));
            QFile::copy(sample, path);
            paths << path;
        }
    }
    QTemporaryDir dir;
    QStringList paths;
};

PictureFolder& picture_folder()
{
    static PictureFolder folder;
    return folder;
}

void BM_Folder500_Loader(benchmark::State& state)
{
    const QStringList& paths = picture_folder().paths;
    for (auto _ : state) {
        ThreadImageLoading loader(kLoaderThreads);
        // Counted as the workers finish, so that waiting takes none of the
        // loader's locks.
        std::atomic<int> done{0};
        QObject::connect(&loader, &ThreadImageLoading::sig_thumbnail_done, [&done] { ++done; });
        for (const QString& path : paths) {
            loader.attach(path);
            loader.request(path, true);
        }
        while (done.load() < paths.size()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    state.SetItemsProcessed(state.iterations() * kFolderPictures);
}
BENCHMARK(BM_Folder500_Loader)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Folder500_BareDecodeBaseline(benchmark::State& state)
{
    const QStringList& paths = picture_folder().paths;
    for (auto _ : state) {
        std::atomic<int> next{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < kLoaderThreads; ++t) {
            threads.emplace_back([&] {
                for (int i = next++; i < paths.size(); i = next++) {
                    QImage image(paths[i]);
                    benchmark::DoNotOptimize(image.constBits());
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    }
    state.SetItemsProcessed(state.iterations() * kFolderPictures);
}
BENCHMARK(BM_Folder500_BareDecodeBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
