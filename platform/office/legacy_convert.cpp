// Legacy binary files reach the package reader only through soffice, run
// with an argument list (never a shell) and a private user profile.
#include "legacy_convert.h"

#include "basekit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <unistd.h>

namespace office::detail {

namespace {

constexpr int kConvertTimeoutMs = 120000;

}  // namespace

FileKind sniff_file(const QString& path)
{
    // A named pipe or device is refused at once rather than waited on.
    int fd = -1;
    QFile file;
    if (vy_open_input_file(QFile::encodeName(path).constData(), &fd, nullptr) != VY_OK) {
        return FileKind::Unknown;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileKind::Unknown;
    }
    const QByteArray head = file.read(8);
    if (head.startsWith("PK")) {
        return FileKind::Package;
    }
    if (head == QByteArray::fromHex("D0CF11E0A1B11AE1")) {
        return FileKind::Legacy;
    }
    return FileKind::Unknown;
}

bool convert_legacy(const QString& path, const QString& folder, QString& converted, QString& error)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (program.isEmpty()) {
        error = QStringLiteral("a legacy binary file needs soffice to convert it, and none is installed");
        return false;
    }
    // The input is copied under a fixed name, so that the output name is
    // known and no outside text reaches the command line as an option.
    const QString input = QDir(folder).filePath(QStringLiteral("input.doc"));
    if (!QFile::copy(path, input)) {
        error = QStringLiteral("cannot copy %1 for conversion").arg(path);
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments({QStringLiteral("-env:UserInstallation=")
                              + QUrl::fromLocalFile(QDir(folder).filePath(QStringLiteral("profile"))).toString(),
                          QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                          QStringLiteral("docx"), QStringLiteral("--outdir"), folder, input});
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    if (!process.waitForStarted(kConvertTimeoutMs)) {
        error = QStringLiteral("soffice did not start");
        return false;
    }
    if (!process.waitForFinished(kConvertTimeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        error = QStringLiteral("soffice took longer than %1 s").arg(kConvertTimeoutMs / 1000);
        return false;
    }
    converted = QDir(folder).filePath(QStringLiteral("input.docx"));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !QFileInfo::exists(converted)) {
        error = QStringLiteral("soffice could not convert %1").arg(path);
        return false;
    }
    return true;
}

}  // namespace office::detail
