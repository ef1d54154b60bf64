#include "rules/ce_excel.h"

CEexcel::CEexcel(QObject* parent) : QObject(parent) {}

CEexcel::~CEexcel()
{
    release();
}

bool CEexcel::create_workbook()
{
    release();
    m_writer = std::make_unique<XlsWriter>();
    return true;
}

bool CEexcel::open_workbook(const QString& path)
{
    close_workbook();
    auto reader = std::make_unique<XlsReader>();
    if (!reader->open(path)) {
        return false;
    }
    m_reader = std::move(reader);
    return true;
}

int CEexcel::get_sheet_count() const
{
    if (m_reader) {
        return m_reader->sheet_count();
    }
    return m_writer ? 1 : 0;
}

void CEexcel::select_sheet(int index)
{
    m_sheet = index;
}

bool CEexcel::set_cell_text(int row, int column, const QString& text)
{
    // The new workbook has exactly one sheet.
    if (!m_writer || m_sheet != 1) {
        return false;
    }
    return m_writer->set_text(row - 1, column - 1, text);
}

void CEexcel::read_sheet(int index, QList<QStringList>& rows)
{
    select_sheet(index);
    if (m_reader) {
        m_reader->read_sheet(index - 1, rows);
    }
}

bool CEexcel::save_as(const QString& path)
{
    if (!m_writer) {
        return false;
    }
    const bool saved = m_writer->save(path);
    m_writer.reset();
    return saved;
}

void CEexcel::close_workbook()
{
    release();
}

void CEexcel::release()
{
    m_writer.reset();
    m_reader.reset();
    m_sheet = 0;
}
