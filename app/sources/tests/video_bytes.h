// Reading back what the video writers wrote.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <vector>

inline QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// NAL unit types in the order they appear, from four-byte start codes.
inline std::vector<int> nal_types(const QByteArray& stream, int limit)
{
    std::vector<int> types;
    for (int i = 0; i + 4 < stream.size() && int(types.size()) < limit; ++i) {
        if (stream[i] == 0 && stream[i + 1] == 0 && stream[i + 2] == 0 && stream[i + 3] == 1) {
            types.push_back(uint8_t(stream[i + 4]) & 0x1f);
            i += 3;
        }
    }
    return types;
}
