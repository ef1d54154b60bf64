// Folder and file listings over temporary trees, and drives that come and go
// through a fake volume lister.
#include "browse/model_dir_info.h"
#include "message_guard.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include <unistd.h>

namespace {

void touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QStringList values(const QJsonArray& array, const char* key)
{
    QStringList result;
    for (const QJsonValue& v : array) {
        result << v.toObject().value(QString::fromLatin1(key)).toVariant().toString();
    }
    return result;
}

}  // namespace

class ModelDirInfoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup()
    {
        ModelDirInfo::set_volume_lister({});
        m_guard.verify();
    }
    void sub_path_lists_visible_folders_with_children();
    void path_files_filters_data();
    void path_files_filters();
    void unreadable_and_missing_folders_give_nothing();
    void drives_come_and_go();
    void only_the_first_model_watches();

private:
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
};

void ModelDirInfoTest::initTestCase()
{
    m_guard.install();
    QDir root(m_dir.path());
    for (const char* folder : {"nested/deeper/deepest", "empty", "only-hidden/.secret", "50% #1 ?", "热像 图",
                               "locked/inner", ".hidden"}) {
        QVERIFY(root.mkpath(QString::fromUtf8(folder)));
    }
    for (const char* file : {"A.JPG", "B.IRV", "c.png", "d.txt", "e.jpeg", ".f.jpg", "50% #1 ?.jpg", "热像 图.png",
                             "noext", "g.irv.bak"}) {
        touch(root.filePath(QString::fromUtf8(file)));
    }
}

void ModelDirInfoTest::sub_path_lists_visible_folders_with_children()
{
    ModelDirInfo model;
    const QJsonArray subs = model.get_sub_path(m_dir.path());
    QCOMPARE(values(subs, "str_name"),
             QStringList({"50% #1 ?", "empty", "locked", "nested", "only-hidden", QString::fromUtf8("热像 图")}));
    QCOMPARE(values(subs, "b_has_child"),
             QStringList({"false", "false", "true", "true", "false", "false"}));
    QCOMPARE(subs.at(0).toObject().value("str_path").toString(), m_dir.path() + "/50% #1 ?");
    // A file: URL of a name with URL-special characters finds the same folder.
    const QString url = QUrl::fromLocalFile(m_dir.path() + "/nested").toString();
    QCOMPARE(values(model.get_sub_path(url), "str_name"), QStringList({"deeper"}));
    QVERIFY(model.get_sub_path(m_dir.path() + "/only-hidden").isEmpty());
    QVERIFY(model.get_sub_path(m_dir.path() + "/empty").isEmpty());
}

void ModelDirInfoTest::path_files_filters_data()
{
    QTest::addColumn<bool>("pictures");
    QTest::addColumn<bool>("videos");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("jpg");
    QTest::newRow("both") << true << true
                          << QStringList({"50% #1 ?.jpg", "A.JPG", "B.IRV", "c.png", QString::fromUtf8("热像 图.png")})
                          << QStringList({"true", "true", "false", "true", "true"});
    QTest::newRow("pictures") << true << false
                              << QStringList({"50% #1 ?.jpg", "A.JPG", "c.png", QString::fromUtf8("热像 图.png")})
                              << QStringList({"true", "true", "true", "true"});
    QTest::newRow("videos") << false << true << QStringList({"B.IRV"}) << QStringList({"false"});
    QTest::newRow("neither") << false << false << QStringList() << QStringList();
}

void ModelDirInfoTest::path_files_filters()
{
    QFETCH(bool, pictures);
    QFETCH(bool, videos);
    QFETCH(QStringList, names);
    QFETCH(QStringList, jpg);
    ModelDirInfo model;
    const QJsonArray files = model.get_path_files(m_dir.path(), pictures, videos);
    QCOMPARE(values(files, "str_name"), names);
    QCOMPARE(values(files, "b_jpg"), jpg);
    for (const QJsonValue& file : files) {
        QVERIFY(QFile::exists(file.toObject().value("str_path").toString()));
    }
    if (pictures && !videos) {
        QCOMPARE(model.get_path_images(m_dir.path()), files);
    }
}

void ModelDirInfoTest::unreadable_and_missing_folders_give_nothing()
{
    ModelDirInfo model;
    QVERIFY(model.get_path_files(m_dir.path() + "/no such folder", true, true).isEmpty());
    QVERIFY(model.get_sub_path(m_dir.path() + "/no such folder").isEmpty());
    QVERIFY(model.get_path_files(m_dir.path() + "/A.JPG", true, true).isEmpty());
    if (geteuid() == 0) {
        QSKIP("root reads folders whatever their mode");
    }
    const QString locked = m_dir.path() + "/locked";
    QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
    const QJsonArray subs = model.get_sub_path(locked);
    const QJsonArray parent = model.get_sub_path(m_dir.path());
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(subs.isEmpty());
    QCOMPARE(parent.at(2).toObject().value("b_has_child").toBool(), false);
}

void ModelDirInfoTest::drives_come_and_go()
{
    QStringList volumes{"/", "/boot", "/run/user/1000", "/mnt/backup"};
    ModelDirInfo::set_volume_lister([&volumes] { return volumes; });
    ModelDirInfo model;
    QVERIFY(model.is_watcher());
    const QStringList start = ModelDirInfo::drives();
    QCOMPARE(start.first(), QStringLiteral("/"));
    QVERIFY(start.contains(QDir::homePath()));
    QVERIFY(start.contains("/mnt/backup"));
    QVERIFY(!start.contains("/boot"));
    QVERIFY(!start.contains("/run/user/1000"));

    QSignalSpy added(&model, &ModelDirInfo::sig_add_device);
    QSignalSpy removed(&model, &ModelDirInfo::sig_remove_device);
    volumes << "/media/user/USB STICK";
    model.poll_drives();
    model.poll_drives();  // the same drive again adds nothing
    QCOMPARE(added.count(), 1);
    QCOMPARE(added.at(0).at(0).toString(), QStringLiteral("/media/user/USB STICK"));
    QVERIFY(model.get_dirves_path().contains(QStringLiteral("/media/user/USB STICK")));
    volumes.removeAll("/media/user/USB STICK");
    volumes.removeAll("/mnt/backup");
    model.poll_drives();
    QCOMPARE(removed.count(), 2);
    QCOMPARE(added.count(), 1);
    QCOMPARE(values(model.get_sub_path("Computer"), "str_path"), ModelDirInfo::drives());
}

void ModelDirInfoTest::only_the_first_model_watches()
{
    QStringList volumes{"/"};
    ModelDirInfo::set_volume_lister([&volumes] { return volumes; });
    auto first = std::make_unique<ModelDirInfo>();
    {
        ModelDirInfo second;
        QVERIFY(!second.is_watcher());
    }
    // The second model's end leaves the first one watching.
    QVERIFY(first->is_watcher());
    QSignalSpy added(first.get(), &ModelDirInfo::sig_add_device);
    volumes << "/media/card";
    first->poll_drives();
    QCOMPARE(added.count(), 1);
    first.reset();
    ModelDirInfo next;
    QVERIFY(next.is_watcher());
}

QTEST_MAIN(ModelDirInfoTest)
#include "model_dir_info_test.moc"
