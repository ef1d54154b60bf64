#include "test_recordings.h"

#include "reelplay.h"
#include "thermframe.h"

namespace roadtest {

bool write_recording_prefix(const QString& source, const QString& path, uint32_t frames)
{
    return write_recording_part(source, path, 0, frames);
}

bool write_recording_part(const QString& source, const QString& path, uint32_t first, uint32_t frames)
{
    void* h = nullptr;
    if (!reelplay_init(h)) return false;
    void* doc = nullptr;
    void* record = nullptr;
    std::wstring target = path.toStdWString();
    bool ok = reelplay_load_file_w(h, source.toStdWString()) && reelplay_get_ir_data(h, doc) &&
              thermframe_start_record_w(doc, target, record);
    for (uint32_t i = 0; ok && i < frames; ++i) {
        ok = reelplay_seek_frame(h, first + i) && thermframe_record_one_frame(doc, record, 0, nullptr);
    }
    if (record != nullptr) ok = thermframe_stop_record(doc, record, 0, nullptr) && ok;
    reelplay_uninit(h);
    return ok;
}

}  // namespace roadtest
