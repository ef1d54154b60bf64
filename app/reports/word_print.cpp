// Template filling through the in-process document layer.
#include "reports/word_print.h"

#include "reports/report_log.h"

#include "office.h"

#include <QThread>

WordPrint::WordPrint(bool own_thread, QObject* parent) : QObject(parent)
{
    if (own_thread) {
        m_thread = new QThread;
        moveToThread(m_thread);
        m_thread->start(QThread::InheritPriority);
    }
}

WordPrint::~WordPrint()
{
    if (m_thread != nullptr) {
        m_thread->quit();
        m_thread->wait();
        delete m_thread;
    }
    close_application();
}

bool WordPrint::open_application()
{
    m_open = true;
    return true;
}

bool WordPrint::new_document(const QString& template_path)
{
    if (!m_open) {
        return false;
    }
    void* doc = nullptr;
    if (!office_doc_open_w(doc, template_path.toStdWString())) {
        qCWarning(lc_report) << "cannot open the report template" << template_path;
        return false;
    }
    if (m_main == nullptr) {
        m_main = doc;
        return true;
    }
    // A second document not yet appended is replaced, as its content was
    // never asked for.
    if (m_second != nullptr) {
        office_doc_uninit(m_second);
    }
    m_second = doc;
    return true;
}

bool WordPrint::insert_bookmark_picture(const QString& name, const QString& path)
{
    void* doc = last_document();
    bool exists = false;
    if (doc == nullptr || !office_doc_has_bookmark(doc, name.toStdString(), exists) || !exists) {
        return false;
    }
    qCDebug(lc_report) << " word add pic :" << path;
    return office_doc_set_bookmark_picture_w(doc, name.toStdString(), path.toStdWString());
}

bool WordPrint::set_bookmark_text(const QString& name, const QString& text)
{
    void* doc = last_document();
    bool exists = false;
    if (doc == nullptr || !office_doc_has_bookmark(doc, name.toStdString(), exists) || !exists) {
        return false;
    }
    return office_doc_set_bookmark_text(doc, name.toStdString(), text.toStdString());
}

void WordPrint::append_page_document()
{
    if (m_main != nullptr && m_second != nullptr) {
        office_doc_append(m_main, m_second);
    }
}

bool WordPrint::save_document(const QString& path)
{
    return m_main != nullptr && office_doc_save_w(m_main, path.toStdWString());
}

bool WordPrint::close_application()
{
    if (m_second != nullptr) {
        office_doc_uninit(m_second);
    }
    if (m_main != nullptr) {
        office_doc_uninit(m_main);
    }
    m_open = false;
    return true;
}
