// Each player names its own fault. ffmpeg's log is process-wide and libmpv
// hands it to the first core only, so a window that is not the first to play
// must learn why its location failed from that location: every fault is met
// here in a second window, and several windows meet different faults at
// once. The naming itself is checked by tables.

#include "common/closed_port.h"
#include "common/player_host.h"
#include "https_media_server.h"
#include "media_server.h"
#include "player/network_faults.h"
#include "player/translation.h"

#include <QLabel>
#include <QTcpServer>
#include <QTest>

using player::Fault;
using player::Status;
using testing::PlayerHost;

Q_DECLARE_METATYPE(player::Fault)

namespace {

constexpr int kStartTimeout = 20000;

} // namespace

class TestFaultNames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void httpStatus_data();
    void httpStatus();
    void certificateErrors_data();
    void certificateErrors();
    void networkErrors_data();
    void networkErrors();

    void namedInAWindowThatIsNotTheFirst_data();
    void namedInAWindowThatIsNotTheFirst();
    void threeWindowsThreeFaults();
    void anotherWindowsFaultStaysThere();

private:
    std::unique_ptr<PlayerHost> playingFirst();

    MediaServer m_server;
    HttpsMediaServer m_secureServer;
};

void TestFaultNames::initTestCase()
{
    player::installTranslation();
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
    QVERIFY(m_secureServer.start(QStringLiteral(TEST_MEDIA_DIR)));
}

void TestFaultNames::cleanup()
{
    player::Engine::setCertificateBundle(QStringLiteral("/etc/ssl/certs/ca-certificates.crt"));
    for (const QString file : {"clip.mkv", "clip.ogv", "clip.flv"}) {
        m_server.setErrorStatus(file, 0);
        m_server.setMode(file, MediaServer::Mode::Normal);
    }
}

// A window that plays first: its core is the one libmpv hands ffmpeg's log to.
std::unique_ptr<PlayerHost> TestFaultNames::playingFirst()
{
    auto first = std::make_unique<PlayerHost>();
    if (!first->show())
        return {};
    first->player->setUrl(m_server.url("clip.mp4"));
    if (!QTest::qWaitFor([&first] { return first->position() > 0.3; }, kStartTimeout))
        return {};
    return first;
}

void TestFaultNames::httpStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<Fault>("fault");
    QTest::newRow("200") << 200 << Fault::None;
    QTest::newRow("206") << 206 << Fault::None;
    QTest::newRow("401") << 401 << Fault::Forbidden;
    QTest::newRow("403") << 403 << Fault::Forbidden;
    QTest::newRow("404") << 404 << Fault::NotFound;
    QTest::newRow("410") << 410 << Fault::NotFound;
    QTest::newRow("416") << 416 << Fault::Network;
    QTest::newRow("500") << 500 << Fault::ServerError;
    QTest::newRow("503") << 503 << Fault::ServerError;
}

void TestFaultNames::httpStatus()
{
    QFETCH(int, status);
    QFETCH(Fault, fault);
    QCOMPARE(player::faultOfHttpStatus(status), fault);
}

void TestFaultNames::certificateErrors_data()
{
    using E = QSslError;
    QTest::addColumn<QList<QSslError::SslError>>("errors");
    QTest::addColumn<Fault>("fault");
    QTest::newRow("none") << QList<E::SslError>{} << Fault::None;
    QTest::newRow("expired") << QList{E::CertificateExpired} << Fault::CertificateExpired;
    QTest::newRow("not yet valid") << QList{E::CertificateNotYetValid} << Fault::CertificateExpired;
    QTest::newRow("wrong host") << QList{E::HostNameMismatch} << Fault::CertificateWrongHost;
    QTest::newRow("self-signed") << QList{E::SelfSignedCertificate} << Fault::CertificateSelfSigned;
    QTest::newRow("unknown issuer")
        << QList{E::UnableToGetLocalIssuerCertificate} << Fault::Certificate;
    QTest::newRow("self-signed for another host")
        << QList{E::SelfSignedCertificate, E::HostNameMismatch} << Fault::CertificateWrongHost;
    QTest::newRow("expired, self-signed")
        << QList{E::SelfSignedCertificate, E::CertificateExpired} << Fault::CertificateExpired;
}

void TestFaultNames::certificateErrors()
{
    QFETCH(QList<QSslError::SslError>, errors);
    QFETCH(Fault, fault);
    QCOMPARE(player::faultOfSslErrors(errors), fault);
}

void TestFaultNames::networkErrors_data()
{
    using N = QNetworkReply;
    QTest::addColumn<QNetworkReply::NetworkError>("error");
    QTest::addColumn<Fault>("fault");
    QTest::newRow("none") << N::NoError << Fault::None;
    QTest::newRow("host") << N::HostNotFoundError << Fault::UnknownHost;
    QTest::newRow("refused") << N::ConnectionRefusedError << Fault::ConnectionRefused;
    QTest::newRow("tls") << N::SslHandshakeFailedError << Fault::Certificate;
    QTest::newRow("timeout") << N::TimeoutError << Fault::Network;
    QTest::newRow("closed") << N::RemoteHostClosedError << Fault::Network;
}

void TestFaultNames::networkErrors()
{
    QFETCH(QNetworkReply::NetworkError, error);
    QFETCH(Fault, fault);
    QCOMPARE(player::faultOfNetworkError(error), fault);
}

void TestFaultNames::namedInAWindowThatIsNotTheFirst_data()
{
    QTest::addColumn<QString>("location"); // %1: the http server, %2: the https one
    QTest::addColumn<int>("httpStatus");   // answered for clip.mkv; 0: none
    QTest::addColumn<bool>("trustTestCertificate");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("text");
    QTest::newRow("403") << "%1/clip.mkv" << 403 << false << Fault::Forbidden
                         << "الخادم يمنع الوصول إلى الملف";
    QTest::newRow("404") << "%1/clip.mkv" << 404 << false << Fault::NotFound
                         << "الملف غير موجود على الخادم";
    QTest::newRow("410") << "%1/clip.mkv" << 410 << false << Fault::NotFound
                         << "الملف غير موجود على الخادم";
    QTest::newRow("500") << "%1/clip.mkv" << 500 << false << Fault::ServerError << "تعطّل الخادم";
    QTest::newRow("503") << "%1/clip.mkv" << 503 << false << Fault::ServerError << "تعطّل الخادم";
    QTest::newRow("no such host") << "http://no-such-host.invalid/clip.mp4" << 0 << false
                                  << Fault::UnknownHost << "عنوان الخادم غير معروف";
    QTest::newRow("refused") << QString("http://127.0.0.1:%1/clip.mp4").arg(testing::closedPort())
                             << 0 << false << Fault::ConnectionRefused << "رفض الخادم الاتصال";
    QTest::newRow("self-signed") << "%2/clip.mkv" << 0 << false << Fault::CertificateSelfSigned
                                 << "شهادة الخادم موقَّعة ذاتيًا";
    // The certificate is trusted here, but it is for 127.0.0.1.
    QTest::newRow("wrong host") << "%3/clip.mkv" << 0 << true << Fault::CertificateWrongHost
                                << "شهادة الخادم لعنوان آخر";
}

void TestFaultNames::namedInAWindowThatIsNotTheFirst()
{
    QFETCH(QString, location);
    QFETCH(int, httpStatus);
    QFETCH(bool, trustTestCertificate);
    QFETCH(Fault, fault);
    QFETCH(QString, text);
    if (trustTestCertificate)
        player::Engine::setCertificateBundle(HttpsMediaServer::certificateFile());
    const auto first = playingFirst();
    QVERIFY(first);
    m_server.setErrorStatus("clip.mkv", httpStatus);
    const QString http = m_server.url({}).chopped(1);
    const QString https = m_secureServer.url({}).chopped(1);
    QString byName = https;
    byName.replace("127.0.0.1", "localhost");
    location.replace("%1", http).replace("%2", https).replace("%3", byName);

    PlayerHost second;
    QVERIFY(second.show());
    second.player->setUrl(location);
    QTRY_COMPARE_WITH_TIMEOUT(second.status(), Status::Failed, kStartTimeout);
    QTRY_COMPARE(second.engine()->state().fault, fault);
    QCOMPARE(second.statusLabel(), text);
    // The first window knows nothing of it.
    QCOMPARE(first->status(), Status::Playing);
    QCOMPARE(first->engine()->state().fault, Fault::None);
}

void TestFaultNames::threeWindowsThreeFaults()
{
    const auto first = playingFirst();
    QVERIFY(first);
    m_server.setErrorStatus("clip.mkv", 404);
    m_server.setErrorStatus("clip.ogv", 503);
    std::vector<std::unique_ptr<PlayerHost>> hosts;
    const QStringList locations{m_server.url("clip.mkv"), m_server.url("clip.ogv"),
                                m_secureServer.url("clip.flv")};
    while (hosts.size() < std::size_t(locations.size())) {
        hosts.push_back(std::make_unique<PlayerHost>());
        QVERIFY(hosts.back()->show());
    }
    // Chosen together: their failures and their probes overlap.
    for (std::size_t i = 0; i < hosts.size(); ++i)
        hosts[i]->player->setUrl(locations[int(i)]);
    const Fault expected[] = {Fault::NotFound, Fault::ServerError, Fault::CertificateSelfSigned};
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        QTRY_COMPARE_WITH_TIMEOUT(hosts[i]->status(), Status::Failed, kStartTimeout);
        QTRY_COMPARE(hosts[i]->engine()->state().fault, expected[i]);
    }
    QTest::qWait(500); // nothing arrives later to rename them
    for (std::size_t i = 0; i < hosts.size(); ++i)
        QCOMPARE(hosts[i]->engine()->state().fault, expected[i]);
}

// What one window meets never names another's status: a window waiting on
// a silent server while another meets a certificate, a window playing a
// whole file while another's stream is cut.
void TestFaultNames::anotherWindowsFaultStaysThere()
{
    PlayerHost waiting;
    QVERIFY(waiting.show());
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    waiting.player->setUrl(QStringLiteral("http://127.0.0.1:%1/clip.mp4").arg(silent.serverPort()));
    PlayerHost refused;
    QVERIFY(refused.show());
    refused.player->setUrl(m_secureServer.url("clip.mkv"));
    QTRY_COMPARE_WITH_TIMEOUT(refused.status(), Status::Failed, kStartTimeout);
    QTRY_COMPARE(refused.engine()->state().fault, Fault::CertificateSelfSigned);
    QTRY_COMPARE_WITH_TIMEOUT(waiting.status(), Status::Failed, 30000); // its own timeout
    QCOMPARE(waiting.engine()->state().fault, Fault::Network);

    PlayerHost whole;
    QVERIFY(whole.show());
    whole.player->setUrl(m_server.url("clip.mp3"));
    QTRY_VERIFY_WITH_TIMEOUT(whole.position() > 0.3, kStartTimeout);
    m_server.setMode("clip.mkv", MediaServer::Mode::CloseMidway);
    PlayerHost cut;
    QVERIFY(cut.show());
    cut.player->setUrl(m_server.url("clip.mkv"));
    QTRY_COMPARE_WITH_TIMEOUT(cut.status(), Status::EndedEarly, kStartTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(whole.status(), Status::Finished, kStartTimeout);
}

QTEST_MAIN(TestFaultNames)
#include "tst_fault_names.moc"
