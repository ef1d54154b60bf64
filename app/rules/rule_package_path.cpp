#include "rules/rule_package_path.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

bool RulePackagePath::is_safe_entry_name(const QString& name)
{
    QString body = name;
    if (body.endsWith(QLatin1Char('/'))) {
        body.chop(1);
    }
    if (body.isEmpty() || body.startsWith(QLatin1Char('/'))) {
        return false;
    }
    for (const QChar c : body) {
        if (c.unicode() < 0x20 || c == QLatin1Char('\\') || c.unicode() == 0x7F) {
            return false;
        }
    }
    // A drive or a stream prefix, "C:" or "x:y", means nothing relative.
    if (body.contains(QLatin1Char(':'))) {
        return false;
    }
    const QStringList parts = body.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
            return false;
        }
    }
    return true;
}

QString RulePackagePath::picture_entry_name(const QString& stored_path, int kind, const QString& picture_dir)
{
    const QString root = QDir::cleanPath(picture_dir) + QLatin1Char('/');
    const QString path = QDir::cleanPath(stored_path);
    if (path.startsWith(root) && is_safe_entry_name(path.mid(root.size()))) {
        return path.mid(root.size());
    }
    const QString marker = QStringLiteral("/%1/").arg(kind);
    const int at = stored_path.indexOf(marker);
    if (at >= 0) {
        const QString cut = stored_path.mid(at + 1);
        if (is_safe_entry_name(cut)) {
            return cut;
        }
    }
    const QString fallback = QStringLiteral("%1/").arg(kind) + QFileInfo(stored_path).fileName();
    return is_safe_entry_name(fallback) ? fallback : QString();
}

QString RulePackagePath::entry_target(const QString& picture_dir, const QString& entry_name)
{
    QString name = entry_name;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!is_safe_entry_name(name) || name.endsWith(QLatin1Char('/'))) {
        return QString();
    }
    return QDir::cleanPath(picture_dir) + QLatin1Char('/') + name;
}

QString RulePackagePath::encode_component(const QString& text)
{
    if (text.isEmpty() || text == QLatin1String(".") || text == QLatin1String("..")) {
        return QString();
    }
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7F || c == QLatin1Char('%') || c == QLatin1Char('/') || c == QLatin1Char('\\') ||
            c == QLatin1Char(':')) {
            out += QStringLiteral("%%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

QString RulePackagePath::rule_picture_target(const QString& picture_dir, int kind, const QString& dev_type,
                                             const QString& voltage, const QString& part, const QString& shape)
{
    QString path = QDir::cleanPath(picture_dir) + QLatin1Char('/') + QString::number(kind);
    for (const QString& text : {dev_type, voltage, part, shape}) {
        const QString component = encode_component(text);
        if (component.isEmpty()) {
            return QString();
        }
        path += QLatin1Char('/') + component;
    }
    return path;
}

bool RulePackagePath::stays_inside(const QString& path, const QString& folder)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty()) {
        return false;
    }
    // Follow links through the deepest part of the path that exists; what
    // does not exist yet cannot be a link.
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const int slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0) {
            return false;
        }
        rest = existing.mid(slash) + rest;
        existing.truncate(slash);
    }
    const QString resolved = QDir::cleanPath(QFileInfo(existing).canonicalFilePath() + rest);
    return resolved.startsWith(root + QLatin1Char('/'));
}
