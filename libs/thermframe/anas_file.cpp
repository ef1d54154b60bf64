#include "anas_file.h"

#include "basekit.h"

#include <cmath>
#include <cstring>

namespace thermframe {
namespace detail {
namespace {

const uint8_t kMagic[8] = {0xac, 0xae, 0x89, 0x17, 0xad, 0xdf, 0xb4, 0x5b};

constexpr size_t kTextField = 1024;
constexpr size_t kAliasOffset = 0x400;
constexpr size_t kAliasField = 100;

void put16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

uint16_t get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t get32(const uint8_t* p)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | p[i];
    }
    return v;
}

void putf(uint8_t* p, float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof(bits));
    put32(p, bits);
}

float getf(const uint8_t* p)
{
    uint32_t bits = get32(p);
    float f;
    std::memcpy(&f, &bits, sizeof(f));
    return f;
}

std::string field_text(const uint8_t* p, size_t size)
{
    const void* nul = std::memchr(p, 0, size);
    size_t length = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - p) : size;
    return std::string(reinterpret_cast<const char*>(p), length);
}

}  // namespace

void encode_header(const AnasFileHeader& header, uint8_t out[kAnasHeaderSize])
{
    std::memcpy(out, kMagic, sizeof(kMagic));
    put16(out + 8, kAnasTag);
    put16(out + 10, kAnasVersion);
    put16(out + 12, header.width);
    put16(out + 14, header.height);
    put32(out + 16, header.count);
}

HeaderCheck decode_header(const uint8_t in[kAnasHeaderSize], AnasFileHeader& header)
{
    if (std::memcmp(in, kMagic, sizeof(kMagic)) != 0 || get16(in + 8) != kAnasTag) {
        return HeaderCheck::bad_magic;
    }
    if (get16(in + 10) != kAnasVersion) {
        return HeaderCheck::bad_version;
    }
    AnasFileHeader read;
    read.width = get16(in + 12);
    read.height = get16(in + 14);
    read.count = get32(in + 16);
    // A zero side would make the rescaling factors infinite.
    if (read.width == 0 || read.height == 0) {
        return HeaderCheck::bad_size;
    }
    header = read;
    return HeaderCheck::ok;
}

bool encode_record(const AnasRecord& r, uint8_t out[kAnasRecordSize])
{
    if (r.text.size() >= kTextField || r.alias.size() >= kAliasField) {
        return false;
    }
    std::memset(out, 0, kAnasRecordSize);
    std::memcpy(out, r.text.data(), r.text.size());
    std::memcpy(out + kAliasOffset, r.alias.data(), r.alias.size());
    put32(out + 0x464, r.line_color);
    out[0x468] = r.show_text_type;
    out[0x469] = r.show_max ? 1 : 0;
    out[0x46a] = r.show_min ? 1 : 0;
    out[0x46b] = r.self_palette ? 1 : 0;
    if (r.self_palette) {
        out[0x46c] = r.auto_imaging ? 1 : 0;
        out[0x46d] = r.palette;
        put16(out + 0x46e, r.range_low);
        put16(out + 0x470, r.range_high);
    }
    out[0x472] = r.show_cursor ? 1 : 0;
    out[0x473] = r.self_para ? 1 : 0;
    putf(out + 0x474, r.emissivity);
    putf(out + 0x478, r.distance);
    return true;
}

void decode_record(const uint8_t in[kAnasRecordSize], AnasRecord& r)
{
    r = AnasRecord();
    r.text = field_text(in, kTextField);
    r.alias = field_text(in + kAliasOffset, kAliasField);
    r.line_color = get32(in + 0x464);
    r.show_text_type = in[0x468];
    r.show_max = in[0x469] == 1;
    r.show_min = in[0x46a] == 1;
    r.self_palette = in[0x46b] == 1;
    if (r.self_palette) {
        r.auto_imaging = in[0x46c] == 1;
        r.palette = in[0x46d];
        r.range_low = get16(in + 0x46e);
        r.range_high = get16(in + 0x470);
    }
    r.show_cursor = in[0x472] == 1;
    r.self_para = in[0x473] == 1;
    r.emissivity = getf(in + 0x474);
    r.distance = getf(in + 0x478);
}

bool record_enums_valid(const AnasRecord& r)
{
    return r.show_text_type <= (SHOW_TEXT_MAX | SHOW_TEXT_MIN | SHOW_TEXT_AVG) &&
           (!r.self_palette || r.palette < PAL_COUNT);
}

bool rescale_ana_text(const std::string& text, double sx, double sy, std::string& out)
{
    if (!(sx > 0.0001) || !(sy > 0.0001) || text.empty()) {
        return false;
    }
    AnaType type;
    if (vy_parse_ana_type_of_char(text[0], &type) != VY_OK) {
        return false;
    }
    tagVYPoint nodes[VY_ANA_MAX_POLY_NODES];
    int count = VY_ANA_MAX_POLY_NODES;
    if (vy_parse_pts_from_ana_str(text.c_str(), nodes, &count) != VY_OK || count < 1) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const double x = std::trunc(nodes[i].x * sx);
        const double y = std::trunc(nodes[i].y * sy);
        if (x > 65535.0 || y > 65535.0) {
            return false;
        }
        nodes[i].x = static_cast<uint16_t>(x);
        nodes[i].y = static_cast<uint16_t>(y);
    }
    char buffer[VY_ANA_STR_CAPACITY];
    int length = sizeof(buffer);
    if (vy_format_ana_str(type, nodes, count, buffer, &length) != VY_OK) {
        return false;
    }
    out.assign(buffer, static_cast<size_t>(length));
    return true;
}

}  // namespace detail
}  // namespace thermframe
