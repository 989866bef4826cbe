#include "media_server.h"

#include "http_connection.h"

#include <QDir>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// Requests are logged at debug level, off unless asked for with
// QT_LOGGING_RULES="tafsir.tests.mediaserver.debug=true".
Q_LOGGING_CATEGORY(lcMediaServer, "tafsir.tests.mediaserver", QtInfoMsg)

using mediaserver::HttpConnection;

namespace {

// Paths are keyed and logged as the client's decoded path without the
// leading '/', so "clip.mp4" and "/clip.mp4" name the same file.
QString relativePath(QString path)
{
    while (path.startsWith(u'/'))
        path.remove(0, 1);
    return path;
}

} // namespace

MediaServer::MediaServer(QObject *parent) : QObject(parent) {}

MediaServer::~MediaServer()
{
    stop();
}

bool MediaServer::start(const QString &rootDir)
{
    stop();
    const QFileInfo root(rootDir);
    if (!root.isDir()) {
        qCWarning(lcMediaServer) << "no such folder:" << rootDir;
        return false;
    }
    m_rootDir = root.absoluteFilePath();
    m_listener = createListener();
    // pendingConnectionAvailable rather than newConnection: a TLS listener
    // announces a socket only once its handshake is done.
    connect(m_listener.get(), &QTcpServer::pendingConnectionAvailable, this,
            &MediaServer::acceptConnections);
    if (!m_listener->listen(QHostAddress::LocalHost, 0)) {
        qCWarning(lcMediaServer) << "cannot listen:" << m_listener->errorString();
        m_listener.reset();
        return false;
    }
    qCDebug(lcMediaServer) << "serving" << m_rootDir << "at" << url({});
    return true;
}

void MediaServer::stop()
{
    m_listener.reset();
    // Deferred deletion: stop() may be called from a slot of requested(),
    // that is from inside one of these connections.
    for (HttpConnection *connection : std::exchange(m_connections, {})) {
        connection->abort();
        connection->deleteLater();
    }
}

bool MediaServer::isListening() const
{
    return m_listener && m_listener->isListening();
}

quint16 MediaServer::port() const
{
    return m_listener ? m_listener->serverPort() : 0;
}

QString MediaServer::url(const QString &path) const
{
    QUrl url;
    url.setScheme(scheme());
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port());
    url.setPath(u'/' + relativePath(path), QUrl::DecodedMode);
    return url.toString(QUrl::FullyEncoded);
}

QString MediaServer::localFile(const QString &path) const
{
    if (m_rootDir.isEmpty())
        return {};
    const QString clean = QDir::cleanPath(relativePath(path));
    if (clean.isEmpty() || clean == u".." || clean.startsWith(u"../") ||
        QDir::isAbsolutePath(clean))
        return {};
    const QFileInfo info(QDir(m_rootDir).filePath(clean));
    return info.isFile() && info.isReadable() ? info.absoluteFilePath() : QString();
}

void MediaServer::setMode(const QString &path, Mode mode)
{
    if (mode == Mode::Normal)
        m_modes.remove(relativePath(path));
    else
        m_modes.insert(relativePath(path), mode);
}

MediaServer::Mode MediaServer::mode(const QString &path) const
{
    return m_modes.value(relativePath(path), Mode::Normal);
}

void MediaServer::setErrorStatus(const QString &path, int status)
{
    if (status == 0)
        m_errorStatuses.remove(relativePath(path));
    else
        m_errorStatuses.insert(relativePath(path), status);
}

int MediaServer::errorStatus(const QString &path) const
{
    return m_errorStatuses.value(relativePath(path), 0);
}

void MediaServer::setBytesPerSecond(qint64 bytesPerSecond)
{
    m_bytesPerSecond = qMax<qint64>(0, bytesPerSecond);
}

std::unique_ptr<QTcpServer> MediaServer::createListener()
{
    return std::make_unique<QTcpServer>();
}

void MediaServer::noteRequest(const QString &path)
{
    m_requestedPaths.append(path);
    emit requested(path);
}

void MediaServer::acceptConnections()
{
    while (QTcpSocket *socket = m_listener->nextPendingConnection())
        m_connections.insert(new HttpConnection(socket, this));
}

void MediaServer::dropConnection(HttpConnection *connection)
{
    if (m_connections.remove(connection))
        connection->deleteLater();
}
