// The spool file: made in the temporary folder and unlinked at once, so that
// it takes no name and leaves nothing behind, whatever way the process ends.
#include "spool.h"

#include <QDir>
#include <QFile>

namespace office::detail {

namespace {

constexpr qint64 kCopyBlock = 256 * 1024;

}  // namespace

bool Spool::open(QString& error)
{
    if (file_.isOpen()) {
        return true;
    }
    file_.setFileTemplate(QDir::tempPath() + QStringLiteral("/.office-spool.XXXXXX"));
    if (!file_.open()) {
        error = QStringLiteral("cannot make a spool file in %1: %2").arg(QDir::tempPath(), file_.errorString());
        return false;
    }
    QFile::remove(file_.fileName());
    return true;
}

bool Spool::append(const QByteArray& bytes, PartPiece& piece, QString& error)
{
    if (!open(error)) {
        return false;
    }
    if (!file_.seek(end_) || file_.write(bytes) != bytes.size() || !file_.flush()) {
        error = QStringLiteral("cannot write the spool file: %1").arg(file_.errorString());
        // What was half written lies past end_ and is written over next time.
        return false;
    }
    piece = PartPiece();
    piece.offset = end_;
    piece.size = bytes.size();
    end_ += bytes.size();
    return true;
}

bool Spool::copy(const PartPiece& piece, QIODevice& out, QString& error)
{
    if (!file_.isOpen() || piece.offset < 0 || piece.size < 0 || piece.offset + piece.size > end_
        || !file_.seek(piece.offset)) {
        error = QStringLiteral("a spooled piece is out of reach");
        return false;
    }
    QByteArray block;
    for (qint64 left = piece.size; left > 0;) {
        block = file_.read(std::min(left, kCopyBlock));
        if (block.isEmpty()) {
            error = QStringLiteral("cannot read the spool file: %1").arg(file_.errorString());
            return false;
        }
        if (out.write(block) != block.size()) {
            error = QStringLiteral("cannot copy a spooled piece");
            return false;
        }
        left -= block.size();
    }
    return true;
}

}  // namespace office::detail
