// Writer of raw H.264 elementary-stream files for the live recorders and the
// clip cutter. One encoder runs for a whole recording; each file opened gets
// a key frame first, so every file starts with SPS, PPS and an IDR picture,
// and the encoder's packets go to whichever file is open.
#pragma once

#include <QMutex>
#include <QString>

#include <atomic>
#include <cstdint>
#include <cstdio>

class H264FileWriter {
public:
    H264FileWriter() = default;
    ~H264FileWriter();

    H264FileWriter(const H264FileWriter&) = delete;
    H264FileWriter& operator=(const H264FileWriter&) = delete;

    // Starts the encoder for frames of width x height RGB32 pixels at fps
    // frames per second (the rate the stream declares).
    bool init(int width, int height, int fps);
    // Queues one frame of width x height x 4 bytes; counted when accepted.
    bool encode(const unsigned char* bytes, int length);
    // Opens (truncating) the next file; the next frame encoded is a key frame.
    bool open_file(const QString& path);
    // Writes every frame queued so far, then closes the file.
    bool close_file();
    // Bytes in the open file, 0 when none.
    int64_t file_size();
    // Stops the encoder; frames not yet encoded are dropped.
    bool deinit();

    int frame_count();
    int packet_count();

private:
    static void on_packet(const unsigned char* data, int size, int flags, void* user);
    static void on_log(int level, const char* text);

    QMutex m_mutex;
    void* m_handle = nullptr;
    std::FILE* m_file = nullptr;
    std::atomic<bool> m_closing{false};
    int m_packets = 0;
    int m_frames = 0;
};
