// The files of one clip job: parts of .irv, H.264 or AVI frames taken from
// the recording source, each written to a hidden temporary file beside its
// target. Only a finished job moves them onto their names; a failed or
// cancelled one removes them, so no partial clip is left behind.
//
// Used on the recording source's thread only (the frame document and the
// painter live there); the clip worker reaches it by blocking queued calls.
#pragma once

#include "sources/h264_file_writer.h"
#include "views/clip_plan.h"

#include <QByteArray>
#include <QPointer>
#include <QStringList>

struct AviOutput;
class IRPlayer;

class ClipOutput {
public:
    // kPartFailed: a part could not be opened or finished; not worth a retry.
    enum Result { kWritten, kWriteFailed, kPartFailed };

    ClipOutput(IRPlayer* player, int type, const QString& base, int frames_per_part);
    virtual ~ClipOutput();

    ClipOutput(const ClipOutput&) = delete;
    ClipOutput& operator=(const ClipOutput&) = delete;

    // Reads the picture size and, for H.264, starts the encoder.
    bool begin();
    // Writes the frame the player shows, opening the first part, or the
    // next one when the last is full, before it.
    Result write_frame(uint32_t frame);
    // Closes the open part and moves every part onto its name; false (and
    // nothing kept) when one of them fails.
    bool commit();
    // Closes the open part and removes every part written.
    void discard();

    // Targets of the parts, part 1 first.
    QStringList targets() const { return m_targets; }
    static QString temp_path(const QString& target);

protected:
    // One frame into the open part; false when it was not written.
    virtual bool append_frame(uint32_t frame);

private:
    bool open_part();
    bool close_part();
    bool capture_picture();

    QPointer<IRPlayer> m_player;
    int m_type;
    QString m_base;
    int m_part_limit;
    int m_part = 0;
    int m_part_frames = 0;
    bool m_part_open = false;
    bool m_encoder = false;
    QStringList m_targets;
    void* m_record = nullptr;
    AviOutput* m_avi = nullptr;
    H264FileWriter m_h264;
    QByteArray m_marks;
    QByteArray m_picture;
    unsigned int m_picture_length = 0;
};
