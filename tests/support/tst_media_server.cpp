// Checks MediaServer against the clients that will use it: Qt's own HTTP
// client for the protocol details and fault modes, and libmpv (ffmpeg's HTTP
// client) playing every generated media file.

#include "http_clients.h"
#include "media_server.h"
#include "mpv_session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <memory>
#include <mpv/client.h>
#include <optional>

namespace {

const QString mediaDir = QStringLiteral(TEST_MEDIA_DIR);

QByteArray mediaBytes(const QString &name)
{
    QFile file(mediaDir + u'/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstMediaServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void getServesExactBytes_data();
    void getServesExactBytes();
    void rangeRequests_data();
    void rangeRequests();
    void headSendsLengthWithoutBody();
    void keepAliveAnswersPipelinedRequestsInOrder();
    void notFoundMode();
    void pathsAreDecodedAndConfinedToRoot_data();
    void pathsAreDecodedAndConfinedToRoot();
    void concurrentConnections();
    void pacingLimitsRate();
    void garbageMode();
    void closeMidwayCutsAtMiddleOfFile_data();
    void closeMidwayCutsAtMiddleOfFile();
    void stallKeepsConnectionOpenWithoutBlocking();

    void mpvPlays_data();
    void mpvPlays();
    void mpvReportsNotFound();

private:
    std::unique_ptr<MediaServer> m_server;
    std::unique_ptr<QNetworkAccessManager> m_nam;
};

void TstMediaServer::initTestCase()
{
    // libmpv refuses to start under any other numeric locale, and the
    // application object may have set one from the environment.
    std::setlocale(LC_NUMERIC, "C");
    // ffmpeg honours http_proxy; the server is local.
    const QByteArray noProxy = qgetenv("no_proxy");
    if (!noProxy.contains("127.0.0.1"))
        qputenv("no_proxy", noProxy.isEmpty() ? "127.0.0.1" : noProxy + ",127.0.0.1");

    for (const char *name :
         {"clip.mp4", "clip.flv", "clip.ogv", "clip.mkv", "clip.wmv", "clip.mp3"}) {
        const qint64 size = QFileInfo(mediaDir + u'/' + QLatin1String(name)).size();
        QVERIFY2(size > 32 * 1024 && size < 1024 * 1024, name);
    }
}

void TstMediaServer::init()
{
    m_server = std::make_unique<MediaServer>();
    QVERIFY(m_server->start(mediaDir));
    QVERIFY(m_server->port() != 0);
    m_nam = std::make_unique<QNetworkAccessManager>();
    m_nam->setProxy(QNetworkProxy::NoProxy);
}

void TstMediaServer::cleanup()
{
    m_nam.reset();
    m_server.reset();
}

void TstMediaServer::getServesExactBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contentType");
    QTest::newRow("mp4") << "clip.mp4" << QByteArray("video/mp4");
    QTest::newRow("flv") << "clip.flv" << QByteArray("video/x-flv");
    QTest::newRow("ogv") << "clip.ogv" << QByteArray("video/ogg");
    QTest::newRow("mkv") << "clip.mkv" << QByteArray("video/x-matroska");
    QTest::newRow("wmv") << "clip.wmv" << QByteArray("video/x-ms-wmv");
    QTest::newRow("mp3") << "clip.mp3" << QByteArray("audio/mpeg");
}

void TstMediaServer::getServesExactBytes()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, contentType);
    const QByteArray expected = mediaBytes(name);

    const Fetched got = fetch(*m_nam, m_server->url(name));
    QVERIFY(got.finished);
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.status, 200);
    QCOMPARE(got.contentType, contentType);
    QCOMPARE(got.contentLength, expected.size());
    QVERIFY(got.body == expected);
    QCOMPARE(m_server->requestedPaths(), QStringList{name});
}

void TstMediaServer::rangeRequests_data()
{
    // first and last below zero count from the end: -1 is the last byte.
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    QTest::newRow("open-ended from 0, as ffmpeg opens")
        << QByteArray("bytes=0-") << 206 << 0LL << -1LL;
    QTest::newRow("open-ended, as ffmpeg seeks")
        << QByteArray("bytes=40000-") << 206 << 40000LL << -1LL;
    QTest::newRow("closed") << QByteArray("bytes=100-1099") << 206 << 100LL << 1099LL;
    QTest::newRow("one byte") << QByteArray("bytes=0-0") << 206 << 0LL << 0LL;
    QTest::newRow("suffix") << QByteArray("bytes=-500") << 206 << -500LL << -1LL;
    QTest::newRow("end past the file") << QByteArray("bytes=10-999999999") << 206 << 10LL << -1LL;
    QTest::newRow("last byte") << QByteArray("bytes=-1") << 206 << -1LL << -1LL;
    QTest::newRow("reversed: ignored") << QByteArray("bytes=9-2") << 200 << 0LL << -1LL;
    QTest::newRow("several: whole file") << QByteArray("bytes=0-9,20-29") << 200 << 0LL << -1LL;
    QTest::newRow("other unit: ignored") << QByteArray("items=0-9") << 200 << 0LL << -1LL;
    QTest::newRow("past the end") << QByteArray("bytes=99999999-") << 416 << 0LL << -1LL;
}

void TstMediaServer::rangeRequests()
{
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    const QByteArray file = mediaBytes(QStringLiteral("clip.mp4"));
    const qint64 size = file.size();
    first = first < 0 ? size + first : first;
    last = last < 0 ? size + last : last;

    const Fetched got = fetch(*m_nam, m_server->url(QStringLiteral("clip.mp4")), range);
    QVERIFY(got.finished);
    QCOMPARE(got.status, status);
    if (status == 416) {
        QCOMPARE(got.contentRange, "bytes */" + QByteArray::number(size));
        QVERIFY(got.body.isEmpty());
        return;
    }
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.contentLength, last - first + 1);
    QCOMPARE(got.body.size(), last - first + 1);
    QVERIFY(got.body == file.mid(first, last - first + 1));
    const QByteArray contentRange = status == 206 ? "bytes " + QByteArray::number(first) + '-' +
                                                        QByteArray::number(last) + '/' +
                                                        QByteArray::number(size)
                                                  : QByteArray();
    QCOMPARE(got.contentRange, contentRange);
}

void TstMediaServer::headSendsLengthWithoutBody()
{
    const Fetched got = fetch(*m_nam, m_server->url(QStringLiteral("clip.wmv")), {}, true);
    QVERIFY(got.finished);
    QCOMPARE(got.status, 200);
    QCOMPARE(got.contentLength, mediaBytes(QStringLiteral("clip.wmv")).size());
    QVERIFY(got.body.isEmpty());
    QCOMPARE(m_server->requestedPaths(), QStringList{QStringLiteral("clip.wmv")});
}

void TstMediaServer::keepAliveAnswersPipelinedRequestsInOrder()
{
    // All four on one connection, sent at once. The HEAD answer must carry no
    // body, or every later response would be misread; the last request asks
    // for the connection to close, and the server must close it.
    const QByteArray requests = "GET /clip.mp3 HTTP/1.1\r\nHost: t\r\nRange: bytes=0-9\r\n\r\n"
                                "HEAD /clip.mp3 HTTP/1.1\r\nHost: t\r\n\r\n"
                                "GET /missing.mp3 HTTP/1.1\r\nHost: t\r\n\r\n"
                                "GET /clip.mp3 HTTP/1.1\r\nHost: t\r\nRange: bytes=-4\r\n"
                                "Connection: close\r\n\r\n";
    const QByteArray file = mediaBytes(QStringLiteral("clip.mp3"));
    QByteArray rest;
    const QList<RawResponse> responses = exchangeRaw(m_server->port(), requests, {1}, &rest);

    QCOMPARE(responses.size(), 4);
    QCOMPARE(responses[0].status, 206);
    QCOMPARE(responses[0].body, file.left(10));
    QCOMPARE(responses[1].status, 200);
    QCOMPARE(responses[1].headers.value("content-length").toLongLong(), file.size());
    QCOMPARE(responses[2].status, 404);
    QCOMPARE(responses[3].status, 206);
    QCOMPARE(responses[3].headers.value("connection"), "close");
    QCOMPARE(responses[3].body, file.right(4));
    QVERIFY2(rest.isEmpty(), rest.left(100).constData());
    const QStringList order = {"clip.mp3", "clip.mp3", "missing.mp3", "clip.mp3"};
    QCOMPARE(m_server->requestedPaths(), order);
}

void TstMediaServer::notFoundMode()
{
    QSignalSpy requested(m_server.get(), &MediaServer::requested);
    m_server->setMode(QStringLiteral("/clip.mkv"), MediaServer::Mode::NotFound);

    const Fetched missing = fetch(*m_nam, m_server->url(QStringLiteral("clip.mkv")));
    QCOMPARE(missing.status, 404);
    QCOMPARE(missing.error, QNetworkReply::ContentNotFoundError);

    m_server->setMode(QStringLiteral("clip.mkv"), MediaServer::Mode::Normal);
    const Fetched present = fetch(*m_nam, m_server->url(QStringLiteral("clip.mkv")), "bytes=0-3");
    QCOMPARE(present.status, 206);
    QCOMPARE(present.body, mediaBytes(QStringLiteral("clip.mkv")).left(4));

    QCOMPARE(requested.size(), 2);
    QCOMPARE(requested.at(0).at(0).toString(), QStringLiteral("clip.mkv"));
}

void TstMediaServer::pathsAreDecodedAndConfinedToRoot_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<int>("status");
    QTest::newRow("encoded space, non-ASCII, plus")
        << QByteArray("/dir%20with%20space/clip%20%C3%A9+1.mp3") << 200;
    QTest::newRow("query ignored")
        << QByteArray("/dir%20with%20space/clip%20%C3%A9+1.mp3?x=1") << 200;
    QTest::newRow("absolute form")
        << QByteArray("http://t/dir%20with%20space/clip%20%C3%A9+1.mp3") << 200;
    QTest::newRow("plus is not a space")
        << QByteArray("/dir+with+space/clip%20%C3%A9+1.mp3") << 404;
    QTest::newRow("directory") << QByteArray("/dir%20with%20space") << 404;
    QTest::newRow("root") << QByteArray("/") << 404;
    QTest::newRow("parent") << QByteArray("/../secret.txt") << 404;
    QTest::newRow("encoded parent") << QByteArray("/%2E%2E%2Fsecret.txt") << 404;
    QTest::newRow("down then up past root")
        << QByteArray("/dir%20with%20space/../../secret.txt") << 404;
    QTest::newRow("not a path") << QByteArray("secret.txt") << 400;
}

void TstMediaServer::pathsAreDecodedAndConfinedToRoot()
{
    QFETCH(QByteArray, target);
    QFETCH(int, status);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("root/dir with space")));
    const QString name = QStringLiteral("dir with space/clip é+1.mp3");
    QVERIFY(QFile::copy(mediaDir + QStringLiteral("/clip.mp3"),
                        dir.filePath(QStringLiteral("root/") + name)));
    QFile secret(dir.filePath(QStringLiteral("secret.txt")));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.write("secret\n");
    secret.close();

    MediaServer server;
    QVERIFY(server.start(dir.filePath(QStringLiteral("root"))));
    QCOMPARE(server.url(name),
             QStringLiteral("http://127.0.0.1:%1/dir%20with%20space/clip%20%C3%A9+1.mp3")
                 .arg(server.port()));

    if (status == 400)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("malformed request")));
    QByteArray rest;
    const QList<RawResponse> responses = exchangeRaw(
        server.port(), "GET " + target + " HTTP/1.1\r\nHost: t\r\nConnection: close\r\n\r\n", {},
        &rest);
    QCOMPARE(responses.size(), 1);
    QCOMPARE(responses[0].status, status);
    if (status == 200) {
        QVERIFY(responses[0].body == mediaBytes(QStringLiteral("clip.mp3")));
        QCOMPARE(server.requestedPaths(), QStringList{name});
    }
    QVERIFY(!responses[0].body.contains("secret"));
}

void TstMediaServer::concurrentConnections()
{
    // Paced so that the requests overlap; QNetworkAccessManager opens up to
    // six connections to one host.
    m_server->setBytesPerSecond(400 * 1024);
    int mostOpen = 0;
    connect(m_server.get(), &MediaServer::requested, this,
            [&] { mostOpen = qMax(mostOpen, m_server->openConnectionCount()); });
    const QByteArray file = mediaBytes(QStringLiteral("clip.flv"));
    const qint64 slice = file.size() / 6;
    std::vector<std::unique_ptr<QNetworkReply>> replies;
    for (qint64 i = 0; i < 6; ++i) {
        QNetworkRequest request{QUrl(m_server->url(QStringLiteral("clip.flv")))};
        request.setRawHeader("Range", "bytes=" + QByteArray::number(i * slice) + '-' +
                                          QByteArray::number((i + 1) * slice - 1));
        replies.emplace_back(m_nam->get(request));
    }
    for (qint64 i = 0; i < 6; ++i) {
        QNetworkReply *reply = replies[size_t(i)].get();
        QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 10000);
        QCOMPARE(reply->error(), QNetworkReply::NoError);
        QVERIFY(reply->readAll() == file.mid(i * slice, slice));
    }
    QVERIFY2(mostOpen >= 4, QByteArray::number(mostOpen).constData());
}

void TstMediaServer::pacingLimitsRate()
{
    const qint64 rate = 100 * 1024;
    m_server->setBytesPerSecond(rate);
    const QByteArray file = mediaBytes(QStringLiteral("clip.mp4"));
    QElapsedTimer clock;
    clock.start();
    const Fetched got = fetch(*m_nam, m_server->url(QStringLiteral("clip.mp4")));
    const qint64 elapsedMs = clock.elapsed();
    QVERIFY(got.body == file);
    // Only a lower bound: a busy machine may be slower, never faster. The
    // server allows a burst of a tenth of a second's worth.
    const qint64 leastMs = (file.size() - rate / 10) * 1000 / rate;
    QVERIFY2(elapsedMs >= leastMs * 9 / 10,
             qPrintable(QStringLiteral("%1 ms for %2 bytes").arg(elapsedMs).arg(file.size())));
}

void TstMediaServer::garbageMode()
{
    const QByteArray file = mediaBytes(QStringLiteral("clip.mp4"));
    m_server->setMode(QStringLiteral("clip.mp4"), MediaServer::Mode::Garbage);
    m_server->setMode(QStringLiteral("nothing.mp4"), MediaServer::Mode::Garbage);

    const Fetched whole = fetch(*m_nam, m_server->url(QStringLiteral("clip.mp4")));
    QCOMPARE(whole.status, 200);
    QCOMPARE(whole.contentType, "video/mp4");
    QCOMPARE(whole.contentLength, file.size());
    QCOMPARE(whole.body.size(), file.size());
    // Not the file, not even its first box, and not a constant fill.
    QVERIFY(whole.body.left(16) != file.left(16));
    QVERIFY(whole.body.count(whole.body.at(0)) < whole.body.size() / 16);

    // A client that seeks gets the same garbage at the same offsets.
    const Fetched slice =
        fetch(*m_nam, m_server->url(QStringLiteral("clip.mp4")), "bytes=5000-5999");
    QCOMPARE(slice.status, 206);
    QVERIFY(slice.body == whole.body.mid(5000, 1000));

    const Fetched invented = fetch(*m_nam, m_server->url(QStringLiteral("nothing.mp4")));
    QCOMPARE(invented.status, 200);
    QCOMPARE(invented.body.size(), MediaServer::garbageBytesWithoutFile);
}

void TstMediaServer::closeMidwayCutsAtMiddleOfFile_data()
{
    // Where the request starts, as a fraction of the file in quarters.
    QTest::addColumn<int>("startQuarter");
    QTest::newRow("from the start") << 0;
    QTest::newRow("from a quarter") << 1;
    QTest::newRow("past the middle") << 3;
}

void TstMediaServer::closeMidwayCutsAtMiddleOfFile()
{
    QFETCH(int, startQuarter);
    const QByteArray file = mediaBytes(QStringLiteral("clip.ogv"));
    const qint64 start = file.size() * startQuarter / 4;
    const qint64 middle = file.size() / 2;
    m_server->setMode(QStringLiteral("clip.ogv"), MediaServer::Mode::CloseMidway);

    const Fetched got = fetch(*m_nam, m_server->url(QStringLiteral("clip.ogv")),
                              "bytes=" + QByteArray::number(start) + '-');
    QVERIFY(got.finished);
    // What arrived is checked, not the reply's error: Qt's client now and
    // then reports a body cut short by the server as complete.
    QCOMPARE(got.contentLength, file.size() - start);
    const qint64 delivered = qMax<qint64>(0, middle - start);
    QCOMPARE(got.body.size(), delivered);
    QVERIFY(got.body == file.mid(start, delivered));
}

void TstMediaServer::stallKeepsConnectionOpenWithoutBlocking()
{
    // A timer on this thread counts the turns of the event loop: a server
    // that waited for the stalled connection would stop them for good, since
    // the stall never ends, however loaded or idle the machine.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(20);

    const QByteArray file = mediaBytes(QStringLiteral("clip.mkv"));
    m_server->setMode(QStringLiteral("clip.mkv"), MediaServer::Mode::Stall);
    std::unique_ptr<QNetworkReply> stalled(
        m_nam->get(QNetworkRequest(QUrl(m_server->url(QStringLiteral("clip.mkv"))))));
    QTRY_COMPARE(stalled->bytesAvailable(), MediaServer::stallBytes);
    QCOMPARE(stalled->header(QNetworkRequest::ContentLengthHeader).toLongLong(), file.size());

    // The stalled connection must not hold up anyone else.
    const Fetched other = fetch(*m_nam, m_server->url(QStringLiteral("clip.mp3")));
    QVERIFY(other.body == mediaBytes(QStringLiteral("clip.mp3")));
    const int ticksAtStall = ticks;
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= ticksAtStall + 25, 20000);

    QVERIFY(!stalled->isFinished());
    QCOMPARE(stalled->bytesAvailable(), MediaServer::stallBytes);
    QVERIFY(stalled->readAll() == file.left(MediaServer::stallBytes));
    QVERIFY(m_server->openConnectionCount() >= 1);

    // Once the client gives up, the server lets go of the connections too.
    stalled->abort();
    m_nam->clearConnectionCache();
    QTRY_COMPARE(m_server->openConnectionCount(), 0);
}

void TstMediaServer::mpvPlays_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasVideo");
    QTest::newRow("mp4 h264 aac") << "clip.mp4" << true;
    QTest::newRow("flv sorenson mp3") << "clip.flv" << true;
    QTest::newRow("ogv theora vorbis") << "clip.ogv" << true;
    QTest::newRow("mkv mpeg4 aac") << "clip.mkv" << true;
    QTest::newRow("wmv wmv2 wmav2") << "clip.wmv" << true;
    QTest::newRow("mp3") << "clip.mp3" << false;
}

void TstMediaServer::mpvPlays()
{
    QFETCH(QString, name);
    QFETCH(bool, hasVideo);
    MpvSession mpv;
    QVERIFY(mpv.isReady());
    mpv.load(m_server->url(name));

    QTRY_VERIFY2_WITH_TIMEOUT(mpv.timePos() > 1.0 || !mpv.endings().isEmpty(),
                              qPrintable(mpv.log()), 15000);
    QVERIFY2(mpv.endings().isEmpty(), qPrintable(mpv.log()));
    QVERIFY(m_server->requestedPaths().contains(name));
    QCOMPARE(mpv.intProperty("audio-params/samplerate"), 44100);
    QCOMPARE(mpv.intProperty("width"), hasVideo ? std::optional<qint64>(320) : std::nullopt);
    QCOMPARE(mpv.intProperty("height"), hasVideo ? std::optional<qint64>(180) : std::nullopt);
    QVERIFY(qAbs(mpv.doubleProperty("duration").value_or(0) - 8.0) < 0.5);
}

void TstMediaServer::mpvReportsNotFound()
{
    m_server->setMode(QStringLiteral("clip.mp4"), MediaServer::Mode::NotFound);
    MpvSession mpv;
    QVERIFY(mpv.isReady());
    mpv.load(m_server->url(QStringLiteral("clip.mp4")));

    QTRY_VERIFY_WITH_TIMEOUT(!mpv.endings().isEmpty(), 15000);
    const QList<std::pair<int, int>> expected = {
        {MPV_END_FILE_REASON_ERROR, MPV_ERROR_LOADING_FAILED}};
    QCOMPARE(mpv.endings(), expected);
    QVERIFY(m_server->requestedPaths().contains(QStringLiteral("clip.mp4")));
    QCOMPARE(mpv.timePos(), -1.0);
}

QTEST_GUILESS_MAIN(TstMediaServer)
#include "tst_media_server.moc"
