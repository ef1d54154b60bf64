// A report picture with values set by the test: what a picture component
// shows and reads, without a picture file.
#pragma once

#include "reports/report_picture.h"

#include <QHash>
#include <QJsonObject>
#include <QPainter>
#include <QRect>

#include <memory>

struct FakePictureData {
    QString path = "/pictures/s1-s2-s3-s4-s5-s6.jpg";
    bool opens = true;
    bool visible = false;
    bool sgcc = false;
    int width = 320;
    int height = 240;
    bool values_ok = true;
    float emissivity = 0.95f;
    float distance = 5.0f;
    float ambient = 25.0f;
    float humidity = 0.65f;
    float reference = -999.0f;
    bool reference_ok = true;
    float max = 123.7f;
    float min = 12.2f;
    float avg = 40.5f;
    QVector<ReportAnalysis> analyses;
    QString storage_time = "20260314093015";
    QHash<QString, QString> user_data;
    int kind_under_mouse = 100;
    int shape_added = -1;
    int mouse_ups = 0;
    bool ana_changed = false;
    QString opened;
    QRect painted;
};

class FakeReportPicture : public ReportPicture {
public:
    explicit FakeReportPicture(std::shared_ptr<FakePictureData> data) : m_data(std::move(data)) {}

    bool open_file(const QString& path) override
    {
        if (!m_data->opens) return false;
        m_data->opened = path;
        m_data->path = path;
        return true;
    }
    QString file_path() const override { return m_data->path; }
    bool is_visible_picture() const override { return m_data->visible; }
    bool is_sgcc_picture() const override { return m_data->sgcc; }
    int width() const override { return m_data->width; }
    int height() const override { return m_data->height; }
    void paint_in_rect(QPainter* painter, const QRect& rect) override
    {
        m_data->painted = rect;
        painter->fillRect(rect, QColor(200, 80, 40));
    }
    void set_show_size(int, int) override {}
    void mouse_down(int, int) override {}
    void mouse_move(int, int) override {}
    void mouse_up(int, int) override { ++m_data->mouse_ups; }
    void mouse_double_clicked(int, int) override {}
    bool is_ana_changed() const override { return m_data->ana_changed; }
    void add_shape(int shape) override { m_data->shape_added = shape; }
    void end_add_shape() override { m_data->shape_added = -1; }
    bool delete_ana() override { return true; }
    bool delete_all_ana() override
    {
        m_data->analyses.clear();
        return true;
    }
    bool ana_kind_at(int, int, int& kind) override
    {
        kind = m_data->kind_under_mouse;
        return true;
    }
    bool set_ir_property(const QJsonObject& json) override
    {
        if (json.contains("strSettingEmiss")) m_data->emissivity = float(json.value("strSettingEmiss").toDouble());
        return true;
    }
    QJsonObject get_ir_property() override { return QJsonObject{{"strSettingEmiss", double(m_data->emissivity)}}; }
    bool save_as_image_to_file(const QString& path) override { return write(path); }
    bool save_as_sgcc_image_to_file(const QString& path) override { return write(path); }

    bool read_emissivity(float& v) const override { return read(m_data->emissivity, v); }
    bool read_distance(float& v) const override { return read(m_data->distance, v); }
    bool read_ambient_temperature(float& v) const override { return read(m_data->ambient, v); }
    bool read_relative_humidity(float& v) const override { return read(m_data->humidity, v); }
    bool read_reference_temperature(float& v) const override
    {
        v = m_data->reference;
        return m_data->reference_ok;
    }
    bool read_max_temperature(float& v) const override { return read(m_data->max, v); }
    bool read_min_temperature(float& v) const override { return read(m_data->min, v); }
    bool read_avg_temperature(float& v) const override { return read(m_data->avg, v); }
    QVector<ReportAnalysis> analyses_of_kind(int kind) const override
    {
        QVector<ReportAnalysis> list;
        for (const ReportAnalysis& analysis : m_data->analyses) {
            if (analysis.kind == kind) list.append(analysis);
        }
        return list;
    }
    QString storage_time() const override { return m_data->storage_time; }
    QString user_data_string(const QString& key) const override { return m_data->user_data.value(key); }
    QString preset_text() const override { return m_data->user_data.value("preset"); }
    QString latitude_text() const override { return m_data->user_data.value("latitude"); }
    QString longitude_text() const override { return m_data->user_data.value("longitude"); }
    QString altitude_text() const override { return m_data->user_data.value("altitude"); }

private:
    bool read(float source, float& v) const
    {
        v = source;
        return m_data->values_ok;
    }
    bool write(const QString& path)
    {
        QImage image(m_data->width, m_data->height, QImage::Format_RGB32);
        image.fill(Qt::gray);
        return image.save(path);
    }

    std::shared_ptr<FakePictureData> m_data;
};

inline ReportAnalysis fake_analysis(int kind, const QString& alias, float max, float min = 0.0f, float avg = 0.0f)
{
    ReportAnalysis analysis;
    analysis.kind = kind;
    analysis.alias = alias;
    analysis.alias_ok = analysis.max_ok = analysis.min_ok = analysis.avg_ok = true;
    analysis.max = max;
    analysis.min = min;
    analysis.avg = avg;
    return analysis;
}
