// Namespaces, content types and relationship types of the format.
#pragma once

#include <QString>

namespace office::detail {

inline const QString kNsW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
inline const QString kNsR = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
inline const QString kNsWp = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
inline const QString kNsA = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
inline const QString kNsPic = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");
// Text boxes inside drawings live in this namespace.
inline const QString kNsWps = QStringLiteral("http://schemas.microsoft.com/office/word/2010/wordprocessingShape");

inline const QString kTypeDocumentMain =
    QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml");
inline const QString kTypeTemplateMain =
    QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml");
inline const QString kTypeStyles = QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml");
inline const QString kTypeRelationships = QStringLiteral("application/vnd.openxmlformats-package.relationships+xml");

inline const QString kRelOfficeDocument =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument");
inline const QString kRelStyles = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles");
inline const QString kRelImage = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/image");

// EMU per point and per twentieth of a point; EMU per pixel at 96 dpi.
constexpr qint64 kEmuPerPoint = 12700;
constexpr qint64 kEmuPerTwip = 635;
constexpr qint64 kEmuPerPixel = 9525;

}  // namespace office::detail
