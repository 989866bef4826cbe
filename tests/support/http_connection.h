#pragma once

// One client connection of MediaServer: reads requests, answers them one
// after another, and streams each body in chunks as the socket drains, so a
// large or paced body never holds up the thread.

#include "http_request.h"
#include "media_server.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QObject>
#include <QTimer>

Q_DECLARE_LOGGING_CATEGORY(lcMediaServer)

namespace mediaserver {

class HttpConnection : public QObject
{
    Q_OBJECT

public:
    // Takes over the socket; tells the server through dropConnection() once
    // the socket is gone.
    HttpConnection(QTcpSocket *socket, MediaServer *server);
    ~HttpConnection() override;

    // Closes the socket at once and stops answering; for MediaServer::stop().
    void abort();

private:
    enum class State { Idle, Sending, Stalled, Closing };
    // What happens once the body has been sent up to m_stopAt.
    enum class Ending { NextRequest, Close, Stall };

    void readRequests();
    void respond(const HttpRequest &request);
    void sendError(int status, bool keepAlive, bool withBody = true);
    void sendHead(int status, const QList<std::pair<QByteArray, QByteArray>> &headers,
                  bool keepAlive);
    void sendBody();
    QByteArray bodyChunk(qint64 length);
    qint64 paceAllowance();
    void endResponse();

    QTcpSocket *m_socket;
    MediaServer *m_server;
    QByteArray m_input;
    State m_state = State::Idle;

    // The response body in progress: bytes [m_next, m_stopAt) of either
    // m_file or, when it is not open, the pseudo-random stream.
    QFile m_file;
    bool m_junkAfterFile = false; // garbage follows the file's bytes
    qint64 m_next = 0;
    qint64 m_stopAt = 0;
    Ending m_ending = Ending::NextRequest;

    // Pacing: a token bucket refilled from the clock on every send.
    QTimer m_paceTimer;
    QElapsedTimer m_paceClock;
    double m_tokens = 0;
};

} // namespace mediaserver
