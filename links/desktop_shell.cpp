#include "desktop_shell.h"

#include <QDesktopServices>
#include <QUrl>

Q_LOGGING_CATEGORY(lcLinks, "tafsir.links")

namespace links {
namespace {

// What a text stands for as an address. Handed to the desktop's URL opener
// as it is, a text without a scheme would be taken for a file name.
QUrl addressOf(const QString &text)
{
    const QUrl url(text, QUrl::TolerantMode);
    if (!url.scheme().isEmpty())
        return url;
    return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
}

} // namespace

bool shellOpen(WId owner, const QByteArray &file)
{
    const QUrl url = addressOf(QString::fromLocal8Bit(file));
    qCDebug(lcLinks) << "opening" << url << "for window" << Qt::hex << owner;
    // The desktop's opener runs as its own process, with the address as one
    // argument of its own.
    const bool opened = QDesktopServices::openUrl(url);
    if (!opened)
        qCDebug(lcLinks) << "no program took" << url;
    return opened;
}

} // namespace links
