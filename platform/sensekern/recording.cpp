// Writing .irv recordings: a header, frame and table records, and a trailer
// with the frame index and the mark table (docs/formats.md).
#include "recording.h"

#include "handle_registry.h"
#include "picture_block.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sensekern::detail;

namespace {

class Recorder : public _VYBaseObject {
public:
    Recorder() : _VYBaseObject(kRecordTag) {}
    ~Recorder() override
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }

    Frame* owner = nullptr;
    int fd = -1;
    std::string path;
    std::string temp;  // set when an existing file is replaced at the end
    uint16_t width = 0;
    uint16_t height = 0;
    uint64_t written = 0;
    bool failed = false;
    std::vector<std::pair<uint64_t, uint64_t>> index;  // frame offset, table offset
    std::vector<uint32_t> marks;
    Table table;
    uint64_t table_offset = 0;

    bool write(const std::vector<uint8_t>& bytes)
    {
        std::size_t done = 0;
        while (!failed && done < bytes.size()) {
            ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                SK_LOG("Recorder::write", "write %s failed: %s", path.c_str(), std::strerror(errno));
                failed = true;
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        written += done;
        return !failed;
    }

    // Tag, length, payload, CRC of the payload.
    bool write_record(uint32_t tag, std::vector<uint8_t>& payload)
    {
        std::vector<uint8_t> head;
        ByteWriter w(&head);
        w.u32(tag);
        w.u32(static_cast<uint32_t>(payload.size()));
        uint32_t crc = crc32_of(payload.data(), payload.size());
        ByteWriter p(&payload);
        p.u32(crc);
        return write(head) && write(payload);
    }
};

Recorder* recorder_of(void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, kRecordTag)) {
        return nullptr;
    }
    return static_cast<Recorder*>(static_cast<_VYBaseObject*>(handle));
}

// Opens the target, or a temporary file beside it when the target exists so
// that it is replaced only by a complete recording.
bool open_target(Recorder& r, const char* function)
{
    r.fd = ::open(r.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (r.fd >= 0) {
        return true;
    }
    if (errno != EEXIST) {
        SK_LOG(function, "can not create %s: %s", r.path.c_str(), std::strerror(errno));
        return false;
    }
    std::string target;
    r.fd = create_temp_beside(r.path, &target, &r.temp, function);
    if (r.fd < 0) {
        return false;
    }
    r.path = target;
    return true;
}

bool start(void* handle, const std::string& path, void** record, const char* function)
{
    if (record == nullptr || path.empty()) {
        return false;
    }
    return with_frame(handle, function, [&](Frame& f) {
        if (!f.has_plane()) {
            SK_LOG(function, "the frame holds no picture to record");
            return false;
        }
        // The header is complete before any file is made, so a refusal leaves
        // nothing behind.
        MacTexts mac;
        f.mac_texts(&mac);
        Params params;
        if (!f.get_params(&params)) {
            return false;
        }
        tagLenInfo lens{};
        bool has_lens = f.lens_info(&lens);
        std::vector<uint8_t> header;
        ByteWriter w(&header);
        w.raw(kIrvMagic, 8);
        w.u16(kIrvVersion);
        w.u32(0);  // header length, patched below
        w.u16(f.width());
        w.u16(f.height());
        write_params(w, params);
        write_mac(w, mac);
        w.u8(has_lens ? 1 : 0);
        if (has_lens) {
            write_lens(w, lens);
        }
        Model model;
        const bool has_model = f.model(&model);
        w.u8(has_model ? 1 : 0);
        if (has_model) {
            write_model(w, model);
        }
        w.put_u32_at(10, static_cast<uint32_t>(header.size()));

        std::unique_ptr<Recorder> r(new Recorder());
        r->owner = &f;
        r->path = path;
        r->width = f.width();
        r->height = f.height();
        if (!open_target(*r, function)) {
            return false;
        }
        if (!r->write(header)) {
            ::unlink(r->temp.empty() ? path.c_str() : r->temp.c_str());
            return false;
        }
        Recorder* raw = r.release();
        vy::register_handle(raw);
        *record = raw->get_handle();
        f.open_records().fetch_add(1);
        return true;
    });
}

}  // namespace

bool sensekern_start_record(void* handle, const char* path, void** record)
{
    return path != nullptr && start(handle, path, record, "sensekern_start_record");
}

bool sensekern_start_record_w(void* handle, const wchar_t* path, void** record)
{
    return path != nullptr && start(handle, utf8_of_wide(path), record, "sensekern_start_record_w");
}

bool sensekern_record_one_frame(void* handle, void* record, uint16_t mark_length, void* mark)
{
    const char* function = "sensekern_record_one_frame";
    if (mark == nullptr && mark_length != 0) {
        return false;
    }
    return with_frame(handle, function, [&](Frame& f) {
        Recorder* r = recorder_of(record);
        if (r == nullptr || r->owner != &f || r->failed) {
            return false;
        }
        if (f.width() != r->width || f.height() != r->height || r->index.size() >= kMaxFrames) {
            SK_LOG(function, "frame %ux%u does not fit the recording", static_cast<unsigned>(f.width()),
                   static_cast<unsigned>(f.height()));
            return false;
        }
        // The conversion is written again only when it changed (new
        // parameters or sensor readings), so every frame reads with its own.
        Table table;
        Params params;
        if (!f.get_params(&params) || !f.make_table(0, 65535, &table)) {
            return false;
        }
        if (r->table.values != table.values || r->table.unit != table.unit) {
            std::vector<uint8_t> payload;
            ByteWriter w(&payload);
            Model model;
            f.model(&model);
            for (float sensor : model.sensors) {
                w.f32(sensor);
            }
            write_table(w, table);
            uint64_t at = r->written;
            if (!r->write_record(kTableRecord, payload)) {
                return false;
            }
            r->table = std::move(table);
            r->table_offset = at;
        }
        std::vector<uint8_t> payload;
        ByteWriter w(&payload);
        w.u32(static_cast<uint32_t>(r->index.size()));
        w.u32(f.time().sec);
        w.u32(f.time().usec);
        write_params(w, params);
        w.u16(mark_length);
        w.raw(mark, mark_length);
        write_plane(&payload, f.plane());
        uint64_t at = r->written;
        if (!r->write_record(kFrameRecord, payload)) {
            return false;
        }
        if (mark_length != 0) {
            r->marks.push_back(static_cast<uint32_t>(r->index.size()));
        }
        r->index.emplace_back(at, r->table_offset);
        return true;
    });
}

bool sensekern_stop_record(void* handle, void** record, uint32_t note_length, void* note)
{
    const char* function = "sensekern_stop_record";
    if (record == nullptr || (note == nullptr && note_length != 0) || note_length > kMaxNoteBytes) {
        return false;
    }
    return with_frame(handle, function, [&](Frame& f) {
        Recorder* r = recorder_of(*record);
        if (r == nullptr || r->owner != &f) {
            return false;
        }
        std::vector<uint8_t> payload;
        ByteWriter w(&payload);
        w.u32(static_cast<uint32_t>(r->index.size()));
        for (const auto& entry : r->index) {
            w.u64(entry.first);
            w.u64(entry.second);
        }
        w.u32(static_cast<uint32_t>(r->marks.size()));
        for (uint32_t m : r->marks) {
            w.u32(m);
        }
        w.u32(note_length);
        w.raw(note, note_length);
        uint64_t at = r->written;
        std::vector<uint8_t> end;
        ByteWriter e(&end);
        e.u64(at);
        e.raw(kIrvEnd, 8);
        bool ok = r->write_record(kIndexRecord, payload) && r->write(end) && ::fsync(r->fd) == 0;
        ok = ::close(r->fd) == 0 && ok;
        r->fd = -1;
        if (!r->temp.empty()) {
            // The file being replaced stays as it was unless the new one is complete.
            if (!ok || ::rename(r->temp.c_str(), r->path.c_str()) != 0) {
                ::unlink(r->temp.c_str());
                ok = false;
            }
        }
        if (!ok) {
            SK_LOG(function, "finishing %s failed", r->path.c_str());
        }
        vy::destroy_handle(record, kRecordTag);
        f.open_records().fetch_sub(1);
        return ok;
    });
}

bool sensekern_get_record_file_length(void* handle, void* record, uint32_t* length)
{
    return length != nullptr && with_frame(handle, "sensekern_get_record_file_length", [&](Frame& f) {
               Recorder* r = recorder_of(record);
               if (r == nullptr || r->owner != &f || r->written > UINT32_MAX) {
                   return false;
               }
               *length = static_cast<uint32_t>(r->written);
               return true;
           });
}
