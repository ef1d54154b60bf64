// The rules of the clip editor that need no item: the recordings of one
// camera on a time bar, the start and end marks, the frames a clip takes
// from each recording, and the names and limits of its output parts.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

struct ClipRecording {
    QString path;
    QString file_name;
    uint64_t start_ms = 0;
    uint64_t end_ms = 0;
    int frames = 0;
};

// A frame of a recording: its index among the recordings and the frame.
struct ClipMark {
    int video = 0;
    int frame = 0;
    bool operator==(const ClipMark& other) const { return video == other.video && frame == other.frame; }
};

// What a clip job takes from the editor.
struct ClipJob {
    ClipMark start;
    ClipMark end;
    int64_t total = 0;
    int interval = 1;
    int frames_per_part = 1200;
    QVector<ClipRecording> recordings;
    QString base_path;
    int type = 0;
};

namespace clip_plan {

enum OutputType { kIrv = 0, kH264 = 1, kAvi = 2 };

constexpr int kMaxInterval = 15;
constexpr int kH264PartFrames = 100000;
constexpr int kAviPartFrames = 1000;

// Inserts `entry` into `list`, sorted by start time, unless its path is
// already there; false when it was.
bool insert_sorted(QVector<ClipRecording>& list, const ClipRecording& entry);

// Start at a third of the first recording, end at two thirds of the last.
void default_marks(const QVector<ClipRecording>& list, ClipMark& start, ClipMark& end);

// The mark a wanted end (or start) becomes so that the clip keeps at least
// one frame after (before) the other mark. A single frame at the very end
// (beginning) of the recordings gives a one-frame clip.
ClipMark end_mark_for(const QVector<ClipRecording>& list, const ClipMark& start, const ClipMark& wanted);
ClipMark start_mark_for(const QVector<ClipRecording>& list, const ClipMark& end, const ClipMark& wanted);

// `mark` moved by `delta` frames across recording boundaries, held inside
// the recordings.
ClipMark stepped(const QVector<ClipRecording>& list, const ClipMark& mark, int delta);

// Frames from start to end, both included; 0 when either lies outside the
// recordings or the end comes before the start.
int64_t total_frames(const QVector<ClipRecording>& list, const ClipMark& start, const ClipMark& end);

// x of a mark on a bar `width` pixels wide, and the mark under x; a bar
// without width or recordings maps everything to 0.
int mark_x(const QVector<ClipRecording>& list, const ClipMark& mark, double width);
ClipMark mark_at(const QVector<ClipRecording>& list, double x, double width);

// The frames recording `video` gives to the clip; false when it gives none.
bool frame_range(const QVector<ClipRecording>& list, const ClipMark& start, const ClipMark& end, int video,
                 int& first, int& last);

// Output type from the name's suffix (h264, avi; anything else .irv) and
// the path without that suffix.
int output_type(const QString& path);
QString base_path(const QString& path);
// The file of part `part` (counted from 1).
QString part_path(const QString& base, int part, int type);
// Frames of one output part.
int part_limit(int type, int frames_per_part);
// The files a job writes when every frame is written, part 1 first.
QStringList output_paths(const ClipJob& job);
// Frames per .irv part for a picture `width` pixels wide.
int frames_per_part_for_width(int width);

// Share of the job done, 0..1; a one-frame job is done with its frame.
double progress_fraction(int64_t done, int64_t total);

}  // namespace clip_plan
