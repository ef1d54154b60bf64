// Local recording of the received video: frames are written into a file that
// starts at a key frame and rolls over to a new file at the size limit.
#pragma once

#include "vy_lock.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace streamnet {
namespace detail {

constexpr int64_t kRecordSizeLimit = 104857600;
// Writes in a row that store nothing before the recorder gives up.
constexpr int kMaxWriteFailures = 20;

class FileRecord {
public:
    explicit FileRecord(int64_t size_limit = kRecordSizeLimit);
    ~FileRecord();

    FileRecord(const FileRecord&) = delete;
    FileRecord& operator=(const FileRecord&) = delete;

    // Closes any open file and opens (truncates) path.
    bool start_record(const char* path);
    bool record_one_frame(const uint8_t* data, std::size_t length);
    bool stop_record();

    // The path of part `count`: "_<count>" inserted before the last "." of
    // the file name, or appended when the name has none.
    static std::string part_path(const std::string& base, int count);

private:
    // Lock held.
    void close_file();
    void check_change_file();
    bool write_all(const uint8_t* data, std::size_t length);

    VyLock lock_{"FileRecord"};
    int fd_ = -1;
    bool started_ = false;
    int64_t size_limit_;
    std::string base_path_;
    int roll_count_ = 0;
    int failures_ = 0;
};

}  // namespace detail
}  // namespace streamnet
