#include "http_connection.h"

#include <QFileInfo>
#include <QTcpSocket>

namespace mediaserver {

namespace {

// A request head larger than this is not from a media client.
constexpr qsizetype maxHeadBytes = 64 * 1024;
constexpr qint64 chunkBytes = 64 * 1024;
// Enough queued in the socket to keep the kernel buffer full; refilled on
// bytesWritten, so a slow reader never makes the server buffer a whole file.
constexpr qint64 socketHighWater = 256 * 1024;
constexpr int paceIntervalMs = 20;

QByteArray contentType(const QString &path)
{
    static const QHash<QString, QByteArray> types = {
        {QStringLiteral("mp4"), "video/mp4"},        {QStringLiteral("m4v"), "video/mp4"},
        {QStringLiteral("m4a"), "audio/mp4"},        {QStringLiteral("flv"), "video/x-flv"},
        {QStringLiteral("ogv"), "video/ogg"},        {QStringLiteral("ogg"), "audio/ogg"},
        {QStringLiteral("mkv"), "video/x-matroska"}, {QStringLiteral("webm"), "video/webm"},
        {QStringLiteral("wmv"), "video/x-ms-wmv"},   {QStringLiteral("asf"), "video/x-ms-asf"},
        {QStringLiteral("mp3"), "audio/mpeg"},       {QStringLiteral("avi"), "video/x-msvideo"},
        {QStringLiteral("txt"), "text/plain"},       {QStringLiteral("html"), "text/html"},
    };
    return types.value(QFileInfo(path).suffix().toLower(), "application/octet-stream");
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 410:
        return "Gone";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    case 405:
        return "Method Not Allowed";
    case 416:
        return "Range Not Satisfiable";
    case 431:
        return "Request Header Fields Too Large";
    default:
        return "Internal Server Error";
    }
}

// splitmix64. Garbage byte i depends on i alone, so any range of the garbage
// body can be produced on its own and repeated requests agree.
quint64 garbageWord(quint64 index)
{
    quint64 z = index * 0x9E3779B97F4A7C15ULL + 0x6A09E667F3BCC909ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

HttpConnection::HttpConnection(QTcpSocket *socket, MediaServer *server)
    : QObject(server), m_socket(socket), m_server(server)
{
    m_socket->setParent(this);
    m_paceTimer.setSingleShot(true);
    m_paceTimer.setInterval(paceIntervalMs);
    connect(&m_paceTimer, &QTimer::timeout, this, &HttpConnection::sendBody);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpConnection::readRequests);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &HttpConnection::sendBody);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { m_server->dropConnection(this); });
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_socket->state() == QAbstractSocket::UnconnectedState)
            m_server->dropConnection(this);
    });
    // The request may have arrived before readyRead was connected.
    QMetaObject::invokeMethod(this, &HttpConnection::readRequests, Qt::QueuedConnection);
}

HttpConnection::~HttpConnection()
{
    abort();
}

void HttpConnection::abort()
{
    // No more callbacks into a connection that is going away.
    m_socket->disconnect(this);
    m_paceTimer.stop();
    m_state = State::Closing;
    m_socket->abort();
}

void HttpConnection::readRequests()
{
    m_input += m_socket->readAll();
    while (m_state == State::Idle && m_socket->state() == QAbstractSocket::ConnectedState) {
        const qsizetype headEnd = m_input.indexOf("\r\n\r\n");
        if (headEnd < 0) {
            if (m_input.size() > maxHeadBytes)
                sendError(431, false);
            return;
        }
        const QByteArray head = m_input.left(headEnd);
        m_input.remove(0, headEnd + 4);
        if (const std::optional<HttpRequest> request = parseRequestHead(head)) {
            respond(*request);
        } else {
            qCWarning(lcMediaServer) << "malformed request:" << head.left(200);
            sendError(400, false);
        }
    }
}

void HttpConnection::respond(const HttpRequest &request)
{
    m_server->noteRequest(request.path);
    const bool isHead = request.method == "HEAD";
    if (!isHead && request.method != "GET") {
        sendError(405, false);
        return;
    }
    // Media clients send no request bodies; one we did not read would be
    // taken for the next request.
    if (request.headers.value("content-length", "0") != "0" ||
        request.headers.contains("transfer-encoding")) {
        sendError(400, false);
        return;
    }

    if (const int status = m_server->errorStatus(request.path); status != 0) {
        qCDebug(lcMediaServer) << request.method << request.path << "->" << status;
        sendError(status, request.keepAlive, !isHead);
        return;
    }
    const MediaServer::Mode mode = m_server->mode(request.path);
    const QString file = m_server->localFile(request.path);
    m_file.close();
    m_junkAfterFile = false;
    qint64 size = 0;
    if (mode == MediaServer::Mode::NotFound ||
        (file.isEmpty() && mode != MediaServer::Mode::Garbage)) {
        qCDebug(lcMediaServer) << request.method << request.path << "-> 404";
        sendError(404, request.keepAlive, !isHead);
        return;
    }
    if (mode == MediaServer::Mode::Garbage) {
        size = file.isEmpty() ? MediaServer::garbageBytesWithoutFile : QFileInfo(file).size();
    } else {
        m_file.setFileName(file);
        if (!m_file.open(QIODevice::ReadOnly)) {
            qCWarning(lcMediaServer) << "cannot read" << file << m_file.errorString();
            sendError(500, false, !isHead);
            return;
        }
        size = m_file.size();
        m_junkAfterFile = mode == MediaServer::Mode::EndlessJunk;
        if (m_junkAfterFile)
            size += MediaServer::endlessJunkBytes;
    }

    const QByteArray rangeHeader = request.headers.value("range");
    const RangeRequest range = resolveRange(rangeHeader, size);
    const int status = range.kind == RangeRequest::Unsatisfiable ? 416
                       : range.kind == RangeRequest::Partial     ? 206
                                                                 : 200;
    qCDebug(lcMediaServer) << request.method << request.path << rangeHeader << mode << "->"
                           << status;
    if (status == 416) {
        sendHead(
            416,
            {{"Content-Range", "bytes */" + QByteArray::number(size)}, {"Content-Length", "0"}},
            request.keepAlive);
        m_next = m_stopAt = 0;
        m_ending = request.keepAlive ? Ending::NextRequest : Ending::Close;
        m_state = State::Sending;
        endResponse();
        return;
    }

    QList<std::pair<QByteArray, QByteArray>> headers = {
        {"Content-Type", contentType(request.path)},
        {"Content-Length", QByteArray::number(range.range.length())},
        {"Accept-Ranges", "bytes"},
    };
    if (status == 206) {
        headers.emplaceBack("Content-Range", "bytes " + QByteArray::number(range.range.first) +
                                                 '-' + QByteArray::number(range.range.last) + '/' +
                                                 QByteArray::number(size));
    }
    sendHead(status, headers, request.keepAlive);

    m_next = range.range.first;
    m_stopAt = isHead ? m_next : range.range.last + 1;
    m_ending = request.keepAlive ? Ending::NextRequest : Ending::Close;
    if (!isHead && mode == MediaServer::Mode::CloseMidway && m_stopAt > size / 2) {
        m_stopAt = qMax(m_next, size / 2);
        m_ending = Ending::Close;
    } else if (!isHead && mode == MediaServer::Mode::Stall &&
               m_stopAt > m_next + MediaServer::stallBytes) {
        m_stopAt = m_next + MediaServer::stallBytes;
        m_ending = Ending::Stall;
    }
    m_state = State::Sending;
    m_tokens = 0;
    m_paceClock.start();
    sendBody();
}

void HttpConnection::sendError(int status, bool keepAlive, bool withBody)
{
    const QByteArray body = reasonPhrase(status) + '\n';
    QList<std::pair<QByteArray, QByteArray>> headers = {
        {"Content-Type", "text/plain"},
        {"Content-Length", QByteArray::number(body.size())},
    };
    if (status == 405)
        headers.emplaceBack("Allow", "GET, HEAD");
    sendHead(status, headers, keepAlive);
    if (withBody)
        m_socket->write(body);
    m_next = m_stopAt = 0;
    m_ending = keepAlive ? Ending::NextRequest : Ending::Close;
    m_state = State::Sending;
    endResponse();
}

void HttpConnection::sendHead(int status, const QList<std::pair<QByteArray, QByteArray>> &headers,
                              bool keepAlive)
{
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    for (const auto &[name, value] : headers)
        head += name + ": " + value + "\r\n";
    head += keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
    m_socket->write(head);
}

void HttpConnection::sendBody()
{
    if (m_state != State::Sending || m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    while (m_next < m_stopAt && m_socket->bytesToWrite() < socketHighWater) {
        const qint64 length = qMin(qMin(chunkBytes, m_stopAt - m_next), paceAllowance());
        if (length <= 0) {
            if (!m_paceTimer.isActive())
                m_paceTimer.start();
            return;
        }
        const QByteArray chunk = bodyChunk(length);
        if (chunk.size() != length) {
            qCWarning(lcMediaServer) << "short read from" << m_file.fileName();
            m_socket->abort();
            return;
        }
        m_socket->write(chunk);
        m_next += length;
        m_tokens -= double(length);
    }
    if (m_next == m_stopAt)
        endResponse();
}

QByteArray HttpConnection::bodyChunk(qint64 length)
{
    // The file's own bytes, then (past its end, for EndlessJunk) garbage.
    QByteArray bytes;
    if (m_file.isOpen() && m_next < m_file.size()) {
        if (!m_file.seek(m_next))
            return {};
        bytes = m_file.read(length);
        if (bytes.size() == length || !m_junkAfterFile)
            return bytes;
    } else if (m_file.isOpen() && !m_junkAfterFile) {
        return {};
    }
    const qint64 start = m_next + bytes.size();
    const qint64 rest = length - bytes.size();
    if (m_junkAfterFile) {
        // Gigabytes of junk: one block of it, repeated, costs a copy per
        // chunk where working out each byte would hold the event loop.
        static const QByteArray junk = [] {
            QByteArray block(1 << 20, Qt::Uninitialized);
            for (qint64 i = 0; i < block.size(); ++i)
                block[i] = char(garbageWord(quint64(i) / 8) >> (8 * (i % 8)));
            return block;
        }();
        bytes.reserve(length);
        for (qint64 done = 0; done < rest;) {
            const qint64 at = (start + done) % junk.size();
            const qint64 take = qMin(rest - done, junk.size() - at);
            bytes.append(junk.constData() + at, take);
            done += take;
        }
        return bytes;
    }
    bytes.reserve(length);
    for (qint64 i = 0; i < rest; ++i) {
        const quint64 offset = quint64(start + i);
        bytes.append(char(garbageWord(offset / 8) >> (8 * (offset % 8))));
    }
    return bytes;
}

qint64 HttpConnection::paceAllowance()
{
    const qint64 rate = m_server->bytesPerSecond();
    if (rate <= 0) {
        m_tokens = 0;
        return chunkBytes;
    }
    // Refill from the clock, but never above a tenth of a second's worth: a
    // reader that paused must not get a burst that hides the pacing.
    const double refill = double(rate) * double(m_paceClock.nsecsElapsed()) / 1e9;
    m_paceClock.restart();
    m_tokens = qMin(m_tokens + refill, qMax(double(rate) / 10.0, 1.0));
    return qint64(m_tokens);
}

void HttpConnection::endResponse()
{
    switch (m_ending) {
    case Ending::NextRequest:
        m_state = State::Idle;
        // Pipelined requests may be waiting already; take them up from the
        // event loop rather than from inside this send.
        QMetaObject::invokeMethod(this, &HttpConnection::readRequests, Qt::QueuedConnection);
        break;
    case Ending::Close:
        m_state = State::Closing;
        m_socket->disconnectFromHost(); // after the queued bytes have gone out
        break;
    case Ending::Stall:
        m_state = State::Stalled;
        break;
    }
}

} // namespace mediaserver
