// Without a session bus there is no screensaver inhibition and no MPRIS,
// and nothing else changes: players play, and the desktop session says so
// once, as a debug line, never as a warning. Qt connects to the session bus
// once per process, so each case runs in a process of its own: this test
// starts itself again with the bus taken away and reads what it reports.

#include "common/player_host.h"
#include "media_server.h"
#include "player/desktop/desktop_session.h"
#include "player/engine.h"

#include <QApplication>
#include <QDBusConnection>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

const char kChildOption[] = "--play-without-bus";

// What the process playing without a bus saw, as it reports it.
struct Outcome
{
    bool busConnected = false;
    bool played = false;
    int desktopDebugLines = 0;
    QStringList warnings; // from any category
};

Outcome g_outcome;
QtMessageHandler g_defaultHandler = nullptr;

void noteMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (qstrcmp(context.category, "tafsir.player.desktop") == 0 && type == QtDebugMsg)
        ++g_outcome.desktopDebugLines;
    if (type == QtWarningMsg || type == QtCriticalMsg)
        g_outcome.warnings.append(QStringLiteral("%1: %2").arg(context.category, message));
    g_defaultHandler(type, context, message);
}

// The process without a bus: two players in two windows play a video.
int playWithoutBus(int argc, char *argv[])
{
    g_defaultHandler = qInstallMessageHandler(noteMessage);
    QApplication application(argc, argv);
    MediaServer server;
    if (!server.start(QStringLiteral(TEST_MEDIA_DIR)))
        return 1;
    testing::PlayerHost first;
    testing::PlayerHost second;
    for (testing::PlayerHost *host : {&first, &second}) {
        if (!host->show())
            return 1;
        host->player->setUrl(server.url("clip.mp4"));
        player::attachToDesktop(host->player);
    }
    g_outcome.played =
        QTest::qWaitFor([&] { return first.position() > 1.0 && second.position() > 1.0; }, 20000);
    g_outcome.busConnected = QDBusConnection::sessionBus().isConnected();
    std::printf("bus %d\nplayed %d\ndebug %d\n", int(g_outcome.busConnected), int(g_outcome.played),
                g_outcome.desktopDebugLines);
    for (const QString &warning : std::as_const(g_outcome.warnings))
        std::printf("warning %s\n", qPrintable(warning));
    return 0;
}

Outcome parseOutcome(const QByteArray &output)
{
    Outcome outcome;
    for (const QByteArray &line : output.split('\n')) {
        const qsizetype space = line.indexOf(' ');
        const QByteArray key = line.left(space);
        const QByteArray value = line.mid(space + 1);
        if (key == "bus")
            outcome.busConnected = value == "1";
        else if (key == "played")
            outcome.played = value == "1";
        else if (key == "debug")
            outcome.desktopDebugLines = value.toInt();
        else if (key == "warning")
            outcome.warnings.append(QString::fromUtf8(value));
    }
    return outcome;
}

} // namespace

class TestDesktopNoBus : public QObject
{
    Q_OBJECT

private slots:
    void playsWithoutBus_data();
    void playsWithoutBus();
};

void TestDesktopNoBus::playsWithoutBus_data()
{
    QTest::addColumn<QString>("address"); // empty: none at all
    QTest::newRow("no address") << QString();
    QTest::newRow("nothing at the address") << QStringLiteral("unix:path=/nonexistent/bus");
}

void TestDesktopNoBus::playsWithoutBus()
{
    QFETCH(QString, address);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Without an address, libdbus also looks for a bus in the user's runtime
    // folder: give it an empty one.
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    if (address.isEmpty())
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    else
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);

    // The line is a debug line, shown only when asked for, as a user asks.
    environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                       QStringLiteral("tafsir.player.desktop.debug=true"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kChildOption)});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    const Outcome outcome = parseOutcome(child.readAllStandardOutput());
    if (outcome.busConnected)
        QSKIP("this machine starts a session bus on demand");
    QVERIFY(outcome.played);
    QCOMPARE(outcome.desktopDebugLines, 1);
    QCOMPARE(outcome.warnings, QStringList());
}

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], kChildOption) == 0)
            return playWithoutBus(argc, argv);
    }
    QCoreApplication application(argc, argv);
    TestDesktopNoBus test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop_no_bus.moc"
