// The layout reader of the print jobs: walks the components of a layout
// file one by one and hands each, as a plain record in printer-page pixels,
// to a word-processor document writer. Separate from the designer's own
// reader; nothing here touches a document on screen, so a worker thread may
// use it once it was given the page size.
#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QDomNodeList>
#include <QImage>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSize>
#include <QString>

struct PrinterInfo {
    int width = 0;
    int height = 0;
    float scale = 0.0f;
    int dpi = 0;
    int page = 0;
};

struct ReportMarkInfo {
    int ir_id = 0;
    int ana_id = 0;
    int ana_id_minus = 0;
    int type = 0;
    // The mark key, or the literal text of a type-0 mark.
    QString text;
};

// The geometry every component record starts with: printer-page pixels
// after reading, the page index as stored.
struct ReportComInfo {
    int version = 1;
    int x = 0;
    int y = 0;
    int width = 100;
    int height = 100;
    int page = 0;
};

struct ReportTextInfo : ReportComInfo {
    QList<ReportMarkInfo> marks;
    bool has_marks = false;
    QString text;
    // The "font" attribute as stored.
    QString font;
    int flags = 1;
};

struct ReportPicInfo : ReportComInfo {
    bool from_file = false;
    bool ir = true;
    int picture_number = 0;
    bool logo = false;
    QString logo_path;
};

struct ReportCellInfo {
    int row = 0;
    int column = 0;
    QList<ReportMarkInfo> marks;
    bool has_marks = false;
    QString text;
    QString font;
    int flags = 0;
};

struct ReportTableInfo : ReportComInfo {
    // Layout pixels, not scaled to the printer page.
    QMap<int, int> column_widths;
    QMap<int, int> row_heights;
    int rows = 1;
    int columns = 1;
    QList<ReportCellInfo> cells;
};

class ReportXml : public QObject {
    Q_OBJECT

public:
    enum ComType { kNone = 0, kPic = 1, kTable = 2, kMark = 3, kText = 4 };
    // Layout files larger than this are refused before parsing.
    static constexpr qint64 kMaxFileBytes = 64LL << 20;

    // page_size: the printer page in screen pixels that the components are
    // scaled to; the caller takes it where the printing layer may be asked.
    explicit ReportXml(const QSize& page_size, QObject* parent = nullptr);

    bool load_file(const QString& path);
    bool read_printer(PrinterInfo* info = nullptr);
    bool read_com_list();
    int com_count() const { return m_components.size(); }
    bool get_com_type(int index, int* type);
    bool read_com_text(ReportTextInfo* info);
    bool read_com_mark(ReportTextInfo* info);
    bool read_com_pic(ReportPicInfo* info);
    bool read_com_table(ReportTableInfo* info);

    // Where a layout's logo image is written for the writer to insert.
    void set_logo_folder(const QString& folder) { m_logo_folder = folder; }

    float ratio_x() const { return m_ratio_x; }
    float ratio_y() const { return m_ratio_y; }

private:
    bool read_geometry(ReportComInfo* info) const;

    QDomDocument m_document;
    QDomElement m_root;
    QDomNodeList m_components;
    QDomElement m_current;
    QSize m_page_size;
    QString m_logo_folder;
    int m_width = 0;
    int m_height = 0;
    float m_scale = 1.0f;
    int m_dpi = 20;
    int m_page = 1;
    float m_ratio_x = 1.0f;
    float m_ratio_y = 1.0f;
};

QString gb18030_to_qstring(const QByteArray& bytes);

// A logo wider or higher than this is not decoded.
constexpr int kMaxReportLogoSide = 8192;
// The logo image stored in a layout (Base64 of its file); null when it does
// not decode or is too large.
QImage decode_report_logo(const QString& base64);
