#include "views/clip_output.h"

#include "markpen.h"
#include "reelplay.h"
#include "sources/avi_writer.h"
#include "sources/ir_player.h"
#include "thermframe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>

#include <cstdio>

Q_DECLARE_LOGGING_CATEGORY(lc_video_edit)

ClipOutput::ClipOutput(IRPlayer* player, int type, const QString& base, int frames_per_part)
    : m_player(player), m_type(type), m_base(base), m_part_limit(clip_plan::part_limit(type, frames_per_part))
{
}

ClipOutput::~ClipOutput()
{
    if (m_part_open || m_encoder) {
        discard();
    }
}

QString ClipOutput::temp_path(const QString& target)
{
    const QFileInfo info(target);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QLatin1String(".part"));
}

bool ClipOutput::begin()
{
    if (m_type != clip_plan::kH264) {
        return true;
    }
    void* doc = m_player != nullptr ? m_player->get_ir_data() : nullptr;
    uint16_t width = 0;
    uint16_t height = 0;
    if (doc == nullptr || !thermframe_get_show_resolution(doc, width, height) || width == 0 || height == 0) {
        return false;
    }
    m_encoder = m_h264.init(width, height, m_player->frame_rate());
    return m_encoder;
}

bool ClipOutput::open_part()
{
    void* doc = m_player != nullptr ? m_player->get_ir_data() : nullptr;
    const QString target = clip_plan::part_path(m_base, m_part + 1, m_type);
    const QString temp = temp_path(target);
    QFile::remove(temp);
    bool ok = false;
    if (m_type == clip_plan::kH264) {
        ok = m_encoder && m_h264.open_file(temp);
    } else if (m_type == clip_plan::kAvi) {
        uint16_t width = 0;
        uint16_t height = 0;
        if (doc != nullptr && thermframe_get_show_resolution(doc, width, height)) {
            m_avi = avi_open_output_file(temp);
        }
        if (m_avi != nullptr) {
            // The painter's rows come top row first.
            avi_set_video(m_avi, width, -int(height), double(m_player->frame_rate()), nullptr);
            ok = true;
        }
    } else if (doc != nullptr) {
        std::wstring wide = temp.toStdWString();
        ok = thermframe_start_record_w(doc, wide, m_record) && m_record != nullptr;
    }
    if (!ok) {
        qCWarning(lc_video_edit) << "clip part not opened:" << target;
        QFile::remove(temp);
        return false;
    }
    ++m_part;
    m_part_frames = 0;
    m_part_open = true;
    m_targets.append(target);
    return true;
}

bool ClipOutput::close_part()
{
    if (!m_part_open) {
        return true;
    }
    m_part_open = false;
    bool ok = false;
    if (m_type == clip_plan::kH264) {
        ok = m_h264.close_file();
    } else if (m_type == clip_plan::kAvi) {
        ok = avi_close_output_file(m_avi) == 0;
        m_avi = nullptr;
    } else {
        void* doc = m_player != nullptr ? m_player->get_ir_data() : nullptr;
        ok = doc != nullptr && thermframe_stop_record(doc, m_record, 0, nullptr);
        m_record = nullptr;
    }
    if (!ok) {
        qCWarning(lc_video_edit) << "clip part not finished:" << m_targets.value(m_part - 1);
    }
    return ok;
}

ClipOutput::Result ClipOutput::write_frame(uint32_t frame)
{
    if (!m_part_open && !open_part()) {
        return kPartFailed;
    }
    if (!append_frame(frame)) {
        return kWriteFailed;
    }
    if (++m_part_frames >= m_part_limit && !close_part()) {
        return kPartFailed;
    }
    return kWritten;
}

bool ClipOutput::capture_picture()
{
    void* paint = m_player->get_ir_paint();
    unsigned int length = 0;
    if (!markpen_update(paint, true, true) || !markpen_get_org_bits(paint, nullptr, length) || length == 0) {
        return false;
    }
    if (static_cast<unsigned int>(m_picture.size()) < length) {
        m_picture.resize(static_cast<int>(length));
    }
    uint16_t width = 0;
    uint16_t height = 0;
    if (!markpen_get_org_bits(paint, reinterpret_cast<unsigned char*>(m_picture.data()), length) ||
        !thermframe_get_show_resolution(m_player->get_ir_data(), width, height) ||
        uint64_t{width} * height * 4 != length) {
        return false;
    }
    m_picture_length = length;
    // The frame time goes onto the picture in place, as the view shows it.
    QImage image(reinterpret_cast<uchar*>(m_picture.data()), width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    m_player->draw_frame_time(&painter, height);
    return true;
}

bool ClipOutput::append_frame(uint32_t frame)
{
    if (m_player == nullptr) {
        return false;
    }
    void* handle = m_player->get_ir_handle();
    void* doc = m_player->get_ir_data();
    if (handle == nullptr || doc == nullptr || m_player->get_ir_paint() == nullptr) {
        // Nothing to take the frame from: only the encoder counts it lost.
        return m_type != clip_plan::kH264;
    }
    if (m_type == clip_plan::kH264 || m_type == clip_plan::kAvi) {
        if (!capture_picture()) {
            return false;
        }
        const int length = static_cast<int>(m_picture_length);
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_picture.constData());
        return m_type == clip_plan::kH264 ? m_h264.encode(bytes, length) : avi_write_frame(m_avi, bytes, length) == 0;
    }
    uint16_t mark_length = 0;
    if (!reelplay_get_mark_info(handle, frame, mark_length, nullptr)) {
        mark_length = 0;
    }
    if (mark_length > 0) {
        if (m_marks.size() < mark_length) {
            m_marks.resize(mark_length);
        }
        if (!reelplay_get_mark_info(handle, frame, mark_length, reinterpret_cast<unsigned char*>(m_marks.data()))) {
            mark_length = 0;
        }
    }
    return thermframe_record_one_frame(doc, m_record, mark_length, mark_length > 0 ? m_marks.data() : nullptr);
}

bool ClipOutput::commit()
{
    bool ok = close_part();
    if (m_encoder) {
        m_h264.deinit();
        m_encoder = false;
    }
    if (!ok) {
        discard();
        return false;
    }
    for (const QString& target : m_targets) {
        const QString temp = temp_path(target);
        // rename() replaces an existing target in one step.
        if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0) {
            qCWarning(lc_video_edit) << "clip part not moved onto" << target;
            discard();
            return false;
        }
    }
    return true;
}

void ClipOutput::discard()
{
    close_part();
    if (m_encoder) {
        m_h264.deinit();
        m_encoder = false;
    }
    for (const QString& target : m_targets) {
        QFile::remove(temp_path(target));
    }
}
