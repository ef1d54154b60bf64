#include "file_record.h"

#include "streamnet_log.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace streamnet {
namespace detail {

namespace {

constexpr std::size_t kKeyFrameHead = 24;

int open_truncated(const std::string& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

// An MPEG program stream pack header followed by a system header at byte 20.
bool is_key_frame(const uint8_t* data)
{
    static const uint8_t pack[4] = {0x00, 0x00, 0x01, 0xBA};
    static const uint8_t system[4] = {0x00, 0x00, 0x01, 0xBB};
    return std::memcmp(data, pack, 4) == 0 && std::memcmp(data + 20, system, 4) == 0;
}

}  // namespace

FileRecord::FileRecord(int64_t size_limit) : size_limit_(size_limit) {}

FileRecord::~FileRecord()
{
    VyLockGuard guard(lock_);
    close_file();
}

std::string FileRecord::part_path(const std::string& base, int count)
{
    std::size_t slash = base.find_last_of('/');
    std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = base.find_last_of('.');
    std::string suffix = "_" + std::to_string(count);
    if (dot == std::string::npos || dot < name_start) {
        return base + suffix;
    }
    return base.substr(0, dot) + suffix + base.substr(dot);
}

void FileRecord::close_file()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool FileRecord::start_record(const char* path)
{
    if (path == nullptr) {
        SN_ERROR("file names is null");
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    close_file();
    fd_ = open_truncated(path);
    if (fd_ < 0) {
        SN_ERROR("open file %s failed: %s", path, std::strerror(errno));
        return false;
    }
    base_path_ = path;
    roll_count_ = 0;
    started_ = false;
    failures_ = 0;
    SN_INFO("open file %s succ.", path);
    return true;
}

void FileRecord::check_change_file()
{
    if (fd_ < 0) {
        return;
    }
    off_t position = ::lseek(fd_, 0, SEEK_CUR);
    if (position < 0 || position < size_limit_) {
        return;
    }
    close_file();
    ++roll_count_;
    std::string next = part_path(base_path_, roll_count_);
    fd_ = open_truncated(next);
    started_ = false;
    if (fd_ < 0) {
        SN_ERROR("open file %s failed: %s", next.c_str(), std::strerror(errno));
    }
}

bool FileRecord::write_all(const uint8_t* data, std::size_t length)
{
    std::size_t done = 0;
    while (done < length) {
        ssize_t n = ::write(fd_, data + done, length - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (++failures_ >= kMaxWriteFailures) {
                SN_ERROR("write of record file failed %d times in a row (%s); recording stopped", failures_,
                         std::strerror(errno));
                close_file();
                return false;
            }
            continue;
        }
        failures_ = 0;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool FileRecord::record_one_frame(const uint8_t* data, std::size_t length)
{
    if (data == nullptr || length <= 3) {
        SN_ERROR("data's ptr is null, frame len = %d is error", static_cast<int>(length));
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    check_change_file();
    if (fd_ < 0) {
        return false;
    }
    if (!started_) {
        if (length < kKeyFrameHead) {
            SN_ERROR("frame length less than 24");
            return false;
        }
        if (!is_key_frame(data)) {
            SN_ERROR("first frame is not i frame");
            return false;
        }
        started_ = true;
    }
    return write_all(data, length);
}

bool FileRecord::stop_record()
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    if (fd_ < 0) {
        SN_ERROR("file handle is null");
        return false;
    }
    close_file();
    SN_INFO("close file succ.");
    return true;
}

}  // namespace detail
}  // namespace streamnet
