// Zip reading and writing of a package through QuaZip.
#include "package.h"

#include "basekit.h"
#include "xml_tree.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace office::detail {

namespace {

const QString kContentTypesPart = QStringLiteral("[Content_Types].xml");
const QString kContentTypesNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
const QString kRelationshipsNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");

bool safe_part_name(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QLatin1Char(':')) || name.contains(QChar(0))) {
        return false;
    }
    const QStringList pieces = name.split(QLatin1Char('/'));
    for (const QString& piece : pieces) {
        if (piece == QLatin1String("..") || piece == QLatin1String(".")) {
            return false;
        }
    }
    return true;
}

// Parts that are already compressed gain nothing from deflate.
bool stored_uncompressed(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("jpeg") || suffix == QLatin1String("jpg")
           || suffix == QLatin1String("gif");
}

bool write_part(QuaZipFile& out, const QString& name, const Package& package, QString& error)
{
    const auto found = package.parts.constFind(name);
    if (found != package.parts.cend()) {
        if (out.write(found.value()) != found.value().size()) {
            error = QStringLiteral("cannot write %1").arg(name);
            return false;
        }
        return true;
    }
    for (const PartPiece& piece : package.pieced.value(name)) {
        if (piece.offset < 0) {
            if (out.write(piece.bytes) != piece.bytes.size()) {
                error = QStringLiteral("cannot write %1").arg(name);
                return false;
            }
        } else if (package.spool == nullptr || !package.spool->copy(piece, out, error)) {
            error = QStringLiteral("cannot write %1: %2").arg(name, error);
            return false;
        }
    }
    return true;
}

bool write_parts(const QString& zip_path, const Package& package, QString& error)
{
    QuaZip zip(zip_path);
    if (!zip.open(QuaZip::mdCreate)) {
        error = QStringLiteral("cannot create the zip (%1)").arg(zip.getZipError());
        return false;
    }
    // The content types go first, as readers of the format expect.
    QStringList order = package.parts.keys() + package.pieced.keys();
    order.removeAll(kContentTypesPart);
    std::sort(order.begin(), order.end());
    if (package.parts.contains(kContentTypesPart)) {
        order.push_front(kContentTypesPart);
    }
    bool ok = true;
    for (const QString& name : order) {
        QuaZipFile out(&zip);
        const bool stored = stored_uncompressed(name);
        if (!out.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, stored ? 0 : Z_DEFLATED,
                      stored ? 0 : Z_DEFAULT_COMPRESSION)) {
            error = QStringLiteral("cannot add %1 (%2)").arg(name).arg(out.getZipError());
            ok = false;
            break;
        }
        ok = write_part(out, name, package, error);
        out.close();
        if (ok && out.getZipError() != UNZ_OK) {
            error = QStringLiteral("cannot finish %1 (%2)").arg(name).arg(out.getZipError());
            ok = false;
        }
        if (!ok) {
            break;
        }
    }
    zip.close();
    if (ok && zip.getZipError() != UNZ_OK) {
        error = QStringLiteral("cannot finish the zip (%1)").arg(zip.getZipError());
        ok = false;
    }
    return ok;
}

bool flush_to_disk(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return false;
    }
    return ::fsync(file.handle()) == 0;
}

}  // namespace

bool Package::read(const QString& path, QString& error)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        error = QStringLiteral("not a zip package (%1)").arg(zip.getZipError());
        return false;
    }
    if (zip.getEntriesCount() > kMaxEntries) {
        error = QStringLiteral("more than %1 entries").arg(kMaxEntries);
        return false;
    }
    QMap<QString, QByteArray> read_parts;
    qint64 total = 0;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info)) {
            error = QStringLiteral("damaged zip directory");
            return false;
        }
        if (info.name.endsWith(QLatin1Char('/'))) {
            continue;  // a folder entry
        }
        if (!safe_part_name(info.name) || read_parts.contains(info.name)) {
            error = QStringLiteral("refused entry name %1").arg(info.name);
            return false;
        }
        if (info.uncompressedSize > static_cast<quint64>(kMaxPartBytes)) {
            error = QStringLiteral("entry %1 too large").arg(info.name);
            return false;
        }
        QuaZipFile in(&zip);
        if (!in.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot open entry %1 (%2)").arg(info.name).arg(in.getZipError());
            return false;
        }
        // The stored size is not trusted: reading stops at the cap.
        QByteArray bytes;
        char buffer[65536];
        qint64 n = 0;
        while ((n = in.read(buffer, sizeof(buffer))) > 0) {
            if (bytes.size() + n > kMaxPartBytes || total + bytes.size() + n > kMaxPackageBytes) {
                error = QStringLiteral("entry %1 inflates past the limit").arg(info.name);
                return false;
            }
            bytes.append(buffer, static_cast<int>(n));
        }
        in.close();
        if (n < 0 || in.getZipError() != UNZ_OK) {
            error = QStringLiteral("damaged entry %1").arg(info.name);
            return false;
        }
        total += bytes.size();
        read_parts.insert(info.name, bytes);
    }
    if (zip.getZipError() != UNZ_OK) {
        error = QStringLiteral("damaged zip (%1)").arg(zip.getZipError());
        return false;
    }
    parts = read_parts;
    return load_content_types(error);
}

bool Package::write(const QString& path, QString& error) const
{
    QFileInfo target(path);
    // A link is kept: the document replaces the file it points to.
    if (target.isSymLink()) {
        target = QFileInfo(target.symLinkTarget());
    }
    if (target.fileName().isEmpty()) {
        error = QStringLiteral("no file name");
        return false;
    }
    vy_remove_stale_temp_files(QFile::encodeName(target.absoluteFilePath()).constData(), 1, nullptr);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open()) {
        error = QStringLiteral("cannot create a file in %1: %2").arg(target.absolutePath(), temp.errorString());
        return false;
    }
    const QString temp_path = temp.fileName();
    temp.close();
    if (!write_parts(temp_path, *this, error)) {
        return false;
    }
    // The temporary file was made private: a document gets the permissions
    // of the file it replaces, or the usual ones.
    const QFileDevice::Permissions permissions =
        target.exists() ? QFile::permissions(target.absoluteFilePath())
                        : (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                           QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QFile::setPermissions(temp_path, permissions);
    if (!flush_to_disk(temp_path)) {
        error = QStringLiteral("cannot flush %1").arg(temp_path);
        return false;
    }
    if (std::rename(QFile::encodeName(temp_path).constData(), QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        error = QStringLiteral("cannot rename over %1").arg(path);
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

bool Package::load_content_types(QString& error)
{
    const auto found = parts.constFind(kContentTypesPart);
    if (found == parts.cend()) {
        error = QStringLiteral("no content types");
        return false;
    }
    std::unique_ptr<XmlNode> root;
    if (!parse_xml(found.value(), root, error)) {
        error = QStringLiteral("content types: ") + error;
        return false;
    }
    QMap<QString, QString> defaults;
    QMap<QString, QString> overrides;
    for (const auto& c : root->children) {
        if (c->kind != XmlNode::Element) {
            continue;
        }
        if (c->name == QLatin1String("Default")) {
            defaults.insert(c->attribute(QStringLiteral("Extension")).toLower(), c->attribute(QStringLiteral("ContentType")));
        } else if (c->name == QLatin1String("Override")) {
            QString name = c->attribute(QStringLiteral("PartName"));
            if (name.startsWith(QLatin1Char('/'))) {
                name.remove(0, 1);
            }
            overrides.insert(name, c->attribute(QStringLiteral("ContentType")));
        }
    }
    default_types = defaults;
    override_types = overrides;
    return true;
}

void Package::store_content_types()
{
    XmlNode root(QStringLiteral("Types"));
    root.set_attribute(QStringLiteral("xmlns"), kContentTypesNs);
    for (auto it = default_types.cbegin(); it != default_types.cend(); ++it) {
        root.add(QStringLiteral("Default"), {{QStringLiteral("Extension"), it.key()}, {QStringLiteral("ContentType"), it.value()}});
    }
    for (auto it = override_types.cbegin(); it != override_types.cend(); ++it) {
        root.add(QStringLiteral("Override"),
                 {{QStringLiteral("PartName"), QLatin1Char('/') + it.key()}, {QStringLiteral("ContentType"), it.value()}});
    }
    parts.insert(kContentTypesPart, write_xml(root));
}

bool Package::main_part_name(QString& name, QString& error) const
{
    QVector<Relationship> rels;
    if (!read_relationships(parts.value(QStringLiteral("_rels/.rels")), rels, error)) {
        error = QStringLiteral("package relationships: ") + error;
        return false;
    }
    for (const Relationship& r : rels) {
        if (!r.external && r.type.endsWith(QLatin1String("/officeDocument"))) {
            name = resolve(QString(), r.target);
            if (!parts.contains(name)) {
                error = QStringLiteral("main part %1 missing").arg(name);
                return false;
            }
            return true;
        }
    }
    error = QStringLiteral("no main document relationship");
    return false;
}

QString Package::rels_name(const QString& part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

QString Package::resolve(const QString& source_part, const QString& target)
{
    QString joined;
    if (target.startsWith(QLatin1Char('/'))) {
        joined = target.mid(1);
    } else {
        const int slash = source_part.lastIndexOf(QLatin1Char('/'));
        joined = source_part.left(slash + 1) + target;
    }
    QString clean = QDir::cleanPath(joined);
    if (clean.startsWith(QLatin1Char('/')) || clean.startsWith(QLatin1String(".."))) {
        return QString();  // outside the package
    }
    return clean;
}

bool Package::read_relationships(const QByteArray& bytes, QVector<Relationship>& rels, QString& error)
{
    rels.clear();
    if (bytes.isEmpty()) {
        error = QStringLiteral("missing");
        return false;
    }
    std::unique_ptr<XmlNode> root;
    if (!parse_xml(bytes, root, error)) {
        return false;
    }
    QSet<QString> ids;
    for (const auto& c : root->children) {
        if (!c->is("Relationship")) {
            continue;
        }
        Relationship r;
        r.id = c->attribute(QStringLiteral("Id"));
        r.type = c->attribute(QStringLiteral("Type"));
        r.target = c->attribute(QStringLiteral("Target"));
        r.external = c->attribute(QStringLiteral("TargetMode")) == QLatin1String("External");
        if (r.id.isEmpty() || ids.contains(r.id)) {
            error = QStringLiteral("missing or repeated relationship id");
            return false;
        }
        ids.insert(r.id);
        rels.push_back(r);
    }
    return true;
}

QByteArray Package::write_relationships(const QVector<Relationship>& rels)
{
    XmlNode root(QStringLiteral("Relationships"));
    root.set_attribute(QStringLiteral("xmlns"), kRelationshipsNs);
    for (const Relationship& r : rels) {
        XmlNode* node = root.add(QStringLiteral("Relationship"), {{QStringLiteral("Id"), r.id},
                                                                  {QStringLiteral("Type"), r.type},
                                                                  {QStringLiteral("Target"), r.target}});
        if (r.external) {
            node->set_attribute(QStringLiteral("TargetMode"), QStringLiteral("External"));
        }
    }
    return write_xml(root);
}

}  // namespace office::detail
