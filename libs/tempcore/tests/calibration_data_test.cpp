// Calibration data: load and save, refusal of damaged data, the same-machine
// short-cut, lenses and ranges, and the parameter record.
#include "engine_fixture.h"

#include "basekit.h"

#include <cstdio>
#include <functional>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<uint8_t> save(void* h)
{
    int length = 0;
    EXPECT_TRUE(vy_at_save_calibrate_data_to_buffer(h, nullptr, &length));
    std::vector<uint8_t> bytes(static_cast<std::size_t>(length));
    EXPECT_TRUE(vy_at_save_calibrate_data_to_buffer(h, bytes.data(), &length));
    EXPECT_EQ(static_cast<std::size_t>(length), bytes.size());
    return bytes;
}

class TempFile {
public:
    TempFile()
    {
        char pattern[] = "/tmp/tempcore_test_XXXXXX";
        int fd = mkstemp(pattern);
        EXPECT_GE(fd, 0);
        close(fd);
        path_ = pattern;
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const char* write(const uint8_t* data, std::size_t size)
    {
        FILE* f = std::fopen(path_.c_str(), "wb");
        std::fwrite(data, 1, size, f);
        std::fclose(f);
        return path_.c_str();
    }

private:
    std::string path_;
};

int lens_count(void* h)
{
    unsigned char count = 0xEE;
    EXPECT_TRUE(vy_at_get_supported_lens_info(h, nullptr, &count));
    return count;
}

uint32_t read_u32(const std::vector<uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

void write_u32(std::vector<uint8_t>& b, std::size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

// Offset of the script trailer: the compressed bytes end the data.
std::size_t trailer_offset(const std::vector<uint8_t>& data)
{
    std::size_t offset = data.size() - 8;
    while (offset > 129 && (read_u32(data, offset + 4) + 7) / 8 != data.size() - offset - 8) {
        --offset;
    }
    return offset;
}

TEST(calibration_data, load_then_save_is_byte_equal)
{
    std::vector<uint8_t> data = tctest::sample_data();
    // The build's sample file is the same description run through the tool.
    std::string file = tctest::read_text("ad_temp");
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.end()), data);

    tctest::Engine e;
    ASSERT_TRUE(vy_at_load_calibrate_data_from_file(e.h(), "ad_temp"));
    EXPECT_EQ(save(e.h()), data);
    EXPECT_EQ(lens_count(e.h()), 2);

    tctest::Engine from_buffer;
    ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(from_buffer.h(), data.data()));
    EXPECT_EQ(save(from_buffer.h()), data);

    // Environment-1 ranges follow the environment-0 ranges of their lens.
    EXPECT_EQ(data[129], 0);   // lens type 0
    EXPECT_EQ(data[164], 4);   // four range records
    EXPECT_EQ(data[165], 0);   // first record: environment 0, range 0

    char productor[17], type[17], sn[17], detector[17], date[15];
    ASSERT_TRUE(vy_at_get_mac_info(e.h(), productor, type, sn, detector, date));
    EXPECT_STREQ(productor, "Pyravue Labs");
    EXPECT_STREQ(type, "PV-640");
    EXPECT_STREQ(sn, "PV640-000123");
    EXPECT_STREQ(detector, "D640-7781");
    EXPECT_STREQ(date, "20260315093000");

    float drift = 0;
    ASSERT_TRUE(vy_at_get_len_temp_drift_compensation(e.h(), 1, &drift));
    EXPECT_FLOAT_EQ(drift, -0.35f);

    int without = 0;
    ASSERT_TRUE(vy_at_get_calibrate_data_without_script_data(e.h(), nullptr, &without));
    std::vector<uint8_t> head(static_cast<std::size_t>(without));
    ASSERT_TRUE(vy_at_get_calibrate_data_without_script_data(e.h(), head.data(), &without));
    std::size_t trailer = trailer_offset(data);
    ASSERT_EQ(head.size(), trailer + 8);
    EXPECT_TRUE(std::equal(head.begin(), head.begin() + trailer, data.begin()));
    EXPECT_EQ(read_u32(head, trailer), 0u);
    EXPECT_EQ(read_u32(head, trailer + 4), 0u);

    // A buffer one byte short is refused and told the size needed.
    std::vector<uint8_t> small(data.size() - 1);
    int length = static_cast<int>(small.size());
    EXPECT_FALSE(vy_at_save_calibrate_data_to_buffer(e.h(), small.data(), &length));
    EXPECT_EQ(length, static_cast<int>(data.size()));
}

TEST(calibration_data, truncated_data_is_refused_at_every_offset)
{
    std::vector<uint8_t> data = tctest::sample_data();
    TempFile file;
    tctest::Engine e;
    for (std::size_t size = 0; size < data.size(); ++size) {
        EXPECT_FALSE(vy_at_load_calibrate_data_from_file(e.h(), file.write(data.data(), size)))
            << "truncated to " << size;
    }
    EXPECT_EQ(lens_count(e.h()), 0);
    EXPECT_TRUE(vy_at_load_calibrate_data_from_file(e.h(), file.write(data.data(), data.size())));
    EXPECT_FALSE(vy_at_load_calibrate_data_from_file(e.h(), nullptr));
    EXPECT_FALSE(vy_at_load_calibrate_data_from_file(e.h(), "/nonexistent/ad_temp"));
    EXPECT_FALSE(vy_at_load_calibrate_data_from_buffer(e.h(), nullptr));
}

// A named pipe without a writer would block a plain open for ever.
TEST(calibration_data, a_named_pipe_is_refused_at_once)
{
    const uint8_t none = 0;
    TempFile file;
    std::string pipe = std::string(file.write(&none, 0)) + ".pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    tctest::Engine e;
    EXPECT_FALSE(vy_at_load_calibrate_data_from_file(e.h(), pipe.c_str()));
    EXPECT_FALSE(vy_at_load_calibrate_data_from_file(e.h(), "/tmp"));
    std::remove(pipe.c_str());
}

TEST(calibration_data, damaged_fields_are_refused_and_change_nothing)
{
    const std::vector<uint8_t> good = tctest::sample_data();
    const std::size_t trailer = trailer_offset(good);
    const uint32_t bits = read_u32(good, trailer + 4);
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> damage;
    };
    const Case cases[] = {
        {"identity", [](std::vector<uint8_t>& b) { b[3] ^= 1; }},
        {"format version 2", [](std::vector<uint8_t>& b) { b[16] = 2; }},
        {"lens count 0", [](std::vector<uint8_t>& b) { b[128] = 0; }},
        {"lens count 6", [](std::vector<uint8_t>& b) { b[128] = 6; }},
        {"lens type 7", [](std::vector<uint8_t>& b) { b[129] = 7; }},
        {"range count 0", [](std::vector<uint8_t>& b) { b[164] = 0; }},
        {"range count 9", [](std::vector<uint8_t>& b) { b[164] = 9; }},
        {"range id 8", [](std::vector<uint8_t>& b) { b[165] = 8; }},
        {"range id 9", [](std::vector<uint8_t>& b) { b[165] = 9; }},
        {"sample count beyond the data", [](std::vector<uint8_t>& b) { b[170] = 255; }},
        {"script size 0", [&](std::vector<uint8_t>& b) { write_u32(b, trailer, 0); }},
        {"script size 0xFFFFFFFF", [&](std::vector<uint8_t>& b) { write_u32(b, trailer, 0xFFFFFFFFu); }},
        {"script size above 1 MiB", [&](std::vector<uint8_t>& b) { write_u32(b, trailer, (1u << 20) + 1); }},
        {"script bits 0", [&](std::vector<uint8_t>& b) { write_u32(b, trailer + 4, 0); }},
        {"script bits 0xFFFFFFFF", [&](std::vector<uint8_t>& b) { write_u32(b, trailer + 4, 0xFFFFFFFFu); }},
        {"compressed longer than the rest", [&](std::vector<uint8_t>& b) { write_u32(b, trailer + 4, bits + 64); }},
        {"script size off by one", [&](std::vector<uint8_t>& b) { write_u32(b, trailer, read_u32(b, trailer) + 1); }},
        {"compressed bytes damaged", [&](std::vector<uint8_t>& b) { b[trailer + 8] ^= 0x80; }},
    };
    // A different detector whose data is damaged must leave the loaded one.
    tctest::Engine e;
    ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(e.h(), good.data()));
    TempFile file;
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        bad[32] = 'X';  // another detector serial number
        c.damage(bad);
        EXPECT_FALSE(vy_at_load_calibrate_data_from_file(e.h(), file.write(bad.data(), bad.size())))
            << c.name;
        EXPECT_EQ(save(e.h()), good) << c.name;
        bool same = true;
        EXPECT_TRUE(vy_at_is_same_machine(e.h(), &same));
        EXPECT_FALSE(same) << c.name;
    }
}

// A script that does not run does not refuse the file: the lenses and the
// script text are kept and the script's operations fail.
TEST(calibration_data, a_failing_script_loads_without_running)
{
    std::vector<uint8_t> data = tctest::sample_data();
    data.resize(trailer_offset(data));
    const std::string script =
        "error('broken calibration')\n-- padding padding padding padding padding padding padding padding\n";
    std::vector<uint8_t> packed(script.size());
    uint32_t bits = 0;
    ASSERT_EQ(vy_lz77_compress(script.data(), static_cast<int>(script.size()), packed.data(), &bits), VY_OK);
    packed.resize((bits + 7) / 8);
    data.resize(data.size() + 8);
    write_u32(data, data.size() - 8, static_cast<uint32_t>(script.size()));
    write_u32(data, data.size() - 4, bits);
    data.insert(data.end(), packed.begin(), packed.end());

    tctest::Engine e;
    TempFile file;
    ASSERT_TRUE(vy_at_load_calibrate_data_from_file(e.h(), file.write(data.data(), data.size())));
    EXPECT_EQ(lens_count(e.h()), 2);
    int length = 0;
    ASSERT_TRUE(vy_at_get_script_data(e.h(), nullptr, &length));
    std::string back(static_cast<std::size_t>(length), '\0');
    ASSERT_TRUE(vy_at_get_script_data(e.h(), &back[0], &length));
    EXPECT_EQ(back, script);
    EXPECT_FALSE(vy_at_calc_base_temp(e.h()));
}

TEST(calibration_data, same_machine_shortcut_needs_a_complete_earlier_load)
{
    std::vector<uint8_t> good = tctest::sample_data();
    std::vector<uint8_t> broken = good;
    broken[128] = 0;  // same identity, bad lens count

    tctest::Engine e;
    bool same = true;
    EXPECT_FALSE(vy_at_load_calibrate_data_from_buffer(e.h(), broken.data()));
    // Nothing of the failed load was kept, so this is a full load.
    ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(e.h(), good.data()));
    ASSERT_TRUE(vy_at_is_same_machine(e.h(), &same));
    EXPECT_FALSE(same);
    EXPECT_EQ(lens_count(e.h()), 2);

    ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(e.h(), good.data()));
    ASSERT_TRUE(vy_at_is_same_machine(e.h(), &same));
    EXPECT_TRUE(same);
    EXPECT_FALSE(vy_at_is_same_machine(e.h(), nullptr));

    // Another detector with the same script: replaced, the script kept.
    std::vector<uint8_t> other = good;
    other[32] = 'E';
    other[129 + 1] = 'Q';  // first lens's serial
    ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(e.h(), other.data()));
    ASSERT_TRUE(vy_at_is_same_machine(e.h(), &same));
    EXPECT_FALSE(same);
    EXPECT_EQ(save(e.h()), other);
}

// The file is compared with the identity held now, so reloading the same
// camera's file after edits brings its data back.
TEST(calibration_data, reload_of_the_same_camera_undoes_edits)
{
    const std::vector<uint8_t> good = tctest::sample_data();
    tctest::Engine e;
    ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(e.h(), good.data()));
    ASSERT_TRUE(vy_at_set_mac_sn(e.h(), "EDITED"));
    ASSERT_TRUE(vy_at_delete_len_type(e.h(), 1));
    ASSERT_EQ(lens_count(e.h()), 1);

    ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(e.h(), good.data()));
    bool same = true;
    ASSERT_TRUE(vy_at_is_same_machine(e.h(), &same));
    EXPECT_FALSE(same);
    EXPECT_EQ(lens_count(e.h()), 2);
    EXPECT_EQ(save(e.h()), good);
}

// Lens type 6 is kept by the loader, though no lens operation selects it.
TEST(calibration_data, loader_keeps_lens_type_6)
{
    std::vector<uint8_t> data = tctest::sample_data();
    ASSERT_NE(data[129], 6);
    data[129] = 6;
    tctest::Engine e;
    ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(e.h(), data.data()));
    EXPECT_EQ(lens_count(e.h()), 2);
    unsigned char count = 0;
    EXPECT_TRUE(vy_at_get_supported_lens_info(e.h(), nullptr, &count));
    std::vector<tagLenInfo> lenses(count);
    ASSERT_TRUE(vy_at_get_supported_lens_info(e.h(), lenses.data(), &count));
    EXPECT_EQ(lenses.back().len_type, 6);
    EXPECT_FALSE(vy_at_set_len_type_and_meas_range(e.h(), 6, 0));
}

TEST(calibration_data, saver_writes_only_what_the_loader_reads)
{
    const std::string script = tctest::plain_script();
    {
        // A lens of environment 1 alone survives a save and a load.
        tctest::Engine e;
        std::vector<uint16_t> samples = {11000, 12000, 13000};
        ASSERT_TRUE(vy_at_set_calibrate_enviroment(e.h(), 1));
        ASSERT_TRUE(vy_at_add_len_and_meas_range(e.h(), 3, 2));
        ASSERT_TRUE(vy_at_set_sample_data(e.h(), 3, 2, 0, 20, 3, samples.data()));
        ASSERT_TRUE(vy_at_set_len_sn_and_des(e.h(), 3, "S3", "env one"));
        ASSERT_TRUE(vy_at_set_script_data(e.h(), script.data(), static_cast<int>(script.size())));
        std::vector<uint8_t> bytes = save(e.h());
        tctest::Engine back;
        ASSERT_TRUE(vy_at_load_calibrate_data_from_buffer(back.h(), bytes.data()));
        ASSERT_TRUE(vy_at_set_calibrate_enviroment(back.h(), 1));
        unsigned char count = 0;
        ASSERT_TRUE(vy_at_get_sample_count(back.h(), 3, 2, &count));
        EXPECT_EQ(count, 3);
        EXPECT_EQ(save(back.h()), bytes);
    }
    {
        // Six lenses do not fit the format.
        tctest::Engine e;
        for (int lens = 0; lens <= 5; ++lens) {
            ASSERT_TRUE(vy_at_add_len_and_meas_range(e.h(), lens, 0));
        }
        ASSERT_TRUE(vy_at_set_script_data(e.h(), script.data(), static_cast<int>(script.size())));
        int length = 0;
        EXPECT_FALSE(vy_at_save_calibrate_data_to_buffer(e.h(), nullptr, &length));
        // Five do, and a lens without ranges does not.
        ASSERT_TRUE(vy_at_delete_len_type(e.h(), 5));
        ASSERT_TRUE(vy_at_save_calibrate_data_to_buffer(e.h(), nullptr, &length));
        ASSERT_TRUE(vy_at_delete_len_type_ex(e.h(), 4, 0));
        EXPECT_FALSE(vy_at_save_calibrate_data_to_buffer(e.h(), nullptr, &length));
    }
    {
        // No script: the data ends with eight zero bytes and the save fails.
        tctest::Engine e;
        ASSERT_TRUE(vy_at_add_len_and_meas_range(e.h(), 0, 0));
        int length = 512;
        std::vector<uint8_t> bytes(512, 0xAA);
        EXPECT_FALSE(vy_at_save_calibrate_data_to_buffer(e.h(), bytes.data(), &length));
        ASSERT_EQ(length, 129 + 36 + 14 + 8);
        EXPECT_EQ(read_u32(bytes, length - 8), 0u);
        EXPECT_EQ(read_u32(bytes, length - 4), 0u);
    }
}

TEST(calibration_data, lens_operations)
{
    tctest::Engine e;
    void* h = e.h();
    EXPECT_FALSE(vy_at_add_len_and_meas_range(h, 6, 0));
    EXPECT_FALSE(vy_at_add_len_and_meas_range(h, 0, 4));
    EXPECT_FALSE(vy_at_add_len_and_meas_range(h, -1, 0));
    ASSERT_TRUE(vy_at_add_len_and_meas_range(h, 2, 1));
    ASSERT_TRUE(vy_at_add_len_and_meas_range(h, 2, 1));  // an existing pair is left alone
    ASSERT_TRUE(vy_at_set_calibrate_enviroment(h, 1));
    ASSERT_TRUE(vy_at_add_len_and_meas_range(h, 4, 0));

    // Serial, description and drift reach every environment that holds the
    // lens, wherever the current environment is.
    ASSERT_TRUE(vy_at_set_len_sn_and_des(h, 4, "SN4", "only env 1"));
    ASSERT_TRUE(vy_at_set_calibrate_enviroment(h, 0));
    ASSERT_TRUE(vy_at_set_len_temp_drift_compensation_coff(h, 4, 0.5f));
    EXPECT_FALSE(vy_at_set_len_sn_and_des(h, 3, "x", "y"));
    EXPECT_FALSE(vy_at_set_len_temp_drift_compensation_coff(h, 3, 0.5f));
    EXPECT_FALSE(vy_at_set_len_sn_and_des(h, 2, "12345678901234567", "y"));
    EXPECT_FALSE(vy_at_set_len_sn_and_des(h, 2, nullptr, "y"));
    ASSERT_TRUE(vy_at_set_calibrate_enviroment(h, 1));
    float drift = 0;
    ASSERT_TRUE(vy_at_get_len_temp_drift_compensation(h, 4, &drift));
    EXPECT_FLOAT_EQ(drift, 0.5f);
    tagLenInfo info[1];
    unsigned char count = 1;
    ASSERT_TRUE(vy_at_get_supported_lens_info(h, info, &count));
    EXPECT_EQ(info[0].len_type, 4);
    EXPECT_STREQ(info[0].serial, "SN4");
    ASSERT_TRUE(vy_at_set_calibrate_enviroment(h, 0));

    // Range accessors; a new range has no samples and -273.15 at calibration.
    unsigned char n = 9;
    ASSERT_TRUE(vy_at_get_sample_count(h, 2, 1, &n));
    EXPECT_EQ(n, 0);
    float detector = 0;
    ASSERT_TRUE(vy_at_get_detector_temp_when_calibrate(h, 2, 1, &detector));
    EXPECT_FLOAT_EQ(detector, -273.15f);
    EXPECT_FALSE(vy_at_get_sample_count(h, 2, 0, &n));
    EXPECT_FALSE(vy_at_get_sample_count(h, 3, 1, &n));
    EXPECT_FALSE(vy_at_get_sample_count(h, 2, 1, nullptr));
    EXPECT_FALSE(vy_at_delete_len_type_ex(h, 2, 0));
    EXPECT_FALSE(vy_at_delete_len_type(h, 4));  // it is in environment 1 only

    // Lists: the count must match; limits follow the unit.
    ASSERT_TRUE(vy_at_set_sample_range(h, 2, 1, -20, 150));
    count = 0;
    ASSERT_TRUE(vy_at_get_supported_lens_info(h, nullptr, &count));
    EXPECT_EQ(count, 1);
    count = 2;
    EXPECT_FALSE(vy_at_get_supported_lens_info(h, info, &count));
    EXPECT_FALSE(vy_at_get_supported_lens_info(h, info, nullptr));
    count = 1;
    vy_at_set_temperature_unit(h, 1);  // stored; there is no table to rebuild yet
    ASSERT_TRUE(vy_at_get_supported_lens_info(h, info, &count));
    EXPECT_EQ(info[0].range_count, 1);
    EXPECT_EQ(info[0].ranges[0].meas_range, 1);
    EXPECT_EQ(info[0].ranges[0].min_temp, -4);
    EXPECT_EQ(info[0].ranges[0].max_temp, 302);

    tagLenInfo current;
    EXPECT_FALSE(vy_at_get_cur_len_range_info(h, &current));
    EXPECT_FALSE(vy_at_set_len_type_and_meas_range(h, 2, 0));
    EXPECT_FALSE(vy_at_set_len_type_and_meas_range(h, 6, 0));
    ASSERT_TRUE(vy_at_set_len_type_and_meas_range(h, 2, 1));
    std::memset(&current, 0x5A, sizeof(current));
    ASSERT_TRUE(vy_at_get_cur_len_range_info(h, &current));
    EXPECT_EQ(current.len_type, 2);
    EXPECT_EQ(current.range_count, 1);
    EXPECT_EQ(current.ranges[0].meas_range, 1);
    EXPECT_EQ(current.ranges[0].min_temp, -20);  // not converted
    EXPECT_EQ(current.ranges[1].meas_range, 0x5A5A5A5A);  // 48 bytes only
}

TEST(calibration_data, identity_texts)
{
    tctest::Engine e;
    char buffers[5][17];
    std::memset(buffers, 'z', sizeof(buffers));
    ASSERT_TRUE(vy_at_get_mac_info(e.h(), buffers[0], buffers[1], buffers[2], buffers[3], buffers[4]));
    for (auto& b : buffers) {
        EXPECT_STREQ(b, "");
    }
    EXPECT_TRUE(vy_at_set_productor(e.h(), "1234567890123456"));
    EXPECT_FALSE(vy_at_set_productor(e.h(), "12345678901234567"));
    EXPECT_FALSE(vy_at_set_mac_type(e.h(), nullptr));
    EXPECT_TRUE(vy_at_set_product_date_time(e.h(), "20260101120000"));
    EXPECT_FALSE(vy_at_set_product_date_time(e.h(), "202601011200001"));
    ASSERT_TRUE(vy_at_get_mac_info(e.h(), buffers[0], nullptr, nullptr, nullptr, buffers[4]));
    EXPECT_STREQ(buffers[0], "1234567890123456");
    EXPECT_STREQ(buffers[4], "20260101120000");
}

TEST(calibration_data, parameter_record)
{
    tctest::Engine e;
    uint8_t record[64];
    std::memset(record, 0, sizeof(record));
    int length = sizeof(record);
    ASSERT_TRUE(vy_at_save_temperature_para_to_buffer(e.h(), record, &length));
    EXPECT_EQ(length, 48);
    EXPECT_EQ(record[0], 0xFF);
    EXPECT_EQ(record[1], 0xFF);
    EXPECT_EQ(record[3], 95);                                // emissivity 0.95
    EXPECT_EQ(read_u32(std::vector<uint8_t>(record, record + 8), 4), 300u);  // distance 3
    EXPECT_EQ(record[8], 50);                                // humidity
    EXPECT_EQ(record[9] | (record[10] << 8), 29815);         // 25 degrees: (25 + 273.15) * 100
    EXPECT_EQ(record[47], 0xFF);
    EXPECT_EQ(record[48], 0);                                // nothing past the record
    length = 47;
    EXPECT_FALSE(vy_at_save_temperature_para_to_buffer(e.h(), record, &length));
    EXPECT_FALSE(vy_at_save_temperature_para_to_buffer(e.h(), record, nullptr));
    length = 48;
    EXPECT_FALSE(vy_at_save_temperature_para_to_buffer(e.h(), nullptr, &length));

    tctest::make_synthetic(e.h());
    length = 48;
    ASSERT_TRUE(vy_at_save_temperature_para_to_buffer(e.h(), record, &length));
    EXPECT_EQ(record[0], 0);
    EXPECT_EQ(record[1], 0);
    EXPECT_EQ(record[15] | (record[16] << 8), 30315);        // sensor 1 at 30 degrees
    EXPECT_EQ(record[25] | (record[26] << 8), 30315);        // base temperature 30
}

}  // namespace

namespace {

TEST(calibration_description, bad_descriptions_are_refused_with_a_reason)
{
    const std::string range = "[range lens=0 environment=0 id=0]\n"
                              "detector_temp = 25\nbase_ad_compensation = 0\n"
                              "min = 0\nmax = 50\nfirst = 0\nlast = 50\nsamples = 12000 13000\n";
    const std::pair<const char*, std::string> cases[] = {
        {"key outside a section", "productor = x\n" + range},
        {"unknown section", range + "[camera]\nx = 1\n"},
        {"unclosed section", range + "[lens 0\n"},
        {"missing key", "[range lens=0 environment=0 id=0]\nmin = 0\n"},
        {"not a number", "[range lens=0 environment=0 id=0]\ndetector_temp = warm\n"},
        {"sample out of range", range + "[range lens=1 environment=0 id=0]\ndetector_temp = 25\n"
                                        "base_ad_compensation = 0\nmin = 0\nmax = 50\nfirst = 0\n"
                                        "last = 50\nsamples = 12000 70000\n"},
        {"lens type 6", "[range lens=6 environment=0 id=0]\ndetector_temp = 25\nbase_ad_compensation = 0\n"
                        "min = 0\nmax = 50\nfirst = 0\nlast = 50\n"},
        {"lens without ranges", range + "[lens 3]\nserial = s\n"},
        {"text too long", range + "[detector]\nproductor = 12345678901234567\n"},
        {"no ranges at all", "[detector]\nproductor = x\n"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> data;
        std::string error;
        EXPECT_FALSE(calibration::build_calibration_data(c.second, tctest::plain_script(), &data, &error))
            << c.first;
        EXPECT_FALSE(error.empty()) << c.first;
    }
    std::vector<uint8_t> data;
    std::string error;
    EXPECT_TRUE(calibration::build_calibration_data(range, tctest::plain_script(), &data, &error)) << error;
}

}  // namespace
