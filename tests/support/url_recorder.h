#pragma once

// Stands in for the desktop's URL opener in tests: given to
// QDesktopServices::setUrlHandler with the method "open", it keeps every
// URL the program asks the desktop to open.

#include <QList>
#include <QObject>
#include <QUrl>

namespace testing {

class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

} // namespace testing
