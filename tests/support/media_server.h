#pragma once

// A small HTTP/1.1 file server on 127.0.0.1 for tests that play real media
// the way the application does: over the network, through libmpv's ffmpeg
// client. It runs entirely on the thread it lives on, driven by that thread's
// event loop, so a test must keep processing events (QTRY_*, QSignalSpy::wait,
// QTest::qWait) while a client talks to it; it never blocks that loop, which
// also runs the widgets and the player's event handling.
//
// It serves GET and HEAD with Content-Length, single byte ranges (206 with
// Content-Range), keep-alive and pipelined requests, any number of concurrent
// connections, and percent-encoded paths. Per path it can also misbehave in
// the ways real media hosts do (see Mode).

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace mediaserver {
class HttpConnection;
}

class MediaServer : public QObject
{
    Q_OBJECT

public:
    // How the server answers GET requests for one path. A HEAD request gets
    // the headers the GET would get (404 for NotFound) and no fault.
    enum class Mode {
        Normal,
        NotFound, // 404, whether or not the file exists
        // 200 with pseudo-random bytes: as many as the file has, or 512 KiB
        // when there is no such file; the same bytes on every request.
        Garbage,
        // Announces the full Content-Length but closes the connection once
        // the body reaches the middle of the file. The cut is at that file
        // offset, so a client that reconnects with a Range cannot get past it.
        CloseMidway,
        // Sends the headers and the first stallBytes of the body, then nothing
        // more, keeping the connection open until the client gives up.
        Stall,
        // The file followed by endlessJunkBytes of pseudo-random bytes, as
        // one resource whose Content-Length counts both: a host that serves
        // a broken file of many gigabytes.
        EndlessJunk,
    };
    Q_ENUM(Mode)

    static constexpr qint64 stallBytes = 16 * 1024;
    static constexpr qint64 garbageBytesWithoutFile = 512 * 1024;
    static constexpr qint64 endlessJunkBytes = qint64(20) << 30;

    explicit MediaServer(QObject *parent = nullptr);
    ~MediaServer() override;

    // Listens on 127.0.0.1 on a free port and serves the files under
    // rootDir. False if the folder does not exist or listening failed.
    bool start(const QString &rootDir);
    // Stops listening and drops every open connection.
    void stop();
    bool isListening() const;
    quint16 port() const;
    QString rootDir() const { return m_rootDir; }

    // The URL a client uses for a path relative to the root, e.g.
    // url("clip.mp4") == "http://127.0.0.1:PORT/clip.mp4"; the path is given
    // decoded and comes back percent-encoded.
    QString url(const QString &path) const;
    // The file served for a decoded request path; empty when there is none
    // or the path would leave the root.
    QString localFile(const QString &path) const;

    void setMode(const QString &path, Mode mode);
    Mode mode(const QString &path) const;

    // Answers every request for the path with this HTTP error status (403,
    // 410, 500, 503 ...) and a short text body; 0 serves it again.
    void setErrorStatus(const QString &path, int status);
    int errorStatus(const QString &path) const;

    // Paces every response body to about this many bytes per second and
    // connection, so that buffering and loading states last long enough to
    // be seen. 0, the default, sends as fast as the client reads.
    void setBytesPerSecond(qint64 bytesPerSecond);
    qint64 bytesPerSecond() const { return m_bytesPerSecond; }

    // The decoded path of every request in the order it arrived.
    QStringList requestedPaths() const { return m_requestedPaths; }
    void clearRequestedPaths() { m_requestedPaths.clear(); }
    // Connections the server still holds open, stalled ones included.
    int openConnectionCount() const { return int(m_connections.size()); }

signals:
    void requested(const QString &path);

protected:
    // The listening socket. An HTTPS variant returns a QSslServer set up with
    // a certificate and returns "https" from scheme(); connections read and
    // write the sockets it hands out without knowing which kind they are.
    virtual std::unique_ptr<QTcpServer> createListener();
    virtual QString scheme() const { return QStringLiteral("http"); }

private:
    friend class mediaserver::HttpConnection;
    void noteRequest(const QString &path);
    void acceptConnections();
    void dropConnection(mediaserver::HttpConnection *connection);

    std::unique_ptr<QTcpServer> m_listener;
    QString m_rootDir; // absolute; empty until start()
    QHash<QString, Mode> m_modes;
    QHash<QString, int> m_errorStatuses;
    qint64 m_bytesPerSecond = 0;
    QStringList m_requestedPaths;
    QSet<mediaserver::HttpConnection *> m_connections;
};
