#include "http_request.h"

#include <QList>
#include <QUrl>

namespace mediaserver {

namespace {

// Strict digits only: a Range with signs, blanks or overflow is malformed,
// and a malformed Range must be ignored rather than half-understood.
std::optional<qint64> parseDigits(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The path part of a request target, still percent-encoded. Accepts the
// absolute form ("http://host/a.mp4") that proxies and some clients send.
QByteArray targetPath(QByteArray target)
{
    const qsizetype schemeEnd = target.indexOf("://");
    if (schemeEnd > 0 && !target.startsWith('/')) {
        const qsizetype pathStart = target.indexOf('/', schemeEnd + 3);
        target = pathStart < 0 ? QByteArray("/") : target.mid(pathStart);
    }
    const qsizetype queryStart = target.indexOf('?');
    if (queryStart >= 0)
        target.truncate(queryStart);
    const qsizetype fragmentStart = target.indexOf('#');
    if (fragmentStart >= 0)
        target.truncate(fragmentStart);
    return target;
}

} // namespace

std::optional<HttpRequest> parseRequestHead(QByteArrayView head)
{
    const QList<QByteArray> lines = head.toByteArray().split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    if (requestLine.size() != 3 || requestLine[0].isEmpty() ||
        !requestLine[2].startsWith("HTTP/1."))
        return std::nullopt;

    HttpRequest request;
    request.method = requestLine[0];
    const QByteArray path = targetPath(requestLine[1]);
    if (!path.startsWith('/'))
        return std::nullopt;
    request.path = QUrl::fromPercentEncoding(path);
    while (request.path.startsWith(u'/'))
        request.path.remove(0, 1);

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return std::nullopt;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        QByteArray &stored = request.headers[name];
        stored = stored.isEmpty() ? value : stored + ", " + value;
    }

    QList<QByteArray> connectionTokens;
    for (const QByteArray &token : request.headers.value("connection").toLower().split(','))
        connectionTokens.append(token.trimmed());
    request.keepAlive = requestLine[2] == "HTTP/1.0" ? connectionTokens.contains("keep-alive")
                                                     : !connectionTokens.contains("close");
    return request;
}

RangeRequest resolveRange(QByteArrayView header, qint64 size)
{
    const RangeRequest whole{RangeRequest::Whole, {0, size - 1}};
    const RangeRequest unsatisfiable{RangeRequest::Unsatisfiable, {0, -1}};

    const QByteArray value = header.toByteArray().trimmed();
    if (!value.toLower().startsWith("bytes="))
        return whole;
    const QByteArray ranges = value.mid(6).trimmed();
    const qsizetype dash = ranges.indexOf('-');
    if (dash < 0 || ranges.contains(','))
        return whole;
    const QByteArray firstText = ranges.left(dash).trimmed();
    const QByteArray lastText = ranges.mid(dash + 1).trimmed();

    if (firstText.isEmpty()) {
        // "bytes=-n": the last n bytes.
        const std::optional<qint64> suffix = parseDigits(lastText);
        if (!suffix)
            return whole;
        if (*suffix == 0 || size == 0)
            return unsatisfiable;
        return {RangeRequest::Partial, {qMax<qint64>(0, size - *suffix), size - 1}};
    }

    const std::optional<qint64> first = parseDigits(firstText);
    const std::optional<qint64> last =
        lastText.isEmpty() ? std::optional<qint64>(size - 1) : parseDigits(lastText);
    if (!first || !last || (!lastText.isEmpty() && *last < *first))
        return whole;
    if (*first >= size)
        return unsatisfiable;
    return {RangeRequest::Partial, {*first, qMin(*last, size - 1)}};
}

} // namespace mediaserver
