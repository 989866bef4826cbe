// Start-up loads nothing of the playback engine: the application shows its
// home window without libmpv, and opening an episode list loads it in the
// background, ready for the choice.

#include "app/application.h"
#include "app/no_display.h"
#include "common/real_input.h"
#include "common/runtime_folder.h"
#include "common/window_names.h"
#include "common/x11_windows.h"
#include "player/engine.h"
#include "player/player_widget.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"

#include <QAbstractItemView>
#include <QDeadlineTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <memory>

namespace {

// X key symbols (X11/keysymdef.h).
constexpr unsigned long kControlKey = 0xffe3; // XK_Control_L
constexpr unsigned long kQKey = 0x71;         // XK_q

// Whether the process of that id has libmpv mapped.
bool mapsLibmpv(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains("/libmpv.so");
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void applicationStartsWithoutTheEngine();
    void openingAListLoadsTheEngine();
    void withoutADisplayOneLineAndStatus1_data();
    void withoutADisplayOneLineAndStatus1();
    void noDisplayMessageInTheUsersLanguage_data();
    void noDisplayMessageInTheUsersLanguage();
    void commandLineAnswersWithoutADisplay_data();
    void commandLineAnswersWithoutADisplay();
    void ctrlQEndsTheProcess();
};

void TestStartup::applicationStartsWithoutTheEngine()
{
    QProcess application;
    application.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    application.start(QStringLiteral(TAFSIR_VIDEOS_BIN), {});
    QVERIFY(application.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(testing::windowOfClassMapped("tafsir-videos"), 20000);
    // The process is up and its libraries are mapped: it can be read.
    QVERIFY(QFile::exists(QStringLiteral("/proc/%1/maps").arg(application.processId())));
    QVERIFY(!mapsLibmpv(application.processId()));
    application.kill();
    application.waitForFinished(10000);
}

void TestStartup::openingAListLoadsTheEngine()
{
    const qint64 self = QCoreApplication::applicationPid();
    QVERIFY(!mapsLibmpv(self));
    app::prepareQtApplication();
    auto application = std::make_unique<app::Application>();
    application->start();
    for (const char *name : {"Form1", "Form2", "Form63", "Form5"}) {
        QMainWindow *window =
            application->registry().window(testing::idOf(QString::fromLatin1(name)));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->hide();
    }
    // Every kind of window shown, an episode window with its player: no engine yet.
    QVERIFY(!mapsLibmpv(self));

    auto *episodes =
        qobject_cast<windows::EpisodeWindow *>(application->registry().window(layout::form(5)));
    episodes->show();
    QVERIFY(QTest::qWaitForWindowExposed(episodes));
    // Opening the list, with the mouse as a user does, starts loading the
    // engine in the background, before any choice.
    windows::EpisodeList *list = episodes->list();
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() - 6, list->height() / 2));
    QTRY_VERIFY(list->view()->isVisible());
    QVERIFY(!episodes->player()->engine()->hasStarted());
    QTRY_VERIFY(mapsLibmpv(self));
    list->hidePopup();

    episodes->player()->setUrl(QStringLiteral("http://127.0.0.1:9/nothing.mp4"));
    QVERIFY(episodes->player()->engine()->hasStarted());
    QVERIFY(episodes->player()->engine()->isValid());
}

namespace {
const QString kEnglishLine =
    QStringLiteral("Cannot reach a display to show the windows on (DISPLAY).");
const QString kArabicLine = QStringLiteral("تعذّر الوصول إلى شاشة لعرض النوافذ (DISPLAY).");
} // namespace

void TestStartup::withoutADisplayOneLineAndStatus1_data()
{
    QTest::addColumn<QString>("display"); // empty: unset
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("line");
    QTest::newRow("no DISPLAY") << QString() << "C.UTF-8" << kEnglishLine;
    QTest::newRow("dead X server") << ":987"
                                   << "en_GB.UTF-8" << kEnglishLine;
    QTest::newRow("garbage") << "no such display!"
                             << "C" << kEnglishLine;
    QTest::newRow("Arabic user") << QString() << "ar_EG.UTF-8" << kArabicLine;
}

void TestStartup::withoutADisplayOneLineAndStatus1()
{
    QFETCH(QString, display);
    QFETCH(QString, lang);
    QFETCH(QString, line);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM",
                             "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("LANG"), lang);
    QProcess application;
    application.setProcessEnvironment(environment);
    application.start(QStringLiteral(TAFSIR_VIDEOS_BIN), {});
    QVERIFY(application.waitForFinished(15000));
    QCOMPARE(application.exitStatus(), QProcess::NormalExit);
    QCOMPARE(application.exitCode(), 1);
    const QStringList lines =
        QString::fromUtf8(application.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.value(lines.size() - 1), line);
    // Qt's own warnings may come before it; its fatal hint does not.
    QVERIFY(!lines.join('\n').contains(QStringLiteral("Reinstalling")));
}

void TestStartup::noDisplayMessageInTheUsersLanguage_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QByteArray>("lcAll");
    QTest::addColumn<QByteArray>("lcMessages");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<bool>("arabic");
    QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray() << QByteArray()
                                 << false;
    QTest::newRow("LANG Arabic") << QByteArray() << QByteArray() << QByteArray()
                                 << QByteArray("ar_SA.UTF-8") << true;
    QTest::newRow("LANG bare ar") << QByteArray() << QByteArray() << QByteArray()
                                  << QByteArray("ar") << true;
    QTest::newRow("LC_ALL over LANG") << QByteArray() << QByteArray("en_US.UTF-8") << QByteArray()
                                      << QByteArray("ar_EG.UTF-8") << false;
    QTest::newRow("LC_MESSAGES Arabic") << QByteArray() << QByteArray() << QByteArray("ar_JO.UTF-8")
                                        << QByteArray("en_US.UTF-8") << true;
    QTest::newRow("LANGUAGE list")
        << QByteArray("ar:en") << QByteArray("C") << QByteArray() << QByteArray() << true;
    QTest::newRow("Aragonese is not Arabic")
        << QByteArray() << QByteArray() << QByteArray() << QByteArray("arn_CL.UTF-8") << false;
}

void TestStartup::noDisplayMessageInTheUsersLanguage()
{
    QFETCH(QByteArray, language);
    QFETCH(QByteArray, lcAll);
    QFETCH(QByteArray, lcMessages);
    QFETCH(QByteArray, lang);
    QFETCH(bool, arabic);
    QCOMPARE(QString::fromUtf8(app::noDisplayMessage(language, lcAll, lcMessages, lang)),
             arabic ? kArabicLine : kEnglishLine);
}

namespace {

// The environment of a text console: no display of any kind.
QProcessEnvironment consoleEnvironment(const QString &lang)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM",
                             "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), lang);
    return environment;
}

} // namespace

void TestStartup::commandLineAnswersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");   // the start of standard output
    QTest::addColumn<QString>("error"); // what the one line of standard error holds

    const QString version = QStringLiteral("Tafsir Videos " TAFSIR_VERSION "\n");
    QTest::newRow("--help") << QStringList{"--help"} << "C.UTF-8" << 0
                            << "Usage: tafsir-videos [options]\n"
                            << QString();
    QTest::newRow("-h") << QStringList{"-h"} << "en_GB.UTF-8" << 0
                        << "Usage: tafsir-videos [options]\n"
                        << QString();
    QTest::newRow("--help, Arabic user")
        << QStringList{"--help"} << "ar_EG.UTF-8" << 0
        << QStringLiteral("الاستعمال: tafsir-videos [خيارات]\n") << QString();
    QTest::newRow("--version") << QStringList{"--version"} << "C.UTF-8" << 0 << version
                               << QString();
    QTest::newRow("--version after Qt's option")
        << QStringList{"-platform", "offscreen", "--version"} << "C.UTF-8" << 0 << version
        << QString();
    QTest::newRow("unknown option") << QStringList{"--frobnicate=1"} << "C.UTF-8" << 2 << QString()
                                    << "unknown option '--frobnicate=1'";
    QTest::newRow("unknown option, Arabic user")
        << QStringList{"-x"} << "ar_EG.UTF-8" << 2 << QString()
        << QStringLiteral("خيار غير معروف «-x»");
    QTest::newRow("an argument") << QStringList{"surah.mp4"} << "C.UTF-8" << 2 << QString()
                                 << "unexpected argument 'surah.mp4'";
    QTest::newRow("Qt's option without its value")
        << QStringList{"-platform"} << "C.UTF-8" << 2 << QString() << "-platform";
    // Qt's own options pass through: the program goes on, to find no display.
    QTest::newRow("Qt's options run the program") << QStringList{"-style", "Fusion", "-reverse"}
                                                  << "C.UTF-8" << 1 << QString() << kEnglishLine;
}

// --help and --version answer from a text console and end the program;
// a command line it cannot read is one line and status 2. No window is
// opened for any of them (there is no display to open it on).
void TestStartup::commandLineAnswersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, lang);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, error);
    QProcess application;
    application.setProcessEnvironment(consoleEnvironment(lang));
    application.start(QStringLiteral(TAFSIR_VIDEOS_BIN), arguments);
    QVERIFY(application.waitForFinished(15000));
    QCOMPARE(application.exitStatus(), QProcess::NormalExit);
    QCOMPARE(application.exitCode(), status);
    const QString standardOut = QString::fromUtf8(application.readAllStandardOutput());
    const QStringList errorLines =
        QString::fromUtf8(application.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    if (out.isEmpty())
        QCOMPARE(standardOut, QString());
    else
        QVERIFY2(standardOut.startsWith(out), qPrintable(standardOut));
    if (error.isEmpty()) {
        QCOMPARE(errorLines, QStringList());
    } else {
        QVERIFY2(!errorLines.isEmpty() && errorLines.last().contains(error),
                 qPrintable(errorLines.join('\n')));
        if (status == 2)
            QCOMPARE(errorLines.size(), 1);
    }
}

// Ctrl+Q, pressed through the X server as a person presses it, ends the
// program: status 0, nothing printed.
void TestStartup::ctrlQEndsTheProcess()
{
    testing::RealInput keyboard;
    QVERIFY(keyboard.isReady());
    testing::RuntimeFolder runtime; // as in a desktop session
    QVERIFY(runtime.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess application;
    application.setProcessEnvironment(environment);
    application.start(QStringLiteral(TAFSIR_VIDEOS_BIN), {});
    QVERIFY(application.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(testing::windowOfClassMapped("tafsir-videos"), 20000);
    // The window manager gives the new window the focus; until then the
    // chord may go elsewhere, so it is pressed again until the program ends.
    const QDeadlineTimer deadline(20000);
    while (application.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        keyboard.chord({kControlKey, kQKey});
        application.waitForFinished(500);
    }
    QCOMPARE(application.state(), QProcess::NotRunning);
    QCOMPARE(application.exitStatus(), QProcess::NormalExit);
    QCOMPARE(application.exitCode(), 0);
    QCOMPARE(application.readAllStandardError(), QByteArray());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
