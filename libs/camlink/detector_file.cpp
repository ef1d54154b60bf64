// The detector configuration file: identity, header, lens records, the
// bad-pixel map and the K and outer-correction tables (docs/formats.md).
#include "camlink_log.h"
#include "detector_config.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace camlink {
namespace detail {

namespace {

constexpr uint8_t kIdentity[16] = {0x81, 0xd5, 0xdd, 0x4e, 0xd2, 0x76, 0x49, 0xae,
                                   0xad, 0x08, 0xcd, 0x61, 0x8e, 0x94, 0xc4, 0x10};
constexpr std::size_t kReservedBytes = 22;
constexpr const char* kLoad = "Detector::load_data_from_file";
constexpr const char* kSave = "Detector::save_data_to_file";

// Reads little-endian fields; every read checks the bytes left.
class Reader {
public:
    Reader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool u8(uint8_t* v)
    {
        if (left() < 1) {
            return false;
        }
        *v = data_[at_++];
        return true;
    }
    bool u16(uint16_t* v)
    {
        if (left() < 2) {
            return false;
        }
        *v = static_cast<uint16_t>(data_[at_] | data_[at_ + 1] << 8);
        at_ += 2;
        return true;
    }
    bool bytes(uint8_t* out, std::size_t n)
    {
        if (left() < n) {
            return false;
        }
        if (n > 0) {
            std::memcpy(out, data_ + at_, n);
        }
        at_ += n;
        return true;
    }
    bool skip(std::size_t n)
    {
        if (left() < n) {
            return false;
        }
        at_ += n;
        return true;
    }
    std::size_t left() const { return size_ - at_; }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

class Writer {
public:
    explicit Writer(std::vector<uint8_t>* out) : out_(out) {}
    void u8(uint8_t v) { out_->push_back(v); }
    void u16(uint16_t v)
    {
        out_->push_back(static_cast<uint8_t>(v));
        out_->push_back(static_cast<uint8_t>(v >> 8));
    }
    void bytes(const void* data, std::size_t n)
    {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        out_->insert(out_->end(), p, p + n);
    }

private:
    std::vector<uint8_t>* out_;
};

bool truncated(const char* field)
{
    DT_ERROR(kLoad, "file ends inside %s", field);
    return false;
}

bool read_range_entry(Reader& in, uint16_t version, uint16_t width, RangeEntry* entries)
{
    uint8_t range = 0;
    if (!in.u8(&range)) {
        return truncated("a range entry");
    }
    if (range >= kRanges) {
        DT_ERROR(kLoad, "meas range = %d is error", range);
        return false;
    }
    RangeEntry& e = entries[range];
    uint16_t temperature = 0;
    if (!in.u16(&e.vsk) || !in.u16(&e.gfid) || !in.u8(&e.gain) || !in.u16(&e.integral) || !in.u8(&e.k_index) ||
        !in.u16(&temperature) || !in.u8(&e.outer_index) || !in.u16(&e.shift_compensation)) {
        return truncated("a range entry");
    }
    // Stored unsigned: a negative temperature does not come back as written.
    e.outer_temperature = static_cast<float>(temperature) / 100.0f;
    if (version >= 3) {
        if (!in.u16(&e.dac)) {
            return truncated("a range entry");
        }
    } else {
        e.dac = implied_dac(range, width);
    }
    if (version >= 4 && !in.u16(&e.ndac)) {
        return truncated("a range entry");
    }
    return true;
}

bool read_lens(Reader& in, uint16_t version, uint16_t width, int previous_type, DetectorConfig* config)
{
    uint8_t type = 0;
    uint8_t reverse = 0;
    uint16_t coefficient = 0;
    if (!in.u8(&type) || !in.u8(&reverse) || !in.u16(&coefficient)) {
        return truncated("a lens record");
    }
    // Lenses come in ascending order, each once.
    if (type > kMaxFileLensType || static_cast<int>(type) <= previous_type) {
        DT_ERROR(kLoad, "len type = %d is error", type);
        return false;
    }
    if (reverse > kMaxReverseType) {
        DT_ERROR(kLoad, "reverse type = %d is error", reverse);
        return false;
    }
    // Every lens starts from the defaults: a slot that no range byte names
    // must not carry another lens's indexes.
    LensRecord lens;
    lens.reverse_type = reverse;
    lens.coefficient = static_cast<float>(coefficient) / 10000.0f;
    for (int env = 0; env < kEnvironments; ++env) {
        for (int i = 0; i < kRanges; ++i) {
            if (!read_range_entry(in, version, width, lens.ranges[env])) {
                return false;
            }
        }
    }
    config->lenses[type] = lens;
    return true;
}

bool read_tables(Reader& in, uint16_t version, std::size_t pixels, bool outer, DetectorConfig* config)
{
    const char* what = outer ? "outer correct value" : "k value";
    std::set<uint8_t> used = used_indexes(*config, outer);
    uint8_t count = 0;
    if (!in.u8(&count)) {
        return truncated(outer ? "the outer-correction count" : "the K table count");
    }
    if ((!outer && count == 0) || count != used.size()) {
        DT_ERROR(kLoad, "%s num:%d is wrong", what, count);
        return false;
    }
    std::map<uint8_t, CorrectionTable>& tables = outer ? config->outer_tables : config->k_tables;
    tables.clear();
    for (int t = 0; t < count; ++t) {
        uint8_t index = 0;
        if (!in.u8(&index)) {
            return truncated("a table");
        }
        // Every table belongs to exactly one used index: with the count
        // check this leaves no range naming a missing table.
        if (index == kNoIndex || used.count(index) == 0 || tables.count(index) != 0) {
            DT_ERROR(kLoad, "%s index = %d is wrong", what, index);
            return false;
        }
        CorrectionTable table;
        table.values.resize(pixels);
        if (!in.bytes(reinterpret_cast<uint8_t*>(table.values.data()), 2 * pixels)) {
            return truncated("a table");
        }
        if (version >= 2) {
            if (!in.u16(&table.check)) {
                return truncated("a table check value");
            }
        } else {
            table.check = table_check(table.values);
        }
        tables[index] = std::move(table);
    }
    std::set<uint8_t>& free = outer ? config->free_outer : config->free_k;
    for (uint8_t index : used) {
        free.erase(index);
    }
    return true;
}

uint16_t stored_temperature(float t)
{
    double scaled = std::trunc((static_cast<double>(t) + 0.005) * 100.0);
    if (!std::isfinite(scaled)) {
        return 0;
    }
    scaled = std::max(-2147483648.0, std::min(2147483647.0, scaled));
    return static_cast<uint16_t>(static_cast<int32_t>(scaled) & 0xFFFF);
}

uint16_t stored_coefficient(float c)
{
    double scaled = std::trunc(static_cast<double>(c) * 10000.0);
    if (!(scaled >= 0.0)) {
        return 0;
    }
    return static_cast<uint16_t>(std::min(65535.0, scaled));
}

void write_tables(Writer& out, uint16_t version, const std::map<uint8_t, CorrectionTable>& tables)
{
    out.u8(static_cast<uint8_t>(tables.size()));
    for (const auto& table : tables) {
        out.u8(table.first);
        out.bytes(table.second.values.data(), 2 * table.second.values.size());
        if (version >= 2) {
            out.u16(table.second.check);
        }
    }
}

}  // namespace

std::set<uint8_t> used_indexes(const DetectorConfig& config, bool outer)
{
    std::set<uint8_t> used;
    for (const auto& lens : config.lenses) {
        for (const auto& env : lens.second.ranges) {
            for (const RangeEntry& e : env) {
                uint8_t index = outer ? e.outer_index : e.k_index;
                if (index != kNoIndex) {
                    used.insert(index);
                }
            }
        }
    }
    return used;
}

DetectorConfig::DetectorConfig()
{
    for (int i = 0; i < kNoIndex; ++i) {
        free_k.insert(static_cast<uint8_t>(i));
        free_outer.insert(static_cast<uint8_t>(i));
    }
}

uint16_t table_check(const std::vector<int16_t>& values)
{
    uint16_t check = 0x8005;
    for (int16_t v : values) {
        check ^= static_cast<uint16_t>(v);
    }
    return check;
}

uint8_t bad_map_check(const std::vector<uint8_t>& map)
{
    uint8_t check = 5;
    for (uint8_t v : map) {
        check ^= v;
    }
    return check;
}

uint8_t bad_pixel_code(uint32_t x, uint32_t y, uint32_t width, uint32_t height)
{
    bool left = x == 0;
    bool right = x + 1 == width;
    bool top = y == 0;
    bool bottom = y + 1 == height;
    if (left && top) {
        return 17;
    }
    if (left && bottom) {
        return 18;
    }
    if (right && bottom) {
        return 19;
    }
    if (right && top) {
        return 20;
    }
    if (left) {
        return 21;
    }
    if (bottom) {
        return 22;
    }
    if (right) {
        return 23;
    }
    if (top) {
        return 24;
    }
    if (x == 1 || y == 1 || x + 2 == width || y + 2 == height) {
        return 25;
    }
    return 26;
}

std::vector<uint8_t> default_bad_map(uint16_t width, uint16_t height)
{
    std::vector<uint8_t> map(static_cast<std::size_t>(width) * height, 0);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            if (x == 0 || y == 0 || x + 1 == width || y + 1 == height) {
                map[y * width + x] = bad_pixel_code(x, y, width, height);
            }
        }
    }
    return map;
}

uint16_t implied_dac(uint8_t range, uint16_t width)
{
    if (range >= 2) {
        return 1536;
    }
    return width == 320 ? 1843 : 3056;
}

uint64_t largest_detector_file(uint16_t width, uint16_t height)
{
    uint64_t pixels = static_cast<uint64_t>(width) * height;
    uint64_t lens = 4 + kEnvironments * kRanges * 18;
    return 49 + (kMaxFileLensType + 1) * lens + pixels + 1 + 2 * (1 + 255 * (3 + 2 * pixels));
}

bool decode_detector_file(const uint8_t* data, std::size_t size, uint16_t width, uint16_t height,
                          DetectorConfig* out)
{
    if (data == nullptr && size > 0) {
        return false;
    }
    Reader in(data, size);
    uint8_t identity[16];
    if (!in.bytes(identity, sizeof(identity)) || std::memcmp(identity, kIdentity, sizeof(identity)) != 0) {
        DT_ERROR(kLoad, "file identify is error");
        return false;
    }
    DetectorConfig config;
    uint16_t file_width = 0;
    uint16_t file_height = 0;
    if (!in.u16(&config.version)) {
        return truncated("the header");
    }
    if (config.version > kNewestFileVersion) {
        DT_ERROR(kLoad, "file version = %d is error", config.version);
        return false;
    }
    if (!in.u16(&config.left_edge) || !in.u16(&config.top_edge) || !in.u16(&file_width) || !in.u16(&file_height)) {
        return truncated("the header");
    }
    if (file_width != width) {
        DT_ERROR(kLoad, "resolution width = %d is error", file_width);
        return false;
    }
    if (file_height != height) {
        DT_ERROR(kLoad, "resolution height = %d is error", file_height);
        return false;
    }
    config.width = width;
    config.height = height;
    uint8_t lens_count = 0;
    if (!in.skip(kReservedBytes) || !in.u8(&lens_count)) {
        return truncated("the header");
    }
    if (lens_count == 0) {
        DT_ERROR(kLoad, "len's count is 0");
        *out = std::move(config);
        return true;
    }
    int previous = -1;
    for (int i = 0; i < lens_count; ++i) {
        if (!read_lens(in, config.version, width, previous, &config)) {
            return false;
        }
        previous = config.lenses.rbegin()->first;
    }
    std::size_t pixels = static_cast<std::size_t>(width) * height;
    config.bad_map.resize(pixels);
    if (!in.bytes(config.bad_map.data(), pixels)) {
        DT_ERROR(kLoad, "bad point data is wrong, data length:%zu", in.left());
        return false;
    }
    if (config.version >= 2) {
        if (!in.u8(&config.bad_check)) {
            DT_ERROR(kLoad, "read bad point data crc wrong!");
            return false;
        }
    } else {
        config.bad_check = bad_map_check(config.bad_map);
    }
    if (!read_tables(in, config.version, pixels, false, &config) ||
        !read_tables(in, config.version, pixels, true, &config)) {
        return false;
    }
    *out = std::move(config);
    return true;
}

bool encode_detector_file(const DetectorConfig& config, uint16_t version, std::vector<uint8_t>* out)
{
    if (config.bad_map.empty()) {
        DT_ERROR(kSave, "bad point list is empty!");
        return false;
    }
    if (config.lenses.empty()) {
        DT_ERROR(kSave, "lens is empty");
        return false;
    }
    if (config.k_tables.size() != kNoIndex - config.free_k.size()) {
        DT_ERROR(kSave, "used k index's count = %zu is wrong!", kNoIndex - config.free_k.size());
        return false;
    }
    if (config.outer_tables.size() != kNoIndex - config.free_outer.size()) {
        DT_ERROR(kSave, "used outer correct's index is wrong!");
        return false;
    }
    if (version > kNewestFileVersion) {
        DT_ERROR(kSave, "file version = %d is error", version);
        return false;
    }
    std::vector<uint8_t> bytes;
    Writer w(&bytes);
    w.bytes(kIdentity, sizeof(kIdentity));
    w.u16(version);
    w.u16(config.left_edge);
    w.u16(config.top_edge);
    w.u16(config.width);
    w.u16(config.height);
    const uint8_t reserved[kReservedBytes] = {};
    w.bytes(reserved, sizeof(reserved));
    w.u8(static_cast<uint8_t>(config.lenses.size()));
    for (const auto& lens : config.lenses) {
        w.u8(lens.first);
        w.u8(lens.second.reverse_type);
        w.u16(stored_coefficient(lens.second.coefficient));
        for (const auto& env : lens.second.ranges) {
            for (int r = 0; r < kRanges; ++r) {
                const RangeEntry& e = env[r];
                w.u8(static_cast<uint8_t>(r));
                w.u16(e.vsk);
                w.u16(e.gfid);
                w.u8(e.gain);
                w.u16(e.integral);
                w.u8(e.k_index);
                w.u16(stored_temperature(e.outer_temperature));
                w.u8(e.outer_index);
                w.u16(e.shift_compensation);
                if (version >= 3) {
                    w.u16(e.dac);
                }
                if (version >= 4) {
                    w.u16(e.ndac);
                }
            }
        }
    }
    w.bytes(config.bad_map.data(), config.bad_map.size());
    if (version >= 2) {
        w.u8(config.bad_check);
    }
    write_tables(w, version, config.k_tables);
    write_tables(w, version, config.outer_tables);
    out->swap(bytes);
    return true;
}

}  // namespace detail
}  // namespace camlink
