// Files from outside opened for reading the one way the libraries do: a
// named pipe or device is refused at once instead of blocking the reader.
#pragma once

#include <QFile>
#include <QString>

// Opens `path`, an existing regular file, read-only into `file` (which must
// be closed). On failure `file` stays closed and `why` (may be null) tells why.
bool open_input_file(QFile& file, const QString& path, QString* why = nullptr);
