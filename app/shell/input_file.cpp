#include "shell/input_file.h"

#include "basekit.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

bool open_input_file(QFile& file, const QString& path, QString* why)
{
    int fd = -1;
    if (vy_open_input_file(QFile::encodeName(path).constData(), &fd, nullptr) != VY_OK) {
        if (why != nullptr) *why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    file.setFileName(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (why != nullptr) *why = file.errorString();
        return false;
    }
    return true;
}
