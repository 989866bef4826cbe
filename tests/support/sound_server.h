#pragma once

// A PulseAudio server of a test's (or a benchmark's) own: a null sink in a
// private runtime folder, reached through PULSE_SERVER, which start() sets
// for this process and so for every program it starts afterwards (players'
// engines, pactl, parec, a reference player).

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <utility>

namespace testing {

class SoundServer
{
public:
    static constexpr int kRate = 44100;
    static QString sinkName();

    ~SoundServer();
    // Starts the server and waits until it answers; false if it does not.
    // May be called again after stop(), as a restarted desktop server is.
    bool start();
    // Ends the server at once, as a crash or a desktop update does.
    void stop();

    // Exit status and standard output of a command.
    static std::pair<int, QByteArray> run(const QString &program, const QStringList &arguments);

private:
    QTemporaryDir m_runtime;
    QProcess m_server;
};

} // namespace testing
