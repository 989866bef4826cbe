#include "http_clients.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTcpSocket>
#include <memory>

Fetched fetch(QNetworkAccessManager &nam, const QString &url, const QByteArray &range, bool head)
{
    QNetworkRequest request{QUrl(url)};
    if (!range.isEmpty())
        request.setRawHeader("Range", range);
    std::unique_ptr<QNetworkReply> reply(head ? nam.head(request) : nam.get(request));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    Fetched result;
    result.finished = finished.wait(10000);
    result.error = reply->error();
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->hasRawHeader("Content-Length"))
        result.contentLength = reply->rawHeader("Content-Length").toLongLong();
    result.contentRange = reply->rawHeader("Content-Range");
    result.contentType = reply->rawHeader("Content-Type");
    result.body = reply->readAll();
    return result;
}

QList<RawResponse> exchangeRaw(quint16 port, const QByteArray &requests,
                               const QSet<int> &headIndexes, QByteArray *rest)
{
    QTcpSocket socket;
    QByteArray received;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { received += socket.readAll(); });
    QSignalSpy closed(&socket, &QTcpSocket::disconnected);
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write(requests); // kept until the connection is up
    closed.wait(10000);
    received += socket.readAll();

    QList<RawResponse> responses;
    for (;;) {
        const qsizetype headEnd = received.indexOf("\r\n\r\n");
        if (headEnd < 0)
            break;
        const QList<QByteArray> lines = received.left(headEnd).split('\n');
        RawResponse response;
        response.status = lines.first().split(' ').value(1).toInt();
        for (const QByteArray &line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            response.headers.insert(line.left(colon).trimmed().toLower(),
                                    line.mid(colon + 1).trimmed());
        }
        const qint64 length = headIndexes.contains(int(responses.size()))
                                  ? 0
                                  : response.headers.value("content-length").toLongLong();
        response.body = received.mid(headEnd + 4, length);
        received.remove(0, headEnd + 4 + response.body.size());
        responses.append(response);
    }
    *rest = received;
    return responses;
}
