// Answers the QML's questions about files and analysis objects: the file
// information of the start page's status line, and the alias, temperatures
// and lists of analysis objects. Objects reach the QML only as ids of the
// handle tables below.
#pragma once

#include "shell/handle_table.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

#include <functional>

class ModelIRInfo : public QObject {
    Q_OBJECT
public:
    explicit ModelIRInfo(QObject* parent = nullptr);
    ~ModelIRInfo() override;

    // Analysis objects handed to the QML; get_ir_anas registers them.
    static HandleTable<void>& ana_table();
    // Picture (picfold) and recording (reelplay) objects of the document
    // windows, registered by the windows that own them.
    static HandleTable<void>& picture_source_table();
    static HandleTable<void>& recording_source_table();

    Q_INVOKABLE QString get_ana_alias(int ana);
    Q_INVOKABLE QJsonObject get_ir_image_info(const QString& path);
    Q_INVOKABLE QJsonObject get_ir_video_info(const QString& path);
    Q_INVOKABLE float get_ana_max_temp(int ana);
    Q_INVOKABLE float get_ana_min_temp(int ana);
    // Kind 1: a picture source id, kind 2: a recording source id.
    Q_INVOKABLE QJsonArray get_ir_anas(int source, int kind);
    // Connects to the camera at the address: the id of its stream, which a
    // camera window takes, or 0. A stream no window took is released.
    Q_INVOKABLE int connect_net_device(const QString& address);
    Q_INVOKABLE bool release_net_device(int id);
    Q_INVOKABLE QString get_warning_color(int level);
    Q_INVOKABLE void set_warning_color(int level, const QString& colour);

    // "1024.0 B", "1.0 KB", ... up to TB.
    static QString size_text(qint64 bytes);
    // The device of a frame document as every view shows it: the first MAC
    // text, the third and the second, joined by "-"; false when the document
    // has none.
    static bool device_text(void* doc, QString& text);
    // Lens type as shown when the lens has no description.
    static QString len_type_to_text(int type);
    // The entries of get_ir_anas for a frame document, each object under the
    // id that id_of gives it: the whole picture first, then the objects in
    // type order.
    static QJsonArray ana_entries(void* doc, const std::function<int(void*)>& id_of);

private:
    void add_file_fields(const QString& path, QJsonObject& info) const;
    void add_frame_fields(void* doc, QJsonObject& info) const;

    void* m_picture = nullptr;
    void* m_recording = nullptr;
};
