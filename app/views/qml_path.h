// Paths handed over by QML: file dialogs give "file:" URLs, everything else
// is a local path already.
#pragma once

#include <QString>
#include <QUrl>

inline QString local_path_from_qml(const QString& text)
{
    if (text.startsWith(QLatin1String("file:"))) {
        return QUrl(text).toLocalFile();
    }
    return text;
}
