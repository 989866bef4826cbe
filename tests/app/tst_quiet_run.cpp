// A normal run prints nothing on the terminal it was started from: the
// program's own debug and info lines stay behind their logging categories,
// and the libraries a player loads (sound outputs, their configuration)
// are not made to complain about what this machine lacks. Checked on the
// process's real standard error, with Qt's own message handler (the one a
// user's run has), through a session of windows, a hidden window giving
// back its image, and an episode playing without a sound server, and with
// one that goes away while it plays.

#include "app/application.h"
#include "app/navigator.h"
#include "app/window_registry.h"
#include "common/runtime_folder.h"
#include "media_server.h"
#include "player/engine.h"
#include "player/player_widget.h"
#include "sound_server.h"
#include "windows/episode/episode_window.h"

#include <QFile>
#include <QMainWindow>
#include <QTemporaryFile>
#include <QTest>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// Everything written to file descriptor 2, by Qt or by any library, from
// its making until text() is called.
class StandardErrorCapture
{
public:
    StandardErrorCapture()
    {
        if (!m_file.open())
            return;
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StandardErrorCapture() { restore(); }

    QByteArray text()
    {
        restore();
        QFile read(m_file.fileName());
        return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray("cannot read");
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

class TestQuietRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aSessionPrintsNothing_data();
    void aSessionPrintsNothing();

private:
    testing::RuntimeFolder m_runtime;
    MediaServer m_server;
};

void TestQuietRun::initTestCase()
{
    // As in a desktop session: a runtime folder of the user's own.
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    app::prepareQtApplication();
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
}

void TestQuietRun::aSessionPrintsNothing_data()
{
    QTest::addColumn<bool>("soundServer");
    QTest::newRow("with a sound server that goes away") << true;
    QTest::newRow("without a sound server") << false;
}

void TestQuietRun::aSessionPrintsNothing()
{
    QFETCH(bool, soundServer);
    testing::SoundServer sound;
    if (soundServer)
        QVERIFY(sound.start());
    else
        qputenv("PULSE_SERVER", "unix:" + m_runtime.filePath("no-server").toLocal8Bit());

    // Qt's own handler, as in the program: QtTest's would keep the lines
    // from the terminal.
    const QtMessageHandler testHandler = qInstallMessageHandler(nullptr);
    StandardErrorCapture capture;
    {
        app::Application application;
        application.start();
        QMainWindow *home = application.registry().existing(layout::form(1));
        QVERIFY(QTest::qWaitForWindowExposed(home));
        application.navigator().navigate(layout::form(1), layout::form(5));
        auto *episode = qobject_cast<windows::EpisodeWindow *>(
            application.registry().existing(layout::form(5)));
        QVERIFY(episode);
        QVERIFY(QTest::qWaitForWindowExposed(episode));
        episode->player()->setUrl(m_server.url(QStringLiteral("clip.mp4")));
        player::Engine *engine = episode->player()->engine();
        QTRY_VERIFY_WITH_TIMEOUT(engine->position() > 1.0, 20000);
        if (soundServer) {
            // The server ends: the player looks for one again each second.
            sound.stop();
            QTRY_VERIFY_WITH_TIMEOUT(engine->state().soundLost, 5000);
            const double lostAt = engine->position();
            QTRY_VERIFY_WITH_TIMEOUT(engine->position() > lostAt + 2.5, 10000);
        }
        // The home window, hidden, has given back its native window.
        QTRY_VERIFY(!home->windowHandle());
    }
    const QByteArray printed = capture.text();
    qInstallMessageHandler(testHandler);
    QVERIFY2(printed.isEmpty(), printed.constData());
}

QTEST_MAIN(TestQuietRun)
#include "tst_quiet_run.moc"
