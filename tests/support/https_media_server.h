#pragma once

// The media server over https, with a self-signed certificate for
// 127.0.0.1 made at build time (TEST_TLS_DIR). A client trusts it only when
// told to; the application never is.

#include "media_server.h"

class HttpsMediaServer : public MediaServer
{
    Q_OBJECT

public:
    using MediaServer::MediaServer;

    // The certificate as a PEM bundle, for a client that should trust it.
    static QString certificateFile();

protected:
    std::unique_ptr<QTcpServer> createListener() override;
    QString scheme() const override { return QStringLiteral("https"); }
};
