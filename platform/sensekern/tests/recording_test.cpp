// .irv recordings: round trip with marks, a recording cut off before its
// trailer, and damaged files.
#include "fixture.h"

#include <zlib.h>

#include <cstring>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<uint8_t>;

struct Recorded {
    std::vector<std::vector<uint16_t>> planes;
    std::vector<std::vector<float>> temperatures;
    std::vector<tagTimeVal> times;
};

// Records `frames` frames of a moving scene; every third frame carries a
// mark, and the emissivity changes half way.
Recorded record(const std::string& path, int frames, bool stop = true)
{
    Recorded out;
    samples::Scene s = samples::make_scene(48, 32);
    sktest::Frame f(s);
    void* rec = nullptr;
    EXPECT_TRUE(sensekern_start_record(f.h(), path.c_str(), &rec));
    for (int i = 0; i < frames; ++i) {
        std::vector<uint16_t> plane;
        EXPECT_TRUE(samples::scene_plane(f.h(), samples::make_scene(48, 32, i % 8), &plane));
        EXPECT_TRUE(sensekern_set_ad_frame(f.h(), plane.data(), 48, 32));
        tagTimeVal t{1000u + static_cast<uint32_t>(i), static_cast<uint32_t>(i) * 1000u};
        EXPECT_TRUE(sensekern_set_capture_time(f.h(), &t));
        if (i == frames / 2) {
            EXPECT_TRUE(sensekern_set_emiss(f.h(), 0.7f));
        }
        std::string mark = "mark " + std::to_string(i);
        bool marked = i % 3 == 0;
        EXPECT_TRUE(sensekern_record_one_frame(f.h(), rec, marked ? static_cast<uint16_t>(mark.size()) : 0,
                                               marked ? &mark[0] : nullptr));
        out.planes.push_back(plane);
        out.temperatures.push_back(sktest::temperatures_of(f.h()));
        out.times.push_back(t);
    }
    if (stop) {
        char note[] = "end";
        EXPECT_FALSE(sensekern_uninit(reinterpret_cast<void**>(&rec)));
        EXPECT_TRUE(sensekern_stop_record(f.h(), &rec, 3, note));
        EXPECT_EQ(rec, nullptr);
    } else {
        // Leave the file as a crash would: no trailer, the frame handle gone.
        struct stat st;
        EXPECT_EQ(stat(path.c_str(), &st), 0);
        Bytes cut = sktest::read_bytes(path);
        EXPECT_TRUE(sensekern_stop_record(f.h(), &rec, 0, nullptr));
        Bytes whole = sktest::read_bytes(path);
        whole.resize(cut.size());
        sktest::write_bytes(path, whole);
    }
    return out;
}

// Frames the reader finds in the file, or -1 when it does not open.
long frames_in(const std::string& path)
{
    void* reader = nullptr;
    if (!sensekern_record_open(&reader, path.c_str())) {
        return -1;
    }
    uint32_t count = 0;
    EXPECT_TRUE(sensekern_record_get_info(reader, &count, nullptr, nullptr, nullptr));
    sensekern_record_close(&reader);
    return count;
}

void expect_frames(void* reader, const Recorded& r, uint32_t count)
{
    sktest::Frame frame;
    for (uint32_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        tagTimeVal t{};
        ASSERT_TRUE(sensekern_record_load_frame(reader, i, frame.h(), &t));
        EXPECT_EQ(sktest::plane_of(frame.h()), r.planes[i]);
        EXPECT_EQ(sktest::temperatures_of(frame.h()), r.temperatures[i]);
        EXPECT_EQ(t.sec, r.times[i].sec);
        EXPECT_EQ(t.usec, r.times[i].usec);
        uint32_t length = 0;
        ASSERT_TRUE(sensekern_record_get_frame_mark(reader, i, nullptr, &length));
        if (i % 3 == 0) {
            std::string mark(length, '\0');
            ASSERT_TRUE(sensekern_record_get_frame_mark(reader, i, reinterpret_cast<uint8_t*>(&mark[0]), &length));
            EXPECT_EQ(mark, "mark " + std::to_string(i));
        } else {
            EXPECT_EQ(length, 0u);
        }
    }
    EXPECT_FALSE(sensekern_record_load_frame(reader, count, frame.h(), nullptr));
}

// A recording as the first writer made it (version 1): a header without the
// calibration model and table records without sensor readings. Frames of
// the flat scene, each converting with the frame's table at its parameters.
void write_version_one(const std::string& path, void* frame, int frames, Recorded* out)
{
    Bytes file;
    auto u8 = [&](uint8_t v) { file.push_back(v); };
    auto raw = [&](const void* p, std::size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        file.insert(file.end(), b, b + n);
    };
    auto u16 = [&](uint16_t v) { raw(&v, 2); };
    auto u32 = [&](uint32_t v) { raw(&v, 4); };
    auto u64 = [&](uint64_t v) { raw(&v, 8); };
    float params[6] = {};
    ASSERT_TRUE(sensekern_get_temperature_para(frame, &params[0], &params[1], &params[2], &params[3], &params[4],
                                               &params[5], nullptr));
    auto write_params = [&] {
        raw(params, sizeof(params));
        u8(0);
    };
    auto record = [&](const char* tag, std::size_t from) {
        const uint32_t length = static_cast<uint32_t>(file.size() - from - 8);
        std::memcpy(&file[from], tag, 4);
        std::memcpy(&file[from + 4], &length, 4);
        u32(static_cast<uint32_t>(crc32(0L, file.data() + from + 8, length)));
    };
    raw("PVIRVREC", 8);
    u16(1);
    u32(0);
    u16(48);
    u16(32);
    write_params();
    for (int i = 0; i < 5; ++i) {
        u8(0);
    }
    u8(0);  // no lens record
    const uint32_t header = static_cast<uint32_t>(file.size());
    std::memcpy(&file[10], &header, 4);

    const uint64_t table_at = file.size();
    u64(0);
    u8(0);
    u16(0);
    u32(65536);
    std::vector<uint16_t> ads(65536);
    for (uint32_t ad = 0; ad < 65536; ++ad) {
        ads[ad] = static_cast<uint16_t>(ad);
    }
    std::vector<float> table(65536);
    ASSERT_TRUE(sensekern_get_temperature_from_ad(frame, ads.data(), 65536, table.data()));
    raw(table.data(), table.size() * 4);
    record("PVTB", table_at);

    std::vector<uint64_t> offsets;
    for (int i = 0; i < frames; ++i) {
        std::vector<uint16_t> plane;
        ASSERT_TRUE(samples::scene_plane(frame, samples::make_scene(48, 32, i), &plane));
        offsets.push_back(file.size());
        u64(0);
        u32(static_cast<uint32_t>(i));
        u32(2000u + static_cast<uint32_t>(i));
        u32(0);
        write_params();
        u16(0);
        u8(0);
        u32(static_cast<uint32_t>(plane.size() * 2));
        raw(plane.data(), plane.size() * 2);
        record("PVFR", offsets.back());
        std::vector<float> t(plane.size());
        ASSERT_TRUE(sensekern_get_temperature_from_ad(frame, plane.data(), static_cast<uint32_t>(plane.size()),
                                                      t.data()));
        out->planes.push_back(plane);
        out->temperatures.push_back(t);
    }
    const uint64_t trailer = file.size();
    u64(0);
    u32(static_cast<uint32_t>(frames));
    for (uint64_t at : offsets) {
        u64(at);
        u64(table_at);
    }
    u32(0);
    u32(0);
    record("PVIX", trailer);
    u64(trailer);
    raw("PVIRVEND", 8);
    sktest::write_bytes(path, file);
}

TEST(irv_recording, a_version_one_recording_still_plays)
{
    sktest::TempDir dir;
    const std::string path = dir.file("old.irv");
    sktest::Frame source(samples::make_scene(48, 32));
    Recorded r;
    write_version_one(path, source.h(), 4, &r);
    void* reader = nullptr;
    ASSERT_TRUE(sensekern_record_open(&reader, path.c_str()));
    uint32_t count = 0;
    bool recovered = true;
    ASSERT_TRUE(sensekern_record_get_info(reader, &count, nullptr, nullptr, &recovered));
    EXPECT_EQ(count, 4u);
    EXPECT_FALSE(recovered);
    sktest::Frame frame;
    for (uint32_t i = 0; i < count; ++i) {
        ASSERT_TRUE(sensekern_record_load_frame(reader, i, frame.h(), nullptr));
        EXPECT_EQ(sktest::plane_of(frame.h()), r.planes[i]);
        EXPECT_EQ(sktest::temperatures_of(frame.h()), r.temperatures[i]);
    }
    // Only the table: a new emissivity is refused rather than left wrong.
    float e = 0;
    ASSERT_TRUE(sensekern_get_temperature_para(frame.h(), &e, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(sensekern_set_emiss(frame.h(), e / 2));
    sensekern_record_close(&reader);
}

TEST(irv_recording, frames_are_measured_again_under_new_parameters)
{
    sktest::TempDir dir;
    const std::string path = dir.file("r.irv");
    record(path, 6);
    void* reader = nullptr;
    ASSERT_TRUE(sensekern_record_open(&reader, path.c_str()));
    sktest::Frame frame;
    sktest::Frame direct(samples::make_scene(48, 32));
    for (uint32_t i : {0u, 5u, 1u}) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(sensekern_record_load_frame(reader, i, frame.h(), nullptr));
        ASSERT_TRUE(sensekern_set_emiss(frame.h(), 0.5f));
        const std::vector<uint16_t> plane = sktest::plane_of(frame.h());
        ASSERT_TRUE(sensekern_set_ad_frame(direct.h(), plane.data(), 48, 32));
        ASSERT_TRUE(sensekern_set_emiss(direct.h(), 0.5f));
        EXPECT_EQ(sktest::temperatures_of(frame.h()), sktest::temperatures_of(direct.h()));
    }
    sensekern_record_close(&reader);
}

TEST(irv_recording, round_trip_with_marks)
{
    sktest::TempDir dir;
    std::string path = dir.file("r.irv");
    Recorded r = record(path, 10);
    void* reader = nullptr;
    ASSERT_TRUE(sensekern_record_open(&reader, path.c_str()));
    uint32_t count = 0;
    uint16_t w = 0, h = 0;
    bool recovered = true;
    ASSERT_TRUE(sensekern_record_get_info(reader, &count, &w, &h, &recovered));
    EXPECT_EQ(count, 10u);
    EXPECT_EQ(w, 48);
    EXPECT_EQ(h, 32);
    EXPECT_FALSE(recovered);
    expect_frames(reader, r, count);
    uint32_t marks = 0;
    ASSERT_TRUE(sensekern_record_get_mark_count(reader, &marks));
    EXPECT_EQ(marks, 4u);
    uint32_t index = 0;
    ASSERT_TRUE(sensekern_record_get_mark_frame(reader, 3, &index));
    EXPECT_EQ(index, 9u);
    EXPECT_FALSE(sensekern_record_get_mark_frame(reader, 4, &index));
    char note[8] = {};
    uint32_t length = sizeof(note);
    ASSERT_TRUE(sensekern_record_get_note(reader, reinterpret_cast<uint8_t*>(note), &length));
    EXPECT_EQ(std::string(note, length), "end");
    char productor[SENSEKERN_MAC_TEXT_CAPACITY];
    ASSERT_TRUE(sensekern_record_get_mac_info(reader, productor, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ(productor, "Pyravue Labs");
    ASSERT_TRUE(sensekern_record_close(&reader));
    EXPECT_EQ(reader, nullptr);
    EXPECT_FALSE(sensekern_record_close(&reader));
}

TEST(irv_recording, a_cut_off_recording_is_recovered)
{
    sktest::TempDir dir;
    std::string path = dir.file("cut.irv");
    Recorded r = record(path, 7, false);
    const Bytes whole = sktest::read_bytes(path);
    // Without a trailer every frame is found; cut inside the last frame, the
    // frames before it remain.
    for (std::size_t cut : {whole.size(), whole.size() - 1, whole.size() - 500}) {
        SCOPED_TRACE(cut);
        sktest::write_bytes(path, Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)));
        void* reader = nullptr;
        ASSERT_TRUE(sensekern_record_open(&reader, path.c_str()));
        uint32_t count = 0;
        bool recovered = false;
        ASSERT_TRUE(sensekern_record_get_info(reader, &count, nullptr, nullptr, &recovered));
        EXPECT_TRUE(recovered);
        EXPECT_EQ(count, cut == whole.size() ? 7u : 6u);
        expect_frames(reader, r, count);
        uint32_t marks = 0;
        ASSERT_TRUE(sensekern_record_get_mark_count(reader, &marks));
        EXPECT_EQ(marks, cut == whole.size() ? 3u : 2u);
        sensekern_record_close(&reader);
    }
}

TEST(irv_recording, damaged_recordings)
{
    sktest::TempDir dir;
    std::string path = dir.file("r.irv");
    record(path, 4);
    const Bytes good = sktest::read_bytes(path);
    struct Case {
        const char* name;
        std::size_t at;
        uint8_t value;
        bool opens;
        uint32_t frames;
        bool first_loads;
    };
    uint32_t header = 0;
    std::memcpy(&header, &good[10], 4);
    const Case cases[] = {
        {"bad magic", 0, 'X', false, 0, false},
        {"later version", 8, 9, false, 0, false},
        {"zero width", 14, 0, false, 0, false},
        {"header length past the header", 12, 0x7F, false, 0, false},
        {"trailer offset damaged", good.size() - 12, 0x7F, true, 4, true},
        {"table record damaged", header + 8 + 3, 0x55, true, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bad = good;
        bad[c.at] = c.value;
        sktest::write_bytes(path, bad);
        void* reader = nullptr;
        EXPECT_EQ(sensekern_record_open(&reader, path.c_str()), c.opens);
        if (reader != nullptr) {
            uint32_t count = 99;
            ASSERT_TRUE(sensekern_record_get_info(reader, &count, nullptr, nullptr, nullptr));
            EXPECT_EQ(count, c.frames);
            sktest::Frame frame;
            EXPECT_EQ(sensekern_record_load_frame(reader, 0, frame.h(), nullptr), c.first_loads);
            sensekern_record_close(&reader);
        }
    }
    // A first frame stamped with a microsecond count past one second, under a
    // valid sum, is refused when loaded.
    {
        uint32_t table_length = 0;
        std::memcpy(&table_length, &good[header + 4], 4);
        std::size_t frame = header + 8 + table_length + 4;
        uint32_t frame_length = 0;
        std::memcpy(&frame_length, &good[frame + 4], 4);
        Bytes bad = good;
        const uint32_t usec = 1000000;
        std::memcpy(&bad[frame + 8 + 8], &usec, 4);
        uint32_t crc = static_cast<uint32_t>(crc32(0L, &bad[frame + 8], frame_length));
        std::memcpy(&bad[frame + 8 + frame_length], &crc, 4);
        sktest::write_bytes(path, bad);
        void* reader = nullptr;
        ASSERT_TRUE(sensekern_record_open(&reader, path.c_str()));
        sktest::Frame frame_handle;
        EXPECT_FALSE(sensekern_record_load_frame(reader, 0, frame_handle.h(), nullptr));
        EXPECT_TRUE(sensekern_record_load_frame(reader, 1, frame_handle.h(), nullptr));
        sensekern_record_close(&reader);
    }
    // A damaged table record cut off by a crash: the scan keeps nothing after it.
    Bytes cut(good.begin(), good.end() - 16);
    cut[header + 8 + 3] ^= 0x55;
    sktest::write_bytes(path, cut);
    EXPECT_EQ(frames_in(path), 0);
    sktest::write_bytes(path, Bytes(good.begin(), good.begin() + 20));
    void* reader = nullptr;
    EXPECT_FALSE(sensekern_record_open(&reader, path.c_str()));
    EXPECT_FALSE(sensekern_record_open(&reader, dir.file("missing.irv").c_str()));
}

// A trailer whose payload length is far larger than the frames before it can
// index (a sparse file of a few KiB on disk) is refused before it is read;
// the frames are then recovered by the scan.
TEST(irv_recording, an_oversized_trailer_is_refused_unread)
{
    sktest::TempDir dir;
    std::string path = dir.file("r.irv");
    record(path, 4);
    Bytes file = sktest::read_bytes(path);
    uint64_t at = 0;
    std::memcpy(&at, &file[file.size() - 16], 8);
    const uint32_t payload = 600u << 20;
    file.resize(static_cast<std::size_t>(at) + 12);
    std::memcpy(&file[at + 4], &payload, 4);
    sktest::write_bytes(path, file);
    uint64_t end = at + 8 + payload + 4;
    sktest::extend_sparse(path, end);
    {
        std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(end));
        out.write(reinterpret_cast<const char*>(&at), 8);
        out.write("PVIRVEND", 8);
    }
    long before = sktest::peak_memory_kib();
    void* reader = nullptr;
    ASSERT_TRUE(sensekern_record_open(&reader, path.c_str()));
    EXPECT_LT(sktest::peak_memory_kib() - before, 128 * 1024);
    uint32_t count = 0;
    bool recovered = false;
    ASSERT_TRUE(sensekern_record_get_info(reader, &count, nullptr, nullptr, &recovered));
    EXPECT_TRUE(recovered);
    EXPECT_EQ(count, 4u);
    sensekern_record_close(&reader);
}

TEST(irv_recording, replaces_an_existing_file_only_when_complete)
{
    sktest::TempDir dir;
    std::string path = dir.file("old.irv");
    sktest::write_bytes(path, Bytes{'o', 'l', 'd'});
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    void* rec = nullptr;
    ASSERT_TRUE(sensekern_start_record(f.h(), path.c_str(), &rec));
    ASSERT_TRUE(sensekern_record_one_frame(f.h(), rec, 0, nullptr));
    EXPECT_EQ(sktest::read_bytes(path), (Bytes{'o', 'l', 'd'}));
    uint32_t length = 0;
    ASSERT_TRUE(sensekern_get_record_file_length(f.h(), rec, &length));
    EXPECT_GT(length, 32u * 24u);

    // Another frame's handle and another size are refused.
    sktest::Frame other(samples::make_scene(32, 24));
    EXPECT_FALSE(sensekern_record_one_frame(other.h(), rec, 0, nullptr));
    std::vector<uint16_t> small(16 * 12, 16000);
    ASSERT_TRUE(sensekern_set_ad_frame(f.h(), small.data(), 16, 12));
    EXPECT_FALSE(sensekern_record_one_frame(f.h(), rec, 0, nullptr));
    EXPECT_FALSE(sensekern_uninit(reinterpret_cast<void**>(&rec)));
    void* frame_copy = f.h();
    EXPECT_FALSE(sensekern_uninit(&frame_copy));  // a recording is open

    ASSERT_TRUE(sensekern_stop_record(f.h(), &rec, 0, nullptr));
    EXPECT_NE(sktest::read_bytes(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(frames_in(path), 1);
    // The replacement keeps the old file's permissions.
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(sensekern_start_record(f.h(), "/nonexistent-folder/r.irv", &rec));
}

}  // namespace
