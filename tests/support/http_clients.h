#pragma once

// Two ways for a test to talk to MediaServer while the thread's event loop
// keeps running (the server answers from the same thread): Qt's own HTTP
// client, and a raw socket for what that client would hide or tidy up.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QNetworkReply>
#include <QSet>

class QNetworkAccessManager;

struct Fetched
{
    bool finished = false; // false: no answer within 10 s
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    int status = 0;
    qint64 contentLength = -1; // -1: no Content-Length header
    QByteArray contentRange;
    QByteArray contentType;
    QByteArray body;
};

// One GET (or HEAD) through QNetworkAccessManager, with an optional Range.
Fetched fetch(QNetworkAccessManager &nam, const QString &url, const QByteArray &range = {},
              bool head = false);

struct RawResponse
{
    int status = 0;
    QHash<QByteArray, QByteArray> headers; // lower-case names
    QByteArray body;
};

// Sends requests as raw bytes on one connection and splits everything that
// comes back until the server closes it (at most 10 s). Responses at
// headIndexes answer HEAD requests and so carry no body; bytes that do not
// make up a whole response are left in rest.
QList<RawResponse> exchangeRaw(quint16 port, const QByteArray &requests,
                               const QSet<int> &headIndexes, QByteArray *rest);
