#include "views/clip_plan.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace clip_plan {

namespace {

bool inside(const QVector<ClipRecording>& list, const ClipMark& mark)
{
    return mark.video >= 0 && mark.video < list.size() && mark.frame >= 0 && mark.frame < list[mark.video].frames;
}

int last_frame(const QVector<ClipRecording>& list, int video) { return std::max(0, list[video].frames - 1); }

}  // namespace

bool insert_sorted(QVector<ClipRecording>& list, const ClipRecording& entry)
{
    for (const ClipRecording& known : list) {
        if (known.path == entry.path) {
            return false;
        }
    }
    auto later = std::find_if(list.begin(), list.end(),
                              [&](const ClipRecording& known) { return known.start_ms > entry.start_ms; });
    list.insert(later, entry);
    return true;
}

void default_marks(const QVector<ClipRecording>& list, ClipMark& start, ClipMark& end)
{
    if (list.isEmpty()) {
        start = ClipMark{};
        end = ClipMark{};
        return;
    }
    const int last = list.size() - 1;
    start = ClipMark{0, list[0].frames / 3};
    end = ClipMark{last, 2 * list[last].frames / 3};
    if (list.size() == 1 && start.frame >= end.frame) {
        // Short recordings: the whole of it, up to its last frame.
        start = ClipMark{0, 0};
        end = ClipMark{0, last_frame(list, 0)};
    }
}

ClipMark end_mark_for(const QVector<ClipRecording>& list, const ClipMark& start, const ClipMark& wanted)
{
    if (wanted.video > start.video) {
        return wanted;
    }
    if (start.frame >= last_frame(list, start.video)) {
        if (start.video + 1 < list.size()) {
            return ClipMark{start.video + 1, 0};
        }
        return start;
    }
    if (wanted.video == start.video) {
        return ClipMark{wanted.video, std::max(wanted.frame, start.frame + 1)};
    }
    return ClipMark{start.video, start.frame + 1};
}

ClipMark start_mark_for(const QVector<ClipRecording>& list, const ClipMark& end, const ClipMark& wanted)
{
    if (wanted.video < end.video) {
        return wanted;
    }
    if (end.frame <= 0) {
        if (end.video > 0) {
            return ClipMark{end.video - 1, last_frame(list, end.video - 1)};
        }
        return end;
    }
    if (wanted.video == end.video) {
        return ClipMark{wanted.video, std::min(wanted.frame, end.frame - 1)};
    }
    return ClipMark{end.video, end.frame - 1};
}

ClipMark stepped(const QVector<ClipRecording>& list, const ClipMark& mark, int delta)
{
    if (mark.video < 0 || mark.video >= list.size()) {
        return mark;
    }
    const int64_t frame = int64_t{mark.frame} + delta;
    if (frame >= list[mark.video].frames) {
        if (mark.video + 1 < list.size()) {
            return ClipMark{mark.video + 1, 0};
        }
        return ClipMark{mark.video, last_frame(list, mark.video)};
    }
    if (frame < 0) {
        if (mark.video > 0) {
            return ClipMark{mark.video - 1, last_frame(list, mark.video - 1)};
        }
        return ClipMark{0, 0};
    }
    return ClipMark{mark.video, static_cast<int>(frame)};
}

int64_t total_frames(const QVector<ClipRecording>& list, const ClipMark& start, const ClipMark& end)
{
    if (!inside(list, start) || !inside(list, end) || end.video < start.video ||
        (end.video == start.video && end.frame < start.frame)) {
        return 0;
    }
    if (start.video == end.video) {
        return int64_t{end.frame} - start.frame + 1;
    }
    int64_t total = int64_t{list[start.video].frames} - start.frame;
    for (int v = start.video + 1; v < end.video; ++v) {
        total += list[v].frames;
    }
    return total + end.frame + 1;
}

int mark_x(const QVector<ClipRecording>& list, const ClipMark& mark, double width)
{
    if (list.isEmpty() || width <= 0.0 || mark.video < 0 || mark.video >= list.size()) {
        return 0;
    }
    const double slot = width / list.size();
    const int frames = list[mark.video].frames;
    const double inner = frames > 1 ? std::trunc(mark.frame * slot / (frames - 1)) : 0.0;
    return static_cast<int>(std::trunc(inner + mark.video * slot));
}

ClipMark mark_at(const QVector<ClipRecording>& list, double x, double width)
{
    if (list.isEmpty() || width <= 0.0) {
        return ClipMark{};
    }
    const double slot = width / list.size();
    const double position = x / slot;
    const int video = std::clamp(static_cast<int>(std::trunc(position)), 0, static_cast<int>(list.size()) - 1);
    const double frame = std::trunc(list[video].frames * (position - video));
    return ClipMark{video, static_cast<int>(std::clamp(frame, 0.0, double(last_frame(list, video))))};
}

bool frame_range(const QVector<ClipRecording>& list, const ClipMark& start, const ClipMark& end, int video,
                 int& first, int& last)
{
    if (video < start.video || video > end.video || video < 0 || video >= list.size()) {
        return false;
    }
    first = video == start.video ? start.frame : 0;
    last = video == end.video ? end.frame : list[video].frames - 1;
    last = std::min(last, list[video].frames - 1);
    return first >= 0 && first <= last;
}

int output_type(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("h264"), Qt::CaseInsensitive) == 0) {
        return kH264;
    }
    if (suffix.compare(QLatin1String("avi"), Qt::CaseInsensitive) == 0) {
        return kAvi;
    }
    return kIrv;
}

QString base_path(const QString& path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
}

QString part_path(const QString& base, int part, int type)
{
    const QString suffix = part <= 1 ? QString() : QString::asprintf("_%02d", part);
    const char* extension = type == kH264 ? ".h264" : type == kAvi ? ".avi" : ".irv";
    return base + suffix + QLatin1String(extension);
}

int part_limit(int type, int frames_per_part)
{
    if (type == kH264) {
        return kH264PartFrames;
    }
    if (type == kAvi) {
        return kAviPartFrames;
    }
    return std::max(1, frames_per_part);
}

QStringList output_paths(const ClipJob& job)
{
    const int64_t interval = std::clamp(job.interval, 1, kMaxInterval);
    const int64_t written = (std::max<int64_t>(job.total, 1) + interval - 1) / interval;
    const int64_t limit = part_limit(job.type, job.frames_per_part);
    const int64_t parts = (written + limit - 1) / limit;
    QStringList paths;
    for (int64_t part = 1; part <= parts; ++part) {
        paths.append(part_path(job.base_path, static_cast<int>(part), job.type));
    }
    return paths;
}

int frames_per_part_for_width(int width) { return width == 768 || width == 1024 ? 1200 : 3000; }

double progress_fraction(int64_t done, int64_t total)
{
    if (total <= 1) {
        return done > 0 ? 1.0 : 0.0;
    }
    return std::clamp(static_cast<double>(done) / static_cast<double>(total - 1), 0.0, 1.0);
}

}  // namespace clip_plan
