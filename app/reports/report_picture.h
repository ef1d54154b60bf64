// The picture behind a picture component: what the component shows, edits
// and reads its report values from. Production uses the still-picture source
// (ir_image_picture.h); tests use a picture with known values.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QVector>

class QPainter;
class QRect;

// One analysis object as the report reads it; a failed read leaves its ok
// flag false.
struct ReportAnalysis {
    int kind = 0;  // AnaType: 0 point, 10 line, 20 ellipse, 30 rectangle, 40 polygon, 50 polyline
    QString alias;
    bool alias_ok = false;
    bool max_ok = false;
    bool min_ok = false;
    bool avg_ok = false;
    float max = 0.0f;
    float min = 0.0f;
    float avg = 0.0f;
};

class ReportPicture {
public:
    virtual ~ReportPicture() = default;

    // False leaves the previous picture.
    virtual bool open_file(const QString& path) = 0;
    virtual QString file_path() const = 0;
    // The file holds a visible-light picture and no IR data.
    virtual bool is_visible_picture() const = 0;
    virtual bool is_sgcc_picture() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Drawing and editing in picture-window pixels.
    virtual void paint_in_rect(QPainter* painter, const QRect& rect) = 0;
    virtual void set_show_size(int width, int height) = 0;
    virtual void mouse_down(int x, int y) = 0;
    virtual void mouse_move(int x, int y) = 0;
    virtual void mouse_up(int x, int y) = 0;
    virtual void mouse_double_clicked(int x, int y) = 0;
    // The last mouse_up changed an analysis object.
    virtual bool is_ana_changed() const = 0;
    // Starts adding a shape: 0 point, 1 line, 2 rectangle, 3 ellipse.
    virtual void add_shape(int shape) = 0;
    virtual void end_add_shape() = 0;
    virtual bool delete_ana() = 0;
    virtual bool delete_all_ana() = 0;
    // The kind (AnaType) of the analysis object under a window point, 100
    // when none; false when the picture cannot tell.
    virtual bool ana_kind_at(int x, int y, int& kind) = 0;

    virtual bool set_ir_property(const QJsonObject& json) = 0;
    virtual QJsonObject get_ir_property() = 0;
    virtual bool save_as_image_to_file(const QString& path) = 0;
    virtual bool save_as_sgcc_image_to_file(const QString& path) = 0;

    // Report values; false (or empty) when the picture cannot give them.
    virtual bool read_emissivity(float& value) const = 0;
    virtual bool read_distance(float& value) const = 0;
    virtual bool read_ambient_temperature(float& value) const = 0;
    // A fraction 0 ... 1.
    virtual bool read_relative_humidity(float& value) const = 0;
    virtual bool read_reference_temperature(float& value) const = 0;
    virtual bool read_max_temperature(float& value) const = 0;
    virtual bool read_min_temperature(float& value) const = 0;
    virtual bool read_avg_temperature(float& value) const = 0;
    // The analysis objects of one kind, in the document's order.
    virtual QVector<ReportAnalysis> analyses_of_kind(int kind) const = 0;
    // Storage time "yyyyMMddhhmmss", empty when unknown.
    virtual QString storage_time() const = 0;
    // A string of the picture's user data, empty when absent.
    virtual QString user_data_string(const QString& key) const = 0;
    virtual QString preset_text() const = 0;
    virtual QString latitude_text() const = 0;
    virtual QString longitude_text() const = 0;
    virtual QString altitude_text() const = 0;
};
