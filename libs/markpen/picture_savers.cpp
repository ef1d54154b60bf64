// Picture savers. A picture goes to a temporary file beside its target,
// gets its radiometric data appended there, and replaces the target only
// when both succeeded: a failed append never leaves the user's radiometric
// picture as a bare JPEG.
#include "paint_renderer.h"

#include "basekit.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace markpen::detail {

namespace {

enum AppendKind { kAppendNone = 0, kAppendTemperature = 1, kAppendSgcc = 2 };

bool sync_file(const QString& name)
{
    const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

}  // namespace

bool PaintRenderer::write_picture(const QImage& picture, const SavePath& path,
                                  PictureFormat format, int append_kind)
{
    const char* const function = "PaintRenderer::write_picture";
    QFileInfo target(path.name);
    // A link is kept: the picture replaces the file it points to.
    if (target.isSymLink()) {
        target = QFileInfo(target.symLinkTarget());
    }
    if (path.name.isEmpty() || target.fileName().isEmpty()) {
        MARKPEN_LOG(4, function, "%s", "empty picture path");
        return false;
    }
    const QByteArray shown = path.name.toUtf8();
    const QByteArray target_name = QFile::encodeName(target.absoluteFilePath());
    vy_remove_stale_temp_files(target_name.constData(), 1, nullptr);
    QByteArray pattern(target_name.size() + 16, '\0');
    if (vy_temp_file_pattern(target_name.constData(), pattern.data(), static_cast<size_t>(pattern.size())) != VY_OK) {
        MARKPEN_LOG(4, function, "no temporary name beside %s", shown.constData());
        return false;
    }
    QTemporaryFile temporary(QFile::decodeName(pattern.constData()));
    if (!temporary.open()) {
        MARKPEN_LOG(4, function, "cannot create a file beside %s: %s", shown.constData(),
                    temporary.errorString().toUtf8().constData());
        return false;
    }
    QImageWriter writer(&temporary, format == PictureFormat::jpeg ? "JPG" : "PNG");
    writer.setQuality(100);
    if (!writer.write(picture) || !temporary.flush()) {
        MARKPEN_LOG(4, function, "cannot write %s: %s", shown.constData(),
                    writer.errorString().toUtf8().constData());
        return false;
    }
    temporary.close();
    const QString written = temporary.fileName();
    bool appended = true;
    if (append_kind == kAppendTemperature) {
        appended = path.wide ? frame_->append_temperature_to_file_w(written.toStdWString())
                             : frame_->append_temperature_to_file(written.toUtf8().toStdString());
    } else if (append_kind == kAppendSgcc) {
        appended = path.wide ? frame_->append_sgcc_to_file_w(written.toStdWString())
                             : frame_->append_sgcc_to_file(written.toUtf8().toStdString());
    }
    if (!appended) {
        MARKPEN_LOG(4, function, "appending the data to %s failed; the file is left as it was",
                    shown.constData());
        return false;
    }
    // A saved picture gets the permissions of the file it replaces, or the
    // usual ones; the temporary file was made private.
    const QFileDevice::Permissions permissions =
        target.exists() ? QFile::permissions(target.absoluteFilePath())
                        : (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                           QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QFile::setPermissions(written, permissions);
    if (!sync_file(written) ||
        std::rename(QFile::encodeName(written).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        MARKPEN_LOG(4, function, "cannot replace %s: %s", shown.constData(), std::strerror(errno));
        return false;
    }
    temporary.setAutoRemove(false);
    return true;
}

bool PaintRenderer::save_picture(const SavePath& path, const std::string& caption, bool draw,
                                 bool append, PictureFormat format)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    if (source_.isNull() || !frame_ || output_.isNull()) {
        MARKPEN_LOG(4, "PaintRenderer::save_picture", "%s", "no picture or frame to save");
        return false;
    }
    // The frame may hold another picture since the last save: its pixels
    // are read again every time.
    load_frame_pixels();
    compose(output_, output_blank_);
    if (draw) {
        draw_shapes(output_, false);
        draw_texts(output_, false);
        draw_info_panel(output_, false, std::string(), caption, false);
    }
    return write_picture(output_, path, format, append ? kAppendTemperature : kAppendNone);
}

bool PaintRenderer::save_grid_picture(const SavePath& path, const std::string& time,
                                      const std::string& caption)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    if (source_.isNull() || !frame_ || output_.isNull()) {
        MARKPEN_LOG(4, "PaintRenderer::save_grid_picture", "%s", "no picture or frame to save");
        return false;
    }
    load_frame_pixels();
    compose(output_, output_blank_);
    draw_shapes(output_, false);
    draw_texts(output_, false);
    draw_info_panel(output_, false, time, caption, true);
    return write_picture(output_, path, PictureFormat::jpeg, kAppendSgcc);
}

bool PaintRenderer::save_grid_window(const SavePath& path)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    if (source_.isNull() || !frame_ || window_.isNull()) {
        MARKPEN_LOG(4, "PaintRenderer::save_grid_window", "%s", "no picture or frame to save");
        return false;
    }
    settle(window_, window_blank_);
    QImage copy = window_.copy();
    draw_info_panel(copy, true, std::string(), std::string(), false);
    return write_picture(copy, path, PictureFormat::jpeg, kAppendSgcc);
}

}  // namespace markpen::detail
