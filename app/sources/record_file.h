// The file a live recorder is writing: the frame document's own recording
// (".irv"), an AVI file or an H.264 stream of the rendered picture. Files
// live in one folder per day under the recording folder and are named by
// the camera's serial number and the time they were opened.
#pragma once

#include "sources/h264_file_writer.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

struct AviOutput;

class RecordFile {
public:
    RecordFile() = default;
    ~RecordFile();

    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // folder/yyyyMMdd/sn-yyyyMMdd-hhmmss.ext, the date folder made when
    // missing, with "-2", "-3"... before the extension when that name is
    // taken; empty when the folder cannot be made.
    static QString make_file_name(const QString& folder, const QString& sn, int type, const QDateTime& at);
    static QString extension(int type);

    // Binds the frame document and the drawing handle of the camera and
    // the file type of this run; for H.264 the encoder starts at fps.
    bool begin(void* frame_doc, void* paint, int type, int fps);
    // Opens the next file; false (with a log line) when it cannot be
    // written to.
    bool start_record(const QString& file, int fps);
    bool record_one_frame();
    // True once the open file reached limit_bytes.
    bool is_file_full(int frames_in_file, int64_t limit_bytes);
    void stop_record();
    // Stops the encoder of an H.264 run.
    void end();

    int width() const { return m_width; }
    int height() const { return m_height; }
    int type() const { return m_type; }

private:
    bool encode_h264(unsigned int length);

    void* m_frame = nullptr;
    void* m_paint = nullptr;
    int m_type = 0;
    int m_width = 640;
    int m_height = 480;
    std::vector<unsigned char> m_buffer;
    void* m_record = nullptr;
    AviOutput* m_avi = nullptr;
    bool m_h264_open = false;
    H264FileWriter m_h264;
};
