// Turns an IR picture into tab-separated text on the clipboard, ready to be
// pasted into a spreadsheet: a block of the picture's parameters with its
// whole temperature matrix and, for each chosen analysis object, a block of
// its geometry, temperatures and parameters with its own matrix.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <string>

class IRCopyTemp : public QObject {
    Q_OBJECT

public:
    IRCopyTemp() = default;
    ~IRCopyTemp() override;

    // Loads the picture file (with the analysis objects stored in it) and
    // copies the blocks of the items: an empty item stands for the whole
    // picture, any other is an analysis string. False when the file cannot
    // be loaded.
    bool copy_temp_to_clipboard(const QStringList& items, const QString& picture_path);
    // The same for a frame document that is already open.
    bool copy_temp_of_frame(const QStringList& items, void* frame);
    // The text copy_temp_of_frame puts on the clipboard.
    QString build_text(const QStringList& items, void* frame);

    // Appends one block.
    void build_temp_text(void* frame, const std::string& item, std::string& text);
    // Appends "\r\n" and the values as "%.01f\t", with a line break after
    // every row_width values.
    static void append_matrix(const float* values, size_t count, int row_width, std::string& text);

private:
    void append_picture_block(void* frame, std::string& text);
    void append_ana_block(void* frame, const std::string& item, std::string& text);
    void append_conditions(void* frame, float emissivity, float distance, std::string& text);
    // The label in the reader's language, as UTF-8.
    static std::string label(const char* source);

    void* m_h_picture = nullptr;
};
