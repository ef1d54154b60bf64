#include "rules/xls_reader.h"

#include "rules/rules_log.h"
#include "rules/xls_writer.h"
#include "shell/input_file.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryFile>

#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-utils.h>

namespace {

// A sheet is a few megabytes at most; the packages cap it lower still.
constexpr qint64 kMaxSheetBytes = 64LL << 20;

// The workbook stream ("Workbook", or "Book" of older versions) of a
// compound file, read by libgsf; false when there is none.
bool workbook_stream(const QByteArray& file, QByteArray& stream, const char*& name)
{
    GsfInput* input = gsf_input_memory_new(reinterpret_cast<const guint8*>(file.constData()), file.size(), FALSE);
    if (input == nullptr) {
        return false;
    }
    GError* error = nullptr;
    GsfInfile* compound = gsf_infile_msole_new(input, &error);
    g_object_unref(input);
    if (compound == nullptr) {
        g_clear_error(&error);
        return false;
    }
    GsfInput* child = nullptr;
    for (const char* candidate : {"Workbook", "Book"}) {
        child = gsf_infile_child_by_name(compound, candidate);
        if (child != nullptr) {
            name = candidate;
            break;
        }
    }
    bool ok = false;
    if (child != nullptr) {
        const gsf_off_t size = gsf_input_size(child);
        if (size > 0 && size <= kMaxSheetBytes) {
            stream.resize(static_cast<int>(size));
            ok = gsf_input_read(child, static_cast<size_t>(size), reinterpret_cast<guint8*>(stream.data())) != nullptr;
        }
        g_object_unref(child);
    }
    g_object_unref(compound);
    return ok;
}

}  // namespace

XlsReader::~XlsReader()
{
    close();
}

bool XlsReader::open(const QString& path)
{
    close();
    // FreeXL trusts the compound file's directory (a name length past its
    // field sends it reading beyond a buffer): it is given only the
    // workbook stream, in a compound file of our own writing.
    QFile file;
    QString why;
    if (!open_input_file(file, path, &why) || file.size() > kMaxSheetBytes) {
        qCWarning(lc_db) << "cannot read the workbook" << path << (why.isEmpty() ? QStringLiteral("too large") : why);
        return false;
    }
    QByteArray stream;
    QByteArray rewritten;
    const char* name = nullptr;
    if (!workbook_stream(file.read(kMaxSheetBytes), stream, name) ||
        !XlsWriter::compound_file(stream, name, rewritten)) {
        qCWarning(lc_db) << "cannot read the workbook" << path << "no workbook stream";
        return false;
    }
    QTemporaryFile copy;
    if (!copy.open() || copy.write(rewritten) != rewritten.size() || !copy.flush()) {
        qCWarning(lc_db) << "cannot read the workbook" << path << copy.errorString();
        return false;
    }
    const void* handle = nullptr;
    const int rc = freexl_open(QFile::encodeName(copy.fileName()).constData(), &handle);
    if (rc != FREEXL_OK) {
        qCWarning(lc_db) << "cannot read the workbook" << path << "freexl error" << rc;
        if (handle != nullptr) {
            freexl_close(handle);
        }
        return false;
    }
    m_handle = handle;
    return true;
}

void XlsReader::close()
{
    if (m_handle != nullptr) {
        freexl_close(m_handle);
        m_handle = nullptr;
    }
}

int XlsReader::sheet_count() const
{
    unsigned int count = 0;
    if (m_handle == nullptr || freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
        return 0;
    }
    return static_cast<int>(count);
}

bool XlsReader::read_sheet(int index, QList<QStringList>& rows) const
{
    if (m_handle == nullptr || index < 0 || index >= sheet_count() ||
        freexl_select_active_worksheet(m_handle, static_cast<unsigned short>(index)) != FREEXL_OK) {
        return false;
    }
    unsigned int row_count = 0;
    unsigned short column_count = 0;
    if (freexl_worksheet_dimensions(m_handle, &row_count, &column_count) != FREEXL_OK) {
        return false;
    }
    if (static_cast<quint64>(row_count) * column_count <= 1) {
        return true;
    }
    for (unsigned int r = 0; r < row_count; ++r) {
        QStringList row;
        row.reserve(column_count);
        for (unsigned short c = 0; c < column_count; ++c) {
            FreeXL_CellValue value;
            QString text;
            if (freexl_get_cell_value(m_handle, r, c, &value) == FREEXL_OK) {
                switch (value.type) {
                case FREEXL_CELL_INT:
                    text = QString::number(value.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    text = QString::number(value.value.double_value, 'g', QLocale::FloatingPointShortest);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    text = QString::fromUtf8(value.value.text_value);
                    break;
                default:
                    break;
                }
            }
            row.append(text);
        }
        rows.append(row);
    }
    return true;
}
