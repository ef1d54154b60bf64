#include "sources/avi_writer.h"

#include <QFile>
#include <QLoggingCategory>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

std::atomic<int> g_avi_error{AVI_ERR_NONE};

constexpr int kHeaderBytes = 2048;
constexpr uint32_t kIndexKeyFrame = 0x10;
constexpr uint32_t kHasIndex = 0x10;
constexpr uint32_t kMustUseIndex = 0x20;
constexpr uint32_t kTrustChunkType = 0x800;
constexpr std::size_t kIndexGrowth = 4096;

struct IndexEntry {
    char fourcc[4];
    uint32_t flags;
    uint32_t offset;
    uint32_t length;
};
static_assert(sizeof(IndexEntry) == 16, "an idx1 entry is 16 bytes");

void set_error(int code)
{
    g_avi_error.store(code);
}

void put_u32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        at[i] = uint8_t(value >> (8 * i));
    }
}

void put_u16(uint8_t* at, uint16_t value)
{
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
}

void put_fourcc(uint8_t* at, const char* text)
{
    std::memcpy(at, text, 4);
}

}  // namespace

struct AviOutput {
    QFile file;
    int width = 0;
    int height = 0;
    double fps = 0.0;
    char compressor[5] = {};
    int video_frames = 0;
    int64_t position = 0;
    std::vector<IndexEntry> index;
    int64_t last_frame_position = 0;
    int64_t last_frame_length = 0;
    bool must_use_index = false;
};

namespace {

bool write_index(AviOutput* avi)
{
    uint8_t head[8];
    put_fourcc(head, "idx1");
    put_u32(head + 4, uint32_t(avi->index.size() * sizeof(IndexEntry)));
    std::vector<uint8_t> body(avi->index.size() * sizeof(IndexEntry));
    for (std::size_t i = 0; i < avi->index.size(); ++i) {
        uint8_t* at = body.data() + i * sizeof(IndexEntry);
        put_fourcc(at, avi->index[i].fourcc);
        put_u32(at + 4, avi->index[i].flags);
        put_u32(at + 8, avi->index[i].offset);
        put_u32(at + 12, avi->index[i].length);
    }
    const int64_t length = int64_t(body.size());
    if (!avi->file.seek(avi->position) || avi->file.write(reinterpret_cast<const char*>(head), 8) != 8 ||
        avi->file.write(reinterpret_cast<const char*>(body.data()), length) != length) {
        return false;
    }
    avi->position += 8 + length;
    return true;
}

QByteArray make_header(const AviOutput* avi, bool has_index, int64_t movie_end)
{
    QByteArray header(kHeaderBytes, '\0');
    auto* h = reinterpret_cast<uint8_t*>(header.data());
    const uint32_t usec_per_frame = avi->fps < 0.001 ? 0 : uint32_t(int(1000000.0 / avi->fps + 0.5));
    uint32_t flags = kTrustChunkType;
    if (has_index) {
        flags |= kHasIndex | (avi->must_use_index ? kMustUseIndex : 0);
    }
    uint32_t fourcc = 0;
    std::memcpy(&fourcc, avi->compressor, 4);
    put_fourcc(h + 0, "RIFF");
    put_u32(h + 4, uint32_t(avi->position - 8));
    put_fourcc(h + 8, "AVI ");
    put_fourcc(h + 12, "LIST");
    put_u32(h + 16, 192);
    put_fourcc(h + 20, "hdrl");
    put_fourcc(h + 24, "avih");
    put_u32(h + 28, 56);
    put_u32(h + 32, usec_per_frame);
    put_u32(h + 36, 30720000);
    put_u32(h + 44, flags);
    put_u32(h + 48, uint32_t(avi->video_frames));
    put_u32(h + 56, 1);
    put_u32(h + 60, 1228800);
    put_u32(h + 64, uint32_t(avi->width));
    put_u32(h + 68, uint32_t(avi->height));
    put_fourcc(h + 88, "LIST");
    put_u32(h + 92, 116);
    put_fourcc(h + 96, "strl");
    put_fourcc(h + 100, "strh");
    put_u32(h + 104, 56);
    put_fourcc(h + 108, "vids");
    put_u32(h + 112, fourcc);
    put_u32(h + 128, 1);
    put_u32(h + 132, uint32_t(int(avi->fps)));
    put_u32(h + 140, uint32_t(avi->video_frames));
    put_u32(h + 144, 1228800);
    put_u16(h + 160, uint16_t(avi->width));
    put_u16(h + 162, uint16_t(avi->height));
    put_fourcc(h + 164, "strf");
    put_u32(h + 168, 40);
    put_u32(h + 172, 40);
    put_u32(h + 176, uint32_t(avi->width));
    put_u32(h + 180, uint32_t(avi->height));
    put_u16(h + 184, 1);
    put_u16(h + 186, 32);
    put_u32(h + 188, fourcc);
    put_u32(h + 192, uint32_t(std::llabs(int64_t(avi->width) * avi->height * 4)));
    put_fourcc(h + 212, "JUNK");
    put_u32(h + 216, kHeaderBytes - 212 - 8 - 12);
    put_fourcc(h + 2036, "LIST");
    put_u32(h + 2040, uint32_t(movie_end - 2044));
    put_fourcc(h + 2044, "movi");
    return header;
}

// Writes the header as it stands now and returns to the write offset. Kept
// current after every frame, without index: a recording cut off by a crash
// plays up to its last whole frame.
bool refresh_header(AviOutput* avi)
{
    const QByteArray header = make_header(avi, false, avi->position);
    return avi->file.seek(0) && avi->file.write(header) == header.size() && avi->file.seek(avi->position);
}

}  // namespace

int avi_error()
{
    return g_avi_error.load();
}

AviOutput* avi_open_output_file(const QString& path)
{
    auto* avi = new (std::nothrow) AviOutput;
    if (avi == nullptr) {
        set_error(AVI_ERR_NO_MEM);
        return nullptr;
    }
    avi->file.setFileName(path);
    // Not truncated here: closing cuts the file to its length.
    if (!avi->file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        qCWarning(lc_source) << "AVI open failed:" << path << avi->file.errorString();
        set_error(AVI_ERR_OPEN);
        delete avi;
        return nullptr;
    }
    avi->position = kHeaderBytes;
    if (!refresh_header(avi)) {
        qCWarning(lc_source) << "AVI header not written:" << path;
        set_error(AVI_ERR_WRITE);
        delete avi;
        return nullptr;
    }
    return avi;
}

void avi_set_video(AviOutput* avi, int width, int height, double fps, const char* compressor)
{
    if (avi == nullptr) {
        return;
    }
    avi->width = width;
    avi->height = height;
    avi->fps = fps;
    std::memset(avi->compressor, 0, sizeof(avi->compressor));
    if (compressor != nullptr) {
        std::strncpy(avi->compressor, compressor, 4);
    }
    if (!refresh_header(avi)) {
        qCWarning(lc_source) << "AVI header not written:" << avi->file.fileName();
        set_error(AVI_ERR_WRITE);
    }
}

int avi_write_frame(AviOutput* avi, const void* data, int64_t bytes)
{
    if (avi == nullptr || bytes < 0 || (bytes > 0 && data == nullptr)) {
        set_error(AVI_ERR_WRITE);
        return -1;
    }
    // The limit counts this chunk and two more index entries, in 64 bits.
    const int64_t index_bytes = (int64_t(avi->index.size()) + 2) * int64_t(sizeof(IndexEntry));
    if (index_bytes + avi->position + bytes + 8 > kAviMaxBytes) {
        set_error(AVI_ERR_SIZELIMIT);
        return -1;
    }
    if (avi->index.size() == avi->index.capacity()) {
        try {
            avi->index.reserve(avi->index.size() + kIndexGrowth);
        } catch (const std::bad_alloc&) {
            set_error(AVI_ERR_NO_MEM);
            return -1;
        }
    }
    uint8_t head[8];
    put_fourcc(head, "00db");
    put_u32(head + 4, uint32_t(bytes));
    const bool odd = (bytes & 1) != 0;
    const char pad = 0;
    if (avi->file.write(reinterpret_cast<const char*>(head), 8) != 8 ||
        avi->file.write(static_cast<const char*>(data), bytes) != bytes || (odd && avi->file.write(&pad, 1) != 1)) {
        avi->file.seek(avi->position);
        set_error(AVI_ERR_WRITE);
        return -1;
    }
    IndexEntry entry{{'0', '0', 'd', 'b'}, kIndexKeyFrame, uint32_t(avi->position), uint32_t(bytes)};
    const int64_t start = avi->position;
    avi->position += bytes + (odd ? 1 : 0) + 8;
    ++avi->video_frames;
    if (!refresh_header(avi)) {
        // The frame is taken back: the header on disk still ends before it.
        avi->position = start;
        --avi->video_frames;
        avi->file.seek(start);
        set_error(AVI_ERR_WRITE);
        return -1;
    }
    avi->index.push_back(entry);
    avi->last_frame_position = start;
    avi->last_frame_length = bytes;
    return 0;
}

int64_t avi_bytes_written(const AviOutput* avi)
{
    return avi == nullptr ? 0 : avi->position;
}

int avi_close_output_file(AviOutput* avi)
{
    if (avi == nullptr) {
        return -1;
    }
    // The movie list ends where the last frame chunk ends, before the index.
    const int64_t movie_end = avi->position;
    const bool has_index = write_index(avi);
    if (!has_index) {
        set_error(AVI_ERR_WRITE_INDEX);
    }
    int result = has_index ? 0 : -1;
    const QByteArray header = make_header(avi, has_index, movie_end);
    if (!avi->file.seek(0) || avi->file.write(header) != header.size() || !avi->file.resize(avi->position)) {
        qCWarning(lc_source) << "AVI header not rewritten:" << avi->file.fileName();
        set_error(AVI_ERR_CLOSE);
        result = -1;
    }
    avi->file.close();
    delete avi;
    return result;
}
