// A temporary file that long documents keep their finished content in, so
// that their memory does not grow with their length: pieces are appended as
// they come and copied out when the document is saved.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QTemporaryFile>

namespace office::detail {

// Bytes of a part: held in memory, or a range of a spool (offset >= 0).
struct PartPiece {
    QByteArray bytes;
    qint64 offset = -1;
    qint64 size = 0;
};

class Spool {
public:
    Spool() = default;
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    // Appends bytes; piece tells where they lie. False when the file cannot
    // be made or written (a full disk), with nothing recorded.
    bool append(const QByteArray& bytes, PartPiece& piece, QString& error);
    // Writes the range of piece to out in blocks.
    bool copy(const PartPiece& piece, QIODevice& out, QString& error);

private:
    bool open(QString& error);

    QTemporaryFile file_;
    qint64 end_ = 0;
};

}  // namespace office::detail
