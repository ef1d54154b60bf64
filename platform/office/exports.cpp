// Exported document functions.
#include "office.h"

#include "office_log.h"
#include "word_document.h"

#include "basekit.h"
#include "handle_registry.h"
#include "vy_base_object.h"

#include <functional>

using namespace office::detail;

namespace {

constexpr char kDocTag[] = "office.Document";

struct DocHandle : _VYBaseObject {
    DocHandle() : _VYBaseObject(kDocTag)
    {
        char directory[256];
        int length = sizeof(directory);
        // The reference is taken even without a folder, to balance the destructor.
        logline_init(vy_get_exe_path(directory, &length) == VY_OK ? directory : nullptr, 7, 200);
    }
    ~DocHandle() override { logline_uninit(); }

    WordDocument document;
};

WordDocument* document_of(void* handle, const char* function)
{
    if (!_VYBaseObject::is_valid_handle(handle, kDocTag)) {
        OF_ERROR("%s: not a document handle", function);
        return nullptr;
    }
    return &static_cast<DocHandle*>(static_cast<_VYBaseObject*>(handle))->document;
}

// Logs a refusal and passes the result on.
bool checked(bool ok, const char* function, const QString& error)
{
    if (!ok) {
        OF_ERROR("%s: %s", function, error.toUtf8().constData());
    }
    return ok;
}

QString text_of(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size()));
}

QString path_of(const std::wstring& path)
{
    return QString::fromStdWString(path);
}

RunFont font_of(const OfficeFont& font)
{
    RunFont out;
    out.family = text_of(font.family);
    out.point_size = font.point_size;
    out.bold = font.bold;
    out.italic = font.italic;
    out.underline = font.underline;
    return out;
}

bool valid_alignment(int alignment, const char* function)
{
    if (alignment < OFFICE_ALIGN_LEFT || alignment > OFFICE_ALIGN_JUSTIFY) {
        OF_ERROR("%s: alignment %d is not one of 0 to 3", function, alignment);
        return false;
    }
    return true;
}

TextPlace* box_of(void* doc, int box, const char* function, WordDocument*& document)
{
    document = document_of(doc, function);
    if (document == nullptr) {
        return nullptr;
    }
    TextPlace* place = document->box(box);
    if (place == nullptr) {
        OF_ERROR("%s: no text box %d", function, box);
    }
    return place;
}

TextPlace* cell_of(void* doc, int table, int row, int column, const char* function, WordDocument*& document)
{
    document = document_of(doc, function);
    if (document == nullptr) {
        return nullptr;
    }
    TextPlace* place = document->cell(table, row, column);
    if (place == nullptr) {
        OF_ERROR("%s: no cell %d,%d in table %d", function, row, column, table);
    }
    return place;
}

bool open_new(void*& doc, const char* function, const std::function<bool(WordDocument&, QString&)>& fill)
{
    doc = nullptr;
    void* handle = nullptr;
    if (!vy::create_handle<DocHandle>(&handle)) {
        return false;
    }
    QString error;
    auto* object = static_cast<DocHandle*>(static_cast<_VYBaseObject*>(handle));
    if (!checked(fill(object->document, error), function, error)) {
        vy::destroy_handle(&handle, kDocTag);
        return false;
    }
    doc = handle;
    return true;
}

}  // namespace

bool office_doc_init(void*& doc)
{
    return open_new(doc, __func__, [](WordDocument& d, QString& error) { return d.create_blank(error); });
}

bool office_doc_open_w(void*& doc, const std::wstring& path)
{
    return open_new(doc, __func__, [&](WordDocument& d, QString& error) { return d.open(path_of(path), error); });
}

bool office_doc_uninit(void*& doc)
{
    return vy::destroy_handle(&doc, kDocTag);
}

bool office_doc_add_text_box(void* doc, int left, int top, int width, int height, int& box)
{
    WordDocument* document = document_of(doc, __func__);
    if (document == nullptr) {
        return false;
    }
    QString error;
    const int id = document->add_text_box(left, top, width, height, error);
    if (!checked(id >= 0, __func__, error)) {
        return false;
    }
    box = id;
    return true;
}

bool office_box_append_text(void* doc, int box, const std::string& text)
{
    WordDocument* document = nullptr;
    TextPlace* place = box_of(doc, box, __func__, document);
    return place != nullptr && document->append_text(*place, text_of(text));
}

bool office_box_add_bookmark(void* doc, int box, const std::string& name)
{
    WordDocument* document = nullptr;
    TextPlace* place = box_of(doc, box, __func__, document);
    QString error;
    return place != nullptr && checked(document->add_bookmark_here(*place, text_of(name), error), __func__, error);
}

bool office_box_bookmark_text(void* doc, int box, const std::string& name)
{
    WordDocument* document = nullptr;
    TextPlace* place = box_of(doc, box, __func__, document);
    QString error;
    return place != nullptr && checked(document->bookmark_all(*place, text_of(name), error), __func__, error);
}

bool office_box_add_picture_w(void* doc, int box, const std::wstring& path)
{
    WordDocument* document = nullptr;
    TextPlace* place = box_of(doc, box, __func__, document);
    QString error;
    return place != nullptr && checked(document->add_picture(*place, path_of(path), error), __func__, error);
}

bool office_box_set_font(void* doc, int box, const OfficeFont& font)
{
    WordDocument* document = nullptr;
    TextPlace* place = box_of(doc, box, __func__, document);
    if (place == nullptr) {
        return false;
    }
    document->set_font(*place, font_of(font));
    return true;
}

bool office_box_set_alignment(void* doc, int box, int alignment)
{
    WordDocument* document = nullptr;
    TextPlace* place = box_of(doc, box, __func__, document);
    if (place == nullptr || !valid_alignment(alignment, __func__)) {
        return false;
    }
    document->set_alignment(*place, alignment);
    return true;
}

bool office_doc_add_table(void* doc, int rows, int columns, int& table)
{
    WordDocument* document = document_of(doc, __func__);
    if (document == nullptr) {
        return false;
    }
    QString error;
    const int id = document->add_table(rows, columns, error);
    if (!checked(id >= 0, __func__, error)) {
        return false;
    }
    table = id;
    return true;
}

bool office_table_set_position(void* doc, int table, int left, int top)
{
    WordDocument* document = document_of(doc, __func__);
    QString error;
    return document != nullptr && checked(document->set_table_position(table, left, top, error), __func__, error);
}

bool office_table_set_column_width(void* doc, int table, int column, int width)
{
    WordDocument* document = document_of(doc, __func__);
    QString error;
    return document != nullptr && checked(document->set_column_width(table, column, width, error), __func__, error);
}

bool office_table_set_row_height(void* doc, int table, int row, int height)
{
    WordDocument* document = document_of(doc, __func__);
    QString error;
    return document != nullptr && checked(document->set_row_height(table, row, height, true, error), __func__, error);
}

bool office_table_set_min_row_height(void* doc, int table, int row, int height)
{
    WordDocument* document = document_of(doc, __func__);
    QString error;
    return document != nullptr && checked(document->set_row_height(table, row, height, false, error), __func__, error);
}

bool office_cell_append_text(void* doc, int table, int row, int column, const std::string& text)
{
    WordDocument* document = nullptr;
    TextPlace* place = cell_of(doc, table, row, column, __func__, document);
    return place != nullptr && document->append_text(*place, text_of(text));
}

bool office_cell_add_bookmark(void* doc, int table, int row, int column, const std::string& name)
{
    WordDocument* document = nullptr;
    TextPlace* place = cell_of(doc, table, row, column, __func__, document);
    QString error;
    return place != nullptr && checked(document->add_bookmark_here(*place, text_of(name), error), __func__, error);
}

bool office_cell_add_picture_w(void* doc, int table, int row, int column, const std::wstring& path)
{
    WordDocument* document = nullptr;
    TextPlace* place = cell_of(doc, table, row, column, __func__, document);
    QString error;
    return place != nullptr && checked(document->add_picture(*place, path_of(path), error), __func__, error);
}

bool office_cell_set_font(void* doc, int table, int row, int column, const OfficeFont& font)
{
    WordDocument* document = nullptr;
    TextPlace* place = cell_of(doc, table, row, column, __func__, document);
    if (place == nullptr) {
        return false;
    }
    document->set_font(*place, font_of(font));
    return true;
}

bool office_cell_set_alignment(void* doc, int table, int row, int column, int alignment)
{
    WordDocument* document = nullptr;
    TextPlace* place = cell_of(doc, table, row, column, __func__, document);
    if (place == nullptr || !valid_alignment(alignment, __func__)) {
        return false;
    }
    document->set_alignment(*place, alignment);
    return true;
}

bool office_doc_bookmark_names(void* doc, std::vector<std::string>& names)
{
    WordDocument* document = document_of(doc, __func__);
    if (document == nullptr) {
        return false;
    }
    names.clear();
    for (const QString& name : document->bookmark_names()) {
        names.push_back(name.toStdString());
    }
    return true;
}

bool office_doc_has_bookmark(void* doc, const std::string& name, bool& exists)
{
    WordDocument* document = document_of(doc, __func__);
    if (document == nullptr) {
        return false;
    }
    exists = document->has_bookmark(text_of(name));
    return true;
}

bool office_doc_set_bookmark_text(void* doc, const std::string& name, const std::string& text)
{
    WordDocument* document = document_of(doc, __func__);
    QString error;
    return document != nullptr
           && checked(document->set_bookmark_text(text_of(name), text_of(text), error), __func__, error);
}

bool office_doc_set_bookmark_picture_w(void* doc, const std::string& name, const std::wstring& path)
{
    WordDocument* document = document_of(doc, __func__);
    QString error;
    return document != nullptr
           && checked(document->set_bookmark_picture(text_of(name), path_of(path), error), __func__, error);
}

bool office_doc_append(void* doc, void*& page)
{
    WordDocument* document = document_of(doc, __func__);
    WordDocument* page_document = document_of(page, __func__);
    if (document == nullptr || page_document == nullptr || document == page_document) {
        if (page_document != nullptr && document != page_document) {
            vy::destroy_handle(&page, kDocTag);
        }
        return false;
    }
    QString error;
    const bool ok = checked(document->append_document(*page_document, error), __func__, error);
    vy::destroy_handle(&page, kDocTag);
    return ok;
}

bool office_doc_save_w(void* doc, const std::wstring& path)
{
    WordDocument* document = document_of(doc, __func__);
    QString error;
    return document != nullptr && checked(document->save(path_of(path), error), __func__, error);
}
