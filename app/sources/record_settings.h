// The recording settings of one camera, read once when a recorder starts,
// and the free space of the drive a recording folder is on.
#pragma once

#include <QString>

#include <cstdint>

struct RecordSettings {
    enum FileType { Irv = 0, H264 = 1, Avi = 2 };

    QString path;
    int64_t size_limit_bytes = 100 * 1048576LL;
    int frequency = 0;  // frames per second; 0 records every frame
    bool unlimited = false;
    int duration_minutes = 100;
    bool stop_when_full = false;
    int file_type = Irv;

    static RecordSettings read(const QString& sn);
    // "250MB" → 250 MiB; a text without "MB" or without a positive number
    // before it → 100 MiB.
    static int64_t parse_size_limit(const QString& text);
    // 1 H.264, 2 AVI, anything else the frame recording.
    static int file_type_of(int stored);
};

// Free gigabytes of the file system that holds path (its nearest existing
// parent when the folder is not made yet); negative when unknown.
float record_free_space_gb(const QString& path);

// Below this many free gigabytes recording neither starts nor goes on.
constexpr float kRecordMinFreeGb = 2.0f;
