#include "link_opener.h"

#include <QDesktopServices>

// Warnings only unless QT_LOGGING_RULES asks for more ("tafsir.*.debug=true").
Q_LOGGING_CATEGORY(lcLinks, "tafsir.links", QtWarningMsg)

namespace links {

QUrl addressOf(QStringView link)
{
    // Handed to the desktop's URL opener as it is, a text without a scheme
    // would be taken for a file name.
    const QUrl url(link.toString(), QUrl::TolerantMode);
    if (!url.scheme().isEmpty())
        return url;
    return QUrl(QStringLiteral("http://") + link.toString(), QUrl::TolerantMode);
}

bool openLink(QStringView link)
{
    const QUrl url = addressOf(link);
    qCDebug(lcLinks) << "opening" << url;
    // The desktop's opener runs as its own process, with the address as one
    // argument of its own.
    const bool opened = QDesktopServices::openUrl(url);
    if (!opened)
        qCDebug(lcLinks) << "no program took" << url;
    return opened;
}

} // namespace links
