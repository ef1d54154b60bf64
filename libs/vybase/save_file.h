// Completing a QSaveFile so that a failed write never replaces the target.
// Header only; its users link Qt Core.
#pragma once

#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace vy {

// Flushes, syncs and commits `file`, answering true only when the whole
// content has replaced the target. QSaveFile keeps small writes in its
// buffer, and commit() ignores an error of that last flush: on a full disk it
// would rename an empty temporary file over the user's file and answer true.
// On any failure the temporary file is discarded, the old file stays as it
// was and `error` (when given) receives the reason.
inline bool commit_save_file(QSaveFile& file, QString* error = nullptr)
{
    if (!file.isOpen()) {
        if (error != nullptr) {
            *error = QStringLiteral("not open");
        }
        return false;
    }
    QString reason;
    if (file.error() != QFileDevice::NoError || !file.flush()) {
        reason = file.errorString();
    } else if (::fsync(file.handle()) != 0 && errno != EINVAL) {
        // EINVAL: a file system without fsync, which loses nothing.
        reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (reason.isEmpty()) {
        if (file.commit()) {
            return true;
        }
        reason = file.errorString();
    } else {
        file.cancelWriting();
        file.commit();  // discards the temporary file
    }
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}

}  // namespace vy
