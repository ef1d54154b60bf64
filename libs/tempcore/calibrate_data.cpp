// The calibration data block: parser, loader with commit on success, writer,
// and the temperature-parameter record.
#include "ad_temp.h"

#include "basekit.h"
#include "logline.h"

#include <cmath>
#include <cstring>
#include <set>

namespace tempcore {
namespace detail {
namespace {

constexpr uint8_t kIdentity[16] = {0xa0, 0x0f, 0x95, 0x63, 0x0f, 0x11, 0x4a, 0x03,
                                   0x85, 0x13, 0x8f, 0x09, 0xcd, 0x8b, 0xe1, 0x57};

// Reads little-endian fields and never past `size`.
class Reader {
public:
    Reader(const uint8_t* data, uint64_t size, uint64_t position = 0)
        : data_(data), size_(size), position_(position)
    {
    }
    bool has(uint64_t bytes) const { return position_ <= size_ && bytes <= size_ - position_; }
    uint64_t position() const { return position_; }
    const uint8_t* here() const { return data_ + position_; }
    void skip(uint64_t bytes) { position_ += bytes; }
    uint8_t u8() { return data_[position_++]; }
    uint16_t u16()
    {
        uint16_t v = static_cast<uint16_t>(data_[position_] | (data_[position_ + 1] << 8));
        position_ += 2;
        return v;
    }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    uint32_t u32()
    {
        uint32_t v = static_cast<uint32_t>(data_[position_]) |
                     (static_cast<uint32_t>(data_[position_ + 1]) << 8) |
                     (static_cast<uint32_t>(data_[position_ + 2]) << 16) |
                     (static_cast<uint32_t>(data_[position_ + 3]) << 24);
        position_ += 4;
        return v;
    }
    std::string text(std::size_t field)
    {
        const char* start = reinterpret_cast<const char*>(data_ + position_);
        std::size_t length = 0;
        while (length < field && start[length] != '\0') {
            ++length;
        }
        position_ += field;
        return std::string(start, length);
    }

private:
    const uint8_t* data_;
    uint64_t size_;
    uint64_t position_;
};

class Writer {
public:
    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint16_t v)
    {
        bytes.push_back(static_cast<uint8_t>(v));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    }
    void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
    void u32(uint32_t v)
    {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void text(const std::string& s, std::size_t field)
    {
        for (std::size_t i = 0; i < field; ++i) {
            bytes.push_back(i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
        }
    }
    void fill(uint8_t v, std::size_t count) { bytes.insert(bytes.end(), count, v); }
    std::vector<uint8_t> bytes;
};

// Temperatures and scaled values are stored as (v + 0.005) * 100 truncated.
// Checked so that a value the field cannot hold is refused, never wrapped.
bool scaled(double value, double low, double high, long* out)
{
    double v = std::trunc((value + 0.005) * 100.0);
    if (!(v >= low && v <= high)) {
        return false;
    }
    *out = static_cast<long>(v);
    return true;
}

uint16_t temperature_field(float t)
{
    double v = std::trunc((static_cast<double>(t) + 273.15 + 0.005) * 100.0);
    if (!(v >= 0.0)) {
        return 0;
    }
    return v > 65535.0 ? 65535 : static_cast<uint16_t>(v);
}

}  // namespace

bool parse_calibration_header(const uint8_t* data, uint64_t size, CalibrationData* out)
{
    Reader r(data, size);
    if (!r.has(kHeaderSize)) {
        TC_LOG("load_calibrate_data_from_buffer", "calibrate data is too short: %llu bytes",
               static_cast<unsigned long long>(size));
        return false;
    }
    if (std::memcmp(r.here(), kIdentity, sizeof(kIdentity)) != 0) {
        TC_LOG("load_calibrate_data_from_buffer", "file identify is error");
        return false;
    }
    r.skip(16);
    uint16_t version = r.u16();
    if ((version & 0xFF) > 1) {
        TC_LOG("load_calibrate_data_from_buffer", "file version = %d is error", version);
        return false;
    }
    out->version = version;
    out->identity.date_time = r.text(14);
    out->identity.detector_sn = r.text(16);
    out->productor = r.text(16);
    out->identity.mac_type = r.text(16);
    out->identity.mac_sn = r.text(16);
    uint8_t type = r.u8();
    out->detector_type = (type == 1 || type == 3) ? type : 0;
    return true;
}

bool parse_calibration_body(const uint8_t* data, uint64_t size, CalibrationData* out)
{
    static const char* const kFn = "ADTemp::load_calibrate_data_from_buffer";
    Reader r(data, size, 128);
    auto truncated = [&]() {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                      "calibrate data is truncated at byte %llu of %llu",
                      static_cast<unsigned long long>(r.position()),
                      static_cast<unsigned long long>(size));
        return false;
    };
    if (!r.has(1)) {
        return truncated();
    }
    int lens_count = r.u8();
    if (lens_count == 0 || lens_count > kMaxLenses) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                      "len's count = %d is error", lens_count);
        return false;
    }
    for (int l = 0; l < lens_count; ++l) {
        if (!r.has(36)) {
            return truncated();
        }
        int type = r.u8();
        if (type > kMaxLoadedLensType) {
            logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                          "len type = %d is error", type);
            return false;
        }
        LensRecord lens[2];
        lens[0].serial = r.text(16);
        lens[0].description = r.text(16);
        lens[0].drift_coefficient = r.i16() / 100.0f;
        int range_count = r.u8();
        if (range_count == 0 || range_count > kMaxRangeRecords) {
            logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                          "measurement's count = %d is error", range_count);
            return false;
        }
        lens[1].serial = lens[0].serial;
        lens[1].description = lens[0].description;
        lens[1].drift_coefficient = lens[0].drift_coefficient;
        for (int k = 0; k < range_count; ++k) {
            if (!r.has(14)) {
                return truncated();
            }
            int id = r.u8();
            if (id > 2 * (kMaxRange + 1) - 1) {
                logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                              "measurement range = %d is error", id);
                return false;
            }
            RangeRecord range;
            range.detector_temp = r.u16() / 100.0f + kAbsoluteZero;
            range.base_ad_compensation = r.i16();
            int n = r.u8();
            range.min_temp = r.i16();
            range.max_temp = r.i16();
            range.first_temp = r.i16();
            range.last_temp = r.i16();
            if (!r.has(2ull * n)) {
                return truncated();
            }
            range.samples.resize(n);
            for (int i = 0; i < n; ++i) {
                range.samples[i] = r.u16();
            }
            int environment = id > kMaxRange ? 1 : 0;
            // A range id that occurs again keeps the record read first.
            lens[environment].ranges.emplace(id - environment * (kMaxRange + 1), std::move(range));
        }
        out->lenses[0].emplace(type, lens[0]);
        if (!lens[1].ranges.empty()) {
            out->lenses[1].emplace(type, lens[1]);
        }
    }
    if (!r.has(8)) {
        return truncated();
    }
    uint32_t script_size = r.u32();
    uint32_t bits = r.u32();
    uint64_t bytes = (static_cast<uint64_t>(bits) + 7) / 8;
    if (script_size == 0 || bits == 0 || bytes > script_size || script_size > kMaxScriptBytes) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                      "script size is error %u,%llu", script_size,
                      static_cast<unsigned long long>(bytes));
        return false;
    }
    if (!r.has(bytes)) {
        return truncated();
    }
    out->script_size = script_size;
    out->script_bits = bits;
    out->compressed.assign(r.here(), r.here() + bytes);
    return true;
}

bool ADTemp::load_calibrate_data(const uint8_t* data, uint64_t size)
{
    same_machine_.store(false);
    if (data == nullptr) {
        TC_LOG("load_calibrate_data_from_buffer", "addr of calibrate's data buffer is 0");
        return false;
    }
    CalibrationData parsed;
    if (!parse_calibration_header(data, size, &parsed)) {
        return false;
    }

    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    auto commit_header = [&]() {
        set_version_prefix(parsed.version >> 8);
        {
            VyLockGuard version_guard(base_ad_lock_);
            version_ = parsed.version;
        }
        productor_ = parsed.productor;
        detector_type_.store(parsed.detector_type);
    };
    // The file is compared with the identity held now, so that a reload of the
    // same camera after an edit of its identity brings the file's data back.
    // Only after a complete earlier load may the rest be skipped: a fresh
    // object's empty identity would otherwise match a file of empty texts.
    if (identity_loaded_ && parsed.identity == identity_) {
        commit_header();
        same_machine_.store(true);
        return true;
    }
    if (!parse_calibration_body(data, size, &parsed)) {
        return false;
    }

    bool same_script;
    {
        std::lock_guard<std::mutex> script_guard(script_lock_);
        same_script = script_.loaded() && parsed.compressed == compressed_script_ &&
                      parsed.script_bits == script_bits_ &&
                      parsed.script_size == script_text_.size();
    }
    std::string text;
    ScriptRunner runner;
    if (!same_script) {
        std::vector<uint8_t> plain(parsed.script_size);
        uint32_t produced = parsed.script_size;
        if (vy_lz77_uncompress(parsed.compressed.data(), parsed.script_bits, plain.data(),
                               &produced) != VY_OK) {
            TC_LOG("load_calibrate_data_from_buffer", "uncompress data failed");
            return false;
        }
        if (produced != parsed.script_size) {
            TC_LOG("load_calibrate_data_from_buffer",
                   "uncompressed bytes = %u is not equal saved in file = %u", produced,
                   parsed.script_size);
            return false;
        }
        text.assign(plain.begin(), plain.end());
        // A script that does not load or run leaves the calibration loaded
        // without it: the script's functions then answer as when none is held.
        std::string error;
        if (!runner.load(text, &error)) {
            TC_LOG("load_calibrate_data_from_buffer", "calibrate script failed, loaded without it: %s",
                   error.c_str());
        }
    }

    // Everything is valid: commit.
    if (!same_script) {
        std::lock_guard<std::mutex> script_guard(script_lock_);
        script_.swap(runner);
        script_text_ = std::move(text);
        compressed_script_ = std::move(parsed.compressed);
        script_bits_ = parsed.script_bits;
    }
    commit_header();
    identity_ = parsed.identity;
    lenses_[0] = std::move(parsed.lenses[0]);
    lenses_[1] = std::move(parsed.lenses[1]);
    identity_loaded_ = true;
    float switch_temp = read_switch_temp();
    std::lock_guard<std::mutex> readings(readings_lock_);
    switch_temp_ = switch_temp;
    return true;
}

bool ADTemp::save_calibrate_data(uint8_t* buffer, int* length, bool with_script)
{
    static const char* const kFn = "ADTemp::save_calibrate_data_to_buffer";
    if (length == nullptr) {
        TC_LOG("save_calibrate_data_to_buffer", "addr of calibrate's data buffer is 0");
        return false;
    }
    Writer w;
    {
        VyLockGuard guard(lens_lock_);
        if (!guard) {
            return false;
        }
        w.bytes.assign(kIdentity, kIdentity + sizeof(kIdentity));
        w.u16(version());
        w.text(identity_.date_time, 14);
        w.text(identity_.detector_sn, 16);
        w.text(productor_, 16);
        w.text(identity_.mac_type, 16);
        w.text(identity_.mac_sn, 16);
        w.u8(static_cast<uint8_t>(detector_type_.load()));
        w.fill(0xFF, 31);

        // Lenses of either environment are written; a lens of environment 1
        // alone would otherwise be lost.
        std::set<int> types;
        for (const LensMap& map : lenses_) {
            for (const auto& entry : map) {
                types.insert(entry.first);
            }
        }
        if (types.empty()) {
            logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn, "nothing len's data");
            return false;
        }
        if (types.size() > static_cast<std::size_t>(kMaxLenses)) {
            logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                          "len's count = %zu is error", types.size());
            return false;
        }
        w.u8(static_cast<uint8_t>(types.size()));
        for (int type : types) {
            auto in0 = lenses_[0].find(type);
            auto in1 = lenses_[1].find(type);
            const LensRecord& head = in0 != lenses_[0].end() ? in0->second : in1->second;
            std::size_t count = (in0 != lenses_[0].end() ? in0->second.ranges.size() : 0) +
                                (in1 != lenses_[1].end() ? in1->second.ranges.size() : 0);
            // Rounded to nearest rather than truncated after + 0.005, so that
            // a negative coefficient survives a load and a save unchanged.
            double coefficient = std::round(static_cast<double>(head.drift_coefficient) * 100.0);
            if (type > kMaxLensType || count == 0 || count > kMaxRangeRecords ||
                !(coefficient >= -32768.0 && coefficient <= 32767.0)) {
                logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                              "len = %d is error (%zu ranges, coefficient %.02f)", type, count,
                              head.drift_coefficient);
                return false;
            }
            w.u8(static_cast<uint8_t>(type));
            w.text(head.serial, 16);
            w.text(head.description, 16);
            w.i16(static_cast<int16_t>(coefficient));
            w.u8(static_cast<uint8_t>(count));
            for (int environment = 0; environment < 2; ++environment) {
                auto it = environment == 0 ? in0 : in1;
                if (it == lenses_[environment].end()) {
                    continue;
                }
                for (const auto& entry : it->second.ranges) {
                    const RangeRecord& range = entry.second;
                    long detector;
                    if (entry.first > kMaxRange || range.samples.size() > 255 ||
                        !scaled(static_cast<double>(range.detector_temp) + 273.15, 0, 65535,
                                &detector)) {
                        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                                      "measure range = %d is error", entry.first);
                        return false;
                    }
                    w.u8(static_cast<uint8_t>(entry.first + environment * (kMaxRange + 1)));
                    w.u16(static_cast<uint16_t>(detector));
                    w.i16(range.base_ad_compensation);
                    w.u8(static_cast<uint8_t>(range.samples.size()));
                    w.i16(range.min_temp);
                    w.i16(range.max_temp);
                    w.i16(range.first_temp);
                    w.i16(range.last_temp);
                    for (uint16_t ad : range.samples) {
                        w.u16(ad);
                    }
                }
            }
        }
    }
    bool script_missing = false;
    {
        std::lock_guard<std::mutex> script_guard(script_lock_);
        if (with_script && !compressed_script_.empty()) {
            w.u32(static_cast<uint32_t>(script_text_.size()));
            w.u32(script_bits_);
            w.bytes.insert(w.bytes.end(), compressed_script_.begin(), compressed_script_.end());
        } else {
            script_missing = with_script;
            w.fill(0, 8);
        }
    }
    int capacity = *length;
    *length = static_cast<int>(w.bytes.size());
    if (buffer == nullptr) {
        return true;
    }
    if (capacity < *length) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                      "buffer of %d bytes is too small for %d", capacity, *length);
        return false;
    }
    std::memcpy(buffer, w.bytes.data(), w.bytes.size());
    if (script_missing) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn, "script data is empty");
        return false;
    }
    return true;
}

bool ADTemp::save_temperature_para(uint8_t* buffer, int* length)
{
    if (buffer == nullptr || length == nullptr) {
        TC_LOG("save_temperature_para_to_buffer", "addr of buffer is 0");
        return false;
    }
    int capacity = *length;
    if (capacity < kParaRecordSize) {
        TC_LOG("save_temperature_para_to_buffer", "buffer of %d bytes is too small for %d",
               capacity, kParaRecordSize);
        return false;
    }
    Writer w;
    {
        VyLockGuard guard(env_lock_);
        if (!guard) {
            return false;
        }
        int lens = current_lens_.load();
        int range = current_range_.load();
        ModelSnapshot model = model_.snapshot();
        long emissivity;
        long humidity;
        long distance;
        if (lens > kMaxLensType || range > kMaxRange || model.unit < 0 || model.unit > 1 ||
            !scaled(model.emissivity, 0, 100, &emissivity) ||
            !scaled(model.humidity, 0, 100, &humidity) ||
            !scaled(model.distance, 0, 4294967295.0, &distance)) {
            return false;
        }
        w.u8(lens < 0 ? 0xFF : static_cast<uint8_t>(lens));
        w.u8(range < 0 ? 0xFF : static_cast<uint8_t>(range));
        w.u8(static_cast<uint8_t>(model.unit));
        w.u8(static_cast<uint8_t>(emissivity));
        w.u32(static_cast<uint32_t>(distance));
        w.u8(static_cast<uint8_t>(humidity));
        w.u16(temperature_field(model.ambient));
        std::lock_guard<std::mutex> readings(readings_lock_);
        w.u16(temperature_field(reference_temp_));
        w.u16(temperature_field(modify_temp_));
        for (float s : sensors_) {
            w.u16(temperature_field(s));
        }
    }
    {
        VyLockGuard guard(calib_base_lock_);
        if (!guard) {
            return false;
        }
        std::lock_guard<std::mutex> readings(readings_lock_);
        w.u16(temperature_field(base_temp_));
        w.u16(temperature_field(detector_at_base_));
    }
    w.u8(static_cast<uint8_t>(environment_.load()));
    w.fill(0xFF, 18);
    std::memcpy(buffer, w.bytes.data(), w.bytes.size());
    *length = kParaRecordSize;
    return true;
}

}  // namespace detail
}  // namespace tempcore
