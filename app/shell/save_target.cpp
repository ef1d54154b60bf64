#include "shell/save_target.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace save_target {

namespace {

QString identity(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

}  // namespace

bool is_source(const QString& target, const QStringList& sources)
{
    if (target.isEmpty()) {
        return false;
    }
    const QString wanted = identity(target);
    for (const QString& source : sources) {
        if (!source.isEmpty() && identity(source) == wanted) {
            return true;
        }
    }
    return false;
}

QString source_among(const QStringList& targets, const QStringList& sources)
{
    for (const QString& target : targets) {
        if (is_source(target, sources)) {
            return target;
        }
    }
    return QString();
}

QString refusal_message(const QString& target)
{
    return QCoreApplication::translate("SaveTarget", "不能保存到本次操作正在读取的文件：%1")
        .arg(QDir::toNativeSeparators(target));
}

}  // namespace save_target
