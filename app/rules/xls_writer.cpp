#include "rules/xls_writer.h"

#include "rules/rules_log.h"
#include "save_file.h"

#include <QHash>
#include <QSaveFile>
#include <QtEndian>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <vector>

namespace {

// Record types of the subset written here.
enum : quint16 {
    kBof = 0x0809,
    kEof = 0x000A,
    kCodepage = 0x0042,
    kWindow1 = 0x003D,
    kFont = 0x0031,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kContinue = 0x003C,
    kDimensions = 0x0200,
    kWindow2 = 0x023E,
    kLabelSst = 0x00FD,
};

// Largest record body of BIFF8; longer data goes on in CONTINUE records.
constexpr int kMaxRecordData = 8224;
// Index of the cell format: the 16 formats before it are the style formats
// every workbook carries and the default cell format.
constexpr quint16 kTextXf = 16;
// The built-in number format "@" (text).
constexpr quint16 kTextNumberFormat = 49;

class Bytes {
public:
    void u8(unsigned v) { m_data.append(static_cast<char>(v & 0xFF)); }
    void u16(unsigned v)
    {
        u8(v);
        u8(v >> 8);
    }
    void u32(quint32 v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void raw(const QByteArray& b) { m_data.append(b); }
    int size() const { return m_data.size(); }
    const QByteArray& data() const { return m_data; }
    void patch_u32(int at, quint32 v) { qToLittleEndian<quint32>(v, m_data.data() + at); }

private:
    QByteArray m_data;
};

void record(Bytes& out, quint16 type, const Bytes& body)
{
    Q_ASSERT(body.size() <= kMaxRecordData);
    out.u16(type);
    out.u16(static_cast<unsigned>(body.size()));
    out.raw(body.data());
}

void bof(Bytes& out, quint16 kind)
{
    Bytes b;
    b.u16(0x0600);  // BIFF8
    b.u16(kind);
    b.u16(0x0DBB);
    b.u16(0x07CC);
    b.u32(0);
    b.u32(0x06);
    record(out, kBof, b);
}

void fonts(Bytes& out)
{
    // Readers expect four fonts (index 4 is never used by the format).
    for (int i = 0; i < 4; ++i) {
        Bytes b;
        b.u16(200);     // 10 points in twips
        b.u16(0);
        b.u16(0x7FFF);  // automatic colour
        b.u16(400);     // normal weight
        b.u16(0);
        b.u8(0);
        b.u8(0);
        b.u8(0);
        b.u8(0);
        const QByteArray name("Arial");
        b.u8(static_cast<unsigned>(name.size()));
        b.u8(0);  // 8-bit characters
        b.raw(name);
        record(out, kFont, b);
    }
}

void xf(Bytes& out, bool style, quint16 number_format)
{
    Bytes b;
    b.u16(0);
    b.u16(number_format);
    b.u16(style ? 0xFFF5 : 0x0001);  // locked; a style has no parent
    b.u8(0x20);                      // bottom aligned
    b.u8(0);
    b.u8(0);
    b.u8(style || number_format == 0 ? 0 : 0x04);  // the number format differs from the style's
    b.u32(0);
    b.u32(0);
    b.u16(0x20C0);  // automatic pattern colours
    record(out, kXf, b);
}

// The shared string table: every string as UTF-16, split over CONTINUE
// records where a record fills up. A string's header never splits; its
// characters may, and each continuation repeats the 16-bit flag. A string
// that would span more than two records starts a record of its own.
void sst(Bytes& out, const std::vector<QString>& strings, quint32 total)
{
    Bytes cur;
    quint16 type = kSst;
    auto flush = [&]() {
        record(out, type, cur);
        cur = Bytes();
        type = kContinue;
    };
    cur.u32(total);
    cur.u32(static_cast<quint32>(strings.size()));
    for (const QString& s : strings) {
        const int n = s.size();
        const int room = (kMaxRecordData - cur.size() - 3) / 2;
        if (room < (n > 0 ? 1 : 0) || n > room + (kMaxRecordData - 1) / 2) {
            flush();
        }
        cur.u16(static_cast<unsigned>(n));
        cur.u8(0x01);
        int i = 0;
        while (i < n) {
            const int room = (kMaxRecordData - cur.size()) / 2;
            if (room == 0) {
                flush();
                cur.u8(0x01);
                continue;
            }
            const int take = std::min(room, n - i);
            for (int k = 0; k < take; ++k) {
                cur.u16(s.at(i + k).unicode());
            }
            i += take;
        }
    }
    flush();
}

}  // namespace

bool XlsWriter::set_text(int row, int column, const QString& text)
{
    if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns) {
        qCWarning(lc_db) << "sheet cell outside the format:" << row << column;
        return false;
    }
    if (text.size() > kMaxTextLength) {
        qCWarning(lc_db) << "sheet text longer than a cell holds:" << text.size() << "characters at" << row << column;
        return false;
    }
    if (text.isEmpty()) {
        m_cells.erase({row, column});
    } else {
        m_cells[{row, column}] = text;
    }
    return true;
}

QByteArray XlsWriter::workbook_stream() const
{
    std::vector<QString> strings;
    QHash<QString, quint32> index;
    for (const auto& cell : m_cells) {
        if (!index.contains(cell.second)) {
            index.insert(cell.second, static_cast<quint32>(strings.size()));
            strings.push_back(cell.second);
        }
    }

    Bytes out;
    bof(out, 0x0005);
    {
        Bytes b;
        b.u16(1200);  // UTF-16
        record(out, kCodepage, b);
    }
    {
        Bytes b;
        b.u16(0);
        b.u16(0);
        b.u16(0x3A98);
        b.u16(0x2328);
        b.u16(0x0038);
        b.u16(0);
        b.u16(0);
        b.u16(1);
        b.u16(0x0258);
        record(out, kWindow1, b);
    }
    fonts(out);
    for (int i = 0; i < 15; ++i) {
        xf(out, true, 0);
    }
    xf(out, false, 0);
    xf(out, false, kTextNumberFormat);
    {
        Bytes b;
        b.u16(0x8000);  // built-in style "Normal" on format 0
        b.u8(0);
        b.u8(0xFF);
        record(out, kStyle, b);
    }
    int sheet_offset_at = 0;
    {
        Bytes b;
        b.u32(0);  // patched below
        b.u16(0);  // visible worksheet
        const QByteArray name("Sheet1");
        b.u8(static_cast<unsigned>(name.size()));
        b.u8(0);
        b.raw(name);
        sheet_offset_at = out.size() + 4;
        record(out, kBoundSheet, b);
    }
    sst(out, strings, static_cast<quint32>(m_cells.size()));
    record(out, kEof, Bytes());
    out.patch_u32(sheet_offset_at, static_cast<quint32>(out.size()));

    bof(out, 0x0010);
    {
        int rows = 0;
        int columns = 0;
        for (const auto& cell : m_cells) {
            rows = std::max(rows, cell.first.first + 1);
            columns = std::max(columns, cell.first.second + 1);
        }
        Bytes b;
        b.u32(0);
        b.u32(static_cast<quint32>(rows));
        b.u16(0);
        b.u16(static_cast<unsigned>(columns));
        b.u16(0);
        record(out, kDimensions, b);
    }
    {
        Bytes b;
        b.u16(0x06B6);
        b.u16(0);
        b.u16(0);
        b.u32(64);
        b.u16(0);
        b.u16(0);
        b.u32(0);
        record(out, kWindow2, b);
    }
    for (const auto& cell : m_cells) {
        Bytes b;
        b.u16(static_cast<unsigned>(cell.first.first));
        b.u16(static_cast<unsigned>(cell.first.second));
        b.u16(kTextXf);
        b.u32(index.value(cell.second));
        record(out, kLabelSst, b);
    }
    record(out, kEof, Bytes());
    return out.data();
}

bool XlsWriter::file_bytes(QByteArray& out) const
{
    return compound_file(workbook_stream(), "Workbook", out);
}

bool XlsWriter::compound_file(QByteArray stream, const char* name, QByteArray& out)
{
    out.clear();
    // Streams below 4096 bytes would go to the compound file's mini stream,
    // which some readers do not follow for the workbook; zeros after the
    // last EOF record are ignored by readers.
    if (stream.size() < 4096) {
        stream.append(QByteArray(4096 - stream.size(), '\0'));
    }
    GsfOutput* memory = gsf_output_memory_new();
    GsfOutfile* compound = gsf_outfile_msole_new(memory);
    bool ok = compound != nullptr;
    if (ok) {
        GsfOutput* child = gsf_outfile_new_child(compound, name, FALSE);
        ok = child != nullptr &&
             gsf_output_write(child, static_cast<size_t>(stream.size()),
                              reinterpret_cast<const guint8*>(stream.constData())) &&
             gsf_output_close(child);
        if (child != nullptr) {
            g_object_unref(child);
        }
        ok = gsf_output_close(GSF_OUTPUT(compound)) && ok;
        g_object_unref(compound);
    }
    if (ok) {
        const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory));
        const gsf_off_t size = gsf_output_size(memory);
        ok = bytes != nullptr && size > 0;
        if (ok) {
            out = QByteArray(reinterpret_cast<const char*>(bytes), static_cast<int>(size));
        }
    }
    if (!gsf_output_is_closed(memory)) {
        gsf_output_close(memory);
    }
    g_object_unref(memory);
    if (!ok) {
        qCWarning(lc_db) << "cannot build the compound file of a sheet";
    }
    return ok;
}

bool XlsWriter::save(const QString& path) const
{
    QByteArray bytes;
    if (!file_bytes(bytes)) {
        return false;
    }
    QSaveFile file(path);
    QString error;
    bool saved = file.open(QIODevice::WriteOnly);
    if (!saved) {
        error = file.errorString();
    } else {
        file.write(bytes);
        saved = vy::commit_save_file(file, &error);
    }
    if (!saved) {
        qCWarning(lc_db) << "cannot write the sheet" << path << error;
        return false;
    }
    return true;
}
