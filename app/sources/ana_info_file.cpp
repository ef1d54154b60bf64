#include "sources/ana_info_file.h"

#include "shell/input_file.h"
#include "save_file.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

namespace ana_info_file {

namespace {

const unsigned char kIdentity[16] = {0x1a, 0x0a, 0x41, 0xc0, 0x35, 0xcc, 0x8e, 0xd6,
                                     0x7e, 0x40, 0x5f, 0x7b, 0x01, 0x0a, 0xfb, 0xcd};
constexpr uint32_t kVersion = 1;

template <class T>
void put(unsigned char* at, T value)
{
    // Little-endian host (x86-64, the only target); memcpy keeps unaligned
    // fields well defined.
    std::memcpy(at, &value, sizeof(T));
}

template <class T>
T get(const unsigned char* at)
{
    T value;
    std::memcpy(&value, at, sizeof(T));
    return value;
}

void put_text(unsigned char* at, std::size_t field, const std::string& text)
{
    std::memset(at, 0, field);
    std::memcpy(at, text.data(), std::min(text.size(), field - 1));
}

std::string get_text(const unsigned char* at, std::size_t field)
{
    const void* nul = std::memchr(at, 0, field);
    const std::size_t length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - at) : field;
    return std::string(reinterpret_cast<const char*>(at), length);
}

}  // namespace

bool write(const QString& path, const AnaInfoFile& file)
{
    if (file.records.size() > kMaxRecords) {
        return false;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    unsigned char header[kHeaderSize];
    std::memcpy(header, kIdentity, sizeof(kIdentity));
    put<uint32_t>(header + 16, kVersion);
    put<uint16_t>(header + 20, file.width);
    put<uint16_t>(header + 22, file.height);
    put<uint32_t>(header + 24, static_cast<uint32_t>(file.records.size()));
    out.write(reinterpret_cast<const char*>(header), kHeaderSize);
    unsigned char record[kRecordSize];
    std::memset(record, 0, sizeof(record));
    for (const AnaInfoRecord& r : file.records) {
        put_text(record, 1024, r.str);
        put_text(record + 1024, 100, r.alias);
        put<uint32_t>(record + 1124, r.line_clr);
        record[1128] = r.text_type;
        record[1129] = r.show_max ? 1 : 0;
        record[1130] = r.show_min ? 1 : 0;
        record[1131] = r.self_palette ? 1 : 0;
        record[1132] = r.palette_auto ? 1 : 0;
        record[1133] = r.show_cursor ? 1 : 0;
        record[1134] = r.self_para ? 1 : 0;
        put<float>(record + 1135, r.emissivity);
        put<float>(record + 1139, r.distance);
        record[1143] = r.palette;
        put<uint16_t>(record + 1144, r.palette_low);
        put<uint16_t>(record + 1146, r.palette_high);
        std::memset(record + 1148, 0, 1024);
        if (out.write(reinterpret_cast<const char*>(record), kRecordSize) != kRecordSize) {
            break;
        }
    }
    return vy::commit_save_file(out);
}

bool read(const QString& path, AnaInfoFile& file)
{
    QFile in;
    if (!open_input_file(in, path)) {
        return false;
    }
    unsigned char header[kHeaderSize];
    if (in.read(reinterpret_cast<char*>(header), kHeaderSize) != kHeaderSize ||
        std::memcmp(header, kIdentity, sizeof(kIdentity)) != 0 ||
        get<uint32_t>(header + 16) != kVersion) {
        return false;
    }
    AnaInfoFile result;
    result.width = get<uint16_t>(header + 20);
    result.height = get<uint16_t>(header + 22);
    if (result.width == 0 || result.height == 0) {
        return false;
    }
    const uint32_t count = std::min(get<uint32_t>(header + 24), kMaxRecords);
    unsigned char record[kRecordSize];
    for (uint32_t i = 0; i < count; ++i) {
        if (in.read(reinterpret_cast<char*>(record), kRecordSize) != kRecordSize) {
            break;
        }
        AnaInfoRecord r;
        r.str = get_text(record, 1024);
        r.alias = get_text(record + 1024, 100);
        r.line_clr = get<uint32_t>(record + 1124);
        r.text_type = record[1128];
        r.show_max = record[1129] != 0;
        r.show_min = record[1130] != 0;
        r.self_palette = record[1131] != 0;
        r.palette_auto = record[1132] != 0;
        r.show_cursor = record[1133] != 0;
        r.self_para = record[1134] != 0;
        r.emissivity = get<float>(record + 1135);
        r.distance = get<float>(record + 1139);
        r.palette = record[1143];
        r.palette_low = get<uint16_t>(record + 1144);
        r.palette_high = get<uint16_t>(record + 1146);
        result.records.push_back(std::move(r));
    }
    file = std::move(result);
    return true;
}

}  // namespace ana_info_file
