// Reading .irv recordings: the trailer's index, or a scan of the frame
// records when the recording was cut off before its trailer.
#include "recording.h"

#include "handle_registry.h"
#include "picture_block.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

using namespace sensekern::detail;

namespace {

struct FrameEntry {
    uint64_t offset;
    uint64_t table_offset;
};

class Reader : public _VYBaseObject {
public:
    Reader() : _VYBaseObject(kReaderTag) {}
    ~Reader() override
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }

    VyLock lock{"sensekern record reader lock"};
    int fd = -1;
    uint64_t size = 0;
    uint32_t header_length = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    Params params;  // at the start of the recording
    MacTexts mac;
    tagLenInfo lens{};
    bool has_lens = false;
    uint16_t version = 0;
    Model model;  // empty unless the recording stored it
    bool recovered = false;
    std::vector<FrameEntry> frames;
    std::vector<uint32_t> marks;
    std::vector<uint8_t> note;
    // The table record read last, kept for the frames that share it.
    uint64_t cached_table_offset = UINT64_MAX;
    Table cached_table;

    bool read_at(uint64_t offset, uint64_t length, std::vector<uint8_t>* out) const
    {
        if (offset > size || length > size - offset) {
            return false;
        }
        out->resize(static_cast<std::size_t>(length));
        return read_all_at(fd, offset, out->data(), out->size());
    }

    // The payload of the record at offset, checked against its tag, its
    // cap and its CRC; *next is the offset after it.
    bool read_record(uint64_t offset, uint32_t tag, uint64_t cap, std::vector<uint8_t>* payload,
                     uint64_t* next = nullptr) const
    {
        std::vector<uint8_t> head;
        if (!read_at(offset, kRecordHead, &head)) {
            return false;
        }
        ByteReader h(head.data(), head.size());
        uint32_t found = h.u32();
        uint32_t length = h.u32();
        if (found != tag || length > cap || !read_at(offset + kRecordHead, uint64_t{length} + kRecordCrc, payload)) {
            return false;
        }
        uint32_t crc;
        std::memcpy(&crc, payload->data() + length, 4);
        payload->resize(length);
        if (crc32_of(payload->data(), payload->size()) != crc) {
            return false;
        }
        if (next != nullptr) {
            *next = offset + kRecordHead + length + kRecordCrc;
        }
        return true;
    }

    uint32_t record_tag(uint64_t offset) const
    {
        std::vector<uint8_t> head;
        if (!read_at(offset, 4, &head)) {
            return 0;
        }
        uint32_t tag;
        std::memcpy(&tag, head.data(), 4);
        return tag;
    }

    uint64_t table_cap() const { return table_sensors() + 1 + 2 + 4 + 65536ull * 4; }
    // Version 2 table records start with the five sensor readings.
    uint64_t table_sensors() const { return version >= 2 ? 20 : 0; }

    // Largest trailer payload a recording whose trailer starts at `at` can
    // have: its frame count is checked against the smallest frame records
    // that fit between the header and the trailer, so a count or length made
    // up by a damaged file is refused before anything is allocated.
    uint64_t trailer_cap(uint64_t at) const
    {
        std::vector<uint8_t> head;
        if (!read_at(at + kRecordHead, 4, &head)) {
            return 0;
        }
        uint32_t count;
        std::memcpy(&count, head.data(), 4);
        uint64_t smallest_frame = kRecordHead + min_frame_payload(width, height) + kRecordCrc;
        if (count > kMaxFrames || count * smallest_frame > at - header_length) {
            return 0;
        }
        // count, the frame index, mark count, marks (at most one per frame),
        // note length and note.
        return 4 + 16ull * count + 4 + 4ull * count + 4 + kMaxNoteBytes;
    }

    bool read_header()
    {
        // The header's length comes first, so that only the header is read.
        std::vector<uint8_t> head;
        if (!read_at(0, 14, &head)) {
            return false;
        }
        ByteReader fixed(head.data(), head.size());
        const uint8_t* magic = fixed.span(8);
        version = fixed.u16();
        header_length = fixed.u32();
        if (magic == nullptr || std::memcmp(magic, kIrvMagic, 8) != 0 || version < 1 || version > kIrvVersion ||
            header_length < 14 || header_length > kMaxHeaderBytes || !read_at(0, header_length, &head)) {
            return false;
        }
        ByteReader in(head.data(), head.size());
        in.span(14);
        width = in.u16();
        height = in.u16();
        if (!valid_size(width, height) || !read_params(in, &params) || !read_mac(in, &mac)) {
            return false;
        }
        has_lens = in.u8() != 0;
        if (!in.ok() || (has_lens && !read_lens(in, &lens))) {
            return false;
        }
        if (version >= 2 && in.u8() != 0 && !read_model(in, &model)) {
            return false;
        }
        return in.ok() && in.position() == header_length;
    }

    bool read_trailer()
    {
        if (size < header_length + uint64_t{kIrvEndSize}) {
            return false;
        }
        std::vector<uint8_t> end;
        if (!read_at(size - kIrvEndSize, kIrvEndSize, &end) || std::memcmp(end.data() + 8, kIrvEnd, 8) != 0) {
            return false;
        }
        uint64_t at;
        std::memcpy(&at, end.data(), 8);
        std::vector<uint8_t> payload;
        uint64_t next = 0;
        if (at < header_length || !read_record(at, kIndexRecord, trailer_cap(at), &payload, &next) ||
            next != size - kIrvEndSize) {
            return false;
        }
        ByteReader in(payload.data(), payload.size());
        uint32_t count = in.u32();
        if (!in.ok() || count > kMaxFrames || uint64_t{count} * 16 > in.remaining()) {
            return false;
        }
        std::vector<FrameEntry> index(count);
        for (FrameEntry& e : index) {
            e.offset = in.u64();
            e.table_offset = in.u64();
            if (e.offset < header_length || e.offset >= at || e.table_offset < header_length ||
                e.table_offset >= e.offset) {
                return false;
            }
        }
        uint32_t mark_count = in.u32();
        if (!in.ok() || mark_count > count || uint64_t{mark_count} * 4 > in.remaining()) {
            return false;
        }
        std::vector<uint32_t> mark_frames(mark_count);
        for (uint32_t& m : mark_frames) {
            m = in.u32();
            if (m >= count) {
                return false;
            }
        }
        uint32_t note_length = in.u32();
        const uint8_t* p = note_length <= kMaxNoteBytes ? in.span(note_length) : nullptr;
        if (p == nullptr || in.remaining() != 0) {
            return false;
        }
        frames.swap(index);
        marks.swap(mark_frames);
        note.assign(p, p + note_length);
        return true;
    }

    // Walks the records from the header on and keeps every frame up to the
    // first record that is cut off or damaged.
    void scan()
    {
        frames.clear();
        marks.clear();
        note.clear();
        uint64_t offset = header_length;
        uint64_t table_offset = UINT64_MAX;
        std::vector<uint8_t> payload;
        while (frames.size() < kMaxFrames) {
            uint32_t tag = record_tag(offset);
            uint64_t next = 0;
            if (tag == kTableRecord && read_record(offset, kTableRecord, table_cap(), &payload, &next)) {
                table_offset = offset;
            } else if (tag == kFrameRecord && table_offset != UINT64_MAX &&
                       read_record(offset, kFrameRecord, max_frame_payload(width, height), &payload, &next)) {
                ByteReader in(payload.data(), payload.size());
                in.u32();
                in.u32();
                in.u32();
                Params p;
                read_params(in, &p);
                uint16_t mark_length = in.u16();
                if (!in.ok()) {
                    break;
                }
                if (mark_length != 0) {
                    marks.push_back(static_cast<uint32_t>(frames.size()));
                }
                frames.push_back(FrameEntry{offset, table_offset});
            } else {
                break;
            }
            offset = next;
        }
    }
};

Reader* reader_of(void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, kReaderTag)) {
        return nullptr;
    }
    return static_cast<Reader*>(static_cast<_VYBaseObject*>(handle));
}

template <class Body>
bool with_reader(void* handle, Body body)
{
    Reader* r = reader_of(handle);
    if (r == nullptr) {
        return false;
    }
    VyLockGuard guard(r->lock);
    return guard && body(*r);
}

// The frame record `index` parsed into a frame's data.
bool parse_frame(Reader& r, uint32_t index, LoadedFrame* out, std::vector<uint8_t>* mark)
{
    if (index >= r.frames.size()) {
        return false;
    }
    const FrameEntry& entry = r.frames[index];
    std::vector<uint8_t> payload;
    if (!r.read_record(entry.offset, kFrameRecord, max_frame_payload(r.width, r.height), &payload)) {
        return false;
    }
    if (r.cached_table_offset != entry.table_offset) {
        std::vector<uint8_t> table;
        Table t;
        if (!r.read_record(entry.table_offset, kTableRecord, r.table_cap(), &table)) {
            return false;
        }
        ByteReader in(table.data(), table.size());
        float sensors[5] = {};
        for (uint64_t i = 0; i < r.table_sensors() / 4; ++i) {
            sensors[i] = in.f32();
        }
        if (!read_table(in, &t) || in.remaining() != 0) {
            return false;
        }
        r.cached_table = std::move(t);
        r.cached_table_offset = entry.table_offset;
        std::copy(sensors, sensors + 5, r.model.sensors);
    }
    LoadedFrame f;
    ByteReader in(payload.data(), payload.size());
    in.u32();
    f.time.sec = in.u32();
    f.time.usec = in.u32();
    if (!read_params(in, &f.params) || f.params.unit != r.cached_table.unit || f.time.usec >= 1000000) {
        return false;
    }
    uint16_t mark_length = in.u16();
    const uint8_t* m = in.span(mark_length);
    f.width = r.width;
    f.height = r.height;
    if (m == nullptr || !read_plane(in, static_cast<uint32_t>(r.width) * r.height, &f.plane) ||
        in.remaining() != 0) {
        return false;
    }
    if (mark != nullptr) {
        mark->assign(m, m + mark_length);
    }
    f.table = r.cached_table;
    f.mac = r.mac;
    f.lens = r.lens;
    f.has_lens = r.has_lens;
    f.model = r.model;
    *out = std::move(f);
    return true;
}

}  // namespace

bool sensekern_record_open(void** reader, const char* path)
{
    if (reader == nullptr || path == nullptr) {
        return false;
    }
    std::unique_ptr<Reader> r(new Reader());
    r->fd = open_input(path, &r->size, "sensekern_record_open");
    if (r->fd < 0) {
        return false;
    }
    if (!r->read_header()) {
        SK_LOG("sensekern_record_open", "%s is not a recording", path);
        return false;
    }
    if (!r->read_trailer()) {
        r->scan();
        r->recovered = true;
        SK_LOG("sensekern_record_open", "%s has no valid trailer: %zu frames recovered", path, r->frames.size());
    }
    Reader* raw = r.release();
    vy::register_handle(raw);
    *reader = raw->get_handle();
    return true;
}

bool sensekern_record_close(void** reader)
{
    if (reader == nullptr || reader_of(*reader) == nullptr) {
        return false;
    }
    Reader* r = static_cast<Reader*>(vy::unregister_handle(*reader, kReaderTag));
    if (r == nullptr) {
        return false;
    }
    // A read already inside finishes before the reader goes.
    {
        VyLockGuard wait(r->lock);
    }
    delete r;
    *reader = nullptr;
    return true;
}

bool sensekern_record_get_info(void* reader, uint32_t* frame_count, uint16_t* width, uint16_t* height,
                               bool* recovered)
{
    return with_reader(reader, [&](Reader& r) {
        if (frame_count != nullptr) {
            *frame_count = static_cast<uint32_t>(r.frames.size());
        }
        if (width != nullptr) {
            *width = r.width;
        }
        if (height != nullptr) {
            *height = r.height;
        }
        if (recovered != nullptr) {
            *recovered = r.recovered;
        }
        return true;
    });
}

bool sensekern_record_get_mac_info(void* reader, char* productor, char* mac_type, char* mac_sn, char* detector_sn,
                                   char* date_time)
{
    return with_reader(reader, [&](Reader& r) {
        copy_mac_texts(r.mac, productor, mac_type, mac_sn, detector_sn, date_time);
        return true;
    });
}

bool sensekern_record_load_frame(void* reader, uint32_t index, void* frame, tagTimeVal* time)
{
    LoadedFrame loaded;
    if (!with_reader(reader, [&](Reader& r) { return parse_frame(r, index, &loaded, nullptr); })) {
        return false;
    }
    tagTimeVal t = loaded.time;
    if (!with_frame(frame, "sensekern_record_load_frame",
                    [&](Frame& f) { return f.commit(std::move(loaded), false, "sensekern_record_load_frame"); })) {
        return false;
    }
    if (time != nullptr) {
        *time = t;
    }
    return true;
}

bool sensekern_record_get_frame_time(void* reader, uint32_t index, tagTimeVal* time)
{
    return time != nullptr && with_reader(reader, [&](Reader& r) {
               // Only the record head and the frame's number and time are read;
               // the whole record is checked when the frame is loaded.
               std::vector<uint8_t> head;
               if (index >= r.frames.size() || !r.read_at(r.frames[index].offset, kRecordHead + 12, &head)) {
                   return false;
               }
               ByteReader in(head.data(), head.size());
               uint32_t tag = in.u32();
               in.u32();
               in.u32();
               tagTimeVal t;
               t.sec = in.u32();
               t.usec = in.u32();
               if (tag != kFrameRecord || t.usec >= 1000000) {
                   return false;
               }
               *time = t;
               return true;
           });
}

bool sensekern_record_get_frame_mark(void* reader, uint32_t index, uint8_t* buffer, uint32_t* length)
{
    if (length == nullptr) {
        return false;
    }
    return with_reader(reader, [&](Reader& r) {
        LoadedFrame loaded;
        std::vector<uint8_t> mark;
        return parse_frame(r, index, &loaded, &mark) && copy_out(mark, buffer, length);
    });
}

bool sensekern_record_get_mark_count(void* reader, uint32_t* count)
{
    return count != nullptr && with_reader(reader, [&](Reader& r) {
               *count = static_cast<uint32_t>(r.marks.size());
               return true;
           });
}

bool sensekern_record_get_mark_frame(void* reader, uint32_t mark, uint32_t* index)
{
    return index != nullptr && with_reader(reader, [&](Reader& r) {
               if (mark >= r.marks.size()) {
                   return false;
               }
               *index = r.marks[mark];
               return true;
           });
}

bool sensekern_record_get_note(void* reader, uint8_t* buffer, uint32_t* length)
{
    return length != nullptr && with_reader(reader, [&](Reader& r) { return copy_out(r.note, buffer, length); });
}
