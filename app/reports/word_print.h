// Fills word-processor report templates: one document per picture made from
// the template, texts and pictures written at its bookmarks, the documents
// gathered into one after page breaks and saved. A template is recognised by
// its content: a package is filled in-process, a legacy binary one is
// converted first where soffice is installed.
#pragma once

#include <QObject>
#include <QString>

class QThread;

class WordPrint : public QObject {
public:
    explicit WordPrint(bool own_thread = false, QObject* parent = nullptr);
    ~WordPrint() override;

    // Nothing outside needs starting; the document collection opens.
    bool open_application();
    bool new_document(const QString& template_path);
    // Both false, changing nothing, when the last document lacks the
    // bookmark or the content could not be written.
    bool insert_bookmark_picture(const QString& name, const QString& path);
    bool set_bookmark_text(const QString& name, const QString& text);
    // The second document after a page break at the end of the main one;
    // nothing while there is no second document.
    void append_page_document();
    bool save_document(const QString& path);
    bool close_application();

private:
    void* last_document() const { return m_second != nullptr ? m_second : m_main; }

    bool m_open = false;
    void* m_main = nullptr;
    void* m_second = nullptr;
    QThread* m_thread = nullptr;
};
