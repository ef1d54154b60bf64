// Batch analysis: twenty pictures get the same analysis objects, keep their
// temperatures, and one picture that cannot be written stays as it was.
#include "batch_pictures.h"
#include "failing_writes.h"
#include "reports/thread_print_report.h"
#include "sources/ir_image.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <memory>

using batch_pictures::Expected;

namespace {

const QJsonArray kAnas = {QJsonObject{{"ana_alias", "Hot"}, {"ana_str", "R:20,20;60,60;-"}},
                          QJsonObject{{"ana_alias", "Spot"}, {"ana_str", "P:30,30;-"}}};

QByteArray digest(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                          : QByteArray();
}

// What a picture holds once reopened: its temperatures, the aliases of its
// analysis objects and its user data.
struct Reopened {
    bool ok = false;
    std::vector<float> temps;
    QStringList aliases;
    QJsonObject user_data;
};

Reopened reopen(const QString& path)
{
    Reopened out;
    void* handle = nullptr;
    void* doc = nullptr;
    uint16_t w = 0, h = 0;
    if (picfold_init(handle) && picfold_load_file_w(handle, path.toStdWString(), false) &&
        picfold_get_ir_data(handle, doc) && thermframe_get_resolution(doc, w, h)) {
        out.temps.resize(size_t(w) * h);
        out.ok = thermframe_get_all_temp(doc, out.temps.data());
        for (AnaType type : {ANA_POINT, ANA_RECT}) {
            int32_t count = 0;
            thermframe_get_anas_count(doc, type, count);
            for (int32_t i = 0; i < count; ++i) {
                void* ana = nullptr;
                std::string alias;
                if (thermframe_get_ana(doc, type, i, ana) && thermframe_ana_get_alias(ana, alias)) {
                    out.aliases << QString::fromStdString(alias);
                }
            }
        }
        out.user_data = IRImage::read_user_data(doc);
    }
    picfold_uninit(handle);
    return out;
}

// A picture's visible image at a small common size, for comparing scenes.
QImage small_image(const QString& path)
{
    return QImage(path).scaled(64, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

// Mean absolute difference of the colour channels of two small images.
double difference(const QImage& a, const QImage& b)
{
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

class Collector : public QObject {
public:
    explicit Collector(ThreadPrintReport& worker)
    {
        connect(&worker, &ThreadPrintReport::sig_batch_anas_init, this, [this](int n) { total = n; },
                Qt::QueuedConnection);
        connect(&worker, &ThreadPrintReport::sig_batch_anas_progress, this, [this](int n) { progress << n; },
                Qt::QueuedConnection);
        connect(&worker, &ThreadPrintReport::sig_batch_anas_info, this, [this](const QString& s) { info << s; },
                Qt::QueuedConnection);
        connect(&worker, &ThreadPrintReport::sig_batch_anas_end, this, [this](int n) { status = n; },
                Qt::QueuedConnection);
    }
    int total = -1;
    QList<int> progress;
    QStringList info;
    int status = -1;
};

int run(ThreadPrintReport& worker, Collector& collector, const QJsonArray& files)
{
    QMetaObject::invokeMethod(
        &worker, [&worker, files] { worker.slot_batch_anas(files, kAnas); }, Qt::QueuedConnection);
    [&] { QTRY_VERIFY_WITH_TIMEOUT(collector.status >= 0, 120000); }();
    return collector.status;
}

// Twenty pictures: JPEG copies of the sample with analyses of their own,
// the PNG sample, the national-grid sample, and at position 12 a name of
// 252 bytes, whose temporary files must still fit beside it.
QStringList make_files(const QString& folder)
{
    QStringList files;
    for (int i = 0; i < 20; ++i) {
        Expected picture;
        if (i == 5 || i == 15) {
            const QString name = i == 5 ? "plain.PNG" : "grid.jpg";
            const QString target = QDir(folder).filePath(name);
            if (!QFile::copy(batch_pictures::sample_path(i == 5 ? "sample.png" : "sample_sgcc.jpg"), target)) {
                return {};
            }
            files << target;
            continue;
        }
        if (!batch_pictures::make_picture(folder, i, picture)) return {};
        if (i == 12) {
            // Named after it is made, so that only the batch writes it under this name.
            const QString long_name = QDir(folder).filePath(QString(248, QLatin1Char('x')) + ".jpg");
            if (!QFile::rename(picture.path, long_name)) return {};
            picture.path = long_name;
        }
        files << picture.path;
    }
    return files;
}

}  // namespace

class BatchAnalysisTest : public QObject {
    Q_OBJECT

private slots:
    void twenty_pictures_with_a_write_failure()
    {
        QTemporaryDir dir;
        const QStringList files = make_files(dir.path());
        QCOMPARE(files.size(), 20);
        std::vector<Reopened> before;
        for (const QString& file : files) {
            before.push_back(reopen(file));
            QVERIFY2(before.back().ok, qPrintable(file));
        }
        const QByteArray failed_digest = digest(files[10]);

        ThreadPrintReport worker;
        Collector collector(worker);
        // The disk is full while picture 10 is written: between the progress
        // of the picture before it and its own.
        std::unique_ptr<vytest::FailingWrites> full_disk;
        connect(&worker, &ThreadPrintReport::sig_batch_anas_progress, &worker, [&](int done) {
            if (done == 10) {
                full_disk = std::make_unique<vytest::FailingWrites>();
            } else if (done == 11) {
                full_disk.reset();
            }
        }, Qt::DirectConnection);
        QCOMPARE(run(worker, collector, QJsonArray::fromStringList(files)), 0);
        QVERIFY(!full_disk);
        QCOMPARE(collector.total, 20);
        QCOMPARE(collector.progress.size(), 20);
        QCOMPARE(collector.progress.last(), 20);
        QCOMPARE(collector.info.filter("modification and analysis successful!").size(), 19);
        QCOMPARE(collector.info[10], QString("File %1 modification analysis failed!!").arg(QFileInfo(files[10]).fileName()));
        QCOMPARE(collector.info[5], QString("File plain.PNG modification and analysis successful!"));

        // The picture that could not be written is byte for byte the same, and
        // no temporary file is left in the folder.
        QCOMPARE(digest(files[10]), failed_digest);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 20);
        QCOMPARE(QImageReader(files[5]).format(), QByteArray("png"));

        for (int i = 0; i < files.size(); ++i) {
            const Reopened after = reopen(files[i]);
            QVERIFY2(after.ok, qPrintable(files[i]));
            QVERIFY2(after.temps == before[size_t(i)].temps, qPrintable(files[i]));
            if (i == 10) {
                QVERIFY(!after.aliases.contains("Hot"));
                continue;
            }
            QStringList stored;
            for (const QJsonValue& value : after.user_data.value("VYAnas").toArray()) {
                stored << value.toObject().value("ana_alias").toString();
            }
            // Points first, then the rectangles; what the picture had is kept.
            QVERIFY2(stored.contains("Spot") && stored.indexOf("Spot") < stored.indexOf("Hot"),
                     qPrintable(stored.join(',')));
            QCOMPARE(after.user_data.value("VYZoomFactor").toInt(), 1);
            if (i != 15) {
                QVERIFY2(after.aliases.contains("Hot") && after.aliases.contains("Spot"),
                         qPrintable(after.aliases.join(',')));
            }
            if (i != 5 && i != 15) {
                QVERIFY(stored.contains("R1"));
                QCOMPARE(after.user_data.value("VYVoltage").toString(), QString::number(100 + i));
            }
        }
    }

    // Each picture keeps its own scene: three different samples come back
    // each closer to what it showed before than to any other.
    void each_picture_keeps_its_own_image()
    {
        QTemporaryDir dir;
        QStringList files;
        QList<QImage> before;
        for (const char* name : {"sample.jpg", "sample_wall.jpg", "sample.png"}) {
            const QString target = dir.filePath(QLatin1String(name));
            QVERIFY(QFile::copy(batch_pictures::sample_path(name), target));
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
            files << target;
            before << small_image(target);
            QVERIFY(!before.last().isNull());
        }
        ThreadPrintReport worker;
        Collector collector(worker);
        QCOMPARE(run(worker, collector, QJsonArray::fromStringList(files)), 0);
        QCOMPARE(collector.info.filter("modification and analysis successful!").size(), 3);
        for (int i = 0; i < files.size(); ++i) {
            const QImage after = small_image(files[i]);
            for (int j = 0; j < before.size(); ++j) {
                if (j != i) {
                    QVERIFY2(difference(after, before[i]) < difference(after, before[j]),
                             qPrintable(QString("%1 looks like %2").arg(files[i], files[j])));
                }
            }
        }
    }

    // A stop request is honoured between pictures: the rest stay untouched.
    void stop_leaves_the_rest_untouched()
    {
        QTemporaryDir dir;
        std::vector<Expected> pictures;
        QVERIFY(batch_pictures::make_pictures(dir.path(), 6, pictures));
        QStringList files;
        QList<QByteArray> digests;
        for (const Expected& picture : pictures) {
            files << picture.path;
            digests << digest(picture.path);
        }
        ThreadPrintReport worker;
        Collector collector(worker);
        int done = 0;
        connect(&worker, &ThreadPrintReport::sig_batch_anas_progress, &worker, [&](int) {
            if (++done == 2) worker.request_stop();
        }, Qt::DirectConnection);
        QCOMPARE(run(worker, collector, QJsonArray::fromStringList(files)), int(ThreadPrintReport::kStopped));
        QCOMPARE(collector.progress, (QList<int>{1, 2}));
        for (int i = 0; i < files.size(); ++i) QCOMPARE(digest(files[i]) == digests[i], i >= 2);
    }
};

QTEST_MAIN(BatchAnalysisTest)
#include "batch_analysis_test.moc"
