#include "sound_server.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QThread>

namespace testing {

QString SoundServer::sinkName()
{
    return QStringLiteral("tafsir_test");
}

SoundServer::~SoundServer()
{
    stop();
}

bool SoundServer::start()
{
    if (!m_runtime.isValid())
        return false;
    const QString socket = m_runtime.filePath(QStringLiteral("native"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    environment.insert(QStringLiteral("HOME"), m_runtime.path());
    m_server.setProcessEnvironment(environment);
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    m_server.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                    QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                    QStringLiteral("--disable-shm=yes"),
                    QStringLiteral("--load=module-null-sink sink_name=%1 rate=%2 channels=1")
                        .arg(sinkName())
                        .arg(kRate),
                    QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 "
                                   "socket=%1")
                        .arg(socket)});
    if (!m_server.waitForStarted())
        return false;
    qputenv("PULSE_SERVER", QByteArray("unix:") + socket.toLocal8Bit());
    // The server answers once it has loaded its modules; asked again until
    // it does, or for ten seconds on a loaded machine.
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (m_server.state() != QProcess::Running)
            return false;
        if (run(QStringLiteral("pactl"), {QStringLiteral("info")}).first == 0)
            return true;
        QThread::msleep(50);
    }
    return false;
}

void SoundServer::stop()
{
    m_server.kill();
    m_server.waitForFinished();
}

std::pair<int, QByteArray> SoundServer::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000))
        return {-1, {}};
    return {process.exitCode(), process.readAllStandardOutput()};
}

} // namespace testing
