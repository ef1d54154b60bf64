// Helpers of the office tests: packages are read back with QuaZip and the
// parts checked with a namespace-aware DOM, independently of the writer.
#pragma once

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QByteArray>
#include <QDomDocument>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QString>

#include <string>
#include <vector>

namespace office_test {

inline const QString kW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
inline const QString kWp = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
inline const QString kA = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
inline const QString kR = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

inline QMap<QString, QByteArray> read_parts(const QString& path)
{
    QMap<QString, QByteArray> parts;
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        return parts;
    }
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        file.open(QIODevice::ReadOnly);
        parts.insert(zip.getCurrentFileName(), file.readAll());
    }
    return parts;
}

inline QDomDocument dom_of(const QByteArray& bytes)
{
    QDomDocument dom;
    dom.setContent(bytes, true);
    return dom;
}

inline std::vector<QDomElement> elements(const QDomNode& root, const QString& ns, const QString& name)
{
    std::vector<QDomElement> out;
    const QDomNodeList list = root.isDocument() ? root.toDocument().elementsByTagNameNS(ns, name)
                                                : root.toElement().elementsByTagNameNS(ns, name);
    for (int i = 0; i < list.size(); ++i) {
        out.push_back(list.at(i).toElement());
    }
    return out;
}

// The first child element with that local name.
inline QDomElement child(const QDomElement& parent, const char* local)
{
    for (QDomElement c = parent.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        if (c.localName() == QLatin1String(local)) {
            return c;
        }
    }
    return QDomElement();
}

// The text of every w:t under node, joined.
inline QString text_of(const QDomNode& node)
{
    QString text;
    for (const QDomElement& t : elements(node, kW, QStringLiteral("t"))) {
        text += t.text();
    }
    return text;
}

inline std::wstring wide(const QString& path)
{
    return path.toStdWString();
}

inline QString write_picture(const QString& path, int width, int height, const char* format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xff2060a0);
    image.save(path, format);
    return path;
}

// Runs a program with a time limit; false when it is missing or fails.
inline bool run_program(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(180000) || process.exitCode() != 0) {
        return false;
    }
    if (output != nullptr) {
        *output = process.readAllStandardOutput();
    }
    return true;
}

// Converts a document to PDF with soffice (a private profile in folder) and
// returns the text of its pages; false when soffice or pdftotext is missing.
inline bool pdf_pages(const QString& document, const QString& folder, QList<QByteArray>& pages)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (soffice.isEmpty() || pdftotext.isEmpty()) {
        return false;
    }
    const QString profile = QStringLiteral("-env:UserInstallation=file://") + folder + QStringLiteral("/profile");
    QByteArray text;
    if (!run_program(soffice, {profile, QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                               QStringLiteral("--outdir"), folder, document})
        || !run_program(pdftotext, {QStringLiteral("-layout"),
                                    folder + QLatin1Char('/') + QFileInfo(document).completeBaseName() + QStringLiteral(".pdf"),
                                    QStringLiteral("-")},
                        &text)) {
        return false;
    }
    // Every page ends with a form feed.
    pages = text.split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    return true;
}

}  // namespace office_test
