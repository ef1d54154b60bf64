// Conversion of a legacy binary word-processing file to the package format
// by an installed soffice.
#pragma once

#include <QString>

namespace office::detail {

enum class FileKind { Package, Legacy, Unknown };

// Decided by the first bytes, never by the name.
FileKind sniff_file(const QString& path);

// Converts path into a package inside folder (a temporary folder the caller
// owns) and names the result; false when soffice is absent, fails or takes
// longer than the timeout.
bool convert_legacy(const QString& path, const QString& folder, QString& converted, QString& error);

}  // namespace office::detail
