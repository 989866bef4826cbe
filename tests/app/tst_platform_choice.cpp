// The platform the application asks Qt for: xcb under a Wayland session that
// runs an X server, Qt's own choice otherwise, and never over the user's.
// The session tests run a real Wayland compositor (headless weston) beside
// the test's X server.

#include "app/platform_choice.h"
#include "common/runtime_folder.h"
#include "common/x11_windows.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <cstring>

using app::SessionEnvironment;

Q_DECLARE_METATYPE(SessionEnvironment)

namespace {

SessionEnvironment session(const char *qpa, const char *wayland, const char *type,
                           const char *display, bool platformArgument = false)
{
    return {qpa, wayland, type, display, platformArgument};
}

} // namespace

class TstPlatformChoice : public QObject
{
    Q_OBJECT

    QByteArray m_display = qgetenv("DISPLAY");

private slots:
    // The argument tests change the environment; later tests start programs
    // that must reach this test's X server.
    void cleanup()
    {
        qputenv("DISPLAY", m_display);
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("XDG_SESSION_TYPE");
    }

    void choice_data()
    {
        QTest::addColumn<SessionEnvironment>("session");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray none;
        const QByteArray xcb = "xcb;wayland";
        QTest::newRow("X11 session") << session("", "", "x11", ":0") << none;
        QTest::newRow("Wayland with XWayland") << session("", "wayland-0", "wayland", ":0") << xcb;
        QTest::newRow("Wayland socket, no session type")
            << session("", "wayland-0", "", ":1") << xcb;
        QTest::newRow("Wayland session type, no socket name")
            << session("", "", "wayland", ":0") << xcb;
        QTest::newRow("Wayland without an X server")
            << session("", "wayland-0", "wayland", "") << none;
        QTest::newRow("user chose Wayland")
            << session("wayland", "wayland-0", "wayland", ":0") << none;
        QTest::newRow("user chose a platform argument")
            << session("", "wayland-0", "wayland", ":0", true) << none;
        QTest::newRow("console, nothing set") << session("", "", "tty", "") << none;
    }

    void choice()
    {
        QFETCH(SessionEnvironment, session);
        QFETCH(QByteArray, expected);
        QCOMPARE(app::preferredPlatform(session), expected);
    }

    void argumentsCarryTheChoice()
    {
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("DISPLAY", ":5");
        char program[] = "tafsir-videos";
        char option[] = "-style";
        char style[] = "fusion";
        char *argv[] = {program, option, style, nullptr};
        app::PlatformArguments arguments(3, argv);

        QCOMPARE(arguments.argc(), 5);
        QCOMPARE(arguments.argv()[0], program);
        QCOMPARE(arguments.argv()[2], style);
        QCOMPARE(QByteArray(arguments.argv()[3]), QByteArray("-platform"));
        QCOMPARE(QByteArray(arguments.argv()[4]), QByteArray("xcb;wayland"));
        QCOMPARE(arguments.argv()[5], nullptr);
        // The choice stays in the arguments: programs the application starts
        // (a web browser) inherit no platform from it.
        QVERIFY(qgetenv("QT_QPA_PLATFORM").isEmpty());
    }

    void argumentsUntouchedOutsideWayland()
    {
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("XDG_SESSION_TYPE", "x11");
        char program[] = "tafsir-videos";
        char *argv[] = {program, nullptr};
        app::PlatformArguments arguments(1, argv);
        QCOMPARE(arguments.argc(), 1);
        QCOMPARE(arguments.argv()[0], program);
        QCOMPARE(arguments.argv()[1], nullptr);
    }

    // The application started in a Wayland session, with a real compositor
    // (headless weston) beside this test's X server. Qt alone would pick the
    // compositor there; the home window must appear on the X server instead,
    // unless the user asked for Wayland.
    void waylandSession_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("onXServer");
        QTest::newRow("as the desktop starts it") << QStringList() << true;
        QTest::newRow("user asks for Wayland")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("wayland")} << false;
    }

    void waylandSession()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, onXServer);
        QVERIFY(m_compositor.state() == QProcess::Running);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QVERIFY(!env.value(QStringLiteral("DISPLAY")).isEmpty());
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDir.path());
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), QString::fromLatin1(compositorSocket));
        env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
        // The application says where it has shown its home window.
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("tafsir.app.debug=true"));

        QProcess application;
        application.setProcessEnvironment(env);
        application.start(QStringLiteral(TAFSIR_VIDEOS_BIN), arguments);
        QVERIFY(application.waitForStarted());

        QByteArray said;
        const QByteArray shown =
            "home window shown on " + QByteArray(onXServer ? "xcb" : "wayland");
        QTRY_VERIFY2_WITH_TIMEOUT((said += application.readAllStandardError()).contains(shown) ||
                                      application.state() == QProcess::NotRunning,
                                  said.constData(), 20000);
        QVERIFY2(said.contains(shown), said.constData());
        // On the X server its window is mapped; shown on the compositor, the
        // application has no X connection at all, so nothing can appear there.
        if (onXServer)
            QTRY_VERIFY_WITH_TIMEOUT(testing::windowOfClassMapped("tafsir-videos"), 20000);
        else
            QVERIFY(!testing::windowOfClassMapped("tafsir-videos"));
        QCOMPARE(application.state(), QProcess::Running);

        application.kill();
        application.waitForFinished(10000);
    }

    void initTestCase()
    {
        // The compositor's socket lives in XDG_RUNTIME_DIR, which must be
        // private to its user.
        QVERIFY(m_runtimeDir.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDir.path());
        m_compositor.setProcessEnvironment(env);
        m_compositor.setProcessChannelMode(QProcess::MergedChannels);
        m_compositor.start(QStringLiteral("weston"),
                           {QStringLiteral("--backend=headless-backend.so"),
                            QStringLiteral("--socket=") + QString::fromLatin1(compositorSocket),
                            QStringLiteral("--no-config"), QStringLiteral("--idle-time=0")});
        QVERIFY2(m_compositor.waitForStarted(), "weston is part of the test set-up");
        const QString socket = m_runtimeDir.filePath(QString::fromLatin1(compositorSocket));
        QTRY_VERIFY_WITH_TIMEOUT(
            QFileInfo::exists(socket) || m_compositor.state() == QProcess::NotRunning, 10000);
        QVERIFY2(m_compositor.state() == QProcess::Running, m_compositor.readAll().constData());
    }

    void cleanupTestCase()
    {
        m_compositor.terminate();
        if (!m_compositor.waitForFinished(5000))
            m_compositor.kill();
    }

private:
    static constexpr const char *compositorSocket = "wayland-tafsir-test";
    testing::RuntimeFolder m_runtimeDir;
    QProcess m_compositor;
};

QTEST_GUILESS_MAIN(TstPlatformChoice)
#include "tst_platform_choice.moc"
