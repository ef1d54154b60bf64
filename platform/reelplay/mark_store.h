// The marks of one recording: read from the recording, and kept, once
// edited, in the mark file beside it (docs/formats.md).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace reelplay {
namespace detail {

using Marks = std::map<uint32_t, std::vector<uint8_t>>;

// The mark file (docs/formats.md): its bytes for a recording of frame_count
// frames and file_size bytes, and the marks read back from them; false for
// a damaged file or one of another recording.
std::vector<uint8_t> build_mark_file(const Marks& marks, uint32_t frame_count, uint64_t file_size);
bool parse_mark_file(const uint8_t* data, uint64_t size, uint32_t frame_count, uint64_t file_size, Marks* out);

class MarkStore {
public:
    // The marks of the open recording: those of its mark file when that
    // file belongs to it (same frame count and size), else its own.
    bool load(void* reader, const std::string& path, uint32_t frame_count, uint64_t file_size);

    const Marks& marks() const { return marks_; }
    // Writes the mark file after each change; a failed write keeps the
    // marks as they were.
    bool add(uint32_t frame, const uint8_t* text, uint16_t length);
    bool update(uint32_t frame, const uint8_t* text, uint16_t length);
    bool remove(uint32_t frame);

    static std::string file_of(const std::string& recording) { return recording + ".marks"; }

private:
    bool store(const Marks& next);
    bool read_file(Marks* out) const;

    Marks marks_;
    std::string path_;
    uint32_t frame_count_ = 0;
    uint64_t file_size_ = 0;
};

}  // namespace detail
}  // namespace reelplay
