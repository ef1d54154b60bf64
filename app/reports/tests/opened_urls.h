// Takes the desktop's "open this file" requests instead of a program:
// QDesktopServices::setUrlHandler("file", &opened, "open").
#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

class OpenedUrls : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};
