// The zip package of a word-processing document: its parts, content types
// and the relationships of the main document part.
#pragma once

#include "spool.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVector>

#include <memory>

namespace office::detail {

struct Relationship {
    QString id;
    QString type;
    QString target;
    bool external = false;
};

// Limits on a package read from a file.
constexpr int kMaxEntries = 5000;
constexpr qint64 kMaxPartBytes = 128LL * 1024 * 1024;
constexpr qint64 kMaxPackageBytes = 512LL * 1024 * 1024;

class Package {
public:
    // Reads every part; refuses unsafe names, oversized parts and damaged zips.
    bool read(const QString& path, QString& error);
    // Writes the package into a temporary file beside path and renames it
    // over path once complete; on failure nothing is left behind.
    bool write(const QString& path, QString& error) const;

    // Part names without a leading slash ("word/document.xml").
    QMap<QString, QByteArray> parts;
    // Parts written from pieces, some of them kept in the spool.
    QMap<QString, QVector<PartPiece>> pieced;
    std::shared_ptr<Spool> spool;
    bool has_part(const QString& name) const { return parts.contains(name) || pieced.contains(name); }
    // Content types by extension and by part name (both kept lower-case for
    // extensions, as written for part names).
    QMap<QString, QString> default_types;
    QMap<QString, QString> override_types;

    // Reads and writes "[Content_Types].xml" through the two maps.
    bool load_content_types(QString& error);
    void store_content_types();

    // The main document part named by the package relationships.
    bool main_part_name(QString& name, QString& error) const;

    // Name of the relationships part of a part ("word/_rels/document.xml.rels").
    static QString rels_name(const QString& part);
    // Resolves a relationship target relative to its source part.
    static QString resolve(const QString& source_part, const QString& target);
    static bool read_relationships(const QByteArray& bytes, QVector<Relationship>& rels, QString& error);
    static QByteArray write_relationships(const QVector<Relationship>& rels);
};

}  // namespace office::detail
