#include "views/isotherm_file.h"

#include "shell/input_file.h"
#include "save_file.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

#include <cmath>
#include <cstring>

namespace {

void put_u32(QByteArray& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

void put_f32(QByteArray& out, float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    put_u32(out, bits);
}

uint32_t get_u32(const char* p)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    }
    return value;
}

float get_f32(const char* p)
{
    const uint32_t bits = get_u32(p);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool fail(QString* error, const QString& text)
{
    if (error != nullptr) *error = text;
    return false;
}

}  // namespace

QByteArray IsothermFile::serialise(const std::vector<IsothermFileBand>& bands)
{
    QByteArray out;
    out.reserve(kHeaderBytes + kBandBytes * static_cast<int>(bands.size()));
    put_u32(out, kMagic1);
    put_u32(out, kMagic2);
    put_u32(out, kVersion);
    put_u32(out, static_cast<uint32_t>(bands.size()));
    for (const IsothermFileBand& band : bands) {
        put_f32(out, band.low);
        put_f32(out, band.span);
        out.append(static_cast<char>(band.transparent ? 1 : 0));
        put_u32(out, band.colour);
    }
    return out;
}

bool IsothermFile::write(const QString& path, const std::vector<IsothermFileBand>& bands)
{
    if (bands.size() > kMaxBands) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = serialise(bands);
    file.write(bytes);
    return vy::commit_save_file(file);
}

bool IsothermFile::parse(const QByteArray& bytes, std::vector<IsothermFileBand>& bands, QString* error)
{
    const qint64 size = bytes.size();
    if (size < kHeaderBytes) return fail(error, QStringLiteral("shorter than its header"));
    const char* p = bytes.constData();
    if (get_u32(p) != kMagic1 || get_u32(p + 4) != kMagic2) return fail(error, QStringLiteral("not an isotherm file"));
    if (get_u32(p + 8) != kVersion) return fail(error, QStringLiteral("version %1 unknown").arg(get_u32(p + 8)));
    const uint32_t count = get_u32(p + 12);
    if (count > kMaxBands) return fail(error, QStringLiteral("band count %1 too large").arg(count));
    if (static_cast<qint64>(kHeaderBytes) + static_cast<qint64>(kBandBytes) * count != size) {
        return fail(error, QStringLiteral("%1 bands do not fill %2 bytes").arg(count).arg(size));
    }
    std::vector<IsothermFileBand> read;
    read.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const char* b = p + kHeaderBytes + static_cast<qint64>(kBandBytes) * i;
        IsothermFileBand band;
        band.low = get_f32(b);
        band.span = get_f32(b + 4);
        const auto flag = static_cast<unsigned char>(b[8]);
        band.colour = get_u32(b + 9) & 0x00FFFFFFu;
        if (!std::isfinite(band.low) || !std::isfinite(band.span) || !std::isfinite(band.low + band.span)) {
            return fail(error, QStringLiteral("band %1 has no valid range").arg(i));
        }
        if (flag > 1) return fail(error, QStringLiteral("band %1 has flag %2").arg(i).arg(flag));
        band.transparent = flag == 1;
        read.push_back(band);
    }
    bands.swap(read);
    return true;
}

bool IsothermFile::read(const QString& path, std::vector<IsothermFileBand>& bands, QString* error)
{
    QFile file;
    QString why;
    if (!open_input_file(file, path, &why)) return fail(error, why);
    // The largest valid file is small: anything longer is refused unread.
    const qint64 limit = kHeaderBytes + static_cast<qint64>(kBandBytes) * kMaxBands;
    if (file.size() > limit) return fail(error, QStringLiteral("file too large"));
    const QByteArray bytes = file.read(limit + 1);
    return parse(bytes, bands, error);
}
