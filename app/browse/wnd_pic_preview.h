// One tile of the start page's thumbnail grid: the thumbnail of a picture or
// recording, a placeholder until it is made, and a badge telling which.
#pragma once

#include <QQuickPaintedItem>
#include <QString>

class WndPicPreview : public QQuickPaintedItem {
    Q_OBJECT
    Q_PROPERTY(bool b_jpg READ is_jpg WRITE set_jpg)
    Q_PROPERTY(QString str_pic_path READ get_pic_path WRITE set_pic_path NOTIFY sig_change_pic_path)
    Q_PROPERTY(int n_width_preview MEMBER m_width_preview NOTIFY sig_change_width_preview)
public:
    explicit WndPicPreview(QQuickItem* parent = nullptr);
    ~WndPicPreview() override;

    // Shows the file at path (a local path or a file: URL).
    Q_INVOKABLE void set_pic_path(const QString& path);
    Q_INVOKABLE QString get_pic_path() const;
    bool is_jpg() const { return m_jpg; }
    // The QML may set the kind after the path: the request follows it.
    void set_jpg(bool jpg);
    // The file changed on disk: its thumbnail is made again.
    Q_INVOKABLE void update_pic_preview();

    void paint(QPainter* painter) override;

    // Tiles of this width or less show no badge.
    static constexpr int kBadgeMinWidth = 101;

signals:
    void sig_change_pic_path();
    void sig_change_width_preview();

private:
    void on_thumbnail_done(const QString& path);

    QString m_path;
    int m_width_preview = 232;
    bool m_jpg = true;
};
