#include "rules/xls_reader.h"

#include "rules/rules_log.h"

#include <QFile>
#include <QLocale>

#include <freexl.h>

XlsReader::~XlsReader()
{
    close();
}

bool XlsReader::open(const QString& path)
{
    close();
    const void* handle = nullptr;
    const int rc = freexl_open(QFile::encodeName(path).constData(), &handle);
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
