#pragma once

#include <QObject>
#include <QUrl>

// Opens files in the desktop's viewer through xdg-open, and tells when that
// failed: no xdg-open, no application for the file's type, or another error.
// Set it as the handler of file URLs (QDesktopServices::setUrlHandler), so
// that every open request of the program comes here.
class DesktopOpener : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

public slots:
    void open(const QUrl &url);

signals:
    // The file named could not be shown; it was left where it is.
    void failed(const QString &path);
};
