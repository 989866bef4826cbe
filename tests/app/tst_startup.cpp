// Start-up loads nothing of the playback engine: the application shows its
// home window without libmpv, and opening an episode list loads it in the
// background, ready for the choice.

#include "app/application.h"
#include "common/x11_windows.h"
#include "player/engine.h"
#include "player/player_widget.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"

#include <QAbstractItemView>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTest>
#include <memory>

namespace {

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
        QMainWindow *window = application->registry().window(QString::fromLatin1(name));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->hide();
    }
    // Every kind of window shown, an episode window with its player: no engine yet.
    QVERIFY(!mapsLibmpv(self));

    auto *episodes = qobject_cast<windows::EpisodeWindow *>(
        application->registry().window(QStringLiteral("Form5")));
    episodes->show();
    QVERIFY(QTest::qWaitForWindowExposed(episodes));
    // Opening the list, with the mouse as a user does, starts loading the
    // engine in the background, before any choice.
    windows::EpisodeList *list = episodes->list();
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() - 6, list->height() / 2));
    QTRY_VERIFY(list->view()->isVisible());
    QVERIFY(!episodes->player()->engine());
    QTRY_VERIFY(mapsLibmpv(self));
    list->hidePopup();

    episodes->player()->setUrl(QStringLiteral("http://127.0.0.1:9/nothing.mp4"));
    QVERIFY(episodes->player()->engine());
    QVERIFY(episodes->player()->engine()->isValid());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
