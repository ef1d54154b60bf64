// The detector configuration file: every version the reader accepts, the
// faults it refuses, and the writer's refusals and atomic replacement.
#include "device_fixture.h"

#include "detector.h"
#include "detector_config.h"

#include <sys/stat.h>

using namespace cltest;
using namespace camlink::detail;

namespace {

constexpr uint16_t kWidth = 80;
constexpr uint16_t kHeight = 60;
constexpr std::size_t kPixels = kWidth * kHeight;
// Offsets in a version-4 sample file.
constexpr std::size_t kLensCount = 48;
constexpr std::size_t kFirstLens = 49;
constexpr std::size_t kLensBytes = 4 + 8 * 18;
constexpr std::size_t kBadMap = kFirstLens + 2 * kLensBytes;
constexpr std::size_t kKCount = kBadMap + kPixels + 1;

std::vector<uint8_t> sample(uint16_t version = 4, uint16_t width = kWidth, uint16_t height = kHeight)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(detector_sample::sample_file(width, height, version, &bytes));
    return bytes;
}

bool decode(const std::vector<uint8_t>& bytes, DetectorConfig* out = nullptr)
{
    DetectorConfig ignored;
    return decode_detector_file(bytes.data(), bytes.size(), kWidth, kHeight, out != nullptr ? out : &ignored);
}

// Offset of range entry `slot` (0..7, environment-major) of the first lens.
std::size_t range_entry(int slot)
{
    return kFirstLens + 4 + 18 * slot;
}

void put_u16(std::vector<uint8_t>& bytes, std::size_t at, uint16_t v)
{
    bytes[at] = static_cast<uint8_t>(v);
    bytes[at + 1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

TEST(detector_file, every_version_loads_and_saves_as_version_4)
{
    const DetectorConfig expected = detector_sample::sample_config(kWidth, kHeight);
    for (uint16_t version = 0; version <= 4; ++version) {
        DetectorConfig loaded;
        ASSERT_TRUE(decode(sample(version), &loaded)) << version;
        EXPECT_EQ(version, loaded.version);
        EXPECT_EQ(expected.bad_map, loaded.bad_map);
        EXPECT_EQ(expected.bad_check, loaded.bad_check);
        ASSERT_EQ(expected.k_tables.size(), loaded.k_tables.size());
        for (const auto& table : expected.k_tables) {
            EXPECT_EQ(table.second.values, loaded.k_tables.at(table.first).values);
            EXPECT_EQ(table.second.check, loaded.k_tables.at(table.first).check);
        }
        EXPECT_EQ(expected.free_k, loaded.free_k);
        EXPECT_EQ(expected.free_outer, loaded.free_outer);
        const RangeEntry& e = loaded.lenses.at(0).ranges[0][1];
        EXPECT_EQ(1210, e.vsk);
        EXPECT_EQ(1820, e.gfid);
        EXPECT_EQ(3, e.gain);
        EXPECT_EQ(350, e.integral);
        EXPECT_FLOAT_EQ(0.9875f, loaded.lenses.at(1).coefficient);
        // Before version 3 the DAC is implied, before 4 the NDAC is the default.
        EXPECT_EQ(version >= 3 ? 0 : 3056, e.dac) << version;
        EXPECT_EQ(version >= 3 ? 0 : 1536, loaded.lenses.at(0).ranges[0][2].dac) << version;
        EXPECT_EQ(kDefaultNdac, e.ndac);

        std::vector<uint8_t> saved;
        ASSERT_TRUE(encode_detector_file(loaded, kNewestFileVersion, &saved));
        DetectorConfig again;
        ASSERT_TRUE(decode(saved, &again));
        EXPECT_EQ(4, again.version);
        EXPECT_EQ(loaded.lenses.at(0).ranges[0][2].dac, again.lenses.at(0).ranges[0][2].dac);
    }
}

TEST(detector_file, version_2_dac_defaults_follow_the_width)
{
    DetectorConfig loaded;
    std::vector<uint8_t> bytes = sample(2, 320, 240);
    ASSERT_TRUE(decode_detector_file(bytes.data(), bytes.size(), 320, 240, &loaded));
    EXPECT_EQ(1843, loaded.lenses.at(0).ranges[0][0].dac);
    EXPECT_EQ(1536, loaded.lenses.at(0).ranges[1][3].dac);
}

TEST(detector_file, the_outer_temperature_keeps_its_stored_form)
{
    DetectorConfig loaded;
    ASSERT_TRUE(decode(sample(), &loaded));
    EXPECT_FLOAT_EQ(25.0f, loaded.lenses.at(0).ranges[0][0].outer_temperature);
    // The default -273.15 is stored unsigned and reads back as 382.22.
    EXPECT_NEAR(382.22f, loaded.lenses.at(0).ranges[0][1].outer_temperature, 0.001f);
}

TEST(detector_file, refused_files)
{
    struct Case {
        const char* name;
        void (*spoil)(std::vector<uint8_t>&);
        const char* message;
    };
    const Case cases[] = {
        {"identity", [](std::vector<uint8_t>& b) { b[3] ^= 1; }, "file identify is error"},
        {"version 5", [](std::vector<uint8_t>& b) { put_u16(b, 16, 5); }, "file version = 5 is error"},
        {"width", [](std::vector<uint8_t>& b) { put_u16(b, 22, 320); }, "resolution width = 320 is error"},
        {"height", [](std::vector<uint8_t>& b) { put_u16(b, 24, 61); }, "resolution height = 61 is error"},
        {"lens type 7", [](std::vector<uint8_t>& b) { b[kFirstLens] = 7; }, "len type = 7 is error"},
        {"lens twice", [](std::vector<uint8_t>& b) { b[kFirstLens + kLensBytes] = 0; }, "len type = 0 is error"},
        {"reverse 5", [](std::vector<uint8_t>& b) { b[kFirstLens + 1] = 5; }, "reverse type = 5 is error"},
        {"range byte 4", [](std::vector<uint8_t>& b) { b[range_entry(2)] = 4; }, "meas range = 4 is error"},
        {"no K tables", [](std::vector<uint8_t>& b) { b[kKCount] = 0; }, "k value num:0 is wrong"},
        {"K count", [](std::vector<uint8_t>& b) { b[kKCount] = 5; }, "k value num:5 is wrong"},
        {"K index 255", [](std::vector<uint8_t>& b) { b[kKCount + 1] = 255; }, "k value index = 255 is wrong"},
        {"K index twice", [](std::vector<uint8_t>& b) { b[kKCount + 1 + (1 + 2 * kPixels + 2)] = 0; },
         "k value index = 0 is wrong"},
        // A range naming a K index no table carries.
        {"dangling K", [](std::vector<uint8_t>& b) { b[range_entry(0) + 8] = 77; }, "k value index = 0 is wrong"},
        {"dangling outer", [](std::vector<uint8_t>& b) { b[range_entry(1) + 11] = 9; },
         "outer correct value num:1 is wrong"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = sample();
        c.spoil(bytes);
        LogWatch log;
        EXPECT_FALSE(decode(bytes)) << c.name;
        EXPECT_EQ(1, log.count(c.message)) << c.name;
    }
}

TEST(detector_file, every_truncation_is_refused)
{
    for (uint16_t version : {0, 4}) {
        std::vector<uint8_t> bytes = sample(version);
        // Every cut inside the header and lens records, then a stride
        // through the map and the tables, and the last bytes.
        for (std::size_t cut = 0; cut < bytes.size();
             cut += cut < kBadMap + 8 || cut + 16 > bytes.size() ? 1 : 397) {
            std::vector<uint8_t> part(bytes.begin(), bytes.begin() + cut);
            EXPECT_FALSE(decode(part)) << "version " << version << " cut " << cut;
        }
    }
}

TEST(detector_file, a_slot_no_range_names_keeps_the_defaults)
{
    std::vector<uint8_t> bytes = sample();
    // The second lens names range 0 twice in environment 1 and never range 3.
    std::size_t second = kFirstLens + kLensBytes + 4 + 18 * 7;
    bytes[second] = 0;
    DetectorConfig loaded;
    ASSERT_TRUE(decode(bytes, &loaded));
    const RangeEntry& slot = loaded.lenses.at(1).ranges[1][3];
    EXPECT_EQ(kNoIndex, slot.k_index);
    EXPECT_EQ(kNoIndex, slot.outer_index);
    EXPECT_EQ(0, slot.vsk);
}

TEST(detector_file, lens_count_0_loads_empty_and_cannot_be_saved)
{
    std::vector<uint8_t> full = sample();
    std::vector<uint8_t> bytes(full.begin(), full.begin() + kFirstLens);
    bytes[kLensCount] = 0;
    DetectorConfig loaded;
    LogWatch log;
    ASSERT_TRUE(decode(bytes, &loaded));
    EXPECT_EQ(1, log.count("len's count is 0"));
    EXPECT_TRUE(loaded.lenses.empty());
    EXPECT_TRUE(loaded.bad_map.empty());
    std::vector<uint8_t> saved;
    EXPECT_FALSE(encode_detector_file(loaded, 4, &saved));
    EXPECT_EQ(1, log.count("bad point list is empty!"));
}

TEST(detector_file, an_outer_table_count_of_0_is_accepted)
{
    DetectorConfig config = detector_sample::sample_config(kWidth, kHeight);
    config.lenses.at(0).ranges[0][0].outer_index = kNoIndex;
    config.outer_tables.clear();
    config.free_outer.insert(0);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(encode_detector_file(config, 4, &bytes));
    EXPECT_EQ(0, bytes.back());
    EXPECT_TRUE(decode(bytes));
}

TEST(detector_file, the_writer_refuses_inconsistent_tables)
{
    DetectorConfig config = detector_sample::sample_config(kWidth, kHeight);
    config.free_k.insert(0);
    std::vector<uint8_t> bytes;
    LogWatch log;
    EXPECT_FALSE(encode_detector_file(config, 4, &bytes));
    EXPECT_EQ(1, log.count("used k index's count = 5 is wrong!"));
    config = detector_sample::sample_config(kWidth, kHeight);
    config.lenses.clear();
    EXPECT_FALSE(encode_detector_file(config, 4, &bytes));
    EXPECT_EQ(1, log.count("lens is empty"));
}

TEST(detector_file, a_failed_load_keeps_the_previous_configuration)
{
    TempDir dir;
    Detector detector;
    detector.set_resolution(kWidth, kHeight);
    std::string path = dir.file("detector");
    ASSERT_TRUE(detector_sample::write_file(path, sample()));
    ASSERT_TRUE(detector.load_data_from_file(path));
    std::vector<uint8_t> bad = sample();
    bad[kKCount] = 0;
    ASSERT_TRUE(detector_sample::write_file(path, bad));
    EXPECT_FALSE(detector.load_data_from_file(path));
    EXPECT_EQ(2u, detector.lens_types().size());
    EXPECT_FALSE(detector.load_data_from_file(dir.file("missing")));
    EXPECT_FALSE(detector.load_data_from_file(dir.path()));
    // A named pipe is refused instead of waited on.
    ASSERT_EQ(0, mkfifo(dir.file("pipe").c_str(), 0600));
    EXPECT_FALSE(detector.load_data_from_file(dir.file("pipe")));
    EXPECT_EQ(2u, detector.lens_types().size());
}

TEST(detector_file, saving_replaces_the_file_only_when_complete)
{
    Device device;
    std::string path = device.dir.file("detector");
    std::string before = read_file(path);
    ASSERT_TRUE(vy_dc_add_len(device.handle, 3));
    ASSERT_TRUE(vy_dc_save_detector_cfg_to_file(device.handle, ""));
    std::string after = read_file(path);
    EXPECT_GT(after.size(), before.size());
    // A refused save leaves the file as it was and no temporary behind.
    ASSERT_TRUE(vy_dc_delete_len(device.handle, 0));
    ASSERT_TRUE(vy_dc_delete_len(device.handle, 1));
    ASSERT_TRUE(vy_dc_delete_len(device.handle, 3));
    EXPECT_FALSE(vy_dc_save_detector_cfg_to_file(device.handle, nullptr));
    EXPECT_EQ(after, read_file(path));
    // A folder that cannot be written fails and leaves nothing.
    EXPECT_FALSE(vy_dc_save_detector_cfg_to_file(device.handle, "/proc/camlink-detector"));
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(device.dir.path())) {
        entries += entry.path().filename().string().rfind("detector.", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(0, entries);
}

TEST(detector_file, lenses_are_added_and_deleted_with_their_tables)
{
    Detector detector;
    detector.set_resolution(kWidth, kHeight);
    TempDir dir;
    ASSERT_TRUE(detector_sample::write_file(dir.file("d"), sample()));
    ASSERT_TRUE(detector.load_data_from_file(dir.file("d")));
    LogWatch log;
    EXPECT_FALSE(detector.add_len(6));
    EXPECT_FALSE(detector.add_len(0));
    EXPECT_EQ(1, log.count("len's type = 6 is error"));
    EXPECT_EQ(1, log.count("len = 0 is exsit in map lens"));
    ASSERT_TRUE(detector.add_len(4));
    DetectorConfig config = detector.config();
    uint8_t k = config.lenses.at(4).ranges[0][0].k_index;
    ASSERT_NE(kNoIndex, k);
    for (int16_t gain : config.k_tables.at(k).values) {
        ASSERT_EQ(kUnitGain, gain);
    }
    EXPECT_EQ(config.k_tables.size(), 255 - config.free_k.size());
    ASSERT_TRUE(detector.delete_len(4));
    ASSERT_TRUE(detector.delete_len(0));
    config = detector.config();
    EXPECT_EQ(config.k_tables.size(), 255 - config.free_k.size());
    EXPECT_TRUE(config.outer_tables.empty());
    EXPECT_FALSE(detector.delete_len(0));
}
