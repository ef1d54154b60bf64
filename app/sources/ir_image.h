// The still-picture source: one picture file held by a picfold object. A
// file picfold cannot read is still shown when Qt loads it as an ordinary
// picture (a plain image without temperatures).
#pragma once

#include "views/audio_tool.h"
#include "sources/ir_base.h"

#include <QByteArray>
#include <QJsonObject>

#include <map>

class IRImage : public IRBase {
    Q_OBJECT

public:
    // Plain images larger than this are refused before they are decoded.
    static constexpr qint64 kMaxPlainPixels = 16384LL * 16384LL;
    // Stored user data longer than this is not read.
    static constexpr uint32_t kMaxUserDataBytes = 16u << 20;
    // "VYAutoImaging" of a picture saved with continuous automatic imaging
    // (1 stands for automatic imaging once, 0 for the stored range).
    static constexpr int kAutoImagingContinuous = 3;

    explicit IRImage(WndIRShow* owner);
    ~IRImage() override;

    void* get_ir_data() const override;
    void* get_ir_paint() const override;
    bool open_file(const QString& path) override;
    bool save_anas_to_user_data(QJsonObject& user_data) override;
    bool save_image_to_file() override;
    bool save_image_to_png() override;
    bool save_as_image_to_file(const QString& path) override;
    bool save_as_sgcc_image_to_file(const QString& path) override;
    QString copy_to_path(const QString& target_base) override;
    bool set_use_temperature_para(bool on) override;
    bool add_source_property(QJsonObject& json) override;
    // The report of the picture (Word template or report layout chosen in
    // the settings): 0 written, 1 the picture or the document could not be
    // saved, 2 no word processor, 3 the template is unusable, 4 the template
    // has no place for the picture.
    int print_report(const QString& document_path) override;
    bool fill_report_info(ReportFieldValues& values) override;
    QString get_ir_name() const override;
    void set_source_property(const QJsonObject& json) override;
    QJsonObject get_user_data() const override { return m_user_data; }
    void set_user_data_value(const QString& key, const QJsonValue& value) override
    {
        m_user_data.insert(key, value);
    }

    // The voice note's recorder and player.
    AudioTool& audio_tool() { return m_audio_tool; }

    // User data of the picture.
    bool load_user_data();
    bool apply_view_settings();
    bool store_view_settings();
    bool load_sound_data();
    void load_stored_anas();
    QString get_altitude_text() const;
    QString get_longitude_text() const;
    QString get_latitude_text() const;
    QString get_preset_text() const;
    QString get_user_data_string(const QString& key) const;

    // The PNG written next to a picture by save_image_to_png.
    static QString png_path_for(const QString& picture_path);
    // Parses stored user-data bytes: anything that is not a JSON object is
    // an empty object.
    static QJsonObject parse_user_data(const QByteArray& bytes);
    // The user data stored in a frame document; an empty object when there
    // is none or it is larger than kMaxUserDataBytes.
    static QJsonObject read_user_data(void* frame);
    // Palette, imaging range and rotation stored with a national-grid
    // picture, applied to its frame; true when the rotation was set.
    static bool apply_view_settings_to(void* frame, const QJsonObject& user_data);
    // User-data texts as the picture shows them.
    static QString altitude_text_of(const QJsonObject& user_data);
    static QString longitude_text_of(const QJsonObject& user_data);
    static QString latitude_text_of(const QJsonObject& user_data);
    static QString preset_text_of(const QJsonObject& user_data);

protected:
    void timerEvent(QTimerEvent* event) override;
    // The picture library writes it with the site's GPS text.
    bool save_clipboard_png(const QString& path) override;

private:
    // A new picture starts without alarm conditions; an IR picture runs the
    // timer that marks alarmed objects.
    void reset_warning_conditions();
    // Puts the user data (and, for ordinary pictures, the voice note) into
    // the frame document before a save.
    void put_user_data_into_frame(bool with_sound);
    bool save_picture(const QString& path, bool png, bool append);
    bool load_plain_image(const QString& path);
    // The two roads of print_report once the picture is written.
    int print_report_dot(const QString& dot, const QString& document, const QString& picture, const QString& companion);
    int print_report_xml(const QString& layout, const QString& document, const QString& picture,
                         const QString& companion);

    QByteArray m_sound_bytes;
    uint32_t m_sound_length = 0;
    AudioTool m_audio_tool;
    QJsonObject m_user_data;
    bool m_b_first_opening = true;
    std::map<void*, int> m_warned_anas;
};
