// Servers that never send enough: one that takes the connection and says
// nothing, one that trickles a byte a second. Each choice ends with a clear
// failure in a bounded time, the seconds of waiting shown meanwhile, and the
// next choice plays. These wait for the player's real time limits (20 s and
// 45 s), so they run on their own.

#include "common/player_host.h"
#include "media_server.h"
#include "player/translation.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTcpServer>
#include <QTest>

using player::Status;
using testing::PlayerHost;

namespace {

constexpr int kStartTimeout = 20000;

} // namespace

class TestSlowLinks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void silentServerFailsWithinTheNetworkTimeout();
    void tricklingServerFailsAtTheDeadline();
    void junkAfterTheMediaEndsTheFile_data();
    void junkAfterTheMediaEndsTheFile();

private:
    MediaServer m_server;
};

void TestSlowLinks::initTestCase()
{
    player::installTranslation();
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
}

void TestSlowLinks::silentServerFailsWithinTheNetworkTimeout()
{
    PlayerHost host;
    QVERIFY(host.show());
    QTcpServer silent; // takes the connection, never answers
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    QElapsedTimer clock;
    clock.start();
    host.player->setUrl(QStringLiteral("http://127.0.0.1:%1/clip.mp4").arg(silent.serverPort()));

    // The waiting time shows.
    QTRY_COMPARE_WITH_TIMEOUT(host.statusLabel(), QString("جارٍ الاتصال… 3 ث"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Failed, 30000);
    QVERIFY2(clock.elapsed() < 26000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(host.statusLabel(), QString("خطأ في الشبكة"));

    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
}

void TestSlowLinks::tricklingServerFailsAtTheDeadline()
{
    PlayerHost host;
    QVERIFY(host.show());
    MediaServer trickle;
    QVERIFY(trickle.start(QStringLiteral(TEST_MEDIA_DIR)));
    trickle.setBytesPerSecond(1);
    QElapsedTimer clock;
    clock.start();
    host.player->setUrl(trickle.url("clip.mkv"));
    QTRY_COMPARE_WITH_TIMEOUT(host.statusLabel(), QString("جارٍ الاتصال… 30 ث"), 35000);
    QCOMPARE(host.status(), Status::Connecting);
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Failed, 20000);
    QVERIFY2(clock.elapsed() < 50000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(host.statusLabel(), QString("الخادم أبطأ من أن يُشغَّل هذا الملف"));

    // The player is still usable: the next choice plays.
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    QCOMPARE(host.status(), Status::Playing);
}

void TestSlowLinks::junkAfterTheMediaEndsTheFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("seekToTheEnd");
    // An mp3 without a length header: its duration is guessed from the size
    // (hundreds of hours here), so only the position standing still tells.
    QTest::newRow("mp3, played through") << "clip.mp3" << false;
    // A file that knows its duration: the seek goes past the media's end.
    QTest::newRow("flv, seek to the end") << "clip.flv" << true;
}

// A host serving a broken file of many gigabytes: the media, then junk.
// At the end of the media the file ends, whatever the server still sends.
void TestSlowLinks::junkAfterTheMediaEndsTheFile()
{
    QFETCH(QString, file);
    QFETCH(bool, seekToTheEnd);
    PlayerHost host;
    QVERIFY(host.show());
    m_server.setMode(file, MediaServer::Mode::EndlessJunk);
    host.player->setUrl(m_server.url(file));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    if (seekToTheEnd)
        QTest::keyClick(host.player, Qt::Key_Up);
    QTRY_VERIFY_WITH_TIMEOUT(
        host.status() == Status::Finished || host.status() == Status::EndedEarly, 25000);
    QCOMPARE(host.status(), Status::Finished);
    m_server.setMode(file, MediaServer::Mode::Normal);
}

QTEST_MAIN(TestSlowLinks)
#include "tst_slow_links.moc"
