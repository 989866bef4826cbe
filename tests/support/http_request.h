#pragma once

// The two pieces of HTTP/1.1 a media client's requests need parsed: the
// request head and its Range header. Pure functions, no sockets, so the
// connection code only decides what to send.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <optional>

namespace mediaserver {

struct HttpRequest
{
    QByteArray method; // "GET", "HEAD", ... as sent
    // The target's path, percent-decoded, without query and without the
    // leading '/': the same form MediaServer takes in url() and setMode().
    QString path;
    bool keepAlive = true;                 // what the client asked for; HTTP/1.0 defaults to close
    QHash<QByteArray, QByteArray> headers; // lower-case names, trimmed values
};

// Parses a request head: the request line and the header lines, without the
// empty line that ends the head. Nullopt unless it is a well-formed HTTP/1.x
// request.
std::optional<HttpRequest> parseRequestHead(QByteArrayView head);

// An inclusive span of body offsets.
struct ByteRange
{
    qint64 first = 0;
    qint64 last = -1;
    qint64 length() const { return last - first + 1; }
    friend bool operator==(const ByteRange &, const ByteRange &) = default;
};

struct RangeRequest
{
    enum Kind { Whole, Partial, Unsatisfiable };
    Kind kind = Whole;
    ByteRange range; // the bytes to send; empty for Unsatisfiable
};

// Resolves a Range header value against a body of `size` bytes. A missing,
// malformed or multi-range header asks for the whole body, which a server
// may always send instead of ranges.
RangeRequest resolveRange(QByteArrayView header, qint64 size);

} // namespace mediaserver
