// Pictures for the batch tests and benchmark, made from the sample picture
// by the project's own writers: each copy carries one rectangle of its own
// (so every picture has a different analysis maximum) and a running voltage
// of its own in its user data.
#pragma once

#include "picfold.h"
#include "thermframe.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace batch_pictures {

inline QString sample_path(const char* name = "sample.jpg")
{
    return QCoreApplication::applicationDirPath() + "/samples/" + QLatin1String(name);
}

// What a picture's report must show.
struct Expected {
    QString path;
    QString name;
    QString title;
    QString voltage;
    QString analysis_max;  // "%.1f" below 100, whole from 100 on
};

inline QString max_text(float value)
{
    return value >= 100.0f ? QString::asprintf("%.0f", double(value)) : QString::asprintf("%.1f", double(value));
}

// Picture i of a batch: "S<i>-Area-Type-Dev-Pos-A.jpg" with a rectangle
// named "R1" at a place of its own and the running voltage 100 + i.
inline bool make_picture(const QString& folder, int i, Expected& expected)
{
    void* handle = nullptr;
    if (!picfold_init(handle)) return false;
    bool ok = picfold_load_file_w(handle, sample_path().toStdWString(), true);
    void* doc = nullptr;
    ok = ok && picfold_get_ir_data(handle, doc) && doc != nullptr;
    if (ok) {
        thermframe_delete_all_ana(doc);
        const int x = 4 + (i % 8) * 14;
        const int y = 4 + (i / 8 % 8) * 12;
        const std::string rect = "R:" + std::to_string(x) + "," + std::to_string(y) + ";" + std::to_string(x + 12) +
                                 "," + std::to_string(y + 10) + ";-";
        void* ana = nullptr;
        ok = thermframe_add_ana(doc, rect, ana) && ana != nullptr && thermframe_ana_set_alias(ana, "R1");
        uint16_t px = 0, py = 0, ad = 0;
        float max = 0.0f;
        ok = ok && thermframe_ana_get_max_temp(ana, px, py, ad, max);
        expected.analysis_max = max_text(max);
        QByteArray user = QJsonDocument(QJsonObject{{"VYVoltage", QString::number(100 + i)}}).toJson(QJsonDocument::Compact);
        ok = ok && thermframe_set_user_data(doc, reinterpret_cast<unsigned char*>(user.data()), uint32_t(user.size()));
    }
    const QString stem = QString("S%1-Area-Type-Dev-Pos-A").arg(i);
    expected.name = stem + ".jpg";
    expected.path = QDir(folder).filePath(expected.name);
    expected.title = QString("S%1AreaTypeDevPosA").arg(i);
    expected.voltage = QString::number(100 + i) + " kV";
    ok = ok && picfold_save_jpg_file_w(handle, expected.path.toStdWString(), std::string(), true, true);
    picfold_uninit(handle);
    return ok;
}

inline bool make_pictures(const QString& folder, int count, std::vector<Expected>& pictures)
{
    pictures.resize(count);
    for (int i = 0; i < count; ++i) {
        if (!make_picture(folder, i, pictures[i])) return false;
    }
    return true;
}

inline QJsonObject record_of(const QString& path, const QString& name)
{
    return QJsonObject{{"strPicPath", path}, {"strPicName", name}};
}

inline QJsonArray records_of(const std::vector<Expected>& pictures)
{
    QJsonArray records;
    for (const Expected& picture : pictures) records.append(record_of(picture.path, picture.name));
    return records;
}

}  // namespace batch_pictures
