// Radiometric block appended to JPEG and PNG pictures (docs/formats.md).
#include "picture_block.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace sensekern {
namespace detail {
namespace {

constexpr char kBlockMagic[4] = {'P', 'V', 'R', 'B'};
constexpr char kRadioEnd[8] = {'P', 'V', 'R', 'A', 'D', 'E', 'N', 'D'};
constexpr char kGridEnd[8] = {'P', 'V', 'S', 'G', 'E', 'N', 'D', '1'};
constexpr uint16_t kVersion = 1;
// Version 2 of the block adds the calibration model and the view; version
// 1 blocks load as before (the stored table only).
constexpr uint16_t kBlockVersion = 2;

enum Section : uint16_t {
    kFrame = 1,
    kParams = 2,
    kTable = 3,
    kParaRecord = 4,
    kLens = 5,
    kIdentity = 6,
    kTime = 7,
    kAnas = 8,
    kThird = 9,
    kSound = 10,
    kUser = 11,
    kModel = 12,
    kView = 13,
    kSectionLimit = 14,
};

constexpr uint32_t kMaxLenses = 16;

// Section id, u32 length patched once the payload is written.
class SectionWriter {
public:
    SectionWriter(ByteWriter& w, uint16_t id) : w_(w)
    {
        w_.u16(id);
        at_ = w_.size();
        w_.u32(0);
    }
    ~SectionWriter() { w_.put_u32_at(at_, static_cast<uint32_t>(w_.size() - at_ - 4)); }

private:
    ByteWriter& w_;
    std::size_t at_;
};

}  // namespace

bool is_picture(const uint8_t* data, uint64_t size)
{
    static const uint8_t jpeg[3] = {0xFF, 0xD8, 0xFF};
    static const uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return (size >= 3 && std::memcmp(data, jpeg, 3) == 0) || (size >= 8 && std::memcmp(data, png, 8) == 0);
}

void append_footer(std::vector<uint8_t>* block, BlockKind kind)
{
    uint64_t length = block->size();
    uint32_t crc = crc32_of(block->data(), block->size());
    ByteWriter w(block);
    w.u64(length);
    w.u32(crc);
    w.u16(kVersion);
    w.u16(0);
    w.raw(kind == BlockKind::radiometric ? kRadioEnd : kGridEnd, 8);
}

Footer parse_footer(const uint8_t* footer_bytes, uint64_t size)
{
    Footer footer;
    if (footer_bytes == nullptr || size < kFooterSize) {
        return footer;
    }
    ByteReader in(footer_bytes, kFooterSize);
    uint64_t length = in.u64();
    uint32_t crc = in.u32();
    uint16_t version = in.u16();
    in.u16();
    const uint8_t* magic = in.span(8);
    BlockKind kind = BlockKind::none;
    if (std::memcmp(magic, kRadioEnd, 8) == 0) {
        kind = BlockKind::radiometric;
    } else if (std::memcmp(magic, kGridEnd, 8) == 0) {
        kind = BlockKind::national_grid;
    }
    if (kind == BlockKind::none || version != kVersion || length > size - kFooterSize || length < 8) {
        return footer;
    }
    footer.kind = kind;
    footer.block_offset = size - kFooterSize - length;
    footer.block_length = length;
    footer.crc = crc;
    return footer;
}

FoundBlock find_block(const uint8_t* data, uint64_t size)
{
    FoundBlock found;
    if (data == nullptr || size < kFooterSize) {
        return found;
    }
    Footer footer = parse_footer(data + size - kFooterSize, size);
    const uint8_t* block = data + footer.block_offset;
    if (footer.kind == BlockKind::none ||
        crc32_of(block, static_cast<std::size_t>(footer.block_length)) != footer.crc) {
        return found;
    }
    found.kind = footer.kind;
    found.picture_length = footer.block_offset;
    found.block = block;
    found.block_length = footer.block_length;
    return found;
}

// --- shared records ---------------------------------------------------------------------

void write_lens(ByteWriter& w, const tagLenInfo& lens)
{
    w.u32(static_cast<uint32_t>(lens.len_type));
    w.raw(lens.serial, 16);
    w.raw(lens.description, 16);
    w.u8(lens.range_count);
    w.u8(0);
    w.u8(0);
    w.u8(0);
    for (const tagMeasRangeInfo& r : lens.ranges) {
        w.u32(static_cast<uint32_t>(r.meas_range));
        w.u16(static_cast<uint16_t>(r.min_temp));
        w.u16(static_cast<uint16_t>(r.max_temp));
    }
}

bool read_lens(ByteReader& in, tagLenInfo* lens)
{
    tagLenInfo l{};
    l.len_type = static_cast<int32_t>(in.u32());
    in.take(l.serial, 16);
    in.take(l.description, 16);
    l.range_count = in.u8();
    in.span(3);
    for (tagMeasRangeInfo& r : l.ranges) {
        r.meas_range = static_cast<int32_t>(in.u32());
        r.min_temp = static_cast<int16_t>(in.u16());
        r.max_temp = static_cast<int16_t>(in.u16());
    }
    if (!in.ok() || l.range_count > 4) {
        return false;
    }
    *lens = l;
    return true;
}

void write_mac(ByteWriter& w, const MacTexts& mac)
{
    for (const std::string& text : mac) {
        std::size_t n = std::min<std::size_t>(text.size(), SENSEKERN_MAC_TEXT_CAPACITY - 1);
        w.u8(static_cast<uint8_t>(n));
        w.raw(text.data(), n);
    }
}

bool read_mac(ByteReader& in, MacTexts* mac)
{
    MacTexts texts;
    for (std::string& text : texts) {
        uint8_t n = in.u8();
        const uint8_t* p = n < SENSEKERN_MAC_TEXT_CAPACITY ? in.span(n) : nullptr;
        if (p == nullptr) {
            return false;
        }
        text.assign(reinterpret_cast<const char*>(p), n);
    }
    *mac = texts;
    return true;
}

void write_table(ByteWriter& w, const Table& t)
{
    w.u8(static_cast<uint8_t>(t.unit));
    w.u16(t.first);
    w.u32(static_cast<uint32_t>(t.values.size()));
    w.raw(t.values.data(), t.values.size() * 4);
}

bool read_table(ByteReader& in, Table* t)
{
    Table r;
    r.unit = in.u8();
    r.first = in.u16();
    uint32_t count = in.u32();
    if (!in.ok() || r.unit > 1 || count == 0 || static_cast<uint64_t>(r.first) + count > 65536) {
        return false;
    }
    const uint8_t* p = in.span(static_cast<uint64_t>(count) * 4);
    if (p == nullptr) {
        return false;
    }
    r.values.resize(count);
    std::memcpy(r.values.data(), p, static_cast<std::size_t>(count) * 4);
    for (float v : r.values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    *t = std::move(r);
    return true;
}

std::vector<std::string> ana_keys(Frame& f)
{
    std::string all;
    for (int type : {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE}) {
        std::string of_type;
        if (vy_ad_get_str_of_anas(f.ad(), type, &of_type)) {
            all += of_type;
        }
    }
    std::vector<std::string> keys;
    for (std::size_t start = 0; start < all.size();) {
        std::size_t end = all.find('-', start);
        if (end == std::string::npos) {
            break;
        }
        // Keys carry no alias part: each ends at its minus sign.
        keys.push_back(all.substr(start, end - start + 1));
        start = end + 1;
    }
    return keys;
}

void write_anas(Frame& f, ByteWriter& w)
{
    const std::vector<std::string> keys = ana_keys(f);
    std::size_t count_at = w.size();
    w.u32(0);
    uint32_t count = 0;
    for (const std::string& key : keys) {
        tagVYAnaInfo info{};
        if (count == kMaxAnaRecords || !vy_ana_get_info(f.ad(), key.c_str(), &info)) {
            continue;
        }
        std::string text = f.text_of_key(key);
        std::string alias = info.alias != nullptr ? info.alias : "";
        std::string des = info.des != nullptr ? info.des : "";
        w.text16(text);
        w.text16(alias.substr(0, kMaxAnaNote));
        w.text16(des.substr(0, kMaxAnaNote));
        w.u32(swap_red_blue(info.line_color));
        w.u32(info.display_value1);
        w.u32(info.display_value2);
        w.u8(info.visible);
        w.u8(info.show_max_point);
        w.u8(info.show_min_point);
        w.u8(info.can_move);
        w.u8(info.use_self_palette);
        w.u8(info.show_alias);
        w.u8(info.show_des);
        w.u8(info.self_para_flag);
        w.f32(info.self_para1);
        w.f32(info.self_para2);
        w.u32(info.palette);
        w.u16(info.range_low);
        w.u16(info.range_high);
        w.u32(info.show_text_type);
        w.u32(info.text_location);
        w.u8(info.cursor != nullptr ? 1 : 0);
        if (info.cursor != nullptr) {
            w.u8(info.cursor->show_cursor);
            w.u8(info.cursor->show_cursor_temp);
            w.f32(info.cursor->scale);
        }
        std::free(info.alias);
        std::free(info.des);
        std::free(info.cursor);
        ++count;
    }
    w.put_u32_at(count_at, count);
}

bool read_anas(ByteReader& in, std::vector<AnaRecord>* out)
{
    uint32_t count = in.u32();
    if (!in.ok() || count > kMaxAnaRecords) {
        return false;
    }
    std::vector<AnaRecord> records;
    for (uint32_t i = 0; i < count; ++i) {
        AnaRecord r;
        std::string key;
        if (!in.text16(&r.text, kMaxAnaText) || !in.text16(&r.alias, kMaxAnaNote) ||
            !in.text16(&r.des, kMaxAnaNote) || !canonical_key(r.text.c_str(), &key) ||
            r.alias.find('\0') != std::string::npos || r.des.find('\0') != std::string::npos) {
            return false;
        }
        tagVYAnaInfo& info = r.info;
        info.line_color = swap_red_blue(in.u32());
        info.display_value1 = in.u32();
        info.display_value2 = in.u32();
        info.visible = in.u8();
        info.show_max_point = in.u8();
        info.show_min_point = in.u8();
        info.can_move = in.u8();
        info.use_self_palette = in.u8();
        info.show_alias = in.u8();
        info.show_des = in.u8();
        info.self_para_flag = in.u8();
        info.self_para1 = in.f32();
        info.self_para2 = in.f32();
        info.palette = in.u32();
        info.range_low = in.u16();
        info.range_high = in.u16();
        info.show_text_type = in.u32();
        info.text_location = in.u32();
        r.has_cursor = in.u8() != 0;
        if (r.has_cursor) {
            r.cursor.show_cursor = in.u8();
            r.cursor.show_cursor_temp = in.u8();
            r.cursor.scale = in.f32();
        }
        if (!in.ok() || !std::isfinite(info.self_para1) || !std::isfinite(info.self_para2) ||
            (r.has_cursor && !std::isfinite(r.cursor.scale)) || info.show_text_type > 7 ||
            info.palette >= PAL_COUNT) {
            return false;
        }
        records.push_back(std::move(r));
    }
    out->swap(records);
    return true;
}

// --- radiometric block ---------------------------------------------------------------------

bool build_radiometric_block(Frame& f, const uint8_t* third, uint32_t third_length, const uint8_t* sound,
                             uint32_t sound_length, const uint8_t* user, uint32_t user_length,
                             std::vector<uint8_t>* out)
{
    const char* function = "sensekern_append_temperature_to_file";
    if (!f.has_plane()) {
        SK_LOG(function, "the frame holds no picture");
        return false;
    }
    for (uint32_t n : {third_length, sound_length, user_length}) {
        if (n > SENSEKERN_MAX_ATTACHED_BYTES) {
            SK_LOG(function, "attached data of %u bytes is refused", n);
            return false;
        }
    }
    if ((third == nullptr && third_length != 0) || (sound == nullptr && sound_length != 0) ||
        (user == nullptr && user_length != 0)) {
        return false;
    }
    Params params;
    Table table;
    auto range = std::minmax_element(f.plane().begin(), f.plane().end());
    if (!f.get_params(&params) || !f.make_table(*range.first, *range.second, &table)) {
        SK_LOG(function, "the frame's temperatures can not be computed");
        return false;
    }
    std::vector<uint8_t> record;
    f.para_record(&record);
    tagLenInfo lens{};
    bool has_lens = f.lens_info(&lens);
    unsigned char lens_count = 0;
    std::vector<tagLenInfo> lenses;
    if (f.supported_lens_info(nullptr, &lens_count) && lens_count > 0 && lens_count <= kMaxLenses) {
        lenses.resize(lens_count);
        if (!f.supported_lens_info(lenses.data(), &lens_count)) {
            lenses.clear();
        }
    }
    MacTexts mac;
    f.mac_texts(&mac);
    Model model;
    const bool has_model = f.model(&model);
    View view;
    const bool has_view = f.view(&view);

    std::vector<uint8_t> block;
    ByteWriter w(&block);
    w.raw(kBlockMagic, 4);
    w.u16(kBlockVersion);
    std::size_t count_at = w.size();
    w.u16(0);
    uint16_t sections = 0;
    {
        SectionWriter s(w, kFrame);
        w.u16(f.width());
        w.u16(f.height());
        write_plane(&block, f.plane());
    }
    {
        SectionWriter s(w, kParams);
        write_params(w, params);
    }
    {
        SectionWriter s(w, kTable);
        write_table(w, table);
    }
    sections = 3;
    if (record.size() == 48) {
        SectionWriter s(w, kParaRecord);
        w.raw(record.data(), 48);
        ++sections;
    }
    {
        SectionWriter s(w, kLens);
        w.u8(has_lens ? 1 : 0);
        if (has_lens) {
            write_lens(w, lens);
        }
        w.u8(static_cast<uint8_t>(lenses.size()));
        for (const tagLenInfo& l : lenses) {
            write_lens(w, l);
        }
    }
    {
        SectionWriter s(w, kIdentity);
        write_mac(w, mac);
    }
    {
        SectionWriter s(w, kTime);
        w.u32(f.time().sec);
        w.u32(f.time().usec);
    }
    {
        SectionWriter s(w, kAnas);
        write_anas(f, w);
    }
    sections += 4;
    if (has_model) {
        SectionWriter s(w, kModel);
        write_model(w, model);
        ++sections;
    }
    if (has_view) {
        SectionWriter s(w, kView);
        write_view(w, view);
        ++sections;
    }
    const struct {
        uint16_t id;
        const uint8_t* data;
        uint32_t length;
    } attached[] = {{kThird, third, third_length}, {kSound, sound, sound_length}, {kUser, user, user_length}};
    for (const auto& a : attached) {
        if (a.length != 0) {
            SectionWriter s(w, a.id);
            w.raw(a.data, a.length);
            ++sections;
        }
    }
    std::memcpy(block.data() + count_at, &sections, 2);
    append_footer(&block, BlockKind::radiometric);
    out->swap(block);
    return true;
}

bool parse_radiometric_block(const uint8_t* data, uint64_t length, LoadedFrame* out)
{
    ByteReader in(data, length);
    const uint8_t* magic = in.span(4);
    uint16_t version = in.u16();
    uint16_t sections = in.u16();
    if (magic == nullptr || std::memcmp(magic, kBlockMagic, 4) != 0 || version < 1 || version > kBlockVersion ||
        sections > kSectionLimit) {
        return false;
    }
    // Sections a block of this version can hold; later ones are skipped.
    const uint16_t known = version == 1 ? kModel : kSectionLimit;
    LoadedFrame r;
    bool seen[kSectionLimit] = {};
    for (uint16_t i = 0; i < sections; ++i) {
        uint16_t id = in.u16();
        uint32_t size = in.u32();
        const uint8_t* payload = in.span(size);
        if (payload == nullptr) {
            return false;
        }
        if (id >= known || id == 0) {
            continue;  // a section of a later writer
        }
        if (seen[id]) {
            return false;
        }
        seen[id] = true;
        ByteReader s(payload, size);
        bool ok = true;
        switch (id) {
        case kFrame: {
            r.width = s.u16();
            r.height = s.u16();
            ok = s.ok() && valid_size(r.width, r.height) &&
                 read_plane(s, static_cast<uint32_t>(r.width) * r.height, &r.plane);
            break;
        }
        case kParams: ok = read_params(s, &r.params); break;
        case kTable: ok = read_table(s, &r.table); break;
        case kParaRecord: {
            const uint8_t* p = s.span(48);
            ok = p != nullptr;
            if (ok) {
                r.para_record.assign(p, p + 48);
            }
            break;
        }
        case kLens: {
            r.has_lens = s.u8() != 0;
            ok = s.ok() && (!r.has_lens || read_lens(s, &r.lens));
            uint8_t n = s.u8();
            ok = ok && s.ok() && n <= kMaxLenses;
            for (uint8_t k = 0; ok && k < n; ++k) {
                tagLenInfo l{};
                ok = read_lens(s, &l);
                r.lenses.push_back(l);
            }
            break;
        }
        case kIdentity: ok = read_mac(s, &r.mac); break;
        case kTime: {
            r.time.sec = s.u32();
            r.time.usec = s.u32();
            ok = s.ok() && r.time.usec < 1000000;
            break;
        }
        case kAnas: ok = read_anas(s, &r.anas); break;
        case kModel: ok = read_model(s, &r.model); break;
        case kView: ok = read_view(s, &r.view); break;
        case kThird:
        case kSound:
        case kUser: {
            ok = size <= SENSEKERN_MAX_ATTACHED_BYTES && s.span(size) != nullptr;
            if (ok) {
                r.attached[id - kThird].assign(payload, payload + size);
            }
            break;
        }
        default: break;
        }
        // A section's payload must be read exactly.
        if (!ok || !s.ok() || s.remaining() != 0) {
            return false;
        }
    }
    if (!in.ok() || in.remaining() != 0 || !seen[kFrame] || !seen[kParams] || !seen[kTable] ||
        r.params.unit != r.table.unit) {
        return false;
    }
    *out = std::move(r);
    return true;
}

}  // namespace detail
}  // namespace sensekern
