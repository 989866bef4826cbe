#include "https_media_server.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>

QString HttpsMediaServer::certificateFile()
{
    return QStringLiteral(TEST_TLS_DIR "/cert.pem");
}

std::unique_ptr<QTcpServer> HttpsMediaServer::createListener()
{
    QFile keyFile(QStringLiteral(TEST_TLS_DIR "/key.pem"));
    if (!keyFile.open(QIODevice::ReadOnly))
        qFatal("no test key at %s", TEST_TLS_DIR);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificateChain(QSslCertificate::fromPath(certificateFile()));
    tls.setPrivateKey(QSslKey(&keyFile, QSsl::Rsa));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone); // clients present no certificate
    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(tls);
    return server;
}
