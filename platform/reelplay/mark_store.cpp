#include "mark_store.h"

#include "basekit.h"
#include "logline.h"
#include "sensekern.h"
#include "save_file.h"

#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <zlib.h>

namespace reelplay {
namespace detail {
namespace {

constexpr char kMagic[8] = {'P', 'V', 'M', 'A', 'R', 'K', 'S', '1'};
constexpr uint32_t kHeadSize = 8 + 4 + 8 + 4;

void put_u16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v)
{
    put_u16(out, static_cast<uint16_t>(v));
    put_u16(out, static_cast<uint16_t>(v >> 16));
}

uint32_t get_u32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint32_t crc_of(const uint8_t* data, std::size_t size)
{
    return static_cast<uint32_t>(::crc32(::crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size)));
}

}  // namespace

bool MarkStore::load(void* reader, const std::string& path, uint32_t frame_count, uint64_t file_size)
{
    path_ = path;
    frame_count_ = frame_count;
    file_size_ = file_size;
    Marks read;
    if (::access(file_of(path).c_str(), F_OK) == 0 && read_file(&read)) {
        marks_ = std::move(read);
        return true;
    }
    uint32_t count = 0;
    if (!sensekern_record_get_mark_count(reader, &count)) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t frame = 0;
        uint32_t length = 0;
        if (!sensekern_record_get_mark_frame(reader, i, &frame) ||
            !sensekern_record_get_frame_mark(reader, frame, nullptr, &length)) {
            continue;
        }
        std::vector<uint8_t> text(length);
        if (length != 0 && !sensekern_record_get_frame_mark(reader, frame, text.data(), &length)) {
            continue;
        }
        read[frame] = std::move(text);
    }
    marks_ = std::move(read);
    return true;
}

bool MarkStore::read_file(Marks* out) const
{
    // A mark is at most 6 + 65535 bytes, and there is at most one a frame;
    // the whole file is capped like the data attached to a picture.
    const uint64_t cap = std::min<uint64_t>(kHeadSize + uint64_t{frame_count_} * (6 + 65535) + 4,
                                            SENSEKERN_MAX_ATTACHED_BYTES);
    const std::string path = file_of(path_);
    int fd = -1;
    uint64_t size = 0;
    // A named pipe or device in the mark file's place is refused, not waited on.
    if (vy_open_input_file(path.c_str(), &fd, &size) != VY_OK) {
        return false;
    }
    std::vector<uint8_t> bytes;
    bool ok = size <= cap;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            ok = n > 0;
            done += ok ? static_cast<std::size_t>(n) : 0;
        }
    }
    ::close(fd);
    if (!ok || !parse_mark_file(bytes.data(), bytes.size(), frame_count_, file_size_, out)) {
        logline_print(LOGLINE_ERROR, "reelplay", __FILE__, __LINE__, "MarkStore::read_file",
                      "%s is damaged or belongs to another recording: the recording's own marks are used",
                      path.c_str());
        return false;
    }
    return true;
}

bool parse_mark_file(const uint8_t* data, uint64_t size, uint32_t frame_count, uint64_t file_size, Marks* out)
{
    if (data == nullptr || size < kHeadSize + 4 || std::memcmp(data, kMagic, 8) != 0 ||
        crc_of(data, static_cast<std::size_t>(size - 4)) != get_u32(data + size - 4)) {
        return false;
    }
    uint64_t recorded_size = 0;
    std::memcpy(&recorded_size, data + 12, 8);
    if (get_u32(data + 8) != frame_count || recorded_size != file_size) {
        return false;
    }
    const uint32_t count = get_u32(data + 20);
    uint64_t at = kHeadSize;
    const uint64_t end = size - 4;
    Marks read;
    for (uint32_t i = 0; i < count; ++i) {
        if (end - at < 6) {
            return false;
        }
        const uint32_t frame = get_u32(data + at);
        const uint16_t length = static_cast<uint16_t>(data[at + 4] | data[at + 5] << 8);
        at += 6;
        if (frame >= frame_count || end - at < length || read.count(frame) != 0) {
            return false;
        }
        read[frame].assign(data + at, data + at + length);
        at += length;
    }
    if (at != end) {
        return false;
    }
    *out = std::move(read);
    return true;
}

std::vector<uint8_t> build_mark_file(const Marks& marks, uint32_t frame_count, uint64_t file_size)
{
    std::vector<uint8_t> out(kMagic, kMagic + 8);
    put_u32(out, frame_count);
    put_u32(out, static_cast<uint32_t>(file_size));
    put_u32(out, static_cast<uint32_t>(file_size >> 32));
    put_u32(out, static_cast<uint32_t>(marks.size()));
    for (const auto& mark : marks) {
        put_u32(out, mark.first);
        put_u16(out, static_cast<uint16_t>(mark.second.size()));
        out.insert(out.end(), mark.second.begin(), mark.second.end());
    }
    put_u32(out, crc_of(out.data(), out.size()));
    return out;
}

bool MarkStore::store(const Marks& next)
{
    const std::vector<uint8_t> out = build_mark_file(next, frame_count_, file_size_);
    QSaveFile file(QString::fromStdString(file_of(path_)));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size())) !=
            static_cast<qint64>(out.size()) ||
        !vy::commit_save_file(file)) {
        logline_print(LOGLINE_ERROR, "reelplay", __FILE__, __LINE__, "MarkStore::store", "writing %s failed",
                      file_of(path_).c_str());
        return false;
    }
    marks_ = next;
    return true;
}

bool MarkStore::add(uint32_t frame, const uint8_t* text, uint16_t length)
{
    if (frame >= frame_count_ || marks_.count(frame) != 0 || (text == nullptr && length != 0)) {
        return false;
    }
    Marks next = marks_;
    next[frame].assign(text, text + length);
    return store(next);
}

bool MarkStore::update(uint32_t frame, const uint8_t* text, uint16_t length)
{
    if (marks_.count(frame) == 0 || (text == nullptr && length != 0)) {
        return false;
    }
    Marks next = marks_;
    next[frame].assign(text, text + length);
    return store(next);
}

bool MarkStore::remove(uint32_t frame)
{
    if (marks_.count(frame) == 0) {
        return false;
    }
    Marks next = marks_;
    next.erase(frame);
    return store(next);
}

}  // namespace detail
}  // namespace reelplay
